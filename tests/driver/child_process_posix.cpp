#include "child_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace veltra::testing {

ChildProcess::ChildProcess(const ChildSetup& setup) {
    std::vector<std::string> words{setup.program.string()};
    words.insert(words.end(), setup.arguments.begin(), setup.arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(setup.outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(setup.errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
            ::chdir(setup.workingFolder.c_str()) != 0) {
            ::_exit(127);
        }
        for (const auto& [name, value] : setup.environment) {
            if (::setenv(name.c_str(), value.c_str(), 1) != 0) {
                ::_exit(127);
            }
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    id_ = child;
}

ChildProcess::~ChildProcess() {
    if (!waited_) {
        Kill();
        Wait();
    }
}

void ChildProcess::Kill() {
    ::kill(static_cast<pid_t>(id_), SIGKILL);
}

Ending ChildProcess::Wait() {
    waited_ = true;
    if (id_ <= 0) {
        return {127, 0};
    }
    int status = 0;
    ::waitpid(static_cast<pid_t>(id_), &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            WIFSIGNALED(status) ? WTERMSIG(status) : 0};
}

}  // namespace veltra::testing
