#include <cstdlib>

#include "user_data_folder.h"
#include "win32_support.h"

namespace veltra {

namespace {

std::string Variable(const wchar_t* name) {
    const wchar_t* value = ::_wgetenv(name);
    return value ? win32::Utf8FromUtf16(value) : "";
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

UserDataEnvironment UserDataEnvironment::FromProcess() {
    return {{}, {}, Variable(L"LOCALAPPDATA")};
}

// Windows keeps a user's program data in the local application data folder.
std::string UserDataFolder(const UserDataEnvironment& environment) {
    const std::string& base = environment.localAppData;
    const bool absolute =
        base.starts_with("\\\\") || (base.size() > 2 && base[1] == ':' && IsSeparator(base[2]));
    if (!absolute) {
        return "";
    }
    return base + (IsSeparator(base.back()) ? "" : "\\") + "Veltra\\";
}

std::string_view PathSeparators() {
    return "\\/";
}

}  // namespace veltra
