#include <gtest/gtest.h>

#include <random>
#include <string>

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

// Line by line, byte by byte: what the reader, which searches ahead for its
// breaks and keeps where the next LF is, must agree with.
Lines SplitByteByByte(std::string_view text) {
    Lines lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '\r' && text[i] != '\n') {
            ++i;
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        i += text.substr(i).starts_with("\r\n") ? 2 : 1;
        start = i;
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

TEST(SplitLines, AgreesWithAByteByByteSplitOnEveryShortText) {
    // Every text of up to 8 bytes of "a", CR and LF; the count too, which
    // has a way of its own.
    for (std::size_t length = 0; length <= 8; ++length) {
        std::size_t count = 1;
        for (std::size_t i = 0; i < length; ++i) {
            count *= 3;
        }
        for (std::size_t n = 0; n < count; ++n) {
            std::string text;
            for (std::size_t digits = n, i = 0; i < length; ++i, digits /= 3) {
                text += "a\r\n"[digits % 3];
            }
            ASSERT_EQ(SplitLines(text), SplitByteByByte(text)) << ::testing::PrintToString(text);
            ASSERT_EQ(CountLines(text), SplitByteByByte(text).size())
                << ::testing::PrintToString(text);
        }
    }
}

TEST(CountLines, AgreesWithAByteByByteSplitAcrossItsBlocks) {
    // The count goes by blocks of 255 bytes: a CR LF may straddle a border,
    // and a block may be all breaks.
    std::minstd_rand random(7);
    for (std::size_t length : {254u, 255u, 256u, 257u, 510u, 511u, 512u, 4099u}) {
        for (int round = 0; round < 20; ++round) {
            std::string text;
            for (std::size_t i = 0; i < length; ++i) {
                text += round % 2 == 0 ? "a\r\n"[random() % 3] : "\r\n"[random() % 2];
            }
            ASSERT_EQ(CountLines(text), SplitByteByByte(text).size())
                << ::testing::PrintToString(text);
        }
    }
}

TEST(UnfinishedLastLine, StartsAfterTheLastBreakBeforeTheEndOrANul) {
    using namespace std::string_view_literals;
    EXPECT_EQ(UnfinishedLastLine("a\r\nb\nhalf"), 5u);
    EXPECT_EQ(UnfinishedLastLine("a\rhalf"), 2u);
    EXPECT_EQ(UnfinishedLastLine("half"), 0u);
    // A writer that lays out its file ahead fills the rest with NULs.
    EXPECT_EQ(UnfinishedLastLine(TextBeforeNul("a\nhalf\0\0\0"sv)), 2u);
    EXPECT_EQ(UnfinishedLastLine(TextBeforeNul("a\n\0half"sv)), std::nullopt);
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
