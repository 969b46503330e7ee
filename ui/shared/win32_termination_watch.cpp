#include "termination_watch.h"

// Windows asks a program with windows to end through its windows: the task
// manager's "End task" and taskkill send the main window WM_CLOSE, which
// reaches its close handler like a click on its close box (a run in progress
// stops after its line and saves nothing). The console's events, the
// counterpart of the signals, never reach a program without a console, so
// there is nothing to watch.

namespace veltra {

TerminationWatch::TerminationWatch(QWidget& mainWindow) : mainWindow_(mainWindow) {}

TerminationWatch::~TerminationWatch() = default;

}  // namespace veltra
