#pragma once

#include <string_view>
#include <vector>

namespace veltra {

// One line of "braki naradowosci.csv", as the report run joined it:
// performer;title;path. The views point into the text that was read.
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
