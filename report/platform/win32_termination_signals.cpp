#include <io.h>
#include <windows.h>

#include <csignal>

#include "termination_signals.h"

// Windows asks a console program to end through its console: Ctrl+C and
// Ctrl+Break, the console window closed, the user logging off or the system
// shutting down. Each is taken as the signal it stands for (SIGINT,
// SIGBREAK, SIGTERM) and has the effect the signals have on Linux.

namespace veltra {

namespace {

volatile LONG caughtSignal = 0;
volatile LONG wakeDescriptor = -1;

int SignalOf(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
            return SIGINT;
        case CTRL_BREAK_EVENT:
            return SIGBREAK;
        default:
            return SIGTERM;
    }
}

BOOL WINAPI OnConsoleEvent(DWORD event) {
    // Runs on a thread of its own that the system starts for the event.
    ::InterlockedCompareExchange(&caughtSignal, SignalOf(event), 0);
    if (const int wake = wakeDescriptor; wake >= 0) {
        ::_write(wake, "", 1);
    }
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        // For these the system ends the process as soon as this returns,
        // or after a few seconds: waiting lets the run stop after its line
        // and the program end itself.
        ::Sleep(INFINITE);
    }
    return TRUE;
}

}  // namespace

void CatchTerminationSignals(int wakeFd) {
    wakeDescriptor = wakeFd;
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void ReleaseTerminationSignals() {
    ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    wakeDescriptor = -1;
}

int CaughtTerminationSignal() {
    return static_cast<int>(caughtSignal);
}

void EndByCaughtSignal() {
    const int signal = CaughtTerminationSignal();
    if (signal == 0) {
        return;
    }
    // The exit status Windows gives a program that Ctrl+C ended.
    ::ExitProcess(STATUS_CONTROL_C_EXIT);
}

}  // namespace veltra
