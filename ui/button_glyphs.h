#pragma once

#include <QPixmap>

namespace veltra {

// The picture of "Wybierz pliki do raportu": a yellow folder with a green
// arrow pointing down into it.
QPixmap FolderGlyph();

// The picture of "Legenda": a clipboard with a sheet of paper on it.
QPixmap ClipboardGlyph();

}  // namespace veltra
