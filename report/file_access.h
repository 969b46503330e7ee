#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform_paths.h"

namespace veltra {

class FileSystem;
class IoFailure;

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
// "Cannot open folder "<path>". <cause>", a relative path made absolute.
FileError CannotOpenFolder(const std::string& path, std::string_view cause);

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
// The same, read while `goOn` says so, maybe into `buffer`
// (FileSystem::ReadWholeFileWhile).
std::optional<std::string> ReadFileOrFail(const FileSystem& fileSystem, const std::string& path,
                                          const std::function<bool()>& goOn, std::string buffer);

// Whether a failure to open or list `path` means that nothing the caller
// looks for is there, rather than that something there cannot be read:
// no such entry, not a folder, a name or path too long for this system, a
// loop of symbolic links, a socket or device that cannot be opened, a name
// the file system cannot hold. Permission, I/O and any cause known only by
// its text mean something is there.
bool MeansNothingThere(const IoFailure& failure);

// The whole regular file, nullopt when there is none (MeansNothingThere), or
// the same FileError.
std::optional<std::string> ReadRegularFileOrFail(const FileSystem& fileSystem,
                                                 const std::string& path);

}  // namespace veltra
