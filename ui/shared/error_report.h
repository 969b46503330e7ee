#pragma once

#include <QApplication>
#include <functional>
#include <string_view>

namespace veltra {

// The program-wide error report: a failure that leaves a handler is shown
// once, in a modal box owned by the active window, titled with the
// application title, and the program carries on.
void ShowErrorReport(std::string_view message);

// Replaces the message box, so that tests can read what the user would see.
// An empty function restores the box.
void SetErrorReportPresenter(std::function<void(const QString& text)> presenter);

// Catches failures at the one place every event passes: exceptions must not
// cross Qt's event loop.
class VeltraApplication : public QApplication {
public:
    VeltraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace veltra
