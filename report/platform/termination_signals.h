#pragma once

namespace veltra {

// SIGTERM, SIGINT and SIGHUP ask the program to end; on Windows the
// console's events do (Ctrl+C, Ctrl+Break, the console closed, logging off).
// Caught, they let it end as a closed window does: the run stops after its
// current line, saves nothing, and no temporary file is left behind.

// Catches the three signals from now on, without restarting interrupted
// calls, so that a wait (for a pipe's reader, say) ends too. When `wakeFd`
// is not -1, a byte is written to it on each signal, to wake an event loop.
void CatchTerminationSignals(int wakeFd = -1);

// Gives the three signals their default effect again.
void ReleaseTerminationSignals();

// The signal caught, or 0 when none has been.
int CaughtTerminationSignal();

// Ends the process by the signal caught, as it would have ended had the
// signal not been caught, so that whoever started it sees why. Returns at
// once when none was caught.
void EndByCaughtSignal();

}  // namespace veltra
