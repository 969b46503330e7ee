#include "log_record.h"

namespace veltra {

namespace {

bool IsControlOrBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::optional<LogRecord> LogRecord::FromLine(std::string_view line) {
    LogRecord record;
    std::size_t count = 0;
    std::size_t start = 0;
    // One pass over the bytes: fields are a few bytes long, shorter than a
    // search call pays for.
    for (std::size_t end = 0; end < line.size(); ++end) {
        if (line[end] != ';') {
            continue;
        }
        if (count == kRecordFieldCount) {
            return std::nullopt;
        }
        record.fields_[count++] = TrimControls(line.substr(start, end - start));
        start = end + 1;
    }
    if (count != kRecordFieldCount) {
        return std::nullopt;
    }
    return record;
}

std::string_view TrimControls(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsControlOrBlank(text[first])) {
        ++first;
    }
    while (last > first && IsControlOrBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

bool EqualsAsciiUpper(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (AsciiUpper(text[i]) != upper[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace veltra
