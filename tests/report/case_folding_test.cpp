#include "case_folding.h"

#include <gtest/gtest.h>

namespace veltra {
namespace {

TEST(FoldCase, FoldsEveryLetterCaseIncludingPolishAndLongerFoldings) {
    EXPECT_EQ(FoldCase("Utwor.MP3"), "utwor.mp3");
    EXPECT_EQ(FoldCase("ŁĄKA O ŚWICIE Żółć"), "łąka o świcie żółć");
    EXPECT_EQ(FoldCase("Straße"), FoldCase("STRASSE"));
    EXPECT_EQ(FoldCase("ΣΊΣΥΦΟΣ"), FoldCase("σίσυφος"));
    // Bytes that are not UTF-8 stay, so every name on disk has a folding.
    EXPECT_EQ(FoldCase("A\xC5\xFF"
                       "B\xE2\x82"),
              "a\xC5\xFF"
              "b\xE2\x82");
    EXPECT_EQ(FoldCase(std::string("\0A", 2)), std::string("\0a", 2));
}

}  // namespace
}  // namespace veltra
