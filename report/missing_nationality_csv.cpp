#include "missing_nationality_csv.h"

#include "file_error.h"
#include "file_system.h"

namespace veltra {

std::string MissingNationalityCsvBytes(const std::vector<std::string>& entries) {
    std::size_t size = 0;
    for (const std::string& entry : entries) {
        size += entry.size() + 2;
    }
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& entry : entries) {
        bytes.append(entry).append("\r\n");
    }
    return bytes;
}

void SaveMissingNationalityCsv(FileSystem& fileSystem, const std::string& csvPath,
                               const std::vector<std::string>& entries) {
    std::string temporary;
    try {
        temporary =
            fileSystem.WriteTemporaryFileBeside(csvPath, MissingNationalityCsvBytes(entries));
        fileSystem.Rename(temporary, csvPath);
    } catch (const IoFailure& failure) {
        if (!temporary.empty()) {
            fileSystem.Remove(temporary);
        }
        throw CannotCreateFile(csvPath, failure.what());
    }
}

}  // namespace veltra
