#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace veltra::form {

// The regulator's quarterly form as its spreadsheet lays it out, cell by
// cell: the one description that both the legend's picture of the blank
// form and the filled-in spreadsheet are made from.

// Columns and rows count from 1: column 1 is A, row 1 the title row.
inline constexpr int kLastColumn = 10;  // J
inline constexpr int kLastRow = 12;

// Where the quarter's figures go.
inline constexpr int kHeaderValueColumn = 3;  // C3:J3, C4:J4, C5:J5
inline constexpr int kProgramRow = 3;
inline constexpr int kLicenceRow = 4;
inline constexpr int kPersonRow = 5;
inline constexpr int kFirstMonthRow = 10;        // one row per month, 10 to 12
inline constexpr int kMonthColumn = 1;           // A
inline constexpr int kTotalColumn = 2;           // B, then C, D, E
inline constexpr int kPolishShareColumn = 7;     // G
inline constexpr int kDayPolishShareColumn = 9;  // I

// Colours as 0xRRGGBB.
inline constexpr std::uint32_t kInputFill = 0xFFFFFF;
inline constexpr std::uint32_t kLabelFill = 0xD9D9D9;
inline constexpr std::uint32_t kResultFill = 0xF2F2F2;
inline constexpr std::uint32_t kBorderColour = 0x404040;

// Type sizes in pixels at 96 dpi: the form's text and its smaller type.
inline constexpr int kBodyPixels = 12;
inline constexpr int kSmallPixels = 11;

// A piece of a cell's text in one style (UTF-8).
struct TextRun {
    std::string_view text;
    bool bold = false;
    bool italic = false;
    bool small = false;
    bool misspelt = false;  // the regulator's own typo, underlined by spell checkers
};

// A line of a cell's text; the spreadsheet wraps it further to the cell.
using Paragraph = std::vector<TextRun>;

enum class Alignment : unsigned char { Centre, LeftMiddle };

// A cell or a merged area, from its top-left to its bottom-right cell.
struct Area {
    int column0, row0, column1, row1;
};

struct Cell {
    Area area;
    std::uint32_t fill = kInputFill;
    bool bordered = true;  // a border around the whole area
    std::vector<Paragraph> paragraphs = {};
    Alignment alignment = Alignment::Centre;
};

// Every cell of the blank form that has a fill, a border or a text.
const std::vector<Cell>& Cells();

// Widths of columns A to J and heights of rows 1 to 12 in pixels at 96 dpi,
// each with its grid line.
std::span<const int> ColumnWidths();
std::span<const int> RowHeights();

}  // namespace veltra::form
