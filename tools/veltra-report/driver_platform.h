#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "folder_mappings.h"
#include "quarter.h"

// What the driver does differently on Linux and on Windows.

namespace veltra {

#ifdef _WIN32
// Windows finds the paths that logs name by itself: nothing to map.
inline constexpr bool kTakesFolderMappings = false;
#else
inline constexpr bool kTakesFolderMappings = true;
#endif

// Whether this build writes the quarterly form's workbook (--form).
#ifdef VELTRA_WRITES_WORKBOOKS
inline constexpr bool kWritesWorkbooks = true;
#else
inline constexpr bool kWritesWorkbooks = false;
#endif

// The arguments after the program's name, in UTF-8.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// While it lives, standard output and error write their bytes as they are,
// with no line ends changed, so that the figures, a CSV written there and
// the messages are the same everywhere, and a console shows them as UTF-8.
// The console is left as it was found, whichever way the program ends but
// killed.
class StandardStreams {
public:
    StandardStreams();
    StandardStreams(const StandardStreams&) = delete;
    StandardStreams& operator=(const StandardStreams&) = delete;
    ~StandardStreams();

private:
    unsigned outputCodePage_ = 0;
    unsigned long errorMode_ = 0;
    bool errorModeChanged_ = false;
};

// The logs named on the command line, with the wildcards * and ? in their
// names expanded in name order where the shell leaves that to the program
// (Windows). Throws UsageError naming a pattern that matches no file.
std::vector<std::string> ExpandLogPatterns(const std::vector<std::string>& logs);

// Whether the stream is a terminal that takes the sequences the progress
// line redraws itself with.
bool IsTerminal(std::FILE* stream);

// The full path of the running executable, in UTF-8.
std::string ExecutablePath();

// The mappings the window saved in the user's settings (Linux); nullopt when
// the settings file cannot be read, which is said on standard error.
std::optional<FolderMappings> SavedFolderMappings();

// The quarterly form's header and thresholds as the window saved them; on
// Windows, where the driver reads no settings, none and the defaults.
FormHeader SavedFormHeader();
ShareThresholds SavedShareThresholds();

// Whether the two paths lead to the same file; false when either leads
// nowhere.
bool SameFile(const std::string& first, const std::string& second);

}  // namespace veltra
