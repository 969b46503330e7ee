#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "figure_field.h"

namespace veltra {

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
