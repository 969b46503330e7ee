#pragma once

#include <QStringList>
#include <optional>

class QFileDialog;
class QWidget;

namespace veltra {

// The log-choice dialog. It lives as long as the main window and remembers
// the first file of the last confirmed choice, which it offers next time.
class OpenDialog {
public:
    explicit OpenDialog(QWidget* parent);

    // Shows the dialog modally; nullopt when the user cancels.
    std::optional<QStringList> Execute();

private:
    QFileDialog* dialog_;
};

}  // namespace veltra
