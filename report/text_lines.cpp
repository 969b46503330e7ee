#include "text_lines.h"

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

std::size_t CountLines(std::string_view text) {
    const std::string_view lines = text.substr(0, text.find('\0'));
    if (lines.find('\r') == std::string_view::npos) {
        // Every LF ends a line: one search per line instead of the reader's
        // two. Logs written on Linux hold no CR at all.
        std::size_t count = 0;
        const char* const end = lines.data() + lines.size();
        for (const char* at = lines.data(); at != end; ++count) {
            const void* lf = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
            at = lf ? static_cast<const char*>(lf) + 1 : end;
        }
        return count;
    }
    std::size_t count = 0;
    LineReader reader(lines);
    while (reader.Next()) {
        ++count;
    }
    return count;
}

std::optional<std::size_t> UnfinishedLastLine(std::string_view text) {
    const std::string_view lines = text.substr(0, text.find('\0'));
    if (lines.empty() || lines.ends_with('\r') || lines.ends_with('\n')) {
        return std::nullopt;
    }
    const std::size_t lastBreak = lines.find_last_of("\r\n");
    return lastBreak == std::string_view::npos ? 0 : lastBreak + 1;
}

}  // namespace veltra
