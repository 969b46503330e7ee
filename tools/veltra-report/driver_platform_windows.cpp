#include "driver_platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

#include <algorithm>

#include "driver_options.h"
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

bool SameLetter(wchar_t a, wchar_t b) {
    return ::CompareStringOrdinal(&a, 1, &b, 1, TRUE) == CSTR_EQUAL;
}

// Whether the name matches the pattern as Windows matches names, in any
// letter case: "*" for any run of characters, "?" for one.
bool Matches(std::wstring_view name, std::wstring_view pattern) {
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starAt = std::wstring_view::npos;
    std::size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() && (pattern[p] == L'?' || SameLetter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::wstring_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') {
        ++p;
    }
    return p == pattern.size();
}

// The files in the pattern's folder whose names match it, in name order.
// The system's own search also matches the short 8.3 names ("*.hst" would
// find "a.hstx" by its "A~1.HST"), so every long name is matched again.
std::vector<std::string> FilesMatching(const std::string& log) {
    const std::size_t separator = log.find_last_of("\\/:");
    const std::string folder = separator == std::string::npos ? "" : log.substr(0, separator + 1);
    if (folder.find_first_of("*?") != std::string::npos) {
        return {};
    }
    const std::wstring pattern = win32::Utf16FromUtf8(log.substr(folder.size()));
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileExW(win32::WidePath(log).c_str(), FindExInfoBasic, &entry,
                                             FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return {};
    }
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            Matches(entry.cFileName, pattern)) {
            names.emplace_back(entry.cFileName);
        }
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                      static_cast<int>(b.size()), TRUE) == CSTR_LESS_THAN;
    });
    std::vector<std::string> files;
    for (const std::wstring& name : names) {
        files.push_back(folder + win32::Utf8FromUtf16(name));
    }
    return files;
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

StandardStreams::StandardStreams() {
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    // The texts are UTF-8, which a console shows as such only when told;
    // the bytes written stay the same. The console is the user's, whose
    // later programs expect its own code page (0: there is none).
    outputCodePage_ = ::GetConsoleOutputCP();
    if (outputCodePage_ != 0) {
        ::SetConsoleOutputCP(CP_UTF8);
    }
    const HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (::GetConsoleMode(error, &mode)) {
        // The progress line rewrites itself with the terminal's sequences.
        errorMode_ = mode;
        errorModeChanged_ = ::SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
}

StandardStreams::~StandardStreams() {
    std::fflush(stdout);
    std::fflush(stderr);
    if (errorModeChanged_) {
        ::SetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), errorMode_);
    }
    if (outputCodePage_ != 0) {
        ::SetConsoleOutputCP(outputCodePage_);
    }
}

std::vector<std::string> ExpandLogPatterns(const std::vector<std::string>& logs) {
    std::vector<std::string> expanded;
    for (const std::string& log : logs) {
        // Neither character can be in a Windows file name.
        if (log.find_first_of("*?") == std::string::npos) {
            expanded.push_back(log);
            continue;
        }
        const std::vector<std::string> files = FilesMatching(log);
        if (files.empty()) {
            throw UsageError("no log matches " + log);
        }
        expanded.insert(expanded.end(), files.begin(), files.end());
    }
    return expanded;
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

std::optional<FolderMappings> SavedFolderMappings() {
    return FolderMappings();
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
