#include "number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace veltra {

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool StartsHexadecimal(std::string_view& digits) {
    if (digits.starts_with('$') || digits.starts_with('x') || digits.starts_with('X')) {
        digits.remove_prefix(1);
        return true;
    }
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        digits.remove_prefix(2);
        return true;
    }
    return false;
}

// Characters `first` and `first + 1` (counted from 1), cut short at the end.
std::int32_t ReadPair(std::string_view text, std::size_t first) {
    const std::size_t start = first - 1;
    if (start >= text.size()) {
        return 0;
    }
    const std::string_view pair = text.substr(start, 2);
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    // Nearly every pair: two digits, which the general rules read alike.
    if (pair.size() == 2 && isDigit(pair[0]) && isDigit(pair[1])) {
        return (pair[0] - '0') * 10 + (pair[1] - '0');
    }
    return ReadInteger(pair, 0);
}

}  // namespace

std::int32_t ReadInteger(std::string_view text, std::int32_t fallback) {
    std::string_view rest = text.substr(std::min(text.find_first_not_of(' '), text.size()));
    bool negative = false;
    if (rest.starts_with('+') || rest.starts_with('-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    const bool hexadecimal = StartsHexadecimal(rest);
    if (rest.empty()) {
        return fallback;
    }

    const std::int64_t base = hexadecimal ? 16 : 10;
    // A hexadecimal text names the 32 bits themselves, so it may go up to
    // 0xFFFFFFFF; a decimal one must fit the signed range.
    const std::int64_t limit =
        hexadecimal ? std::numeric_limits<std::uint32_t>::max()
                    : std::int64_t{std::numeric_limits<std::int32_t>::max()} + (negative ? 1 : 0);
    std::int64_t value = 0;
    for (char c : rest) {
        const int digit = HexDigitValue(c);
        if (digit < 0 || digit >= base) {
            return fallback;
        }
        value = value * base + digit;
        if (value > limit) {
            return fallback;
        }
    }
    const auto bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(bits)) : bits;
}

std::int32_t CzasNaSekundy(std::string_view text) {
    // Pieces are at most two digits, so no sum here can overflow.
    if (text.size() == 8) {
        return ReadPair(text, 1) * 3600 + ReadPair(text, 4) * 60 + ReadPair(text, 7);
    }
    return ReadPair(text, 1) * 60 + ReadPair(text, 4);
}

std::string SekundyNaCzas(std::int64_t seconds) {
    // Hours are kept to 32 bits; the sums this program sees never come near.
    const auto hours = static_cast<std::int32_t>(seconds / 3600);
    const std::int64_t minutes = seconds % 3600 / 60;
    const std::int64_t secs = seconds % 3600 % 60;

    // "0-2147483648:0-59:0-59" is the longest text.
    std::array<char, 24> buffer;
    char* out = buffer.data();
    char* const end = buffer.data() + buffer.size();
    const auto writePart = [&](std::int64_t part) {
        // A signed test: a negative part gets the "0" too (0-5).
        if (part < 10) {
            *out++ = '0';
        }
        out = std::to_chars(out, end, part).ptr;
    };
    writePart(hours);
    *out++ = ':';
    writePart(minutes);
    *out++ = ':';
    writePart(secs);
    return std::string(buffer.data(), out);
}

}  // namespace veltra
