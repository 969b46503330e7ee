#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace veltra {

// A failure that ends a report run and reaches the user as a message box:
// "Cannot open file "<path>". <cause>" or "Cannot create file "<path>". <cause>".
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

FileError CannotOpenFile(std::string_view path, std::string_view cause);
FileError CannotCreateFile(std::string_view path, std::string_view cause);

// The text shown for a failure: the message, with a full stop appended when
// its last character sorts after ".".
std::string FailureText(std::string_view message);

}  // namespace veltra
