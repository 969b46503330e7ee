#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace veltra::bench {

// The driver's peak memory over one extreme log, against what it may take:
// twice the log, the missing-nationality list itself, and 20 MiB.
struct MemoryCase {
    std::string name;
    double logMib = 0;
    double listMib = 0;  // the list's own size in memory, estimated
    double peakMib = 0;
    double LimitMib() const { return 2 * logMib + listMib + 20; }
};

// A log of `emptyLogMib` MiB of empty lines, and one of `missingLines` music
// items without a nationality, written into `folder` and run through the
// driver there; then logs of as many incomplete lines and as many Polish day
// items, run with --details, which lists every one of them. `folder` holds
// the corpus, whose description files those items name.
std::vector<MemoryCase> MeasureMemory(const std::string& driver,
                                      const std::filesystem::path& folder, int emptyLogMib,
                                      int missingLines);

}  // namespace veltra::bench
