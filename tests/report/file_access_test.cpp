#include "file_access.h"

#include <gtest/gtest.h>

namespace veltra {
namespace {

TEST(FileErrors, CarryPathThenCause) {
    EXPECT_STREQ(CannotOpenFile("/a b/c.hst", "No such file or directory").what(),
                 "Cannot open file \"/a b/c.hst\". No such file or directory");
    EXPECT_STREQ(CannotCreateFile("x.csv", "Read-only file system").what(),
                 "Cannot create file \"x.csv\". Read-only file system");
}

TEST(FileErrors, ShowControlCharactersInPathsEscaped) {
    EXPECT_STREQ(CannotOpenFile("/logs/\x1b[2J\x1b]0;x\x07.hst", "Permission denied").what(),
                 "Cannot open file \"/logs/\\x1b[2J\\x1b]0;x\\x07.hst\". Permission denied");
    EXPECT_STREQ(CannotCreateFile("a\nb\x7f.csv", "Read-only file system").what(),
                 "Cannot create file \"a\\x0ab\\x7f.csv\". Read-only file system");
    // C1 controls once decoded, and bytes that are no UTF-8 at all (a lone
    // 0x9b is a control sequence to some terminals).
    EXPECT_EQ(PrintablePath("\xc2\x9b"
                            "2J \x9b"
                            "2J \xff\xc3"),
              "\\u009b2J \\x9b2J \\xff\\xc3");
    EXPECT_EQ(PrintablePath("\xed\xa0\x80 \xe0\x80\xaf"), "\\xed\\xa0\\x80 \\xe0\\x80\\xaf");
    EXPECT_EQ(PrintablePath("D:\\Muzyka\\Zażółć – ✓ 😀.dat"), "D:\\Muzyka\\Zażółć – ✓ 😀.dat");
}

TEST(FailureText, AppendsAFullStopAfterCharactersSortingAfterIt) {
    EXPECT_EQ(FailureText("Permission denied"), "Permission denied.");
    EXPECT_EQ(FailureText("Error 5"), "Error 5.");
    EXPECT_EQ(FailureText("Zażółć"), "Zażółć.");
    EXPECT_EQ(FailureText("Done."), "Done.");
    EXPECT_EQ(FailureText("List index out of bounds (2)"), "List index out of bounds (2)");
    EXPECT_EQ(FailureText("Really!"), "Really!");
    EXPECT_EQ(FailureText("a-"), "a-");
    EXPECT_EQ(FailureText("a/"), "a/.");
    EXPECT_EQ(FailureText(""), "");
}

}  // namespace
}  // namespace veltra
