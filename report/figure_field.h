#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace veltra {

// The 26 display fields of the report, named after the main window's
// controls. The order is the controls' numbering, not the publishing order.
enum class Field : unsigned char {
    LniepInformacja,
    LBrakNarodowosc,
    LabeledEdit1,
    LabeledEdit2,
    LabeledEdit3,
    LabeledEdit4,
    LabeledEdit5,
    LabeledEdit6,
    LabeledEdit7,
    LabeledEdit8,
    LabeledEdit9,
    LabeledEdit10,
    LabeledEdit11,
    LabeledEdit12,
    LabeledEdit13,
    LabeledEdit14,
    LabeledEdit15,
    LabeledEdit16,
    LabeledEdit17,
    LabeledEdit18,
    LabeledEdit19,
    LabeledEdit20,
    LabeledEdit21,
    LabeledEdit22,
    LabeledEdit23,
    LabeledEdit24,
};

inline constexpr std::size_t kDisplayFieldCount = 26;

// The control name of a field, e.g. "LabeledEdit23".
std::string_view FieldName(Field field);

// The caption shown beside a field (UTF-8), e.g. "Deb. pl w godz. 5-24:".
std::string_view FieldCaption(Field field);

// What a field shows before anything is published to it: "0" for the two
// count labels, empty for the edit fields.
std::string_view FieldInitialText(Field field);

// A titled group of display fields, as the main window lays them out.
struct FigurePanel {
    std::string_view title;
    std::span<const Field> fields;
};

// The five panels of the main window in its order, each with its fields from
// top to bottom. The window and the command-line driver both group by it.
std::span<const FigurePanel> FigurePanels();

// One month's row of the regulator's quarterly table, columns B to E: the
// "Czasy" figures that the legend's first entry names, their texts separated
// by tabs so that a spreadsheet pastes them into four cells of one row.
std::string TableRow(const std::function<std::string(Field)>& textOf);

}  // namespace veltra
