#pragma once

#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "file_system.h"

namespace veltra::posix {

inline IoFailure SystemFailure(int error) {
    return IoFailure(std::error_code(error, std::generic_category()));
}

// A path cut short at a NUL byte would name another file, so it names none.
inline bool NamesNoFile(const std::string& path) {
    return path.find('\0') != std::string::npos;
}

// Closes the descriptor when the scope ends, whichever way it ends.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        Descriptor(std::move(other)).Swap(*this);
        return *this;
    }
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
    void Swap(Descriptor& other) noexcept { std::swap(fd_, other.fd_); }

    int fd_ = -1;
};

// Calls `transfer` (a read or a write) again for as long as a signal
// interrupts it, and returns how many bytes it moved. Throws IoFailure.
template <typename Transfer>
std::size_t Uninterrupted(Transfer transfer) {
    for (;;) {
        const ssize_t moved = transfer();
        if (moved >= 0) {
            return static_cast<std::size_t>(moved);
        }
        if (errno != EINTR) {
            throw SystemFailure(errno);
        }
    }
}

// Writes every byte, resuming after interrupted and short writes. Throws
// IoFailure.
inline void WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        bytes.remove_prefix(Uninterrupted([&] { return ::write(fd, bytes.data(), bytes.size()); }));
    }
}

}  // namespace veltra::posix
