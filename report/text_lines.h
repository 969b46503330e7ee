#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace veltra {

// A whole file's text up to its first NUL byte, where its lines end: a
// writer that lays out its file ahead fills the rest with NULs.
inline std::string_view TextBeforeNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// Reads a whole file's text line by line, the way logs and description files
// are read: the text ends at the first NUL byte; a line ends at CR, LF or
// CR LF (LF CR is two breaks); a break at the very end adds no empty line.
// The views point into the text.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(TextBeforeNul(text)) {}

    // Over a text that TextBeforeNul has cut already, which is not searched
    // for a NUL again: a log's text is walked more than once.
    static LineReader OverTextBeforeNul(std::string_view lines) {
        LineReader reader;
        reader.rest_ = lines;
        return reader;
    }

    // The next line, or nullopt after the last one.
    std::optional<std::string_view> Next();

private:
    LineReader() = default;

    std::string_view rest_;
    // The first LF at or after the start of rest_, or its end; null until
    // looked for, and looked for again only once passed, so that a text
    // without any costs one search.
    const char* nextLf_ = nullptr;
};

// All lines of a text at once, by the rules of LineReader.
std::vector<std::string_view> SplitLines(std::string_view text);

// How many lines LineReader finds in a text that TextBeforeNul has cut,
// without keeping them.
std::size_t CountLines(std::string_view lines);

// Where a last line without its line break begins in a text that
// TextBeforeNul has cut; nullopt when there is no such line.
std::optional<std::size_t> UnfinishedLastLine(std::string_view lines);

}  // namespace veltra
