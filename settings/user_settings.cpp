#include "user_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

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

// Long enough for the other program's save, short enough that a lock left
// by a program that hangs does not hold this one for long.
constexpr int kLockWaitMs = 5000;

QString SettingsPath() {
#ifdef _WIN32
    // Qt's own place; Windows has no pipes or devices among files to fear.
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Veltra"),
                     QStringLiteral("Veltra"))
        .fileName();
#else
    // Where Qt keeps it, worked out without opening anything there.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Veltra/Veltra.ini");
#endif
}

std::vector<FolderMapping> ReadMappings(QSettings& settings) {
    std::vector<FolderMapping> mappings;
    const int size = settings.beginReadArray(kMappings);
    for (int i = 0; i < size; ++i) {
        settings.setArrayIndex(i);
        FolderMapping mapping{settings.value(kPrefix).toString().toStdString(),
                              settings.value(kFolder).toString().toStdString()};
        if (FolderMappings::IsPrefix(mapping.prefix) && !mapping.folder.empty()) {
            mappings.push_back(std::move(mapping));
        }
    }
    settings.endArray();
    return mappings;
}

void WriteMappings(QSettings& settings, const std::vector<FolderMapping>& mappings) {
    settings.remove(kMappings);
    settings.beginWriteArray(kMappings, static_cast<int>(mappings.size()));
    for (int i = 0; i < static_cast<int>(mappings.size()); ++i) {
        settings.setArrayIndex(i);
        const FolderMapping& mapping = mappings[static_cast<std::size_t>(i)];
        settings.setValue(kPrefix, QString::fromStdString(mapping.prefix));
        settings.setValue(kFolder, QString::fromStdString(mapping.folder));
    }
    settings.endArray();
}

}  // namespace

UserSettings::UserSettings() : path_(SettingsPath()) {}

UserSettings::~UserSettings() = default;

std::unique_ptr<QSettings> UserSettings::Open() {
    const auto fail = [&](const QString& cause) {
        failure_ = QStringLiteral("Cannot read the settings file \"%1\". %2")
                       .arg(QDir::toNativeSeparators(path_), cause);
        return nullptr;
    };
    // Looked at without opening it: opening a pipe waits for a writer.
    std::error_code error;
    const std::filesystem::file_status status =
        std::filesystem::status(std::filesystem::path(path_.toStdU16String()), error);
    if (status.type() == std::filesystem::file_type::not_found) {
        // Made by the first save.
    } else if (error) {
        return fail(QString::fromStdString(error.message()));
    } else {
        if (!std::filesystem::is_regular_file(status)) {
            return fail(QStringLiteral("Not a regular file"));
        }
        QFile file(path_);
        if (!file.open(QIODevice::ReadOnly)) {
            return fail(file.errorString());
        }
    }
    auto settings = std::make_unique<QSettings>(path_, QSettings::IniFormat);
    if (settings->status() != QSettings::NoError) {
        return fail(QStringLiteral("It cannot be read"));
    }
    return settings;
}

bool UserSettings::Saved(QSettings& settings) {
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        failure_ = QStringLiteral("Cannot save the settings file \"%1\". It cannot be written")
                       .arg(QDir::toNativeSeparators(path_));
        return false;
    }
    return true;
}

std::vector<FolderMapping> UserSettings::LoadFolderMappings() {
    const std::unique_ptr<QSettings> settings = Open();
    return settings ? ReadMappings(*settings) : std::vector<FolderMapping>();
}

bool UserSettings::Change(const std::function<void(QSettings&)>& change) {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    // Not Qt's own "Veltra.ini.lock", which QSettings takes while it saves.
    const QString lockPath = path_ + QStringLiteral(".change.lock");
    QLockFile lock(lockPath);
    if (!lock.tryLock(kLockWaitMs)) {
        failure_ = QStringLiteral(
                       "Cannot save the settings file \"%1\". Another program holds "
                       "its lock \"%2\"")
                       .arg(QDir::toNativeSeparators(path_), QDir::toNativeSeparators(lockPath));
        return false;
    }
    // Read afresh under the lock: what another program saved meanwhile stays.
    const std::unique_ptr<QSettings> settings = Open();
    if (!settings) {
        return false;
    }
    change(*settings);
    return Saved(*settings);
}

bool UserSettings::ChangeFolderMappings(const std::function<void(FolderMappings&)>& change) {
    return Change([&change](QSettings& settings) {
        FolderMappings mappings(ReadMappings(settings));
        change(mappings);
        WriteMappings(settings, mappings.Entries());
    });
}

bool UserSettings::SaveFolderMappings(const std::vector<FolderMapping>& mappings) {
    return ChangeFolderMappings(
        [&mappings](FolderMappings& saved) { saved = FolderMappings(mappings); });
}

bool UserSettings::SaveFolderMapping(const QString& prefix, const QString& folder) {
    return ChangeFolderMappings(
        [&](FolderMappings& saved) { saved.Set(prefix.toStdString(), folder.toStdString()); });
}

QString UserSettings::LastLogFolder() {
    const std::unique_ptr<QSettings> settings = Open();
    return settings ? settings->value(kLastLogFolder).toString() : QString();
}

bool UserSettings::SaveLastLogFolder(const QString& folder) {
    return Change([&folder](QSettings& settings) { settings.setValue(kLastLogFolder, folder); });
}

QSize UserSettings::FileDialogSize() {
    const std::unique_ptr<QSettings> settings = Open();
    const QSize size = settings ? settings->value(kFileDialogSize).toSize() : QSize();
    return size.width() > 0 && size.height() > 0 ? size : QSize();
}

bool UserSettings::SaveFileDialogSize(const QSize& size) {
    return Change([&size](QSettings& settings) { settings.setValue(kFileDialogSize, size); });
}

FormHeader UserSettings::LoadFormHeader() {
    const std::unique_ptr<QSettings> settings = Open();
    if (!settings) {
        return {};
    }
    return {settings->value(kProgram).toString().toStdString(),
            settings->value(kLicence).toString().toStdString(),
            settings->value(kPerson).toString().toStdString()};
}

bool UserSettings::SaveFormHeader(const FormHeader& header) {
    return Change([&header](QSettings& settings) {
        settings.setValue(kProgram, QString::fromStdString(header.program));
        settings.setValue(kLicence, QString::fromStdString(header.licence));
        settings.setValue(kPerson, QString::fromStdString(header.person));
    });
}

ShareThresholds UserSettings::LoadShareThresholds() {
    const ShareThresholds defaults;
    const std::unique_ptr<QSettings> settings = Open();
    if (!settings) {
        return defaults;
    }
    return {Threshold(settings->value(kPolishThreshold), defaults.polish),
            Threshold(settings->value(kDayPolishThreshold), defaults.dayPolish)};
}

bool UserSettings::SaveShareThresholds(const ShareThresholds& thresholds) {
    return Change([&thresholds](QSettings& settings) {
        settings.setValue(kPolishThreshold, thresholds.polish);
        settings.setValue(kDayPolishThreshold, thresholds.dayPolish);
    });
}

QString UserSettings::LastFormFolder() {
    const std::unique_ptr<QSettings> settings = Open();
    return settings ? settings->value(kLastFormFolder).toString() : QString();
}

bool UserSettings::SaveLastFormFolder(const QString& folder) {
    return Change([&folder](QSettings& settings) { settings.setValue(kLastFormFolder, folder); });
}

}  // namespace veltra
