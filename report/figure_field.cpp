#include "figure_field.h"

#include <array>

namespace veltra {

namespace {

struct FieldText {
    Field field;
    std::string_view name;
    std::string_view caption;
};

using enum Field;

// Indexed by Field: each field with the control that shows it and its
// caption.
constexpr std::array<FieldText, kDisplayFieldCount> kFieldTexts{{
    {IncompleteLines, "LniepInformacja", "Niepełna informacja:"},
    {MissingNationality, "LBrakNarodowosc", "Brak pola narodowość:"},
    {TotalCount, "LabeledEdit1", "Całkowita ilość emisji:"},
    {PolishCount, "LabeledEdit2", "Ilość pozycji polskich:"},
    {DayCount, "LabeledEdit3", "Ilość emisji w godz. 5-24:"},
    {DayPolishOtherCount, "LabeledEdit4", "Poz. pl w godz. 5-24:"},
    {TotalSeconds, "LabeledEdit5", "Całkowity czas emisji:"},
    {PolishSeconds, "LabeledEdit6", "Pozycje polskie:"},
    {DaySeconds, "LabeledEdit7", "Czas emisji w g. 5-24:"},
    {DayPolishOtherSeconds, "LabeledEdit8", "Poz. pl w godz. 5-24:"},
    {PolishCountShare, "LabeledEdit9", "Stosunek il. pl do reszty:"},
    {DayPolishOtherCountShare, "LabeledEdit10", "Stos. il. pl do reszty 5-24:"},
    {PolishSecondsShare, "LabeledEdit11", "Czas polskich do reszty:"},
    {DayPolishOtherSecondsShare, "LabeledEdit12", "Czas pl do reszty g. 5-24:"},
    {DayPolishOtherCountShareOfPolish, "LabeledEdit13", "Stosunek il. pl w g. 5-24 do całości:"},
    {DayPolishOtherSecondsShareOfPolish, "LabeledEdit14", "Stos. czasu pl w g. 5-24 do całości:"},
    {NightCount, "LabeledEdit15", "Ilość emisji w godz. 24-5:"},
    {NightSeconds, "LabeledEdit16", "Czas emisji w g. 24-5:"},
    {NightPolishCount, "LabeledEdit17", "Polskie w godz. 24-5:"},
    {NightPolishSeconds, "LabeledEdit18", "Polskie w godz. 24-5:"},
    {NightPolishCountShareOfPolish, "LabeledEdit19", "Stosunek il. pl w g. 24-5 do całości:"},
    {NightPolishSecondsShareOfPolish, "LabeledEdit20", "Stos. czasu pl w g. 24-5 do całości:"},
    {NightPolishCountShare, "LabeledEdit21", "Stos. il. pl do reszty 24-5:"},
    {NightPolishSecondsShare, "LabeledEdit22", "Czas pl do reszty g. 24-5"},
    {DayPolishDebutCount, "LabeledEdit23", "Deb. pl w godz. 5-24:"},
    {DayPolishDebutSeconds, "LabeledEdit24", "Deb. pl w godz. 5-24:"},
}};

constexpr bool InFieldOrder() {
    for (std::size_t i = 0; i < kFieldTexts.size(); ++i) {
        if (kFieldTexts[i].field != static_cast<Field>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(InFieldOrder());

const FieldText& TextsOf(Field field) {
    return kFieldTexts[static_cast<std::size_t>(field)];
}

constexpr std::array kErrorFields{IncompleteLines, MissingNationality};
constexpr std::array kCountFields{TotalCount,          PolishCount,         DayCount,
                                  DayPolishDebutCount, DayPolishOtherCount, NightCount,
                                  NightPolishCount};
constexpr std::array kDurationFields{TotalSeconds,          PolishSeconds,         DaySeconds,
                                     DayPolishDebutSeconds, DayPolishOtherSeconds, NightSeconds,
                                     NightPolishSeconds};
constexpr std::array kPercentFields{PolishCountShare,           DayPolishOtherCountShare,
                                    NightPolishCountShare,      PolishSecondsShare,
                                    DayPolishOtherSecondsShare, NightPolishSecondsShare};
constexpr std::array kTableFields{DayPolishOtherCountShareOfPolish,
                                  DayPolishOtherSecondsShareOfPolish, NightPolishCountShareOfPolish,
                                  NightPolishSecondsShareOfPolish};

constexpr std::array kTableRowFields{TotalSeconds, DayPolishDebutSeconds, DayPolishOtherSeconds,
                                     NightPolishSeconds};

constexpr std::array kPanels{
    FigurePanel{"Błędne wpisy", kErrorFields}, FigurePanel{"Emisje", kCountFields},
    FigurePanel{"Czasy", kDurationFields},     FigurePanel{"Procenty", kPercentFields},
    FigurePanel{"Veltra", kTableFields},
};

}  // namespace

std::string_view FieldName(Field field) {
    return TextsOf(field).name;
}

std::string_view FieldCaption(Field field) {
    return TextsOf(field).caption;
}

std::span<const FigurePanel> FigurePanels() {
    return kPanels;
}

std::string TableRow(const std::function<std::string(Field)>& textOf) {
    std::string row;
    for (Field field : kTableRowFields) {
        if (field != kTableRowFields.front()) {
            row.push_back('\t');
        }
        row.append(textOf(field));
    }
    return row;
}

}  // namespace veltra
