#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace veltra {

// Texts from the logs and the CSV file stay code page 1250 bytes in the
// report; they are decoded only where they are shown.
QString FromCp1250(std::string_view bytes);

// The engine's own texts (captions, titles, messages) and paths are UTF-8.
QString FromUtf8(std::string_view text);

// A path from Qt (a dialog, the command line) as the engine takes it: UTF-8
// with the platform's own separators, Qt's "/" being "\" on Windows.
std::string EnginePath(const QString& path);

}  // namespace veltra
