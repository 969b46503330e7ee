#include "user_settings.h"

#include <gtest/gtest.h>
#include <QFileInfo>
#include <QTemporaryDir>

namespace veltra {
namespace {

class UserSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
    }

    static std::vector<std::string> Flat(const std::vector<FolderMapping>& mappings) {
        std::vector<std::string> flat;
        for (const FolderMapping& mapping : mappings) {
            flat.push_back(mapping.prefix + "=" + mapping.folder);
        }
        return flat;
    }

    QTemporaryDir folder;
};

TEST_F(UserSettingsTest, FolderMappingsSurviveInTheSharedFile) {
    UserSettings().SaveFolderMappings({{"D:\\", "/mnt/muzyka"},
                                       {"\\\\serwer\\audio\\Łąka", "/srv/łąka"},
                                       {"not a prefix", "/tmp"}});
    EXPECT_TRUE(QFileInfo::exists(folder.filePath("Veltra/Veltra.ini")));
    UserSettings().SaveFolderMapping("d:/", "/mnt/d");
    EXPECT_EQ(Flat(UserSettings().LoadFolderMappings()),
              (std::vector<std::string>{"d:/=/mnt/d", "\\\\serwer\\audio\\Łąka=/srv/łąka"}));

    UserSettings().SaveFolderMappings({});
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
    QSettings(QSettings::IniFormat, QSettings::UserScope, "Veltra", "Veltra")
        .setValue("QuarterlyForm/PolishThreshold", "dużo");
    EXPECT_EQ(UserSettings().LoadShareThresholds().polish, 33);
}

}  // namespace
}  // namespace veltra
