#include "gauge_painter.h"

#include "blt_bitmap.h"
#include "win_text_metrics.h"
#include "window_font.h"

#include <QGuiApplication>
#include <QTest>

using veltra::ComposeGauge;
using veltra::GaugeLook;
using veltra::TBorderStyle;
using veltra::TGaugeKind;

namespace {

const QRgb kBlack = 0xFF000000;
const QRgb kWhite = 0xFFFFFFFF;
const QRgb kBlue = 0xFF42AED7;
const QRgb kBlueComplement = 0xFFBD5128;
const QRgb kRed = 0xFFFF0000;
const QRgb kGreen = 0xFF00FF00;

GaugeLook Look(TGaugeKind kind, int percent, TBorderStyle border = TBorderStyle::bsSingle) {
    GaugeLook look;
    look.kind = kind;
    look.percent = percent;
    look.borderStyle = border;
    look.showText = false;
    look.font = veltra::WindowFont();
    look.textMetrics = veltra::MeasureWinText(look.font);
    return look;
}

// The window's bars: fill #42AED7 on white.
GaugeLook BlueBar(int percent, TBorderStyle border = TBorderStyle::bsSingle) {
    GaugeLook look = Look(TGaugeKind::gkHorizontalBar, percent, border);
    look.foreColor = QColor::fromRgb(kBlue);
    return look;
}

// Dials in three telling colours: red fill and outline, white face, green
// outside the dial.
GaugeLook Dial(TGaugeKind kind, int percent, TBorderStyle border = TBorderStyle::bsSingle) {
    GaugeLook look = Look(kind, percent, border);
    look.foreColor = QColor::fromRgb(kRed);
    look.color = QColor::fromRgb(kGreen);
    return look;
}

bool OnFrame(const QImage& image, int x, int y) {
    return x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1;
}

// Where a bar picture first differs from a black frame ring (when framed), a
// blue fill over the given cells and white elsewhere; empty when it does not.
QString BarMismatch(const QImage& image, bool framed, const QRect& fill) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb expected = framed && OnFrame(image, x, y) ? kBlack
                                  : fill.contains(x, y)          ? kBlue
                                                                 : kWhite;
            if (image.pixel(x, y) != expected) {
                return QStringLiteral("pixel %1,%2 is %3")
                    .arg(x)
                    .arg(y)
                    .arg(image.pixel(x, y), 8, 16);
            }
        }
    }
    return {};
}

// The columns and rows holding pixels of a colour other than the given ones:
// where the text went.
QRect InkOutside(const QImage& image, std::initializer_list<QRgb> plain) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (std::find(plain.begin(), plain.end(), image.pixel(x, y)) == plain.end()) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

}  // namespace

class TestGaugePainter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void exclusiveOrKeepsImagesOpaque();
    void horizontalBar_data();
    void horizontalBar();
    void verticalBar_data();
    void verticalBar();
    void plainFieldShowsOnlyBackColor();
    void textShowsInTheComplementOfBothParts();
    void textStaysInsideTheFrame();
    void emptyGaugeReadsZeroPercent();
    void pie_data();
    void pie();
    void needle_data();
    void needle();
    void needleBaseLineLiesOnTheBottomFrameRow();
    void barOnScaledScreens_data();
    void barOnScaledScreens();
};

void TestGaugePainter::initTestCase() {
    veltra::RegisterTahoma();
}

// Qt's exclusive-or touches the alpha byte too; an image whose pixels lost
// their opacity would paint as holes.
void TestGaugePainter::exclusiveOrKeepsImagesOpaque() {
    QImage base(4, 2, QImage::Format_RGB32);
    base.fill(kBlue);
    veltra::TBltBitmap overlay;
    overlay.MakeLike(base);
    QCOMPARE(overlay.size(), base.size());
    veltra::ClearToBlack(overlay);
    overlay.setPixel(1, 0, kWhite);
    veltra::CombineXor(base, overlay);
    QCOMPARE(base.pixel(0, 0), kBlue);
    QCOMPARE(base.pixel(1, 0), kBlueComplement);
    QCOMPARE(qAlpha(base.pixel(1, 0)), 255);
}

