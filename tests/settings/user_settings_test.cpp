#include "user_settings.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <chrono>
#include <functional>

namespace veltra {
namespace {

class UserSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
        ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Veltra")));
    }

    static std::vector<std::string> Flat(const std::vector<FolderMapping>& mappings) {
        std::vector<std::string> flat;
        for (const FolderMapping& mapping : mappings) {
            flat.push_back(mapping.prefix + "=" + mapping.folder);
        }
        return flat;
    }

    QString File() const { return folder.filePath(QStringLiteral("Veltra/Veltra.ini")); }

    // Runs `check` in a child process, as an ordinary user when this one is
    // root (for whom every file can be read and written): its exit status,
    // or 77 when the user cannot be changed.
    int InChild(const std::function<bool()>& check) const {
        const pid_t child = ::fork();
        if (child == 0) {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                ::_exit(77);
            }
            ::_exit(check() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    QTemporaryDir folder;
};

TEST_F(UserSettingsTest, FolderMappingsSurviveInTheSharedFile) {
    EXPECT_TRUE(UserSettings().SaveFolderMappings({{"D:\\", "/mnt/muzyka"},
                                                   {"\\\\serwer\\audio\\Łąka", "/srv/łąka"},
                                                   {"not a prefix", "/tmp"}}));
    EXPECT_TRUE(QFileInfo::exists(File()));
    EXPECT_TRUE(UserSettings().SaveFolderMapping("d:/", "/mnt/d"));
    EXPECT_EQ(Flat(UserSettings().LoadFolderMappings()),
              (std::vector<std::string>{"d:/=/mnt/d", "\\\\serwer\\audio\\Łąka=/srv/łąka"}));

    EXPECT_TRUE(UserSettings().SaveFolderMappings({}));
    EXPECT_TRUE(UserSettings().LoadFolderMappings().empty());
}

TEST_F(UserSettingsTest, QuarterlyFormHeaderAndThresholds) {
    EXPECT_EQ(UserSettings().LoadShareThresholds().polish, 33);
    EXPECT_EQ(UserSettings().LoadShareThresholds().dayPolish, 60);
    UserSettings().SaveFormHeader({"Radio Łąka", "123/2026", "Ewa Nowak\ntel. 600 000 000"});
    UserSettings().SaveShareThresholds({35.5, 50});
    const FormHeader header = UserSettings().LoadFormHeader();
    EXPECT_EQ(header.program, "Radio Łąka");
    EXPECT_EQ(header.licence, "123/2026");
    EXPECT_EQ(header.person, "Ewa Nowak\ntel. 600 000 000");
    EXPECT_EQ(UserSettings().LoadShareThresholds().polish, 35.5);
    EXPECT_EQ(UserSettings().LoadShareThresholds().dayPolish, 50);

    // A hand-edited value that is no percentage falls back to the default.
    QSettings(File(), QSettings::IniFormat).setValue("QuarterlyForm/PolishThreshold", "dużo");
    EXPECT_EQ(UserSettings().LoadShareThresholds().polish, 33);
}

TEST_F(UserSettingsTest, OnlyARegularFileIsOpenedAndAnythingElseIsNamed) {
    for (const auto& makeIt : std::vector<std::function<bool()>>{
             [&] { return ::mkfifo(File().toUtf8().constData(), 0600) == 0; },
             [&] { return QDir().mkdir(File()); },
             [&] { return QFile::link(QStringLiteral("/dev/zero"), File()); }}) {
        ASSERT_TRUE(makeIt());
        const auto start = std::chrono::steady_clock::now();
        UserSettings settings;
        EXPECT_TRUE(settings.LoadFolderMappings().empty());
        EXPECT_EQ(settings.Failure(),
                  "Cannot read the settings file \"" + File() + "\". Not a regular file");
        EXPECT_TRUE(settings.LastLogFolder().isEmpty());
        EXPECT_FALSE(settings.SaveFolderMapping("D:\\", "/mnt/d"));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_FALSE(QFileInfo(File()).isFile());
        QFile::remove(File());
        QDir().rmdir(File());
    }
}

TEST_F(UserSettingsTest, AFileThatCannotBeReadIsNamedAndNeverWrittenOver) {
    ASSERT_TRUE(UserSettings().SaveFolderMapping("D:\\", "/mnt/d"));
    const QByteArray path = File().toUtf8();
    ASSERT_EQ(::chmod(folder.path().toUtf8().constData(), 0755), 0);
    ASSERT_EQ(::chmod(path.constData(), 0), 0);
    const int status = InChild([&] {
        UserSettings settings;
        return settings.LoadFolderMappings().empty() &&
               settings.Failure().startsWith("Cannot read the settings file \"" + File() +
                                             "\". ") &&
               !settings.SaveFolderMapping("E:\\", "/mnt/e");
    });
    if (status == 77) {
        GTEST_SKIP() << "this machine does not let root become another user";
    }
    EXPECT_EQ(status, 0);
    ASSERT_EQ(::chmod(path.constData(), 0600), 0);
    EXPECT_EQ(Flat(UserSettings().LoadFolderMappings()), std::vector<std::string>{"D:\\=/mnt/d"});
}

TEST_F(UserSettingsTest, ASaveThatFailsSaysSo) {
    ASSERT_TRUE(UserSettings().SaveFolderMapping("D:\\", "/mnt/d"));
    // Readable by everyone, written by its owner only, as after one run
    // under sudo.
    ASSERT_EQ(::chmod(folder.path().toUtf8().constData(), 0755), 0);
    ASSERT_EQ(::chmod(folder.filePath(QStringLiteral("Veltra")).toUtf8().constData(), 0755), 0);
    ASSERT_EQ(::chmod(File().toUtf8().constData(), 0644), 0);
    const int status = InChild([&] {
        UserSettings settings;
        return !settings.SaveFolderMapping("E:\\", "/mnt/e") &&
               settings.Failure().startsWith("Cannot save the settings file \"" + File()) &&
               !settings.SaveLastLogFolder(QStringLiteral("/logs"));
    });
    if (status == 77) {
        GTEST_SKIP() << "this machine does not let root become another user";
    }
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Flat(UserSettings().LoadFolderMappings()), std::vector<std::string>{"D:\\=/mnt/d"});
}

TEST_F(UserSettingsTest, TwoProgramsSavingAtOnceKeepEveryMapping) {
    std::vector<pid_t> children;
    for (int program = 0; program < 2; ++program) {
        const pid_t child = ::fork();
        if (child == 0) {
            bool saved = true;
            for (int i = 0; i < 20; ++i) {
                const QString prefix = QStringLiteral("D:\\p%1\\m%2").arg(program).arg(i);
                saved = UserSettings().SaveFolderMapping(prefix, QStringLiteral("/mnt")) && saved;
            }
            ::_exit(saved ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(UserSettings().LoadFolderMappings().size(), 40u);
}

}  // namespace
}  // namespace veltra
