#include "driver_platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

#include "win32_support.h"

namespace veltra {

namespace {

using win32::Handle;

// The file's volume and number, which together name it.
bool IdentityOf(const std::string& path, BY_HANDLE_FILE_INFORMATION& information) {
    try {
        const Handle file(::CreateFileW(win32::WidePath(path).c_str(), 0,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                        nullptr));
        return file.valid() && ::GetFileInformationByHandle(file.get(), &information);
    } catch (const IoFailure&) {
        return false;
    }
}

}  // namespace

std::vector<std::string> ProgramArguments(int, char**) {
    // The narrow arguments are in the ANSI code page, which cannot hold
    // every name; the wide command line can.
    int count = 0;
    wchar_t** const arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> utf8;
    for (int i = 1; i < count; ++i) {
        utf8.push_back(win32::Utf8FromUtf16(arguments[i]));
    }
    ::LocalFree(arguments);
    return utf8;
}

void PrepareStandardStreams() {
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    // The texts are UTF-8, which a console shows as such only when told;
    // the bytes written stay the same.
    ::SetConsoleOutputCP(CP_UTF8);
    const HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (::GetConsoleMode(error, &mode)) {
        // The progress line rewrites itself with the terminal's sequences.
        ::SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
}

bool IsTerminal(std::FILE* stream) {
    DWORD mode = 0;
    return ::GetConsoleMode(reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream))), &mode) &&
           (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

std::string ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (size < path.size()) {
            path.resize(size);
            return win32::Utf8FromUtf16(path);
        }
        path.resize(path.size() * 2);
    }
}

FolderMappings SavedFolderMappings() {
    return {};
}

FormHeader SavedFormHeader() {
    return {};
}

ShareThresholds SavedShareThresholds() {
    return {};
}

bool SameFile(const std::string& first, const std::string& second) {
    BY_HANDLE_FILE_INFORMATION firstIdentity{};
    BY_HANDLE_FILE_INFORMATION secondIdentity{};
    return IdentityOf(first, firstIdentity) && IdentityOf(second, secondIdentity) &&
           firstIdentity.dwVolumeSerialNumber == secondIdentity.dwVolumeSerialNumber &&
           firstIdentity.nFileIndexHigh == secondIdentity.nFileIndexHigh &&
           firstIdentity.nFileIndexLow == secondIdentity.nFileIndexLow;
}

}  // namespace veltra
