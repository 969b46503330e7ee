#pragma once

#include "file_system.h"

namespace veltra {

// The real file system, through POSIX calls (and Linux's /proc).
class PosixFileSystem final : public FileSystem {
public:
    bool IsRegularFile(const std::string& path) const override;
    std::string ReadWholeFile(const std::string& path) const override;
    std::optional<std::string> ReadWholeFileWhile(const std::string& path,
                                                  const std::function<bool()>& goOn,
                                                  std::string buffer) const override;
    std::optional<std::string> ReadRegularFile(const std::string& path) const override;
    std::vector<std::string> ListDirectory(const std::string& path) const override;
    // Looks through the open files of the processes this user may see.
    bool IsOpenForWriting(const std::string& path) const override;
    // Its device and inode.
    std::string DirectoryIdentity(const std::string& path) const override;
    bool IsWritableDirectory(const std::string& path) const override;
    void CreateDirectories(const std::string& path) override;
    std::unique_ptr<FileReplacement> StartReplacing(const std::string& path,
                                                    SpecialTarget special) override;
};

}  // namespace veltra
