#include "cp1250.h"

#include <gtest/gtest.h>

#include <string>

namespace veltra {
namespace {

TEST(Cp1250ToUtf8, ConvertsEveryByteToOneCharacter) {
    EXPECT_EQ(Cp1250ToUtf8("plain/ascii.mp3"), "plain/ascii.mp3");
    // ą ć ę ł ń ó ś ź ż and their capitals.
    EXPECT_EQ(Cp1250ToUtf8("\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF"), "ąćęłńóśźż");
    EXPECT_EQ(Cp1250ToUtf8("\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF"), "ĄĆĘŁŃÓŚŹŻ");
    EXPECT_EQ(Cp1250ToUtf8("\x80\x84\x96"), "€„–");
    EXPECT_EQ(Cp1250ToUtf8("\x81\x98"), "\xC2\x81\xC2\x98");
    EXPECT_EQ(Cp1250ToUtf8(std::string("\0", 1)), std::string("\0", 1));
}

}  // namespace
}  // namespace veltra
