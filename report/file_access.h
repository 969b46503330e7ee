#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform_paths.h"

namespace veltra {

class FileSystem;

// Reading files for a report run, and how a failure to read or write one
// reaches the user.

// A failure that ends a report run and reaches the user as a message box:
// "Cannot open file "<path>". <cause>" or "Cannot create file "<path>". <cause>".
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The path goes into the message as PrintablePath shows it.
FileError CannotOpenFile(std::string_view path, std::string_view cause);
FileError CannotCreateFile(std::string_view path, std::string_view cause);

// A path as it may be shown on a terminal or in a message box: a control
// character (C0, DEL, or C1 once decoded) becomes "\x1b" or "\u009b" and a
// byte that is not UTF-8 becomes "\xff", so that a name taken from a log
// cannot steer the terminal it is printed on. Anything else stays as it is.
std::string PrintablePath(std::string_view path);

// The text shown for a failure: the message, with a full stop appended when
// its last character sorts after ".".
std::string FailureText(std::string_view message);

// The whole file, or FileError "Cannot open file "<path>". <cause>".
std::string ReadFileOrFail(const FileSystem& fileSystem, const std::string& path);

// The whole regular file, nullopt when there is none, or the same FileError.
std::optional<std::string> ReadRegularFileOrFail(const FileSystem& fileSystem,
                                                 const std::string& path);

}  // namespace veltra
