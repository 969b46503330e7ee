#include "csv_location.h"

#include <cstdlib>

#include "file_access.h"
#include "file_system.h"
#ifdef _WIN32
#include "win32_support.h"
#endif

namespace veltra {

namespace {

constexpr std::string_view kCsvName = "braki naradowosci.csv";

#ifdef _WIN32

constexpr std::string_view kSeparators = "\\/";

std::string Variable(const wchar_t* name) {
    const wchar_t* value = ::_wgetenv(name);
    return value ? win32::Utf8FromUtf16(value) : "";
}

// Windows keeps a user's program data in the local application data folder.
std::string UserDataFolder(const UserDataEnvironment& environment) {
    const std::string& base = environment.localAppData;
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    const bool absolute =
        base.starts_with("\\\\") || (base.size() > 2 && base[1] == ':' && separator(base[2]));
    if (!absolute) {
        return "";
    }
    return base + (separator(base.back()) ? "" : "\\") + "Veltra\\";
}

#else

constexpr std::string_view kSeparators = "/";

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
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

#endif

// The folder of a path, with its closing separator; "" for a bare name.
std::string FolderOf(std::string_view path) {
    const std::size_t separator = path.find_last_of(kSeparators);
    return std::string(separator == std::string_view::npos ? std::string_view()
                                                           : path.substr(0, separator + 1));
}

}  // namespace

UserDataEnvironment UserDataEnvironment::FromProcess() {
#ifdef _WIN32
    return {{}, {}, Variable(L"LOCALAPPDATA")};
#else
    return {Variable("XDG_DATA_HOME"), Variable("HOME"), {}};
#endif
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
