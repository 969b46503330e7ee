#include "error_report.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

#include "display_text.h"
#include "file_access.h"

namespace veltra {
namespace {

std::function<void(const QString&)>& Presenter() {
    static std::function<void(const QString&)> presenter;
    return presenter;
}

}  // namespace

void ShowErrorReport(std::string_view message) {
    const std::string text = FailureText(message);
    const QString shown = FromUtf8(text);
    if (Presenter()) {
        Presenter()(shown);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), shown, QMessageBox::Ok,
                    QApplication::activeWindow());
    // Paths in messages may hold "<", which must not turn them into markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void SetErrorReportPresenter(std::function<void(const QString& text)> presenter) {
    Presenter() = std::move(presenter);
}

}  // namespace veltra
