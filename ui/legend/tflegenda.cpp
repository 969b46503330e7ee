#include "tflegenda.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "legend_panel.h"
#include "proportional_size.h"
#include "titled_frame.h"
#include "window_font.h"

namespace veltra {
namespace {

constexpr QSize kClientSize(642, 644);
constexpr QRect kImageGeometry(0, 0, 641, 281);
constexpr QRect kScrollBoxGeometry(0, 287, 642, 357);
// The panels leave this strip of the box free for its vertical scroll bar.
constexpr int kScrollBarStrip = 18;
constexpr int kWheelNotch = 120;
constexpr int kWheelStep = 10;

// The turn of the wheel in the vertical direction, whatever modifier is
// held: Qt's X11 backend reports a wheel turned with Alt held as a
// horizontal one.
int VerticalTurn(const QWheelEvent& event) {
    const QPoint delta = event.angleDelta();
    if (delta.y() == 0 && event.modifiers().testFlag(Qt::AltModifier)) {
        return delta.x();
    }
    return delta.y();
}

// Scaled once, straight to the screen's pixels, so that a scaled screen does
// not stretch an already shrunk picture again.
QPixmap ScaledTablePicture(qreal ratio) {
    const QPixmap picture(QStringLiteral(":/legend/table_picture.bmp"));
    const QSize size = ProportionalSize(picture.size(), kImageGeometry.size());
    QPixmap scaled =
        picture.scaled(QSize(qRound(size.width() * ratio), qRound(size.height() * ratio)),
                       Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    return scaled;
}

}  // namespace

TFLegenda::TFLegenda(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Veltra - Legenda"));
    setFont(WindowFont());
    setFixedSize(kClientSize);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(kImageGeometry);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(ScaledTablePicture(devicePixelRatioF()));

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(kScrollBoxGeometry);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panelHost = new QWidget;
    panelHost->resize(kScrollBoxGeometry.width() - kScrollBarStrip, 0);
    ScrollBox1->setWidget(panelHost);
    // The wheel moves the list only through the form's own handlers, by their
    // fixed step, never by the scroll area's default one.
    ScrollBox1->viewport()->installEventFilter(this);
    ScrollBox1->verticalScrollBar()->installEventFilter(this);

    FormCreate();
}

void TFLegenda::FormCreate() {
    LegendEntries = LegendTexts();
}

void TFLegenda::FormShow() {
    Legenda();
}

void TFLegenda::FormClose() {
    ReleasePanels();
}

void TFLegenda::FormMouseWheelDown() {
    ScrollBy(kWheelStep);
}

void TFLegenda::FormMouseWheelUp() {
    ScrollBy(-kWheelStep);
}

void TFLegenda::done(int result) {
    // Every way of closing the dialog (close button, system command, Escape)
    // ends here, so the panels are always released with the window.
    FormClose();
    QDialog::done(result);
}

void TFLegenda::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TFLegenda::wheelEvent(QWheelEvent* event) {
    TurnWheel(VerticalTurn(*event));
}

bool TFLegenda::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        TurnWheel(VerticalTurn(*static_cast<QWheelEvent*>(event)));
        // Accepted, so that the turn goes no further up to this window.
        event->accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFLegenda::Legenda() {
    // A window shown again without closing must not stack a second list.
    ReleasePanels();
    HeadingBandHeight = kTitleBandHeight;
    int top = 0;
    for (int index = 0; index < kLegendEntryCount; ++index) {
        auto* panel = new QLabel(panelHost);
        panel->setObjectName(QStringLiteral("EntryPanel%1").arg(index));
        panel->move(0, top);
        EntryPanels[index] = panel;
        Rysuj(index, LegendEntries[index].Heading, LegendEntries[index].Explanation);
        top += panel->height();
        panel->show();
    }
    panelHost->resize(panelHost->width(), top);
    ScrollBox1->verticalScrollBar()->setValue(0);
}

void TFLegenda::Rysuj(int index, const QString& heading, const QString& explanation) {
    QLabel* panel = EntryPanels[index];
    const QImage picture = RenderLegendEntry(heading, explanation, panelHost->width(),
                                             HeadingBandHeight, devicePixelRatioF());
    panel->setFixedSize(picture.deviceIndependentSize().toSize());
    panel->setPixmap(QPixmap::fromImage(picture));
}

void TFLegenda::ReleasePanels() {
    for (QLabel*& panel : EntryPanels) {
        delete panel;
        panel = nullptr;
    }
    panelHost->resize(panelHost->width(), 0);
}

void TFLegenda::TurnWheel(int angleDelta) {
    // Rotation away from the user is positive; each full notch is one step,
    // and a part of a notch waits for the rest of it.
    wheelAccumulator += angleDelta;
    while (wheelAccumulator >= kWheelNotch) {
        wheelAccumulator -= kWheelNotch;
        FormMouseWheelUp();
    }
    while (wheelAccumulator <= -kWheelNotch) {
        wheelAccumulator += kWheelNotch;
        FormMouseWheelDown();
    }
}

void TFLegenda::ScrollBy(int pixels) {
    // The scroll bar clamps the position to its range.
    QScrollBar* bar = ScrollBox1->verticalScrollBar();
    bar->setValue(bar->value() + pixels);
}

}  // namespace veltra
