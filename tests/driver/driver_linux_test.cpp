// The driver on Linux: folder mappings, devices, signals, kills and what
// reaches the disk.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <initializer_list>
#include <string>
#include <thread>

#include "driver_fixture.h"

namespace veltra::testing {
namespace {

// The same logs as the playout PC writes them, with the audio files on D:.
const std::vector<std::string> kWindowsSampleLogs{
    "samples/windows/poranek.hst", "samples/windows/noc.hst", "samples/windows/niepelny.hst"};

// Log paths are the full ones the run reads; the expected file has them
// relative to the repository.
std::string WithoutSourceDir(std::string text) {
    const std::string prefix = kSourceDir.string() + "/";
    for (std::size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at)) {
        text.erase(at, prefix.size());
    }
    return text;
}

TEST_F(Driver, DetailsListTheLinesBehindTheFiguresWhichStayAsTheyWere) {
    const std::string json = (scratch / "details.json").string();
    const Outcome outcome = Run(With({"--csv", Csv(), "--details", json}, kSampleLogs));
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, Expected("samples.txt"));
    EXPECT_EQ(outcome.err, "Gotowe!\n");
    EXPECT_EQ(ReadBytes(Csv()), Expected("samples.csv"));
    EXPECT_EQ(WithoutSourceDir(ReadBytes(json)), Expected("samples-details.json"));

    // For a spreadsheet: two files beside the name given, not the name.
    const std::string csv = (scratch / "details.csv").string();
    EXPECT_EQ(Run(With({"--csv", Csv(), "--details=" + csv}, kSampleLogs)).exitCode, 0);
    EXPECT_FALSE(fs::exists(csv));
    EXPECT_EQ(WithoutSourceDir(ReadBytes(scratch / "details-incomplete.csv")),
              "\xEF\xBB\xBFlog;line;fields\r\n"
              "samples/niepelny.hst;1;8\r\n"
              "samples/niepelny.hst;2;8\r\n"
              "samples/niepelny.hst;8;8\r\n");
    const std::string debuts = WithoutSourceDir(ReadBytes(scratch / "details-debuts.csv"));
    EXPECT_TRUE(
        debuts.starts_with("\xEF\xBB\xBFlog;line;audio;dat;outcome\r\n"
                           "samples/poranek.hst;2;samples/audio/polskie/łąka o świcie.mp3;"
                           "samples/audio/polskie/łąka o świcie.dat;debut\r\n"))
        << debuts;

    // Writing the details must not overwrite a log.
    const Outcome refused = Run({"--details", "samples/noc.hst", "samples/noc.hst"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("--details names the log"), std::string::npos) << refused.err;
}

TEST_F(Driver, FailuresCarryTheSystemsCause) {
    const Outcome outcome = Run({"--csv", Csv(), "samples/brak.hst"});
    EXPECT_EQ(outcome.err, "Cannot open file \"" + (kSourceDir / "samples/brak.hst").string() +
                               "\". No such file or directory.\n");
    const std::string csv = (scratch / "no/such/folder.csv").string();
    const Outcome create = Run({"--csv", csv, "samples/noc.hst"});
    EXPECT_EQ(create.err, "Cannot create file \"" + csv + "\". No such file or directory.\n");
}

TEST_F(Driver, WindowsPathsThroughAMappedDriveGiveTheSamplesFigures) {
    const Outcome outcome =
        Run(With({"--csv", Csv(), "--map", "D:\\=samples/windows/dysk-d"}, kWindowsSampleLogs));
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, Expected("samples.txt"));
    EXPECT_EQ(outcome.err, "Gotowe!\n");
}

TEST_F(Driver, MappingsComeFromTheSettingsFileToo) {
    fs::create_directories(scratch / "config/Veltra");
    std::ofstream(scratch / "config/Veltra/Veltra.ini")
        << "[FolderMappings]\n1\\prefix=d:/\n1\\folder="
        << (kSourceDir / "samples/windows/dysk-d").string() << "\nsize=1\n";
    const Outcome outcome = Run(With({"--csv", Csv()}, kWindowsSampleLogs));
    EXPECT_EQ(outcome.out, Expected("samples.txt"));
    EXPECT_EQ(outcome.err, "Gotowe!\n");
}

