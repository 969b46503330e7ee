#include "text_lines.h"

#include <algorithm>
#include <cstring>

namespace veltra {

std::optional<std::string_view> LineReader::Next() {
    if (rest_.empty()) {
        return std::nullopt;
    }
    const char* const start = rest_.data();
    const char* const textEnd = start + rest_.size();
    if (nextLf_ == nullptr || nextLf_ < start) {
        const void* lf = std::memchr(start, '\n', rest_.size());
        nextLf_ = lf ? static_cast<const char*>(lf) : textEnd;
    }
    // A line ends at the first CR or LF; a CR can only come before the LF.
    const void* cr = std::memchr(start, '\r', static_cast<std::size_t>(nextLf_ - start));
    const std::size_t end =
        static_cast<std::size_t>((cr ? static_cast<const char*>(cr) : nextLf_) - start);
    const std::string_view line = rest_.substr(0, end);
    std::size_t breakSize = end < rest_.size() ? 1 : 0;
    if (rest_.substr(end).starts_with("\r\n")) {
        breakSize = 2;
    }
    rest_.remove_prefix(end + breakSize);
    return line;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    LineReader reader(text);
    while (const std::optional<std::string_view> line = reader.Next()) {
        lines.push_back(*line);
    }
    return lines;
}

std::size_t CountLines(std::string_view lines) {
    if (lines.empty()) {
        return 0;
    }
    // Every CR ends a line, and every LF but one right after a CR. One pass
    // without a branch, which the compiler widens to many bytes a step; each
    // block's count fits a byte.
    const auto* bytes = reinterpret_cast<const unsigned char*>(lines.data());
    std::size_t breaks = bytes[0] == '\r' || bytes[0] == '\n' ? 1 : 0;
    for (std::size_t i = 1; i < lines.size();) {
        const std::size_t blockEnd = std::min(lines.size(), i + 255);
        unsigned char blockBreaks = 0;
        for (; i < blockEnd; ++i) {
            blockBreaks += (bytes[i] == '\r') | ((bytes[i] == '\n') & (bytes[i - 1] != '\r'));
        }
        breaks += blockBreaks;
    }
    // The last line may end without a break.
    const bool endsWithBreak = lines.back() == '\r' || lines.back() == '\n';
    return breaks + (endsWithBreak ? 0 : 1);
}

std::optional<std::size_t> UnfinishedLastLine(std::string_view lines) {
    if (lines.empty() || lines.ends_with('\r') || lines.ends_with('\n')) {
        return std::nullopt;
    }
    const std::size_t lastBreak = lines.find_last_of("\r\n");
    return lastBreak == std::string_view::npos ? 0 : lastBreak + 1;
}

}  // namespace veltra
