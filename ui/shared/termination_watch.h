#pragma once

#include <QObject>
#include <array>

class QSocketNotifier;
class QWidget;

namespace veltra {

// Ends the windows cleanly when SIGTERM, SIGINT or SIGHUP arrives: every
// open dialog is closed and the main window asked to close, which a run in
// progress turns into a stop after its current line, with nothing saved.
// The signal reaches the event loop through a pipe, the only thing a signal
// handler may safely touch. Windows asks by closing the window itself, so
// there the watch has nothing to do.
class TerminationWatch : public QObject {
public:
    explicit TerminationWatch(QWidget& mainWindow);
    ~TerminationWatch() override;

    TerminationWatch(const TerminationWatch&) = delete;
    TerminationWatch& operator=(const TerminationWatch&) = delete;

private:
    void OnSignal();

    QWidget& mainWindow_;
    std::array<int, 2> pipe_{-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace veltra
