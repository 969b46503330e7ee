#include "log_names.h"

#include <QDir>
#include <QFileInfo>

namespace veltra {
namespace {

bool HasLogSuffix(const QFileInfo& file) {
    return file.suffix().compare(QLatin1String("hst"), Qt::CaseInsensitive) == 0;
}

bool IsSameFile(const QFileInfo& file, const QFileInfo& other) {
    const QString canonical = file.canonicalFilePath();
    return !canonical.isEmpty() && canonical == other.canonicalFilePath();
}

QString Shown(const QFileInfo& file) {
    return QDir::toNativeSeparators(file.absoluteFilePath());
}

}  // namespace

NamedLogs LogsNamedBy(const QStringList& names, const QString& csvPath) {
    const QFileInfo csv(csvPath);
    NamedLogs named;
    const auto refuse = [&named](const QString& refusal) {
        named.logs.clear();
        named.refusal = refusal;
        return named;
    };
    for (const QString& name : names) {
        const QFileInfo file(name);
        if (file.isDir()) {
            // QDir::Files without QDir::System lists regular files (and links
            // to them) only: a pipe named like a log is left out.
            const QFileInfoList entries =
                QDir(file.absoluteFilePath())
                    .entryInfoList({QStringLiteral("*")}, QDir::Files | QDir::Hidden, QDir::Name);
            const auto before = named.logs.size();
            for (const QFileInfo& entry : entries) {
                if (HasLogSuffix(entry) && !IsSameFile(entry, csv)) {
                    named.logs << entry.absoluteFilePath();
                }
            }
            if (named.logs.size() == before) {
                return refuse(
                    QStringLiteral("W folderze „%1” nie ma logów historii emisji (plików .hst).")
                        .arg(Shown(file)));
            }
        } else if (!file.exists()) {
            return refuse(QStringLiteral("Nie ma pliku „%1”.").arg(Shown(file)));
        } else if (IsSameFile(file, csv)) {
            return refuse(QStringLiteral("„%1” to lista pozycji bez narodowości, którą zapisuje "
                                         "sam program, a nie log historii emisji.")
                              .arg(Shown(file)));
        } else if (!file.isFile()) {
            return refuse(QStringLiteral("„%1” nie jest zwykłym plikiem (to potok albo "
                                         "urządzenie), więc nie może być logiem historii emisji.")
                              .arg(Shown(file)));
        } else if (!HasLogSuffix(file)) {
            return refuse(QStringLiteral("„%1” nie jest logiem historii emisji (pliku .hst).")
                              .arg(Shown(file)));
        } else {
            named.logs << file.absoluteFilePath();
        }
    }
    return named;
}

}  // namespace veltra
