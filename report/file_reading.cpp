#include "file_reading.h"

#include <filesystem>
#include <system_error>

#include "file_error.h"
#include "file_system.h"

namespace veltra {

namespace {

// A description file's path comes from a log and may be relative; the user
// is told which file on disk failed.
std::string FullPath(const std::string& path) {
    try {
        return AbsolutePath(path);
    } catch (const IoFailure&) {
        return path;
    }
}

}  // namespace

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    std::string full = std::filesystem::absolute(path, error).string();
    if (error) {
        throw IoFailure(error.message());
    }
    return full;
}

std::string ReadFileOrFail(const FileSystem& fileSystem, const std::string& path) {
    try {
        return fileSystem.ReadWholeFile(path);
    } catch (const IoFailure& failure) {
        throw CannotOpenFile(FullPath(path), failure.what());
    }
}

std::optional<std::string> ReadRegularFileOrFail(const FileSystem& fileSystem,
                                                 const std::string& path) {
    try {
        return fileSystem.ReadRegularFile(path);
    } catch (const IoFailure& failure) {
        throw CannotOpenFile(FullPath(path), failure.what());
    }
}

}  // namespace veltra
