#include "open_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

#include "file_dialogs.h"
#include "folder_mapping_dialogs.h"
#include "user_settings.h"

namespace veltra {

OpenDialog::OpenDialog(QWidget* parent) : dialog_(new QFileDialog(parent)) {
    dialog_->setObjectName(QStringLiteral("OpenDialog1"));
    dialog_->setWindowTitle(QStringLiteral("Wybierz pliki..."));
    dialog_->setNameFilter(QStringLiteral("Pliki HST (*.hst)"));
    dialog_->setFileMode(QFileDialog::ExistingFiles);
    dialog_->setAcceptMode(QFileDialog::AcceptOpen);
    // Names the user types are confirmed through the dialog's list; one
    // missing from it (a pipe, a link to a device) would be dropped without
    // a word. Listed, it reaches the run, which says why it cannot be read.
    dialog_->setFilter(dialog_->filter() | QDir::System);
    // A folder that has gone since (an unplugged drive) leaves Qt's default.
    const QString lastFolder = UserSettings().LastLogFolder();
    if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir()) {
        dialog_->setDirectory(lastFolder);
    }
}

std::optional<QStringList> OpenDialog::Execute() {
    const int result = ExecFileDialog(*dialog_);
    // A name typed and confirmed with Enter can leave the completion list
    // open; during the run it would swallow the user's next click.
    while (QWidget* popup = QApplication::activePopupWidget()) {
        popup->hide();
    }
    if (result != QDialog::Accepted) {
        return std::nullopt;
    }
    QStringList chosen = dialog_->selectedFiles();
    if (!chosen.isEmpty()) {
        dialog_->selectFile(chosen.first());
        UserSettings settings;
        if (!settings.SaveLastLogFolder(QFileInfo(chosen.first()).absolutePath())) {
            ShowSettingsFailure(dialog_->parentWidget(), settings.Failure());
        }
    }
    return chosen;
}

}  // namespace veltra
