#include "posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "posix_descriptor.h"
#include "posix_file_replacement.h"
#include "read_to_end.h"

namespace veltra {

namespace {

using posix::Descriptor;
using posix::NamesNoFile;
using posix::SystemFailure;
using posix::Uninterrupted;

// Non-blocking, so that a pipe named where a file is expected fails or is
// passed over instead of waiting for a writer for ever; never taken as the
// controlling terminal.
constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

int OpenForReading(const std::string& path, int extraFlags = 0) {
    if (NamesNoFile(path)) {
        throw SystemFailure(ENOENT);
    }
    const int fd = ::open(path.c_str(), kReadFlags | extraFlags);
    if (fd < 0) {
        throw SystemFailure(errno);
    }
    return fd;
}

struct stat Examine(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        throw SystemFailure(errno);
    }
    return status;
}

std::optional<std::string> ReadFrom(int fd, std::size_t size, const std::function<bool()>& goOn,
                                    std::string buffer) {
    return ReadToEndWhile(
        size,
        [fd](std::span<char> space) {
            return Uninterrupted([&] { return ::read(fd, space.data(), space.size()); });
        },
        [] { return SystemFailure(ENOMEM); }, goOn, std::move(buffer));
}

struct CloseDirectory {
    void operator()(DIR* stream) const { ::closedir(stream); }
};
using DirectoryStream = std::unique_ptr<DIR, CloseDirectory>;

DirectoryStream OpenDirectory(const std::string& path) {
    return DirectoryStream(::opendir(path.c_str()));
}

// Whether the open file that /proc shows at `process`/fd/`fd` was opened
// for writing: its fdinfo gives the flags it was opened with, in octal.
bool OpenedForWriting(const std::string& process, const std::string& fd) {
    std::ifstream info(process + "/fdinfo/" + fd);
    std::string field;
    while (info >> field) {
        if (field == "flags:") {
            int flags = 0;
            info >> std::oct >> flags;
            return (flags & O_ACCMODE) != O_RDONLY;
        }
    }
    return false;
}

// Whether `process` (its folder in /proc) holds the file open for writing.
// Another user's processes cannot be looked into, and are passed over.
bool HoldsForWriting(const std::string& process, const struct stat& file) {
    const DirectoryStream fds = OpenDirectory(process + "/fd");
    if (!fds) {
        return false;
    }
    while (const dirent* entry = ::readdir(fds.get())) {
        struct stat status {};
        if (entry->d_name[0] != '.' &&
            ::stat((process + "/fd/" + entry->d_name).c_str(), &status) == 0 &&
            status.st_dev == file.st_dev && status.st_ino == file.st_ino &&
            OpenedForWriting(process, entry->d_name)) {
            return true;
        }
    }
    return false;
}

bool IsDirectory(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

bool PosixFileSystem::IsRegularFile(const std::string& path) const {
    struct stat status {};
    return !NamesNoFile(path) && ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string PosixFileSystem::ReadWholeFile(const std::string& path) const {
    return *ReadWholeFileWhile(path, {}, {});
}

std::optional<std::string> PosixFileSystem::ReadWholeFileWhile(const std::string& path,
                                                               const std::function<bool()>& goOn,
                                                               std::string buffer) const {
    const Descriptor file(OpenForReading(path));
    const struct stat status = Examine(file.get());
    if (S_ISDIR(status.st_mode)) {
        throw SystemFailure(EISDIR);
    }
    if (!S_ISREG(status.st_mode)) {
        throw IoFailure("Not a regular file");
    }
    return ReadFrom(file.get(), static_cast<std::size_t>(status.st_size), goOn, std::move(buffer));
}

std::optional<std::string> PosixFileSystem::ReadRegularFile(const std::string& path) const {
    // Opened first and examined through the descriptor, so what is examined
    // is what is read, however the path changes meanwhile.
    if (NamesNoFile(path)) {
        return std::nullopt;
    }
    const Descriptor file(::open(path.c_str(), kReadFlags));
    if (file.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return std::nullopt;
        }
        throw SystemFailure(errno);
    }
    const struct stat status = Examine(file.get());
    if (!S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return ReadFrom(file.get(), static_cast<std::size_t>(status.st_size), {}, {});
}

std::unique_ptr<FileReplacement> PosixFileSystem::StartReplacing(const std::string& path,
                                                                 SpecialTarget special) {
    return ReplacePosixFile(path, special);
}

bool PosixFileSystem::IsOpenForWriting(const std::string& path) const {
    struct stat file {};
    if (NamesNoFile(path) || ::stat(path.c_str(), &file) != 0 || !S_ISREG(file.st_mode)) {
        return false;
    }
    const DirectoryStream processes = OpenDirectory("/proc");
    if (!processes) {
        return false;
    }
    while (const dirent* entry = ::readdir(processes.get())) {
        if (std::isdigit(static_cast<unsigned char>(entry->d_name[0])) &&
            HoldsForWriting(std::string("/proc/") + entry->d_name, file)) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> PosixFileSystem::ListDirectory(const std::string& path) const {
    // O_DIRECTORY refuses anything else before it could be opened, so a
    // pipe named where a folder is expected cannot hold the lookup.
    Descriptor folder(OpenForReading(path, O_DIRECTORY | O_NONBLOCK));
    DIR* stream = ::fdopendir(folder.get());
    if (stream == nullptr) {
        throw SystemFailure(errno);
    }
    folder.Release();
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = ::readdir(stream)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
        }
        errno = 0;
    }
    const int error = errno;
    ::closedir(stream);
    if (error != 0) {
        throw SystemFailure(error);
    }
    return names;
}

std::string PosixFileSystem::DirectoryIdentity(const std::string& path) const {
    if (NamesNoFile(path)) {
        throw SystemFailure(ENOENT);
    }
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        throw SystemFailure(errno);
    }
    if (!S_ISDIR(status.st_mode)) {
        throw SystemFailure(ENOTDIR);
    }
    return std::to_string(status.st_dev) + ':' + std::to_string(status.st_ino);
}

bool PosixFileSystem::IsWritableDirectory(const std::string& path) const {
    return !NamesNoFile(path) && IsDirectory(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

void PosixFileSystem::CreateDirectories(const std::string& path) {
    if (NamesNoFile(path) || path.empty()) {
        throw SystemFailure(ENOENT);
    }
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string folder = path.substr(0, end);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            throw SystemFailure(errno);
        }
        if (end == std::string::npos) {
            break;
        }
    }
    if (!IsDirectory(path)) {
        throw SystemFailure(ENOTDIR);
    }
}

}  // namespace veltra
