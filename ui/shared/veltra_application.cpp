#include "veltra_application.h"

#include <exception>

#include "error_report.h"

namespace veltra {

namespace {

// A report run hands the event loop its pending messages after every log
// line. Qt's own dispatcher looks for them with one poll; the GLib one spends
// several system calls on it, which made a run in the window half as fast
// again. Read when the application is constructed, so set before that.
int& PreferQtEventDispatcher(int& argc) {
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qputenv("QT_NO_GLIB", "1");
    }
    return argc;
}

}  // namespace

VeltraApplication::VeltraApplication(int& argc, char** argv)
    : QApplication(PreferQtEventDispatcher(argc), argv) {}

bool VeltraApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        ShowErrorReport(failure.what());
    }
    return false;
}

}  // namespace veltra
