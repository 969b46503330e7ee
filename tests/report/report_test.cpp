#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "file_access.h"
#include "report_fixture.h"

namespace veltra {
namespace {

using enum Field;
using testing::kCsvPath;
using testing::Log;
using testing::LogLine;

class ReportRun : public testing::ReportTest {
protected:
    void Choose(std::vector<std::string> paths) { host.choice = std::move(paths); }

    std::string Csv() const { return files.files.at(std::string(kCsvPath)); }

    // Runs and returns the failure's message, or "" when none.
    std::string RunExpectingFailure() {
        try {
            report.LadujPliki();
        } catch (const FileError& error) {
            return error.what();
        }
        return "";
    }
};

TEST_F(ReportRun, CancelledDialogChangesNothing) {
    files.files[std::string(kCsvPath)] = "old\r\n";
    report.LadujPliki();
    EXPECT_EQ(host.dialogs, 1);
    EXPECT_TRUE(host.events.empty());
    EXPECT_TRUE(publisher.published.empty());
    EXPECT_TRUE(host.notices.empty());
    EXPECT_EQ(Csv(), "old\r\n");
    EXPECT_FALSE(report.Running());
}

TEST_F(ReportRun, WalksLogsAndLinesWithProgressThenSavesAndNotifies) {
    files.files["/logs/a.hst"] = Log({{}, {.nationality = ""}});
    files.files["/logs/b.hst"] = Log({{.path = "muzyka/utwor.mp3", .nationality = "POL"}});
    Choose({"/logs/a.hst", "/logs/b.hst"});
    report.LadujPliki();

    EXPECT_EQ(host.events,
              (std::vector<std::string>{"Gauge1.MaxValue=2", "LPokaz off", "Gauge2.MaxValue=2",
                                        "Gauge2.Progress=1", "Gauge2.Progress=2",
                                        "Gauge1.Progress=1", "Gauge2.MaxValue=1",
                                        "Gauge2.Progress=1", "Gauge1.Progress=2", "LPokaz on"}));
    EXPECT_EQ(host.messageRounds, 5);
    EXPECT_EQ(publisher.published.front(), std::make_pair(MissingNationality, std::string("0")));
    EXPECT_EQ(Count(Category::Total), 2);
    EXPECT_EQ(Count(Category::Polish), 1);
    EXPECT_EQ(Csv(), "Wykonawca;Tytul;M:/muzyka/utwor.mp3\r\n");
    EXPECT_EQ(host.notices, std::vector<std::string>{"Informacja: Gotowe!"});
    EXPECT_FALSE(report.Running());
}

TEST_F(ReportRun, BlankLinesAreSkippedButAdvanceTheGauge) {
    files.files["/logs/a.hst"] = " \t\r\n\r\n" + LogLine{}.Text() + "\n\x01\x02\n   ";
    files.files["/logs/empty.hst"] = "";
    Choose({"/logs/a.hst", "/logs/empty.hst"});
    report.LadujPliki();
    EXPECT_EQ(Count(Category::Total), 1);
    EXPECT_EQ(report.tallies().IncompleteLines(), 0);
    EXPECT_EQ(host.maxValue[Gauge::Lines], 0);
    EXPECT_EQ(host.progress[Gauge::Files], 2);
    EXPECT_EQ(Csv(), "");
    EXPECT_FALSE(host.pokazEnabled);
    EXPECT_EQ(host.notices.size(), 1u);
}

TEST_F(ReportRun, LinesAreHandedOverUntrimmed) {
    files.files["/logs/a.hst"] = "   " + LogLine{.nationality = ""}.Text() + "tail";
    Choose({"/logs/a.hst"});
    report.LadujPliki();
    EXPECT_EQ(report.MissingNationalityList(),
              std::vector<std::string>{"Wykonawca;Tytul;M:/muzyka/utwor.mp3"});
}

TEST_F(ReportRun, ALogEndsAtItsFirstNul) {
    files.files["/logs/a.hst"] = Log({{}}) + std::string(1, '\0') + Log({{}});
    Choose({"/logs/a.hst"});
    report.LadujPliki();
    EXPECT_EQ(Count(Category::Total), 1);
}

TEST_F(ReportRun, AnUnfinishedLastLineIsLeftOutOnlyWhileTheLogIsBeingWritten) {
    const std::string unfinished = LogLine{.nationality = "POL"}.Text().substr(0, 40);
    files.files["/logs/today.hst"] = Log({{}}) + unfinished;
    files.files["/logs/done.hst"] = Log({{}}) + LogLine{}.Text();
    files.files["/logs/whole.hst"] = Log({{}});
    files.openForWriting = {"/logs/today.hst", "/logs/whole.hst"};
    Choose({"/logs/today.hst", "/logs/done.hst", "/logs/whole.hst", "/logs/today.hst"});
    report.LadujPliki();
    // today: 1 twice; done, held by nobody: 2; whole: 1.
    EXPECT_EQ(Count(Category::Total), 5);
    EXPECT_EQ(report.tallies().IncompleteLines(), 0);
    EXPECT_EQ(host.maxValue[Gauge::Lines], 1);
    EXPECT_EQ(host.logsBeingWritten, std::vector<std::string>{"/logs/today.hst"});
    EXPECT_EQ(host.notices, std::vector<std::string>{"Informacja: Gotowe!"});
    // A log whose lines all have their end is nobody's business.
    EXPECT_EQ(files.writerQuestions,
              (std::vector<std::string>{"/logs/today.hst", "/logs/done.hst", "/logs/today.hst"}));

    // Each run says it again.
    host.choice = std::vector<std::string>{"/logs/today.hst"};
    report.LadujPliki();
    EXPECT_EQ(host.logsBeingWritten.size(), 2u);
}

TEST_F(ReportRun, ALogChosenTwiceCountsTwice) {
    files.files["/logs/a.hst"] = Log({{}});
    Choose({"/logs/a.hst", "/logs/a.hst"});
    report.LadujPliki();
    EXPECT_EQ(Count(Category::Total), 2);
}

TEST_F(ReportRun, SecondRunAddsToFiguresButRestartsTheMissingList) {
    files.files["/logs/a.hst"] =
        Log({{.nationality = "POL"}, {}, {.nationality = ""}, {.time = "01:00"}});
    Choose({"/logs/a.hst"});
    report.LadujPliki();
    const std::string ratio = publisher.Text(PolishCountShare);
    files.files["/logs/a.hst"] += "incomplete;\r\n";
    report.LadujPliki();

    EXPECT_EQ(Count(Category::Total), 6);
    EXPECT_EQ(report.tallies().Seconds(Category::Total), 6 * 205);
    EXPECT_EQ(publisher.Text(PolishCountShare), ratio);
    EXPECT_EQ(report.tallies().IncompleteLines(), 1);
    EXPECT_EQ(report.tallies().MissingNationality(), 1);
    EXPECT_EQ(publisher.Text(MissingNationality), "1");
    EXPECT_EQ(report.MissingNationalityList().size(), 1u);
    EXPECT_EQ(Csv(), "Wykonawca;Tytul;M:/muzyka/utwor.mp3\r\n");
}

TEST_F(ReportRun, CountLabelShowsZeroFromTheStartOfARunWithoutEntries) {
    files.files["/logs/with.hst"] = Log({{.nationality = ""}});
    files.files["/logs/without.hst"] = Log({{}});
    Choose({"/logs/with.hst"});
    report.LadujPliki();
    Choose({"/logs/without.hst"});
    report.LadujPliki();
    EXPECT_EQ(publisher.Text(MissingNationality), "0");
    EXPECT_FALSE(host.pokazEnabled);
}

TEST_F(ReportRun, CsvHoldsEveryEntryVerbatimWithCrLf) {
    const LogLine missing{.path = "\"M:\\a b.mp3",
                          .title = "\"Cytat\"",
                          .performer = "Zesp\xF3\xB3",
                          .nationality = ""};
    files.files["/logs/a.hst"] =
        Log({missing, missing, {.title = "", .performer = "", .nationality = ""}});
    Choose({"/logs/a.hst"});
    report.LadujPliki();
    EXPECT_EQ(Csv(),
              "Zesp\xF3\xB3;\"Cytat\";\"M:\\a b.mp3\r\n"
              "Zesp\xF3\xB3;\"Cytat\";\"M:\\a b.mp3\r\n"
              ";;M:/muzyka/utwor.mp3\r\n");
    EXPECT_TRUE(host.pokazEnabled);
}

TEST_F(ReportRun, CsvGoesWhereItIsToldWhenOverridden) {
    files.files["/logs/a.hst"] = Log({{.nationality = ""}});
    Choose({"/logs/a.hst"});
    report.SetCsvPath("/tmp/inny.csv", SpecialTarget::WriteInPlace);
    report.LadujPliki();
    EXPECT_EQ(files.files.at("/tmp/inny.csv"), "Wykonawca;Tytul;M:/muzyka/utwor.mp3\r\n");
    EXPECT_FALSE(files.files.contains(std::string(kCsvPath)));
    // Only a name the user gave is written when it is a device or a pipe.
    Choose({"/logs/a.hst"});
    Report beside(publisher, files, host);
    beside.LadujPliki();
    ASSERT_EQ(files.replaced.size(), 2u);
    EXPECT_EQ(files.replaced[0].second, SpecialTarget::WriteInPlace);
    EXPECT_EQ(files.replaced[1].second, SpecialTarget::Refuse);
}

TEST_F(ReportRun, CsvGoesToTheUsersDataFolderWhenTheProgramsIsReadOnly) {
    files.readOnlyFolders.insert("/opt/veltra/bin/");
    files.files["/logs/a.hst"] = Log({{.nationality = ""}});
    Choose({"/logs/a.hst"});
#ifdef _WIN32
    ::_putenv_s("LOCALAPPDATA", "C:\\Users\\ala\\AppData\\Local");
    const std::string path = "C:\\Users\\ala\\AppData\\Local\\Veltra\\braki naradowosci.csv";
#else
    ::setenv("XDG_DATA_HOME", "/home/ala/.dane", 1);
    const std::string path = "/home/ala/.dane/Veltra/braki naradowosci.csv";
#endif
    report.LadujPliki();
    EXPECT_EQ(files.files.at(path), "Wykonawca;Tytul;M:/muzyka/utwor.mp3\r\n");
    EXPECT_FALSE(files.files.contains(std::string(kCsvPath)));
}

TEST_F(ReportRun, AMissingLogEndsTheRunAfterTheLogsBeforeIt) {
    files.files[std::string(kCsvPath)] = "old\r\n";
    files.files["/logs/a.hst"] = Log({{}, {.nationality = ""}});
    files.files["/logs/c.hst"] = Log({{}});
    Choose({"/logs/a.hst", "/logs/b.hst", "/logs/c.hst"});

    EXPECT_EQ(RunExpectingFailure(), "Cannot open file \"" + AbsolutePath("/logs/b.hst") +
                                         "\". No such file or directory");
    EXPECT_EQ(Count(Category::Total), 1);
    EXPECT_EQ(report.MissingNationalityList().size(), 1u);
    EXPECT_EQ(host.progress[Gauge::Files], 1);
    EXPECT_FALSE(host.pokazEnabled);
    EXPECT_EQ(Csv(), "old\r\n");
    EXPECT_TRUE(host.notices.empty());
    EXPECT_FALSE(report.Running());
}

TEST_F(ReportRun, AnUnreadableDescriptionFileEndsTheRunMidLog) {
    files.files["/logs/a.hst"] = Log({{.path = "muzyka/utwor.mp3", .nationality = "POL"}, {}});
    files.files["muzyka/utwor.dat"] = "Kod=n";
    files.unreadable["muzyka/utwor.dat"] = "Permission denied";
    Choose({"/logs/a.hst"});
    const std::string full =
        (std::filesystem::current_path() / "muzyka/utwor.dat").make_preferred().string();
    EXPECT_EQ(RunExpectingFailure(), "Cannot open file \"" + full + "\". Permission denied");
    EXPECT_EQ(Count(Category::Day), 1);
    EXPECT_EQ(Count(Category::Total), 1);
    EXPECT_EQ(host.progress[Gauge::Lines], 0);
}

TEST_F(ReportRun, AFailedCsvWriteKeepsThePreviousFile) {
    files.files[std::string(kCsvPath)] = "old\r\n";
    files.files["/logs/a.hst"] = Log({{.nationality = ""}});
    files.writeFailure = "No space left on device";
    Choose({"/logs/a.hst"});
    EXPECT_EQ(RunExpectingFailure(),
              "Cannot create file \"/opt/veltra/bin/braki naradowosci.csv\". "
              "No space left on device");
    EXPECT_EQ(Csv(), "old\r\n");
    EXPECT_TRUE(host.pokazEnabled);
    EXPECT_TRUE(host.notices.empty());
}

TEST_F(ReportRun, AFailureToStartOrFinishTheSaveKeepsThePreviousFile) {
    files.files[std::string(kCsvPath)] = "old\r\n";
    files.files["/logs/a.hst"] = Log({{.nationality = ""}});
    Choose({"/logs/a.hst"});
    files.openFailure = "Not a regular file";
    EXPECT_EQ(RunExpectingFailure(),
              "Cannot create file \"/opt/veltra/bin/braki naradowosci.csv\". Not a regular file");
    files.openFailure.reset();
    files.commitFailure = "Is a directory";
    EXPECT_EQ(RunExpectingFailure(),
              "Cannot create file \"/opt/veltra/bin/braki naradowosci.csv\". Is a directory");
    EXPECT_EQ(Csv(), "old\r\n");
    EXPECT_TRUE(host.notices.empty());
}

TEST_F(ReportRun, AStopRequestDuringTheSaveKeepsThePreviousFile) {
    files.files[std::string(kCsvPath)] = "old\r\n";
    files.files["/logs/a.hst"] = Log({{.nationality = ""}, {.nationality = ""}});
    Choose({"/logs/a.hst"});
    files.onReplace = [&] { host.stopRequested = true; };
    report.LadujPliki();
    EXPECT_EQ(files.replaced.size(), 1u);
    EXPECT_EQ(Csv(), "old\r\n");
    EXPECT_TRUE(host.notices.empty());
}

TEST_F(ReportRun, ANestedRunDoesNothing) {
    files.files["/logs/a.hst"] = Log({{}, {}});
    Choose({"/logs/a.hst"});
    host.onMessages = [&] {
        EXPECT_TRUE(report.Running());
        report.LadujPliki();
    };
    report.LadujPliki();
    EXPECT_EQ(host.dialogs, 1);
    EXPECT_EQ(Count(Category::Total), 2);
    EXPECT_EQ(host.notices.size(), 1u);
}

TEST_F(ReportRun, RunningIsClearedByAFailure) {
    Choose({"/logs/missing.hst"});
    EXPECT_NE(RunExpectingFailure(), "");
    files.files["/logs/missing.hst"] = Log({{}});
    report.LadujPliki();
    EXPECT_EQ(host.dialogs, 2);
    EXPECT_EQ(Count(Category::Total), 1);
}

TEST_F(ReportRun, AStopRequestEndsTheRunWithoutSavingOrNotice) {
    files.files[std::string(kCsvPath)] = "old\r\n";
    files.files["/logs/a.hst"] = Log({{.nationality = ""}, {}, {}});
    files.files["/logs/b.hst"] = Log({{}});
    Choose({"/logs/a.hst", "/logs/b.hst"});
    host.onMessages = [&] { host.stopRequested = true; };
    report.LadujPliki();

    EXPECT_EQ(report.tallies().MissingNationality(), 1);
    EXPECT_EQ(Count(Category::Total), 0);
    EXPECT_EQ(host.messageRounds, 1);
    EXPECT_EQ(host.progress[Gauge::Files], 0);
    EXPECT_EQ(host.events.back(), "Gauge2.Progress=1");
    EXPECT_EQ(Csv(), "old\r\n");
    EXPECT_TRUE(host.notices.empty());
    EXPECT_FALSE(report.Running());
}

TEST_F(ReportRun, AStopWhileALogIsReadEndsTheRunBeforeItsLines) {
    files.files[std::string(kCsvPath)] = "old\r\n";
    files.files["/logs/a.hst"] = Log({{}, {}, {}});
    files.readPiece = 16;
    Choose({"/logs/a.hst"});
    host.onMessages = [&] { host.stopRequested = true; };
    report.LadujPliki();
    EXPECT_EQ(host.messageRounds, 1);
    EXPECT_EQ(host.maxValue.count(Gauge::Lines), 0u);
    EXPECT_EQ(Count(Category::Total), 0);
    EXPECT_EQ(Csv(), "old\r\n");
    EXPECT_TRUE(host.notices.empty());
}

TEST_F(ReportRun, AStopBetweenLogsEndsTheRunToo) {
    files.files["/logs/a.hst"] = "";
    files.files["/logs/b.hst"] = Log({{}});
    Choose({"/logs/a.hst", "/logs/b.hst"});
    host.onMessages = [&] { host.stopRequested = true; };
    report.LadujPliki();
    EXPECT_EQ(host.progress[Gauge::Files], 1);
    EXPECT_EQ(Count(Category::Total), 0);
    EXPECT_TRUE(host.notices.empty());
}

TEST_F(ReportRun, AsksOnceARunForEachUnmappedDriveAndUsesTheAnswerAtOnce) {
    const auto polish = [](std::string path) {
        return LogLine{.path = std::move(path), .nationality = "POL"};
    };
    files.files["/logs/a.hst"] = Log({polish("D:\\Muzyka\\a.mp3"), polish("d:/MUZYKA/b.mp3"),
                                      polish("\\\\serwer\\audio\\c.mp3"),
                                      polish("\\\\SERWER\\Audio\\d.mp3"), polish("E:\\e.mp3")});
    files.files["/mnt/d/Muzyka/a.dat"] = "Kod=n";
    files.files["/mnt/d/Muzyka/b.dat"] = "Kod=n";
    files.files["/mnt/e/e.dat"] = "Kod=n";
    host.mappings = {{"E:\\", "/mnt/e"}};
    host.folderAnswers["D:\\"] = "/mnt/d";
    host.folderAnswers["\\\\serwer\\audio"] = std::nullopt;
    Choose({"/logs/a.hst"});
    report.LadujPliki();
    EXPECT_EQ(host.questions,
              (std::vector<std::string>{"D:\\ D:\\Muzyka\\a.mp3",
                                        "\\\\serwer\\audio \\\\serwer\\audio\\c.mp3"}));
    EXPECT_EQ(Count(Category::DayPolishDebut), 3);
    EXPECT_EQ(Count(Category::DayPolishOther), 2);
    EXPECT_EQ(host.notices, std::vector<std::string>{
                                "Informacja: Gotowe!\nPozycje polskie, których nie sprawdzono pod "
                                "kątem debiutu (brak folderu dysku lub udziału): 2"});

    // A cancelled drive is asked about again in the next run.
    host.questions.clear();
    report.LadujPliki();
    EXPECT_EQ(host.questions.size(), 2u);
}

TEST_F(ReportRun, AMappedFolderThatIsNotThereIsAskedAboutAgain) {
    const auto polish = [](std::string path) {
        return LogLine{.path = std::move(path), .nationality = "POL"};
    };
    files.files["/logs/a.hst"] =
        Log({polish("D:\\a.mp3"), polish("D:\\b.mp3"), polish("\\\\serwer\\audio\\c.mp3")});
    files.files["/mnt/d/a.dat"] = "Kod=n";
    host.mappings = {{"D:\\", "/mnt/stare"}, {"\\\\serwer\\audio", "/mnt/audio"}};
    host.folderAnswers["D:\\"] = "/mnt/d";
    Choose({"/logs/a.hst"});
    report.LadujPliki();
    EXPECT_EQ(host.questions, (std::vector<std::string>{
                                  "D:\\ D:\\a.mp3 (/mnt/stare is not there)",
                                  "\\\\serwer\\audio \\\\serwer\\audio\\c.mp3 (/mnt/audio is not "
                                  "there)"}));
    EXPECT_EQ(Count(Category::DayPolishDebut), 1);
    EXPECT_EQ(Count(Category::DayPolishOther), 2);
    EXPECT_EQ(host.notices.back().substr(host.notices.back().size() - 3), ": 1");
}

TEST_F(ReportRun, RelativeAudioPathsAreAlsoLookedForBesideTheLog) {
    files.files["/logs/stacja/a.hst"] =
        Log({{.path = "audio\\Polskie\\x.mp3", .nationality = "POL"}});
    files.files["/logs/stacja/audio/polskie/x.dat"] = "Kod=n";
    Choose({"/logs/stacja/a.hst"});
    report.LadujPliki();
    EXPECT_EQ(Count(Category::DayPolishDebut), 1);
    EXPECT_TRUE(host.questions.empty());
}

class CzyDebiut : public testing::ReportTest {};

TEST_F(CzyDebiut, LooksBesideTheAudioFileInUtf8) {
    files.files["muzyka/Łąka.dat"] = "Kod=n";
    EXPECT_TRUE(report.CzyDebiut("muzyka/\xA3\xB9ka.mp3"));
    EXPECT_EQ(files.Reads(), std::vector<std::string>{"muzyka/Łąka.dat"});
}

TEST_F(CzyDebiut, NoPathNoFileOrNoKodIsNoDebut) {
    files.files[".dat"] = "Kod=n";
    files.files["bez/kodu.dat"] = "Wykonawca=X\r\nDebiut=n\r\n";
    EXPECT_FALSE(report.CzyDebiut(""));
    EXPECT_FALSE(report.CzyDebiut("brak/pliku.mp3"));
    EXPECT_FALSE(report.CzyDebiut("bez/kodu.mp3"));
    EXPECT_EQ(files.Reads(), std::vector<std::string>{"bez/kodu.dat"});
}

TEST_F(CzyDebiut, ReadsTheFileAfreshEveryTime) {
    files.files["a.dat"] = "Kod=n";
    EXPECT_TRUE(report.CzyDebiut("a.mp3"));
    files.files["a.dat"] = "Kod=x";
    EXPECT_FALSE(report.CzyDebiut("a.mp3"));
    EXPECT_EQ(files.Reads().size(), 2u);
}

TEST_F(CzyDebiut, AFileThatCannotBeReadIsAFailure) {
    files.files["a.dat"] = "Kod=n";
    files.unreadable["a.dat"] = "Input/output error";
    try {
        report.CzyDebiut("a.mp3");
        FAIL() << "no failure";
    } catch (const FileError& error) {
        const std::string full = (std::filesystem::current_path() / "a.dat").string();
        EXPECT_EQ(error.what(), "Cannot open file \"" + full + "\". Input/output error");
    }
}

}  // namespace
}  // namespace veltra
