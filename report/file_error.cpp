#include "file_error.h"

namespace veltra {

namespace {

FileError Failure(std::string_view what, std::string_view path, std::string_view cause) {
    std::string message;
    message.reserve(what.size() + path.size() + cause.size() + 4);
    message.append(what).append(" \"").append(path).append("\". ").append(cause);
    return FileError(message);
}

}  // namespace

FileError CannotOpenFile(std::string_view path, std::string_view cause) {
    return Failure("Cannot open file", path, cause);
}

FileError CannotCreateFile(std::string_view path, std::string_view cause) {
    return Failure("Cannot create file", path, cause);
}

std::string FailureText(std::string_view message) {
    std::string text(message);
    // Bytes compare unsigned, so a message ending in a UTF-8 letter gets one too.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
        text.push_back('.');
    }
    return text;
}

}  // namespace veltra
