#pragma once

#include <string>
#include <string_view>

#include "platform_paths.h"

namespace veltra {

class FileSystem;

// Where "braki naradowosci.csv" lives: beside the executable when its folder
// is writable, as the program has always kept it; otherwise, as for a copy
// installed where the user cannot write, in UserDataFolder, which is created
// when missing. The run's writer, the list's opening and the driver all ask
// here, so they always agree. Throws FileError "Cannot create file ..." when
// the data folder is needed and cannot be made.
std::string MissingNationalityCsvPath(FileSystem& fileSystem, std::string_view executablePath,
                                      const UserDataEnvironment& environment);

// The same, with the process's own environment.
std::string MissingNationalityCsvPath(FileSystem& fileSystem, std::string_view executablePath);

}  // namespace veltra
