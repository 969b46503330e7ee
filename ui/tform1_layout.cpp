// Builds the main window's controls at the pixel positions the window was
// designed with (96 dots per inch); the window never resizes, so nothing is
// laid out dynamically.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "bit_btn.h"
#include "button_glyphs.h"
#include "figure_field.h"
#include "tform1.h"
#include "tgauge.h"
#include "titled_frame.h"
#include "win_label.h"

namespace veltra {
namespace {

struct FieldPlace {
    Field field;
    int number;  // N of LabeledEditN: also its place in the tab order
    int left;
    int top;
    int width;
};

// In the order of the panels, top to bottom, as the figures are copied into
// the regulator's table.
constexpr FieldPlace kFieldPlaces[] = {
    {Field::LabeledEdit1, 1, 232, 123, 121},   {Field::LabeledEdit2, 2, 232, 171, 121},
    {Field::LabeledEdit3, 3, 232, 219, 121},   {Field::LabeledEdit23, 23, 232, 267, 121},
    {Field::LabeledEdit4, 4, 232, 315, 121},   {Field::LabeledEdit15, 15, 232, 368, 121},
    {Field::LabeledEdit17, 17, 232, 416, 121}, {Field::LabeledEdit5, 5, 408, 123, 121},
    {Field::LabeledEdit6, 6, 408, 171, 121},   {Field::LabeledEdit7, 7, 408, 219, 121},
    {Field::LabeledEdit24, 24, 408, 267, 121}, {Field::LabeledEdit8, 8, 408, 315, 121},
    {Field::LabeledEdit16, 16, 408, 368, 121}, {Field::LabeledEdit18, 18, 408, 416, 121},
    {Field::LabeledEdit9, 9, 568, 123, 121},   {Field::LabeledEdit10, 10, 568, 171, 121},
    {Field::LabeledEdit21, 21, 568, 219, 121}, {Field::LabeledEdit11, 11, 568, 267, 121},
    {Field::LabeledEdit12, 12, 568, 320, 121}, {Field::LabeledEdit22, 22, 568, 368, 121},
    {Field::LabeledEdit13, 13, 20, 227, 165},  {Field::LabeledEdit14, 14, 20, 267, 165},
    {Field::LabeledEdit19, 19, 20, 320, 165},  {Field::LabeledEdit20, 20, 20, 368, 165},
};

constexpr int kFieldHeight = 21;
// The caption's top lies 16 pixels above its field: 13 pixels of text and a
// 3-pixel gap.
constexpr int kCaptionAbove = 16;

struct PanelPlace {
    int left;
    int top;
    int width;
    int height;
};

constexpr PanelPlace kPanelPlaces[] = {
    {8, 72, 193, 89},    {215, 72, 154, 385}, {391, 72, 154, 385},
    {551, 72, 154, 337}, {8, 183, 193, 226},
};

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

WinLabel* PlaceLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* label = new WinLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
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
        const PanelPlace& place = kPanelPlaces[i];
        Images[i] = new QLabel(this);
        Images[i]->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        Images[i]->setGeometry(place.left, place.top, place.width, place.height);
    }
}

void TForm1::CreateErrorCounts() {
    PlaceLabel(this, "Label2", QStringLiteral("Niepełna informacja:"), 42, 112);
    LniepInformacja = PlaceLabel(this, "LniepInformacja", QStringLiteral("0"), 147, 112);
    LniepInformacja->setFont(Bold(font()));
    PlaceLabel(this, "Label3", QStringLiteral("Brak pola narodowość:"), 22, 131);
    LBrakNarodowosc = PlaceLabel(this, "LBrakNarodowosc", QStringLiteral("0"), 137, 131);
    LBrakNarodowosc->setFont(Bold(font()));
    LPokaz = PlaceLabel(this, "LPokaz", QStringLiteral("pokaż"), 165, 131);
    LPokaz->setEnabled(false);

    PlaceLabel(this, "Label4",
               QStringLiteral("Jako debiutanci traktowani są artyści, których nagrania w plikach "
                              "DAT w polu KOD mają literę \"n\"."),
               8, 481)
        ->SetDesignedWidth(466);

    display_.Attach(Field::LniepInformacja,
                    [label = LniepInformacja](const QString& text) { label->setText(text); });
    display_.Attach(Field::LBrakNarodowosc,
                    [label = LBrakNarodowosc](const QString& text) { label->setText(text); });
}

void TForm1::CreateFigureFields() {
    for (const FieldPlace& place : kFieldPlaces) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(Utf8(FieldName(place.field)));
        edit->setGeometry(place.left, place.top, place.width, kFieldHeight);
        edit->setReadOnly(true);
        edit->setFont(Bold(font()));
        auto* caption = new WinLabel(Utf8(FieldCaption(place.field)), this);
        caption->setObjectName(edit->objectName() + QStringLiteral("Label"));
        caption->move(place.left, place.top - kCaptionAbove);
        LabeledEdits[static_cast<std::size_t>(place.number - 1)] = edit;
        display_.Attach(place.field, [edit](const QString& text) { edit->setText(text); });
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
