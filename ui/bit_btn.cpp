#include "bit_btn.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "win_text_metrics.h"

namespace veltra {
namespace {

constexpr int kGlyphCaptionGap = 4;

}  // namespace

BitBtn::BitBtn(const QString& caption, const QPixmap& glyph, QWidget* parent)
    : QPushButton(caption, parent), glyph_(glyph) {}

const QPixmap& BitBtn::GlyphAt(qreal ratio) {
    if (ratio == glyph_.devicePixelRatio()) {
        return glyph_;
    }
    if (scaledGlyph_.devicePixelRatio() != ratio) {
        // Pixel art keeps its hard edges: every picture pixel becomes a block
        // of screen pixels, never a blend of its neighbours.
        scaledGlyph_ =
            glyph_.scaled(qRound(glyph_.width() * ratio), qRound(glyph_.height() * ratio),
                          Qt::IgnoreAspectRatio, Qt::FastTransformation);
        scaledGlyph_.setDevicePixelRatio(ratio);
    }
    return scaledGlyph_;
}

void BitBtn::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The focused button shows its ring from the start, as on the system the
    // window was designed for, not only once the keyboard has moved the focus.
    if (hasFocus()) {
        option.state |= QStyle::State_KeyboardFocusChange;
    }
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    const WinTextMetrics metrics = MeasureWinText(font());
    const int contentHeight = glyph_.height() + kGlyphCaptionGap + metrics.height();
    // A pressed button shows its content one pixel down and to the right.
    const int shift = isDown() ? 1 : 0;
    const int top = (height() - contentHeight) / 2 + shift;
    painter.drawPixmap((width() - glyph_.width()) / 2 + shift, top, GlyphAt(devicePixelRatioF()));

    const int captionWidth = QFontMetrics(font()).horizontalAdvance(text());
    const int captionTop = top + glyph_.height() + kGlyphCaptionGap;
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText((width() - captionWidth) / 2 + shift, captionTop + metrics.ascent, text());
}

void BitBtn::keyPressEvent(QKeyEvent* event) {
    // Outside a dialog Qt leaves Enter to the window; here the focused
    // button takes it.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace veltra
