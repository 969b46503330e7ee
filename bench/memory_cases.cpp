#include "memory_cases.h"

#include <bit>
#include <fstream>
#include <string>
#include <vector>

#include "corpus.h"
#include "process_timing.h"

namespace veltra::bench {

namespace {

namespace fs = std::filesystem;

constexpr double kMib = 1 << 20;

// What a list of `count` entries of `length` bytes takes: the vector's
// strings, as many as it has room for after doubling, and past the 15 bytes
// a string holds inline, each entry's heap block as glibc rounds it.
double ListBytes(std::size_t count, std::size_t length) {
    constexpr std::size_t kInline = 15;
    const std::size_t heap = length > kInline ? (length + 1 + 8 + 15) / 16 * 16 : 0;
    return static_cast<double>(std::bit_ceil(count) * sizeof(std::string) + count * heap);
}

MemoryCase RunDriverOver(const std::string& driver, const fs::path& folder, const fs::path& log,
                         std::string name, double listMib, bool details = false) {
    MemoryCase memory{std::move(name), static_cast<double>(fs::file_size(log)) / kMib, listMib};
    std::vector<std::string> command{driver, "--csv", "braki-memory.csv"};
    if (details) {
        command.insert(command.end(), {"--details", "details-memory.json"});
    }
    command.push_back(log.string());
    const ProcessRun run = TimeProcess(command, folder);
    memory.peakMib = run.exitCode == 0 ? static_cast<double>(run.peakKib) / 1024 : -1;
    fs::remove(log);
    fs::remove(folder / "braki-memory.csv");
    fs::remove(folder / "details-memory.json");
    return memory;
}

fs::path WriteLines(const fs::path& path, const std::string& line, int count) {
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < count; ++i) {
        out << line;
    }
    return path;
}

}  // namespace

std::vector<MemoryCase> MeasureMemory(const std::string& driver, const fs::path& folder,
                                      int emptyLogMib, int missingLines) {
    std::vector<MemoryCase> cases;
    const fs::path emptyLines = folder / "empty-lines.hst";
    {
        std::ofstream out(emptyLines, std::ios::binary);
        const std::string block(1 << 20, '\n');
        for (int i = 0; i < emptyLogMib; ++i) {
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
        }
    }
    cases.push_back(RunDriverOver(driver, folder, emptyLines, "empty lines", 0));

    const fs::path missing = folder / "missing-nationality.hst";
    {
        std::ofstream out(missing, std::ios::binary);
        const std::string line =
            CorpusLine(10, "audio/zagr/00000.mp3", "00:03:00", "", "MU") + "\r\n";
        for (int i = 0; i < missingLines; ++i) {
            out << line;
        }
    }
    // Every entry is performer;title;path of the same line.
    const std::size_t entryLength = std::string_view("Wykonawca \xA3\xB9ka;").size() +
                                    std::string_view("Tytu\xB3 utworu numer jeden;").size() +
                                    std::string_view("audio/zagr/00000.mp3").size();
    cases.push_back(
        RunDriverOver(driver, folder, missing, "missing nationality",
                      ListBytes(static_cast<std::size_t>(missingLines), entryLength) / kMib));

    // A line of 20 fields, its last ";" lost.
    std::string incomplete = CorpusLine(10, "audio/zagr/00000.mp3", "00:03:00", "GBR", "MU");
    incomplete.pop_back();
    cases.push_back(RunDriverOver(
        driver, folder, WriteLines(folder / "incomplete.hst", incomplete + "\r\n", missingLines),
        "incomplete, --details", 0, true));
    cases.push_back(RunDriverOver(
        driver, folder,
        WriteLines(folder / "polish-day.hst",
                   CorpusLine(10, "audio/pl/00000.mp3", "00:03:00", "POL", "MU") + "\r\n",
                   missingLines),
        "Polish day, --details", 0, true));
    return cases;
}

}  // namespace veltra::bench
