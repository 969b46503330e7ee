#pragma once

#include <string>
#include <string_view>

namespace veltra {

// Code page 1250 text as UTF-8. ASCII is unchanged; the five byte values the
// code page leaves undefined map to the control characters of the same
// number, as Windows maps them, so every byte has exactly one result.
std::string Cp1250ToUtf8(std::string_view text);

// Appends the UTF-8 form of one Unicode code point.
void AppendUtf8(std::string& out, char32_t code);

}  // namespace veltra
