#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace veltra {

// The 26 display fields of the report. A count and its seconds are the
// items of one category; a share is a percentage of the items of its band
// (or of all items), one "OfPolish" of the Polish items. The order is the
// main window's numbering of the controls that show them: the two error
// counts, then LabeledEdit1 to LabeledEdit24.
enum class Field : unsigned char {
    IncompleteLines,
    MissingNationality,
    TotalCount,
    PolishCount,
    DayCount,
    DayPolishOtherCount,
    TotalSeconds,
    PolishSeconds,
    DaySeconds,
    DayPolishOtherSeconds,
    PolishCountShare,
    DayPolishOtherCountShare,
    PolishSecondsShare,
    DayPolishOtherSecondsShare,
    DayPolishOtherCountShareOfPolish,
    DayPolishOtherSecondsShareOfPolish,
    NightCount,
    NightSeconds,
    NightPolishCount,
    NightPolishSeconds,
    NightPolishCountShareOfPolish,
    NightPolishSecondsShareOfPolish,
    NightPolishCountShare,
    NightPolishSecondsShare,
    DayPolishDebutCount,
    DayPolishDebutSeconds,
};

inline constexpr std::size_t kDisplayFieldCount = 26;

// The name of the main window's control that shows a field, e.g.
// "LabeledEdit23" for DayPolishDebutCount: the window finds its controls by
// it and the driver's --json names the figures so.
std::string_view FieldName(Field field);

// The caption shown beside a field (UTF-8), e.g. "Deb. pl w godz. 5-24:".
std::string_view FieldCaption(Field field);

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
