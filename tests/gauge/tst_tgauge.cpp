#include "tgauge.h"

#include "invalid_operation.h"
#include "window_font.h"

#include <QTest>
#include <limits>

using veltra::TBorderStyle;
using veltra::TGauge;
using veltra::TGaugeKind;

namespace {

constexpr int kMin32 = std::numeric_limits<int>::min();
constexpr int kMax32 = std::numeric_limits<int>::max();
const QRgb kBlue = 0xFF42AED7;

// Counts paints, to prove when a setter repaints and when it does not.
class CountingGauge : public TGauge {
public:
    using TGauge::TGauge;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        TGauge::paintEvent(event);
    }
};

// The window's gauge: 409 × 14 with the blue fill, on a white panel in the
// window font.
struct WindowGauge {
    QWidget panel;
    CountingGauge* gauge = new CountingGauge(&panel);

    WindowGauge() {
        panel.setFont(veltra::WindowFont());
        QPalette palette = panel.palette();
        palette.setColor(QPalette::Window, Qt::green);
        panel.setPalette(palette);
        panel.resize(420, 60);
        gauge->setGeometry(5, 5, 409, 14);
        gauge->SetForeColor(QColor::fromRgb(kBlue));
    }

    bool Show() {
        panel.show();
        const bool exposed = QTest::qWaitForWindowExposed(&panel);
        gauge->paints = 0;
        return exposed;
    }

    QImage Grab() { return gauge->grab().toImage(); }
};

// The rows holding pixels that are neither black nor white: the glyphs of a
// text drawn in black over white lie in the others' complement.
QRect TextRows(const QImage& image) {
    QRect ink;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 1; x < image.width() - 1; ++x) {
            if (image.pixel(x, y) != 0xFFFFFFFF) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

}  // namespace

class TestTGauge : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void startsWithTheDefaults();
    void progressIsClamped_data();
    void progressIsClamped();
    void boundsPullProgressInside();
    void crossingBoundsAreRefused_data();
    void crossingBoundsAreRefused();
    void equalBoundsReadZeroPercent();
    void percentSpansTheWholeIntegerRange();
    void loadingRestoresBoundsInEitherOrder();
    void progressRepaintsOnlyWhenPercentChanges();
    void settersRepaintOnlyOnChange();
    void hiddenGaugeDoesNotPaint();
    void paintsTheWindowsBar();
    void dialShowsTheParentsColour();
    void fontChangeMovesTheText();
};

void TestTGauge::initTestCase() {
    veltra::RegisterTahoma();
}

void TestTGauge::startsWithTheDefaults() {
    const TGauge gauge;
    QCOMPARE(gauge.size(), QSize(100, 100));
    QVERIFY(gauge.testAttribute(Qt::WA_OpaquePaintEvent));
    QCOMPARE(gauge.MinValue(), 0);
    QCOMPARE(gauge.MaxValue(), 100);
    QCOMPARE(gauge.Progress(), 0);
    QCOMPARE(gauge.Kind(), TGaugeKind::gkHorizontalBar);
    QCOMPARE(gauge.ShowText(), true);
    QCOMPARE(gauge.BorderStyle(), TBorderStyle::bsSingle);
    QCOMPARE(gauge.ForeColor(), QColor(Qt::black));
    QCOMPARE(gauge.BackColor(), QColor(Qt::white));
    QCOMPARE(gauge.Percent(), 0);
}

void TestTGauge::progressIsClamped_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("progress");
    QTest::newRow("below") << -5 << 0;
    QTest::newRow("above") << 1000 << 100;
    QTest::newRow("inside") << 57 << 57;
    QTest::newRow("lowest integer") << kMin32 << 0;
}

void TestTGauge::progressIsClamped() {
    QFETCH(int, value);
    QFETCH(int, progress);
    TGauge gauge;
    gauge.SetProgress(value);
    QCOMPARE(gauge.Progress(), progress);
    QCOMPARE(gauge.Percent(), progress);
}

