#include "audio_path_resolver.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "file_access.h"
#include "folder_listing_cache.h"

namespace veltra {
namespace {

using testing::FakeFailure;

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
    // No Linux file is what a Windows PC calls "D:\a.dat".
    files.files["D:\\a.dat"] = "as written";
    files.files["/mnt/d/a.dat"] = "mapped";
    files.files["/mnt/d/b.dat"] = "mapped";
    files.files["c/d.dat"] = "working folder";
    files.files["/logs/c/d.dat"] = "log's folder";
    files.files["/logs/e/f.dat"] = "log's folder";
    EXPECT_EQ(Found("D:\\a.mp3"), "mapped");
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
    // However the log separates the folders.
    EXPECT_EQ(Found("muzyka\\a.mp3"), "exact");
    files.files["MUZYKA/b.dat"] = "other case";
    files.files["muzyka/b.dat"] = "exact";
    EXPECT_EQ(Found("muzyka\\b.mp3"), "exact");
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
    files.folders.insert("/mnt/e");
    const auto root = [&](std::string_view path) {
        return resolver().ReadDescriptionFile(path, "/logs").unmappedRoot;
    };
    EXPECT_EQ(root("d:\\a.mp3"), "D:\\");
    EXPECT_EQ(root("\\\\Serwer\\Audio\\a.mp3"), "\\\\Serwer\\Audio");
    EXPECT_EQ(root("E:\\a.mp3"), "");
    EXPECT_EQ(root("a\\b.mp3"), "");
    files.files["D:\\a.dat"] = "as written";
    EXPECT_EQ(root("D:\\a.mp3"), "D:\\");

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

// Every failure a lookup can meet, on the exact path or in the search by
// letter case: either nothing is there and the item is no debut, or
// something on the way the log names cannot be read and the run fails.
TEST_F(AudioPathResolution, EachFailureMeansNothingThereOrEndsTheRun) {
    struct Case {
        const char* audioPath;
        const char* failingPath;
        bool listing;  // the failure is the folder's listing, not the file's
        FakeFailure failure;
        // The text found, "none", or the "file" or "folder" the failure names.
        std::string outcome;
    };
    const std::vector<Case> cases = {
        {"D:\\Muzyka\\a.mp3", "/mnt/d/Muzyka/a.dat", false, std::errc::filename_too_long, "none"},
        {"D:\\Muzyka\\a.mp3", "/mnt/d/Muzyka/a.dat", false,
         std::errc::too_many_symbolic_link_levels, "none"},
        {"D:\\Muzyka\\a.mp3", "/mnt/d/Muzyka/a.dat", false, std::errc::no_such_device_or_address,
         "none"},
        {"D:\\Muzyka\\a.mp3", "/mnt/d/Muzyka/a.dat", false, std::errc::not_a_directory, "none"},
        {"D:\\Muzyka\\a.mp3", "/mnt/d/Muzyka/a.dat", false, std::errc::permission_denied,
         "file /mnt/d/Muzyka/a.dat"},
        {"D:\\Muzyka\\a.mp3", "/mnt/d/Muzyka/a.dat", false, std::errc::io_error,
         "file /mnt/d/Muzyka/a.dat"},
        {"D:\\Muzyka\\a.mp3", "/mnt/d/Muzyka/a.dat", false, "Stale file handle",
         "file /mnt/d/Muzyka/a.dat"},
        // The search by letter case finds the folder but cannot look into it.
        {"D:\\MUZYKA\\A.mp3", "/mnt/d/Muzyka", true, std::errc::permission_denied,
         "folder /mnt/d/Muzyka"},
        {"D:\\MUZYKA\\A.mp3", "/mnt/d/Muzyka", true, std::errc::io_error, "folder /mnt/d/Muzyka"},
        {"D:\\MUZYKA\\A.mp3", "/mnt/d/Muzyka", true, std::errc::too_many_symbolic_link_levels,
         "none"},
        {"D:\\MUZYKA\\A.mp3", "/mnt/d/Muzyka", true, std::errc::filename_too_long, "none"},
        {"D:\\MUZYKA\\A.mp3", "/mnt/d", true, std::errc::permission_denied, "folder /mnt/d"},
        // Found in another letter case, then unreadable.
        {"D:\\MUZYKA\\A.mp3", "/mnt/d/Muzyka/a.dat", false, std::errc::permission_denied,
         "file /mnt/d/Muzyka/a.dat"},
        {"D:\\MUZYKA\\A.mp3", "/mnt/d/Muzyka/a.dat", false, std::errc::no_such_device_or_address,
         "none"},
        // Relative paths, tried from the working folder and the log's.
        {"Muzyka\\a.mp3", "Muzyka/a.dat", false, std::errc::too_many_symbolic_link_levels,
         "log's folder"},
        {"Muzyka\\a.mp3", "Muzyka/a.dat", false, std::errc::permission_denied, "file Muzyka/a.dat"},
        {"MUZYKA\\A.mp3", ".", true, std::errc::permission_denied, "folder ."},
    };
    for (const Case& c : cases) {
        testing::FakeFileSystem tree;
        tree.files["/mnt/d/Muzyka/a.dat"] = "Kod=n";
        tree.files["Muzyka/a.dat"] = "Kod=n";
        tree.files["/logs/Muzyka/a.dat"] = "log's folder";
        (c.listing ? tree.unlistable : tree.unreadable).emplace(c.failingPath, c.failure);
        AudioPathResolver resolver(tree,
                                   FolderMappings(std::vector<FolderMapping>{{"D:\\", "/mnt/d"}}));
        std::string outcome;
        try {
            const DescriptionLookup lookup = resolver.ReadDescriptionFile(c.audioPath, "/logs");
            outcome = lookup.text ? *lookup.text : "none";
        } catch (const FileError& error) {
            outcome = error.what();
        }
        std::string expected = c.outcome;
        for (const std::string kind : {"file", "folder"}) {
            if (expected.starts_with(kind + " ")) {
                // The path as the system spells it in full, and the cause.
                expected = "Cannot open " + kind + " \"" +
                           AbsolutePath(expected.substr(kind.size() + 1)) + "\". " +
                           c.failure.cause;
            }
        }
        EXPECT_EQ(outcome, expected)
            << c.audioPath << ", " << c.failingPath << ": " << c.failure.cause;
    }
}

TEST_F(AudioPathResolution, AMappedFolderThatIsNotThereIsNamedAsIfUnmapped) {
    mappings = {{"D:\\", "/mnt/d"}, {"\\\\serwer\\audio", "/srv/audio"}};
    files.files["/srv/audio/a.dat"] = "Kod=n";
    const DescriptionLookup gone = resolver().ReadDescriptionFile("D:\\Muzyka\\a.mp3", "/logs");
    EXPECT_FALSE(gone.text);
    EXPECT_EQ(gone.unmappedRoot, "D:\\");
    EXPECT_EQ(gone.missingFolder, "/mnt/d");
    // A folder that is there but lacks the file is no reason to ask.
    const DescriptionLookup there = resolver().ReadDescriptionFile("\\\\serwer\\audio\\b.mp3", "");
    EXPECT_EQ(there.unmappedRoot, "");
    EXPECT_EQ(there.missingFolder, "");
}

TEST_F(AudioPathResolution, EverySpellingOfAFolderIsListedOnce) {
    files.files["lib/Utwor.dat"] = "Kod=n";
    std::string folder = "lib";
    for (int i = 0; i < 20; ++i) {
        folder += "/.";
        EXPECT_EQ(Found(folder + "//utwor.mp3", ""), "Kod=n") << folder;
    }
    EXPECT_EQ(files.listings, (std::vector<std::string>{".", "lib/."}));
}

TEST_F(AudioPathResolution, ListingsBeyondTheMemoryLimitAreDroppedOldestFirst) {
    for (const char* folder : {"a", "b", "c"}) {
        for (int i = 0; i < 100; ++i) {
            files.files[std::string(folder) + "/" + std::to_string(i) + ".dat"] = "";
        }
        files.files[std::string(folder) + "/Utwor.dat"] = "Kod=n";
    }
    // Room for two of the three folders and the working folder.
    AudioPathResolver small(files, {},
                            FolderListing(std::vector<std::string>(101, "x")).Bytes() * 5 / 2);
    const auto find = [&](const char* path) {
        return small.ReadDescriptionFile(path, "").text.value_or("none");
    };
    for (const char* path : {"a/utwor.mp3", "b/utwor.mp3", "a/utwor.mp3", "c/utwor.mp3",
                             "a/utwor.mp3", "b/utwor.mp3"}) {
        EXPECT_EQ(find(path), "Kod=n") << path;
    }
    // "a" stays as the most recently used; "b" went for "c" and is listed again.
    EXPECT_EQ(files.listings, (std::vector<std::string>{".", "a", "b", "c", "b"}));
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
