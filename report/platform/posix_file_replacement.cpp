#include "posix_file_replacement.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <optional>

#include "posix_descriptor.h"
#include "replacement_support.h"

namespace veltra {

namespace {

using posix::Descriptor;
using posix::SystemFailure;
using posix::Uninterrupted;
using posix::WriteAll;

// As many links as the kernel itself follows before giving up.
constexpr int kMaxLinks = 40;

// What a name leads to once every symbolic link is followed.
struct Target {
    enum class Kind : unsigned char { Absent, Regular, Special, OwnDescriptor };
    Kind kind = Kind::Absent;
    std::string folder;  // canonical
    std::string name;
    struct stat status {};
    int descriptor = -1;  // OwnDescriptor: a descriptor this process holds

    std::string Path() const { return folder == "/" ? "/" + name : folder + "/" + name; }
};

std::string CanonicalFolder(const std::string& folder) {
    char* real = ::realpath(folder.c_str(), nullptr);
    if (real == nullptr) {
        throw SystemFailure(errno);
    }
    std::string canonical(real);
    std::free(real);
    return canonical;
}

std::string ReadLink(const std::string& path) {
    std::array<char, PATH_MAX> link{};
    const ssize_t size = ::readlink(path.c_str(), link.data(), link.size());
    if (size < 0) {
        throw SystemFailure(errno);
    }
    if (static_cast<std::size_t>(size) == link.size()) {
        throw SystemFailure(ENAMETOOLONG);
    }
    return std::string(link.data(), static_cast<std::size_t>(size));
}

std::optional<int> ParseNumber(std::string_view digits) {
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return number;
}

// "/dev/stdout" leads to "/proc/self/fd/1", which is not a path to follow but
// the descriptor itself; writing through it keeps its place in the file.
std::optional<int> OwnDescriptor(const std::string& folder, const std::string& name) {
    if (folder != "/proc/" + std::to_string(::getpid()) + "/fd") {
        return std::nullopt;
    }
    return ParseNumber(name);
}

Target Examine(std::string path) {
    for (int links = 0; links <= kMaxLinks; ++links) {
        const std::size_t slash = path.rfind('/');
        Target target;
        target.name = slash == std::string::npos ? path : path.substr(slash + 1);
        if (target.name.empty() || target.name == "." || target.name == "..") {
            throw SystemFailure(EISDIR);
        }
        target.folder = CanonicalFolder(slash == std::string::npos ? "."
                                        : slash == 0               ? "/"
                                                                   : path.substr(0, slash));
        if (const std::optional<int> descriptor = OwnDescriptor(target.folder, target.name)) {
            target.kind = Target::Kind::OwnDescriptor;
            target.descriptor = *descriptor;
            return target;
        }
        const std::string full = target.Path();
        if (::lstat(full.c_str(), &target.status) != 0) {
            if (errno != ENOENT) {
                throw SystemFailure(errno);
            }
            target.kind = Target::Kind::Absent;
            return target;
        }
        if (S_ISLNK(target.status.st_mode)) {
            const std::string link = ReadLink(full);
            path = link.starts_with('/') ? link : target.folder + "/" + link;
            continue;
        }
        if (S_ISDIR(target.status.st_mode)) {
            throw SystemFailure(EISDIR);
        }
        target.kind =
            S_ISREG(target.status.st_mode) ? Target::Kind::Regular : Target::Kind::Special;
        return target;
    }
    throw SystemFailure(ELOOP);
}

// Removes the temporary files of processes that died holding one. Those of
// living processes are theirs to finish.
void RemoveLeftovers(int folder) {
    const int listing = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    DIR* const entries = listing < 0 ? nullptr : ::fdopendir(listing);
    if (entries == nullptr) {
        if (listing >= 0) {
            ::close(listing);
        }
        return;
    }
    while (const dirent* entry = ::readdir(entries)) {
        const std::optional<unsigned long> owner = TemporaryOwner(entry->d_name);
        if (owner && *owner > 0 && *owner <= INT_MAX &&
            ::kill(static_cast<pid_t>(*owner), 0) != 0 && errno == ESRCH) {
            ::unlinkat(folder, entry->d_name, 0);
        }
    }
    ::closedir(entries);
}

// A device, pipe or terminal the user named: written as it is, since it
// keeps no previous content to protect.
class DirectReplacement final : public BufferedReplacement {
public:
    explicit DirectReplacement(Descriptor file) : file_(std::move(file)) {}

private:
    void WriteOut(std::string_view bytes) override { WriteAll(file_.get(), bytes); }
    void Finish() override {}

