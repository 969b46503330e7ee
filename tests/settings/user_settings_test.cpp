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

}  // namespace
}  // namespace veltra
