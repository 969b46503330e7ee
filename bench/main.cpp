// veltra-bench: writes the seeded reference corpus, then times the driver
// over it against the I/O a run must do (veltra-io-floor) and against `cat`
// of the same files, interleaved in one run; runs the
// engine in process with description files read in line order against read
// ahead, on local disk and on a file system that delays every call as a
// network share would; measures the line analysis alone; and times the
// corpus as a quarter's three months against one run, and the quarterly
// workbook's writing. Prints medians; it checks no limits.

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "corpus.h"
#include "delayed_file_system.h"
#include "engine_run.h"
#include "line_throughput.h"
#include "lookup_cases.h"
#include "memory_cases.h"
#include "posix_file_system.h"
#include "process_timing.h"
#include "quarter_run.h"

namespace {

namespace fs = std::filesystem;
using namespace veltra::bench;

struct Options {
    std::string driver;
    // The I/O floor, beside the benchmark unless named.
    std::string floor;
    // Another build of the driver, timed over the same logs in the same run.
    std::string baseline;
    fs::path folder = "bench-corpus";
    std::uint32_t seed = 2024;
    int runs = 15;
    int delayedRuns = 3;
    // Reading in line order over a delayed file system takes minutes for the
    // corpus: it is timed over its first logs and scaled to all of them.
    std::size_t sequentialLogs = 4;
    int emptyLogMib = 100;
    int missingLines = 200'000;
    int lookupFiles = 100'000;
    veltra::ReadAheadSettings readAhead;
    // Times the corpus as a quarter's form and nothing else.
    bool quarterOnly = false;
    // Measures the driver's peak memory and nothing else.
    bool memoryOnly = false;
};

constexpr const char* kUsage =
    "Usage: veltra-bench DRIVER [--baseline DRIVER] [--floor PROGRAM] [--folder DIR]\n"
    "                    [--seed N] [--runs N]\n"
    "                    [--delayed-runs N] [--sequential-logs N] [--io-threads N]\n"
    "                    [--lines-ahead N] [--slow-read-us N] [--empty-log-mib N]\n"
    "                    [--missing-lines N]\n"
    "                    [--quarter-only] [--memory-only] [--lookup-files N]\n";

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--folder" && hasValue) {
            options.folder = argv[++i];
        } else if (argument == "--baseline" && hasValue) {
            options.baseline = fs::absolute(argv[++i]).string();
        } else if (argument == "--floor" && hasValue) {
            options.floor = fs::absolute(argv[++i]).string();
        } else if (argument == "--seed" && hasValue) {
            options.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (argument == "--runs" && hasValue) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (argument == "--delayed-runs" && hasValue) {
            options.delayedRuns = std::max(1, std::atoi(argv[++i]));
        } else if (argument == "--sequential-logs" && hasValue) {
            options.sequentialLogs = std::max<std::size_t>(1, std::strtoul(argv[++i], nullptr, 10));
        } else if (argument == "--empty-log-mib" && hasValue) {
            options.emptyLogMib = std::max(1, std::atoi(argv[++i]));
        } else if (argument == "--missing-lines" && hasValue) {
            options.missingLines = std::max(1, std::atoi(argv[++i]));
        } else if (argument == "--lookup-files" && hasValue) {
            options.lookupFiles = std::max(1, std::atoi(argv[++i]));
        } else if (argument == "--io-threads" && hasValue) {
            options.readAhead.ioThreads = std::strtoul(argv[++i], nullptr, 10);
        } else if (argument == "--lines-ahead" && hasValue) {
            options.readAhead.linesAhead =
                std::max<std::size_t>(1, std::strtoul(argv[++i], nullptr, 10));
        } else if (argument == "--slow-read-us" && hasValue) {
            options.readAhead.slowRead = std::chrono::microseconds(std::atoll(argv[++i]));
        } else if (argument == "--quarter-only") {
            options.quarterOnly = true;
        } else if (argument == "--memory-only") {
            options.memoryOnly = true;
        } else if (options.driver.empty() && !argument.starts_with("-")) {
            options.driver = fs::absolute(argument).string();
        } else {
            std::fputs(kUsage, stderr);
            std::exit(2);
        }
    }
    if (options.driver.empty()) {
        std::fputs(kUsage, stderr);
        std::exit(2);
    }
    if (options.floor.empty()) {
        options.floor = (fs::absolute(argv[0]).parent_path() / "veltra-io-floor").string();
    }
    // The in-process runs work from inside it.
    options.folder = fs::absolute(options.folder);
    return options;
}

std::vector<std::string> Relative(const std::vector<fs::path>& paths, const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::path& path : paths) {
        names.push_back(fs::relative(path, folder).string());
    }
    return names;
}

// Other work on the machine lengthens the wall times; say how much there was.
std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one;
    in >> one;
    return one.empty() ? "unknown" : one;
}

