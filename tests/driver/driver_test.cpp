// Runs the veltra-report executable over the sample logs, from the
// repository's root as the README does, and compares what it prints and
// writes with the expected files beside this test.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = VELTRA_SOURCE_DIR;
const fs::path kDriver = VELTRA_REPORT_EXE;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Expected(const std::string& name) {
    return ReadBytes(kSourceDir / "tests/driver/expected" / name);
}

struct Outcome {
    int exitCode = -1;
    int signal = 0;
    std::string out;
    std::string err;
};

class Driver : public ::testing::Test {
protected:
    void SetUp() override {
        scratch = fs::temp_directory_path() /
                  ("veltra-driver-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(scratch);
        fs::create_directories(scratch);
    }
    void TearDown() override { fs::remove_all(scratch); }

    // Starts `program` with `arguments` in the repository's root, with the
    // user's settings in the scratch folder; standard output and error go
    // to files, so neither can fill a pipe.
    pid_t Start(const std::vector<std::string>& arguments, const fs::path& program = kDriver) {
        const fs::path outPath = scratch / "stdout";
        const fs::path errPath = scratch / "stderr";
        std::vector<std::string> words{program.string()};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);

        const pid_t child = ::fork();
        if (child == 0) {
            const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
                ::chdir(kSourceDir.c_str()) != 0 ||
                ::setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1) != 0) {
                ::_exit(127);
            }
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        return child;
    }

    Outcome Wait(pid_t child) {
        int status = 0;
        ::waitpid(child, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                WIFSIGNALED(status) ? WTERMSIG(status) : 0, ReadBytes(scratch / "stdout"),
                ReadBytes(scratch / "stderr")};
    }

    Outcome Run(const std::vector<std::string>& arguments, const fs::path& program = kDriver) {
        return Wait(Start(arguments, program));
    }

    // The names in the scratch folder but for the captured output.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(scratch)) {
            const std::string name = entry.path().filename().string();
            if (name != "stdout" && name != "stderr") {
                names.push_back(name);
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string Csv() const { return (scratch / "braki.csv").string(); }

    fs::path scratch;
};

const std::vector<std::string> kSampleLogs{"samples/poranek.hst", "samples/noc.hst",
                                           "samples/niepelny.hst"};
// The same logs as the playout PC writes them, with the audio files on D:.
const std::vector<std::string> kWindowsSampleLogs{
    "samples/windows/poranek.hst", "samples/windows/noc.hst", "samples/windows/niepelny.hst"};

std::vector<std::string> With(std::vector<std::string> options,
                              const std::vector<std::string>& logs) {
    options.insert(options.end(), logs.begin(), logs.end());
    return options;
}

TEST_F(Driver, PrintsThePanelsAndWritesTheCsvForTheSamples) {
    const Outcome outcome = Run(With({"--csv", Csv()}, kSampleLogs));
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, Expected("samples.txt"));
    EXPECT_EQ(outcome.err, "Gotowe!\n");
    EXPECT_EQ(ReadBytes(Csv()), Expected("samples.csv"));
}

TEST_F(Driver, PrintsEveryFieldAsJson) {
    const Outcome outcome = Run(With({"--json", "--csv", Csv()}, kSampleLogs));
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, Expected("samples.json"));
}

TEST_F(Driver, PrintsTheQuarterlyTableRowAlone) {
    const Outcome outcome = Run(With({"--table-row", "--csv", Csv()}, kSampleLogs));
    EXPECT_EQ(outcome.exitCode, 0);
    // Columns B to E: total time, Polish debut and other Polish time in the
    // day band, Polish time at night; the same texts as samples.txt shows.
    EXPECT_EQ(outcome.out, "01:18:16\t00:17:47\t00:15:00\t00:11:09\n");
}

TEST_F(Driver, ReproducesTheSingleItemExamples) {
    for (const std::string name : {"jeden-utwor", "debiut"}) {
        const Outcome outcome =
            Run({"--json", "--csv=" + Csv(), "samples/examples/" + name + ".hst"});
        EXPECT_EQ(outcome.exitCode, 0) << name;
        EXPECT_EQ(outcome.out, Expected(name + ".json")) << name;
        EXPECT_EQ(ReadBytes(Csv()), "") << name;
    }
}

TEST_F(Driver, WritesTheCsvBesideItselfByDefault) {
    const fs::path copy = scratch / "veltra-report";
    fs::copy_file(kDriver, copy);
    const Outcome outcome = Run({"samples/examples/jeden-utwor.hst"}, copy);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(fs::is_regular_file(scratch / "braki naradowosci.csv"));
}

TEST_F(Driver, AMissingLogFailsWithNothingOnStdoutAndTheOldCsvKept) {
    std::ofstream(Csv(), std::ios::binary) << "old\r\n";
    const Outcome outcome = Run({"--csv", Csv(), "samples/noc.hst", "samples/brak.hst"});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "Cannot open file \"" + (kSourceDir / "samples/brak.hst").string() +
                               "\". No such file or directory.\n");
    EXPECT_EQ(ReadBytes(Csv()), "old\r\n");
}

