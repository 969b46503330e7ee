#pragma once

#include "gauge_kind.h"
#include "win_text_metrics.h"

#include <QColor>
#include <QFont>
#include <QImage>

class QPainter;
class QSize;

namespace veltra {

// Everything a gauge paint depends on, so that the drawing runs without a
// widget (tests paint onto a QImage).
struct GaugeLook {
    TGaugeKind kind = TGaugeKind::gkHorizontalBar;
    bool showText = true;
    TBorderStyle borderStyle = TBorderStyle::bsSingle;
    QColor foreColor = Qt::black;  // filled part, outlines, needle
    QColor backColor = Qt::white;  // empty part, dial face
    QColor color = Qt::white;      // outside the dial of the pie and needle kinds
    int percent = 0;
    QFont font;
    // Windows places text by these metrics rather than Qt's; measuring them
    // reads font tables, so the caller measures once per font.
    WinTextMetrics textMetrics;
};

// The rectangle the kinds draw in, half-open: columns left to right - 1 and
// rows top to bottom - 1.
struct GaugeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The whole picture of a gauge of the given size, composed off-screen so that
// it reaches the screen in one copy. A null image for an empty size. Its
// pixels are those of a screen of the given device pixel ratio: the shapes
// are drawn at 96 dpi and laid onto the screen's pixels without blending, the
// frame as wide on every side, and the percentage is written at the screen's
// resolution.
QImage ComposeGauge(const GaugeLook& look, const QSize& size, qreal ratio = 1);

// Draws ComposeGauge's picture with its top-left corner at (0, 0).
void PaintGauge(QPainter& painter, const GaugeLook& look, const QSize& size, qreal ratio);

// The steps of a paint, each drawing one kind (or the text) into an image.
void DrawPlain(QImage& image, const GaugeLook& look, const GaugeRect& rect);
void DrawBar(QImage& image, const GaugeLook& look, const GaugeRect& rect);
void DrawPie(QImage& image, const GaugeLook& look, const GaugeRect& rect);
void DrawNeedle(QImage& image, const GaugeLook& look, const GaugeRect& rect);
void DrawPercentText(QImage& image, const GaugeLook& look, const GaugeRect& rect);

}  // namespace veltra
