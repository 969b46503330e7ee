#include "duration.h"

#include <charconv>

#include "integer_text.h"

namespace veltra {

namespace {

// Characters `first` and `first + 1` (counted from 1), cut short at the end.
std::int32_t ReadPair(std::string_view text, std::size_t first) {
    const std::size_t start = first - 1;
    return start < text.size() ? ReadInteger(text.substr(start, 2), 0) : 0;
}

}  // namespace

std::int32_t CzasNaSekundy(std::string_view text) {
    // Pieces are at most two digits, so no sum here can overflow.
    if (text.size() == 8) {
        return ReadPair(text, 1) * 3600 + ReadPair(text, 4) * 60 + ReadPair(text, 7);
    }
    return ReadPair(text, 1) * 60 + ReadPair(text, 4);
}

std::string SekundyNaCzas(std::int64_t seconds) {
    return std::string(DurationText(seconds).view());
}

DurationText::DurationText(std::int64_t seconds) {
    // Hours are kept to 32 bits; the sums this program sees never come near.
    const auto hours = static_cast<std::int32_t>(seconds / 3600);
    const std::int64_t minutes = seconds % 3600 / 60;
    const std::int64_t secs = seconds % 3600 % 60;

    char* out = buffer_.data();
    char* const end = buffer_.data() + buffer_.size();
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
    size_ = static_cast<std::size_t>(out - buffer_.data());
}

}  // namespace veltra
