#include "win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "fakes.h"
#include "report.h"
#include "scratch_folder.h"
#include "win32_support.h"

namespace veltra {
namespace {

namespace fs = std::filesystem;

// "łódź" in code page 1250, as a log names it, and in UTF-8.
constexpr std::string_view kLodzCp1250 =
    "\xB3\xF3"
    "d\x9F";
constexpr std::string_view kLodzUtf8 =
    "\xC5\x82\xC3\xB3"
    "d\xC5\xBA";

fs::path Utf8Path(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// Holds a file open as another program would, until the scope ends.
class OpenElsewhere {
public:
    OpenElsewhere(const std::string& path, DWORD access, DWORD sharing)
        : handle_(::CreateFileW(Utf8Path(path).wstring().c_str(), access, sharing, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OpenElsewhere() { ::CloseHandle(handle_); }
    bool Opened() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// Removes a folder and all in it through its long form ("\\?\..."),
// beyond the standard library's reach.
void RemoveTree(const std::wstring& longPath) {
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileW((longPath + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(longPath + L"\\" + name);
            } else {
                ::DeleteFileW((longPath + L"\\" + name).c_str());
            }
        } while (::FindNextFileW(search, &entry));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(longPath.c_str());
}

class Win32FileSystemTest : public testing::ScratchFolderTest {
protected:
    // Replaces the file with `bytes`, written in two pieces.
    void Replace(const std::string& path, const std::string& bytes,
                 SpecialTarget special = SpecialTarget::Refuse) {
        const auto file = files.StartReplacing(path, special);
        file->Write(bytes.substr(0, bytes.size() / 2));
        file->Write(bytes.substr(bytes.size() / 2));
        file->Commit();
    }

    // The cause of the failure to replace the file, or "" when it worked.
    std::string Failure(const std::string& path) {
        try {
            Replace(path, "new\r\n");
        } catch (const IoFailure& failure) {
            return failure.what();
        }
        return "";
    }

    Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, ReadsEveryByteAsItIs) {
    // End-of-file marks, line ends and NULs are the engine's to handle.
    const std::string hidden("a\x1A\r\nb\0c\r\x1A\n", 11);
    std::string bytes;
    for (int i = 0; i < 70000; ++i) {
        bytes.push_back(static_cast<char>(i * 7));
    }
    Write("hidden.hst", hidden);
    Write("big.hst", bytes);
    Write("empty.hst", "");
    EXPECT_EQ(files.ReadWholeFile(Path("hidden.hst")), hidden);
    EXPECT_EQ(files.ReadRegularFile(Path("hidden.hst")), hidden);
    EXPECT_EQ(files.ReadWholeFile(Path("big.hst")), bytes);
    EXPECT_EQ(files.ReadWholeFile(Path("empty.hst")), "");
}

TEST_F(Win32FileSystemTest, ALargeFileIsReadInPiecesWhileTheReaderSaysSo) {
    std::string bytes(10 << 20, 'x');
    bytes.back() = 'y';
    Write("big.hst", bytes);
    int asked = 0;
    EXPECT_EQ(files.ReadWholeFileWhile(Path("big.hst"), [&] { return ++asked < 2; }, {}),
              std::nullopt);
    EXPECT_EQ(asked, 2);
    asked = 0;
    EXPECT_EQ(files.ReadWholeFileWhile(Path("big.hst"), [&] { return ++asked > 0; }, {}), bytes);
    EXPECT_EQ(asked, 3);
}

TEST_F(Win32FileSystemTest, ReadsARegularFileOnlyWhenThereIsOne) {
    Write("a.dat", "Kod=n\r\n");
    fs::create_directory(Path("folder.dat"));
    EXPECT_TRUE(files.IsRegularFile(Path("a.dat")));
    EXPECT_FALSE(files.IsRegularFile(Path("folder.dat")));
    EXPECT_FALSE(files.IsRegularFile(Path("missing.dat")));
    EXPECT_EQ(files.ReadRegularFile(Path("a.dat")), "Kod=n\r\n");
    EXPECT_EQ(files.ReadRegularFile(Path("missing.dat")), std::nullopt);
    EXPECT_EQ(files.ReadRegularFile(Path("no/such/folder.dat")), std::nullopt);
    EXPECT_EQ(files.ReadRegularFile(Path("folder.dat")), std::nullopt);
    EXPECT_EQ(files.ReadRegularFile(Path("a.dat") + std::string(1, '\0')), std::nullopt);
    EXPECT_EQ(files.ReadRegularFile(Path("a\xFF.dat")), std::nullopt);
    EXPECT_EQ(files.ReadRegularFile("NUL"), std::nullopt);
    EXPECT_THROW(files.ReadWholeFile(Path("missing.hst")), IoFailure);
    EXPECT_THROW(files.ReadWholeFile(Path("folder.dat")), IoFailure);
}

TEST_F(Win32FileSystemTest, AFileOpenForWritingElsewhereIsReadAsItStands) {
    Write("emisja.hst", "10:00:00;...\r\n");
    Write("utwor.dat", "Kod=n\r\n");
    EXPECT_FALSE(files.IsOpenForWriting(Path("emisja.hst")));
    {
        // The playout system writes its log and lets others read it.
        const OpenElsewhere writer(Path("emisja.hst"), GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE);
        ASSERT_TRUE(writer.Opened());
        EXPECT_EQ(files.ReadWholeFile(Path("emisja.hst")), "10:00:00;...\r\n");
        EXPECT_TRUE(files.IsOpenForWriting(Path("emisja.hst")));
        const OpenElsewhere editor(Path("utwor.dat"), GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
        ASSERT_TRUE(editor.Opened());
        EXPECT_EQ(files.ReadRegularFile(Path("utwor.dat")), "Kod=n\r\n");
    }
    // Readers hold nobody up.
    const OpenElsewhere reader(Path("emisja.hst"), GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(reader.Opened());
    EXPECT_FALSE(files.IsOpenForWriting(Path("emisja.hst")));
    EXPECT_EQ(files.ReadWholeFile(Path("emisja.hst")), "10:00:00;...\r\n");
    EXPECT_FALSE(files.IsOpenForWriting(Path("missing.hst")));
}

TEST_F(Win32FileSystemTest, APolishNameFromALogIsFoundInAnyLetterCase) {
    // The name as Windows keeps it, UTF-16, made from its UTF-8.
    std::ofstream(folder / Utf8Path(std::string(kLodzUtf8) + ".dat"), std::ios::binary)
        << "Kod=n\r\n";
    testing::RecordingPublisher publisher;
    testing::FakeHost host;
    Report report(publisher, files, host);
    // The audio path as the log writes it, code page 1250 bytes.
    const std::string logFolder = folder.string() + "\\";
    EXPECT_TRUE(report.CzyDebiut(logFolder + std::string(kLodzCp1250) + ".mp3"));
    // "ŁÓDŹ.MP3": Windows ignores the letter case, Polish letters too.
    EXPECT_TRUE(report.CzyDebiut(logFolder + "\xA3\xD3"
                                             "D\x8F.MP3"));
    EXPECT_FALSE(report.CzyDebiut(logFolder + "lodz.mp3"));
    EXPECT_TRUE(host.questions.empty());

    EXPECT_EQ(files.ListDirectory(folder.string()),
              std::vector<std::string>{std::string(kLodzUtf8) + ".dat"});
}

TEST_F(Win32FileSystemTest, BytesWithoutALetterInCodePage1250NameTheirOwnCharacters) {
    // 0x81 and 0x98 stand for U+0081 and U+0098, which Windows names may hold.
    std::ofstream(folder / Utf8Path("a\xC2\x81"
                                    "b\xC2\x98.dat"),
                  std::ios::binary)
        << "Kod=n\r\n";
    testing::RecordingPublisher publisher;
    testing::FakeHost host;
    Report report(publisher, files, host);
    const std::string logFolder = folder.string() + "\\";
    EXPECT_TRUE(report.CzyDebiut(logFolder + "a\x81"
                                             "b\x98.mp3"));
    EXPECT_FALSE(report.CzyDebiut(logFolder + "a\x83"
                                              "b\x98.mp3"));
}

TEST_F(Win32FileSystemTest, ReplacesAFileInOneStep) {
    Write("braki.csv", "old\r\n");
    {
        const auto file = files.StartReplacing(Path("braki.csv"), SpecialTarget::Refuse);
        file->Write("new\r\n");
        // Until it is committed the file keeps its content.
        EXPECT_EQ(Read("braki.csv"), "old\r\n");
        file->Commit();
    }
    EXPECT_EQ(Read("braki.csv"), "new\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"braki.csv"});

    Replace(Path("nowy.csv"), "");
    EXPECT_EQ(Read("nowy.csv"), "");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"braki.csv", "nowy.csv"}));
}

TEST_F(Win32FileSystemTest, AnAbandonedReplacementLeavesNoTrace) {
    Write("braki.csv", "old\r\n");
    {
        const auto file = files.StartReplacing(Path("braki.csv"), SpecialTarget::Refuse);
        file->Write(std::string(200000, 'x'));
    }
    EXPECT_EQ(Read("braki.csv"), "old\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"braki.csv"});
}

TEST_F(Win32FileSystemTest, TheNextSaveRemovesOnlyTemporaryFilesNobodyHolds) {
    const std::string ended = ".veltra-4099-1.tmp";
    // A save going on, here or on another PC (whose process ids say nothing
    // here), holds its file open, letting others only delete it.
    const std::string living = ".veltra-4099-2.tmp";
    Write(ended, "half");
    Write(living, "half");
    const OpenElsewhere save(Path(living), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE);
    ASSERT_TRUE(save.Opened());
    Replace(Path("braki.csv"), "new\r\n");
    EXPECT_EQ(Entries(), (std::vector<std::string>{living, "braki.csv"}));
}

TEST_F(Win32FileSystemTest, TheNewContentIsHiddenUntilItTakesTheName) {
    Write("braki.csv", "old\r\n");
    {
        const auto file = files.StartReplacing(Path("braki.csv"), SpecialTarget::Refuse);
        file->Write("new\r\n");
        const std::vector<std::string> entries = Entries();
        ASSERT_EQ(entries.size(), 2u);
        const DWORD staged = ::GetFileAttributesW(Utf8Path(Path(entries[0])).wstring().c_str());
        EXPECT_NE(staged & FILE_ATTRIBUTE_HIDDEN, 0u) << entries[0];
        file->Commit();
    }
    const DWORD saved = ::GetFileAttributesW(Utf8Path(Path("braki.csv")).wstring().c_str());
    EXPECT_EQ(saved & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(Read("braki.csv"), "new\r\n");
}

TEST_F(Win32FileSystemTest, AFailedSaveKeepsTheOldFile) {
    Write("braki.csv", "old\r\n");
    {
        // A spreadsheet that has the list open, without letting it go.
        const OpenElsewhere spreadsheet(Path("braki.csv"), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE);
        ASSERT_TRUE(spreadsheet.Opened());
        EXPECT_NE(Failure(Path("braki.csv")), "");
    }
    EXPECT_EQ(Read("braki.csv"), "old\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"braki.csv"});

    ASSERT_TRUE(::SetFileAttributesW(Utf8Path(Path("braki.csv")).wstring().c_str(),
                                     FILE_ATTRIBUTE_READONLY));
    EXPECT_NE(Failure(Path("braki.csv")), "");
    ::SetFileAttributesW(Utf8Path(Path("braki.csv")).wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Read("braki.csv"), "old\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"braki.csv"});

    fs::create_directory(Path("folder.csv"));
    EXPECT_NE(Failure(Path("folder.csv")), "");
    EXPECT_NE(Failure(Path("no/such/folder.csv")), "");
}

TEST_F(Win32FileSystemTest, ASaveWaitsOutABriefLock) {
    Write("braki.csv", "old\r\n");
    // A virus scanner looking at the list for a moment.
    auto scanner = std::make_unique<OpenElsewhere>(Path("braki.csv"), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(scanner->Opened());
    std::thread done([&scanner] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        scanner.reset();
    });
    EXPECT_EQ(Failure(Path("braki.csv")), "");
    done.join();
    EXPECT_EQ(Read("braki.csv"), "new\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"braki.csv"});
}

TEST_F(Win32FileSystemTest, DevicesAreWrittenOnlyWhenNamedOnPurpose) {
    EXPECT_EQ(Failure("NUL"), "Not a regular file");
    EXPECT_NO_THROW(Replace("NUL", "new\r\n", SpecialTarget::WriteInPlace));
}

TEST_F(Win32FileSystemTest, FoldersAreMadeAndTriedForWriting) {
    const std::string deep = Path("a/b/c");
    files.CreateDirectories(deep);
    files.CreateDirectories(deep);
    EXPECT_TRUE(fs::is_directory(deep));
    EXPECT_TRUE(files.IsWritableDirectory(deep));
    EXPECT_TRUE(files.IsWritableDirectory(Path("a/b/c/")));
    Write("plik", "");
    EXPECT_FALSE(files.IsWritableDirectory(Path("plik")));
    EXPECT_FALSE(files.IsWritableDirectory(Path("missing")));
    EXPECT_THROW(files.CreateDirectories(Path("plik/d")), IoFailure);
    // Trying leaves nothing behind.
    EXPECT_EQ(Entries(), (std::vector<std::string>{"a", "plik"}));
    EXPECT_TRUE(fs::is_empty(deep));
}

TEST_F(Win32FileSystemTest, PathsBeyondMaxPathWork) {
    std::vector<std::string> levels{folder.string()};
    while (levels.back().size() < 400) {
        levels.push_back(levels.back() + "\\folder-" + std::string(30, 'x'));
    }
    const std::string& deep = levels.back();
    files.CreateDirectories(deep);
    const std::string csv = deep + "\\braki naradowosci.csv";
    Replace(csv, "new\r\n");
    EXPECT_TRUE(files.IsRegularFile(csv));
    EXPECT_EQ(files.ReadWholeFile(csv), "new\r\n");
    EXPECT_TRUE(files.IsWritableDirectory(deep));

    // Removed in their long form, beyond the standard library's reach.
    const auto longForm = [](const std::string& path) {
        return L"\\\\?\\" + Utf8Path(path).wstring();
    };
    EXPECT_TRUE(::DeleteFileW(longForm(csv).c_str()));
    for (auto level = levels.rbegin(); level + 1 != levels.rend(); ++level) {
        EXPECT_TRUE(::RemoveDirectoryW(longForm(*level).c_str()));
    }
}

TEST_F(Win32FileSystemTest, ARelativePathCountsByItsFullLength) {
    // Short as written, beyond MAX_PATH once the working folder is before it.
    std::string working = folder.string();
    while (working.size() < 200) {
        working += "\\working-" + std::string(20, 'w');
    }
    std::string relative = "deep";
    while (relative.size() < 150) {
        relative += "\\folder-" + std::string(20, 'x');
    }
    ASSERT_LT(relative.size(), MAX_PATH - 12);
    ASSERT_GT(working.size() + relative.size(), MAX_PATH);
    fs::create_directories(working);
    const fs::path previous = fs::current_path();
    fs::current_path(working);
    files.CreateDirectories(relative);
    Replace(relative + "\\utwor.dat", "Kod=n\r\n");
    EXPECT_EQ(files.ReadRegularFile(relative + "\\utwor.dat"), "Kod=n\r\n");
    EXPECT_EQ(win32::WidePath(relative),
              L"\\\\?\\" + Utf8Path(working + "\\" + relative).wstring());
    EXPECT_EQ(win32::WidePath("NUL"), L"NUL");
    fs::current_path(previous);
    RemoveTree(L"\\\\?\\" + Utf8Path(working).wstring());
}

}  // namespace
}  // namespace veltra
