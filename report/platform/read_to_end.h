#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "file_system.h"

namespace veltra {

// Reads an open file to its end, for both platforms' file systems.
// `readSome` reads into the space it is given and returns how many bytes it
// got, 0 at the end. A file that told its size (`size` above 0) is read up
// to that size, so a log still being written is read as it was when opened;
// one claiming to be empty, as the kernel's own files do, is read until it
// reports its end. What `outOfMemory` gives is thrown when the bytes cannot
// be held. The reading goes in pieces of a few MiB at most, so that a large
// log does not keep its reader waiting: after each, `goOn` (when given) says
// whether to read on; nullopt once it says not. The bytes go into
// `buffer`'s memory, whatever it held.
std::optional<std::string> ReadToEndWhile(
    std::size_t size, const std::function<std::size_t(std::span<char>)>& readSome,
    IoFailure (*outOfMemory)(), const std::function<bool()>& goOn, std::string buffer);

}  // namespace veltra
