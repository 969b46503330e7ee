#include "number_text.h"

#include <gtest/gtest.h>

namespace veltra {
namespace {

TEST(ReadInteger, ReadsWholeDecimalTexts) {
    EXPECT_EQ(ReadInteger("05", 0), 5);
    EXPECT_EQ(ReadInteger("99", 0), 99);
    EXPECT_EQ(ReadInteger("  42", 0), 42);
    EXPECT_EQ(ReadInteger("+7", 0), 7);
    EXPECT_EQ(ReadInteger("-1", 0), -1);
    EXPECT_EQ(ReadInteger(" 9", 0), 9);
    EXPECT_EQ(ReadInteger("2147483647", 0), 2147483647);
    EXPECT_EQ(ReadInteger("-2147483648", 0), -2147483647 - 1);
}

TEST(ReadInteger, ReadsHexadecimalAfterEveryPrefix) {
    EXPECT_EQ(ReadInteger("$1F", 0), 31);
    EXPECT_EQ(ReadInteger("x1f", 0), 31);
    EXPECT_EQ(ReadInteger("X10", 0), 16);
    EXPECT_EQ(ReadInteger("0x10", 0), 16);
    EXPECT_EQ(ReadInteger("-0XfF", 0), -255);
    EXPECT_EQ(ReadInteger("$FFFFFFFF", 0), -1);
}

TEST(ReadInteger, GivesTheFallbackForAnythingElse) {
    for (const char* text : {"", " ", "5:", ":5", "1 ", "- 1", "+-1", "--1", "+", "$", "0x", "x",
                             "12a", "$G", "2147483648", "-2147483649", "$100000000", "1\t"}) {
        EXPECT_EQ(ReadInteger(text, -77), -77) << '"' << text << '"';
    }
}

TEST(CzasNaSekundy, ReadsEightCharactersAsHoursMinutesSeconds) {
    EXPECT_EQ(CzasNaSekundy("00:03:25"), 205);
    EXPECT_EQ(CzasNaSekundy("12:34:56"), 45296);
    EXPECT_EQ(CzasNaSekundy("99:59:59"), 359999);
    EXPECT_EQ(CzasNaSekundy("00-03-25"), 205);
    EXPECT_EQ(CzasNaSekundy("00:03:5x"), 180);
}

TEST(CzasNaSekundy, ReadsOtherLengthsAsMinutesSeconds) {
    EXPECT_EQ(CzasNaSekundy("03:25"), 205);
    EXPECT_EQ(CzasNaSekundy("00:99"), 99);
    EXPECT_EQ(CzasNaSekundy("99:99"), 6039);
    EXPECT_EQ(CzasNaSekundy("1:02:03"), 0);
    EXPECT_EQ(CzasNaSekundy("3:25"), 5);
    EXPECT_EQ(CzasNaSekundy("123:04:05"), 720);
    EXPECT_EQ(CzasNaSekundy("03"), 180);
    EXPECT_EQ(CzasNaSekundy("03:2"), 182);
    EXPECT_EQ(CzasNaSekundy(""), 0);
    EXPECT_EQ(CzasNaSekundy("-1:-5"), -65);
}

TEST(SekundyNaCzas, WritesTwoDigitGroupsAndWideHours) {
    EXPECT_EQ(SekundyNaCzas(0), "00:00:00");
    EXPECT_EQ(SekundyNaCzas(59), "00:00:59");
    EXPECT_EQ(SekundyNaCzas(205), "00:03:25");
    EXPECT_EQ(SekundyNaCzas(3600), "01:00:00");
    EXPECT_EQ(SekundyNaCzas(86399), "23:59:59");
    EXPECT_EQ(SekundyNaCzas(360000), "100:00:00");
    EXPECT_EQ(SekundyNaCzas(445445), "123:44:05");
}

TEST(SekundyNaCzas, PadsNegativePartsLikePositiveOnes) {
    EXPECT_EQ(SekundyNaCzas(-65), "00:0-1:0-5");
    EXPECT_EQ(SekundyNaCzas(-3600), "0-1:00:00");
    EXPECT_EQ(SekundyNaCzas(-36000), "0-10:00:00");
}

TEST(SekundyNaCzas, KeepsHoursToTheirLow32Bits) {
    const std::int64_t hours = std::int64_t{1} << 32;
    EXPECT_EQ(SekundyNaCzas(hours * 3600 + 61), "00:01:01");
    EXPECT_EQ(SekundyNaCzas(std::int64_t{2147483647} * 3600), "2147483647:00:00");
    EXPECT_EQ(SekundyNaCzas(std::int64_t{-2147483647 - 1} * 3600 - 3599), "0-2147483648:0-59:0-59");
}

}  // namespace
}  // namespace veltra
