#include "corpus.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>

#include "fakes.h"

namespace veltra::bench {

namespace {

namespace fs = std::filesystem;

std::string TrackPath(bool polish, int index) {
    char path[64];
    std::snprintf(path, sizeof path, "audio/%s/%05d.mp3", polish ? "pl" : "zagr", index);
    return path;
}

std::string Duration(std::mt19937& random) {
    const unsigned seconds = 150 + random() % 180;
    char text[16];
    std::snprintf(text, sizeof text, "00:%02u:%02u", seconds / 60, seconds % 60);
    return text;
}

std::string WindowsForm(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "D:\\" + path;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

std::string CorpusLine(int hour, std::string_view audioPath, std::string_view duration,
                       std::string_view nationality, std::string_view itemType) {
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", hour, (hour * 7) % 60, (hour * 13) % 60);
    return testing::LogLine{.time = time,
                            .path = std::string(audioPath),
                            .duration = std::string(duration),
                            .title = "Tytu\xB3 utworu numer jeden",
                            .performer = "Wykonawca \xA3\xB9ka",
                            .nationality = std::string(nationality),
                            .type = std::string(itemType)}
        .Text();
}

Corpus WriteCorpus(const fs::path& folder, std::uint32_t seed, const CorpusShape& shape) {
    std::mt19937 random(seed);
    Corpus corpus;

    for (int track = 0; track < shape.polishTracks; ++track) {
        // About one Polish track in five is by a debutant.
        const bool debut = random() % 5 == 0;
        const fs::path path = folder / TrackPath(true, track);
        std::string text = "[Utwor]\r\nTytul=Utw\xF3r\r\nWykonawca=Zesp\xF3\xB3\r\n";
        text += debut ? "Kod=n\r\n" : "Kod=x\r\n";
        text += "Rok=2023\r\nTempo=112\r\n";
        corpus.descriptionFiles.push_back(fs::path(path).replace_extension(".dat"));
        WriteFile(corpus.descriptionFiles.back(), text);
    }

    for (int log = 0; log < shape.logs; ++log) {
        std::string text;
        std::string windowsText;
        for (int line = 0; line < shape.linesPerLog; ++line) {
            const int hour = line * 24 / shape.linesPerLog;
            const unsigned kind = random() % 100;
            std::string duration = Duration(random);
            if (kind == 20) {
                text += "niepelny;wpis;bez;pol;\r\n";
                windowsText += "niepelny;wpis;bez;pol;\r\n";
                continue;
            }
            std::string path = TrackPath(false, 0);
            std::string nationality;
            std::string itemType = "MU";
            if (kind < 20) {
                path = "audio/jingle/00001.mp3";
                duration = "00:00:30";
                itemType = kind < 10 ? "JIN" : "ADV";
            } else if (kind > 21) {
                // With 19 of the 24 hours in the day band, this makes about
                // a third of the music items Polish day-band items.
                const bool polish = random() % 100 < 42;
                const int track = static_cast<int>(
                    random() % (polish ? shape.polishTracks : shape.foreignTracks));
                path = TrackPath(polish, track);
                nationality = polish ? "POL" : "GBR";
            }
            text += CorpusLine(hour, path, duration, nationality, itemType) + "\r\n";
            windowsText +=
                CorpusLine(hour, WindowsForm(path), duration, nationality, itemType) + "\r\n";
        }
        char name[32];
        std::snprintf(name, sizeof name, "logs/%03d.hst", log + 1);
        corpus.logs.push_back(folder / name);
        WriteFile(corpus.logs.back(), text);
        std::snprintf(name, sizeof name, "windows/%03d.hst", log + 1);
        corpus.windowsLogs.push_back(folder / name);
        WriteFile(corpus.windowsLogs.back(), windowsText);
    }
    return corpus;
}

}  // namespace veltra::bench
