#include "window_font.h"

#include <QColor>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QPalette>

namespace veltra {

bool RegisterTahoma() {
    // Windows has Tahoma of its own. (Not hasFamily: on Linux that takes
    // the family fontconfig substitutes for a missing one.)
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
        return true;
    }
    // Only the regular face: at 11 pixels Wine's bold Tahoma hints down to
    // one-pixel stems and looks regular, while the bold that Qt derives from
    // the regular face reads as bold.
    const QString regular = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
    return QFile::exists(regular) && QFontDatabase::addApplicationFont(regular) >= 0;
}

QFont WindowFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    // Default hinting: full hinting would round every glyph's advance up and
    // make captions wider than the places the layout leaves them.
    font.setPixelSize(11);
    return font;
}

QPalette WindowPalette() {
    const QColor face(0xF0, 0xF0, 0xF0);        // button face
    const QColor shadow(0xA0, 0xA0, 0xA0);      // button shadow, also grey text
    const QColor darkShadow(0x69, 0x69, 0x69);  // 3-D dark shadow
    QPalette palette(Qt::black, face, Qt::white, shadow, face.darker(130), Qt::black, Qt::white,
                     Qt::white, face);
    palette.setColor(QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3));
    palette.setColor(QPalette::Shadow, darkShadow);
    palette.setColor(QPalette::Highlight, QColor(0x00, 0x78, 0xD7));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::PlaceholderText, shadow);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, shadow);
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, shadow);
    return palette;
}

}  // namespace veltra
