#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// Acts on the next modal window as soon as it appears, the way a user would
// answer it, so a test can drive code that shows a dialog and waits. The
// watch ends when the returned timer is destroyed.
[[nodiscard]] inline std::unique_ptr<QTimer> WhenModalAppears(std::function<void(QWidget*)> act) {
    auto poll = std::make_unique<QTimer>();
    poll->setInterval(1);
    QObject::connect(poll.get(), &QTimer::timeout, [timer = poll.get(), act = std::move(act)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            act(modal);
        }
    });
    poll->start();
    return poll;
}

// Dismisses the report's closing notice and remembers what it said.
[[nodiscard]] inline std::unique_ptr<QTimer> ExpectNotice(QString* seen) {
    return WhenModalAppears([seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box || box->icon() != QMessageBox::Information) {
            *seen = QStringLiteral("not the notice: ") + modal->windowTitle();
            modal->close();
            return;
        }
        *seen = box->windowTitle() + QLatin1Char('|') + box->text();
        box->accept();
    });
}

// Accepts every message box as soon as it is shown, the report's and the
// window's alike, and keeps "title|text" of each in `seen`, until the
// returned timer is destroyed.
[[nodiscard]] inline std::unique_ptr<QTimer> AcceptEveryBox(QStringList* seen) {
    auto poll = std::make_unique<QTimer>();
    QObject::connect(poll.get(), &QTimer::timeout, [seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *seen << box->windowTitle() + QLatin1Char('|') + box->text();
            box->accept();
        }
    });
    poll->start(1);
    return poll;
}
