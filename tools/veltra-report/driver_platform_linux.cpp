#include "driver_platform.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "file_access.h"
#include "user_settings.h"

namespace veltra {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

StandardStreams::StandardStreams() = default;
StandardStreams::~StandardStreams() = default;

std::vector<std::string> ExpandLogPatterns(const std::vector<std::string>& logs) {
    return logs;
}

bool IsTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) == 1;
}

std::string ExecutablePath() {
    return std::filesystem::read_symlink("/proc/self/exe").string();
}

std::optional<FolderMappings> SavedFolderMappings() {
    UserSettings settings;
    FolderMappings mappings(settings.LoadFolderMappings());
    if (!settings.Failure().isEmpty()) {
        // The path comes from the environment, which must not steer the
        // terminal either.
        std::fprintf(stderr, "veltra-report: %s; its folder mappings are not used.\n",
                     PrintablePath(settings.Failure().toStdString()).c_str());
        return std::nullopt;
    }
    return mappings;
}

FormHeader SavedFormHeader() {
    return UserSettings().LoadFormHeader();
}

ShareThresholds SavedShareThresholds() {
    return UserSettings().LoadShareThresholds();
}

bool SameFile(const std::string& first, const std::string& second) {
    struct stat firstStatus {};
    struct stat secondStatus {};
    return ::stat(first.c_str(), &firstStatus) == 0 && ::stat(second.c_str(), &secondStatus) == 0 &&
           firstStatus.st_dev == secondStatus.st_dev && firstStatus.st_ino == secondStatus.st_ino;
}

}  // namespace veltra
