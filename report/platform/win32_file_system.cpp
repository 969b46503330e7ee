#include "win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "read_to_end.h"
#include "win32_file_replacement.h"
#include "win32_support.h"

namespace veltra {

namespace {

using win32::Handle;
using win32::SystemFailure;
using win32::WidePath;

// Whether something is at `path`, as the system sees it: a file, a folder or
// a device; nullopt when nothing is.
std::optional<DWORD> AttributesOf(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    return attributes;
}

// Opened for reading only, and shared for everything: the playout system
// must go on writing today's log, and reopening it for each line, while a
// report reads it.
Handle OpenForReading(const std::wstring& path) {
    return Handle(::CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

// The file as it stood when it was opened, however it grows meanwhile; in
// pieces, asking `goOn` (when given) between them.
std::optional<std::string> ReadFrom(HANDLE file, const std::function<bool()>& goOn,
                                    std::string buffer) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size)) {
        throw SystemFailure(::GetLastError());
    }
    if (static_cast<unsigned long long>(size.QuadPart) > std::string().max_size()) {
        throw SystemFailure(ERROR_NOT_ENOUGH_MEMORY);
    }
    return ReadToEndWhile(
        static_cast<std::size_t>(size.QuadPart),
        [file](std::span<char> space) -> std::size_t {
            constexpr std::size_t kMaxRead = 1 << 30;
            DWORD read = 0;
            if (!::ReadFile(file, space.data(),
                            static_cast<DWORD>(std::min(space.size(), kMaxRead)), &read, nullptr)) {
                const DWORD error = ::GetLastError();
                if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) {
                    return 0;
                }
                throw SystemFailure(error);
            }
            return read;
        },
        [] { return SystemFailure(ERROR_NOT_ENOUGH_MEMORY); }, goOn, std::move(buffer));
}

bool IsDisk(HANDLE file) {
    return ::GetFileType(file) == FILE_TYPE_DISK;
}

}  // namespace

bool Win32FileSystem::IsRegularFile(const std::string& path) const {
    try {
        const std::optional<DWORD> attributes = AttributesOf(WidePath(path));
        return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    } catch (const IoFailure&) {
        return false;
    }
}

std::string Win32FileSystem::ReadWholeFile(const std::string& path) const {
    return *ReadWholeFileWhile(path, {}, {});
}

std::optional<std::string> Win32FileSystem::ReadWholeFileWhile(const std::string& path,
                                                               const std::function<bool()>& goOn,
                                                               std::string buffer) const {
    const Handle file = OpenForReading(WidePath(path));
    if (!file.valid()) {
        // A folder gives "access denied", as Windows says of it.
        throw SystemFailure(::GetLastError());
    }
    if (!IsDisk(file.get())) {
        throw IoFailure("Not a regular file");
    }
    return ReadFrom(file.get(), goOn, std::move(buffer));
}

std::optional<std::string> Win32FileSystem::ReadRegularFile(const std::string& path) const {
    std::wstring widePath;
    try {
        widePath = WidePath(path);
    } catch (const IoFailure&) {
        return std::nullopt;
    }
    const Handle file = OpenForReading(widePath);
    if (!file.valid()) {
        const DWORD error = ::GetLastError();
        // Nothing there (in whatever way the name fails to lead to a file:
        // a missing folder or drive, a name Windows does not allow) or a
        // folder: no file. One that is there but cannot be read fails.
        const std::optional<DWORD> attributes = AttributesOf(widePath);
        if (!attributes || (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return std::nullopt;
        }
        throw SystemFailure(error);
    }
    if (!IsDisk(file.get())) {
        return std::nullopt;
    }
    return ReadFrom(file.get(), {}, {});
}

bool Win32FileSystem::IsOpenForWriting(const std::string& path) const {
    // Only a handle that lets nobody else write can be refused for a writer
    // already there. It is held for no longer than the refusal takes, and
    // asked for only of a log that ends halfway through a line.
    try {
        const Handle probe(::CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
        return !probe.valid() && ::GetLastError() == ERROR_SHARING_VIOLATION;
    } catch (const IoFailure&) {
        return false;
    }
}

std::unique_ptr<FileReplacement> Win32FileSystem::StartReplacing(const std::string& path,
                                                                 SpecialTarget special) {
    return ReplaceWin32File(path, special);
}

std::vector<std::string> Win32FileSystem::ListDirectory(const std::string& path) const {
    std::wstring pattern = WidePath(path);
    if (!pattern.ends_with(L'\\') && !pattern.ends_with(L'/')) {
        pattern += L'\\';
    }
    pattern += L'*';
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                             FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        throw SystemFailure(::GetLastError());
    }
    std::vector<std::string> names;
    do {
        const std::wstring_view name = entry.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(win32::Utf8FromUtf16(name));
        }
    } while (::FindNextFileW(search, &entry));
    const DWORD error = ::GetLastError();
    ::FindClose(search);
    if (error != ERROR_NO_MORE_FILES) {
        throw SystemFailure(error);
    }
    return names;
}

bool Win32FileSystem::IsWritableDirectory(const std::string& path) const {
    // Whether a folder may be written to is for its access rules to say,
    // and only trying tells for certain: a file is made there, and it goes
    // again as soon as it is closed.
    static std::atomic<unsigned> counter{0};
    try {
        std::wstring probe = WidePath(path);
        const std::optional<DWORD> attributes = AttributesOf(probe);
        if (!attributes || (*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            return false;
        }
        if (!probe.ends_with(L'\\') && !probe.ends_with(L'/')) {
            probe += L'\\';
        }
        probe += L".veltra-probe-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++counter) + L".tmp";
        const Handle file(::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                                        nullptr));
        return file.valid();
    } catch (const IoFailure&) {
        return false;
    }
}

void Win32FileSystem::CreateDirectories(const std::string& path) {
    const std::wstring widePath = WidePath(path);
    DWORD lastFailure = ERROR_PATH_NOT_FOUND;
    // Each folder from the top; the drive or share itself is never made.
    for (std::size_t end = widePath.find_first_of(L"\\/", 0);;
         end = widePath.find_first_of(L"\\/", end + 1)) {
        const std::wstring folder = widePath.substr(0, end);
        if (!folder.empty() && !folder.ends_with(L':') && !folder.ends_with(L'\\') &&
            !::CreateDirectoryW(folder.c_str(), nullptr)) {
            // Above the folders a user may make are those that exist already
            // (which may refuse to be made with "access denied") and the
            // server and share of a network path; the last failure counts
            // only when the folder asked for is not there in the end.
            lastFailure = ::GetLastError();
        }
        if (end == std::wstring::npos) {
            break;
        }
    }
    const std::optional<DWORD> attributes = AttributesOf(widePath);
    if (!attributes) {
        throw SystemFailure(lastFailure);
    }
    if ((*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        throw SystemFailure(ERROR_DIRECTORY);
    }
}

}  // namespace veltra
