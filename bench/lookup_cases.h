#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace veltra::bench {

// The driver over one adversarial log of audio paths, against its goals.
struct LookupCase {
    std::string name;
    double seconds = 0;  // median
    double peakMib = 0;  // the largest of the runs
    double goalSeconds = 0;
    double goalMib = 0;  // 0 when memory has no goal of its own
};

// A folder of `files` description files in `folder`, reached through many
// spellings of it: 200 lines each adding "./" to the path, and one line
// through 30 links to the folder itself. Both name the file in another
// letter case, so that every line searches the folder.
std::vector<LookupCase> MeasureLookups(const std::string& driver,
                                       const std::filesystem::path& folder, int files, int runs);

}  // namespace veltra::bench
