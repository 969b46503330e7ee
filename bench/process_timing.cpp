#include "process_timing.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace veltra::bench {

namespace {

// Starts `command` in `folder` with its standard output on `output` and its
// errors discarded.
pid_t Start(const std::vector<std::string>& command, const std::filesystem::path& folder,
            int output) {
    std::vector<std::string> words = command;
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (null < 0 || ::dup2(output < 0 ? null : output, 1) < 0 || ::dup2(null, 2) < 0 ||
            ::chdir(folder.c_str()) != 0) {
            ::_exit(127);
        }
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    return child;
}

}  // namespace

ProcessRun TimeProcess(const std::vector<std::string>& command,
                       const std::filesystem::path& folder) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = Start(command, folder, -1);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    const auto cpu = [](const timeval& time) { return time.tv_sec + time.tv_usec / 1e6; };
    return {elapsed.count(), cpu(usage.ru_utime) + cpu(usage.ru_stime), usage.ru_maxrss,
            WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

std::string OutputOf(const std::vector<std::string>& command, const std::filesystem::path& folder) {
    int ends[2];
    if (::pipe(ends) != 0) {
        return {};
    }
    const pid_t child = Start(command, folder, ends[1]);
    ::close(ends[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t got; (got = ::read(ends[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? output : std::string();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace veltra::bench
