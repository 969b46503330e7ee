#include "figure_field.h"

#include <array>

namespace veltra {

namespace {

struct FieldText {
    std::string_view name;
    std::string_view caption;
};

// Indexed by Field.
constexpr std::array<FieldText, kDisplayFieldCount> kFieldTexts{{
    {"LniepInformacja", "Niepełna informacja:"},
    {"LBrakNarodowosc", "Brak pola narodowość:"},
    {"LabeledEdit1", "Całkowita ilość emisji:"},
    {"LabeledEdit2", "Ilość pozycji polskich:"},
    {"LabeledEdit3", "Ilość emisji w godz. 5-24:"},
    {"LabeledEdit4", "Poz. pl w godz. 5-24:"},
    {"LabeledEdit5", "Całkowity czas emisji:"},
    {"LabeledEdit6", "Pozycje polskie:"},
    {"LabeledEdit7", "Czas emisji w g. 5-24:"},
    {"LabeledEdit8", "Poz. pl w godz. 5-24:"},
    {"LabeledEdit9", "Stosunek il. pl do reszty:"},
    {"LabeledEdit10", "Stos. il. pl do reszty 5-24:"},
    {"LabeledEdit11", "Czas polskich do reszty:"},
    {"LabeledEdit12", "Czas pl do reszty g. 5-24:"},
    {"LabeledEdit13", "Stosunek il. pl w g. 5-24 do całości:"},
    {"LabeledEdit14", "Stos. czasu pl w g. 5-24 do całości:"},
    {"LabeledEdit15", "Ilość emisji w godz. 24-5:"},
    {"LabeledEdit16", "Czas emisji w g. 24-5:"},
    {"LabeledEdit17", "Polskie w godz. 24-5:"},
    {"LabeledEdit18", "Polskie w godz. 24-5:"},
    {"LabeledEdit19", "Stosunek il. pl w g. 24-5 do całości:"},
    {"LabeledEdit20", "Stos. czasu pl w g. 24-5 do całości:"},
    {"LabeledEdit21", "Stos. il. pl do reszty 24-5:"},
    {"LabeledEdit22", "Czas pl do reszty g. 24-5"},
    {"LabeledEdit23", "Deb. pl w godz. 5-24:"},
    {"LabeledEdit24", "Deb. pl w godz. 5-24:"},
}};

const FieldText& TextsOf(Field field) {
    return kFieldTexts[static_cast<std::size_t>(field)];
}

using enum Field;

constexpr std::array kErrorFields{LniepInformacja, LBrakNarodowosc};
constexpr std::array kCountFields{LabeledEdit1, LabeledEdit2,  LabeledEdit3, LabeledEdit23,
                                  LabeledEdit4, LabeledEdit15, LabeledEdit17};
constexpr std::array kDurationFields{LabeledEdit5, LabeledEdit6,  LabeledEdit7, LabeledEdit24,
                                     LabeledEdit8, LabeledEdit16, LabeledEdit18};
constexpr std::array kPercentFields{LabeledEdit9,  LabeledEdit10, LabeledEdit21,
                                    LabeledEdit11, LabeledEdit12, LabeledEdit22};
constexpr std::array kTableFields{LabeledEdit13, LabeledEdit14, LabeledEdit19, LabeledEdit20};

constexpr std::array kTableRowFields{LabeledEdit5, LabeledEdit24, LabeledEdit8, LabeledEdit18};

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

std::string_view FieldInitialText(Field field) {
    // The two count labels start at "0"; the edit fields start empty.
    return field == Field::LniepInformacja || field == Field::LBrakNarodowosc ? "0" : "";
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
