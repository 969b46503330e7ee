#pragma once

#include <cstdint>
#include <string_view>

namespace veltra {

// The whole text as a signed 32-bit number, or `fallback` when it is not one:
// leading spaces, one optional sign, then decimal digits, or hexadecimal ones
// after "$", "x", "X", "0x" or "0X", up to the very end of the text.
std::int32_t ReadInteger(std::string_view text, std::int32_t fallback);

}  // namespace veltra
