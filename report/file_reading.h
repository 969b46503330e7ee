#pragma once

#include <optional>
#include <string>

namespace veltra {

class FileSystem;

// `path` made absolute against the working folder. Throws IoFailure when
// the working folder cannot be found (it was removed).
std::string AbsolutePath(const std::string& path);

// The whole file, or FileError "Cannot open file "<path>". <cause>".
std::string ReadFileOrFail(const FileSystem& fileSystem, const std::string& path);

// The whole regular file, nullopt when there is none, or the same FileError.
std::optional<std::string> ReadRegularFileOrFail(const FileSystem& fileSystem,
                                                 const std::string& path);

}  // namespace veltra
