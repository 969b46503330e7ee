#include "driver_options.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "details_output.h"
#include "driver_platform.h"

namespace veltra {

namespace {

constexpr std::string_view kUsageLine =
    "Usage: veltra-report [--json | --table-row] [--csv PATH] [--details PATH]";
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

constexpr std::string_view kDetailsUsage =
    "  --details PATH\n"
    "               write what the figures rest on to PATH as JSON: every\n"
    "               incomplete line (log, line, fields) and every Polish item\n"
    "               of hours 5-24 with its .dat file and the debut test's\n"
    "               outcome (debut, other, no-dat, unmapped); for PATH ending\n"
    "               in .csv, two CSV files NAME-incomplete.csv and\n"
    "               NAME-debuts.csv beside it\n";

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

constexpr std::string_view kQuarterUsage =
    "\n"
    "       veltra-report --form OUT.xlsx [--program TEXT] [--licence TEXT]\n"
    "                     [--person TEXT] [--json] [--check] [--csv PATH]\n"
    "                     --month YYYY-MM LOG... [--month YYYY-MM LOG...]...\n"
    "       veltra-report --form OUT.xlsx [options as above] --by-date LOG...\n"
    "\n"
    "Fills in the regulator's quarterly form: one report run per month, each\n"
    "month's row B to E and its two shares G and I, written as a spreadsheet.\n"
    "\n"
    "  --form OUT.xlsx  the workbook to write\n"
    "  --month YYYY-MM  the logs that follow belong to this month (up to\n"
    "                   three months of one quarter)\n"
    "  --by-date        sort the logs into months by the date in their names\n"
    "                   (2026-10-01, 20261001 or 01.10.2026); logs without one\n"
    "                   or from another quarter are listed and nothing runs\n"
    "  --program, --licence, --person TEXT\n"
    "                   the form's header; by default as last saved by the\n"
    "                   window\n"
    "  --check          exit with status 3 when a share misses its threshold\n"
    "\n";

constexpr std::string_view kUsageEnd =
    "  --help       print this help\n"
    "  --version    print the version\n";

constexpr std::string_view kWindowsPaths =
    "\n"
    "The audio paths that logs name (D:\\Muzyka\\..., \\\\serwer\\audio\\...) are\n"
    "looked for as written, so no folder mappings are needed.\n"
    "\n"
    "A LOG's name may hold the wildcards * and ? (logs\\2024-01-*.hst), which\n"
    "this program expands itself, in name order; a pattern that matches no\n"
    "file is an error.\n";

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
    usage.append(kDetailsUsage);
    usage.append(kUsageEnd);
    if constexpr (!kTakesFolderMappings) {
        usage.append(kWindowsPaths);
    }
    if constexpr (kWritesWorkbooks) {
        usage.append(kQuarterUsage);
    }
    return usage;
}

}  // namespace

const std::string kDriverUsage = Usage();

namespace {

// Relative paths lead nowhere once the folder the program was started in
// has been removed.
std::string WorkingFolderGone(const std::string& what) {
    return what +
           " is relative to the working folder, which no longer exists; give a full path "
           "or start from an existing folder";
}

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
    const std::filesystem::path folder = std::filesystem::absolute(mapping.folder, error);
    if (error) {
        throw UsageError(WorkingFolderGone("--map: \"" + mapping.folder + "\""));
    }
    mapping.folder = folder.lexically_normal().string();
    return mapping;
}

// "2026-10" as a month.
YearMonth ParseMonth(const std::string& text) {
    const auto digits = [&](std::size_t from, std::size_t count) {
        int value = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return -1;
            }
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const YearMonth month{text.size() == 7 && text[4] == '-' ? digits(0, 4) : -1,
                          text.size() == 7 ? digits(5, 2) : -1};
    if (month.year < 1 || month.month < 1 || month.month > 12) {
        throw UsageError("--month needs a month as YYYY-MM, not \"" + text + "\"");
    }
    return month;
}

// The option's value: the next argument, or what follows "=" in this one.
std::string ValueOf(std::vector<std::string>::const_iterator& argument,
                    std::vector<std::string>::const_iterator end, std::string_view name) {
    const std::string& text = *argument;
    if (text.size() > name.size() && text[name.size()] == '=') {
        return text.substr(name.size() + 1);
    }
    if (++argument == end) {
        throw UsageError(std::string(name) + " needs a value");
    }
    return *argument;
}

bool IsOption(const std::string& argument, std::string_view name) {
    return argument == name || (argument.starts_with(name) && argument.size() > name.size() &&
                                argument[name.size()] == '=');
}

