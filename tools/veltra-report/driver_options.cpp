#include "driver_options.h"

namespace veltra {

const char* const kDriverUsage =
    "Usage: veltra-report [--json] [--csv PATH] LOG...\n"
    "\n"
    "Counts the music items of playout history logs (.hst) and prints the\n"
    "report's figures, grouped as in the main window.\n"
    "\n"
    "  --json      print one JSON object of the display fields' texts instead\n"
    "  --csv PATH  write the missing-nationality list to PATH instead of\n"
    "              \"braki naradowosci.csv\" beside this program (or in\n"
    "              ~/.local/share/Veltra/ when this program's folder is not\n"
    "              writable)\n"
    "  --help      print this help\n";

DriverOptions ParseDriverOptions(const std::vector<std::string>& arguments) {
    DriverOptions options;
    bool optionsEnded = false;
    for (auto argument = arguments.begin(); argument != arguments.end(); ++argument) {
        if (optionsEnded || !argument->starts_with("-") || *argument == "-") {
            if (argument->empty()) {
                throw UsageError("an empty log name");
            }
            options.logs.push_back(*argument);
        } else if (*argument == "--") {
            optionsEnded = true;
        } else if (*argument == "--help" || *argument == "-h") {
            options.help = true;
        } else if (*argument == "--json") {
            options.json = true;
        } else if (*argument == "--csv") {
            if (++argument == arguments.end()) {
                throw UsageError("--csv needs a path");
            }
            options.csvPath = *argument;
        } else if (argument->starts_with("--csv=")) {
            options.csvPath = argument->substr(6);
        } else {
            throw UsageError("unknown option " + *argument);
        }
    }
    if (!options.help && options.logs.empty()) {
        throw UsageError("no log given");
    }
    if (options.csvPath && options.csvPath->empty()) {
        throw UsageError("--csv needs a path");
    }
    return options;
}

}  // namespace veltra
