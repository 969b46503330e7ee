#include "posix_file_replacement.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "scratch_folder.h"

namespace veltra {
namespace {

namespace fs = std::filesystem;

class PosixFileReplacementTest : public testing::ScratchFolderTest {
protected:
    // Replaces the file with `bytes`, written in two pieces.
    static void Replace(const std::string& path, const std::string& bytes,
                        SpecialTarget special = SpecialTarget::Refuse) {
        const auto file = ReplacePosixFile(path, special);
        file->Write(bytes.substr(0, bytes.size() / 2));
        file->Write(bytes.substr(bytes.size() / 2));
        file->Commit();
    }

    // The cause of the failure to replace the file, or "" when it worked.
    static std::string Failure(const std::string& path,
                               SpecialTarget special = SpecialTarget::Refuse) {
        try {
            Replace(path, "new\r\n", special);
        } catch (const IoFailure& failure) {
            return failure.what();
        }
        return "";
    }

    static struct stat Status(const std::string& path) {
        struct stat status {};
        EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
        return status;
    }
};

TEST_F(PosixFileReplacementTest, NewContentAppearsOnlyAtCommitAndLeavesNoOtherName) {
    Write("braki naradowosci.csv", "old\r\n");
    {
        const auto file = ReplacePosixFile(Path("braki naradowosci.csv"), SpecialTarget::Refuse);
        file->Write(std::string(200000, 'x'));
        EXPECT_EQ(Read("braki naradowosci.csv"), "old\r\n");
        EXPECT_EQ(Entries(), std::vector<std::string>{"braki naradowosci.csv"});
        // Dropped without Commit: the save was abandoned.
    }
    EXPECT_EQ(Read("braki naradowosci.csv"), "old\r\n");
    Replace(Path("braki naradowosci.csv"), "new\r\n");
    EXPECT_EQ(Read("braki naradowosci.csv"), "new\r\n");
    Replace(Path("fresh.csv"), "");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"braki naradowosci.csv", "fresh.csv"}));
    EXPECT_EQ(Read("fresh.csv"), "");
}

TEST_F(PosixFileReplacementTest, SymbolicLinksAreFollowedToTheFileTheyShare) {
    fs::create_directory(Path("shared"));
    Write("shared/braki.csv", "old\r\n");
    fs::create_symlink("shared/braki.csv", Path("relative.csv"));
    fs::create_symlink(Path("relative.csv"), Path("absolute.csv"));
    Replace(Path("absolute.csv"), "new\r\n");
    EXPECT_TRUE(fs::is_symlink(Path("absolute.csv")));
    EXPECT_TRUE(fs::is_symlink(Path("relative.csv")));
    EXPECT_EQ(Read("shared/braki.csv"), "new\r\n");
    // A link to nothing yet makes its target.
    fs::create_symlink("shared/later.csv", Path("dangling.csv"));
    Replace(Path("dangling.csv"), "made\r\n");
    EXPECT_EQ(Read("shared/later.csv"), "made\r\n");
    fs::create_symlink("loop.csv", Path("loop.csv"));
    EXPECT_EQ(Failure(Path("loop.csv")), "Too many levels of symbolic links");
}

TEST_F(PosixFileReplacementTest, DevicesAndPipesAreWrittenOnlyWhenNamedOnPurpose) {
    ASSERT_EQ(::mkfifo(Path("pipe.csv").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", Path("null.csv"));
    EXPECT_EQ(Failure("/dev/null"), "Not a regular file");
    EXPECT_EQ(Failure(Path("null.csv")), "Not a regular file");
    EXPECT_EQ(Failure(Path("pipe.csv")), "Not a regular file");
    EXPECT_TRUE(S_ISCHR(Status("/dev/null").st_mode));
    EXPECT_TRUE(S_ISFIFO(Status(Path("pipe.csv")).st_mode));
    EXPECT_TRUE(fs::is_symlink(Path("null.csv")));

    EXPECT_EQ(Failure(Path("null.csv"), SpecialTarget::WriteInPlace), "");
    EXPECT_TRUE(S_ISCHR(Status("/dev/null").st_mode));
    EXPECT_EQ(Failure("/dev/full", SpecialTarget::WriteInPlace), "No space left on device");
    const int reader = ::open(Path("pipe.csv").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(Failure(Path("pipe.csv"), SpecialTarget::WriteInPlace), "");
    char got[16] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 5);
    EXPECT_STREQ(got, "new\r\n");
    ::close(reader);
    EXPECT_EQ(Failure(folder.string()), "Is a directory");
    EXPECT_EQ(Failure(Path("no/such/folder.csv")), "No such file or directory");
}

TEST_F(PosixFileReplacementTest, StandardOutputIsWrittenThroughKeepingItsPlace) {
    Write("out.txt", "");
    const int out = ::open(Path("out.txt").c_str(), O_WRONLY);
    ASSERT_GE(out, 0);
    ASSERT_EQ(::write(out, "figures;", 8), 8);
    Replace("/dev/fd/" + std::to_string(out), "csv;", SpecialTarget::WriteInPlace);
    Replace("/proc/self/fd/" + std::to_string(out), "csv;", SpecialTarget::WriteInPlace);
    ASSERT_EQ(::write(out, "end", 3), 3);
    ::close(out);
    EXPECT_EQ(Read("out.txt"), "figures;csv;csv;end");
}

TEST_F(PosixFileReplacementTest, PermissionsAndOwnerAreKept) {
    for (const mode_t mode : {0400, 0600, 0640, 0751}) {
        Write("kept.csv", "old\r\n");
        fs::permissions(Path("kept.csv"), static_cast<fs::perms>(mode));
        Replace(Path("kept.csv"), "new\r\n");
        EXPECT_EQ(Status(Path("kept.csv")).st_mode & 07777, mode);
        EXPECT_EQ(Read("kept.csv"), "new\r\n");
    }
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(Path("kept.csv").c_str(), 1234, 4321), 0);
        Replace(Path("kept.csv"), "new\r\n");
        EXPECT_EQ(Status(Path("kept.csv")).st_uid, 1234u);
        EXPECT_EQ(Status(Path("kept.csv")).st_gid, 4321u);
    }
}

