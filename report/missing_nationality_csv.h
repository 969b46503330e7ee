#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "file_system.h"

namespace veltra {

class LogRecord;

// "braki naradowosci.csv", the list of music items without a nationality:
// one line per item, performer;title;audio path as the log has them (code
// page 1250 bytes), every line, the last one included, ended by CR LF; no
// header, no quoting. The report run writes it and the list window reads it.

// The line of an item without a nationality, without its line end.
std::string MissingNationalityEntry(const LogRecord& record);

// Writes the file entry by entry. An empty list gives an empty file. Nothing
// changes at `csvPath` until Commit, so a failure or an abandoned save leaves
// the previous file whole and no partial one behind. Failures leave as
// FileError "Cannot create file ...".
class MissingNationalityCsvWriter {
public:
    MissingNationalityCsvWriter(FileSystem& fileSystem, std::string csvPath, SpecialTarget special);
    ~MissingNationalityCsvWriter();

    void Add(std::string_view entry);
    void Commit();

private:
    std::string csvPath_;
    std::unique_ptr<FileReplacement> file_;
};

// One line of the file split into its columns. The views point into the
// text that was read.
struct MissingEntryFields {
    std::string_view performer;
    std::string_view title;
    std::string_view path;
};

// Splits a line at every ";". The writer never quotes, so a double quote is
// text like any other. Missing fields stay empty and fields after the third
// are dropped, so a hand-edited line still shows what it holds.
MissingEntryFields SplitMissingEntry(std::string_view line);

// All entries of the file's text in file order, with the logs' line rules;
// an empty line is no entry.
std::vector<MissingEntryFields> ReadMissingEntries(std::string_view text);

}  // namespace veltra
