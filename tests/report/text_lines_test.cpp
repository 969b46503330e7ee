#include <gtest/gtest.h>

#include "text_lines.h"

namespace veltra {
namespace {

using Lines = std::vector<std::string_view>;

TEST(SplitLines, BreaksAtCrLfAndCrLfMixed) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("\n\n"), (Lines{"", ""}));
}

TEST(SplitLines, ABreakAtTheEndAddsNoLine) {
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("a"), Lines{"a"});
    EXPECT_EQ(SplitLines("a\r\n"), Lines{"a"});
    EXPECT_EQ(SplitLines("a\r"), Lines{"a"});
    EXPECT_EQ(SplitLines("a\n\r"), (Lines{"a", ""}));
}

TEST(SplitLines, TheTextEndsAtTheFirstNul) {
    using namespace std::string_view_literals;
    EXPECT_EQ(SplitLines("a\nb\0c\nd"sv), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("\0a"sv), Lines{});
}

TEST(UnfinishedLastLine, StartsAfterTheLastBreakBeforeTheEndOrANul) {
    using namespace std::string_view_literals;
    EXPECT_EQ(UnfinishedLastLine("a\r\nb\nhalf"), 5u);
    EXPECT_EQ(UnfinishedLastLine("a\rhalf"), 2u);
    EXPECT_EQ(UnfinishedLastLine("half"), 0u);
    // A writer that lays out its file ahead fills the rest with NULs.
    EXPECT_EQ(UnfinishedLastLine("a\nhalf\0\0\0"sv), 2u);
    EXPECT_EQ(UnfinishedLastLine("a\n\0half"sv), std::nullopt);
    EXPECT_EQ(UnfinishedLastLine("a\r\n"), std::nullopt);
    EXPECT_EQ(UnfinishedLastLine("a\r"), std::nullopt);
    EXPECT_EQ(UnfinishedLastLine(""), std::nullopt);
}

TEST(SplitLines, KeepsEveryOtherByte) {
    const std::string text = "\t \xff\x80;\x01\n";
    EXPECT_EQ(SplitLines(text), Lines{"\t \xff\x80;\x01"});
}

}  // namespace
}  // namespace veltra
