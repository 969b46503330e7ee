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
}

void WinLabel::FitToText() {
    resize(QFontMetrics(font()).horizontalAdvance(text_), MeasureWinText(font()).height());
}

void WinLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        FitToText();
    }
    QWidget::changeEvent(event);
}

void WinLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
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
