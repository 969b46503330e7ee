#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "file_system.h"

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

}  // namespace veltra
