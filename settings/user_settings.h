#pragma once

#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "folder_mappings.h"
#include "quarter.h"

class QSettings;

namespace veltra {

// The user's settings: one INI file that the window and the driver share,
// "$XDG_CONFIG_HOME/Veltra/Veltra.ini" (~/.config/Veltra/Veltra.ini). Each
// object reads the file as it is when asked and writes at once.
//
// Only a regular file is ever opened, so a pipe or device in its place
// cannot hold the program. A file that is there but cannot be read is never
// taken for an empty one: loads say so through Failure(), and saves refuse
// rather than write over settings they could not see. Every change is a
// load, change and save under a lock file beside it, so that two programs
// saving at once both keep their changes.
class UserSettings {
public:
    UserSettings();
    ~UserSettings();

    // The folder mappings in the order they were made; entries whose prefix
    // is no drive or share (a hand-edited file) are left out. None when the
    // file cannot be read.
    std::vector<FolderMapping> LoadFolderMappings();

    // Changes the saved mappings as `change` says, applied to the mappings
    // as they are in the file at that moment. False when the file could not
    // be read or written.
    bool ChangeFolderMappings(const std::function<void(FolderMappings&)>& change);
    bool SaveFolderMappings(const std::vector<FolderMapping>& mappings);
    // Adds the mapping, or changes the folder of the same prefix.
    bool SaveFolderMapping(const QString& prefix, const QString& folder);

    // The folder of the logs last chosen in the window's dialog; empty when
    // none was chosen yet.
    QString LastLogFolder();
    bool SaveLastLogFolder(const QString& folder);

    // Why the last load or save failed, naming the file ("" when none did):
    // "Cannot read the settings file "<path>". <cause>" or "Cannot save ...".
    const QString& Failure() const { return failure_; }

    // The size the user last left a file dialog at; invalid when none was
    // saved (or the saved one is no size).
    QSize FileDialogSize();
    bool SaveFileDialogSize(const QSize& size);

    // The quarterly form's header texts and share thresholds: those last
    // saved, the licence's usual thresholds until then.
    FormHeader LoadFormHeader();
    bool SaveFormHeader(const FormHeader& header);
    ShareThresholds LoadShareThresholds();
    bool SaveShareThresholds(const ShareThresholds& thresholds);

    // The folder the last quarterly workbook was saved in; empty at first.
    QString LastFormFolder();
    bool SaveLastFormFolder(const QString& folder);

private:
    // The file opened for reading and writing, or nullptr with Failure()
    // set when it is no regular file or cannot be read.
    std::unique_ptr<QSettings> Open();
    // Under the lock: opens the file afresh, changes and saves it.
    bool Change(const std::function<void(QSettings&)>& change);
    bool Saved(QSettings& settings);

    QString path_;
    QString failure_;
};

}  // namespace veltra
