#pragma once

class QFont;

namespace veltra {

// Text height and ascent as Windows measures them for a font: the rounded
// win ascent and win descent of the font's OS/2 table. Qt's own metrics use
// the typographic values, which make Tahoma at 11 pixels 2 pixels shorter
// than the 13 pixels every layout of this program was designed around.
struct WinTextMetrics {
    int ascent = 0;
    int descent = 0;
    int height() const { return ascent + descent; }
};

// Falls back to QFontMetrics when the font has no OS/2 table.
WinTextMetrics MeasureWinText(const QFont& font);

}  // namespace veltra
