#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "read_ahead_settings.h"

namespace veltra {
class FileSystem;
}

namespace veltra::bench {

struct QuarterTiming {
    double singleRunSeconds = 0;  // one run over all the logs (median)
    double quarterSeconds = 0;    // the same logs as a quarter's three months (median)
    double workbookSeconds = 0;   // writing the filled form's workbook (median)
    bool sameSeconds = true;      // the months' B add up to the single run's total
};

// The reference corpus as a quarter: its logs split in three months, each
// one report run, against one run over all of them, interleaved; and the
// workbook written from the quarter's rows into `folder`.
QuarterTiming TimeQuarter(FileSystem& fileSystem, ReadAheadSettings readAhead,
                          const std::vector<std::string>& logs, const std::filesystem::path& folder,
                          int runs);

}  // namespace veltra::bench
