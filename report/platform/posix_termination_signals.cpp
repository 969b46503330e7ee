#include "termination_signals.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace veltra {

namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

volatile sig_atomic_t caughtSignal = 0;
volatile sig_atomic_t wakeDescriptor = -1;

extern "C" void OnTerminationSignal(int signal) {
    const int savedErrno = errno;
    caughtSignal = signal;
    if (wakeDescriptor >= 0) {
        // A full pipe already holds a wake-up; nothing more is needed.
        [[maybe_unused]] const ssize_t written = ::write(wakeDescriptor, "", 1);
    }
    errno = savedErrno;
}

void SetHandler(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    for (const int signal : kSignals) {
        sigaddset(&action.sa_mask, signal);
    }
    for (const int signal : kSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace

void CatchTerminationSignals(int wakeFd) {
    wakeDescriptor = wakeFd;
    SetHandler(OnTerminationSignal);
}

void ReleaseTerminationSignals() {
    SetHandler(SIG_DFL);
    wakeDescriptor = -1;
}

int CaughtTerminationSignal() {
    return caughtSignal;
}

void EndByCaughtSignal() {
    const int signal = caughtSignal;
    if (signal == 0) {
        return;
    }
    ReleaseTerminationSignals();
    sigset_t unblocked;
    sigemptyset(&unblocked);
    sigaddset(&unblocked, signal);
    ::sigprocmask(SIG_UNBLOCK, &unblocked, nullptr);
    ::raise(signal);
}

}  // namespace veltra
