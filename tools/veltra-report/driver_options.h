#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "folder_mappings.h"
#include "quarter.h"

namespace veltra {

// What the command line asks for.
struct DriverOptions {
    enum class Output { Panels, Json, TableRow };

    bool help = false;
    bool version = false;
    Output output = Output::Panels;
    std::optional<std::string> csvPath;
    // What the figures rest on, as JSON or, for a name ending in .csv, as
    // two CSV files beside it (DetailsFiles).
    std::optional<std::string> detailsPath;
    // From --map, in order, each folder made absolute.
    std::vector<FolderMapping> mappings;
    std::vector<std::string> logs;

    // The quarterly form: the workbook to write, with the months given by
    // --month, or the logs (above) sorted into months by --by-date.
    std::optional<std::string> formPath;
    std::vector<QuarterMonth> months;
    bool byDate = false;
    bool check = false;
    std::optional<std::string> program;
    std::optional<std::string> licence;
    std::optional<std::string> person;
};

// A command line that cannot be understood; what() says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

DriverOptions ParseDriverOptions(const std::vector<std::string>& arguments);

// Refuses relative paths when the working folder has been removed. Throws
// UsageError.
void CheckWorkingFolder(const DriverOptions& options);

// Refuses a CSV or workbook path that leads to one of the logs, which the
// save would replace; without --csv, `defaultCsvPath` is the list's place
// (empty when it cannot be told). Throws UsageError.
void CheckCsvIsNoLog(const DriverOptions& options, const std::string& defaultCsvPath);

extern const std::string kDriverUsage;

}  // namespace veltra
