#include "description_file.h"

#include "log_record.h"
#include "text_lines.h"

namespace veltra {

std::string DescriptionFilePath(std::string_view audioPath) {
    // Logs written on Windows use "\" and drive colons; Linux paths use "/".
    const std::size_t nameStart = audioPath.find_last_of("\\:/") + 1;  // npos + 1 is 0
    const std::size_t dot = audioPath.rfind('.');
    const std::size_t stemEnd =
        dot != std::string_view::npos && dot >= nameStart ? dot : audioPath.size();
    std::string path(audioPath.substr(0, stemEnd));
    path += ".dat";
    return path;
}

bool MarksDebut(std::string_view descriptionText) {
    LineReader lines(descriptionText);
    while (const std::optional<std::string_view> next = lines.Next()) {
        const std::string_view line = *next;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || !EqualsAsciiUpper(line.substr(0, equals), "KOD")) {
            continue;
        }
        return line.find_first_of("nN", equals + 1) != std::string_view::npos;
    }
    return false;
}

}  // namespace veltra
