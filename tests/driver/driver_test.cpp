// The driver on every platform: the figures and the CSV over the samples,
// the failures, the command line.

#include <gtest/gtest.h>

#include "driver_fixture.h"

namespace veltra::testing {
namespace {

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
    const fs::path copy = scratch / kDriver.filename();
    fs::copy_file(kDriver, copy);
    const Outcome outcome = Run(kSampleLogs, copy);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(ReadBytes(scratch / "braki naradowosci.csv"), Expected("samples.csv"));

    // That list named as a log would be read as one and then overwritten.
    const std::string list = (scratch / "braki naradowosci.csv").string();
    const Outcome refused = Run({"samples/noc.hst", list}, copy);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("the log " + list + " is the list"), std::string::npos)
        << refused.err;
    EXPECT_EQ(ReadBytes(list), Expected("samples.csv"));
}

TEST_F(Driver, AMissingLogFailsWithNothingOnStdoutAndTheOldCsvKept) {
    std::ofstream(Csv(), std::ios::binary) << "old\r\n";
    const Outcome outcome = Run({"--csv", Csv(), "samples/noc.hst", "samples/brak.hst"});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(
        WithoutCause(outcome.err),
        "Cannot open file \"" + fs::absolute(kSourceDir / "samples/brak.hst").string() + "\". ");
    EXPECT_TRUE(outcome.err.ends_with(".\n"));
    EXPECT_EQ(ReadBytes(Csv()), "old\r\n");
}

TEST_F(Driver, ALogBeingWrittenIsReadWithoutItsUnfinishedLastLine) {
    const fs::path log = scratch / "today.hst";
    fs::copy_file(kSourceDir / "samples/noc.hst", log);
    const Outcome whole = Run({"--json", "--csv", Csv(), log.string()});
    ASSERT_EQ(whole.exitCode, 0);

    // The playout system holds today's log open and is halfway through a line.
    std::ofstream writer(log, std::ios::binary | std::ios::app);
    writer << "23:59:00;D:\\Muzyka\\pol";
    writer.flush();
    const Outcome held = Run({"--json", "--csv", Csv(), log.string()});
    EXPECT_EQ(held.exitCode, 0);
    EXPECT_EQ(held.out, whole.out);
    EXPECT_EQ(held.err, "veltra-report: \"" + log.string() +
                            "\" was being written; its last line, not yet finished, was left "
                            "out\nGotowe!\n");

    // Closed, the log ends with that line, which counts (as incomplete).
    writer.close();
    const Outcome closed = Run({"--json", "--csv", Csv(), log.string()});
    EXPECT_EQ(closed.err, "Gotowe!\n");
    EXPECT_NE(closed.out, whole.out);
}

TEST_F(Driver, ACsvThatCannotBeCreatedFails) {
    // Named with "/", shown with the system's own separators.
    const std::string csv = scratch.string() + "/no/such/folder.csv";
    const Outcome outcome = Run({"--csv", csv, "samples/noc.hst"});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(WithoutCause(outcome.err),
              "Cannot create file \"" + (scratch / "no" / "such" / "folder.csv").string() + "\". ");
    EXPECT_EQ(Entries(), std::vector<std::string>{});
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

TEST_F(Driver, ACsvNamingALogIsAUsageError) {
    const std::string before = ReadBytes(kSourceDir / "samples/noc.hst");
    const Outcome outcome =
        Run({"--csv", "samples/noc.hst", "samples/poranek.hst", "samples/noc.hst"});
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_NE(outcome.err.find("--csv names the log samples/noc.hst"), std::string::npos);
    EXPECT_EQ(ReadBytes(kSourceDir / "samples/noc.hst"), before);
}

}  // namespace
}  // namespace veltra::testing
