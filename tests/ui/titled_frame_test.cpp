#include <QApplication>
#include <QImage>
#include <QtTest>

#include "titled_frame.h"
#include "window_font.h"

using veltra::TitledFrame;

namespace {

const QRgb kFrame = 0xFF42AED7;
const QRgb kWhite = 0xFFFFFFFF;

}  // namespace

class TitledFrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { veltra::RegisterTahoma(); }
    void linesOnWholeDevicePixels_data();
    void linesOnWholeDevicePixels();
    void titleAtTheScreensResolution();
};

void TitledFrameTest::linesOnWholeDevicePixels_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("line");
    QTest::newRow("96 dpi") << qreal(1) << 1;
    QTest::newRow("150 %") << qreal(1.5) << 2;
    QTest::newRow("200 %") << qreal(2) << 2;
}

void TitledFrameTest::linesOnWholeDevicePixels() {
    QFETCH(qreal, ratio);
    QFETCH(int, line);
    // An odd size: at 150 % its sides fall between device pixels.
    const QImage picture = TitledFrame(193, 89, QStringLiteral("Błędne wpisy"), ratio);
    QCOMPARE(picture.devicePixelRatio(), ratio);
    QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(193, 89));
    const int w = picture.width();
    const int h = picture.height();
    const int band = qRound(20 * ratio);
    for (int y = band; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool onFrame = x < line || x >= w - line || y >= h - line;
            QCOMPARE(picture.pixel(x, y), onFrame ? kFrame : kWhite);
        }
    }
    // The band: solid down to its last row, beside the title.
    for (int y = 0; y < band; ++y) {
        for (int x = 0; x < 8 * ratio; ++x) {
            QCOMPARE(picture.pixel(x, y), kFrame);
        }
    }
}

void TitledFrameTest::titleAtTheScreensResolution() {
    const QImage picture = TitledFrame(154, 60, QStringLiteral("Emisje"), 2);
    // The title stretched from 96 dpi would change colour only between 2 × 2
    // blocks; drawn at the screen's resolution its edges also fall inside them.
    int edgesInsideBlocks = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 1; x < picture.width(); x += 2) {
            edgesInsideBlocks += picture.pixel(x, y) != picture.pixel(x - 1, y) ? 1 : 0;
        }
    }
    QVERIFY(edgesInsideBlocks > 10);
}

QTEST_MAIN(TitledFrameTest)
#include "titled_frame_test.moc"
