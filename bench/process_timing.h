#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace veltra::bench {

struct ProcessRun {
    double seconds = 0;
    double cpuSeconds = 0;  // user and system time, which other load barely moves
    long peakKib = 0;       // the child's maximum resident set size
    int exitCode = -1;
};

// Runs a program in `folder` with its output discarded, and times it from
// start to exit.
ProcessRun TimeProcess(const std::vector<std::string>& command,
                       const std::filesystem::path& folder);

// Runs a program in `folder` and returns what it printed on its standard
// output; empty when it failed.
std::string OutputOf(const std::vector<std::string>& command, const std::filesystem::path& folder);

double Median(std::vector<double> values);

}  // namespace veltra::bench
