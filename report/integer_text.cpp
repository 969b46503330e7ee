#include "integer_text.h"

#include <algorithm>
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

}  // namespace veltra
