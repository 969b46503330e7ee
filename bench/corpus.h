#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace veltra::bench {

// The reference corpus: a quarter's logs of a station, with description
// files for its Polish tracks.
struct CorpusShape {
    int logs = 92;
    int linesPerLog = 1500;
    int polishTracks = 400;
    int foreignTracks = 1200;
};

struct Corpus {
    std::vector<std::filesystem::path> logs;
    // The same logs as a playout PC writes them: every audio path on drive
    // D: ("D:\audio\pl\00001.mp3"), which maps to the corpus' folder.
    std::vector<std::filesystem::path> windowsLogs;
    std::vector<std::filesystem::path> descriptionFiles;
};

// Writes the corpus into `folder`, the same bytes for the same seed. The
// logs name their audio files relative to `folder`.
Corpus WriteCorpus(const std::filesystem::path& folder, std::uint32_t seed,
                   const CorpusShape& shape = {});

// One log line of the corpus' kind, built as the tests build theirs, for
// in-process measurements.
std::string CorpusLine(int hour, std::string_view audioPath, std::string_view duration,
                       std::string_view nationality, std::string_view itemType);

}  // namespace veltra::bench
