// The driver on Windows: sharing with the playout system, names beyond the
// ANSI code page, devices, a killed save.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "driver_fixture.h"

namespace veltra::testing {
namespace {

TEST_F(Driver, ALogHeldOpenForWritingCannotBeOpened) {
    std::ofstream(Csv(), std::ios::binary) << "old\r\n";
    const fs::path log = scratch / "emisja.hst";
    fs::copy_file(kSourceDir / "samples/noc.hst", log);
    // As the playout system holds the log it writes: others may read.
    const HANDLE writer =
        ::CreateFileW(log.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    const Outcome outcome = Run({"--csv", Csv(), log.string()});
    ::CloseHandle(writer);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(WithoutCause(outcome.err), "Cannot open file \"" + log.string() + "\". ");
    EXPECT_EQ(ReadBytes(Csv()), "old\r\n");

    // Closed, it is read as any other.
    EXPECT_EQ(Run({"--csv", Csv(), log.string()}).exitCode, 0);
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
        EXPECT_EQ(Entries(), (std::vector<std::string>{"braki.csv", "long.hst"})) << "kill " << i;
    }
}

}  // namespace
}  // namespace veltra::testing
