#include "posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace veltra {

namespace {

IoFailure SystemFailure(int error) {
    return IoFailure(std::strerror(error));
}

// A path cut short at a NUL byte would name another file, so it names none.
bool NamesNoFile(const std::string& path) {
    return path.find('\0') != std::string::npos;
}

// Closes the descriptor when the scope ends, whichever way it ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    // Hands the descriptor to whoever closes it from now on.
    void Release() { fd_ = -1; }
    // Closes now, so that a failure to close can be reported.
    int Close() { return ::close(std::exchange(fd_, -1)); }

private:
    int fd_;
};

void WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw SystemFailure(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

int OpenForReading(const std::string& path, int extraFlags = 0) {
    if (NamesNoFile(path)) {
        throw SystemFailure(ENOENT);
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | extraFlags);
    if (fd < 0) {
        throw SystemFailure(errno);
    }
    return fd;
}

// Everything up to the end of a regular file: up to the size it had when
// looked at, which spares asking once more for the end, or, for a file
// claiming to be empty as the kernel's own do, until it reports its end.
std::string ReadFrom(int fd, std::optional<std::size_t> regularSize) {
    if (regularSize == 0u) {
        regularSize.reset();
    }
    std::string bytes;
    try {
        bytes.resize(regularSize ? *regularSize : 64 * 1024);
    } catch (const std::exception&) {
        // A file larger than the memory that can be had for it.
        throw SystemFailure(ENOMEM);
    }
    std::size_t size = 0;
    for (;;) {
        if (size == bytes.size()) {
            if (regularSize) {
                break;
            }
            try {
                bytes.resize(bytes.size() * 2);
            } catch (const std::exception&) {
                throw SystemFailure(ENOMEM);
            }
        }
        const ssize_t got = ::read(fd, bytes.data() + size, bytes.size() - size);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw SystemFailure(errno);
        }
        if (got == 0) {
            break;
        }
        size += static_cast<std::size_t>(got);
    }
    bytes.resize(size);
    return bytes;
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
    // Non-blocking, so that a log named after a pipe fails instead of waiting
    // for a writer for ever; only a regular file is read at all.
    const Descriptor file(OpenForReading(path, O_NONBLOCK));
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        throw SystemFailure(errno);
    }
    if (S_ISDIR(status.st_mode)) {
        throw SystemFailure(EISDIR);
    }
    if (!S_ISREG(status.st_mode)) {
        throw IoFailure("Not a regular file");
    }
    return ReadFrom(file.get(), static_cast<std::size_t>(status.st_size));
}

std::optional<std::string> PosixFileSystem::ReadRegularFile(const std::string& path) const {
    // Looking first means nothing but a regular file is ever opened.
    struct stat status {};
    if (NamesNoFile(path) || ::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    // Non-blocking, so that a path swapped for a pipe meanwhile cannot hang.
    const Descriptor file(OpenForReading(path, O_NONBLOCK));
    return ReadFrom(file.get(), static_cast<std::size_t>(status.st_size));
}

std::string PosixFileSystem::WriteTemporaryFileBeside(const std::string& target,
                                                      std::string_view bytes) {
    if (NamesNoFile(target)) {
        throw SystemFailure(ENOENT);
    }
    // Named after the target so that a leftover is easy to recognise; the
    // process id and a counter keep two writers apart.
    static unsigned attempt = 0;
    std::string temporary;
    int fd = -1;
    for (int tries = 0; fd < 0 && tries < 100; ++tries) {
        temporary =
            target + "." + std::to_string(::getpid()) + "-" + std::to_string(++attempt) + ".tmp";
        // 0666 as for any new file; the umask trims it.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        throw SystemFailure(errno);
    }

    Descriptor file(fd);
    try {
        WriteAll(file.get(), bytes);
        // The data must be on disk before the rename makes it the file.
        if (::fsync(file.get()) != 0 || file.Close() != 0) {
            throw SystemFailure(errno);
        }
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    return temporary;
}

void PosixFileSystem::Rename(const std::string& from, const std::string& to) {
    if (NamesNoFile(from) || NamesNoFile(to)) {
        throw SystemFailure(ENOENT);
    }
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        throw SystemFailure(errno);
    }
}

void PosixFileSystem::Remove(const std::string& path) noexcept {
    if (!NamesNoFile(path)) {
        ::unlink(path.c_str());
    }
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