    Descriptor file_;
};

Descriptor OpenDirect(const Target& target) {
    const int fd = target.kind == Target::Kind::OwnDescriptor
                       ? ::fcntl(target.descriptor, F_DUPFD_CLOEXEC, 0)
                       : ::open(target.Path().c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        throw SystemFailure(errno);
    }
    return Descriptor(fd);
}

// The new content goes to a file of its own in the target's folder first.
class StagedReplacement final : public BufferedReplacement {
public:
    explicit StagedReplacement(const Target& target)
        : name_(target.name),
          inPlace_(target.kind == Target::Kind::Regular && target.status.st_nlink > 1) {
        folder_ = Descriptor(::open(target.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder_.get() < 0) {
            throw SystemFailure(errno);
        }
        RemoveLeftovers(folder_.get());
        // A new file gets what any new file gets; an old one keeps its bits.
        const mode_t mode =
            target.kind == Target::Kind::Regular ? target.status.st_mode & 07777 : 0666;
        try {
            CreateTemporary(folder_.get(), mode);
            if (target.kind == Target::Kind::Regular && !inPlace_) {
                KeepOwnerAndMode(target.status);
            }
        } catch (const IoFailure& failure) {
            RemoveTemporaryName();
            const int error = failure.code().value();
            if (error != EACCES && error != EPERM && error != EROFS) {
                throw;
            }
            // A file the user may write in a folder the user may not (a
            // shared list, reached through a link) is rewritten in place,
            // its content staged outside the folder.
            if (target.kind != Target::Kind::Regular ||
                ::faccessat(folder_.get(), name_.c_str(), W_OK, AT_EACCESS) != 0) {
                throw IoFailure(failure.what() + std::string(" in the folder \"") + target.folder +
                                '"');
            }
            inPlace_ = true;
            StageElsewhere();
        }
    }

    StagedReplacement(const StagedReplacement&) = delete;
    StagedReplacement& operator=(const StagedReplacement&) = delete;
    ~StagedReplacement() override { RemoveTemporaryName(); }

private:
    // A new file in `folder`, which takes the target's name in the end.
    void CreateTemporary(int folder, mode_t mode) {
        // Unnamed, so that a process killed while writing leaves nothing.
        int fd = ::openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
        if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
            for (int tries = 0; fd < 0 && tries < 100; ++tries) {
                const std::string name = TemporaryName(static_cast<unsigned long>(::getpid()));
                fd = ::openat(folder, name.c_str(),
                              O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
                if (fd >= 0) {
                    temporaryName_ = name;
                } else if (errno != EEXIST) {
                    break;
                }
            }
        }
        if (fd < 0) {
            throw SystemFailure(errno);
        }
        file_ = Descriptor(fd);
    }

    // The staged content in the user's temporary folder, for the user alone,
    // its name gone at once: it is only ever copied from.
    void StageElsewhere() {
        const char* folder = std::getenv("TMPDIR");
        const Descriptor temporary(::open(folder != nullptr && *folder != '\0' ? folder : "/tmp",
                                          O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (temporary.get() < 0) {
            throw SystemFailure(errno);
        }
        CreateTemporary(temporary.get(), 0600);
        if (!temporaryName_.empty()) {
            ::unlinkat(temporary.get(), temporaryName_.c_str(), 0);
            temporaryName_.clear();
        }
    }

    void KeepOwnerAndMode(const struct stat& status) {
        // Only a privileged process may give the file away; anyone else
        // keeps it as their own, which is no failure. The owner goes first,
        // since a change of owner clears the set-id bits.
        if (::fchown(file_.get(), status.st_uid, status.st_gid) != 0) {
            ::fchown(file_.get(), static_cast<uid_t>(-1), status.st_gid);
        }
        if (::fchmod(file_.get(), status.st_mode & 07777) != 0) {
            throw SystemFailure(errno);
        }
    }

    void WriteOut(std::string_view bytes) override { WriteAll(file_.get(), bytes); }

    void Finish() override {
        // The data must be on disk before the name points to it.
        if (::fsync(file_.get()) != 0) {
            throw SystemFailure(errno);
        }
        if (inPlace_) {
            CopyInPlace();
            return;
        }
        if (temporaryName_.empty()) {
            LinkUnderTemporaryName();
        }
        if (::renameat(folder_.get(), temporaryName_.c_str(), folder_.get(), name_.c_str()) != 0) {
            throw SystemFailure(errno);
        }
        temporaryName_.clear();
        // The rename itself must reach the disk, or a power cut may undo it.
        if (::fsync(folder_.get()) != 0 && errno != EINVAL) {
            throw SystemFailure(errno);
        }
    }

    void LinkUnderTemporaryName() {
        // Through /proc any user may link the file; with AT_EMPTY_PATH only
        // a privileged one, but it needs no /proc.
        const std::string self = "/proc/self/fd/" + std::to_string(file_.get());
        for (int tries = 0; tries < 100; ++tries) {
            const std::string name = TemporaryName(static_cast<unsigned long>(::getpid()));
            int linked =
                ::linkat(AT_FDCWD, self.c_str(), folder_.get(), name.c_str(), AT_SYMLINK_FOLLOW);
            if (linked != 0 && errno == ENOENT) {
                linked = ::linkat(file_.get(), "", folder_.get(), name.c_str(), AT_EMPTY_PATH);
            }
            if (linked == 0) {
                temporaryName_ = name;
                return;
            }
            if (errno != EEXIST) {
                throw SystemFailure(errno);
            }
        }
        throw SystemFailure(EEXIST);
    }

    // Every other name of the file must see the new content, so the file
    // itself is rewritten; a process killed meanwhile leaves it torn.
    void CopyInPlace() {
        const Descriptor target(
            ::openat(folder_.get(), name_.c_str(), O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
        if (target.get() < 0 || ::ftruncate(target.get(), 0) != 0) {
            throw SystemFailure(errno);
        }
        std::string block(kWriteBlock, '\0');
        for (off_t offset = 0;;) {
            const std::size_t got = Uninterrupted(
                [&] { return ::pread(file_.get(), block.data(), block.size(), offset); });
            if (got == 0) {
                break;
            }
            WriteAll(target.get(), std::string_view(block.data(), got));
            offset += static_cast<off_t>(got);
        }
        if (::fsync(target.get()) != 0) {
            throw SystemFailure(errno);
        }
    }

    void RemoveTemporaryName() noexcept {
        if (!temporaryName_.empty()) {
            ::unlinkat(folder_.get(), temporaryName_.c_str(), 0);
            temporaryName_.clear();
        }
    }

    Descriptor folder_;
    Descriptor file_;
    std::string name_;
    // Set while the new content has a name of its own.
    std::string temporaryName_;
    bool inPlace_;
};

}  // namespace

std::unique_ptr<FileReplacement> ReplacePosixFile(const std::string& path, SpecialTarget special) {
    if (path.empty() || posix::NamesNoFile(path)) {
        throw SystemFailure(ENOENT);
    }
    const Target target = Examine(path);
    switch (target.kind) {
        case Target::Kind::Absent:
        case Target::Kind::Regular:
            return std::make_unique<StagedReplacement>(target);
        case Target::Kind::Special:
        case Target::Kind::OwnDescriptor:
            break;
    }
    if (special == SpecialTarget::Refuse) {
        throw IoFailure("Not a regular file");
    }
    return std::make_unique<DirectReplacement>(OpenDirect(target));
}

}  // namespace veltra
