#include "window_font.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>

namespace veltra {

void RegisterTahoma() {
    for (const char* path :
         {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
        if (QFile::exists(QString::fromLatin1(path))) {
            QFontDatabase::addApplicationFont(QString::fromLatin1(path));
        }
    }
}

QFont WindowFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    // Windows draws this face without sub-pixel positioning or hinting
    // differences that would move glyphs off the designed pixel grid.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace veltra
