#include "missing_entries.h"

#include <algorithm>
#include <array>

#include "text_lines.h"

namespace veltra {

MissingEntryFields SplitMissingEntry(std::string_view line) {
    std::array<std::string_view, 3> fields;
    std::size_t start = 0;
    for (std::string_view& field : fields) {
        if (start > line.size()) {
            break;
        }
        const std::size_t end = std::min(line.find(';', start), line.size());
        field = line.substr(start, end - start);
        start = end + 1;
    }
    return {fields[0], fields[1], fields[2]};
}

std::vector<MissingEntryFields> ReadMissingEntries(std::string_view text) {
    std::vector<MissingEntryFields> entries;
    for (const std::string_view line : SplitLines(text)) {
        if (!line.empty()) {
            entries.push_back(SplitMissingEntry(line));
        }
    }
    return entries;
}

}  // namespace veltra
