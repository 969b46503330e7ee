#include "audio_path_resolver.h"

#include <gtest/gtest.h>

#include "case_folding.h"
#include "fakes.h"
#include "file_access.h"

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

TEST(FolderMappings, PrefixesAreDrivesOrSharesWithFoldersBelow) {
    for (const char* good : {"D:", "d:\\", "D:/", "D:\\Muzyka\\", "\\\\serwer\\audio",
                             "\\\\serwer\\audio\\pl", "\\\\serwer/audio/"}) {
        EXPECT_TRUE(FolderMappings::IsPrefix(good)) << good;
    }
    for (const char* bad :
         {"", "D", "DD:\\", "D:Muzyka", "1:\\", "/mnt/d", "Muzyka\\", "\\\\serwer", "\\\\serwer\\",
          "\\\\..\\audio", "D:\\Muzyka\\..", "D:\\.\\Muzyka"}) {
        EXPECT_FALSE(FolderMappings::IsPrefix(bad)) << bad;
    }
}

TEST(FolderMappings, OnePrefixHowEverWrittenHasOneMapping) {
    FolderMappings mappings;
    mappings.Set("D:\\", "/mnt/a");
    mappings.Set("d:/", "/mnt/b");
    mappings.Set("\\\\Serwer\\Audio\\Łąka", "/srv/a");
    mappings.Set("\\\\SERWER\\audio\\ŁĄKA\\", "/srv/b");
    ASSERT_EQ(mappings.Entries().size(), 2u);
    EXPECT_EQ(mappings.Entries()[0].prefix, "d:/");
    EXPECT_EQ(mappings.Entries()[0].folder, "/mnt/b");
    EXPECT_EQ(mappings.Entries()[1].folder, "/srv/b");
    EXPECT_FALSE(mappings.Remove("E:\\"));
    EXPECT_TRUE(mappings.Remove("\\\\serwer\\AUDIO\\łąka"));
    EXPECT_EQ(mappings.Entries().size(), 1u);
}

TEST(FolderMappings, TheLongestMatchingPrefixWinsAndDotsNeverLeaveIt) {
    const FolderMappings mappings({{"D:\\", "/mnt/d"},
                                   {"D:\\Muzyka\\Polskie", "/srv/polskie"},
                                   {"\\\\serwer\\audio", "/srv/audio"}});
    const auto map = [&](std::string_view path) -> std::string {
        const std::optional<MappedPath> mapped = mappings.Map(path);
        if (!mapped) {
            return "none";
        }
        std::string joined = mapped->folder;
        for (const std::string& name : mapped->below) {
            joined += "|" + name;
        }
        return joined;
    };
    EXPECT_EQ(map("d:/muzyka/POLSKIE/a.dat"), "/srv/polskie|a.dat");
    EXPECT_EQ(map("D:\\Muzyka\\PolskieStare\\a.dat"), "/mnt/d|Muzyka|PolskieStare|a.dat");
    EXPECT_EQ(map("D:\\Muzyka\\Polskie\\..\\..\\..\\etc\\a.dat"), "/mnt/d|etc|a.dat");
    EXPECT_EQ(map("D:\\Muzyka\\.\\Polskie\\x\\..\\a.dat"), "/srv/polskie|a.dat");
    EXPECT_EQ(map("\\\\SERWER\\Audio\\pl\\a.dat"), "/srv/audio|pl|a.dat");
    EXPECT_EQ(map("\\\\serwer\\audio2\\a.dat"), "none");
    EXPECT_EQ(map("E:\\a.dat"), "none");
    EXPECT_EQ(map("Muzyka\\a.dat"), "none");
    EXPECT_EQ(WindowsRoot("d:/Muzyka/a.dat"), "D:\\");
    EXPECT_EQ(WindowsRoot("\\\\Serwer\\Audio\\a.dat"), "\\\\Serwer\\Audio");
    EXPECT_EQ(WindowsRoot("/mnt/a.dat"), "");
}

class AudioPathResolution : public ::testing::Test {
protected:
    // The description file found for a path of the log (code page 1250),
    // or "none".
    std::string Found(std::string_view audioPath, std::string_view logFolder = "/logs") {
        const DescriptionLookup lookup = resolver().ReadDescriptionFile(audioPath, logFolder);
        return lookup.text ? *lookup.text : "none";
    }

