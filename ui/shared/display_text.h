#pragma once

#include <QString>
#include <string_view>

namespace veltra {

// Texts from the logs and the CSV file stay code page 1250 bytes in the
// report; they are decoded only where they are shown.
QString FromCp1250(std::string_view bytes);

// The engine's own texts (captions, titles, messages) and paths are UTF-8.
QString FromUtf8(std::string_view text);

}  // namespace veltra
