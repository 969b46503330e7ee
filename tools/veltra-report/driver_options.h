#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "folder_mappings.h"

namespace veltra {

// What the command line asks for.
struct DriverOptions {
    enum class Output { Panels, Json, TableRow };

    bool help = false;
    bool version = false;
    Output output = Output::Panels;
    std::optional<std::string> csvPath;
    // From --map, in order, each folder made absolute.
    std::vector<FolderMapping> mappings;
    std::vector<std::string> logs;
};

// A command line that cannot be understood; what() says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

DriverOptions ParseDriverOptions(const std::vector<std::string>& arguments);

// Refuses a CSV path that leads to one of the logs, which the save would
// replace. Throws UsageError.
void CheckCsvIsNoLog(const DriverOptions& options);

extern const std::string kDriverUsage;

}  // namespace veltra