    AudioPathResolver& resolver() {
        if (!resolver_) {
            resolver_.emplace(files, FolderMappings(mappings));
        }
        return *resolver_;
    }

    testing::FakeFileSystem files;
    std::vector<FolderMapping> mappings;

private:
    std::optional<AudioPathResolver> resolver_;
};

TEST_F(AudioPathResolution, AsWrittenFirstThenMappedThenFromTheLogsFolder) {
    mappings = {{"D:\\", "/mnt/d"}};
    files.files["D:\\a.dat"] = "as written";
    files.files["/mnt/d/a.dat"] = "mapped";
    files.files["/mnt/d/b.dat"] = "mapped";
    files.files["c/d.dat"] = "working folder";
    files.files["/logs/c/d.dat"] = "log's folder";
    files.files["/logs/e/f.dat"] = "log's folder";
    EXPECT_EQ(Found("D:\\a.mp3"), "as written");
    EXPECT_EQ(Found("d:/b.mp3"), "mapped");
    EXPECT_EQ(Found("c/d.mp3"), "working folder");
    EXPECT_EQ(Found("e/f.mp3"), "log's folder");
    EXPECT_EQ(Found("e\\f.mp3"), "log's folder");
    EXPECT_EQ(Found("e/f.mp3", ""), "none");
}

TEST_F(AudioPathResolution, AnExactNameAnywhereBeatsOneInAnotherLetterCase) {
    mappings = {{"D:\\", "/mnt/d"}};
    files.files["/mnt/d/MUZYKA/a.dat"] = "other case";
    files.files["/logs/muzyka/a.dat"] = "exact";
    files.files["muzyka/A.dat"] = "other case";
    EXPECT_EQ(Found("muzyka/a.mp3"), "exact");
    EXPECT_TRUE(files.listings.empty());
}

TEST_F(AudioPathResolution, NamesMatchInAnyLetterCaseWithPolishLetters) {
    mappings = {{"\\\\serwer\\audio", "/srv/audio"}};
    files.files["/srv/audio/POLSKIE/ŁĄKA O ŚWICIE.dat"] = "share";
    files.files["/logs/Audio/Łąka.dat"] = "log's folder";
    files.files["/srv/Utwory/utwor.dat"] = "absolute";
    // "Polskie\łąka o świcie.MP3" in code page 1250.
    EXPECT_EQ(Found("\\\\SERWER\\Audio\\Polskie\\\xB3\xB9ka o \x9C"
                    "wicie.MP3"),
              "share");
    EXPECT_EQ(Found("AUDIO\\\xA3\xA5KA.mp3"), "log's folder");
    EXPECT_EQ(Found("/srv/utwory/Utwor.wav"), "absolute");
}

TEST_F(AudioPathResolution, OfSeveralCaseVariantsTheFirstInByteOrderIsTaken) {
    mappings = {{"D:\\", "/mnt/d"}};
    files.files["/mnt/d/Utwor.dat"] = "Utwor";
    files.files["/mnt/d/UTWOR.dat"] = "UTWOR";
    files.files["/mnt/d/utwor.dat"] = "utwor";
    files.files["/mnt/d/x/Y.dat"] = "Y";
    files.files["/mnt/d/X/y.dat"] = "y";
    EXPECT_EQ(Found("D:\\utwor.mp3"), "utwor");
    EXPECT_EQ(Found("D:\\uTWOR.mp3"), "UTWOR");
    // Name by name: the folder as written, though the other holds the file
    // as written.
    EXPECT_EQ(Found("D:\\x\\y.mp3"), "Y");
}

TEST_F(AudioPathResolution, AMappedPathNeverLeavesItsFolder) {
    mappings = {{"D:\\Muzyka", "/mnt/muzyka"}};
    files.files["/mnt/secret.dat"] = "outside";
    files.files["/mnt/muzyka/a.dat"] = "inside";
    EXPECT_EQ(Found("D:\\Muzyka\\..\\secret.mp3"), "none");
    EXPECT_EQ(Found("D:\\Muzyka\\b\\..\\a.mp3"), "inside");
    EXPECT_EQ(Found("D:\\Muzyka\\..\\Muzyka\\A.mp3"), "inside");
}

