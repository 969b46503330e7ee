#pragma once

#include <span>
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

}  // namespace veltra
