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

}  // namespace veltra
