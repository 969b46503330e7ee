#include "csv_location.h"

#include <cstdlib>

#include "file_access.h"
#include "file_system.h"

namespace veltra {

namespace {

constexpr std::string_view kCsvName = "braki naradowosci.csv";

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The folder of a path, with its closing "/"; "" for a bare name.
std::string FolderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? std::string_view()
                                                       : path.substr(0, slash + 1));
}

// The base directory rules ignore a relative XDG_DATA_HOME.
std::string UserDataFolder(const UserDataEnvironment& environment) {
    std::string base;
    if (environment.xdgDataHome.starts_with('/')) {
        base = environment.xdgDataHome;
    } else if (environment.home.starts_with('/')) {
        base = environment.home + "/.local/share";
    } else {
        return "";
    }
    if (!base.ends_with('/')) {
        base += '/';
    }
    return base + "Veltra/";
}

}  // namespace

UserDataEnvironment UserDataEnvironment::FromProcess() {
    return {Variable("XDG_DATA_HOME"), Variable("HOME")};
}

std::string MissingNationalityCsvPath(FileSystem& fileSystem, std::string_view executablePath,
                                      const UserDataEnvironment& environment) {
    const std::string programFolder = FolderOf(executablePath);
    if (fileSystem.IsWritableDirectory(programFolder.empty() ? "." : programFolder)) {
        return programFolder + std::string(kCsvName);
    }
    const std::string dataFolder = UserDataFolder(environment);
    if (dataFolder.empty()) {
        // No home to fall back to: the writer names the program's folder and
        // why it cannot be written.
        return programFolder + std::string(kCsvName);
    }
    const std::string path = dataFolder + std::string(kCsvName);
    try {
        fileSystem.CreateDirectories(dataFolder);
    } catch (const IoFailure& failure) {
        throw CannotCreateFile(path, failure.what());
    }
    return path;
}

std::string MissingNationalityCsvPath(FileSystem& fileSystem, std::string_view executablePath) {
    return MissingNationalityCsvPath(fileSystem, executablePath,
                                     UserDataEnvironment::FromProcess());
}

}  // namespace veltra
