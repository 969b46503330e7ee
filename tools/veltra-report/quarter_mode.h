#pragma once

#include <string>

#include "quarter.h"

namespace veltra {

class FileSystem;
class ReportHost;
struct DriverOptions;

// The driver's quarter mode: the months from --month or --by-date, one
// report run each, the workbook written, and the form's rows as text or
// JSON in `output`.
struct QuarterOutcome {
    std::string output;
    bool sharesMet = true;  // every share of every month run meets its threshold
};

// Throws QuarterRefusal (a doubled log, logs --by-date cannot place) and
// FileError (a month's run, the workbook).
QuarterOutcome RunQuarter(const DriverOptions& options, FileSystem& fileSystem, ReportHost& host,
                          const QuarterRun::ReportSetup& setup);

}  // namespace veltra
