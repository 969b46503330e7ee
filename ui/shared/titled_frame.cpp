#include "titled_frame.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include "win_text_metrics.h"
#include "window_font.h"

namespace veltra {

void DrawTitledFrame(QPainter& painter, int width, int height, const QString& title) {
    const QColor frame = QColor::fromRgb(kFrameColor);
    painter.fillRect(0, 0, width, height, frame);
    painter.fillRect(1, 1, width - 2, height - 2, Qt::white);
    painter.fillRect(0, 0, width, kTitleBandHeight, frame);

    QFont font = WindowFont();
    font.setBold(true);
    const WinTextMetrics metrics = MeasureWinText(font);
    const int textWidth = QFontMetrics(font).horizontalAdvance(title);
    // Truncating halvings: an odd leftover pixel goes to the right of the text.
    const int x = (width - textWidth) / 2;
    const int y = (kTitleBandHeight - metrics.height()) / 2;
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(x, y + metrics.ascent, title);
}

}  // namespace veltra