struct Comparison {
    double sequentialSeconds = 0;  // scaled to the whole corpus
    double readAheadSeconds = 0;   // starting when reads prove slow
    double fromStartSeconds = 0;   // reading ahead from the first line
    bool sameFigures = true;
};

// Medians of in-process runs, the three ways interleaved; the figures of
// every read-ahead run must equal `expected`.
Comparison CompareReadAhead(veltra::FileSystem& fileSystem, const Options& options,
                            const std::vector<std::string>& logs, std::size_t sequentialLogs,
                            int runs, const std::string& expected) {
    const std::vector<std::string> sequentialPart(
        logs.begin(), logs.begin() + static_cast<std::ptrdiff_t>(sequentialLogs));
    const double scale = static_cast<double>(logs.size()) / static_cast<double>(sequentialLogs);
    std::vector<double> sequential;
    std::vector<double> readAhead;
    std::vector<double> fromStart;
    veltra::ReadAheadSettings atOnce = options.readAhead;
    atOnce.start = veltra::ReadAheadStart::AtOnce;
    Comparison comparison;
    for (int run = 0; run < runs; ++run) {
        sequential.push_back(
            RunEngine(fileSystem, {.ioThreads = 0}, sequentialPart, options.folder).seconds *
            scale);
        const EngineRun ahead = RunEngine(fileSystem, options.readAhead, logs, options.folder);
        readAhead.push_back(ahead.seconds);
        const EngineRun started = RunEngine(fileSystem, atOnce, logs, options.folder);
        fromStart.push_back(started.seconds);
        comparison.sameFigures =
            comparison.sameFigures && ahead.figures == expected && started.figures == expected;
    }
    comparison.sequentialSeconds = Median(sequential);
    comparison.readAheadSeconds = Median(readAhead);
    comparison.fromStartSeconds = Median(fromStart);
    return comparison;
}

void PrintMemoryCases(const Options& options) {
    std::printf("\npeak memory of the driver over one extreme log (load average %s):\n",
                LoadAverage().c_str());
    for (const MemoryCase& memory :
         MeasureMemory(options.driver, options.folder, options.emptyLogMib, options.missingLines)) {
        std::printf("%-22s log %7.1f MiB, list %6.1f MiB: %7.1f MiB   goal <= %.1f MiB\n",
                    memory.name.c_str(), memory.logMib, memory.listMib, memory.peakMib,
                    memory.LimitMib());
    }
}

