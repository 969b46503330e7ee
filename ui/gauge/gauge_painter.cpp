#include "gauge_painter.h"

#include "blt_bitmap.h"
#include "gauge_arithmetic.h"

#include <QPainter>
#include <QPolygon>
#include <QString>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace veltra {
namespace {

// A fill covering columns x1 to x2 - 1 and rows y1 to y2 - 1; empty when the
// corners are the wrong way round, as the fills of an empty bar are.
QRect Cells(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) {
        return {};
    }
    return QRect(x1, y1, x2 - x1, y2 - y1);
}

// Qt strokes a one-pixel outline on the right and bottom edges of the shape's
// rectangle, one pixel beyond the filled cells; this box keeps the outlined
// shape inside columns x1 to x2 - 1 and rows y1 to y2 - 1.
QRect OutlineBox(int x1, int y1, int x2, int y2) {
    return QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
}

// Rounds half to even, as the platform's float-to-integer conversion does.
int RoundEven(long double value) {
    return static_cast<int>(std::nearbyint(value));
}

// Lines here cover their start point but not their end point; Qt's own lines
// cover both, which would put the needle's tip on the frame.
void DrawLineWithoutEnd(QPainter& painter, QPoint from, QPoint to) {
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    QPolygon points;
    QPoint point = from;
    int error = dx + dy;
    while (point != to) {
        points << point;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            point.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            point.ry() += stepY;
        }
    }
    painter.drawPoints(points);
}

// The angle Qt uses for the point where the ray from the box's centre through
// (x, y) meets the box's ellipse. Qt measures arcs by the ellipse's parameter,
// not by the ray's direction, so a flat ellipse needs the conversion.
double ArcAngle(int x1, int y1, int x2, int y2, int x, int y) {
    const double halfWidth = (x2 - x1) / 2.0;
    const double halfHeight = (y2 - y1) / 2.0;
    const double dx = x - (x1 + x2) / 2.0;
    const double dy = (y1 + y2) / 2.0 - y;
    double degrees = std::atan2(dy / halfHeight, dx / halfWidth) * 180.0 / std::numbers::pi;
    if (degrees < 0) {
        degrees += 360.0;
    }
    return degrees;
}

// An elliptic sector in the box (x1, y1, x2, y2), running counter-clockwise
// from the ray through the start point to the ray through the end point; the
// whole ellipse when the two rays coincide.
void DrawSector(QPainter& painter, int x1, int y1, int x2, int y2, QPoint start, QPoint end) {
    const QRect box = OutlineBox(x1, y1, x2, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1) {
        return;
    }
    // Doubled offsets from the centre keep the half-pixel centre exact.
    const long long sx = 2LL * start.x() - x1 - x2, sy = 2LL * start.y() - y1 - y2;
    const long long ex = 2LL * end.x() - x1 - x2, ey = 2LL * end.y() - y1 - y2;
    if (sx * ey - sy * ex == 0 && sx * ex + sy * ey > 0) {
        painter.drawEllipse(box);
        return;
    }
    const double from = ArcAngle(x1, y1, x2, y2, start.x(), start.y());
    double span = ArcAngle(x1, y1, x2, y2, end.x(), end.y()) - from;
    if (span <= 0) {
        span += 360.0;
    }
    painter.drawPie(box, qRound(from * 16), qRound(span * 16));
}

// The pixel of a picture `length` pixels long that device pixel `device` of
// its `deviceLength`-pixel copy shows. A frame keeps its one-pixel edges
// `line` device pixels wide at both ends; the pixels between are spread
// evenly over the rest.
int SourcePixel(int device, int deviceLength, int length, bool framed, int line) {
    const int edge = framed ? 1 : 0;
    const int deviceEdge = framed ? line : 0;
    if (device < deviceEdge) {
        return 0;
    }
    if (device >= deviceLength - deviceEdge) {
        return length - 1;
    }
    const int inner = std::max(1, deviceLength - 2 * deviceEdge);
    return std::min(length - 1, edge + (device - deviceEdge) * (length - 2 * edge) / inner);
}

