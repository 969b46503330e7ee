#include "figure_panels.h"

#include <array>

namespace veltra {

namespace {

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
