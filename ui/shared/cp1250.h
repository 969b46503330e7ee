#pragma once

#include <QString>
#include <string_view>

namespace veltra {

// Texts from the logs and the CSV file are code page 1250 bytes; they are
// decoded only where they are shown.
QString FromCp1250(std::string_view bytes);

}  // namespace veltra
