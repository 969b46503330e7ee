#pragma once

#include <chrono>
#include <cstddef>

namespace veltra {

// When a run starts reading description files ahead.
enum class ReadAheadStart : unsigned char {
    // Once reads in line order prove slow: a local disk answers faster than
    // threads can hand its outcomes over, a share does not.
    WhenReadsAreSlow,
    AtOnce,
};

// How far the description files are read ahead of the line being analysed.
struct ReadAheadSettings {
    // At most this many I/O threads, each with one read in flight; 0 reads
    // every description file in line order when its line needs it.
    std::size_t ioThreads = 128;
    // How many lines past the one being analysed may have been looked at.
    std::size_t linesAhead = 4096;
    ReadAheadStart start = ReadAheadStart::WhenReadsAreSlow;
    // A read that takes longer is slow. Reading ahead starts when half of
    // 16 reads timed in line order were, one in four over 64 reads in a row;
    // reads ahead are handed over at once when one is, and a pool whose
    // analysis waits longer grows.
    std::chrono::microseconds slowRead{100};
};

}  // namespace veltra
