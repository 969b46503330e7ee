#include "log_record.h"

#include <gtest/gtest.h>

namespace veltra {
namespace {

TEST(LogRecord, NeedsExactlyTwentyOneFields) {
    EXPECT_FALSE(LogRecord::FromLine(""));
    EXPECT_FALSE(LogRecord::FromLine(std::string(20, ';')));
    EXPECT_TRUE(LogRecord::FromLine(std::string(21, ';')));
    EXPECT_FALSE(LogRecord::FromLine(std::string(22, ';')));
    EXPECT_TRUE(LogRecord::FromLine(std::string(21, ';') + "ignored"));
}

TEST(LogRecord, TrimsEachFieldOfBlanksAndControls) {
    std::string line;
    for (int i = 0; i < 21; ++i) {
        line += "\t " + std::to_string(i) + " x\x1f;";
    }
    const auto record = LogRecord::FromLine(line);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->AiringTime(), "0 x");
    EXPECT_EQ(record->AudioPath(), "1 x");
    EXPECT_EQ(record->Duration(), "4 x");
    EXPECT_EQ(record->Title(), "5 x");
    EXPECT_EQ(record->Performer(), "7 x");
    EXPECT_EQ(record->Nationality(), "17 x");
    EXPECT_EQ(record->ItemType(), "18 x");
}

TEST(TrimControls, KeepsBytesAboveTheSpace) {
    EXPECT_EQ(TrimControls(" \x01\x7f a\xa0 \r"), "\x7f a\xa0");
    EXPECT_EQ(TrimControls("\x20\x1f"), "");
}

}  // namespace
}  // namespace veltra