TEST_F(PosixFileReplacementTest, AHardLinkedFileIsRewrittenInPlace) {
    Write("braki.csv", std::string(100000, 'o'));
    fs::create_hard_link(Path("braki.csv"), Path("copy.csv"));
    const ino_t inode = Status(Path("braki.csv")).st_ino;
    Replace(Path("braki.csv"), "new\r\n");
    EXPECT_EQ(Read("copy.csv"), "new\r\n");
    EXPECT_EQ(Status(Path("braki.csv")).st_ino, inode);
    EXPECT_EQ(Status(Path("braki.csv")).st_nlink, 2u);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"braki.csv", "copy.csv"}));
}

TEST_F(PosixFileReplacementTest, AnyNameTheFolderTakesWorks) {
    const std::string longest(NAME_MAX, 'b');
    Replace(Path(longest), "new\r\n");
    EXPECT_EQ(Read(longest), "new\r\n");
    Replace(Path(longest), "newer\r\n");
    EXPECT_EQ(Read(longest), "newer\r\n");
    EXPECT_EQ(Failure(Path(longest + "b")), "File name too long");
}

TEST_F(PosixFileReplacementTest, LeftoversOfDeadProcessesAreRemoved) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ASSERT_GT(child, 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::string dead = ".veltra-" + std::to_string(child) + "-1.tmp";
    const std::string alive = ".veltra-" + std::to_string(::getppid()) + "-1.tmp";
    Write(dead, "torn");
    Write(alive, "being written");
    Write(".veltra-notes.tmp", "someone else's");
    Replace(Path("braki.csv"), "new\r\n");
    EXPECT_EQ(Entries(), (std::vector<std::string>{alive, ".veltra-notes.tmp", "braki.csv"}));
}

// A list shared with others: the user may write the file but not create
// files beside it.
TEST_F(PosixFileReplacementTest, AWritableFileInAFolderThatRefusesNewFilesIsRewrittenInPlace) {
    fs::create_directory(Path("shared"));
    Write("shared/list.csv", "old\r\n");
    Write("shared/fixed.csv", "old\r\n");
    fs::permissions(Path("shared/list.csv"), fs::perms(0666));
    fs::permissions(Path("shared/fixed.csv"), fs::perms(0644));
    fs::permissions(Path("shared"), fs::perms(0555));
    fs::create_symlink(Path("shared/list.csv"), Path("list.csv"));
    fs::create_symlink(Path("shared/fixed.csv"), Path("fixed.csv"));
    // Root may create files anywhere; an ordinary user is needed.
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(77);
        }
        const bool rewritten = Failure(Path("list.csv")).empty();
        const bool refused = Failure(Path("fixed.csv")) ==
                             "Permission denied in the folder \"" + Path("shared") + "\"";
        ::_exit(rewritten && refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    fs::permissions(Path("shared"), fs::perms(0755));
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "this machine does not let root become another user";
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(Read("shared/list.csv"), "new\r\n");
    EXPECT_EQ(Read("shared/fixed.csv"), "old\r\n");
    EXPECT_EQ(fs::status(Path("shared/list.csv")).permissions(), fs::perms(0666));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Path("shared"))) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"fixed.csv", "list.csv"}));
}

TEST_F(PosixFileReplacementTest, AReadOnlyFolderFailsAndKeepsThePreviousFile) {
    Write("braki.csv", "old\r\n");
    fs::create_directory(Path("ro"));
    // Root passes every permission check; a read-only mount stops it too.
    if (::mount(folder.c_str(), Path("ro").c_str(), nullptr, MS_BIND, nullptr) != 0) {
        GTEST_SKIP() << "no bind mounts here";
    }
    const int remounted =
        ::mount(nullptr, Path("ro").c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr);
    const std::string failure = Failure(Path("ro/braki.csv"));
    ::umount(Path("ro").c_str());
    ASSERT_EQ(remounted, 0);
    EXPECT_EQ(failure, "Read-only file system in the folder \"" + Path("ro") + "\"");
    EXPECT_EQ(Read("braki.csv"), "old\r\n");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"braki.csv", "ro"}));
}

}  // namespace
}  // namespace veltra
