#include "win32_file_replacement.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string_view>

#include "replacement_support.h"
#include "win32_support.h"

namespace veltra {

namespace {

using win32::Handle;
using win32::SystemFailure;

// What a name leads to once every symbolic link is followed.
struct Target {
    enum class Kind : unsigned char { Absent, Regular, Special };
    Kind kind = Kind::Absent;
    std::wstring path;
};

std::wstring FinalPath(HANDLE file) {
    const DWORD size = ::GetFinalPathNameByHandleW(file, nullptr, 0, FILE_NAME_NORMALIZED);
    std::wstring path(size, L'\0');
    const DWORD written =
        ::GetFinalPathNameByHandleW(file, path.data(), size, FILE_NAME_NORMALIZED);
    if (written == 0 || written >= size) {
        throw SystemFailure(::GetLastError());
    }
    path.resize(written);
    return path;
}

Target Examine(const std::string& path) {
    Target target{Target::Kind::Absent, win32::WidePath(path)};
    // Only looked at; others may do with it what they like meanwhile.
    const Handle file(::CreateFileW(target.path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) {
            return target;
        }
        throw SystemFailure(error);
    }
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
        target.kind = Target::Kind::Special;
        return target;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(file.get(), &information)) {
        throw SystemFailure(::GetLastError());
    }
    // What creating a file over a folder or a read-only file says; Windows
    // would refuse the rename too, a Unix system under Wine might not.
    if ((information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) !=
        0) {
        throw SystemFailure(ERROR_ACCESS_DENIED);
    }
    const DWORD named = ::GetFileAttributesW(target.path.c_str());
    if (named != INVALID_FILE_ATTRIBUTES && (named & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        // A link: the file it leads to is replaced, so the list stays shared.
        target.path = FinalPath(file.get());
    }
    target.kind = Target::Kind::Regular;
    return target;
}

void WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        constexpr std::size_t kMaxWrite = 1 << 30;
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(std::min(bytes.size(), kMaxWrite)),
                         &written, nullptr)) {
            throw SystemFailure(::GetLastError());
        }
        bytes.remove_prefix(written);
    }
}

// A device or pipe the user named: written as it is, since it keeps no
// previous content to protect.
class DirectReplacement final : public BufferedReplacement {
public:
    explicit DirectReplacement(const std::wstring& path)
        : file_(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr)) {
        if (!file_.valid()) {
            throw SystemFailure(::GetLastError());
        }
    }

private:
    void WriteOut(std::string_view bytes) override { WriteAll(file_.get(), bytes); }
    void Finish() override {}

    Handle file_;
};

// Removes the temporary files that saves ended before finishing left, in
// the instant between giving up the file's deletion and renaming it. A save
// going on holds its own file open, here or on another PC sharing the
// folder, so only a file that can be had alone is a leftover; it goes when
// that handle closes.
void RemoveLeftovers(const std::wstring& folder) {
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileExW((folder + L".veltra-*.tmp").c_str(), FindExInfoBasic,
                                             &entry, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if (TemporaryOwner(win32::Utf8FromUtf16(entry.cFileName))) {
            const Handle leftover(::CreateFileW((folder + entry.cFileName).c_str(), DELETE, 0,
                                                nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE,
                                                nullptr));
        }
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
}

bool SetDeleteOnClose(HANDLE file, bool deleteOnClose) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deleteOnClose ? TRUE : FALSE;
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                        sizeof disposition) != 0;
}

// The new content goes to a file of its own in the target's folder first,
// which takes the target's name in one rename.
class StagedReplacement final : public BufferedReplacement {
public:
    explicit StagedReplacement(std::wstring target) : target_(std::move(target)) {
        const std::size_t separator = target_.find_last_of(L"\\/");
        const std::wstring folder =
            separator == std::wstring::npos ? std::wstring() : target_.substr(0, separator + 1);
        RemoveLeftovers(folder);
        for (int tries = 0; tries < 100 && !file_.valid(); ++tries) {
            temporary_ = folder + win32::Utf16FromUtf8(TemporaryName(::GetCurrentProcessId()));
            // Shared for deleting only, so that the rename may take it while
            // it is open and nobody else can read a half-written list. Hidden,
            // as the leading dot hides it on Linux only.
            file_ =
                Handle(::CreateFileW(temporary_.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE,
                                     nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr));
            if (!file_.valid() && ::GetLastError() != ERROR_FILE_EXISTS) {
                break;
            }
        }
        if (!file_.valid()) {
            throw SystemFailure(::GetLastError());
        }
        // Deleted by the system when the process ends before Commit, however
        // it ends; where the file system cannot do that, deleted by hand.
        deletedOnClose_ = SetDeleteOnClose(file_.get(), true);
    }