void TestGaugePainter::horizontalBar_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("framed");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("fillEnd");  // one past the last filled column

    QTest::newRow("window bar at 50%") << QSize(409, 14) << true << 50 << 204;
    QTest::newRow("window bar at 0%") << QSize(409, 14) << true << 0 << 1;
    QTest::newRow("window bar at 1%") << QSize(409, 14) << true << 1 << 4;
    QTest::newRow("window bar at 100%") << QSize(409, 14) << true << 100 << 408;
    QTest::newRow("borderless 99 at 5%") << QSize(99, 14) << false << 5 << 4;
    QTest::newRow("borderless 99 at 50%") << QSize(99, 14) << false << 50 << 50;
    QTest::newRow("borderless 99 at 100%") << QSize(99, 14) << false << 100 << 99;
}

void TestGaugePainter::horizontalBar() {
    QFETCH(QSize, size);
    QFETCH(bool, framed);
    QFETCH(int, percent);
    QFETCH(int, fillEnd);

    const QImage image = ComposeGauge(
        BlueBar(percent, framed ? TBorderStyle::bsSingle : TBorderStyle::bsNone), size);
    QCOMPARE(image.size(), size);
    const QRect fill(QPoint(0, 0), QPoint(fillEnd - 1, size.height() - 1));
    const QString mismatch = BarMismatch(image, framed, fill);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestGaugePainter::verticalBar_data() {
    QTest::addColumn<bool>("framed");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("fillTop");  // first filled row

    // 20 × 14: a framed bar has H = 13, a borderless one H = 15.
    QTest::newRow("framed at 50%") << true << 50 << 7;
    QTest::newRow("framed at 100%") << true << 100 << 1;
    QTest::newRow("framed at 0%") << true << 0 << 13;
    // Cut to H - 1, a full borderless bar leaves the top row empty.
    QTest::newRow("borderless at 100%") << false << 100 << 1;
    QTest::newRow("borderless at 50%") << false << 50 << 8;
}

void TestGaugePainter::verticalBar() {
    QFETCH(bool, framed);
    QFETCH(int, percent);
    QFETCH(int, fillTop);

    GaugeLook look = BlueBar(percent, framed ? TBorderStyle::bsSingle : TBorderStyle::bsNone);
    look.kind = TGaugeKind::gkVerticalBar;
    const QImage image = ComposeGauge(look, QSize(20, 14));
    const QString mismatch = BarMismatch(image, framed, QRect(0, fillTop, 20, 14 - fillTop));
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestGaugePainter::plainFieldShowsOnlyBackColor() {
    GaugeLook look = BlueBar(70);
    look.kind = TGaugeKind::gkText;
    look.backColor = QColor::fromRgb(kGreen);
    const QImage plain = ComposeGauge(look, QSize(60, 20));
    QCOMPARE(InkOutside(plain, {kBlack, kGreen}), QRect());
    QCOMPARE(plain.pixel(30, 10), kGreen);
    QCOMPARE(plain.pixel(0, 10), kBlack);

    look.showText = true;
    const QImage withText = ComposeGauge(look, QSize(60, 20));
    QVERIFY(!InkOutside(withText, {kBlack, kGreen}).isEmpty());
}

// At 50 % the text "50%" straddles the end of the fill, so one text shows in
// both complements: #BD5128 over the blue part, black over the white part.
void TestGaugePainter::textShowsInTheComplementOfBothParts() {
    GaugeLook look = BlueBar(50);
    look.showText = true;
    const QImage image = ComposeGauge(look, QSize(409, 14));

    int overFill = 0;
    int overEmpty = 0;
    QRect ink;
    for (int y = 1; y < 13; ++y) {
        for (int x = 1; x < 408; ++x) {
            const QRgb pixel = image.pixel(x, y);
            const QRgb beneath = x < 204 ? kBlue : kWhite;
            // Every pixel is its background xor a grey level of the glyph.
            const QRgb glyph = (pixel ^ beneath) & 0xFFFFFF;
            QCOMPARE(qRed(glyph), qGreen(glyph));
            QCOMPARE(qGreen(glyph), qBlue(glyph));
            overFill += pixel == kBlueComplement;
            overEmpty += pixel == kBlack;
            if (pixel != beneath) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    QVERIFY(overFill > 5);
    QVERIFY(overEmpty > 5);
    // Centred on the bar: the ink's middle lies within a pixel or two of 204.
    QVERIFY2(qAbs(ink.left() + ink.right() - 2 * 204) <= 4,
             qPrintable(QStringLiteral("ink from %1 to %2").arg(ink.left()).arg(ink.right())));
}

// Text taller than the gauge is clipped to the inside of the frame.
void TestGaugePainter::textStaysInsideTheFrame() {
    GaugeLook look = BlueBar(88);
    look.showText = true;
    look.font.setPixelSize(30);
    look.textMetrics = veltra::MeasureWinText(look.font);
    const QImage image = ComposeGauge(look, QSize(80, 14));
    for (int x = 0; x < image.width(); ++x) {
        QCOMPARE(image.pixel(x, 0), kBlack);
        QCOMPARE(image.pixel(x, 13), kBlack);
    }
    for (int y = 0; y < image.height(); ++y) {
        QCOMPARE(image.pixel(0, y), kBlack);
        QCOMPARE(image.pixel(79, y), kBlack);
    }
    QVERIFY(!InkOutside(image, {kBlack, kBlue, kWhite}).isEmpty());
}

// A file with no lines gives equal bounds: an empty bar reading 0%.
void TestGaugePainter::emptyGaugeReadsZeroPercent() {
    GaugeLook look = BlueBar(0);
    look.showText = true;
    const QImage zero = ComposeGauge(look, QSize(409, 14));
    QCOMPARE(zero.pixel(1, 6), kWhite);
    // No fill anywhere: only the white field, the black frame and the text's
    // shades of grey.
    for (int y = 0; y < zero.height(); ++y) {
        for (int x = 0; x < zero.width(); ++x) {
            const QRgb pixel = zero.pixel(x, y);
            QVERIFY(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel));
        }
    }
    const QRect text = InkOutside(zero.copy(1, 1, 407, 12), {kWhite});
    QVERIFY(text.width() > 5 && text.width() < 30);
}

void TestGaugePainter::pie_data() {
    QTest::addColumn<int>("percent");
    QTest::addColumn<bool>("framed");
    // Points halfway out to the dial's edge, in the quarters clockwise from
    // twelve o'clock: top right, bottom right, bottom left, top left.
    QTest::addColumn<QList<bool>>("filled");

    QTest::newRow("0%") << 0 << true << QList<bool>{false, false, false, false};
    QTest::newRow("25%") << 25 << true << QList<bool>{true, false, false, false};
    QTest::newRow("50%") << 50 << true << QList<bool>{true, true, false, false};
    QTest::newRow("75%") << 75 << true << QList<bool>{true, true, true, false};
    QTest::newRow("100%") << 100 << true << QList<bool>{true, true, true, true};
    QTest::newRow("borderless 25%") << 25 << false << QList<bool>{true, false, false, false};
    QTest::newRow("borderless 100%") << 100 << false << QList<bool>{true, true, true, true};
}

void TestGaugePainter::pie() {
    QFETCH(int, percent);
    QFETCH(bool, framed);
    QFETCH(QList<bool>, filled);

    const QImage image = ComposeGauge(
        Dial(TGaugeKind::gkPie, percent, framed ? TBorderStyle::bsSingle : TBorderStyle::bsNone),
        QSize(61, 41));
    const QPoint centre(30, 20);
    const QList<QPoint> probes = {centre + QPoint(10, -7), centre + QPoint(10, 7),
                                  centre + QPoint(-10, 7), centre + QPoint(-10, -7)};
    for (int i = 0; i < probes.size(); ++i) {
        QCOMPARE(image.pixel(probes[i]), filled[i] ? kRed : kWhite);
    }
    // Outside the dial the control's own colour shows; the dial's top edge is
    // the red outline.
    QCOMPARE(image.pixel(framed ? 2 : 1, framed ? 2 : 1), kGreen);
    QCOMPARE(image.pixel(30, framed ? 1 : 0), kRed);
    QCOMPARE(image.pixel(0, 0), framed ? kBlack : kGreen);
}

void TestGaugePainter::needle_data() {
    QTest::addColumn<int>("percent");
    QTest::addColumn<QList<QPoint>>("onNeedle");
    QTest::addColumn<QList<QPoint>>("offNeedle");

    // A framed 41 × 21 dial: B = 20, the needle hangs from (20, 19).
    QTest::newRow("0%") << 0 << QList<QPoint>{} << QList<QPoint>{{20, 10}, {20, 18}, {10, 18}};
    QTest::newRow("50% points straight up")
        << 50 << QList<QPoint>{{20, 19}, {20, 10}, {20, 2}} << QList<QPoint>{{19, 10}, {21, 10}};
    QTest::newRow("100% points right")
        << 100 << QList<QPoint>{{20, 19}, {30, 19}, {38, 19}} << QList<QPoint>{{20, 10}};
    QTest::newRow("25% leans left")
        << 25 << QList<QPoint>{{20, 19}, {19, 18}, {7, 7}} << QList<QPoint>{{20, 10}, {28, 11}};
}

void TestGaugePainter::needle() {
    QFETCH(int, percent);
    QFETCH(QList<QPoint>, onNeedle);
    QFETCH(QList<QPoint>, offNeedle);

    const QImage image = ComposeGauge(Dial(TGaugeKind::gkNeedle, percent), QSize(41, 21));
    for (const QPoint& point : onNeedle) {
        QVERIFY2(
            image.pixel(point) == kRed,
            qPrintable(QStringLiteral("%1,%2 not on the needle").arg(point.x()).arg(point.y())));
    }
    for (const QPoint& point : offNeedle) {
        QVERIFY2(image.pixel(point) == kWhite,
                 qPrintable(QStringLiteral("%1,%2 not on the face").arg(point.x()).arg(point.y())));
    }
    // The needle stops short of its tip, so the frame above stays black.
    QCOMPARE(image.pixel(20, 0), kBlack);
    // Outside the half-dial the control's colour shows.
    QCOMPARE(image.pixel(1, 1), kGreen);
    QCOMPARE(image.pixel(39, 1), kGreen);
}

// The dial's base line is drawn over the frame's bottom row; the rest of the
// ring stays black.
void TestGaugePainter::needleBaseLineLiesOnTheBottomFrameRow() {
    const QImage image = ComposeGauge(Dial(TGaugeKind::gkNeedle, 30), QSize(41, 21));
    QCOMPARE(image.pixel(0, 20), kBlack);
    for (int x = 1; x < 41; ++x) {
        QCOMPARE(image.pixel(x, 20), kRed);
    }
    QCOMPARE(image.pixel(0, 10), kBlack);
    QCOMPARE(image.pixel(20, 0), kBlack);
}

void TestGaugePainter::barOnScaledScreens_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("200 %") << qreal(2);
    QTest::newRow("150 %") << qreal(1.5);
}

void TestGaugePainter::barOnScaledScreens() {
    QFETCH(qreal, ratio);
    GaugeLook look = BlueBar(50);
    look.showText = true;
    const QImage image = ComposeGauge(look, QSize(409, 14), ratio);
    QCOMPARE(image.size(), QSize(qRound(409 * ratio), qRound(14 * ratio)));
    QCOMPARE(image.devicePixelRatio(), ratio);

    // The frame: two device pixels on every side, whatever the ratio.
    const int w = image.width();
    const int h = image.height();
    for (int x = 0; x < w; ++x) {
        for (int y : {0, 1, h - 2, h - 1}) {
            QCOMPARE(image.pixel(x, y), kBlack);
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x : {0, 1, w - 2, w - 1}) {
            QCOMPARE(image.pixel(x, y), kBlack);
        }
    }
    // Inside, every pixel is one of the four colours: no blended edges, and
    // the fill ends in one step in the middle.
    int steps = 0;
    for (int x = 3; x < w - 2; ++x) {
        steps += image.pixel(x, 2) != image.pixel(x - 1, 2) ? 1 : 0;
    }
    QCOMPARE(steps, 1);
    QCOMPARE(image.pixel(2, 2), kBlue);
    QCOMPARE(image.pixel(w - 3, 2), kWhite);
    bool glyphEdgeInsideABlock = false;
    for (int y = 2; y < h - 2; ++y) {
        for (int x = 2; x < w - 2; ++x) {
            const QRgb pixel = image.pixel(x, y);
            QVERIFY(pixel == kBlue || pixel == kWhite || pixel == kBlack ||
                    pixel == kBlueComplement);
            // A 96-dpi text stretched to 200 % would change colour only
            // between 2 × 2 blocks; text drawn at the screen's resolution
            // also changes within them.
            if (ratio == 2 && x % 2 == 1 && pixel != image.pixel(x - 1, y)) {
                glyphEdgeInsideABlock = true;
            }
        }
    }
    QCOMPARE(glyphEdgeInsideABlock, ratio == 2);
}

QTEST_MAIN(TestGaugePainter)
#include "tst_gauge_painter.moc"
