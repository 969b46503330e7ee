#include "platform_paths.h"

#include <cstdlib>

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

std::string AbsolutePath(const std::string& path) {
    // The standard library (libstdc++) takes "\\serwer\audio\..." for a
    // path below the current drive's root and keeps "Z:/a/b.csv" as written;
    // Windows' own rules give the path the system opens, as users write it.
    return win32::Utf8FromUtf16(win32::FullPathOf(win32::Utf16FromUtf8(path)));
}

}  // namespace veltra
