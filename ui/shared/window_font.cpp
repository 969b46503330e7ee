#include "window_font.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>

namespace veltra {

void RegisterTahoma() {
    // Only the regular face: at 11 pixels Wine's bold Tahoma hints down to
    // one-pixel stems and looks regular, while the bold that Qt derives from
    // the regular face reads as bold.
    const QString regular = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
    if (QFile::exists(regular)) {
        QFontDatabase::addApplicationFont(regular);
    }
}

QFont WindowFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    // Default hinting: full hinting would round every glyph's advance up and
    // make captions wider than the places the layout leaves them.
    font.setPixelSize(11);
    return font;
}

}  // namespace veltra
