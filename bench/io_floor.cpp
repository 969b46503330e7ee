// veltra-io-floor: the I/O a report run cannot do without, and nothing else.
// Reads each log whole, then, in line order and in one thread, the
// description file of every line the engine's own line classification sends
// to the debut test: open, examine, read, close, with no cache between lines.
// The driver is measured against it. Prints how many description files it
// read and how many were not there.
//
// Usage: veltra-io-floor LOG...

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "audio_path_resolver.h"
#include "cp1250.h"
#include "line_analysis.h"
#include "text_lines.h"

namespace {

// The whole file into `buffer`, sized by fstat as the engine sizes it; false
// when it cannot be opened.
bool ReadWhole(const char* path, std::vector<char>& buffer, std::size_t& size) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat status {};
    size = 0;
    if (::fstat(fd, &status) == 0) {
        buffer.resize(std::max<std::size_t>(buffer.size(), status.st_size));
        const ssize_t got = ::read(fd, buffer.data(), static_cast<std::size_t>(status.st_size));
        size = got > 0 ? static_cast<std::size_t>(got) : 0;
    }
    ::close(fd);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char> log;
    std::vector<char> description;
    std::size_t reads = 0;
    std::size_t missing = 0;
    for (int i = 1; i < argc; ++i) {
        std::size_t size = 0;
        if (!ReadWhole(argv[i], log, size)) {
            std::perror(argv[i]);
            return 1;
        }
        veltra::LineReader lines(std::string_view(log.data(), size));
        while (const std::optional<std::string_view> line = lines.Next()) {
            const veltra::LineItem item = veltra::ClassifyLine(*line);
            if (!item.TakesDebutTest() || item.record->AudioPath().empty()) {
                continue;
            }
            const std::string path =
                veltra::Cp1250ToUtf8(veltra::DescriptionFilePath(item.record->AudioPath()));
            std::size_t read = 0;
            ++(ReadWhole(path.c_str(), description, read) ? reads : missing);
        }
    }
    std::printf("%zu description files read, %zu not there\n", reads, missing);
    return 0;
}