TEST_F(Driver, NamesAnUnmappedDriveOnceWithTheOptionThatMapsIt) {
    const Outcome outcome = Run(With({"--csv", Csv()}, kWindowsSampleLogs));
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_NE(outcome.out, Expected("samples.txt"));
    const std::string note = "no folder is mapped to D:\\ ";
    const std::size_t first = outcome.err.find(note);
    ASSERT_NE(first, std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.err.find(note, first + 1), std::string::npos);
    EXPECT_NE(outcome.err.find("--map 'D:\\=FOLDER'"), std::string::npos);
}

TEST_F(Driver, ASettingsFileThatIsNoFileIsNamedAndNeverTakenForNoMapping) {
    fs::create_directories(scratch / "config/Veltra");
    const fs::path settings = scratch / "config/Veltra/Veltra.ini";
    ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0);
    const Outcome outcome = Run(With({"--csv", Csv()}, kWindowsSampleLogs));
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_NE(
        outcome.err.find("veltra-report: Cannot read the settings file \"" + settings.string() +
                         "\". Not a regular file; its folder mappings are not used.\n"),
        std::string::npos)
        << outcome.err;
    EXPECT_EQ(outcome.err.find("no folder is mapped"), std::string::npos);
    EXPECT_NE(outcome.err.find("no folder is known for D:\\ "), std::string::npos);
}

TEST_F(Driver, AMappedFolderThatIsNotThereIsNamedOnceAndItsItemsCounted) {
    fs::create_directories(scratch / "config/Veltra");
    const std::string gone = (scratch / "niepodlaczony").string();
    std::ofstream(scratch / "config/Veltra/Veltra.ini")
        << "[FolderMappings]\n1\\prefix=D:\\\\\n1\\folder=" << gone << "\nsize=1\n";
    const Outcome outcome = Run(With({"--csv", Csv()}, kWindowsSampleLogs));
    EXPECT_EQ(outcome.exitCode, 0);
    const std::string note = "the folder " + gone + " mapped to D:\\ is not there";
    const std::size_t first = outcome.err.find(note);
    ASSERT_NE(first, std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.err.find(note, first + 1), std::string::npos);
    EXPECT_NE(outcome.err.find("Gotowe!\nPozycje polskie, których nie sprawdzono pod kątem "
                               "debiutu (brak folderu dysku lub udziału): "),
              std::string::npos)
        << outcome.err;
}

TEST_F(Driver, ARemovedWorkingFolderIsAUsageErrorForRelativePaths) {
    // The driver starts in a folder removed just before.
    const auto runInRemovedFolder = [&](const std::string& name,
                                        const std::vector<std::string>& arguments) {
        fs::create_directory(scratch / name);
        return Run(With({"-c", "cd \"$0\" && rmdir \"$PWD\" && exec \"$@\"",
                         (scratch / name).string(), kDriver.string(), "--csv", Csv()},
                        arguments),
                   "/bin/sh");
    };
    const std::string log = (kSourceDir / "samples/noc.hst").string();
    const Outcome mapped = runInRemovedFolder("a", {"--map", "D:\\=.", log});
    EXPECT_EQ(mapped.exitCode, 2);
    EXPECT_EQ(mapped.err.rfind("veltra-report: --map: \".\" is relative to the working folder, "
                               "which no longer exists;",
                               0),
              0u)
        << mapped.err;
    const Outcome relative = runInRemovedFolder("b", {"noc.hst"});
    EXPECT_EQ(relative.exitCode, 2);
    EXPECT_EQ(relative.err.rfind("veltra-report: \"noc.hst\" is relative", 0), 0u) << relative.err;
    const Outcome absolute = runInRemovedFolder("c", {log});
    EXPECT_EQ(absolute.exitCode, 0) << absolute.err;
}

