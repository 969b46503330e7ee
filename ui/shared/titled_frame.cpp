#include "titled_frame.h"

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>

#include "win_text_metrics.h"
#include "window_font.h"

namespace veltra {

QImage TitledFrame(int width, int height, const QString& title, qreal ratio) {
    const int line = std::max(1, qRound(ratio));
    const int band = qRound(kTitleBandHeight * ratio);
    QImage picture(qRound(width * ratio), qRound(height * ratio), QImage::Format_RGB32);
    {
        // Drawn in device pixels, before the picture takes its ratio.
        const QColor frame = QColor::fromRgb(kFrameColor);
        QPainter painter(&picture);
        painter.fillRect(picture.rect(), frame);
        painter.fillRect(picture.rect().adjusted(line, line, -line, -line), Qt::white);
        painter.fillRect(0, 0, picture.width(), band, frame);
    }
    picture.setDevicePixelRatio(ratio);

    QFont font = WindowFont();
    font.setBold(true);
    const WinTextMetrics metrics = MeasureWinText(font);
    const int textWidth = QFontMetrics(font).horizontalAdvance(title);
    // Truncating halvings: an odd leftover pixel goes to the right of the text.
    const int x = (width - textWidth) / 2;
    const int y = (kTitleBandHeight - metrics.height()) / 2;
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(x, y + metrics.ascent, title);
    return picture;
}

}  // namespace veltra
