#pragma once

#include "file_system.h"

namespace veltra {

// The real file system on Windows, through the wide-character calls. Paths
// are UTF-8, converted to UTF-16 for the system. Files are read as bytes,
// as they stand when opened, and shared with every other program meanwhile:
// reading a log never keeps the playout system from writing it.
class Win32FileSystem final : public FileSystem {
public:
    bool IsRegularFile(const std::string& path) const override;
    std::string ReadWholeFile(const std::string& path) const override;
    std::optional<std::string> ReadWholeFileWhile(const std::string& path,
                                                  const std::function<bool()>& goOn,
                                                  std::string buffer) const override;
    std::optional<std::string> ReadRegularFile(const std::string& path) const override;
    std::vector<std::string> ListDirectory(const std::string& path) const override;
    bool IsOpenForWriting(const std::string& path) const override;
    bool IsWritableDirectory(const std::string& path) const override;
    void CreateDirectories(const std::string& path) override;
    std::unique_ptr<FileReplacement> StartReplacing(const std::string& path,
                                                    SpecialTarget special) override;
    // Windows itself finds drive and share paths in any letter case.
    bool FindsWindowsPaths() const override { return true; }
};

}  // namespace veltra
