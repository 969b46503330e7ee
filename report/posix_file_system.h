#pragma once

#include "file_system.h"

namespace veltra {

// The real file system, through POSIX calls.
class PosixFileSystem final : public FileSystem {
public:
    bool IsRegularFile(const std::string& path) const override;
    std::string ReadWholeFile(const std::string& path) const override;
    std::optional<std::string> ReadRegularFile(const std::string& path) const override;
    std::string WriteTemporaryFileBeside(const std::string& target,
                                         std::string_view bytes) override;
    void Rename(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) noexcept override;
    std::vector<std::string> ListDirectory(const std::string& path) const override;
    bool IsWritableDirectory(const std::string& path) const override;
    void CreateDirectories(const std::string& path) override;
};

}  // namespace veltra
