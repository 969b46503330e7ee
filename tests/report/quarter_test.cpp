#include <gtest/gtest.h>

#include <filesystem>

#include "dated_logs.h"
#include "fakes.h"
#include "file_access.h"
#include "quarter.h"
#include "report.h"

namespace veltra {
namespace {

using testing::Log;
using testing::LogLine;

class Quarter : public ::testing::Test {
protected:
    QuarterForm Run(const std::vector<QuarterMonth>& months) {
        QuarterRun run(files, host);
        std::optional<QuarterForm> form = run.Run(months);
        EXPECT_TRUE(form.has_value());
        return form.value_or(QuarterForm{});
    }

    std::string Refusal(const std::vector<QuarterMonth>& months) {
        try {
            QuarterRun(files, host).Run(months);
        } catch (const QuarterRefusal& refusal) {
            return refusal.what();
        }
        return "";
    }

    testing::FakeFileSystem files;
    testing::FakeHost host;
};

TEST_F(Quarter, EachMonthIsItsOwnRunIntoItsRowOfTheForm) {
    files.files["/l/pazdziernik.hst"] =
        Log({{.duration = "01:00:00"},
             {.path = "/a/debiut.mp3", .duration = "00:10:00", .nationality = "POL"},
             {.duration = "00:20:00", .nationality = "POL"},
             {.time = "02:00:00", .duration = "00:05:00", .nationality = "POL"},
             {.nationality = ""},
             {.type = "MU;"}});
    files.files["/a/debiut.dat"] = "Kod=n";
    // 37 items of 2 h 45 min: the month's B of 101:45:00 needs [hh].
    std::string grudzien;
    for (int i = 0; i < 37; ++i) {
        grudzien += Log({{.duration = "02:45:00", .nationality = "POL"}});
    }
    grudzien += Log({{.performer = "Grudniowy", .nationality = ""}});
    // Still being written: its unfinished last line is left out, and said.
    files.files["/l/grudzien.hst"] = grudzien + LogLine{.nationality = "POL"}.Text().substr(0, 40);
    files.openForWriting = {"/l/grudzien.hst"};

    const QuarterForm form = Run({{{2026, 10}, {"/l/pazdziernik.hst"}},
                                  {{2026, 11}, {}},
                                  {{2026, 12}, {"/l/grudzien.hst"}}});

    EXPECT_EQ(form.quarter, (QuarterId{2026, 4}));
    ASSERT_TRUE(form.rows[0]);
    const FormRow& october = *form.rows[0];
    EXPECT_EQ(october.month, (YearMonth{2026, 10}));
    EXPECT_EQ(october.totalSeconds, 3600 + 600 + 1200 + 300);
    EXPECT_EQ(october.dayPolishDebutSeconds, 600);
    EXPECT_EQ(october.dayPolishOtherSeconds, 1200);
    EXPECT_EQ(october.nightPolishSeconds, 300);
    EXPECT_EQ(october.incompleteLines, 1);
    EXPECT_EQ(october.missingNationality, 1);
    EXPECT_FALSE(form.rows[1]);
    ASSERT_TRUE(form.rows[2]);
    // From zero: nothing of October's run is in December's row.
    EXPECT_EQ(form.rows[2]->totalSeconds, 37 * 9900);
    EXPECT_EQ(form.rows[2]->dayPolishOtherSeconds, 37 * 9900);
    EXPECT_EQ(form.rows[2]->incompleteLines, 0);
    EXPECT_EQ(form.rows[2]->missingNationality, 1);
    // One list for the quarter, saved once, where runs save theirs.
    const std::vector<std::string> list{"Wykonawca;Tytul;M:/muzyka/utwor.mp3",
                                        "Grudniowy;Tytul;M:/muzyka/utwor.mp3"};
    EXPECT_EQ(form.missingNationalityList, list);
    EXPECT_EQ(files.replaced.size(), 1u);
    EXPECT_EQ(files.files.at(std::string(testing::kCsvPath)), list[0] + "\r\n" + list[1] + "\r\n");

    // The quarter's files gauge, no notices of the months' own, no "pokaż".
    EXPECT_EQ(host.maxValue[Gauge::Files], 2);
    EXPECT_EQ(host.progress[Gauge::Files], 2);
    EXPECT_TRUE(host.notices.empty());
    EXPECT_EQ(host.logsBeingWritten, std::vector<std::string>{"/l/grudzien.hst"});
    EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "LPokaz on"), 0);
}

