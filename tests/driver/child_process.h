#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace veltra::testing {

// How a program ended: its exit code, or the signal that ended it (POSIX).
struct Ending {
    int exitCode = -1;
    int signal = 0;
};

// What a started program needs: its arguments (UTF-8), its working folder,
// the files its standard output and error go to (so that neither can fill
// a pipe), and variables set in its environment.
struct ChildSetup {
    std::filesystem::path program;
    std::vector<std::string> arguments;
    std::filesystem::path workingFolder;
    std::filesystem::path outPath;
    std::filesystem::path errPath;
    std::vector<std::pair<std::string, std::string>> environment;
};

// A program started by a test: fork and exec on POSIX, CreateProcessW with
// a wide command line on Windows.
class ChildProcess {
public:
    explicit ChildProcess(const ChildSetup& setup);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // The process's id, for signals.
    long Id() const { return id_; }

    // Ends it at once, as a crash or a power cut would (SIGKILL,
    // TerminateProcess).
    void Kill();

    Ending Wait();

private:
    long id_ = -1;
    void* handle_ = nullptr;  // Windows
    bool waited_ = false;
};

}  // namespace veltra::testing
