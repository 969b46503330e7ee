#include "file_system.h"

namespace veltra {

std::optional<std::string> FileSystem::ReadRegularFile(const std::string& path) const {
    if (!IsRegularFile(path)) {
        return std::nullopt;
    }
    return ReadWholeFile(path);
}

}  // namespace veltra
