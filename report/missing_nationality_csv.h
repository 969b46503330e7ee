#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "file_system.h"

namespace veltra {

// Every line of the file, the last one included, ends so.
inline constexpr std::string_view kCsvLineEnd = "\r\n";

// Writes the file entry by entry: every entry as it is, each followed by
// CR LF; no header, no quoting. An empty list gives an empty file. Nothing
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

}  // namespace veltra
