#include "file_error.h"

#include <gtest/gtest.h>

namespace veltra {
namespace {

TEST(FileErrors, CarryPathThenCause) {
    EXPECT_STREQ(CannotOpenFile("/a b/c.hst", "No such file or directory").what(),
                 "Cannot open file \"/a b/c.hst\". No such file or directory");
    EXPECT_STREQ(CannotCreateFile("x.csv", "Read-only file system").what(),
                 "Cannot create file \"x.csv\". Read-only file system");
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
