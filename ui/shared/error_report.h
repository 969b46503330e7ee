#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <string_view>

namespace veltra {

// The program-wide error report: a failure that leaves a handler is shown
// once, in a modal box owned by the active window, titled with the
// application title, and the program carries on.
void ShowErrorReport(std::string_view message);

// Runs an event handler of a window; a failure that leaves it is reported
// here and the window carries on.
template <typename Handler>
void RunHandler(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& failure) {
        ShowErrorReport(failure.what());
    }
}

// Replaces the message box, so that tests can read what the user would see.
// An empty function restores the box.
void SetErrorReportPresenter(std::function<void(const QString& text)> presenter);

}  // namespace veltra
