#pragma once

#include <chrono>

#include "posix_file_system.h"

namespace veltra::bench {

// The real file system as if it were a network share: every system call it
// makes waits a fixed round trip first. Reads only; the CSV file is written
// without delay.
class DelayedFileSystem final : public FileSystem {
public:
    explicit DelayedFileSystem(std::chrono::microseconds perCall) : perCall_(perCall) {}

    bool IsRegularFile(const std::string& path) const override;
    std::string ReadWholeFile(const std::string& path) const override;
    std::optional<std::string> ReadRegularFile(const std::string& path) const override;
    std::unique_ptr<FileReplacement> StartReplacing(const std::string& path,
                                                    SpecialTarget special) override;
    std::vector<std::string> ListDirectory(const std::string& path) const override;
    bool IsWritableDirectory(const std::string& path) const override;
    void CreateDirectories(const std::string& path) override;

private:
    void Wait(int calls) const;

    PosixFileSystem local_;
    std::chrono::microseconds perCall_;
};

}  // namespace veltra::bench
