#include "win32_support.h"

#include <windows.h>

#include <climits>

namespace veltra::win32 {

std::string ErrorText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer, length);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        return "Error " + std::to_string(error);
    }
    return Utf8FromUtf16(text);
}

Handle::~Handle() {
    if (valid()) {
        ::CloseHandle(handle_);
    }
}

bool Handle::Close() {
    return ::CloseHandle(std::exchange(handle_, Invalid())) != 0;
}

std::wstring Utf16FromUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    if (text.size() > INT_MAX) {
        throw SystemFailure(ERROR_FILENAME_EXCED_RANGE);
    }
    const int size = static_cast<int>(text.size());
    const int wideSize =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (wideSize == 0) {
        throw SystemFailure(ERROR_NO_UNICODE_TRANSLATION);
    }
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), wideSize);
    return wide;
}

std::string Utf8FromUtf16(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int narrowSize =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(narrowSize), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), narrowSize, nullptr,
                          nullptr);
    return narrow;
}

std::wstring FullPathOf(const std::wstring& path) {
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD written = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (written == 0 || written >= size) {
        throw SystemFailure(::GetLastError());
    }
    full.resize(written);
    return full;
}

std::wstring WidePath(const std::string& path) {
    // Cut short at a NUL, or guessed from bytes that are no UTF-8, the
    // path would name another file, so it names none.
    if (path.empty() || path.find('\0') != std::string::npos) {
        throw SystemFailure(ERROR_FILE_NOT_FOUND);
    }
    std::wstring wide;
    try {
        wide = Utf16FromUtf8(path);
    } catch (const IoFailure&) {
        throw SystemFailure(ERROR_FILE_NOT_FOUND);
    }
    if (wide.starts_with(L"\\\\?\\")) {
        return wide;
    }
    // What counts is the length of the full path: a short relative path
    // may lead deep below the working folder.
    const std::wstring full = FullPathOf(wide);
    // Folders are limited to a little less than MAX_PATH in the short form,
    // which alone knows the devices (NUL, CON).
    if (full.size() < MAX_PATH - 12) {
        return wide;
    }
    if (full.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    return L"\\\\?\\" + full;
}

}  // namespace veltra::win32
