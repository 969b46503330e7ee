#pragma once

#include <QSettings>
#include <QSize>
#include <vector>

#include "folder_mappings.h"
#include "quarter.h"

namespace veltra {

// The user's settings: one INI file that the window and the driver share,
// "$XDG_CONFIG_HOME/Veltra/Veltra.ini" (~/.config/Veltra/Veltra.ini). Each
// object reads the file as it is when asked and writes at once.
class UserSettings {
public:
    UserSettings();

    // The folder mappings in the order they were made; entries whose prefix
    // is no drive or share (a hand-edited file) are left out.
    std::vector<FolderMapping> LoadFolderMappings();
    void SaveFolderMappings(const std::vector<FolderMapping>& mappings);

    // Adds the mapping, or changes the folder of the same prefix.
    void SaveFolderMapping(const QString& prefix, const QString& folder);

    // The folder of the logs last chosen in the window's dialog; empty when
    // none was chosen yet.
    QString LastLogFolder();
    void SaveLastLogFolder(const QString& folder);

    // The size the user last left a file dialog at; invalid when none was
    // saved (or the saved one is no size).
    QSize FileDialogSize();
    void SaveFileDialogSize(const QSize& size);

    // The quarterly form's header texts and share thresholds: those last
    // saved, the licence's usual thresholds until then.
    FormHeader LoadFormHeader();
    void SaveFormHeader(const FormHeader& header);
    ShareThresholds LoadShareThresholds();
    void SaveShareThresholds(const ShareThresholds& thresholds);

    // The folder the last quarterly workbook was saved in; empty at first.
    QString LastFormFolder();
    void SaveLastFormFolder(const QString& folder);

private:
    QSettings settings_;
};

}  // namespace veltra
