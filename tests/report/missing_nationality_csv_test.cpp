#include "missing_nationality_csv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"
#include "line_analysis.h"

namespace veltra {
namespace {

// Each entry's three columns as "performer|title|path".
std::vector<std::string> Rows(std::string_view text) {
    std::vector<std::string> rows;
    for (const MissingEntryFields& entry : ReadMissingEntries(text)) {
        rows.push_back(std::string(entry.performer) + "|" + std::string(entry.title) + "|" +
                       std::string(entry.path));
    }
    return rows;
}

struct ReadCase {
    const char* name;
    std::string text;
    std::vector<std::string> rows;
};

TEST(MissingNationalityCsv, ReadsFieldsAsWritten) {
    const ReadCase cases[] = {
        {"three fields", "A;B;C\r\n", {"A|B|C"}},
        {"empty performer and path", ";B;\r\n", {"|B|"}},
        {"all empty", ";;\r\n", {"||"}},
        {"blanks belong to the fields", " A ;\tB ; C:\\x y.mp3 \r\n", {" A |\tB | C:\\x y.mp3 "}},
        {"a quoted word starting the title",
         "Bowie;\"Heroes\" (live);D:\\h.mp3\r\n",
         {"Bowie|\"Heroes\" (live)|D:\\h.mp3"}},
        {"doubled quotes stay doubled", "A;\"Say \"\"hi\"\"\";C\r\n", {"A|\"Say \"\"hi\"\"\"|C"}},
        {"an unclosed quote", "\"A;B;C\r\n", {"\"A|B|C"}},
        {"fields after the third are dropped", "A;B;C;D\r\n", {"A|B|C"}},
        {"a short line leaves columns empty and the rest is read",
         "A;B\r\nA\r\nX;Y;Z\r\n",
         {"A|B|", "A||", "X|Y|Z"}},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(Rows(c.text), c.rows) << c.name;
    }
}

TEST(MissingNationalityCsv, ReadsLinesLikeTheLogs) {
    const ReadCase cases[] = {
        {"zero bytes", "", {}},
        {"no break after the last line", "A;B;C\r\nD;E;F", {"A|B|C", "D|E|F"}},
        {"CR, LF and CR LF mixed", "A;B;C\rD;E;F\nG;H;I\r\n", {"A|B|C", "D|E|F", "G|H|I"}},
        {"empty lines give no rows", "\r\n\r\nA;B;C\n\rD;E;F\r\n\r\n", {"A|B|C", "D|E|F"}},
        {"the text ends at NUL", std::string("A;B;C\r\nD;E\0F;G;H\r\n", 18), {"A|B|C", "D|E|"}},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(Rows(c.text), c.rows) << c.name;
    }
}

// Whatever the report run writes of an item comes back column for column,
// byte for byte.
TEST(MissingNationalityCsv, ReadsBackEveryEntryTheRunWrites) {
    const std::vector<testing::LogLine> items = {
        {.path = "D:\\Muzyka\\a.mp3",
         .title = "\x8cpiew \"na\" \xbf\xf3\xb3to",
         .performer = "Zesp\xf3\xb3 \xa3\xf3"
                      "d\x9f"},
        {.path = "\"", .title = "\"\"", .performer = "\"Quoted\""},
        {.path = "", .title = "", .performer = ""},
        {.path = "", .title = "", .performer = "A"},
        {.path = "", .title = "B", .performer = ""},
        {.path = "C", .title = "B", .performer = "A"},
        {.path = "C", .title = "B", .performer = "A"},
    };
    testing::FakeFileSystem files;
    MissingNationalityCsvWriter csv(files, "/out/braki.csv", SpecialTarget::Refuse);
    for (testing::LogLine item : items) {
        item.nationality = "";
        const std::string line = item.Text();
        const LineItem classified = ClassifyLine(line);
        ASSERT_EQ(classified.kind, LineKind::NoNationality);
        csv.Add(MissingNationalityEntry(*classified.record));
    }
    csv.Commit();

    const std::string& written = files.files.at("/out/braki.csv");
    const std::vector<MissingEntryFields> read = ReadMissingEntries(written);
    ASSERT_EQ(read.size(), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(read[i].performer, items[i].performer) << i;
        EXPECT_EQ(read[i].title, items[i].title) << i;
        EXPECT_EQ(read[i].path, items[i].path) << i;
    }
    EXPECT_TRUE(written.ends_with("A;B;C\r\nA;B;C\r\n"));
}

}  // namespace
}  // namespace veltra