TEST_F(Driver, ACsvLinkedToALogIsAUsageError) {
    fs::create_symlink(kSourceDir / "samples/noc.hst", scratch / "noc.csv");
    const std::string before = ReadBytes(kSourceDir / "samples/noc.hst");
    const Outcome outcome =
        Run({"--csv", (scratch / "noc.csv").string(), "samples/poranek.hst", "samples/noc.hst"});
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_NE(outcome.err.find("--csv names the log samples/noc.hst"), std::string::npos);
    EXPECT_EQ(ReadBytes(kSourceDir / "samples/noc.hst"), before);
}

TEST_F(Driver, DevicesNamedOnPurposeAreWrittenAsTheyAre) {
    const Outcome toStdout = Run(With({"--csv", "/dev/stdout"}, kSampleLogs));
    EXPECT_EQ(toStdout.exitCode, 0);
    EXPECT_EQ(toStdout.out, Expected("samples.csv") + Expected("samples.txt"));
    const Outcome toNull = Run(With({"--csv", "/dev/null"}, kSampleLogs));
    EXPECT_EQ(toNull.exitCode, 0);
    struct stat null {};
    ASSERT_EQ(::stat("/dev/null", &null), 0);
    EXPECT_TRUE(S_ISCHR(null.st_mode));
}

TEST_F(Driver, ADeviceBesideTheProgramIsRefused) {
    const fs::path copy = scratch / "veltra-report";
    fs::copy_file(kDriver, copy);
    const fs::path csv = scratch / "braki naradowosci.csv";
    fs::create_symlink("/dev/null", csv);
    const Outcome outcome = Run({"samples/noc.hst"}, copy);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.err, "Cannot create file \"" + csv.string() + "\". Not a regular file.\n");
    EXPECT_TRUE(fs::is_symlink(csv));
}

TEST_F(Driver, ControlCharactersInPathsReachTheTerminalEscaped) {
    const std::string log = (scratch / "\x1b[2J\x1b]0;x\x07.hst").string();
    const Outcome outcome = Run({"--csv", Csv(), log});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.err, "Cannot open file \"" + scratch.string() +
                               "/\\x1b[2J\\x1b]0;x\\x07.hst\". No such file or directory.\n");
    // A drive's note names a path from the log.
    const fs::path windowsLog = scratch / "windows.hst";
    std::ofstream(windowsLog, std::ios::binary)
        << "10:00:00;D:\\\x1b[2J.mp3;x;x;00:03:25;Tytul;x;Wykonawca;"
        << "x;x;x;x;x;x;x;x;x;POL;MU;x;x;\r\n";
    const Outcome note = Run({"--csv", Csv(), windowsLog.string()});
    EXPECT_NE(note.err.find("(as in D:\\\\x1b[2J.mp3)"), std::string::npos) << note.err;
    EXPECT_EQ(note.err.find('\x1b'), std::string::npos);
    const Outcome usage = Run({"--bogus\x1b[2J"});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.err.find("unknown option --bogus\\x1b[2J"), std::string::npos);
}

// Each stage of a save, with the system call that ends it, at which the
// driver is killed instead of making the call (strace skips the call and
// sends SIGKILL), and the CSV the stage must leave. The log's CSV takes many
// blocks, so its third write falls in its middle.
struct SaveStage {
    const char* name;
    const char* call;
    int occurrence;
    bool renamed;
};

constexpr SaveStage kSaveStages[] = {
    {"new file made, nothing written", "fchmod", 1, false},
    {"first block", "write", 1, false},
    {"in the middle", "write", 3, false},
    {"written, not yet on disk", "fsync", 1, false},
    {"on disk, not yet named", "linkat", 1, false},
    {"named, not yet renamed", "renameat", 1, false},
    {"renamed, folder not yet on disk", "fsync", 2, true},
};

