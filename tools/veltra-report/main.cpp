// veltra-report: the report run of the main window, with the logs taken from
// the command line and the figures printed when it ends; or a quarter's runs
// filling in the regulator's form.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "csv_location.h"
#include "details_output.h"
#include "driver_options.h"
#include "driver_platform.h"
#include "figure_field.h"
#include "figure_output.h"
#include "figure_publisher.h"
#include "file_access.h"
#include "native_file_system.h"
#include "program_identity.h"
#ifdef VELTRA_WRITES_WORKBOOKS
#include "quarter_mode.h"
#endif
#include "report.h"
#include "terminal_host.h"
#include "termination_signals.h"

namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;
// --check: the quarter's form was written, but a share misses its threshold.
constexpr int kShareMissed = 3;

bool WriteStdout(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
           std::fflush(stdout) == 0;
}

// What a run past the details' memory limit could not list.
void SayWhatDetailsLeftOut(const veltra::RunDetails& details) {
    if (details.IncompleteLinesLeftOut() > 0 || details.PolishDayItemsLeftOut() > 0) {
        const std::string note = "veltra-report: --details lists only part of the run: " +
                                 std::to_string(details.IncompleteLinesLeftOut()) +
                                 " incomplete lines and " +
                                 std::to_string(details.PolishDayItemsLeftOut()) +
                                 " Polish items were left out, past its memory limit\n";
        std::fputs(note.c_str(), stderr);
    }
}

std::string FullOutputPath(const std::string& path) {
    try {
        return veltra::AbsolutePath(path);
    } catch (const veltra::IoFailure& failure) {
        throw veltra::CannotCreateFile(path, failure.what());
    }
}

// Where the list goes without --csv; empty when its folder cannot be made,
// which the run itself then reports.
std::string DefaultCsvPath() {
    try {
        veltra::NativeFileSystem fileSystem;
        return veltra::MissingNationalityCsvPath(fileSystem, veltra::ExecutablePath());
    } catch (const std::exception&) {
        return {};
    }
}

std::string Output(veltra::DriverOptions::Output output, const veltra::LatestFigures& figures) {
    switch (output) {
        case veltra::DriverOptions::Output::Json:
            return veltra::FiguresAsJson(figures);
        case veltra::DriverOptions::Output::TableRow:
            return veltra::TableRow(
                       [&figures](veltra::Field field) { return figures.Text(field); }) +
                   '\n';
        case veltra::DriverOptions::Output::Panels:
            break;
    }
    return veltra::FiguresAsText(figures);
}

int Run(const veltra::DriverOptions& options) {
    veltra::LatestFigures figures;
    veltra::NativeFileSystem fileSystem;
    // The command line's mappings go on top of those the window saved.
    const std::optional<veltra::FolderMappings> saved = veltra::SavedFolderMappings();
    veltra::FolderMappings mappings = saved.value_or(veltra::FolderMappings());
    for (const veltra::FolderMapping& mapping : options.mappings) {
        mappings.Set(mapping.prefix, mapping.folder);
    }
    veltra::TerminalHost host(options.logs, std::move(mappings), saved.has_value());
    std::string output;
    int exitCode = 0;
    try {
        std::optional<std::string> csvPath;
        if (options.csvPath) {
            csvPath = FullOutputPath(*options.csvPath);
        }
        std::optional<std::string> detailsPath;
        if (options.detailsPath) {
            detailsPath = FullOutputPath(*options.detailsPath);
        }
        const auto setup = [&csvPath](veltra::Report& report) {
            if (csvPath) {
                // A name given on purpose may be a device or a pipe, as
                // /dev/stdout is; messages name the file in full.
                report.SetCsvPath(*csvPath, veltra::SpecialTarget::WriteInPlace);
            }
        };
#ifdef VELTRA_WRITES_WORKBOOKS
        if (options.formPath) {
            const veltra::QuarterOutcome outcome =
                veltra::RunQuarter(options, fileSystem, host, setup);
            output = outcome.output;
            exitCode = options.check && !outcome.sharesMet ? kShareMissed : 0;
        }
#endif
        if (!options.formPath) {
            veltra::Report report(figures, fileSystem, host);
            setup(report);
            report.SetKeepsDetails(detailsPath.has_value());
            report.LadujPliki();
            if (detailsPath && veltra::CaughtTerminationSignal() == 0) {
                veltra::WriteDetails(fileSystem, *detailsPath, report.Details());
                SayWhatDetailsLeftOut(report.Details());
            }
            output = Output(options.output, figures);
        }
    } catch (const std::exception& failure) {
        host.EndProgress();
        // A wait the signal broke off is no failure to report.
        if (veltra::CaughtTerminationSignal() == 0) {
            std::fprintf(stderr, "%s\n", veltra::FailureText(failure.what()).c_str());
        }
        return kFailure;
    }
    if (veltra::CaughtTerminationSignal() != 0) {
        host.EndProgress();
        return kFailure;
    }
    if (!WriteStdout(output)) {
        std::fprintf(
            stderr, "%s\n",
            veltra::FailureText(std::string("Cannot write the figures. ") + std::strerror(errno))
                .c_str());
        return kFailure;
    }
    return exitCode;
}

// Everything but the ending by a caught signal, which must find the console
// as it was.
int Start(int argc, char** argv) {
    veltra::DriverOptions options;
    try {
        options = veltra::ParseDriverOptions(veltra::ProgramArguments(argc, argv));
        options.logs = veltra::ExpandLogPatterns(options.logs);
        veltra::CheckWorkingFolder(options);
        veltra::CheckCsvIsNoLog(options, DefaultCsvPath());
    } catch (const veltra::UsageError& error) {
        std::fprintf(stderr, "veltra-report: %s\n\n%s", veltra::PrintablePath(error.what()).c_str(),
                     veltra::kDriverUsage.c_str());
        return kUsageError;
    }
    if (options.help) {
        return WriteStdout(veltra::kDriverUsage) ? 0 : kFailure;
    }
    if (options.version) {
        return WriteStdout(std::string("veltra-report ") + veltra::kProgramVersion + '\n')
                   ? 0
                   : kFailure;
    }
    veltra::CatchTerminationSignals();
    return Run(options);
}

}  // namespace

int main(int argc, char** argv) {
    int exitCode = kFailure;
    // Whatever fails outside a run (no memory for the arguments, say) ends
    // the program with a message, not an abort.
    try {
        const veltra::StandardStreams streams;
        exitCode = Start(argc, argv);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "veltra-report: %s\n",
                     veltra::FailureText(veltra::PrintablePath(failure.what())).c_str());
    } catch (...) {
        std::fprintf(stderr, "veltra-report: an unknown failure\n");
    }
    veltra::EndByCaughtSignal();
    return exitCode;
}
