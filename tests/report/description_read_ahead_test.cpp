#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <random>
#include <thread>

#include "fakes.h"
#include "file_access.h"
#include "native_file_system.h"
#include "report.h"

namespace veltra {
namespace {

using testing::FakeFileSystem;
using testing::FakeHost;
using testing::kCsvPath;
using testing::LogLine;
using testing::RecordingPublisher;

using namespace std::chrono_literals;

constexpr ReadAheadSettings kInLineOrder{.ioThreads = 0};
constexpr ReadAheadStart kAtOnce = ReadAheadStart::AtOnce;

struct Corpus {
    std::map<std::string, std::string> files;
    std::map<std::string, testing::FakeFailure> unreadable;
    std::vector<std::string> logs;
};

// Where track `track` of a generated corpus is: most beside the log's
// relative paths, some on a drive written the Windows way that the host maps
// when asked, and some on one whose question the user cancels.
std::string TrackPath(int track) {
    if (track % 5 == 3) {
        return "D:\\Muzyka\\t" + std::to_string(track) + ".mp3";
    }
    if (track % 10 == 9) {
        return "E:\\t" + std::to_string(track) + ".mp3";
    }
    return "audio/t" + std::to_string(track) + ".mp3";
}

std::string TrackDescriptionFile(int track) {
    if (track % 5 == 3) {
        return "/mnt/d/Muzyka/t" + std::to_string(track) + ".dat";
    }
    if (track % 10 == 9) {
        return "/mnt/e/t" + std::to_string(track) + ".dat";
    }
    return "audio/t" + std::to_string(track) + ".dat";
}

// Logs of every kind of line, with line ends of every kind, naming a pool of
// tracks of which some have a description file, marked or not.
Corpus GeneratedCorpus(unsigned seed) {
    std::mt19937 random(seed);
    const auto below = [&random](int n) { return static_cast<int>(random() % n); };
    Corpus corpus;
    for (int track = 0; track < 40; ++track) {
        const std::string dat = TrackDescriptionFile(track);
        if (track % 4 == 0) {
            corpus.files[dat] = "Kod=n\r\n";
        } else if (track % 4 == 1) {
            corpus.files[dat] = "Tytul=x\r\nKod=abc\r\n";
        } else if (track % 4 == 2) {
            corpus.files[dat] = "Wykonawca=y";
        }
    }
    const char* const breaks[] = {"\r\n", "\n", "\r"};
    for (int log = 0; log < 5; ++log) {
        std::string text;
        for (int line = 0; line < 600; ++line) {
            const int kind = below(100);
            LogLine item{
                .time = (below(2) ? "0" : "1") + std::to_string(below(10)) + ":00:00",
                .path = TrackPath(below(40)),
                .duration = "0" + std::to_string(below(6)) + ":1" + std::to_string(below(10)),
                .nationality = below(2) ? "POL" : "GBR"};
            if (kind < 8) {
                text += below(2) ? " \t" : "";
            } else if (kind < 11) {
                text += "JIN;za;malo;pol;";
            } else if (kind < 20) {
                item.type = "JIN";
                text += item.Text();
            } else if (kind < 25) {
                item.nationality = "";
                text += item.Text();
            } else {
                if (kind < 27) {
                    item.path = "";
                }
                text += item.Text();
            }
            text += breaks[below(3)];
        }
        const std::string path = "/logs/" + std::to_string(log) + ".hst";
        corpus.files[path] = text;
        corpus.logs.push_back(path);
    }
    return corpus;
}

// Everything a run shows or leaves behind.
struct RunRecord {
    std::vector<std::pair<Field, std::string>> published;
    std::vector<std::string> events;
    int messageRounds = 0;
    std::vector<std::string> notices;
    std::vector<std::string> missingList;
    std::optional<std::string> csv;
    std::string failure;
    std::vector<std::string> reads;  // sorted: each item's read, made for it
    std::vector<std::string> questions;

