#include "bit_btn.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "win_text_metrics.h"

namespace veltra {
namespace {

constexpr int kGlyphCaptionGap = 4;

}  // namespace

BitBtn::BitBtn(const QString& caption, const QPixmap& glyph, QWidget* parent)
    : QPushButton(caption, parent), glyph_(glyph) {}

void BitBtn::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    const WinTextMetrics metrics = MeasureWinText(font());
    const int contentHeight = glyph_.height() + kGlyphCaptionGap + metrics.height();
    // A pressed button shows its content one pixel down and to the right.
    const int shift = isDown() ? 1 : 0;
    const int top = (height() - contentHeight) / 2 + shift;
    painter.drawPixmap((width() - glyph_.width()) / 2 + shift, top, glyph_);

    const int captionWidth = QFontMetrics(font()).horizontalAdvance(text());
    const int captionTop = top + glyph_.height() + kGlyphCaptionGap;
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText((width() - captionWidth) / 2 + shift, captionTop + metrics.ascent, text());
}

}  // namespace veltra
