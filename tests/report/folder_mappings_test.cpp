#include "folder_mappings.h"

#include <gtest/gtest.h>

namespace veltra {
namespace {

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

}  // namespace
}  // namespace veltra
