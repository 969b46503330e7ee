#include "line_throughput.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "corpus.h"
#include "engine_run.h"
#include "figure_publisher.h"
#include "posix_file_system.h"
#include "process_timing.h"
#include "report.h"

namespace veltra::bench {

namespace {

std::vector<std::string> LinesWithoutDescriptionFiles(int count) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int hour = i % 24;
        switch (i % 10) {
            case 0:
                lines.push_back(CorpusLine(hour, "audio/jingle/1.mp3", "00:00:30", "", "JIN"));
                break;
            case 1:
                lines.push_back(CorpusLine(2, "audio/pl/1.mp3", "00:03:25", "POL", "MU"));
                break;
            default:
                lines.push_back(CorpusLine(hour, "audio/zagr/1.mp3", "00:03:25", "GBR", "MU"));
                break;
        }
    }
    return lines;
}

}  // namespace

double MedianLinesPerSecond(int linesPerPass, int passes) {
    const std::vector<std::string> lines = LinesWithoutDescriptionFiles(linesPerPass);
    LatestFigures publisher;
    PosixFileSystem fileSystem;
    QuietHost host({});
    std::vector<double> rates;
    for (int pass = 0; pass < passes; ++pass) {
        Report report(publisher, fileSystem, host);
        const auto start = std::chrono::steady_clock::now();
        for (const std::string& line : lines) {
            report.AnalizujWiersz(line);
        }
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        rates.push_back(linesPerPass / elapsed.count());
    }
    return Median(rates);
}

}  // namespace veltra::bench
