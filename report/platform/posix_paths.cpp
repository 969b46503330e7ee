#include "platform_paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "file_system.h"

namespace veltra {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

UserDataEnvironment UserDataEnvironment::FromProcess() {
    return {Variable("XDG_DATA_HOME"), Variable("HOME"), {}};
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

std::string_view PathSeparators() {
    return "/";
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::u8string full =
        std::filesystem::absolute(std::u8string(path.begin(), path.end()), error).u8string();
    if (error) {
        throw IoFailure(error.message());
    }
    return std::string(full.begin(), full.end());
}

}  // namespace veltra
