#include "lookup_cases.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "corpus.h"
#include "process_timing.h"

namespace veltra::bench {

namespace {

namespace fs = std::filesystem;

// Made once and kept with the corpus: writing the files takes longer than
// the runs.
void WriteLibrary(const fs::path& library, int files) {
    const fs::path done = library / ".complete";
    if (fs::exists(done)) {
        return;
    }
    fs::create_directories(library);
    for (int i = 0; i < files; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "t%06d.dat", i);
        std::ofstream(library / name) << "Kod=x\r\n";
    }
    std::ofstream(library / "utwor.dat") << "Kod=n\r\n";
    if (!fs::exists(fs::symlink_status(library / "self"))) {
        fs::create_directory_symlink(".", library / "self");
    }
    std::ofstream(done) << files << '\n';
}

LookupCase Time(const std::string& driver, const fs::path& folder, const std::string& log,
                LookupCase lookup, int runs) {
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        const ProcessRun timed =
            TimeProcess({driver, "--csv", "braki-lookup.csv", "--json", log}, folder);
        seconds.push_back(timed.exitCode == 0 ? timed.seconds : -1);
        lookup.peakMib = std::max(lookup.peakMib, static_cast<double>(timed.peakKib) / 1024);
    }
    lookup.seconds = Median(seconds);
    return lookup;
}

}  // namespace

std::vector<LookupCase> MeasureLookups(const std::string& driver, const fs::path& folder, int files,
                                       int runs) {
    const fs::path lookups = folder / "lookups";
    WriteLibrary(lookups / "lib", files);

    {
        std::ofstream out(lookups / "dots.hst", std::ios::binary);
        std::string path = "lib/";
        for (int i = 0; i < 200; ++i) {
            path += "./";
            out << CorpusLine(10, path + "UTWOR.mp3", "00:03:00", "POL", "MU") << "\r\n";
        }
    }
    {
        std::ofstream out(lookups / "links.hst", std::ios::binary);
        std::string path = "lib/";
        for (int i = 0; i < 30; ++i) {
            path += "self/";
        }
        out << CorpusLine(10, path + "UTWOR.mp3", "00:03:00", "POL", "MU") << "\r\n";
    }
    return {Time(driver, lookups, "dots.hst", {"200 lines, lib/./././", 0, 0, 3, 150}, runs),
            Time(driver, lookups, "links.hst", {"1 line, 30 x lib/self", 0, 0, 0.5, 0}, runs)};
}

}  // namespace veltra::bench