TEST_F(Driver, ACsvThatCannotBeCreatedFails) {
    const std::string csv = (scratch / "no/such/folder.csv").string();
    const Outcome outcome = Run({"--csv", csv, "samples/noc.hst"});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "Cannot create file \"" + csv + "\". No such file or directory.\n");
}

TEST_F(Driver, UsageErrorsExitWithTwo) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{},
                                                      {"--json"},
                                                      {"--csv"},
                                                      {"--csv", "", "a.hst"},
                                                      {""},
                                                      {"--bogus", "a.hst"},
                                                      {"--map"},
                                                      {"--map", "D:\\", "a.hst"},
                                                      {"--map", "samples=samples", "a.hst"},
                                                      {"--map=D:\\=samples/brak", "a.hst"},
                                                      {"--json", "--table-row", "a.hst"}}) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find("Usage: veltra-report"), std::string::npos);
    }
}

TEST_F(Driver, HelpGoesToStdout) {
    const Outcome outcome = Run({"--help"});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(outcome.out.starts_with("Usage: veltra-report [--json | --table-row]"));
    EXPECT_EQ(outcome.err, "");

    const Outcome version = Run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "veltra-report " VELTRA_VERSION "\n");
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

TEST_F(Driver, ACsvNamingALogIsAUsageError) {
    fs::create_symlink(kSourceDir / "samples/noc.hst", scratch / "noc.csv");
    const std::string before = ReadBytes(kSourceDir / "samples/noc.hst");
    for (const std::string& csv :
         {std::string("samples/noc.hst"), (scratch / "noc.csv").string()}) {
        const Outcome outcome = Run({"--csv", csv, "samples/poranek.hst", "samples/noc.hst"});
        EXPECT_EQ(outcome.exitCode, 2) << csv;
        EXPECT_NE(outcome.err.find("--csv names the log samples/noc.hst"), std::string::npos);
    }
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

TEST_F(Driver, ARemovedWorkingFolderIsReportedAsAFileThatCannotBeOpened) {
    fs::create_directory(scratch / "gone");
    const Outcome outcome =
        Run({"-c", "cd \"$0\" && rmdir \"$0\" && exec \"$1\" --csv \"$2\" noc.hst",
             (scratch / "gone").string(), kDriver.string(), Csv()},
            "/bin/sh");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.err, "Cannot open file \"noc.hst\". No such file or directory.\n");
}

// A log of `lines` music items without a nationality, one CSV line each.
fs::path WriteLongLog(const fs::path& path, int lines) {
    std::ofstream log(path, std::ios::binary);
    for (int i = 0; i < lines; ++i) {
        log << "10:00:00;M:/a" << i << ".mp3;x;x;00:03:25;Tytul;x;Wykonawca;"
            << "x;x;x;x;x;x;x;x;x;;MU;x;x;\r\n";
    }
    return path;
}

TEST_F(Driver, AKilledSaveLeavesThePreviousCsvAndNoTemporaryFile) {
    const std::string log = WriteLongLog(scratch / "long.hst", 50000).string();
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(Run({"--csv", Csv(), log}).exitCode, 0);
    const auto runTime = std::chrono::steady_clock::now() - started;
    const std::string complete = ReadBytes(Csv());
    std::ofstream(Csv(), std::ios::binary) << "old\r\n";

    std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed());
    std::uniform_int_distribution<long> delay(
        0, std::chrono::duration_cast<std::chrono::microseconds>(runTime * 5 / 4).count());
    for (int i = 0; i < 50; ++i) {
        const pid_t child = Start({"--csv", Csv(), log});
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        Wait(child);
        const std::string csv = ReadBytes(Csv());
        EXPECT_TRUE(csv == "old\r\n" || csv == complete) << "kill " << i << ": " << csv.size();
        // Only the instant between naming the new file and renaming it can
        // leave a name behind; the next save removes it.
        for (const std::string& name : Entries()) {
            EXPECT_TRUE(name == "braki.csv" || name == "long.hst" || name.starts_with(".veltra-"))
                << name;
        }
    }
    ASSERT_EQ(Run({"--csv", Csv(), log}).exitCode, 0);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"braki.csv", "long.hst"}));
    EXPECT_EQ(ReadBytes(Csv()), complete);
}

TEST_F(Driver, TerminationSignalsEndTheRunAndKeepThePreviousCsv) {
    const std::string log = WriteLongLog(scratch / "long.hst", 50000).string();
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        std::ofstream(Csv(), std::ios::binary) << "old\r\n";
        const pid_t child = Start({"--csv", Csv(), log});
        ::usleep(20000);
        ::kill(child, signal);
        const Outcome outcome = Wait(child);
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
