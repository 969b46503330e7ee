#include "program_icon.h"

namespace veltra {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 256}) {
        icon.addFile(QStringLiteral(":/icons/veltra-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace veltra
