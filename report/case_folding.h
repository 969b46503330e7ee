#pragma once

#include <string>
#include <string_view>

namespace veltra {

// UTF-8 text with Unicode's full case folding applied, so that two names
// that differ only in letter case, "Łąka" and "ŁĄKA" or "Straße" and
// "STRASSE", fold to the same text. Bytes that are not valid UTF-8 stay as
// they are, so any file name has a folding.
std::string FoldCase(std::string_view utf8);

}  // namespace veltra
