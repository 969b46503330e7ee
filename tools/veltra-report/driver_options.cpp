#include "driver_options.h"

#include <filesystem>
#include <string_view>
#include <system_error>

#include "driver_platform.h"

namespace veltra {

namespace {

constexpr std::string_view kUsageLine = "Usage: veltra-report [--json | --table-row] [--csv PATH]";
constexpr std::string_view kMapUsage = " [--map PREFIX=FOLDER]...";

constexpr std::string_view kAbout =
    " LOG...\n"
    "\n"
    "Counts the music items of playout history logs (.hst) and prints the\n"
    "report's figures, grouped as in the main window.\n"
    "\n"
    "  --json       print one JSON object of the display fields' texts instead\n"
    "  --table-row  print only the row of the regulator's quarterly table:\n"
    "               columns B to E separated by tabs\n"
    "  --csv PATH   write the missing-nationality list to PATH instead of\n"
    "               \"braki naradowosci.csv\" beside this program (or in\n";

constexpr std::string_view kLinuxCsvFallback =
    "               ~/.local/share/Veltra/ when this program's folder is not\n"
    "               writable)\n"
    "  --map PREFIX=FOLDER\n"
    "               look for audio paths that begin with the drive or share\n"
    "               PREFIX (D:\\ or \\\\serwer\\audio, possibly with folders below)\n"
    "               in FOLDER; on top of the mappings saved by the window\n";

constexpr std::string_view kWindowsCsvFallback =
    "               %LOCALAPPDATA%\\Veltra\\ when this program's folder is not\n"
    "               writable)\n";

constexpr std::string_view kUsageEnd =
    "  --help       print this help\n"
    "  --version    print the version\n";

constexpr std::string_view kWindowsPaths =
    "\n"
    "The audio paths that logs name (D:\\Muzyka\\..., \\\\serwer\\audio\\...) are\n"
    "looked for as written, so no folder mappings are needed.\n";

std::string Usage() {
    std::string usage(kUsageLine);
    if constexpr (kTakesFolderMappings) {
        usage.append(kMapUsage);
    }
    usage.append(kAbout);
    if constexpr (kTakesFolderMappings) {
        usage.append(kLinuxCsvFallback);
    } else {
        usage.append(kWindowsCsvFallback);
    }
    usage.append(kUsageEnd);
    if constexpr (!kTakesFolderMappings) {
        usage.append(kWindowsPaths);
    }
    return usage;
}

}  // namespace

const std::string kDriverUsage = Usage();

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
        } else if (!kTakesFolderMappings) {
            throw UsageError("unknown option " + *argument);
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
    if (!options.csvPath) {
        return;
    }
    for (const std::string& log : options.logs) {
        if (SameFile(log, *options.csvPath)) {
            throw UsageError("--csv names the log " + log);
        }
    }
}

}  // namespace veltra
