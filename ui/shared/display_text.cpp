#include "display_text.h"

#include <QDir>

#include "cp1250.h"

namespace veltra {

QString FromCp1250(std::string_view bytes) {
    return FromUtf8(Cp1250ToUtf8(bytes));
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string EnginePath(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

}  // namespace veltra
