#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "file_system.h"

// What the platforms' file replacements share: writing in blocks, and the
// names of the files that stage new content.

namespace veltra {

// Gathers small pieces into blocks, so that a file written entry by entry
// costs few system calls. Subclasses write the blocks out and finish.
class BufferedReplacement : public FileReplacement {
public:
    // Pieces are gathered up to this size before they are written.
    static constexpr std::size_t kWriteBlock = 64 * 1024;

    void Write(std::string_view bytes) final {
        if (buffer_.size() + bytes.size() > kWriteBlock) {
            WriteOut(buffer_);
            buffer_.clear();
            if (bytes.size() >= kWriteBlock) {
                WriteOut(bytes);
                return;
            }
        }
        buffer_.append(bytes);
    }

    void Commit() final {
        WriteOut(buffer_);
        buffer_.clear();
        Finish();
    }

protected:
    virtual void WriteOut(std::string_view bytes) = 0;
    virtual void Finish() = 0;

private:
    std::string buffer_;
};

// A file staging new content has a name, if at all, only for a moment:
// ".veltra-<pid>-<n>.tmp", short enough beside any name, and telling whose it
// is. Each call gives the next name of process `pid`.
std::string TemporaryName(unsigned long pid);

// The process whose temporary file `name` is; nullopt for any other name.
std::optional<unsigned long> TemporaryOwner(std::string_view name);

}  // namespace veltra
