// Builds the main window's controls at the pixel positions the window was
// designed with (96 dots per inch); the window never resizes, so nothing is
// laid out dynamically.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <span>

#include "bit_btn.h"
#include "button_glyphs.h"
#include "display_text.h"
#include "figure_field.h"
#include "tform1.h"
#include "tgauge.h"
#include "titled_frame.h"
#include "win_label.h"

namespace veltra {
namespace {

// Where each of the engine's figure panels lies, in the engine's order, and
// where its fields go: one column of fields, each at its own top, in the
// panel's order. The first panel, the error counts, lays out on its own.
struct PanelPlace {
    QRect image;
    int fieldLeft = 0;
    int fieldWidth = 0;
    std::array<int, 7> fieldTops{};
};

constexpr PanelPlace kPanelPlaces[] = {
    {QRect(8, 72, 193, 89)},
    {QRect(215, 72, 154, 385), 232, 121, {123, 171, 219, 267, 315, 368, 416}},
    {QRect(391, 72, 154, 385), 408, 121, {123, 171, 219, 267, 315, 368, 416}},
    {QRect(551, 72, 154, 337), 568, 121, {123, 171, 219, 267, 320, 368}},
    {QRect(8, 183, 193, 226), 20, 165, {227, 267, 320, 368}},
};

// The error counts: a caption and its count side by side, one row per field
// of the first panel.
struct CountPlace {
    std::string_view captionName;
    QPoint caption;
    QPoint count;
};

constexpr CountPlace kCountPlaces[] = {
    {"Label2", {42, 112}, {147, 112}},
    {"Label3", {22, 131}, {137, 131}},
};

// "pokaż" stands beside the missing-nationality count while the count is
// short enough (up to 4 digits); a longer count pushes it right, and where
// that would leave the panel, onto the line below.
constexpr QPoint kPokazPlace(165, 131);
constexpr int kPokazGap = 4;
constexpr int kPokazLineBelow = 15;

constexpr int kFieldHeight = 21;
// The caption's top lies 16 pixels above its field: 13 pixels of text and a
// 3-pixel gap.
constexpr int kCaptionAbove = 16;

// LabeledEditN is the Nth of the edit fields, which follow one another in
// the engine's numbering.
std::size_t LabeledEditIndex(Field field) {
    return static_cast<std::size_t>(field) - static_cast<std::size_t>(Field::TotalCount);
}

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

WinLabel* PlaceLabel(QWidget* parent, std::string_view name, const QString& text, int left,
                     int top) {
    auto* label = new WinLabel(text, parent);
    label->setObjectName(FromUtf8(name));
    label->move(left, top);
    return label;
}

TGauge* PlaceGauge(QWidget* parent, const char* name, int top) {
    auto* gauge = new TGauge(parent);
    gauge->setObjectName(QString::fromLatin1(name));
    gauge->setGeometry(192, top, 409, 14);
    gauge->SetForeColor(QColor::fromRgb(kFrameColor));
    gauge->SetProgress(0);
    return gauge;
}

}  // namespace

void TForm1::CreateTopPanel() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 714, 57);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);

    BitBtn1 = new BitBtn(QStringLiteral("Wybierz pliki do raportu"), FolderGlyph(), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(20, 2, 153, 52);

    Label1 = PlaceLabel(Panel1, "Label1", QStringLiteral("Postęp:"), 192, 5);
    Label1->SetDesignedWidth(37);
    Gauge1 = PlaceGauge(Panel1, "Gauge1", 20);
    Gauge2 = PlaceGauge(Panel1, "Gauge2", 36);

    BitBtn2 = new BitBtn(QStringLiteral("Legenda"), ClipboardGlyph(), Panel1);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(622, 2, 75, 52);
}

void TForm1::CreateTitledPanels() {
    for (std::size_t i = 0; i < Images.size(); ++i) {
        Images[i] = new QLabel(this);
        Images[i]->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        Images[i]->setGeometry(kPanelPlaces[i].image);
    }
}

void TForm1::CreateErrorCounts() {
    const std::span<const Field> counts = FigurePanels().front().fields;
    for (std::size_t row = 0; row < counts.size(); ++row) {
        const Field field = counts[row];
        const CountPlace& place = kCountPlaces[row];
        PlaceLabel(this, place.captionName, FromUtf8(FieldCaption(field)), place.caption.x(),
                   place.caption.y());
        WinLabel* count = PlaceLabel(this, FieldName(field), FromUtf8(InitialFigure(field).Text()),
                                     place.count.x(), place.count.y());
        count->setFont(Bold(font()));
        runHost_.Figures().Attach(field, [count](const QString& text) { count->setText(text); });
        if (field == Field::MissingNationality) {
            LBrakNarodowosc = count;
        } else {
            LniepInformacja = count;
        }
    }
    LPokaz = PlaceLabel(this, "LPokaz", QStringLiteral("pokaż"), kPokazPlace.x(), kPokazPlace.y());
    LPokaz->setEnabled(false);
    connect(LBrakNarodowosc, &WinLabel::textChanged, this, &TForm1::PlacePokaz);

    PlaceLabel(this, "Label4",
               QStringLiteral("Jako debiutanci traktowani są artyści, których nagrania w plikach "
                              "DAT w polu KOD mają literę \"n\"."),
               8, 481)
        ->SetDesignedWidth(466);
}

void TForm1::PlacePokaz() {
    const int countEnd = LBrakNarodowosc->geometry().right() + 1 + kPokazGap;
    // Inside the panel's frame line.
    const int panelEnd = Images[0]->geometry().right();
    QPoint place = kPokazPlace;
    if (countEnd > place.x()) {
        place = countEnd + LPokaz->width() <= panelEnd
                    ? QPoint(countEnd, place.y())
                    : QPoint(place.x(), place.y() + kPokazLineBelow);
    }
    LPokaz->move(place);
}

void TForm1::CreateFigureFields() {
    const std::span<const FigurePanel> panels = FigurePanels();
    for (std::size_t i = 1; i < panels.size(); ++i) {
        const PanelPlace& place = kPanelPlaces[i];
        for (std::size_t row = 0; row < panels[i].fields.size(); ++row) {
            const Field field = panels[i].fields[row];
            const int top = place.fieldTops[row];
            auto* edit = new QLineEdit(FromUtf8(InitialFigure(field).Text()), this);
            edit->setObjectName(FromUtf8(FieldName(field)));
            edit->setGeometry(place.fieldLeft, top, place.fieldWidth, kFieldHeight);
            edit->setReadOnly(true);
            edit->setFont(Bold(font()));
            auto* caption = new WinLabel(FromUtf8(FieldCaption(field)), this);
            caption->setObjectName(edit->objectName() + QStringLiteral("Label"));
            caption->move(place.fieldLeft, top - kCaptionAbove);
            LabeledEdits[LabeledEditIndex(field)] = edit;
            runHost_.Figures().Attach(field, [edit](const QString& text) { edit->setText(text); });
        }
    }
}

void TForm1::SetTabOrder() {
    // The fields follow their numbers, not their places on screen.
    QWidget* previous = BitBtn2;
    setTabOrder(BitBtn1, BitBtn2);
    for (QLineEdit* edit : LabeledEdits) {
        setTabOrder(previous, edit);
        previous = edit;
    }
    BitBtn1->setFocus();
}

}  // namespace veltra