QuarterTiming PrintQuarter(veltra::FileSystem& fileSystem, const Options& options,
                           const std::vector<std::string>& logs) {
    const QuarterTiming quarter =
        TimeQuarter(fileSystem, options.readAhead, logs, options.folder, options.runs);
    std::printf("\nthe corpus as a quarter's form, in process (%d runs, interleaved):\n",
                options.runs);
    std::printf("one run over all logs (median):  %8.3f s\n", quarter.singleRunSeconds);
    std::printf("three months, one run each:      %8.3f s   %.2f x, goal <= 1.2%s\n",
                quarter.quarterSeconds, quarter.quarterSeconds / quarter.singleRunSeconds,
                quarter.sameSeconds ? "" : "   FIGURES DIFFER");
    std::printf("writing the workbook (median):   %8.1f ms   goal < 50 ms\n",
                quarter.workbookSeconds * 1000);
    return quarter;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    fs::remove_all(options.folder);
    const Corpus corpus = WriteCorpus(options.folder, options.seed);

    std::uintmax_t largestLog = 0;
    std::uintmax_t logBytes = 0;
    for (const fs::path& log : corpus.logs) {
        largestLog = std::max(largestLog, fs::file_size(log));
        logBytes += fs::file_size(log);
    }

    // The user's own folder mappings must not take part.
    ::setenv("XDG_CONFIG_HOME", fs::absolute(options.folder / "config").c_str(), 1);
    const std::vector<std::string> logs = Relative(corpus.logs, options.folder);
    veltra::PosixFileSystem local;
    if (options.quarterOnly) {
        fs::current_path(options.folder);
        std::printf("corpus: %zu logs, seed %u; load average %s\n", corpus.logs.size(),
                    options.seed, LoadAverage().c_str());
        return PrintQuarter(local, options, logs).sameSeconds ? 0 : 1;
    }
    const std::size_t sequentialLogs = std::min(options.sequentialLogs, logs.size());
    std::vector<std::string> driver{options.driver, "--json", "--csv", "braki.csv"};
    driver.insert(driver.end(), logs.begin(), logs.end());
    // The same run listing what its figures rest on.
    std::vector<std::string> detailed = driver;
    detailed.insert(detailed.begin() + 4, {"--details", "details.json"});
    if (options.memoryOnly) {
        long plainKib = 0;
        long detailedKib = 0;
        for (int run = 0; run < options.runs; ++run) {
            plainKib = std::max(plainKib, TimeProcess(driver, options.folder).peakKib);
            detailedKib = std::max(detailedKib, TimeProcess(detailed, options.folder).peakKib);
        }
        std::printf("corpus: %zu logs, largest %.1f KiB; %d runs each; load average %s\n",
                    corpus.logs.size(), static_cast<double>(largestLog) / 1024, options.runs,
                    LoadAverage().c_str());
        std::printf("driver peak memory:              %8.1f MiB\n",
                    static_cast<double>(plainKib) / 1024);
        std::printf("the same with --details:         %8.1f MiB   goal <= 20 MiB\n",
                    static_cast<double>(detailedKib) / 1024);
        PrintMemoryCases(options);
        return 0;
    }
    std::vector<std::string> baseline;
    if (!options.baseline.empty()) {
        baseline = driver;
        baseline.front() = options.baseline;
    }
    const std::vector<std::string> windowsLogs = Relative(corpus.windowsLogs, options.folder);
    std::vector<std::string> mapped{
        options.driver, "--json", "--csv",
        "braki.csv",    "--map",  "D:\\=" + fs::absolute(options.folder).string()};
    mapped.insert(mapped.end(), windowsLogs.begin(), windowsLogs.end());
    std::vector<std::string> floor{options.floor};
    floor.insert(floor.end(), logs.begin(), logs.end());
    std::vector<std::string> cat{"cat"};
    cat.insert(cat.end(), logs.begin(), logs.end());
    const std::vector<std::string> descriptions = Relative(corpus.descriptionFiles, options.folder);
    cat.insert(cat.end(), descriptions.begin(), descriptions.end());

    // One untimed round fills the page cache for all of them.
    std::string floorReads = OutputOf(floor, options.folder);
    if (floorReads.empty() || TimeProcess(driver, options.folder).exitCode != 0 ||
        TimeProcess(detailed, options.folder).exitCode != 0 ||
        TimeProcess(mapped, options.folder).exitCode != 0 ||
        (!baseline.empty() && TimeProcess(baseline, options.folder).exitCode != 0) ||
        TimeProcess(cat, options.folder).exitCode != 0) {
        std::fprintf(stderr, "veltra-bench: the driver, the floor or cat failed on the corpus\n");
        return 1;
    }
    std::vector<double> driverSeconds;
    std::vector<double> driverCpuSeconds;
    std::vector<double> mappedSeconds;
    std::vector<double> baselineSeconds;
    std::vector<double> baselineCpuSeconds;
    std::vector<double> floorSeconds;
    std::vector<double> catSeconds;
    std::vector<double> catCpuSeconds;
    long peakKib = 0;
    std::vector<double> detailedSeconds;
    long detailedKib = 0;
    for (int run = 0; run < options.runs; ++run) {
        const ProcessRun report = TimeProcess(driver, options.folder);
        driverSeconds.push_back(report.seconds);
        driverCpuSeconds.push_back(report.cpuSeconds);
        peakKib = std::max(peakKib, report.peakKib);
        const ProcessRun listing = TimeProcess(detailed, options.folder);
        detailedSeconds.push_back(listing.seconds);
        detailedKib = std::max(detailedKib, listing.peakKib);
        mappedSeconds.push_back(TimeProcess(mapped, options.folder).seconds);
        if (!baseline.empty()) {
            const ProcessRun before = TimeProcess(baseline, options.folder);
            baselineSeconds.push_back(before.seconds);
            baselineCpuSeconds.push_back(before.cpuSeconds);
        }
        floorSeconds.push_back(TimeProcess(floor, options.folder).seconds);
        const ProcessRun reading = TimeProcess(cat, options.folder);
        catSeconds.push_back(reading.seconds);
        catCpuSeconds.push_back(reading.cpuSeconds);
    }

    // In process, from the corpus folder, as the logs name their audio files
    // relative to it.
    fs::current_path(options.folder);
    const std::string expected = RunEngine(local, {.ioThreads = 0}, logs, options.folder).figures;
    const Comparison onDisk =
        CompareReadAhead(local, options, logs, logs.size(), options.runs, expected);
    DelayedFileSystem halfMillisecond(std::chrono::microseconds(500));
    const Comparison nearShare = CompareReadAhead(halfMillisecond, options, logs, sequentialLogs,
                                                  options.delayedRuns, expected);
    DelayedFileSystem twoMilliseconds(std::chrono::microseconds(2000));
    const Comparison farShare = CompareReadAhead(twoMilliseconds, options, logs, sequentialLogs,
                                                 options.delayedRuns, expected);

    const double driverMedian = Median(driverSeconds);
    const double floorMedian = Median(floorSeconds);
    const double catMedian = Median(catSeconds);
    const double linesPerSecond = MedianLinesPerSecond(200'000, options.runs);
    const double memoryLimitMib = 2.0 * static_cast<double>(largestLog) / (1 << 20) + 20;

    std::printf("corpus: %zu logs, %.1f MiB, largest %.1f KiB, %zu description files, seed %u\n",
                corpus.logs.size(), static_cast<double>(logBytes) / (1 << 20),
                static_cast<double>(largestLog) / 1024, corpus.descriptionFiles.size(),
                options.seed);
    std::printf("runs: %d of each, interleaved; load average %s\n\n", options.runs,
                LoadAverage().c_str());
    std::printf("driver, whole corpus (median):   %8.3f s\n", driverMedian);
    floorReads.erase(floorReads.find_last_not_of('\n') + 1);
    std::printf("I/O floor (median):              %8.3f s   %s\n", floorMedian, floorReads.c_str());
    std::printf("driver / floor:                  %8.2f x   goal <= 1.3\n",
                driverMedian / floorMedian);
    std::printf("driver, paths on D: mapped:      %8.3f s   %.2f x as written, goal < 2\n",
                Median(mappedSeconds), Median(mappedSeconds) / driverMedian);
    if (!baselineSeconds.empty()) {
        const double baselineMedian = Median(baselineSeconds);
        const double baselineCpu = Median(baselineCpuSeconds);
        std::printf("baseline driver (median):        %8.3f s   driver %+.1f %%\n", baselineMedian,
                    (driverMedian / baselineMedian - 1) * 100);
        std::printf("CPU time, baseline (median):     %8.3f s   driver %+.1f %%\n", baselineCpu,
                    (Median(driverCpuSeconds) / baselineCpu - 1) * 100);
    }
    std::printf("cat of the same files (median):  %8.3f s\n", catMedian);
    std::printf("driver / cat:                    %8.1f x   goal <= 2.5\n",
                driverMedian / catMedian);
    std::printf("CPU time, driver / cat (median): %8.3f s / %.3f s\n", Median(driverCpuSeconds),
                Median(catCpuSeconds));
    std::printf("AnalizujWiersz, no .dat (median): %7.2f M lines/s   goal >= 2\n",
                linesPerSecond / 1e6);
    std::printf("driver peak memory:              %8.1f MiB   goal <= %.1f MiB\n",
                static_cast<double>(peakKib) / 1024, memoryLimitMib);
    std::printf("driver with --details (median):  %8.3f s   %+.1f %%, peak %.1f MiB, goal <= 20\n",
                Median(detailedSeconds), (Median(detailedSeconds) / driverMedian - 1) * 100,
                static_cast<double>(detailedKib) / 1024);

    std::printf("\nin process, description files in line order against read ahead, once\n");
    std::printf(
        "reads prove slower than %lld us and from the start (%zu I/O threads, %zu lines\n"
        "ahead; on a delayed file system %d runs, in line order over the first %zu logs\n"
        "scaled to all %zu):\n",
        static_cast<long long>(options.readAhead.slowRead.count()), options.readAhead.ioThreads,
        options.readAhead.linesAhead, options.delayedRuns, sequentialLogs, logs.size());
    std::printf("                                  in order   read ahead  from start\n");
    const auto row = [](const char* name, const Comparison& comparison, const char* goal) {
        std::printf("%-32s %8.3f s %8.3f s %8.3f s   %s%s\n", name, comparison.sequentialSeconds,
                    comparison.readAheadSeconds, comparison.fromStartSeconds, goal,
                    comparison.sameFigures ? "" : "   FIGURES DIFFER");
    };
    row("local disk (median)", onDisk, "goal: read ahead <= in order");
    std::printf("read ahead / in order, local disk: %6.2f x\n",
                onDisk.readAheadSeconds / onDisk.sequentialSeconds);
    row("0.5 ms per call (median)", nearShare, "goal: read ahead < 2 s");
    row("2 ms per call (median)", farShare, "goal: read ahead < 5 s");

    const QuarterTiming quarter = PrintQuarter(local, options, logs);

    PrintMemoryCases(options);

    std::printf("\nthe driver over adversarial audio paths into one folder of %d files\n",
                options.lookupFiles);
    std::printf("(load average %s):\n", LoadAverage().c_str());
    for (const LookupCase& lookup :
         MeasureLookups(options.driver, options.folder, options.lookupFiles, options.runs)) {
        std::printf("%-24s %7.3f s   goal < %.1f s   peak %6.1f MiB", lookup.name.c_str(),
                    lookup.seconds, lookup.goalSeconds, lookup.peakMib);
        if (lookup.goalMib > 0) {
            std::printf("   goal < %.0f MiB", lookup.goalMib);
        }
        std::printf("\n");
    }
    const bool same =
        onDisk.sameFigures && nearShare.sameFigures && farShare.sameFigures && quarter.sameSeconds;
    return same ? 0 : 1;
}