    bool operator==(const RunRecord&) const = default;
};

// One report run over the corpus, with its own file system, host and report.
class CorpusRun {
public:
    CorpusRun(const Corpus& corpus, ReadAheadSettings settings) {
        files.files = corpus.files;
        files.unreadable = corpus.unreadable;
        host.choice = corpus.logs;
        host.folderAnswers["D:\\"] = "/mnt/d";
        host.folderAnswers["E:\\"] = std::nullopt;
        report.SetReadAhead(settings);
    }

    RunRecord Run() {
        RunRecord record;
        try {
            report.LadujPliki();
        } catch (const FileError& error) {
            record.failure = error.what();
        }
        record.published = publisher.published;
        record.events = host.events;
        record.messageRounds = host.messageRounds;
        record.notices = host.notices;
        record.missingList = report.MissingNationalityList();
        if (const auto csv = files.files.find(std::string(kCsvPath)); csv != files.files.end()) {
            record.csv = csv->second;
        }
        record.reads = files.Reads();
        std::sort(record.reads.begin(), record.reads.end());
        record.questions = host.questions;
        return record;
    }

    RecordingPublisher publisher;
    FakeFileSystem files;
    FakeHost host;
    Report report{publisher, files, host};
};

RunRecord RunCorpus(const Corpus& corpus, ReadAheadSettings settings) {
    return CorpusRun(corpus, settings).Run();
}

// Reading ahead from the start; left to decide, which in memory goes on in
// line order; and deciding that every read is slow, which starts reading
// ahead after the first few reads, halfway through a log.
const ReadAheadSettings kReadAheads[] = {
    {.ioThreads = 1, .linesAhead = 1, .start = kAtOnce},
    {.ioThreads = 3, .linesAhead = 7, .start = kAtOnce},
    {.ioThreads = 8, .linesAhead = 100, .start = kAtOnce},
    {.start = kAtOnce},
    {},
    {.ioThreads = 3, .linesAhead = 7, .slowRead = 0us},
    {.slowRead = 0us},
};

std::string Describe(const ReadAheadSettings& settings) {
    return std::to_string(settings.ioThreads) + " threads, " + std::to_string(settings.linesAhead) +
           " lines ahead, " + (settings.start == kAtOnce ? "from the start" : "when slower than ") +
           std::to_string(settings.slowRead.count()) + " us";
}

TEST(ReadAhead, RunsAsInLineOrderWhateverThePoolAndWindow) {
    for (const unsigned seed : {1u, 2u, 3u}) {
        const Corpus corpus = GeneratedCorpus(seed);
        const RunRecord inOrder = RunCorpus(corpus, kInLineOrder);
        ASSERT_EQ(inOrder.notices.size(), 1u);
        ASSERT_EQ(inOrder.questions.size(), 2u);
        ASSERT_GT(inOrder.reads.size(), 300u);
        for (const ReadAheadSettings& settings : kReadAheads) {
            EXPECT_TRUE(RunCorpus(corpus, settings) == inOrder)
                << "seed " << seed << ", " << Describe(settings);
        }
    }
}

TEST(ReadAhead, FailsAtTheSameLineAsInLineOrder) {
    Corpus corpus = GeneratedCorpus(4);
    corpus.unreadable[TrackDescriptionFile(8)] = "Permission denied";
    const RunRecord inOrder = RunCorpus(corpus, kInLineOrder);
    ASSERT_NE(inOrder.failure, "");
    ASSERT_TRUE(inOrder.notices.empty());
    for (const ReadAheadSettings& settings : kReadAheads) {
        CorpusRun run(corpus, settings);
        const RunRecord record = run.Run();
        EXPECT_EQ(record.failure, inOrder.failure) << Describe(settings);
        EXPECT_EQ(record.published, inOrder.published) << Describe(settings);
        EXPECT_EQ(record.events, inOrder.events) << Describe(settings);
        EXPECT_EQ(record.csv, inOrder.csv) << Describe(settings);
    }
}

// Holds the reads of chosen description files until it opens, or until a
// time far beyond what any test waits for, so that a fault shows as a failed
// expectation rather than a hung test.
class ReadGate {
public:
    explicit ReadGate(std::function<bool(const std::string&)> held) : held_(std::move(held)) {}
    ~ReadGate() { Open(); }