// The picture copied onto the pixels of a screen of the given ratio.
QImage ToDevicePixels(const QImage& picture, bool framed, qreal ratio) {
    const int line = std::max(1, qRound(ratio));
    QImage scaled(qRound(picture.width() * ratio), qRound(picture.height() * ratio),
                  QImage::Format_RGB32);
    for (int y = 0; y < scaled.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(
            picture.constScanLine(SourcePixel(y, scaled.height(), picture.height(), framed, line)));
        auto* to = reinterpret_cast<QRgb*>(scaled.scanLine(y));
        for (int x = 0; x < scaled.width(); ++x) {
            to[x] = from[SourcePixel(x, scaled.width(), picture.width(), framed, line)];
        }
    }
    scaled.setDevicePixelRatio(ratio);
    return scaled;
}

}  // namespace

void DrawPlain(QImage& image, const GaugeLook& look, const GaugeRect& rect) {
    QPainter painter(&image);
    painter.fillRect(Cells(rect.left, rect.top, rect.right, rect.bottom), look.backColor);
}

void DrawBar(QImage& image, const GaugeLook& look, const GaugeRect& rect) {
    QPainter painter(&image);
    painter.fillRect(Cells(rect.left, rect.top, rect.right, rect.bottom), look.backColor);
    // W and H are one more than the rectangle's extent, and the fills below use
    // them as far edges without adding left and top: that is what puts a full
    // bar exactly on the framed rectangle.
    const int w = rect.right - rect.left + 1;
    const int h = rect.bottom - rect.top + 1;
    if (look.kind == TGaugeKind::gkHorizontalBar) {
        std::int64_t fill = ShareOf(look.percent, w);
        if (fill > w) {
            fill = w;
        }
        if (fill > 0) {
            painter.fillRect(Cells(rect.left, rect.top, static_cast<int>(fill), h), look.foreColor);
        }
    } else {
        std::int64_t fill = ShareOf(look.percent, h);
        if (fill >= h) {
            fill = h - 1;
        }
        if (fill > 0) {
            painter.fillRect(Cells(rect.left, h - static_cast<int>(fill), w, h), look.foreColor);
        }
    }
}

void DrawPie(QImage& image, const GaugeLook& look, const GaugeRect& rect) {
    const int grow = look.borderStyle == TBorderStyle::bsSingle ? 1 : 0;
    const int w = rect.right - rect.left + grow;
    const int h = rect.bottom - rect.top + grow;

    QPainter painter(&image);
    painter.fillRect(Cells(rect.left, rect.top, rect.right, rect.bottom), look.color);
    painter.setPen(QPen(look.foreColor, 0));
    painter.setBrush(look.backColor);
    if (w - rect.left >= 1 && h - rect.top >= 1) {
        painter.drawEllipse(OutlineBox(rect.left, rect.top, w, h));
    }
    if (look.percent <= 0) {
        return;
    }
    const int mx = w / 2;
    const int my = h / 2;
    const double theta =
        static_cast<double>(std::numbers::pi_v<long double> * (look.percent / 50.0L + 0.5L));
    const QPoint start(RoundEven(mx * (1.0L - std::cos(static_cast<long double>(theta)))),
                       RoundEven(my * (1.0L - std::sin(static_cast<long double>(theta)))));
    painter.setBrush(look.foreColor);
    DrawSector(painter, rect.left, rect.top, w, h, start, QPoint(mx, 0));
}

