#include "posix_file_system.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "audio_path_resolver.h"
#include "posix_descriptor.h"
#include "scratch_folder.h"

namespace veltra {
namespace {

namespace fs = std::filesystem;

class PosixFileSystemTest : public testing::ScratchFolderTest {
protected:
    PosixFileSystem files;
};

TEST_F(PosixFileSystemTest, OnlyRegularFilesExist) {
    Write("a.dat", "Kod=n");
    fs::create_directory(Path("folder.dat"));
    EXPECT_TRUE(files.IsRegularFile(Path("a.dat")));
    EXPECT_FALSE(files.IsRegularFile(Path("folder.dat")));
    EXPECT_FALSE(files.IsRegularFile(Path("missing.dat")));
    EXPECT_FALSE(files.IsRegularFile("/dev/null"));
    EXPECT_FALSE(files.IsRegularFile(Path("a.dat") + std::string(1, '\0') + "x"));
}

TEST_F(PosixFileSystemTest, ReadsEveryByte) {
    std::string bytes;
    for (int i = 0; i < 70000; ++i) {
        bytes.push_back(static_cast<char>(i * 7));
    }
    Write("big.hst", bytes);
    Write("empty.hst", "");
    EXPECT_EQ(files.ReadWholeFile(Path("big.hst")), bytes);
    EXPECT_EQ(files.ReadWholeFile(Path("empty.hst")), "");
}

TEST_F(PosixFileSystemTest, ReadsARegularFileOnlyWhenThereIsOne) {
    Write("a.dat", "Kod=n\r\n");
    fs::create_directory(Path("folder.dat"));
    ASSERT_EQ(::mkfifo(Path("pipe.dat").c_str(), 0600), 0);
    EXPECT_EQ(files.ReadRegularFile(Path("a.dat")), "Kod=n\r\n");
    EXPECT_EQ(files.ReadRegularFile(Path("missing.dat")), std::nullopt);
    EXPECT_EQ(files.ReadRegularFile(Path("folder.dat")), std::nullopt);
    EXPECT_EQ(files.ReadRegularFile(Path("pipe.dat")), std::nullopt);
    EXPECT_EQ(files.ReadRegularFile(Path("a.dat") + std::string(1, '\0')), std::nullopt);
}

TEST_F(PosixFileSystemTest, ALargeFileIsReadInPiecesWhileTheReaderSaysSo) {
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

TEST_F(PosixFileSystemTest, ReadsFilesThatClaimToBeEmpty) {
    EXPECT_NE(files.ReadWholeFile("/proc/self/status").find("Pid:"), std::string::npos);
}

TEST_F(PosixFileSystemTest, ATextReadIntoTheLastOnesMemoryHoldsNothingOfIt) {
    Write("short.hst", "ab\r\n");
    const auto noGoOn = [] { return true; };
    const std::string longer(200'000, 'z');
    EXPECT_EQ(files.ReadWholeFileWhile(Path("short.hst"), noGoOn, longer), "ab\r\n");
    // Read to its end without a size, in pieces that grow.
    const std::optional<std::string> status =
        files.ReadWholeFileWhile("/proc/self/status", noGoOn, longer);
    ASSERT_TRUE(status);
    EXPECT_NE(status->find("Pid:"), std::string::npos);
    EXPECT_EQ(status->find("zzz"), std::string::npos);
}

TEST_F(PosixFileSystemTest, ReadFailuresCarryTheSystemsCause) {
    fs::create_directory(Path("folder.hst"));
    try {
        files.ReadWholeFile(Path("missing.hst"));
        FAIL();
    } catch (const IoFailure& failure) {
        EXPECT_STREQ(failure.what(), "No such file or directory");
    }
    try {
        files.ReadWholeFile(Path("folder.hst"));
        FAIL();
    } catch (const IoFailure& failure) {
        EXPECT_STREQ(failure.what(), "Is a directory");
    }
    // A pipe with no writer would block a reader for ever.
    ASSERT_EQ(::mkfifo(Path("pipe.hst").c_str(), 0600), 0);
    try {
        files.ReadWholeFile(Path("pipe.hst"));
        FAIL();
    } catch (const IoFailure& failure) {
        EXPECT_STREQ(failure.what(), "Not a regular file");
    }
}

TEST_F(PosixFileSystemTest, ADescriptionFileThatCannotBeOpenedFails) {
    fs::create_symlink("loop.dat", Path("loop.dat"));
    try {
        files.ReadRegularFile(Path("loop.dat"));
        FAIL();
    } catch (const IoFailure& failure) {
        EXPECT_STREQ(failure.what(), "Too many levels of symbolic links");
    }
    Write("file", "");
    EXPECT_EQ(files.ReadRegularFile(Path("file/below.dat")), std::nullopt);
    // Root may search any folder; an ordinary user may not.
    if (::geteuid() == 0) {
        return;
    }
    fs::create_directory(Path("closed"));
    Write("closed/a.dat", "Kod=n");
    fs::permissions(Path("closed"), fs::perms::none);
    EXPECT_THROW(files.ReadRegularFile(Path("closed/a.dat")), IoFailure);
    EXPECT_THROW(files.ReadRegularFile(Path("closed/missing.dat")), IoFailure);
    fs::permissions(Path("closed"), fs::perms::owner_all);
}

// What a log names may lead to things no description file can be; none of
// them ends the run.
TEST_F(PosixFileSystemTest, LookupsPassOverWhatCannotBeTheFile) {
    fs::create_directories(Path("d/Muzyka"));
    fs::create_symlink("loop.dat", Path("d/Muzyka/loop.dat"));
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = Path("d/Muzyka/sock.dat");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    // Three folders of 50 "ł", 100 bytes each in UTF-8: the whole Windows
    // path is longer than any one Linux name may be.
    std::string polish;
    for (int i = 0; i < 50; ++i) {
        polish += "ł";
    }
    fs::create_directories(Path("d/" + polish + "/" + polish + "/" + polish));
    Write("d/" + polish + "/" + polish + "/" + polish + "/utwor.dat", "Kod=n");
    const std::string cp1250Folder(50, '\xB3');

    const AudioPathResolver resolver(
        files, FolderMappings(std::vector<FolderMapping>{{"D:\\", Path("d")}}));
    const auto found = [&](const std::string& audioPath) {
        return resolver.ReadDescriptionFile(audioPath, folder.string()).text.value_or("none");
    };
    EXPECT_EQ(found("D:\\Muzyka\\loop.mp3"), "none");
    EXPECT_EQ(found("D:\\MUZYKA\\LOOP.mp3"), "none");
    EXPECT_EQ(found("D:\\Muzyka\\sock.mp3"), "none");
    EXPECT_EQ(
        found("D:\\" + cp1250Folder + "\\" + cp1250Folder + "\\" + cp1250Folder + "\\utwor.mp3"),
        "Kod=n");
    EXPECT_EQ(found(std::string(300, 'n') + ".mp3"), "none");
    std::string deep;
    for (int i = 0; i < 2100; ++i) {
        deep += "a\\";
    }
    EXPECT_EQ(found(deep + "x.mp3"), "none");
    ::close(listener);
}

TEST_F(PosixFileSystemTest, ARemovedWorkingFolderHoldsNothing) {
    const fs::path before = fs::current_path();
    fs::create_directory(Path("gone"));
    fs::current_path(Path("gone"));
    fs::remove(Path("gone"));
    Write("x.dat", "Kod=n");
    const AudioPathResolver resolver(files, {});
    const DescriptionLookup lookup = resolver.ReadDescriptionFile("X.mp3", "");
    const std::optional<std::string> fromLog =
        resolver.ReadDescriptionFile("X.mp3", folder.string()).text;
    fs::current_path(before);
    EXPECT_FALSE(lookup.text);
    EXPECT_EQ(fromLog, "Kod=n");
}

TEST_F(PosixFileSystemTest, AFileSwappedWithAFolderWhileReadIsReadOrNone) {
    Write("a.dat", "Kod=n\r\n");
    fs::create_directory(Path("b.dat"));
    std::atomic<bool> done = false;
    std::thread swapper([&] {
        while (!done) {
            ::renameat2(AT_FDCWD, Path("a.dat").c_str(), AT_FDCWD, Path("b.dat").c_str(),
                        RENAME_EXCHANGE);
        }
    });
    int read = 0;
    int none = 0;
    // On a busy machine the swapper may not run for a while: read until both
    // outcomes were seen, within a bound.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while ((read == 0 || none == 0) && std::chrono::steady_clock::now() < deadline) {
        const std::optional<std::string> text = files.ReadRegularFile(Path("a.dat"));
        if (text) {
            EXPECT_EQ(*text, "Kod=n\r\n");
            ++read;
        } else {
            ++none;
        }
    }
    done = true;
    swapper.join();
    EXPECT_GT(read, 0);
    EXPECT_GT(none, 0);
}

TEST_F(PosixFileSystemTest, TellsWhetherAFileIsHeldOpenForWriting) {
    Write("today.hst", "10:00");
    Write("other.hst", "");
    EXPECT_FALSE(files.IsOpenForWriting(Path("today.hst")));
    {
        const posix::Descriptor reader(::open(Path("today.hst").c_str(), O_RDONLY));
        EXPECT_FALSE(files.IsOpenForWriting(Path("today.hst")));
        // Through another name, as the writer may know it.
        fs::create_symlink(Path("today.hst"), Path("link.hst"));
        const posix::Descriptor writer(::open(Path("link.hst").c_str(), O_WRONLY | O_APPEND));
        ASSERT_GE(writer.get(), 0);
        EXPECT_TRUE(files.IsOpenForWriting(Path("today.hst")));
        EXPECT_FALSE(files.IsOpenForWriting(Path("other.hst")));
    }
    EXPECT_FALSE(files.IsOpenForWriting(Path("today.hst")));
    EXPECT_FALSE(files.IsOpenForWriting(Path("missing.hst")));
}

TEST_F(PosixFileSystemTest, ListsFoldersAndNothingElse) {
    Write("Łąka.dat", "");
    fs::create_directory(Path("POLSKIE"));
    std::vector<std::string> names = files.ListDirectory(folder.string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"POLSKIE", "Łąka.dat"}));
    EXPECT_TRUE(files.ListDirectory(Path("POLSKIE")).empty());

    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    EXPECT_THROW(files.ListDirectory(Path("pipe")), IoFailure);
    EXPECT_THROW(files.ListDirectory(Path("Łąka.dat")), IoFailure);
    EXPECT_THROW(files.ListDirectory(Path("missing")), IoFailure);
}

TEST_F(PosixFileSystemTest, CreatesMissingFoldersForTheUserAlone) {
    const std::string nested = Path("share/Veltra/");
    files.CreateDirectories(nested);
    files.CreateDirectories(nested);
    EXPECT_TRUE(files.IsWritableDirectory(nested));
    EXPECT_EQ(fs::status(nested).permissions() & fs::perms::all, fs::perms::owner_all);

    Write("file", "");
    EXPECT_THROW(files.CreateDirectories(Path("file")), IoFailure);
    EXPECT_THROW(files.CreateDirectories(Path("file/below")), IoFailure);
    EXPECT_FALSE(files.IsWritableDirectory(Path("file")));
    EXPECT_FALSE(files.IsWritableDirectory(Path("missing")));
}

}  // namespace
}  // namespace veltra
