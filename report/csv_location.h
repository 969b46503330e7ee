#pragma once

#include <string>
#include <string_view>

namespace veltra {

class FileSystem;

// The environment variables that place a user's data folder, in UTF-8;
// empty when unset. Linux reads the first two, Windows the third.
struct UserDataEnvironment {
    std::string xdgDataHome;
    std::string home;
    std::string localAppData;

    static UserDataEnvironment FromProcess();
};

// Where "braki naradowosci.csv" lives: beside the executable when its folder
// is writable, as the program has always kept it; otherwise, as for a copy
// installed where the user cannot write, in the user's data folder,
// "$XDG_DATA_HOME/Veltra/" or "~/.local/share/Veltra/" ("%LOCALAPPDATA%\Veltra\"
// on Windows), which is created when missing. The run's writer, the list's opening and the driver
// all ask here, so they always agree. Throws FileError "Cannot create file ..." when the data
// folder is needed and cannot be made.
std::string MissingNationalityCsvPath(FileSystem& fileSystem, std::string_view executablePath,
                                      const UserDataEnvironment& environment);

// The same, with the process's own environment.
std::string MissingNationalityCsvPath(FileSystem& fileSystem, std::string_view executablePath);

}  // namespace veltra
