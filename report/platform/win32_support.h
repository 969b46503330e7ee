#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "file_system.h"

// What the Windows halves of the platform layer share. <windows.h> stays in
// their .cpp files: its macros would rename functions anywhere it is seen.
// DWORD is unsigned long and HANDLE void* there.

namespace veltra::win32 {

// The system's own description of an error code, in the user's language, as
// UTF-8 without the closing line break.
std::string ErrorText(unsigned long error);

inline IoFailure SystemFailure(unsigned long error) {
    return IoFailure(ErrorText(error));
}

// UTF-8 as UTF-16 and back. A path taken from a log arrives here as UTF-8
// decoded from code page 1250, so every character the log names reaches the
// wide calls as itself; nothing goes through the ANSI code page.
std::wstring Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::wstring_view text);

// The full path, as Windows makes it of a relative one: against the working
// folder, ".." taken away, "\\" between folders. Throws IoFailure.
std::wstring FullPathOf(const std::wstring& path);

// A path as the wide calls take it; when it is beyond MAX_PATH in full (made
// absolute against the working folder), in its long form ("\\?\C:\...",
// "\\?\UNC\serwer\..."). Throws IoFailure "file not found" for a path that names no
// file: one with a NUL byte, or one that is not UTF-8.
std::wstring WidePath(const std::string& path);

// Closes the handle when the scope ends, whichever way it ends.
class Handle {
public:
    Handle() = default;
    explicit Handle(void* handle) : handle_(handle) {}
    Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid())) {}
    Handle& operator=(Handle&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    ~Handle();
    void* get() const { return handle_; }
    bool valid() const { return handle_ != Invalid() && handle_ != nullptr; }
    // Closes now, so that a failure to close can be reported.
    bool Close();

private:
    // INVALID_HANDLE_VALUE.
    static void* Invalid() { return reinterpret_cast<void*>(static_cast<std::intptr_t>(-1)); }

    void* handle_ = Invalid();
};

}  // namespace veltra::win32