void DrawNeedle(QImage& image, const GaugeLook& look, const GaugeRect& rect) {
    const int grow = look.borderStyle == TBorderStyle::bsSingle ? 1 : 0;
    const int w = rect.right - rect.left + grow;
    const int h = rect.bottom - rect.top + grow;
    const int l = rect.left;
    const int b = rect.bottom;

    QPainter painter(&image);
    painter.fillRect(Cells(rect.left, rect.top, rect.right, rect.bottom), look.color);
    painter.setPen(QPen(look.foreColor, 0));
    painter.setBrush(look.backColor);
    // The upper half of an ellipse centred on the bottom edge: the dial face.
    DrawSector(painter, l, rect.top, w, 2 * h - 1, QPoint(l + w, b - 1), QPoint(l, b - 1));
    DrawLineWithoutEnd(painter, QPoint(l, b), QPoint(l + w, b));
    if (look.percent <= 0) {
        return;
    }
    // The needle hangs from the middle of the whole control, frame included.
    const int mx = image.width() / 2;
    const double phi = static_cast<double>(std::numbers::pi_v<long double> * look.percent / 100.0L);
    const QPoint tip(RoundEven(mx * (1.0L - std::cos(static_cast<long double>(phi)))),
                     RoundEven((b - 1) * (1.0L - std::sin(static_cast<long double>(phi)))));
    DrawLineWithoutEnd(painter, QPoint(mx, b - 1), tip);
}

void DrawPercentText(QImage& image, const GaugeLook& look, const GaugeRect& rect) {
    TBltBitmap overlay;
    overlay.MakeLike(image);
    ClearToBlack(overlay);
    const QString text = QString::number(look.percent) + QLatin1Char('%');
    {
        QPainter painter(&overlay);
        // Unsmoothed, as Windows draws this face at window sizes: every glyph
        // pixel then takes the exact complement of its background, where
        // smoothed edges would leave grey or, sub-pixel, coloured fringes.
        QFont font = look.font;
        font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.setBrush(Qt::NoBrush);
        // Centred in one more than the rectangle's extent and not offset by its
        // left and top: for a framed gauge that is the middle of the control.
        const int x =
            (rect.right - rect.left + 1 - painter.fontMetrics().horizontalAdvance(text)) / 2;
        const int y = (rect.bottom - rect.top + 1 - look.textMetrics.height()) / 2;
        painter.setClipRect(Cells(rect.left, rect.top, rect.right, rect.bottom));
        painter.drawText(x, y + look.textMetrics.ascent, text);
    }
    // White glyphs on black: exclusive-or turns every glyph pixel into the
    // complement of what lies beneath it, so the text reads over both parts.
    CombineXor(image, overlay);
}

QImage ComposeGauge(const GaugeLook& look, const QSize& size, qreal ratio) {
    if (size.isEmpty()) {
        return {};
    }
    QImage picture(size, QImage::Format_RGB32);
    ClearToBlack(picture);
    GaugeRect rect{0, 0, size.width(), size.height()};
    if (look.borderStyle == TBorderStyle::bsSingle) {
        // The ring left undrawn stays black: it is the frame.
        rect = {1, 1, size.width() - 1, size.height() - 1};
    }

    TBltBitmap overlay;
    overlay.MakeLike(picture);
    ClearToBlack(overlay);
    switch (look.kind) {
        case TGaugeKind::gkText:
            DrawPlain(overlay, look, rect);
            break;
        case TGaugeKind::gkHorizontalBar:
        case TGaugeKind::gkVerticalBar:
            DrawBar(overlay, look, rect);
            break;
        case TGaugeKind::gkPie:
            DrawPie(overlay, look, rect);
            break;
        case TGaugeKind::gkNeedle:
            DrawNeedle(overlay, look, rect);
            break;
    }
    CombineXor(picture, overlay);
    if (ratio != 1) {
        picture = ToDevicePixels(picture, look.borderStyle == TBorderStyle::bsSingle, ratio);
    }

    if (look.showText) {
        DrawPercentText(picture, look, rect);
    }
    return picture;
}

void PaintGauge(QPainter& painter, const GaugeLook& look, const QSize& size, qreal ratio) {
    const QImage picture = ComposeGauge(look, size, ratio);
    if (!picture.isNull()) {
        painter.drawImage(0, 0, picture);
    }
}

}  // namespace veltra