TEST_F(Quarter, AHostsOwnListCanBeKept) {
    files.files["/l/a.hst"] = Log({{.nationality = ""}});
    const std::optional<QuarterForm> form =
        QuarterRun(files, host, {}, QuarterRun::List::Kept).Run({{{2026, 1}, {"/l/a.hst"}}});
    ASSERT_TRUE(form);
    EXPECT_EQ(form->missingNationalityList.size(), 1u);
    EXPECT_TRUE(files.replaced.empty());
}

TEST_F(Quarter, SharesAndTheirThresholds) {
    struct Case {
        FormRow row;
        double g, i;
        bool gMet, iMet;
    };
    const ShareThresholds defaults;
    const Case cases[] = {
        // B = 0 and C + D + E = 0: both shares 0, both missed.
        {{{2026, 1}, 0, 0, 0, 0}, 0, 0, false, false},
        {{{2026, 1}, 100, 0, 0, 0}, 0, 0, false, false},
        {{{2026, 1}, 100, 10, 20, 3}, 0.33, 30.0 / 33, true, true},
        // Just under the threshold misses it, though the form shows 33%.
        {{{2026, 1}, 10000, 1000, 2000, 299}, 0.3299, 3000.0 / 3299, false, true},
        {{{2026, 1}, 100, 0, 60, 40}, 1.0, 0.6, true, true},
        {{{2026, 1}, 100, 0, 59, 41}, 1.0, 0.59, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(c.row.PolishShare(), c.g);
        EXPECT_DOUBLE_EQ(c.row.DayPolishShare(), c.i);
        EXPECT_EQ(c.row.PolishShareMet(defaults), c.gMet) << c.row.totalSeconds;
        EXPECT_EQ(c.row.DayPolishShareMet(defaults), c.iMet) << c.row.totalSeconds;
    }
    EXPECT_EQ(ShareText(0.33), "33,0%");
    EXPECT_EQ(ShareText(0.3299), "32,9%");
    EXPECT_EQ(ShareText(1.0), "100,0%");
    EXPECT_EQ(ShareText(0.0), "0,0%");
    const FormRow row{{2026, 1}, 100, 10, 20, 3};
    EXPECT_FALSE(row.PolishShareMet({.polish = 35}));
    EXPECT_TRUE(row.DayPolishShareMet({.dayPolish = 90}));
    EXPECT_FALSE(row.DayPolishShareMet({.dayPolish = 91}));
}

TEST_F(Quarter, RefusedBeforeAnythingRuns) {
    files.files["/l/a.hst"] = Log({{}});
    EXPECT_EQ(Refusal({{{2026, 10}, {"/l/a.hst"}}, {{2026, 11}, {"/l/a.hst"}}}),
              "Plik /l/a.hst wybrano dwa razy (październik 2026, listopad 2026).");
    EXPECT_EQ(Refusal({{{2026, 10}, {"/l/a.hst", "/l/a.hst"}}}),
              "Plik /l/a.hst wybrano dwa razy (październik 2026).");
    EXPECT_EQ(Refusal({{{2026, 9}, {}}, {{2026, 10}, {"/l/a.hst"}}}),
              "październik 2026 i wrzesień 2026 należą do różnych kwartałów.");
    EXPECT_EQ(Refusal({{{2026, 10}, {}}, {{2026, 10}, {"/l/a.hst"}}}),
              "październik 2026 podano dwa razy.");
    EXPECT_EQ(Refusal({{{2026, 10}, {}}}), "Nie wybrano żadnego pliku.");
    EXPECT_TRUE(files.Reads().empty());
    EXPECT_TRUE(host.events.empty());
}

TEST_F(Quarter, AFailedMonthIsNamedAndEndsTheQuarter) {
    files.files["/l/a.hst"] = Log({{}});
    std::string message;
    try {
        QuarterRun(files, host)
            .Run({{{2026, 1}, {"/l/a.hst"}},
                  {{2026, 2}, {"/l/brak.hst"}},
                  {{2026, 3}, {"/l/a2.hst"}}});
    } catch (const FileError& failure) {
        message = failure.what();
    }
    // In full, as the system names it: on Windows with the current drive.
    const std::string full =
        (std::filesystem::current_path() / "/l/brak.hst").make_preferred().string();
    EXPECT_EQ(message, "luty 2026: Cannot open file \"" + full + "\". No such file or directory");
    EXPECT_EQ(files.Reads(), (std::vector<std::string>{"/l/a.hst", "/l/brak.hst"}));
}

TEST_F(Quarter, StopsMidQuarterAndAsksForADeclinedDriveOnce) {
    files.files["/l/a.hst"] = Log({{.path = "D:\\m\\x.mp3", .nationality = "POL"}});
    files.files["/l/b.hst"] = Log({{.path = "D:\\m\\y.mp3", .nationality = "POL"}, {}});
    files.files["/l/c.hst"] = Log({{}});
    int linesOfB = 0;
    host.onMessages = [&] {
        if (host.progress[Gauge::Files] == 1 && ++linesOfB == 2) {
            host.stopRequested = true;
        }
    };
    const std::optional<QuarterForm> form =
        QuarterRun(files, host)
            .Run({{{2026, 4}, {"/l/a.hst"}}, {{2026, 5}, {"/l/b.hst"}}, {{2026, 6}, {"/l/c.hst"}}});
    EXPECT_FALSE(form);
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(files.Reads().back(), "/l/b.hst");
}

TEST_F(Quarter, ItemsNotCheckedForADebutAreCountedInTheirMonth) {
    // The drive has no folder and the user declines to give one.
    files.files["/l/a.hst"] = Log({{.path = "D:\\m\\x.mp3", .nationality = "POL"},
                                   {.path = "D:\\m\\y.mp3", .nationality = "POL"}});
    files.files["/l/b.hst"] = Log({{.path = "/a/y.mp3", .nationality = "POL"}});
    const QuarterForm form = Run({{{2026, 4}, {"/l/a.hst"}}, {{2026, 5}, {"/l/b.hst"}}});
    ASSERT_TRUE(form.rows[0] && form.rows[1]);
    EXPECT_EQ(form.rows[0]->uncheckedItems, 2);
    EXPECT_EQ(form.rows[1]->uncheckedItems, 0);
}

TEST(DatedLogs, DatesInFileNames) {
    struct Case {
        std::string_view path;
        std::optional<Date> date;
        std::string_view notADate;
    };
    const Case cases[] = {
        {"/logi/2026-10-01.hst", Date{2026, 10, 1}, ""},
        {"C:\\Sonaril\\HST\\20261231.hst", Date{2026, 12, 31}, ""},
        {"/logi/antena 01.11.2026 rano.hst", Date{2026, 11, 1}, ""},
        {"/logi/2024-02-29.hst", Date{2024, 2, 29}, ""},
        {"/logi/2026-02-29.hst", std::nullopt, "2026-02-29"},
        {"/logi/2026-13-45.hst", std::nullopt, "2026-13-45"},
        {"/logi/00000000.hst", std::nullopt, "00000000"},
        // Digits run on: a time stamp or a number, not a date.
        {"/logi/202610011200.hst", std::nullopt, ""},
        {"/logi/x12026-10-01.hst", std::nullopt, ""},
        {"/2026-10-01/poranek.hst", std::nullopt, ""},
        {"/logi/poranek.hst", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        const DateInName found = FindDateInName(c.path);
        EXPECT_EQ(found.date, c.date) << c.path;
        EXPECT_EQ(found.notADate, c.notADate) << c.path;
    }
}

TEST(DatedLogs, GroupsIntoTheQuartersMonthsAndListsTheRest) {
    const DateGrouping grouping = GroupLogsByDate(
        {"/l/2026-11-02.hst", "/l/2026-10-31.hst", "/l/2026-11-01.hst", "/l/poranek.hst",
         "/l/2026-13-45.hst", "/l/2026-09-30.hst", "/l/20261102-noc.hst"},
        {2026, 4});
    ASSERT_EQ(grouping.months.size(), 3u);
    EXPECT_EQ(grouping.months[0].month, (YearMonth{2026, 10}));
    EXPECT_EQ(grouping.months[0].logs, std::vector<std::string>{"/l/2026-10-31.hst"});
    EXPECT_EQ(grouping.months[1].logs,
              (std::vector<std::string>{"/l/2026-11-01.hst", "/l/2026-11-02.hst",
                                        "/l/20261102-noc.hst"}));
    EXPECT_TRUE(grouping.months[2].logs.empty());
    std::vector<std::string> unplaced;
    for (const UnplacedLog& log : grouping.unplaced) {
        unplaced.push_back(log.path + ": " + UnplacedReason(log));
    }
    EXPECT_EQ(unplaced, (std::vector<std::string>{
                            "/l/poranek.hst: bez daty w nazwie",
                            "/l/2026-13-45.hst: 2026-13-45 to nie data",
                            "/l/2026-09-30.hst: 2026-09-30 spoza kwartału",
                        }));

    EXPECT_EQ(LikeliestQuarter({"/l/2026-09-30.hst", "/l/2026-10-01.hst", "/l/20261002.hst"}),
              (QuarterId{2026, 4}));
    EXPECT_EQ(LikeliestQuarter({"/l/2027-01-01.hst", "/l/2026-12-31.hst"}), (QuarterId{2026, 4}));
    EXPECT_EQ(LikeliestQuarter({"/l/poranek.hst"}), std::nullopt);
}

}  // namespace
}  // namespace veltra
