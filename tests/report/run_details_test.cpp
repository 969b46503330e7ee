#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report_fixture.h"
#include "run_details.h"

namespace veltra {
namespace {

using testing::LogLine;

std::string Incomplete(const RunDetails::IncompleteLine& line) {
    return std::string(line.log) + ":" + std::to_string(line.line) + " " +
           std::to_string(line.fields) + " " + ShownLineStart(line);
}

std::string Item(const RunDetails::PolishDayItem& item) {
    return std::string(item.log) + ":" + std::to_string(item.line) + " " +
           std::string(item.audioPath) + " " + std::string(OutcomeName(item.outcome)) + " " +
           std::string(item.datPath);
}

// Every case runs with the description files read in line order and read
// ahead: the records must not depend on which.
class RunDetailsOfARun : public testing::ReportTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        report.SetKeepsDetails(true);
        if (!GetParam()) {
            report.SetReadAhead({.ioThreads = 0});
        }
    }

    void Run(std::vector<std::string> logs) {
        host.choice = std::move(logs);
        report.LadujPliki();
    }

    std::vector<std::string> IncompleteLines() const {
        std::vector<std::string> shown;
        for (const auto& line : report.Details().IncompleteLines()) {
            shown.push_back(Incomplete(line));
        }
        return shown;
    }

    std::vector<std::string> PolishDayItems() const {
        std::vector<std::string> shown;
        for (const auto& item : report.Details().PolishDayItems()) {
            shown.push_back(Item(item));
        }
        return shown;
    }
};

TEST_P(RunDetailsOfARun, NumbersLinesAsAnEditorDoesAcrossLogs) {
    const std::string full = LogLine{}.Text();
    // Blank lines count in the numbering; CR LF, LF and CR end lines alike,
    // and the last line needs no end.
    files.files["/logs/a.hst"] = "a;b;\r\n\r\n" + full + "\r\n   \r\nJIN;x\tz\x01;\n";
    files.files["/logs/b.hst"] = full + "\r" + full + ";\rbez;konca";
    Run({"/logs/a.hst", "/logs/b.hst"});

    EXPECT_EQ(IncompleteLines(), (std::vector<std::string>{
                                     "/logs/a.hst:1 2 a;b;",
                                     "/logs/a.hst:5 2 JIN;x\\tz\\x01;",
                                     "/logs/b.hst:2 22 " + (full + ";").substr(0, 80) + "\x85",
                                     "/logs/b.hst:3 1 bez;konca",
                                 }));
    EXPECT_EQ(report.tallies().IncompleteLines(), 4);
}

TEST_P(RunDetailsOfARun, RecordsEveryPolishDayItemWithItsOutcome) {
    files.files["/audio/debiut.dat"] = "Kod=n";
    files.files["/audio/stary.dat"] = "Kod=a";
    files.files["/audio/Wielkie/Litery.dat"] = "Kod=N";
    files.files["/mnt/d/x.dat"] = "Kod=x";
    host.mappings = {{"M:\\", "/mnt/d"}};
    files.files["/logs/a.hst"] =
        LogLine{.path = "/audio/debiut.mp3", .nationality = "POL"}.Text() + "\n" +
        LogLine{.path = "/audio/stary.mp3", .nationality = "pol"}.Text() + "\n" +
        LogLine{.path = "/audio/brak.mp3", .nationality = "POL"}.Text() + "\n" +
        LogLine{.path = "/audio/wielkie/litery.mp3", .nationality = "POL"}.Text() + "\n" +
        LogLine{.path = "M:\\x.mp3", .nationality = "POL"}.Text() + "\n" +
        LogLine{.path = "D:\\Muzyka\\y.mp3", .nationality = "POL"}.Text() + "\n" +
        LogLine{.path = "", .nationality = "POL"}.Text() + "\n" +
        // Neither a night item, nor a foreign one, nor one without a
        // nationality takes the test.
        LogLine{.time = "03:00:00", .path = "/audio/debiut.mp3", .nationality = "POL"}.Text() +
        "\n" + LogLine{.path = "/audio/debiut.mp3"}.Text() + "\n" +
        LogLine{.path = "/audio/debiut.mp3", .nationality = ""}.Text() + "\n";
    Run({"/logs/a.hst"});

    EXPECT_EQ(PolishDayItems(), (std::vector<std::string>{
                                    "/logs/a.hst:1 /audio/debiut.mp3 debut /audio/debiut.dat",
                                    "/logs/a.hst:2 /audio/stary.mp3 other /audio/stary.dat",
                                    "/logs/a.hst:3 /audio/brak.mp3 no-dat ",
                                    "/logs/a.hst:4 /audio/wielkie/litery.mp3 debut "
                                    "/audio/Wielkie/Litery.dat",
                                    "/logs/a.hst:5 M:\\x.mp3 other /mnt/d/x.dat",
                                    "/logs/a.hst:6 D:\\Muzyka\\y.mp3 unmapped ",
                                    "/logs/a.hst:7  no-dat ",
                                }));
    EXPECT_EQ(report.tallies().Count(Category::DayPolishDebut), 2);
    EXPECT_EQ(report.tallies().Count(Category::DayPolishOther), 5);
}

TEST_P(RunDetailsOfARun, DescribeTheLatestRunOnly) {
    files.files["/logs/a.hst"] = "a;\n" + LogLine{.nationality = "POL"}.Text() + "\n";
    files.files["/logs/b.hst"] = "b;\n";
    Run({"/logs/a.hst"});
    Run({"/logs/b.hst"});
    EXPECT_EQ(IncompleteLines(), std::vector<std::string>{"/logs/b.hst:1 1 b;"});
    EXPECT_TRUE(PolishDayItems().empty());
    EXPECT_EQ(report.tallies().IncompleteLines(), 2);

    report.Reset();
    EXPECT_TRUE(IncompleteLines().empty());
}

INSTANTIATE_TEST_SUITE_P(InLineOrderAndReadAhead, RunDetailsOfARun, ::testing::Bool());

TEST(RunDetails, PastTheLimitRecordsAreOnlyCounted) {
    RunDetails details(3 * sizeof(RunDetails::IncompleteLine));
    details.StartLog("/l");
    for (int i = 1; i <= 5; ++i) {
        details.AddIncompleteLine(i, "a;");
    }
    details.AddPolishDayItem(6, "/x.mp3", {DebutOutcome::Other, "/x.dat"});
    EXPECT_EQ(details.IncompleteLines().size(), 2u);
    EXPECT_EQ(details.IncompleteLinesLeftOut(), 3u);
    EXPECT_EQ(details.PolishDayItemsLeftOut(), 1u);
    EXPECT_EQ(details.IncompleteLines().back().log, "/l");

    details.Clear();
    details.AddIncompleteLine(0, std::string(100000, ';'));
    ASSERT_EQ(details.IncompleteLines().size(), 1u);
    EXPECT_EQ(details.IncompleteLines()[0].fields, 100000u);
    EXPECT_EQ(details.IncompleteLines()[0].start.size(), RunDetails::kLineStartBytes);
    EXPECT_EQ(details.IncompleteLines()[0].log, "");
    EXPECT_EQ(details.IncompleteLinesLeftOut(), 0u);
}

}  // namespace
}  // namespace veltra
