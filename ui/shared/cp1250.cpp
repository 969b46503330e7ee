#include "cp1250.h"

#include <QStringDecoder>

namespace veltra {

QString FromCp1250(std::string_view bytes) {
    QStringDecoder decoder("windows-1250");
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace veltra