void CheckQuarterOptions(const DriverOptions& options) {
    const bool quarter = !options.months.empty() || options.byDate;
    if (!options.formPath) {
        if (quarter || options.check || options.program || options.licence || options.person) {
            throw UsageError("--month, --by-date, --check and the header texts need --form");
        }
        return;
    }
    if (options.formPath->empty()) {
        throw UsageError("--form needs a path");
    }
    if (options.detailsPath) {
        throw UsageError("--details goes with one run over the logs, not with --form");
    }
    if (!options.months.empty() && options.byDate) {
        throw UsageError("--month and --by-date exclude each other");
    }
    if (!quarter) {
        throw UsageError("--form needs --month or --by-date");
    }
    if (options.output == DriverOptions::Output::TableRow) {
        throw UsageError("--form prints the form's rows, not --table-row");
    }
    if (!options.months.empty() && !options.logs.empty()) {
        throw UsageError("the log " + options.logs.front() + " comes before the first --month");
    }
    if (options.months.size() > 3) {
        throw UsageError("a quarter has three months, --month was given " +
                         std::to_string(options.months.size()) + " times");
    }
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
            (options.months.empty() ? options.logs : options.months.back().logs)
                .push_back(*argument);
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
        } else if (IsOption(*argument, "--details")) {
            options.detailsPath = ValueOf(argument, arguments.end(), "--details");
            if (options.detailsPath->empty()) {
                throw UsageError("--details needs a path");
            }
        } else if (kWritesWorkbooks && IsOption(*argument, "--form")) {
            options.formPath = ValueOf(argument, arguments.end(), "--form");
        } else if (kWritesWorkbooks && IsOption(*argument, "--month")) {
            options.months.push_back(
                {ParseMonth(ValueOf(argument, arguments.end(), "--month")), {}});
        } else if (kWritesWorkbooks && *argument == "--by-date") {
            options.byDate = true;
        } else if (kWritesWorkbooks && *argument == "--check") {
            options.check = true;
        } else if (kWritesWorkbooks && IsOption(*argument, "--program")) {
            options.program = ValueOf(argument, arguments.end(), "--program");
        } else if (kWritesWorkbooks && IsOption(*argument, "--licence")) {
            options.licence = ValueOf(argument, arguments.end(), "--licence");
        } else if (kWritesWorkbooks && IsOption(*argument, "--person")) {
            options.person = ValueOf(argument, arguments.end(), "--person");
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
    if (options.help || options.version) {
        return options;
    }
    CheckQuarterOptions(options);
    const bool anyLog = !options.logs.empty() ||
                        std::any_of(options.months.begin(), options.months.end(),
                                    [](const QuarterMonth& month) { return !month.logs.empty(); });
    if (!anyLog) {
        throw UsageError("no log given");
    }
    if (options.csvPath && options.csvPath->empty()) {
        throw UsageError("--csv needs a path");
    }
    return options;
}

void CheckWorkingFolder(const DriverOptions& options) {
    std::vector<std::string> paths = options.logs;
    for (const QuarterMonth& month : options.months) {
        paths.insert(paths.end(), month.logs.begin(), month.logs.end());
    }
    for (const std::optional<std::string>& output :
         {options.csvPath, options.formPath, options.detailsPath}) {
        if (output) {
            paths.push_back(*output);
        }
    }
    std::error_code error;
    if (std::filesystem::current_path(error).empty() || error) {
        for (const std::string& path : paths) {
            if (std::filesystem::path(path).is_relative()) {
                throw UsageError(WorkingFolderGone("\"" + path + "\""));
            }
        }
    }
}

void CheckCsvIsNoLog(const DriverOptions& options, const std::string& defaultCsvPath) {
    std::vector<std::string> logs = options.logs;
    for (const QuarterMonth& month : options.months) {
        logs.insert(logs.end(), month.logs.begin(), month.logs.end());
    }
    // The list's own file given as a log would be read as one and then
    // overwritten by the run's list.
    const std::optional<std::string> defaultCsv = options.csvPath || defaultCsvPath.empty()
                                                      ? std::nullopt
                                                      : std::optional<std::string>(defaultCsvPath);
    std::vector<std::pair<const char*, std::optional<std::string>>> outputs{
        {"--csv", options.csvPath}, {"--form", options.formPath}, {"", defaultCsv}};
    if (options.detailsPath) {
        for (const std::string& file : DetailsFiles(*options.detailsPath)) {
            outputs.emplace_back("--details", file);
        }
    }
    for (const auto& [option, path] : outputs) {
        if (!path) {
            continue;
        }
        for (const std::string& log : logs) {
            if (SameFile(log, *path)) {
                throw UsageError(*option == '\0'
                                     ? "the log " + log +
                                           " is the list of items without a nationality, "
                                           "which the run writes"
                                     : std::string(option) + " names the log " + log);
            }
        }
    }
}

}  // namespace veltra
