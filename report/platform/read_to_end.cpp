#include "read_to_end.h"

#include <algorithm>
#include <exception>

namespace veltra {

namespace {

// The first read of a file of unknown size; doubled while it fills up.
constexpr std::size_t kFirstRead = 64 * 1024;

// The most one read takes in: a few milliseconds' reading.
constexpr std::size_t kPiece = 4 << 20;

void Resize(std::string& bytes, std::size_t size, IoFailure (*outOfMemory)()) {
    try {
        bytes.resize(size);
    } catch (const std::exception&) {
        // A file larger than the memory that can be had for it.
        throw outOfMemory();
    }
}

}  // namespace

std::optional<std::string> ReadToEndWhile(
    std::size_t size, const std::function<std::size_t(std::span<char>)>& readSome,
    IoFailure (*outOfMemory)(), const std::function<bool()>& goOn, std::string buffer) {
    const bool sized = size > 0;
    std::string bytes = std::move(buffer);
    bytes.clear();
    Resize(bytes, sized ? size : kFirstRead, outOfMemory);
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (sized) {
                break;
            }
            Resize(bytes, bytes.size() * 2, outOfMemory);
        }
        const std::size_t read =
            readSome(std::span(bytes).subspan(got).first(std::min(bytes.size() - got, kPiece)));
        if (read == 0) {
            break;
        }
        got += read;
        if (goOn && !goOn()) {
            return std::nullopt;
        }
    }
    bytes.resize(got);
    return bytes;
}

}  // namespace veltra
