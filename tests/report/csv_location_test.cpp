#include "csv_location.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "file_access.h"

namespace veltra {
namespace {

class CsvLocation : public ::testing::Test {
protected:
    std::string PathFor(std::string_view executable) {
        return MissingNationalityCsvPath(files, executable, environment);
    }

    testing::FakeFileSystem files;
    UserDataEnvironment environment{"/home/ala/.dane", "/home/ala",
                                    "C:\\Users\\ala\\AppData\\Local"};
};

TEST_F(CsvLocation, BesideTheExecutableWhenItsFolderIsWritable) {
    EXPECT_EQ(PathFor("/opt/veltra/bin/veltra"), "/opt/veltra/bin/braki naradowosci.csv");
    EXPECT_EQ(PathFor("/veltra"), "/braki naradowosci.csv");
    EXPECT_EQ(PathFor("veltra"), "braki naradowosci.csv");
    EXPECT_TRUE(files.folders.empty());
}

#ifdef _WIN32

TEST_F(CsvLocation, BesideTheExecutableOnWindows) {
    EXPECT_EQ(PathFor("C:\\Program Files\\Veltra\\veltra-report.exe"),
              "C:\\Program Files\\Veltra\\braki naradowosci.csv");
    EXPECT_EQ(PathFor("\\\\serwer\\programy\\veltra.exe"),
              "\\\\serwer\\programy\\braki naradowosci.csv");
}

TEST_F(CsvLocation, InTheLocalApplicationDataFolderOtherwise) {
    files.readOnlyFolders = {"C:\\Program Files\\Veltra\\"};
    EXPECT_EQ(PathFor("C:\\Program Files\\Veltra\\veltra.exe"),
              "C:\\Users\\ala\\AppData\\Local\\Veltra\\braki naradowosci.csv");
    EXPECT_EQ(files.folders, std::set<std::string>{"C:\\Users\\ala\\AppData\\Local\\Veltra\\"});

    // Unset or relative: the program's folder, whose failure the writer names.
    for (const char* unusable : {"", "AppData"}) {
        environment.localAppData = unusable;
        EXPECT_EQ(PathFor("C:\\Program Files\\Veltra\\veltra.exe"),
                  "C:\\Program Files\\Veltra\\braki naradowosci.csv");
    }
}

#else

TEST_F(CsvLocation, InTheUsersDataFolderOtherwiseMadeWhenMissing) {
    files.readOnlyFolders = {"/usr/bin/", "."};
    EXPECT_EQ(PathFor("/usr/bin/veltra"), "/home/ala/.dane/Veltra/braki naradowosci.csv");
    EXPECT_EQ(files.folders, std::set<std::string>{"/home/ala/.dane/Veltra/"});

    environment.xdgDataHome = "/home/ala/.dane/";
    EXPECT_EQ(PathFor("veltra"), "/home/ala/.dane/Veltra/braki naradowosci.csv");

    // Unset, or relative and so to be ignored: the standard place in the home.
    for (const char* unusable : {"", "dane"}) {
        environment.xdgDataHome = unusable;
        EXPECT_EQ(PathFor("/usr/bin/veltra"),
                  "/home/ala/.local/share/Veltra/braki naradowosci.csv");
    }
}

TEST_F(CsvLocation, AFolderThatCannotBeMadeIsTheFilesFailure) {
    files.readOnlyFolders = {"/usr/bin/"};
    files.createFailure = "Permission denied";
    try {
        PathFor("/usr/bin/veltra");
        FAIL() << "no failure";
    } catch (const FileError& error) {
        EXPECT_STREQ(error.what(),
                     "Cannot create file \"/home/ala/.dane/Veltra/braki naradowosci.csv\". "
                     "Permission denied");
    }

    // Without any home the writer names the program's own folder.
    environment = {};
    EXPECT_EQ(PathFor("/usr/bin/veltra"), "/usr/bin/braki naradowosci.csv");
}

#endif

}  // namespace
}  // namespace veltra
