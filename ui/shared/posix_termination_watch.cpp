#include "termination_watch.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include "termination_signals.h"

namespace veltra {

TerminationWatch::TerminationWatch(QWidget& mainWindow) : mainWindow_(mainWindow) {
    if (::pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        // Without the pipe the signals keep their default effect.
        return;
    }
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationWatch::OnSignal);
    CatchTerminationSignals(pipe_[1]);
}

TerminationWatch::~TerminationWatch() {
    if (notifier_ == nullptr) {
        return;
    }
    ReleaseTerminationSignals();
    delete notifier_;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationWatch::OnSignal() {
    char wakeUps[64];
    while (::read(pipe_[0], wakeUps, sizeof wakeUps) > 0) {
    }
    // Dialogs first: each returns to the code that opened it, which then
    // finds the run stopping.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != &mainWindow_ && window->isVisible() && window->isModal()) {
            window->close();
        }
    }
    mainWindow_.close();
}

}  // namespace veltra
