#pragma once

#include <QDialog>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "folder_mappings.h"

class QTableWidget;

namespace veltra {

// Asks, during a run, where the files of a drive or share of the logs lie on
// this computer: a folder chooser that explains the question, naming the
// drive or share, one path of the log and the saved folder that is not
// there (`missingFolder`, empty when there is none). It opens in the drive's
// mapped folder where one is saved and still there (one that has gone is why
// the question comes again), else beside `logPath`, the log being read, near
// which the drive's files often lie. nullopt when the user cancels.
std::optional<QString> AskForMappedFolder(QWidget* parent, const QString& root,
                                          const QString& exampleAudioPath,
                                          const QString& missingFolder, const QString& logPath);

// AskForMappedFolder during a run, with the answer kept in the user's
// settings for the runs to come (a failure to keep it is told; this run uses
// it all the same). The folder as the engine spells paths; nullopt when the
// user cancels.
std::optional<std::string> ChooseFolderForRun(QWidget* parent, std::string_view root,
                                              std::string_view exampleAudioPath,
                                              std::string_view missingFolder,
                                              const QString& logPath);

// The user's folder mappings for a run; a settings file that cannot be read
// is told over `parent`.
FolderMappings MappingsForRun(QWidget* parent);

// Says that the settings file could not be read or saved (the text of
// UserSettings::Failure), once in the program's life for each such text: it
// comes back with every run while the file stays as it is.
void ShowSettingsFailure(QWidget* parent, const QString& failure);

// The user's folder mappings to review, change and remove; OK saves them to
// the settings file.
class FolderMappingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit FolderMappingsDialog(QWidget* parent = nullptr);

    void accept() override;

private:
    void Add();
    void ChangeFolder();
    void RemoveSelected();
    void SetRow(int row, const FolderMapping& mapping);
    std::vector<FolderMapping> Mappings() const;

    QTableWidget* table_;
    // As read when the dialog opened; what the user removed of them is
    // removed from the file, whatever else another program saved meanwhile.
    std::vector<FolderMapping> loaded_;
};

}  // namespace veltra
