#pragma once

#include <string>

namespace veltra {

class FileSystem;

// The whole file, or FileError "Cannot open file "<path>". <cause>".
std::string ReadFileOrFail(const FileSystem& fileSystem, const std::string& path);

}  // namespace veltra
