#pragma once

#include <cstddef>

namespace veltra {

// How far the description files are read ahead of the line being analysed.
struct ReadAheadSettings {
    // At most this many I/O threads, each with one read in flight; 0 reads
    // every description file in line order when its line needs it.
    std::size_t ioThreads = 64;
    // How many lines past the one being analysed may have been looked at.
    std::size_t linesAhead = 4096;
};

}  // namespace veltra