    void Pass(const std::string& path) {
        if (!held_(path)) {
            return;
        }
        std::unique_lock lock(mutex_);
        ++held_count_;
        changed_.notify_all();
        if (!changed_.wait_for(lock, std::chrono::seconds(20), [this] { return open_; })) {
            timedOut_ = true;
        }
        --held_count_;
    }

    void Open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

    int Held() {
        const std::lock_guard lock(mutex_);
        return held_count_;
    }
    // Whether `count` reads are held within a few seconds.
    bool AwaitHeld(int count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5),
                                 [this, count] { return held_count_ >= count; });
    }
    bool TimedOut() {
        const std::lock_guard lock(mutex_);
        return timedOut_;
    }

private:
    std::function<bool(const std::string&)> held_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
    int held_count_ = 0;
    bool timedOut_ = false;
};

// A log of Polish day-band items, each naming a description file of its own.
Corpus OwnFilePerLine(int lines) {
    Corpus corpus;
    std::string log;
    for (int i = 0; i < lines; ++i) {
        log += LogLine{.path = "audio/" + std::to_string(i) + ".mp3", .nationality = "POL"}.Text() +
               "\r\n";
        corpus.files["audio/" + std::to_string(i) + ".dat"] = i % 2 ? "Kod=x" : "Kod=n";
    }
    corpus.files["/logs/a.hst"] = log;
    corpus.logs = {"/logs/a.hst"};
    return corpus;
}

// The line whose description file `path` is, or -1 for the log itself.
int LineOf(const std::string& path) {
    return path.starts_with("audio/") ? std::stoi(path.substr(6)) : -1;
}

TEST(ReadAhead, AFailureWithReadsInFlightEndsTheRunAtItsLine) {
    Corpus corpus = OwnFilePerLine(300);
    corpus.unreadable["audio/100.dat"] = "Input/output error";
    const RunRecord inOrder = RunCorpus(corpus, kInLineOrder);

    // Outlives the run, whose threads may still be in it.
    ReadGate gate([](const std::string& path) { return LineOf(path) > 100; });
    CorpusRun run(corpus, {.ioThreads = 16, .start = kAtOnce});
    run.files.beforeRead = [&gate](const std::string& path) {
        // Slow reads before the failure keep the analysis waiting, so the
        // pool grows and many reads are in flight when it fails.
        if (LineOf(path) < 100) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        } else if (LineOf(path) == 100) {
            gate.AwaitHeld(1);
        }
        gate.Pass(path);
    };
    const RunRecord record = run.Run();
    const int held = gate.Held();
    gate.Open();

    EXPECT_EQ(record.failure, inOrder.failure);
    EXPECT_EQ(record.published, inOrder.published);
    EXPECT_EQ(record.events, inOrder.events);
    EXPECT_EQ(run.host.progress[Gauge::Lines], 100);
    EXPECT_GE(held, 1);
    EXPECT_FALSE(gate.TimedOut());
}

TEST(ReadAhead, AStopEndsTheRunWithoutWaitingForReadsInFlight) {
    const Corpus corpus = OwnFilePerLine(200);
    // Outlives the run, whose threads may still be in it.
    ReadGate gate([](const std::string& path) { return LineOf(path) > 0; });
    CorpusRun run(corpus, {.ioThreads = 8, .start = kAtOnce});
    run.files.beforeRead = [&gate](const std::string& path) { gate.Pass(path); };
    run.host.onMessages = [&run, &gate] {
        gate.AwaitHeld(1);
        run.host.stopRequested = true;
    };
    const RunRecord record = run.Run();
    // Returned while reads of lines it never reached were still held.
    const int held = gate.Held();
    gate.Open();

    EXPECT_GE(held, 1);
    EXPECT_FALSE(gate.TimedOut());
    EXPECT_EQ(record.failure, "");
    EXPECT_TRUE(record.notices.empty());
    EXPECT_EQ(record.csv, std::nullopt);
    EXPECT_EQ(run.report.tallies().Count(Category::DayPolishDebut), 1);
    EXPECT_EQ(run.report.tallies().Count(Category::Total), 1);
}

