#include "user_settings.h"

namespace veltra {

namespace {

// An array rather than one key per prefix: QSettings reads "\" and "/" in
// keys as group separators, and prefixes are full of them.
const QString kMappings = QStringLiteral("FolderMappings");
const QString kPrefix = QStringLiteral("prefix");
const QString kFolder = QStringLiteral("folder");
const QString kLastLogFolder = QStringLiteral("OpenDialog1/LastFolder");
const QString kFileDialogSize = QStringLiteral("FileDialog/Size");
const QString kProgram = QStringLiteral("QuarterlyForm/Program");
const QString kLicence = QStringLiteral("QuarterlyForm/Licence");
const QString kPerson = QStringLiteral("QuarterlyForm/Person");
const QString kPolishThreshold = QStringLiteral("QuarterlyForm/PolishThreshold");
const QString kDayPolishThreshold = QStringLiteral("QuarterlyForm/DayPolishThreshold");
const QString kLastFormFolder = QStringLiteral("QuarterlyForm/LastFolder");

// A threshold as saved, or `fallback` when it is missing or no percentage
// (a hand-edited file).
double Threshold(const QVariant& value, double fallback) {
    bool ok = false;
    const double percent = value.toDouble(&ok);
    return ok && percent >= 0 && percent <= 100 ? percent : fallback;
}

}  // namespace

UserSettings::UserSettings()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Veltra"),
                QStringLiteral("Veltra")) {}

std::vector<FolderMapping> UserSettings::LoadFolderMappings() {
    std::vector<FolderMapping> mappings;
    const int size = settings_.beginReadArray(kMappings);
    for (int i = 0; i < size; ++i) {
        settings_.setArrayIndex(i);
        FolderMapping mapping{settings_.value(kPrefix).toString().toStdString(),
                              settings_.value(kFolder).toString().toStdString()};
        if (FolderMappings::IsPrefix(mapping.prefix) && !mapping.folder.empty()) {
            mappings.push_back(std::move(mapping));
        }
    }
    settings_.endArray();
    return mappings;
}

void UserSettings::SaveFolderMappings(const std::vector<FolderMapping>& mappings) {
    settings_.remove(kMappings);
    settings_.beginWriteArray(kMappings, static_cast<int>(mappings.size()));
    for (int i = 0; i < static_cast<int>(mappings.size()); ++i) {
        settings_.setArrayIndex(i);
        const FolderMapping& mapping = mappings[static_cast<std::size_t>(i)];
        settings_.setValue(kPrefix, QString::fromStdString(mapping.prefix));
        settings_.setValue(kFolder, QString::fromStdString(mapping.folder));
    }
    settings_.endArray();
    settings_.sync();
}

void UserSettings::SaveFolderMapping(const QString& prefix, const QString& folder) {
    FolderMappings mappings(LoadFolderMappings());
    mappings.Set(prefix.toStdString(), folder.toStdString());
    SaveFolderMappings(mappings.Entries());
}

QString UserSettings::LastLogFolder() {
    return settings_.value(kLastLogFolder).toString();
}

void UserSettings::SaveLastLogFolder(const QString& folder) {
    settings_.setValue(kLastLogFolder, folder);
    settings_.sync();
}

QSize UserSettings::FileDialogSize() {
    const QSize size = settings_.value(kFileDialogSize).toSize();
    return size.width() > 0 && size.height() > 0 ? size : QSize();
}

void UserSettings::SaveFileDialogSize(const QSize& size) {
    settings_.setValue(kFileDialogSize, size);
    settings_.sync();
}

FormHeader UserSettings::LoadFormHeader() {
    return {settings_.value(kProgram).toString().toStdString(),
            settings_.value(kLicence).toString().toStdString(),
            settings_.value(kPerson).toString().toStdString()};
}

void UserSettings::SaveFormHeader(const FormHeader& header) {
    settings_.setValue(kProgram, QString::fromStdString(header.program));
    settings_.setValue(kLicence, QString::fromStdString(header.licence));
    settings_.setValue(kPerson, QString::fromStdString(header.person));
    settings_.sync();
}

ShareThresholds UserSettings::LoadShareThresholds() {
    const ShareThresholds defaults;
    return {Threshold(settings_.value(kPolishThreshold), defaults.polish),
            Threshold(settings_.value(kDayPolishThreshold), defaults.dayPolish)};
}

void UserSettings::SaveShareThresholds(const ShareThresholds& thresholds) {
    settings_.setValue(kPolishThreshold, thresholds.polish);
    settings_.setValue(kDayPolishThreshold, thresholds.dayPolish);
    settings_.sync();
}

QString UserSettings::LastFormFolder() {
    return settings_.value(kLastFormFolder).toString();
}

void UserSettings::SaveLastFormFolder(const QString& folder) {
    settings_.setValue(kLastFormFolder, folder);
    settings_.sync();
}

}  // namespace veltra
