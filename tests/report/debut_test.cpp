#include <gtest/gtest.h>

#include <filesystem>

#include "audio_path_resolver.h"
#include "cp1250.h"
#include "report_fixture.h"

namespace veltra {
namespace {

TEST(DescriptionFilePath, ReplacesTheExtensionOfTheFileName) {
    EXPECT_EQ(DescriptionFilePath("D:\\Muzyka\\utwor.mp3"), "D:\\Muzyka\\utwor.dat");
    EXPECT_EQ(DescriptionFilePath("D:\\Muzyka.old\\utwor"), "D:\\Muzyka.old\\utwor.dat");
    EXPECT_EQ(DescriptionFilePath("samples/audio.v2/utwor"), "samples/audio.v2/utwor.dat");
    EXPECT_EQ(DescriptionFilePath("a.b:c"), "a.b:c.dat");
    EXPECT_EQ(DescriptionFilePath("utwor.remix.wav"), "utwor.remix.dat");
    EXPECT_EQ(DescriptionFilePath("utwor."), "utwor.dat");
    EXPECT_EQ(DescriptionFilePath(".mp3"), ".dat");
    EXPECT_EQ(DescriptionFilePath("/"), "/.dat");
}

TEST(MarksDebut, TheFirstKodLineDecides) {
    EXPECT_TRUE(MarksDebut("Kod=n"));
    EXPECT_TRUE(MarksDebut("Tytul=x\r\nKOD=xNy\r\n"));
    EXPECT_TRUE(MarksDebut("kOd==n"));
    EXPECT_FALSE(MarksDebut("kod=abc"));
    EXPECT_FALSE(MarksDebut("Kod =n"));
    EXPECT_FALSE(MarksDebut(" Kod=n"));
    EXPECT_FALSE(MarksDebut("Kod="));
    EXPECT_FALSE(MarksDebut("Kod=a\nKod=n"));
    EXPECT_FALSE(MarksDebut("Kodn"));
    EXPECT_FALSE(MarksDebut("Opis=Kod=n"));
    EXPECT_FALSE(MarksDebut(""));
}

TEST(MarksDebut, ReadsLinesLikeALog) {
    EXPECT_TRUE(MarksDebut("A=1\rKod=n"));
    EXPECT_TRUE(MarksDebut("A=1\n\rKod=N\n"));
    EXPECT_FALSE(MarksDebut(std::string("A=1\0Kod=n", 9)));
    EXPECT_FALSE(MarksDebut("Kod=x\r\nn"));
}

TEST(Cp1250ToUtf8, ConvertsEveryByteToOneCharacter) {
    EXPECT_EQ(Cp1250ToUtf8("plain/ascii.mp3"), "plain/ascii.mp3");
    // ą ć ę ł ń ó ś ź ż and their capitals.
    EXPECT_EQ(Cp1250ToUtf8("\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF"), "ąćęłńóśźż");
    EXPECT_EQ(Cp1250ToUtf8("\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF"), "ĄĆĘŁŃÓŚŹŻ");
    EXPECT_EQ(Cp1250ToUtf8("\x80\x84\x96"), "€„–");
    EXPECT_EQ(Cp1250ToUtf8("\x81\x98"), "\xC2\x81\xC2\x98");
    EXPECT_EQ(Cp1250ToUtf8(std::string("\0", 1)), std::string("\0", 1));
}

class CzyDebiut : public testing::ReportTest {};

TEST_F(CzyDebiut, LooksBesideTheAudioFileInUtf8) {
    files.files["muzyka/Łąka.dat"] = "Kod=n";
    EXPECT_TRUE(report.CzyDebiut("muzyka/\xA3\xB9ka.mp3"));
    EXPECT_EQ(files.Reads(), std::vector<std::string>{"muzyka/Łąka.dat"});
}

TEST_F(CzyDebiut, NoPathNoFileOrNoKodIsNoDebut) {
    files.files[".dat"] = "Kod=n";
    files.files["bez/kodu.dat"] = "Wykonawca=X\r\nDebiut=n\r\n";
    EXPECT_FALSE(report.CzyDebiut(""));
    EXPECT_FALSE(report.CzyDebiut("brak/pliku.mp3"));
    EXPECT_FALSE(report.CzyDebiut("bez/kodu.mp3"));
    EXPECT_EQ(files.Reads(), std::vector<std::string>{"bez/kodu.dat"});
}

TEST_F(CzyDebiut, ReadsTheFileAfreshEveryTime) {
    files.files["a.dat"] = "Kod=n";
    EXPECT_TRUE(report.CzyDebiut("a.mp3"));
    files.files["a.dat"] = "Kod=x";
    EXPECT_FALSE(report.CzyDebiut("a.mp3"));
    EXPECT_EQ(files.Reads().size(), 2u);
}

TEST_F(CzyDebiut, AFileThatCannotBeReadIsAFailure) {
    files.files["a.dat"] = "Kod=n";
    files.unreadable["a.dat"] = "Input/output error";
    try {
        report.CzyDebiut("a.mp3");
        FAIL() << "no failure";
    } catch (const FileError& error) {
        const std::string full = (std::filesystem::current_path() / "a.dat").string();
        EXPECT_EQ(error.what(), "Cannot open file \"" + full + "\". Input/output error");
    }
}

}  // namespace
}  // namespace veltra
