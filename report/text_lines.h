#pragma once

#include <string_view>
#include <vector>

namespace veltra {

// Splits a whole file's text into lines the way the logs are read: the text
// ends at the first NUL byte; a line ends at CR, LF or CR LF (LF CR is two
// breaks); a break at the very end adds no empty line. The views point into
// `text`.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace veltra
