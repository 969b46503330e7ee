#include "file_reading.h"

#include "file_error.h"
#include "file_system.h"

namespace veltra {

std::string ReadFileOrFail(const FileSystem& fileSystem, const std::string& path) {
    try {
        return fileSystem.ReadWholeFile(path);
    } catch (const IoFailure& failure) {
        throw CannotOpenFile(path, failure.what());
    }
}

std::optional<std::string> ReadRegularFileOrFail(const FileSystem& fileSystem,
                                                 const std::string& path) {
    try {
        return fileSystem.ReadRegularFile(path);
    } catch (const IoFailure& failure) {
        throw CannotOpenFile(path, failure.what());
    }
}

}  // namespace veltra
