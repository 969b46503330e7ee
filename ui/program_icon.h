#pragma once

#include <QIcon>

namespace veltra {

// The program's icon at 16, 32, 48 and 256 pixels.
QIcon ProgramIcon();

}  // namespace veltra
