#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace veltra {

// A file operation that the system refused; what() is the system's own
// description of the cause (strerror), without the path. code() is the
// cause as a portable error number when the system gave one, and empty for
// a cause known only by its text.
class IoFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit IoFailure(std::error_code code) : std::runtime_error(code.message()), code_(code) {}

    std::error_code code() const { return code_; }

private:
    std::error_code code_;
};

// The new content of a file, taken in pieces and put in place at once by
// Commit. Until then the file keeps its previous content; a replacement
// dropped without Commit (a failure, an abandoned save) leaves no trace.
class FileReplacement {
public:
    virtual ~FileReplacement() = default;

    // Throws IoFailure.
    virtual void Write(std::string_view bytes) = 0;

    // Makes the written bytes the file's content and waits until they are on
    // disk. Throws IoFailure, leaving the previous content.
    virtual void Commit() = 0;
};

// What replacing a file does when the name leads to something that is not a
// regular file (a device, a pipe, a terminal).
enum class SpecialTarget : unsigned char {
    Refuse,        // IoFailure "Not a regular file"
    WriteInPlace,  // the user named it on purpose: opened and written as it is
};

// The few file operations the report needs. Paths are in the file system's
// encoding (UTF-8 on Linux).
//
// The const operations, which only look and read, may be called from several
// threads at once: a run reads description files ahead on a pool of threads.
// The others are called from one thread at a time.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // A directory or a missing path is not a regular file.
    virtual bool IsRegularFile(const std::string& path) const = 0;

    // The whole content as bytes. Throws IoFailure.
    virtual std::string ReadWholeFile(const std::string& path) const = 0;

    // The same, for a file that may take a while: after each piece read,
    // `goOn` says whether to read on; nullopt once it says not. The bytes may
    // go into `buffer`'s memory, the last file's text, so that one file after
    // another reuses memory already at hand. By default in one piece.
    virtual std::optional<std::string> ReadWholeFileWhile(const std::string& path,
                                                          const std::function<bool()>& /*goOn*/,
                                                          std::string /*buffer*/) const {
        return ReadWholeFile(path);
    }

    // The whole content of the regular file at `path`, or nullopt when there
    // is none (nothing there, or a directory). Throws IoFailure when there is
    // one that cannot be read. The same as IsRegularFile, then ReadWholeFile;
    // a real file system can do it with fewer calls.
    virtual std::optional<std::string> ReadRegularFile(const std::string& path) const {
        if (!IsRegularFile(path)) {
            return std::nullopt;
        }
        return ReadWholeFile(path);
    }

    // Starts replacing the file at `path`, or creating it. A symbolic link is
    // followed and its final target replaced. Throws IoFailure.
    virtual std::unique_ptr<FileReplacement> StartReplacing(const std::string& path,
                                                            SpecialTarget special) = 0;

    // The names in a directory, "." and ".." left out, in no particular
    // order. Throws IoFailure when `path` is no directory that can be read.
    virtual std::vector<std::string> ListDirectory(const std::string& path) const = 0;

    // Whether `path` is a directory in which this process may create files.
    virtual bool IsWritableDirectory(const std::string& path) const = 0;

    // Whether another program holds the file open for writing at this
    // moment, as a playout system holds the log of the day. Only asked of a
    // log whose last line has no end yet.
    virtual bool IsOpenForWriting(const std::string& /*path*/) const { return false; }

    // Makes the directory `path` and any missing folders above it, readable
    // by the user alone; an existing directory is fine. Throws IoFailure.
    virtual void CreateDirectories(const std::string& path) = 0;

    // What identifies the directory at `path` however the path is spelled
    // (through ".", links or doubled separators), for keeping its listing
    // once; by default the path itself. Throws IoFailure as ListDirectory.
    virtual std::string DirectoryIdentity(const std::string& path) const { return path; }

    // Whether paths as a Windows PC writes them (drive letters, shares, "\"
    // between folders, names in any letter case) lead to their files as
    // they are written, as on Windows itself. Audio paths from logs then
    // need no mapping and no search by letter case.
    virtual bool FindsWindowsPaths() const { return false; }
};

}  // namespace veltra
