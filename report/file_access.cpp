#include "file_access.h"

#include "file_system.h"
#include "platform_paths.h"

namespace veltra {

namespace {

FileError Failure(std::string_view what, std::string_view path, std::string_view cause) {
    std::string message;
    message.append(what).append(" \"").append(PrintablePath(path)).append("\". ").append(cause);
    return FileError(message);
}

void AppendEscaped(std::string& out, char prefix, unsigned value, int digits) {
    static constexpr std::string_view kHex = "0123456789abcdef";
    out.push_back('\\');
    out.push_back(prefix);
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out.push_back(kHex[(value >> shift) & 0xF]);
    }
}

// The length of the well-formed UTF-8 sequence at the start of `text`, and
// the code point it encodes; 0 when there is none.
std::size_t Utf8Sequence(std::string_view text, char32_t& codePoint) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (byte(i) & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return codePoint < minimum || codePoint > 0x10FFFF || surrogate ? 0 : length;
}

// A description file's path comes from a log and may be relative; the user
// is told which file on disk failed.
std::string FullPath(const std::string& path) {
    try {
        return AbsolutePath(path);
    } catch (const IoFailure&) {
        return path;
    }
}

}  // namespace

FileError CannotOpenFile(std::string_view path, std::string_view cause) {
    return Failure("Cannot open file", path, cause);
}

FileError CannotCreateFile(std::string_view path, std::string_view cause) {
    return Failure("Cannot create file", path, cause);
}

FileError CannotOpenFolder(const std::string& path, std::string_view cause) {
    return Failure("Cannot open folder", FullPath(path), cause);
}

std::string PrintablePath(std::string_view path) {
    std::string shown;
    shown.reserve(path.size());
    while (!path.empty()) {
        const auto byte = static_cast<unsigned char>(path.front());
        if (byte < 0x80) {
            if (byte < 0x20 || byte == 0x7F) {
                AppendEscaped(shown, 'x', byte, 2);
            } else {
                shown.push_back(path.front());
            }
            path.remove_prefix(1);
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = Utf8Sequence(path, codePoint);
        if (length == 0) {
            AppendEscaped(shown, 'x', byte, 2);
            path.remove_prefix(1);
        } else if (codePoint <= 0x9F) {
            AppendEscaped(shown, 'u', codePoint, 4);
            path.remove_prefix(length);
        } else {
            shown.append(path.substr(0, length));
            path.remove_prefix(length);
        }
    }
    return shown;
}

std::string FailureText(std::string_view message) {
    std::string text(message);
    // Bytes compare unsigned, so a message ending in a UTF-8 letter gets one too.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
        text.push_back('.');
    }
    return text;
}

std::string ReadFileOrFail(const FileSystem& fileSystem, const std::string& path) {
    try {
        return fileSystem.ReadWholeFile(path);
    } catch (const IoFailure& failure) {
        throw CannotOpenFile(FullPath(path), failure.what());
    }
}

std::optional<std::string> ReadFileOrFail(const FileSystem& fileSystem, const std::string& path,
                                          const std::function<bool()>& goOn, std::string buffer) {
    try {
        return fileSystem.ReadWholeFileWhile(path, goOn, std::move(buffer));
    } catch (const IoFailure& failure) {
        throw CannotOpenFile(FullPath(path), failure.what());
    }
}

bool MeansNothingThere(const IoFailure& failure) {
    const std::error_code code = failure.code();
    return code == std::errc::no_such_file_or_directory || code == std::errc::not_a_directory ||
           code == std::errc::is_a_directory || code == std::errc::filename_too_long ||
           code == std::errc::too_many_symbolic_link_levels ||
           code == std::errc::no_such_device_or_address || code == std::errc::no_such_device ||
           code == std::errc::operation_not_supported || code == std::errc::illegal_byte_sequence ||
           code == std::errc::invalid_argument;
}

std::optional<std::string> ReadRegularFileOrFail(const FileSystem& fileSystem,
                                                 const std::string& path) {
    try {
        return fileSystem.ReadRegularFile(path);
    } catch (const IoFailure& failure) {
        if (MeansNothingThere(failure)) {
            return std::nullopt;
        }
        throw CannotOpenFile(FullPath(path), failure.what());
    }
}

}  // namespace veltra