    StagedReplacement(const StagedReplacement&) = delete;
    StagedReplacement& operator=(const StagedReplacement&) = delete;
    ~StagedReplacement() override { Abandon(); }

private:
    void WriteOut(std::string_view bytes) override { WriteAll(file_.get(), bytes); }

    void Finish() override {
        // The data must be on disk before the name points to it.
        if (!::FlushFileBuffers(file_.get())) {
            throw SystemFailure(::GetLastError());
        }
        // The list itself is to be seen; the rename keeps the attributes.
        FILE_BASIC_INFO shown{};
        shown.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        if (!::SetFileInformationByHandle(file_.get(), FileBasicInfo, &shown, sizeof shown)) {
            throw SystemFailure(::GetLastError());
        }
        // A virus scanner, the search indexer or Explorer's preview holds a
        // file for a moment; that is waited out before the save fails.
        const auto givingUp = std::chrono::steady_clock::now() + kPatience;
        for (;;) {
            const DWORD error = MoveIntoPlace();
            if (error == ERROR_SUCCESS) {
                break;
            }
            const bool brief = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                               error == ERROR_ACCESS_DENIED;
            if (!brief || std::chrono::steady_clock::now() >= givingUp) {
                throw SystemFailure(error);
            }
            ::Sleep(kPause);
        }
        temporary_.clear();
        file_.Close();
    }

    static constexpr std::chrono::milliseconds kPatience{2000};
    static constexpr DWORD kPause = 50;  // milliseconds

    // The rename, or why it could not be done. The file is deleted with
    // the process but for the instant of the rename itself, so that one
    // ended meanwhile leaves as little as can be.
    DWORD MoveIntoPlace() {
        if (TargetHeldOpen()) {
            return ERROR_SHARING_VIOLATION;
        }
        if (deletedOnClose_ && !SetDeleteOnClose(file_.get(), false)) {
            return ::GetLastError();
        }
        deletedOnClose_ = false;
        if (!::MoveFileExW(temporary_.c_str(), target_.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            const DWORD error = ::GetLastError();
            deletedOnClose_ = SetDeleteOnClose(file_.get(), true);
            return error;
        }
        return ERROR_SUCCESS;
    }

    // A program that holds the target open without letting it be deleted
    // (a spreadsheet showing the list) keeps it; Windows refuses the rename
    // then, and this says so on every system, Wine included. The look ends
    // before the rename, which its own handle would refuse.
    bool TargetHeldOpen() const {
        const Handle target(::CreateFileW(
            target_.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        return !target.valid() && ::GetLastError() == ERROR_SHARING_VIOLATION;
    }

    void Abandon() noexcept {
        if (!file_.valid()) {
            return;
        }
        if (!temporary_.empty() && !deletedOnClose_) {
            deletedOnClose_ = SetDeleteOnClose(file_.get(), true);
        }
        file_.Close();
        if (!temporary_.empty() && !deletedOnClose_) {
            ::DeleteFileW(temporary_.c_str());
        }
    }

    std::wstring target_;
    // Set while the new content has a name of its own.
    std::wstring temporary_;
    Handle file_;
    bool deletedOnClose_ = false;
};

}  // namespace

std::unique_ptr<FileReplacement> ReplaceWin32File(const std::string& path, SpecialTarget special) {
    const Target target = Examine(path);
    if (target.kind != Target::Kind::Special) {
        return std::make_unique<StagedReplacement>(target.path);
    }
    if (special == SpecialTarget::Refuse) {
        throw IoFailure("Not a regular file");
    }
    return std::make_unique<DirectReplacement>(target.path);
}

}  // namespace veltra
