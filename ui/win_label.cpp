#include "win_label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "win_text_metrics.h"

namespace veltra {

WinLabel::WinLabel(const QString& text, QWidget* parent) : QWidget(parent), text_(text) {
    FitToText();
}

void WinLabel::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    FitToText();
    update();
    emit textChanged();
}

void WinLabel::SetDesignedWidth(int width) {
    designedWidth_ = width;
    FitToText();
}

void WinLabel::FitToText() {
    const int width =
        designedWidth_ > 0 ? designedWidth_ : QFontMetrics(font()).horizontalAdvance(text_);
    resize(width, MeasureWinText(font()).height());
}

QFont WinLabel::TextFont() const {
    QFont textFont = font();
    const qreal excess = QFontMetricsF(textFont).horizontalAdvance(text_) - width();
    if (designedWidth_ > 0 && excess > 0 && !text_.isEmpty()) {
        // Spread the excess over the letters rather than cut off the end.
        textFont.setLetterSpacing(QFont::AbsoluteSpacing, -excess / text_.size());
    }
    return textFont;
}

void WinLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        FitToText();
    }
    QWidget::changeEvent(event);
}

void WinLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(TextFont());
    const int baseline = MeasureWinText(font()).ascent;
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(0, baseline, text_);
        return;
    }
    // The engraved look of a disabled label: a highlight one pixel down and
    // to the right, the text itself in the shadow colour.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(1, baseline + 1, text_);
    painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(0, baseline, text_);
}

void WinLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void WinLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
    pressed_ = false;
    if (click) {
        emit clicked();
    }
}

}  // namespace veltra