TEST_F(AudioPathResolution, NamesTheDriveOrShareThatNeedsAMapping) {
    mappings = {{"E:\\", "/mnt/e"}};
    const auto root = [&](std::string_view path) {
        return resolver().ReadDescriptionFile(path, "/logs").unmappedRoot;
    };
    EXPECT_EQ(root("d:\\a.mp3"), "D:\\");
    EXPECT_EQ(root("\\\\Serwer\\Audio\\a.mp3"), "\\\\Serwer\\Audio");
    EXPECT_EQ(root("E:\\a.mp3"), "");
    EXPECT_EQ(root("a\\b.mp3"), "");
    files.files["D:\\a.dat"] = "as written";
    EXPECT_EQ(root("D:\\a.mp3"), "");

    resolver().SetMapping("d:", "/mnt/d");
    files.files["/mnt/d/b.dat"] = "mapped";
    EXPECT_EQ(Found("D:\\b.mp3"), "mapped");
}

TEST_F(AudioPathResolution, WhereTheSystemFindsWindowsPathsOnlyAsWritten) {
    files.findsWindowsPaths = true;
    mappings = {{"D:\\", "/mnt/d"}};
    files.files["D:\\Muzyka\\a.dat"] = "as written";
    files.files["/mnt/d/b.dat"] = "mapped";
    files.files["/logs/c/d.dat"] = "log's folder";
    files.files["muzyka/E.dat"] = "other case";
    EXPECT_EQ(Found("D:\\Muzyka\\a.mp3"), "as written");
    EXPECT_EQ(Found("D:\\b.mp3"), "none");
    EXPECT_EQ(Found("c\\d.mp3"), "none");
    EXPECT_EQ(Found("muzyka/e.mp3"), "none");
    // Nothing to ask the user about, and no folder listed.
    EXPECT_EQ(resolver().ReadDescriptionFile("E:\\x.mp3", "/logs").unmappedRoot, "");
    EXPECT_TRUE(files.listings.empty());
}

TEST_F(AudioPathResolution, ListsEachFolderOnceAndReadsFilesEveryTime) {
    mappings = {{"D:\\", "/mnt/d"}};
    files.files["/mnt/d/POLSKIE/a.dat"] = "Kod=n";
    EXPECT_EQ(Found("D:\\polskie\\A.mp3"), "Kod=n");
    files.files["/mnt/d/POLSKIE/a.dat"] = "Kod=x";
    EXPECT_EQ(Found("D:\\Polskie\\a.mp3"), "Kod=x");
    EXPECT_EQ(files.listings, (std::vector<std::string>{"/mnt/d", "/mnt/d/POLSKIE"}));
}

TEST_F(AudioPathResolution, FoldersThatCannotBeListedHoldNothing) {
    mappings = {{"D:\\", "/mnt/d"}};
    files.files["/mnt/d/a/b.dat"] = "Kod=n";
    files.unlistable["/mnt/d"] = "Permission denied";
    files.files["/mnt/d/plik/x.dat"] = "";
    EXPECT_EQ(Found("D:\\A\\b.mp3"), "none");
    EXPECT_EQ(Found("D:\\a\\b.mp3"), "Kod=n");
    EXPECT_EQ(Found("D:\\a\\b.mp3\\c.mp3"), "none");
}

TEST_F(AudioPathResolution, AFoundFileThatCannotBeReadIsAFailure) {
    mappings = {{"D:\\", "/mnt/d"}};
    files.files["/mnt/d/Muzyka/a.dat"] = "Kod=n";
    files.unreadable["/mnt/d/Muzyka/a.dat"] = "Permission denied";
    try {
        Found("D:\\MUZYKA\\a.mp3");
        FAIL() << "no failure";
    } catch (const FileError& error) {
        EXPECT_EQ(error.what(), "Cannot open file \"" + AbsolutePath("/mnt/d/Muzyka/a.dat") +
                                    "\". Permission denied");
    }
}

}  // namespace
}  // namespace veltra