TEST(ReadAhead, AbandonedReadsAreNeverMade) {
    const Corpus corpus = OwnFilePerLine(2000);
    // Outlives the run, whose threads may still be in it.
    ReadGate gate([](const std::string& path) { return LineOf(path) > 0; });
    CorpusRun run(corpus, {.ioThreads = 4, .start = kAtOnce});
    run.files.beforeRead = [&gate](const std::string& path) { gate.Pass(path); };
    run.host.onMessages = [&run, &gate] {
        gate.AwaitHeld(1);
        run.host.stopRequested = true;
    };
    run.Run();
    gate.Open();
    run.report.SetReadAhead({});  // waits for the reads in flight to end
    const std::vector<std::string> reads = run.files.Reads();
    const auto descriptionReads = std::count_if(
        reads.begin(), reads.end(), [](const std::string& path) { return path.ends_with(".dat"); });
    // Line 0, and at most one read in flight on each thread.
    EXPECT_LE(descriptionReads, 1 + 4);
}

TEST(ReadAhead, StartsReadingAheadOnceReadsTurnSlow) {
    const Corpus corpus = OwnFilePerLine(400);
    const RunRecord inOrder = RunCorpus(corpus, kInLineOrder);

    const std::thread::id analysis = std::this_thread::get_id();
    std::mutex mutex;
    std::vector<int> readElsewhere;
    CorpusRun run(corpus, {.ioThreads = 8, .slowRead = 1ms});
    run.files.beforeRead = [&](const std::string& path) {
        // A share that slows down for a while, as one does under load.
        const int line = LineOf(path);
        if (line >= 100 && line < 300) {
            std::this_thread::sleep_for(3ms);
        }
        if (std::this_thread::get_id() != analysis) {
            const std::lock_guard lock(mutex);
            readElsewhere.push_back(line);
        }
    };
    EXPECT_TRUE(run.Run() == inOrder);

    const std::lock_guard lock(mutex);
    ASSERT_FALSE(readElsewhere.empty());
    const int first = *std::min_element(readElsewhere.begin(), readElsewhere.end());
    // Fast reads stay in line order; reads are judged 64 at a time, and
    // once most of a round's are slow, the lines after it are read ahead.
    EXPECT_GT(first, 100);
    EXPECT_LE(first, 100 + 2 * 64);
}

TEST(ReadAhead, SamplesGiveTheSameFiguresAndCsvOnDisk) {
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(VELTRA_SOURCE_DIR);
    const std::filesystem::path csv = std::filesystem::temp_directory_path() /
                                      ("veltra-read-ahead-" + std::to_string(::getpid()));
    std::vector<std::string> logs;
    for (const char* name : {"poranek.hst", "noc.hst", "niepelny.hst", "poranek.hst"}) {
        logs.push_back((std::filesystem::current_path() / "samples" / name).string());
    }
    std::vector<std::pair<std::vector<std::pair<Field, std::string>>, std::string>> runs;
    for (const ReadAheadSettings& settings :
         {kInLineOrder, ReadAheadSettings{.start = kAtOnce}, ReadAheadSettings{.slowRead = 0us}}) {
        RecordingPublisher publisher;
        NativeFileSystem files;
        FakeHost host;
        host.choice = logs;
        Report report(publisher, files, host);
        report.SetReadAhead(settings);
        report.SetCsvPath(csv.string(), SpecialTarget::Refuse);
        report.LadujPliki();
        runs.emplace_back(publisher.published, files.ReadWholeFile(csv.string()));
    }
    std::filesystem::remove(csv);
    std::filesystem::current_path(here);
    EXPECT_EQ(runs[0], runs[1]);
    EXPECT_EQ(runs[0], runs[2]);
    EXPECT_FALSE(runs[0].second.empty());
}

}  // namespace
}  // namespace veltra
