// The driver on Windows: sharing with the playout system, names beyond the
// ANSI code page, devices, a killed save.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "driver_fixture.h"

namespace veltra::testing {
namespace {

TEST_F(Driver, AWriterAppendingLineByLineNeverFailsWhileTheLogIsRead) {
    const fs::path log = scratch / "emisja.hst";
    const std::string line =
        "10:00:00;M:/a.mp3;x;x;00:03:25;Tytul;x;Wykonawca;x;x;x;x;x;x;x;x;x;GBR;MU;x;x;\r\n";
    {
        std::ofstream out(log, std::ios::binary);
        for (int i = 0; i < 30000; ++i) {
            out << line;
        }
    }
    // A playout system that opens its log for each line, letting others
    // only read meanwhile, and cannot log what it airs when the open fails.
    std::atomic<bool> stop{false};
    std::atomic<int> appended{0};
    std::atomic<int> refused{0};
    std::thread writer([&] {
        while (!stop) {
            const HANDLE file =
                ::CreateFileW(log.wstring().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE) {
                ++refused;
                continue;
            }
            DWORD written = 0;
            ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            ::CloseHandle(file);
            ++appended;
        }
    });
    std::vector<Outcome> runs;
    for (int i = 0; i < 3; ++i) {
        runs.push_back(Run({"--table-row", "--csv", Csv(), log.string()}));
    }
    stop = true;
    writer.join();
    EXPECT_EQ(refused, 0);
    EXPECT_GT(appended, 0);
    for (const Outcome& run : runs) {
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "Gotowe!\n");
    }
}

TEST_F(Driver, APolishLogNameReachesItThroughTheWideCommandLine) {
    const std::string name =
        "\xC5\x82\xC3\xB3"
        "d\xC5\xBA.hst";  // łódź.hst in UTF-8
    fs::copy_file(kSourceDir / "samples/examples/debiut.hst",
                  scratch / fs::path(std::u8string(name.begin(), name.end())));
    const Outcome outcome = Run({"--json", "--csv", Csv(), (scratch.string() + "\\" + name)});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out, Expected("debiut.json"));
}

TEST_F(Driver, TheWindowsSamplesFindTheirDriveAsWritten) {
    // D: must be the folder standing in for the playout PC's drive (the
    // tests' fixture makes it so under Wine).
    if (!fs::exists("D:\\Muzyka\\polskie\\pod niebem.dat")) {
        GTEST_SKIP() << "D: does not hold the samples' audio folders";
    }
    // Paths in any letter case, "\\" or "/", Polish names in capitals.
    const Outcome outcome = Run({"--csv", Csv(), "samples/windows/poranek.hst",
                                 "samples/windows/noc.hst", "samples/windows/niepelny.hst"});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, Expected("samples.txt"));
    EXPECT_EQ(outcome.err, "Gotowe!\n");
}

TEST_F(Driver, ExpandsWildcardsInLogNamesInNameOrder) {
    const fs::path logs = scratch / "logs";
    fs::create_directories(logs / "4.hst");
    const std::vector<std::string> named{"samples\\poranek.hst", "samples/noc.hst",
                                         "samples/niepelny.hst"};
    for (std::size_t i = 0; i < named.size(); ++i) {
        fs::copy_file(kSourceDir / named[i], logs / (std::to_string(i + 1) + ".hst"));
    }
    // Found by its short name A~1.HST, but no log.
    fs::copy_file(kSourceDir / "samples/noc.hst", logs / "3.hstx");
    const Outcome expanded = Run({"--csv", Csv(), (logs / "?.HST").string()});
    EXPECT_EQ(expanded.exitCode, 0) << expanded.err;
    const std::string csv = ReadBytes(Csv());
    const Outcome listed = Run({"--csv", Csv(), (logs / "1.hst").string(),
                                (logs / "2.hst").string(), (logs / "3.hst").string()});
    EXPECT_EQ(expanded.out, listed.out) << listed.exitCode << listed.err;
    EXPECT_EQ(csv, ReadBytes(Csv()));

    for (const std::string& pattern : {(logs / "*.dat").string(), (scratch / "*/1.hst").string()}) {
        const Outcome none = Run({"--csv", Csv(), (logs / "1.hst").string(), pattern});
        EXPECT_EQ(none.exitCode, 2);
        EXPECT_TRUE(none.err.starts_with("veltra-report: no log matches " + pattern + "\n"))
            << none.err;
    }
    EXPECT_NE(Run({"--help"}).out.find("wildcards * and ?"), std::string::npos);
}

TEST_F(Driver, DeclaresLongPathsInItsManifest) {
    const HMODULE program =
        ::LoadLibraryExW(kDriver.wstring().c_str(), nullptr,
                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr);
    const HRSRC found = ::FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const std::string manifest(
        static_cast<const char*>(::LockResource(::LoadResource(program, found))),
        ::SizeofResource(program, found));
    ::FreeLibrary(program);
    EXPECT_NE(manifest.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                            "WindowsSettings\">true</longPathAware>"),
              std::string::npos)
        << manifest;
}

TEST_F(Driver, ReadsLogsOnANetworkShare) {
    // The tests' fixture makes the samples' folder this share under Wine.
    const std::string share = "\\\\veltra-test\\probki\\";
    if (!fs::exists(share + "noc.hst")) {
        GTEST_SKIP() << "no share " << share;
    }
    const Outcome outcome = Run({"--csv", Csv(), share + "poranek.hst", share + "noc.hst",
                                 share + "sub\\..\\niepelny.hst"});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out, Expected("samples.txt"));
    EXPECT_EQ(ReadBytes(Csv()), Expected("samples.csv"));

    const Outcome missing = Run({"--csv", Csv(), share + "brak.hst"});
    EXPECT_EQ(WithoutCause(missing.err), "Cannot open file \"" + share + "brak.hst\". ");
}

TEST_F(Driver, ADeviceNamedOnPurposeIsWrittenAsItIs) {
    const Outcome outcome = Run(With({"--csv", "NUL"}, kSampleLogs));
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out, Expected("samples.txt"));
}

TEST_F(Driver, AKilledSaveLeavesThePreviousCsvAndNoTemporaryFile) {
    const LongRun run = PrepareLongRun();
    // Each start under Wine is slow, so a few kills spread over the run.
    for (int i = 1; i <= 6; ++i) {
        const std::unique_ptr<ChildProcess> child = Start({"--csv", Csv(), run.log});
        std::this_thread::sleep_for(run.runTime * i / 6);
        child->Kill();
        Wait(*child);
        const std::string csv = ReadBytes(Csv());
        EXPECT_TRUE(csv == "old\r\n" || csv == run.completeCsv)
            << "kill " << i << ": " << csv.size();
        // The file of the new content goes with the process, but for the
        // instant it is made and the instant before it takes the name: left
        // then, it is empty or whole, and the next save removes it.
        for (const std::string& name : Entries()) {
            if (name != "braki.csv" && name != "long.hst") {
                const std::string left = ReadBytes(scratch / name);
                EXPECT_TRUE(left.empty() || left == run.completeCsv)
                    << "kill " << i << ": " << name << " " << left.size();
            }
        }
    }
    EXPECT_EQ(Run({"--csv", Csv(), run.log}).exitCode, 0);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"braki.csv", "long.hst"}));
}

}  // namespace
}  // namespace veltra::testing
