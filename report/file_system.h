#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veltra {

// A file operation that the system refused; what() is the system's own
// description of the cause (strerror), without the path.
class IoFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The few file operations the report needs. Paths are in the file system's
// encoding (UTF-8 on Linux).
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // A directory or a missing path is not a regular file.
    virtual bool IsRegularFile(const std::string& path) const = 0;

    // The whole content as bytes. Throws IoFailure.
    virtual std::string ReadWholeFile(const std::string& path) const = 0;

    // The whole content of the regular file at `path`, or nullopt when there
    // is none (nothing there, or a directory). Throws IoFailure when there is
    // one that cannot be read. The same as IsRegularFile, then ReadWholeFile;
    // a real file system can do it with fewer calls.
    virtual std::optional<std::string> ReadRegularFile(const std::string& path) const;

    // Creates a new file in the folder of `target`, writes `bytes` to it and
    // returns its path; `target` itself is not touched. Throws IoFailure,
    // leaving no file behind.
    virtual std::string WriteTemporaryFileBeside(const std::string& target,
                                                 std::string_view bytes) = 0;

    // Replaces `to` by `from` in one step. Throws IoFailure.
    virtual void Rename(const std::string& from, const std::string& to) = 0;

    virtual void Remove(const std::string& path) noexcept = 0;

    // The names in a directory, "." and ".." left out, in no particular
    // order. Throws IoFailure when `path` is no directory that can be read.
    virtual std::vector<std::string> ListDirectory(const std::string& path) const = 0;

    // Whether `path` is a directory in which this process may create files.
    virtual bool IsWritableDirectory(const std::string& path) const = 0;

    // Makes the directory `path` and any missing folders above it, readable
    // by the user alone; an existing directory is fine. Throws IoFailure.
    virtual void CreateDirectories(const std::string& path) = 0;
};

}  // namespace veltra
