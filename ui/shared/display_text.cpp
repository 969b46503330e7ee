#include "display_text.h"

#include "cp1250.h"

namespace veltra {

QString FromCp1250(std::string_view bytes) {
    const std::string utf8 = Cp1250ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace veltra
