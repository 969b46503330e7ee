#include "delayed_file_system.h"

#include <thread>

namespace veltra::bench {

void DelayedFileSystem::Wait(int calls) const {
    if (perCall_.count() > 0) {
        std::this_thread::sleep_for(calls * perCall_);
    }
}

bool DelayedFileSystem::IsRegularFile(const std::string& path) const {
    Wait(1);  // stat
    return local_.IsRegularFile(path);
}

std::string DelayedFileSystem::ReadWholeFile(const std::string& path) const {
    Wait(4);  // open, fstat, read, close
    return local_.ReadWholeFile(path);
}

std::optional<std::string> DelayedFileSystem::ReadRegularFile(const std::string& path) const {
    Wait(1);  // open
    std::optional<std::string> bytes = local_.ReadRegularFile(path);
    if (bytes) {
        Wait(3);  // fstat, read, close
    }
    return bytes;
}

std::unique_ptr<FileReplacement> DelayedFileSystem::StartReplacing(const std::string& path,
                                                                   SpecialTarget special) {
    return local_.StartReplacing(path, special);
}

std::vector<std::string> DelayedFileSystem::ListDirectory(const std::string& path) const {
    Wait(4);  // open, fstat, getdents until it reports the end, close
    return local_.ListDirectory(path);
}

bool DelayedFileSystem::IsWritableDirectory(const std::string& path) const {
    return local_.IsWritableDirectory(path);
}

void DelayedFileSystem::CreateDirectories(const std::string& path) {
    local_.CreateDirectories(path);
}

}  // namespace veltra::bench
