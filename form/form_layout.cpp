#include "form_layout.h"

#include <array>

namespace veltra::form {

namespace {

constexpr std::array<int, kLastColumn> kColumnWidths{112, 94, 95, 95, 95, 15, 116, 63, 116, 63};
constexpr std::array<int, kLastRow> kRowHeights{28, 13, 33, 33, 33, 13, 54, 37, 47, 26, 26, 26};

Paragraph Plain(std::string_view text) {
    return {{text}};
}

Paragraph Small(std::string_view text) {
    return {{.text = text, .small = true}};
}

const Paragraph kTimeFormat{{.text = "[gg:mm:ss]", .bold = true, .italic = true}};

std::vector<Cell> MakeCells() {
    using enum Alignment;
    std::vector<Cell> cells{
        {{1, 1, 10, 1},
         kInputFill,
         false,
         {{{"Realizacja "},
           {.text = "ART. 15, UST. 2, 2a i 2b", .bold = true},
           {" Ustawy o radiofonii i telewizji z "},
           {.text = "dn", .misspelt = true},
           {" 29 grudnia 1992 r. z p. "},
           {.text = "zm.", .misspelt = true}}}},
        {{1, 3, 2, 3}, kLabelFill, true, {Plain("Nazwa programu")}, LeftMiddle},
        {{3, 3, 10, 3}},
        {{1, 4, 2, 4}, kLabelFill, true, {Plain("Numer koncesji")}, LeftMiddle},
        {{3, 4, 10, 4}},
        {{1, 5, 2, 5},
         kLabelFill,
         true,
         {Plain("Osoba sporządzająca sprawozdanie"),
          {{.text = "(imię, nazwisko, kontakt tel./e-mail)", .italic = true}}},
         LeftMiddle},
        {{3, 5, 10, 5}},
        {{1, 7, 1, 9}, kLabelFill, true, {Plain("miesiąc")}},
        {{2, 7, 2, 9},
         kLabelFill,
         true,
         {Plain("miesięczny czas nadawania utworów słowno-muzycznych"), kTimeFormat}},
        // In the smaller type: at full size the heading and its time format
        // take four lines, more than the row holds.
        {{3, 7, 5, 7},
         kLabelFill,
         true,
         {{{.text = "czas poświęcony na nadawanie utworów ", .small = true},
           {.text = "słownomuzycznych", .small = true, .misspelt = true},
           {.text = " wykonywanych w języku polskim", .small = true}},
          kTimeFormat}},
        {{3, 8, 4, 8}, kLabelFill, true, {Plain("w godz. 5.00-24.00")}},
        {{5, 8, 5, 9}, kLabelFill, true, {Plain("w godz. 24.00-5.00")}},
        {{3, 9, 3, 9}, kLabelFill, true, {Plain("wykonywane przez debiutanta*")}},
        {{4, 9, 4, 9}, kLabelFill, true, {Plain("pozostałe")}},
        {{6, 7, 6, 12}, kInputFill, false},
        {{7, 7, 10, 7}, kLabelFill, true, {Plain("zgodność z ustawą")}},
        {{7, 8, 8, 9},
         kLabelFill,
         true,
         {Small("udział utworów słowno-muzycznych wykonywanych w języku polskim wśród "
                "wszystkich utworów słowno-muzycznych")}},
        {{9, 8, 10, 9},
         kLabelFill,
         true,
         {Small("udział utworów słowno-muzycznych wykonywanych w języku polskim w godzinach "
                "5.00-24.00 wśród wszystkich utworów słowno-muzycznych wykonywanych w języku "
                "polskim")}},
    };
    for (int row = kFirstMonthRow; row <= kLastRow; ++row) {
        for (int column = kMonthColumn; column <= kTotalColumn + 3; ++column) {
            cells.push_back({{column, row, column, row}});
        }
        for (int column : {kPolishShareColumn, kDayPolishShareColumn}) {
            cells.push_back({{column, row, column, row}, kResultFill, true, {Plain("0%")}});
        }
        for (int column : {kPolishShareColumn + 1, kDayPolishShareColumn + 1}) {
            cells.push_back({{column, row, column, row}, kLabelFill});
        }
    }
    return cells;
}

}  // namespace

const std::vector<Cell>& Cells() {
    static const std::vector<Cell> cells = MakeCells();
    return cells;
}

std::span<const int> ColumnWidths() {
    return kColumnWidths;
}

std::span<const int> RowHeights() {
    return kRowHeights;
}

}  // namespace veltra::form
