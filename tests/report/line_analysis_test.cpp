#include <gtest/gtest.h>

#include <filesystem>

#include "report_fixture.h"

namespace veltra {
namespace {

using enum Field;
using testing::LogLine;

// Total, Polish, Day, Night, DayPolishOther, DayPolishDebut, NightPolish.
using Counts = std::vector<std::int64_t>;

Counts CountsOf(const Report& report) {
    Counts counts;
    for (std::size_t i = 0; i < kCategoryCount; ++i) {
        counts.push_back(report.tallies().Count(static_cast<Category>(i)));
    }
    return counts;
}

class LineAnalysis : public testing::ReportTest {
protected:
    void Analyse(const LogLine& line) { report.AnalizujWiersz(line.Text()); }
    Counts CategoryCounts() const { return CountsOf(report); }
};

TEST_F(LineAnalysis, AnythingButTwentyOneFieldsIsIncomplete) {
    const std::string full = LogLine{}.Text();
    report.AnalizujWiersz(full.substr(0, full.size() - 1));     // last field lacks its ";"
    report.AnalizujWiersz(full + ";");                          // 22 fields
    report.AnalizujWiersz("JIN;only;three;");                   // any item type
    report.AnalizujWiersz(full + "trailing text is no field");  // accepted
    EXPECT_EQ(report.tallies().IncompleteLines(), 3);
    EXPECT_EQ(publisher.Text(IncompleteLines), "3");
    EXPECT_EQ(Count(Category::Total), 1);
}

TEST_F(LineAnalysis, OnlyMusicItemTypesCount) {
    for (const char* type : {"MU", "mu", "Mu", " MU ", "snd", "\tSND"}) {
        Analyse({.type = type});
    }
    const std::size_t publishedByMusic = publisher.published.size();
    for (const char* type : {"MUS", "", "JIN", "ADV", "M U"}) {
        Analyse({.type = type});
    }
    EXPECT_EQ(Count(Category::Total), 6);
    EXPECT_EQ(publisher.published.size(), publishedByMusic);
    EXPECT_EQ(report.tallies().IncompleteLines(), 0);
}

TEST_F(LineAnalysis, MissingNationalityIsCountedAndListedOnly) {
    Analyse({.path = "M:/a.mp3", .title = " Tytuł ", .performer = "Ktoś", .nationality = ""});
    Analyse({.path = "", .title = "", .performer = "", .nationality = " \t "});
    EXPECT_EQ(report.tallies().MissingNationality(), 2);
    EXPECT_EQ(publisher.published, (decltype(publisher.published){{MissingNationality, "1"},
                                                                  {MissingNationality, "2"}}));
    EXPECT_EQ(report.MissingNationalityList(),
              (std::vector<std::string>{"Ktoś;Tytuł;M:/a.mp3", ";;"}));
    EXPECT_EQ(CategoryCounts(), Counts(7, 0));
}

TEST_F(LineAnalysis, PolishIsPolInAnyCaseAfterTrimming) {
    for (const char* nationality : {"POL", "pol", " Pol "}) {
        Analyse({.time = "02", .nationality = nationality});
    }
    for (const char* nationality : {"PL", "POLSKA", "P OL"}) {
        Analyse({.time = "02", .nationality = nationality});
    }
    EXPECT_EQ(Count(Category::Total), 6);
    EXPECT_EQ(Count(Category::Polish), 3);
}

TEST_F(LineAnalysis, HourDecidesTheBand) {
    struct Case {
        const char* time;
        Counts counts;
    };
    const Case cases[] = {
        {"05:00:00", {1, 0, 1, 0, 0, 0, 0}}, {"23:59:59", {1, 0, 1, 0, 0, 0, 0}},
        {"04:59:59", {1, 0, 0, 1, 0, 0, 0}}, {"00:00:00", {1, 0, 0, 1, 0, 0, 0}},
        {"24:00:00", {1, 0, 0, 0, 0, 0, 0}}, {"5:00", {1, 0, 0, 1, 0, 0, 0}},
        {"-1:00", {1, 0, 0, 0, 0, 0, 0}},    {"", {1, 0, 0, 1, 0, 0, 0}},
        {"7", {1, 0, 1, 0, 0, 0, 0}},        {" 7", {1, 0, 1, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        testing::RecordingPublisher publisher;
        testing::FakeHost host;
        Report fresh{publisher, files, host};
        fresh.AnalizujWiersz(LogLine{.time = c.time}.Text());
        EXPECT_EQ(CountsOf(fresh), c.counts) << '"' << c.time << '"';
    }
}

TEST_F(LineAnalysis, PolishNightItemReadsNoDescriptionFile) {
    files.files["M:/muzyka/utwor.dat"] = "Kod=n";
    Analyse({.time = "03", .nationality = "POL"});
    EXPECT_EQ(CategoryCounts(), (Counts{1, 1, 0, 1, 0, 0, 1}));
    EXPECT_EQ(files.isRegularFileCalls, 0);
}

TEST_F(LineAnalysis, PolishDayItemIsDebutOrOther) {
    files.files["muzyka/debiut.dat"] = "Kod=n";
    Analyse({.path = "muzyka/debiut.mp3", .nationality = "POL"});
    Analyse({.path = "muzyka/inny.mp3", .nationality = "POL"});
    EXPECT_EQ(CategoryCounts(), (Counts{2, 2, 2, 0, 1, 1, 0}));
}

TEST_F(LineAnalysis, PolishOutsideBothBandsCountsAsPolishOnly) {
    Analyse({.time = "24", .nationality = "POL"});
    EXPECT_EQ(CategoryCounts(), (Counts{1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(publisher.Text(DayPolishOtherCountShareOfPolish), "0%");
    EXPECT_EQ(publisher.Text(NightPolishCountShareOfPolish), "0%");
}

TEST_F(LineAnalysis, PolishDayItemPublishesInCategoryOrderThenRatios) {
    Analyse({.nationality = "POL"});
    EXPECT_EQ(publisher.PublishedFields(),
              (std::vector<Field>{TotalCount, TotalSeconds, PolishCount, PolishSeconds, DayCount,
                                  DaySeconds, DayPolishOtherCount, DayPolishOtherSeconds,
                                  PolishCountShare, DayPolishOtherCountShare, PolishSecondsShare,
                                  DayPolishOtherSecondsShare, DayPolishOtherCountShareOfPolish,
                                  DayPolishOtherSecondsShareOfPolish, NightPolishCountShareOfPolish,
                                  NightPolishSecondsShareOfPolish}));
}

TEST_F(LineAnalysis, SingleForeignDayItemFillsOnlyItsFigures) {
    Analyse({.duration = "03:25"});
    for (Field field : {TotalCount, DayCount}) {
        EXPECT_EQ(publisher.Text(field), "1");
    }
    for (Field field : {TotalSeconds, DaySeconds}) {
        EXPECT_EQ(publisher.Text(field), "00:03:25");
    }
    for (Field field : {PolishCountShare, DayPolishOtherCountShare, PolishSecondsShare,
                        DayPolishOtherSecondsShare}) {
        EXPECT_EQ(publisher.Text(field), "0%");
    }
    for (Field field :
         {NightPolishCountShare, NightPolishSecondsShare, DayPolishOtherCountShareOfPolish,
          DayPolishOtherSecondsShareOfPolish, NightPolishCountShareOfPolish,
          NightPolishSecondsShareOfPolish, PolishCount, NightCount}) {
        EXPECT_EQ(publisher.Text(field), "") << FieldName(field);
    }
}

TEST_F(LineAnalysis, UnreadableDurationStillCounts) {
    Analyse({.duration = "abc"});
    EXPECT_EQ(Count(Category::Total), 1);
    EXPECT_EQ(report.tallies().Seconds(Category::Total), 0);
    EXPECT_EQ(publisher.Text(PolishSecondsShare), "");
}

TEST_F(LineAnalysis, FieldsKeepInnerBlanksAndLoseOuterControls) {
    Analyse({.title = "\x01 Dwa  słowa \x1f", .performer = "\t\tZespół A ", .nationality = "\r"});
    EXPECT_EQ(report.MissingNationalityList().back(), "Zespół A;Dwa  słowa;M:/muzyka/utwor.mp3");
}

TEST_F(LineAnalysis, UnreadableDescriptionFileKeepsTheChangesBeforeIt) {
    files.files["muzyka/utwor.dat"] = "Kod=n";
    files.unreadable["muzyka/utwor.dat"] = "Permission denied";
    try {
        Analyse({.path = "muzyka/utwor.mp3", .nationality = "POL"});
        FAIL() << "no failure";
    } catch (const FileError& error) {
        // A path from a log is relative to the current folder; the message names
        // the file on disk.
        const std::string full =
            (std::filesystem::current_path() / "muzyka/utwor.dat").make_preferred().string();
        EXPECT_EQ(error.what(), "Cannot open file \"" + full + "\". Permission denied");
    }
    EXPECT_EQ(CategoryCounts(), (Counts{1, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(publisher.Text(PolishCountShare), "");
}

TEST_F(LineAnalysis, SurvivesHostileBytes) {
    std::string line(21, ';');
    line.insert(0, std::string("\0\xff\x80\r\n", 5));
    report.AnalizujWiersz(line);
    report.AnalizujWiersz(std::string(1 << 20, ';'));
    report.AnalizujWiersz(std::string(1 << 20, 'x'));
    EXPECT_EQ(report.tallies().IncompleteLines(), 2);
}

}  // namespace
}  // namespace veltra