TEST_F(Driver, AKilledSaveLeavesThePreviousCsvAndNoTemporaryFile) {
    const LongRun run = PrepareLongRun();
    for (const SaveStage& stage : kSaveStages) {
        const std::string call = stage.call;
        const Outcome outcome = Run({"-f", "-qq", "-o", "/dev/null", "-e", "trace=" + call, "-e",
                                     "inject=" + call + ":error=EIO:signal=SIGKILL:when=" +
                                         std::to_string(stage.occurrence),
                                     kDriver.string(), "--csv", Csv(), run.log},
                                    "/usr/bin/strace");
        if (outcome.signal != SIGKILL && outcome.err.find("strace") != std::string::npos) {
            GTEST_SKIP() << "strace cannot trace here: " << outcome.err;
        }
        EXPECT_EQ(outcome.signal, SIGKILL) << stage.name;
        const std::string csv = ReadBytes(Csv());
        EXPECT_TRUE(csv == (stage.renamed ? run.completeCsv : "old\r\n"))
            << stage.name << ": " << csv.size();
        // Only the instant between naming the new file and renaming it can
        // leave a name behind; the next save removes it.
        for (const std::string& name : Entries()) {
            EXPECT_TRUE(name == "braki.csv" || name == "long.hst" || name.starts_with(".veltra-"))
                << stage.name << ": " << name;
        }
        ASSERT_EQ(Run({"--csv", Csv(), run.log}).exitCode, 0);
        EXPECT_EQ(Entries(), (std::vector<std::string>{"braki.csv", "long.hst"})) << stage.name;
        EXPECT_EQ(ReadBytes(Csv()), run.completeCsv);
        std::ofstream(Csv(), std::ios::binary) << "old\r\n";
    }
}

// Waits until process `pid` catches every one of `signals`, as the kernel
// shows in its status; false when the process ends first.
bool AwaitCaughtSignals(long pid, std::initializer_list<int> signals) {
    const std::string status = "/proc/" + std::to_string(pid) + "/status";
    for (;;) {
        std::ifstream in(status);
        std::string line;
        unsigned long long caught = 0;
        bool running = false;
        while (std::getline(in, line)) {
            if (line.starts_with("State:")) {
                running = line.find('Z') == std::string::npos;
            } else if (line.starts_with("SigCgt:")) {
                caught = std::stoull(line.substr(7), nullptr, 16);
            }
        }
        if (!running) {
            return false;
        }
        if (std::all_of(signals.begin(), signals.end(),
                        [&](int signal) { return (caught >> (signal - 1)) & 1; })) {
            return true;
        }
        std::this_thread::yield();
    }
}

TEST_F(Driver, TerminationSignalsEndTheRunAndKeepThePreviousCsv) {
    const LongRun run = PrepareLongRun();
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        std::ofstream(Csv(), std::ios::binary) << "old\r\n";
        const std::unique_ptr<ChildProcess> child = Start({"--csv", Csv(), run.log});
        // Signalled before its handlers are in place, the driver would end
        // by the default effect, which looks the same from here.
        ASSERT_TRUE(AwaitCaughtSignals(child->Id(), {SIGTERM, SIGINT, SIGHUP}));
        ::kill(static_cast<pid_t>(child->Id()), signal);
        const Outcome outcome = Wait(*child);
        // Ended by the signal itself, as the shell expects, with nothing
        // printed and nothing saved.
        EXPECT_EQ(outcome.signal, signal);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(ReadBytes(Csv()), "old\r\n");
        EXPECT_EQ(Entries(), (std::vector<std::string>{"braki.csv", "long.hst"}));
    }
}

TEST_F(Driver, TheSaveReachesTheDiskWithItsFolder) {
    const fs::path trace = scratch / "trace";
    const Outcome outcome =
        Run({"-f", "-qq", "-y", "-e", "trace=fsync,fdatasync", "-o", trace.string(),
             kDriver.string(), "--csv", Csv(), "samples/noc.hst"},
            "/usr/bin/strace");
    if (outcome.exitCode != 0 || !fs::exists(trace)) {
        GTEST_SKIP() << "strace cannot trace here: " << outcome.err;
    }
    const std::string calls = ReadBytes(trace);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), '\n'), 2) << calls;
    EXPECT_NE(calls.find("fsync("), std::string::npos);
    EXPECT_NE(calls.find("<" + scratch.string() + ">)"), std::string::npos) << calls;
}

}  // namespace
}  // namespace veltra::testing
