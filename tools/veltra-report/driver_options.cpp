#include "driver_options.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace veltra {

const char* const kDriverUsage =
    "Usage: veltra-report [--json | --table-row] [--csv PATH] [--map PREFIX=FOLDER]... LOG...\n"
    "\n"
    "Counts the music items of playout history logs (.hst) and prints the\n"
    "report's figures, grouped as in the main window.\n"
    "\n"
    "  --json       print one JSON object of the display fields' texts instead\n"
    "  --table-row  print only the row of the regulator's quarterly table:\n"
    "               columns B to E separated by tabs\n"
    "  --csv PATH   write the missing-nationality list to PATH instead of\n"
    "               \"braki naradowosci.csv\" beside this program (or in\n"
    "               ~/.local/share/Veltra/ when this program's folder is not\n"
    "               writable)\n"
    "  --map PREFIX=FOLDER\n"
    "               look for audio paths that begin with the drive or share\n"
    "               PREFIX (D:\\ or \\\\serwer\\audio, possibly with folders below)\n"
    "               in FOLDER; on top of the mappings saved by the window\n"
    "  --help       print this help\n"
    "  --version    print the version\n";

namespace {

FolderMapping ParseMapping(const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) {
        throw UsageError("--map needs PREFIX=FOLDER");
    }
    FolderMapping mapping{text.substr(0, equals), text.substr(equals + 1)};
    if (!FolderMappings::IsPrefix(mapping.prefix)) {
        throw UsageError("--map: \"" + mapping.prefix +
                         "\" is not a drive or share, such as D:\\ or \\\\serwer\\audio");
    }
    std::error_code error;
    if (mapping.folder.empty() || !std::filesystem::is_directory(mapping.folder, error)) {
        throw UsageError("--map: there is no folder \"" + mapping.folder + "\"");
    }
    mapping.folder = std::filesystem::absolute(mapping.folder).lexically_normal().string();
    return mapping;
}

}  // namespace

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
        } else if (*argument == "--version") {
            options.version = true;
        } else if (*argument == "--json" || *argument == "--table-row") {
            const auto output = *argument == "--json" ? DriverOptions::Output::Json
                                                      : DriverOptions::Output::TableRow;
            if (options.output != DriverOptions::Output::Panels && options.output != output) {
                throw UsageError("--json and --table-row exclude each other");
            }
            options.output = output;
        } else if (*argument == "--csv") {
            if (++argument == arguments.end()) {
                throw UsageError("--csv needs a path");
            }
            options.csvPath = *argument;
        } else if (argument->starts_with("--csv=")) {
            options.csvPath = argument->substr(6);
        } else if (*argument == "--map") {
            if (++argument == arguments.end()) {
                throw UsageError("--map needs PREFIX=FOLDER");
            }
            options.mappings.push_back(ParseMapping(*argument));
        } else if (argument->starts_with("--map=")) {
            options.mappings.push_back(ParseMapping(argument->substr(6)));
        } else {
            throw UsageError("unknown option " + *argument);
        }
    }
    if (!options.help && !options.version && options.logs.empty()) {
        throw UsageError("no log given");
    }
    if (options.csvPath && options.csvPath->empty()) {
        throw UsageError("--csv needs a path");
    }
    return options;
}

void CheckCsvIsNoLog(const DriverOptions& options) {
    struct stat csv {};
    if (!options.csvPath || ::stat(options.csvPath->c_str(), &csv) != 0) {
        return;
    }
    for (const std::string& log : options.logs) {
        struct stat status {};
        if (::stat(log.c_str(), &status) == 0 && status.st_dev == csv.st_dev &&
            status.st_ino == csv.st_ino) {
            throw UsageError("--csv names the log " + log);
        }
    }
}

}  // namespace veltra
