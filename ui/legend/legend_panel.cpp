#include "legend_panel.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include "titled_frame.h"
#include "win_text_metrics.h"
#include "window_font.h"
#include "word_wrap.h"

namespace veltra {
namespace {

constexpr int kTextMargin = 5;
constexpr int kSpaceBelowText = 20;

}  // namespace

QImage RenderLegendEntry(const QString& heading, const QString& explanation, int width,
                         int bandHeight, qreal ratio) {
    const QFont font = WindowFont();
    const WinTextMetrics metrics = MeasureWinText(font);
    const QStringList lines = WrapWords(explanation, QFontMetrics(font), width - 2 * kTextMargin);
    const int textTop = bandHeight + kTextMargin;
    const int height =
        textTop + static_cast<int>(lines.size()) * metrics.height() + kSpaceBelowText;

    QImage picture = TitledFrame(width, height, heading, ratio);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int top = textTop + static_cast<int>(i) * metrics.height();
        painter.drawText(kTextMargin, top + metrics.ascent, lines[i]);
    }
    return picture;
}

}  // namespace veltra