// A second report run with fewer files starts with the bar full.
void TestTGauge::boundsPullProgressInside() {
    TGauge gauge;
    gauge.SetMaxValue(10);
    gauge.SetProgress(10);
    gauge.SetMaxValue(4);
    QCOMPARE(gauge.Progress(), 4);
    QCOMPARE(gauge.Percent(), 100);
    gauge.SetMinValue(-3);
    gauge.SetProgress(-3);
    gauge.SetMinValue(2);
    QCOMPARE(gauge.Progress(), 2);
}

void TestTGauge::crossingBoundsAreRefused_data() {
    QTest::addColumn<int>("lower");  // set as MinValue first
    QTest::addColumn<bool>("setLower");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("message");

    QTest::newRow("lower bound above 100")
        << 0 << true << 150 << "Value must be between -2147483647 and 99";
    QTest::newRow("upper bound below 10")
        << 10 << false << 5 << "Value must be between 11 and 2147483647";
    QTest::newRow("upper bound at the lowest integer")
        << 0 << false << kMin32 << "Value must be between 1 and 2147483647";
}

void TestTGauge::crossingBoundsAreRefused() {
    QFETCH(int, lower);
    QFETCH(bool, setLower);
    QFETCH(int, value);
    QFETCH(QString, message);

    TGauge gauge;
    gauge.SetMinValue(lower);
    gauge.SetProgress(50);
    try {
        setLower ? gauge.SetMinValue(value) : gauge.SetMaxValue(value);
        QFAIL("the crossing bound was accepted");
    } catch (const veltra::EInvalidOperation& error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
    QCOMPARE(gauge.MinValue(), lower);
    QCOMPARE(gauge.MaxValue(), 100);
    QCOMPARE(gauge.Progress(), 50);
}

// A file with no lines makes the bounds equal.
void TestTGauge::equalBoundsReadZeroPercent() {
    TGauge gauge;
    gauge.SetMaxValue(0);
    QCOMPARE(gauge.Percent(), 0);
    gauge.SetMinValue(0);
    gauge.SetMaxValue(10);
    gauge.SetMinValue(10);
    QCOMPARE(gauge.MinValue(), 10);
    QCOMPARE(gauge.Progress(), 10);
    QCOMPARE(gauge.Percent(), 0);
}

// Bounds further apart than 2^31 must still give a sensible percentage.
void TestTGauge::percentSpansTheWholeIntegerRange() {
    TGauge gauge;
    gauge.SetMaxValue(kMax32);
    gauge.SetMinValue(kMin32);
    QCOMPARE(gauge.Percent(), 50);
    gauge.SetProgress(kMax32);
    QCOMPARE(gauge.Percent(), 100);
    gauge.SetProgress(kMin32);
    QCOMPARE(gauge.Percent(), 0);
    gauge.SetProgress(kMin32 + 1);
    QCOMPARE(gauge.Percent(), 0);
}

void TestTGauge::loadingRestoresBoundsInEitherOrder() {
    TGauge gauge;
    {
        const TGauge::Loading loading(gauge);
        gauge.SetMinValue(200);
        QCOMPARE(gauge.Progress(), 200);  // clamping still applies
        gauge.SetMaxValue(500);
    }
    QCOMPARE(gauge.MinValue(), 200);
    QCOMPARE(gauge.MaxValue(), 500);
    QVERIFY_THROWS_EXCEPTION(veltra::EInvalidOperation, gauge.SetMaxValue(100));
}

// The report run sets Progress once per line; only a new whole percentage
// may cost a paint, and that paint happens inside the setter.
void TestTGauge::progressRepaintsOnlyWhenPercentChanges() {
    WindowGauge window;
    window.gauge->SetMaxValue(1000);
    QVERIFY(window.Show());
    for (int line = 1; line <= 9; ++line) {
        window.gauge->SetProgress(line);
    }
    QCOMPARE(window.gauge->paints, 0);
    window.gauge->SetProgress(10);
    QCOMPARE(window.gauge->paints, 1);
    window.gauge->SetProgress(10);
    window.gauge->SetProgress(2000);
    QCOMPARE(window.gauge->paints, 2);
    window.gauge->SetProgress(5000);
    QCOMPARE(window.gauge->paints, 2);
    QCOMPARE(window.Grab().pixel(407, 12), kBlue);
}

void TestTGauge::settersRepaintOnlyOnChange() {
    WindowGauge window;
    QVERIFY(window.Show());
    CountingGauge& gauge = *window.gauge;

    gauge.SetKind(TGaugeKind::gkHorizontalBar);
    gauge.SetShowText(true);
    gauge.SetBorderStyle(TBorderStyle::bsSingle);
    gauge.SetForeColor(QColor::fromRgb(kBlue));
    gauge.SetBackColor(Qt::white);
    gauge.SetMinValue(0);
    gauge.SetMaxValue(100);
    QCOMPARE(gauge.paints, 0);

    gauge.SetKind(TGaugeKind::gkPie);
    gauge.SetShowText(false);
    gauge.SetBorderStyle(TBorderStyle::bsNone);
    gauge.SetForeColor(Qt::red);
    gauge.SetBackColor(Qt::yellow);
    QCOMPARE(gauge.paints, 5);
    // A new bound repaints even when the percentage stays 0.
    gauge.SetMaxValue(200);
    gauge.SetMinValue(-1);
    QCOMPARE(gauge.paints, 7);
}

void TestTGauge::hiddenGaugeDoesNotPaint() {
    CountingGauge gauge;
    gauge.SetProgress(50);
    gauge.SetKind(TGaugeKind::gkNeedle);
    gauge.SetMaxValue(60);
    QCOMPARE(gauge.paints, 0);
    QCOMPARE(gauge.Percent(), 83);
}

void TestTGauge::paintsTheWindowsBar() {
    WindowGauge window;
    window.gauge->SetProgress(50);
    const QImage image = window.Grab();
    QCOMPARE(image.size(), QSize(409, 14));
    QCOMPARE(image.pixel(0, 0), 0xFF000000);
    QCOMPARE(image.pixel(408, 13), 0xFF000000);
    QCOMPARE(image.pixel(1, 1), kBlue);
    QCOMPARE(image.pixel(203, 12), kBlue);
    QCOMPARE(image.pixel(204, 1), 0xFFFFFFFF);
    QCOMPARE(image.pixel(407, 12), 0xFFFFFFFF);
}

// Outside its dial a pie shows the parent's background.
void TestTGauge::dialShowsTheParentsColour() {
    WindowGauge window;
    window.gauge->SetKind(TGaugeKind::gkPie);
    window.gauge->resize(40, 40);
    const QImage image = window.Grab();
    QCOMPARE(image.pixel(2, 2), QColor(Qt::green).rgb());
    QCOMPARE(image.pixel(20, 20), 0xFFFFFFFF);
}

// The text's height is measured once per font; a new font must be measured
// again or the text lands off centre.
void TestTGauge::fontChangeMovesTheText() {
    WindowGauge window;
    window.gauge->SetKind(TGaugeKind::gkText);
    window.gauge->resize(200, 60);
    const QRect small = TextRows(window.Grab());
    QFont large = veltra::WindowFont();
    large.setPixelSize(40);
    window.gauge->setFont(large);
    const QRect big = TextRows(window.Grab());
    QVERIFY(big.height() > 2 * small.height());
    QVERIFY2(qAbs(big.center().y() - 30) <= 4,
             qPrintable(QStringLiteral("text rows %1 to %2").arg(big.top()).arg(big.bottom())));
}

QTEST_MAIN(TestTGauge)
#include "tst_tgauge.moc"
