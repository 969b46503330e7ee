#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veltra {

// Numbers and durations as the logs write them and the window shows them.

// The whole text as a signed 32-bit number, or `fallback` when it is not one:
// leading spaces, one optional sign, then decimal digits, or hexadecimal ones
// after "$", "x", "X", "0x" or "0X", up to the very end of the text.
std::int32_t ReadInteger(std::string_view text, std::int32_t fallback);

// The seconds of a log's duration text: HH:MM:SS when exactly 8 characters
// long, MM:SS otherwise. Only the digit pairs are read; a pair that is not a
// number counts as 0.
std::int32_t CzasNaSekundy(std::string_view text);

// A sum of seconds as the window shows it: 00:03:25, 123:44:05.
std::string SekundyNaCzas(std::int64_t seconds);

}  // namespace veltra
