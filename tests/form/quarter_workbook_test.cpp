#include "quarter_workbook.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fakes.h"
#include "file_access.h"
#include "native_file_system.h"

namespace veltra {
namespace {

namespace fs = std::filesystem;

TEST(CellText, KeepsAnyUnicodeAndDropsWhatACellCannotHold) {
    EXPECT_EQ(CellText("Radio Łódź <Fala> & \"Ω\" 🎵"), "Radio Łódź <Fala> & \"Ω\" 🎵");
    EXPECT_EQ(CellText("a\tb\r\nc"), "a b  c");
    EXPECT_EQ(CellText(std::string("a\0b\x01\x1b[31mc\x7f", 12)), "ab[31mc");
    EXPECT_EQ(CellText("\xC2\x9B"
                       "x\xEF\xBF\xBEy"),
              "xy");  // C1 control, U+FFFE
    EXPECT_EQ(CellText("z\xff\xc3(\xed\xa0\x80"), "z\uFFFD\uFFFD(\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(CellText(std::string(40000, 'x')).size(), 32767u);
    // Cut at whole characters, counted as a spreadsheet counts them.
    std::string astral;
    for (int i = 0; i < 20000; ++i) {
        astral += "🎵";
    }
    EXPECT_EQ(CellText(astral).size(), 16383u * 4);
}

TEST(QuarterWorkbook, NamedAfterItsQuarter) {
    EXPECT_EQ(QuarterWorkbookName({2026, 4}), "sprawozdanie-2026-IV-kwartal.xlsx");
    EXPECT_EQ(QuarterWorkbookName({2027, 1}), "sprawozdanie-2027-I-kwartal.xlsx");
}

TEST(QuarterWorkbook, AFailedSaveLeavesThePreviousFile) {
    testing::FakeFileSystem files;
    files.files["/r/a.xlsx"] = "old";
    files.commitFailure = "No space left on device";
    try {
        SaveQuarterWorkbook(files, "/r/a.xlsx", SpecialTarget::Refuse, {{2026, 4}, {}}, {});
        FAIL();
    } catch (const FileError& failure) {
        EXPECT_STREQ(failure.what(), "Cannot create file \"/r/a.xlsx\". No space left on device");
    }
    EXPECT_EQ(files.files["/r/a.xlsx"], "old");
}

// One record of LibreOffice's CSV: fields split at commas outside quotes.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                rows.back().back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                rows.back().back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\n') {
            rows.emplace_back(1);
        } else if (c != '\r') {
            rows.back().back() += c;
        }
    }
    return rows;
}

std::string ShownPercent(double share) {
    return std::to_string(std::llround(share * 100)) + "%";
}

// The saved workbook as LibreOffice opens and shows it, converted to CSV by
// its own headless program; with `recalculate` it computes every formula
// again instead of showing the stored values.
class ReadBySpreadsheet : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("veltra-workbook-" +
                  std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::vector<std::vector<std::string>> Cells(const fs::path& workbook, bool recalculate) {
        const fs::path profile = folder / (recalculate ? "profile-recalc" : "profile");
        fs::create_directories(profile / "user");
        std::ofstream(profile / "user" / "registrymodifications.xcu")
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
               "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">\n"
               "<item oor:path=\"/org.openoffice.Office.Calc/Formula/Load\">"
               "<prop oor:name=\"OOXMLRecalcMode\" oor:op=\"fuse\"><value>"
            << (recalculate ? 0 : 1) << "</value></prop></item>\n</oor:items>\n";
        const fs::path out = folder / (recalculate ? "recalc" : "stored");
        const std::string command = "soffice -env:UserInstallation=file://" + profile.string() +
                                    " --headless --convert-to 'csv:Text - txt - csv "
                                    "(StarCalc):44,34,76,1,,0,false,true,true'"
                                    " --outdir '" +
                                    out.string() + "' '" + workbook.string() + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        std::ifstream in(out / (workbook.stem().string() + ".csv"), std::ios::binary);
        return ParseCsv({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    }

    fs::path folder;
};

TEST_F(ReadBySpreadsheet, EveryFilledCellShowsTheEnginesFigures) {
    QuarterForm form{{2026, 4}, {}};
    // Over 99 hours, an empty month, and a month with no music at all.
    form.rows[0] = FormRow{{2026, 10}, 371136, 3725, 120000, 4000};
    form.rows[2] = FormRow{{2026, 12}, 0, 0, 0, 0};
    const FormHeader header{"Radio Łódź <Fala> & \"Ω\"", "KRRiT/123/2026\x07",
                            "Anna Żółć\ntel. 600 100 200, anna@example.pl"};
    const fs::path path = folder / QuarterWorkbookName(form.quarter);
    NativeFileSystem files;
    SaveQuarterWorkbook(files, path.string(), SpecialTarget::Refuse, form, header);

    for (const bool recalculate : {false, true}) {
        SCOPED_TRACE(recalculate ? "recalculated" : "stored values");
        const auto rows = Cells(path, recalculate);
        ASSERT_GE(rows.size(), 12u);
        const auto cell = [&](char column, int row) {
            const auto& cells = rows[static_cast<std::size_t>(row - 1)];
            const auto index = static_cast<std::size_t>(column - 'A');
            return index < cells.size() ? cells[index] : std::string();
        };
        EXPECT_EQ(cell('A', 1),
                  "Realizacja ART. 15, UST. 2, 2a i 2b Ustawy o radiofonii i telewizji z dn 29 "
                  "grudnia 1992 r. z p. zm.");
        EXPECT_EQ(cell('A', 3), "Nazwa programu");
        EXPECT_EQ(cell('C', 3), "Radio Łódź <Fala> & \"Ω\"");
        EXPECT_EQ(cell('C', 4), "KRRiT/123/2026");
        EXPECT_EQ(cell('C', 5), "Anna Żółć tel. 600 100 200, anna@example.pl");
        EXPECT_EQ(cell('A', 5),
                  "Osoba sporządzająca sprawozdanie\n(imię, nazwisko, kontakt tel./e-mail)");
        EXPECT_EQ(cell('G', 7), "zgodność z ustawą");

        const FormRow& october = *form.rows[0];
        EXPECT_EQ(cell('A', 10), "październik 2026");
        EXPECT_EQ(cell('B', 10), "103:05:36");
        EXPECT_EQ(cell('C', 10), "01:02:05");
        EXPECT_EQ(cell('D', 10), "33:20:00");
        EXPECT_EQ(cell('E', 10), "01:06:40");
        EXPECT_EQ(cell('G', 10), ShownPercent(october.PolishShare()));
        EXPECT_EQ(cell('G', 10), "34%");
        EXPECT_EQ(cell('I', 10), ShownPercent(october.DayPolishShare()));
        EXPECT_EQ(cell('I', 10), "97%");

        for (char column : {'A', 'B', 'C', 'D', 'E'}) {
            EXPECT_EQ(cell(column, 11), "") << column;
        }
        EXPECT_EQ(cell('G', 11), "0%");
        EXPECT_EQ(cell('I', 11), "0%");

        EXPECT_EQ(cell('A', 12), "grudzień 2026");
        EXPECT_EQ(cell('B', 12), "00:00:00");
        EXPECT_EQ(cell('G', 12), "0%");
        EXPECT_EQ(cell('I', 12), "0%");
    }
}

}  // namespace
}  // namespace veltra
