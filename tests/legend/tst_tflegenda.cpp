#include <QtTest/qtestspontaneevent.h>
#include <QFontInfo>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <numeric>

#include "legend_entries.h"
#include "legend_panel.h"
#include "tflegenda.h"
#include "titled_frame.h"
#include "win_text_metrics.h"
#include "window_font.h"

namespace {

constexpr int kPanelWidth = 624;
constexpr int kBoxHeight = 357;

int LineHeight() {
    return veltra::MeasureWinText(veltra::WindowFont()).height();
}

bool HasTahoma() {
    return QFontInfo(veltra::WindowFont()).family() == QStringLiteral("Tahoma");
}

QScrollArea* ScrollBox(const veltra::TFLegenda& legend) {
    return legend.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
}

QList<QLabel*> Panels(const veltra::TFLegenda& legend) {
    return ScrollBox(legend)->widget()->findChildren<QLabel*>(QString(),
                                                              Qt::FindDirectChildrenOnly);
}

// One wheel turn as the window system delivers it: to the window, with the
// pointer over `over`, so that it reaches the widget there and travels up to
// whichever parent handles it. Negative deltas turn the wheel toward the user.
// X11 reports a turn with Alt held as a horizontal one.
void Turn(QWidget* over, int angleDelta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* window = over->window();
    const QPointF at = over->mapTo(window, QPointF(over->width() / 2.0, over->height() / 2.0));
    const QPoint delta =
        modifiers.testFlag(Qt::AltModifier) ? QPoint(angleDelta, 0) : QPoint(0, angleDelta);
    QWheelEvent event(at, window->mapToGlobal(at), QPoint(), delta, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(window->windowHandle(), &event);
}

// Shown and laid out, as the user sees it once the window is up.
void Open(veltra::TFLegenda& legend) {
    legend.show();
    QVERIFY(QTest::qWaitForWindowExposed(&legend));
}

int Position(const veltra::TFLegenda& legend) {
    return ScrollBox(legend)->verticalScrollBar()->value();
}

// Whether any pixel of the row band is dark: text drawn there.
bool HasInk(const QImage& picture, int top, int height) {
    for (int y = top; y < top + height; ++y) {
        for (int x = 1; x < picture.width() - 1; ++x) {
            if (qGray(picture.pixel(x, y)) < 0x80) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

class TestTFLegenda : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { veltra::RegisterTahoma(); }

    void windowAndControls();
    void texts();
    void panelsAppearOnlyWhenShown();
    void panelsFollowTheEntriesInOrder();
    void panelHeightsFollowTheWrappedText();
    void firstEntryShowsSixLinesInsideItsFrame();
    void wheelMovesTenPixelsPerNotch();
    void wheelIsClampedAtBothEnds();
    void closingReleasesThePanelsAndReopeningStartsAtTheTop();
};

void TestTFLegenda::windowAndControls() {
    veltra::TFLegenda legend;
    QCOMPARE(legend.windowTitle(), QStringLiteral("Veltra - Legenda"));
    QCOMPARE(legend.minimumSize(), QSize(642, 644));
    QCOMPARE(legend.maximumSize(), QSize(642, 644));
    // The wheel's clamping and the panel width follow from the box's size.
    QCOMPARE(ScrollBox(legend)->geometry(), QRect(0, 287, 642, kBoxHeight));
    QCOMPARE(ScrollBox(legend)->frameShape(), QFrame::NoFrame);
}

void TestTFLegenda::texts() {
    const auto& entries = veltra::LegendTexts();
    QCOMPARE(entries.size(), 17u);
    QCOMPARE(entries[0].Heading, QStringLiteral("Wypełnianie tabelki Veltra"));
    QCOMPARE(entries[0].Explanation.count(u'\r'), 5);
    QVERIFY(!entries[0].Explanation.contains(u'\n'));
    QCOMPARE(entries[0].Explanation.split(u'\r').at(4), QStringLiteral(" "));
    QVERIFY(entries[1].Explanation.contains(QStringLiteral("\"Pełna informacja\"")));
    QCOMPARE(entries[6].Heading, entries[10].Heading);
    QCOMPARE(entries[6].Heading, QStringLiteral("Polskie w godz. 5-24"));
    QVERIFY(entries[6].Explanation.endsWith(QStringLiteral("od 5 do 24")));
    QVERIFY(entries[7].Explanation.endsWith(QStringLiteral("muzycznych.1")));
    QCOMPARE(entries[16].Heading, QStringLiteral("Stos. czasu pl w g. 5-24 do całości"));
}

void TestTFLegenda::panelsAppearOnlyWhenShown() {
    veltra::TFLegenda legend;
    QVERIFY(Panels(legend).isEmpty());
    Open(legend);
    QCOMPARE(Panels(legend).size(), 17);
}

void TestTFLegenda::panelsFollowTheEntriesInOrder() {
    veltra::TFLegenda legend;
    Open(legend);
    const QList<QLabel*> panels = Panels(legend);
    QCOMPARE(panels.size(), veltra::kLegendEntryCount);

    int top = 0;
    for (int i = 0; i < panels.size(); ++i) {
        const QLabel* panel = panels[i];
        const auto& entry = veltra::LegendTexts()[i];
        const QImage expected = veltra::RenderLegendEntry(entry.Heading, entry.Explanation,
                                                          kPanelWidth, veltra::kTitleBandHeight);
        QCOMPARE(panel->objectName(), QStringLiteral("EntryPanel%1").arg(i));
        // Stacked without gaps: the frame of one touches the band of the next.
        QCOMPARE(panel->geometry(), QRect(0, top, kPanelWidth, expected.height()));
        QCOMPARE(panel->pixmap().toImage(), expected);
        top += panel->height();
    }
    QCOMPARE(ScrollBox(legend)->widget()->height(), top);
    const QScrollBar* bar = ScrollBox(legend)->verticalScrollBar();
    QCOMPARE(bar->maximum(), top - kBoxHeight);
    // The bar fits the strip the panels leave free, so nothing scrolls sideways.
    QVERIFY(bar->isVisible());
    QVERIFY(bar->width() <= 642 - kPanelWidth);

    // Entries 7 and 11 carry the same heading over different explanations.
    const QImage seventh = panels[6]->pixmap().toImage();
    const QImage eleventh = panels[10]->pixmap().toImage();
    const QImage sixth = panels[5]->pixmap().toImage();
    const QRect band(0, 0, kPanelWidth, veltra::kTitleBandHeight);
    QCOMPARE(seventh.copy(band), eleventh.copy(band));
    QVERIFY(seventh.copy(band) != sixth.copy(band));
    QVERIFY(seventh != eleventh);
}

void TestTFLegenda::panelHeightsFollowTheWrappedText() {
    veltra::TFLegenda legend;
    Open(legend);
    const QList<QLabel*> panels = Panels(legend);
    const int line = LineHeight();
    QCOMPARE(panels[0]->height(), 6 * line + 45);
    QCOMPARE(panels[3]->height(), line + 45);  // "Całkowita ilość emisji w zadanym przedziale."
    QCOMPARE(panels[12]->height(), 2 * line + 45);  // the longest explanation
    if (HasTahoma()) {
        QCOMPARE(line, 13);
        QCOMPARE(panels[0]->height(), 123);
        QCOMPARE(panels[3]->height(), 58);
        QCOMPARE(panels[12]->height(), 71);
    }
}

void TestTFLegenda::firstEntryShowsSixLinesInsideItsFrame() {
    const auto& entry = veltra::LegendTexts()[0];
    const QImage picture = veltra::RenderLegendEntry(entry.Heading, entry.Explanation, kPanelWidth,
                                                     veltra::kTitleBandHeight);
    const int line = LineHeight();
    for (int i = 0; i < 6; ++i) {
        // The fifth line is the single space that separates the two groups.
        QCOMPARE(HasInk(picture, 25 + i * line, line), i != 4);
    }
    QVERIFY(!HasInk(picture, 20, 5));
    QVERIFY(!HasInk(picture, 25 + 6 * line, picture.height() - 1 - (25 + 6 * line)));
    const QRgb frame = QColor::fromRgb(veltra::kFrameColor).rgb();
    QCOMPARE(picture.pixel(300, picture.height() - 1), frame);
    QCOMPARE(picture.pixel(0, 60), frame);
    QCOMPARE(picture.pixel(kPanelWidth - 1, 60), frame);
}

void TestTFLegenda::wheelMovesTenPixelsPerNotch() {
    veltra::TFLegenda legend;
    Open(legend);
    QLabel* first = Panels(legend).first();
    QWidget* viewport = ScrollBox(legend)->viewport();

    for (int notch = 0; notch < 3; ++notch) {
        Turn(first, -120);
    }
    QCOMPARE(Position(legend), 30);
    QCOMPARE(first->mapTo(viewport, QPoint(0, 0)).y(), -30);

    // Half notches wait for their other half.
    Turn(first, -60);
    QCOMPARE(Position(legend), 30);
    Turn(first, -60);
    QCOMPARE(Position(legend), 40);

    // Over the picture and over the scroll bar the wheel does the same.
    Turn(legend.findChild<QLabel*>(QStringLiteral("Image1")), 120);
    QCOMPARE(Position(legend), 30);
    Turn(ScrollBox(legend)->verticalScrollBar(), -240);
    QCOMPARE(Position(legend), 50);

    legend.FormMouseWheelUp();
    QCOMPARE(Position(legend), 40);

    // Whatever modifier is held.
    Turn(first, -120, Qt::AltModifier);
    QCOMPARE(Position(legend), 50);
    Turn(first, -120, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Position(legend), 60);
    Turn(first, 120, Qt::AltModifier);
    QCOMPARE(Position(legend), 50);
}

void TestTFLegenda::wheelIsClampedAtBothEnds() {
    veltra::TFLegenda legend;
    Open(legend);
    QWidget* viewport = ScrollBox(legend)->viewport();
    const QList<QLabel*> panels = Panels(legend);
    const int total = std::accumulate(panels.begin(), panels.end(), 0,
                                      [](int sum, const QLabel* p) { return sum + p->height(); });

    Turn(viewport, 120);
    QCOMPARE(Position(legend), 0);

    const int bottom = total - kBoxHeight;
    for (int notch = 0; notch < bottom / 10 + 5; ++notch) {
        Turn(viewport, -120);
    }
    QCOMPARE(Position(legend), bottom);
    // The last panel's frame ends at the box's lower edge.
    QCOMPARE(panels.last()->mapTo(viewport, QPoint(0, panels.last()->height())).y(), kBoxHeight);

    Turn(viewport, 120);
    QCOMPARE(Position(legend), bottom - 10);
}

void TestTFLegenda::closingReleasesThePanelsAndReopeningStartsAtTheTop() {
    veltra::TFLegenda legend;
    Open(legend);
    QPointer<QLabel> old = Panels(legend).first();
    Turn(ScrollBox(legend)->viewport(), -600);
    QCOMPARE(Position(legend), 50);

    QVERIFY(legend.close());
    QVERIFY(!legend.isVisible());
    QVERIFY(old.isNull());
    QVERIFY(Panels(legend).isEmpty());

    Open(legend);
    QCOMPARE(Panels(legend).size(), 17);
    QCOMPARE(Position(legend), 0);
    QCOMPARE(Panels(legend).first()->y(), 0);

    // A new window, as each press of the button makes, opens at the top too.
    veltra::TFLegenda next;
    Open(next);
    QCOMPARE(Position(next), 0);
}

QTEST_MAIN(TestTFLegenda)
#include "tst_tflegenda.moc"
