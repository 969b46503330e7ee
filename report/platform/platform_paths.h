#pragma once

#include <string>
#include <string_view>

namespace veltra {

// Paths as this platform writes them, and where a user's data goes.

// `path` made absolute against the working folder, as the system itself
// would open it. Throws IoFailure when the working folder cannot be found
// (it was removed).
std::string AbsolutePath(const std::string& path);

// The environment variables that place a user's data folder, in UTF-8;
// empty when unset. Linux reads the first two, Windows the third.
struct UserDataEnvironment {
    std::string xdgDataHome;
    std::string home;
    std::string localAppData;

    static UserDataEnvironment FromProcess();
};

// The program's own folder in the user's data folder, with its closing
// separator: "$XDG_DATA_HOME/Veltra/" or "~/.local/share/Veltra/" on Linux,
// "%LOCALAPPDATA%\Veltra\" on Windows; "" when the environment places none.
std::string UserDataFolder(const UserDataEnvironment& environment);

// The characters that end a folder's name in a path: "/", and on Windows
// "\" too.
std::string_view PathSeparators();

}  // namespace veltra
