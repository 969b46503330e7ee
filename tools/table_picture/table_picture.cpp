#include "table_picture.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <array>

#include "sheet_text.h"

namespace {

constexpr QSize kPictureSize(893, 391);

// Last pixel of each column and row, the grid line included; index 0 is the
// row-number strip (columns) or the column-letter strip (rows).
constexpr std::array<int, 11> kColumnEnds{27, 139, 233, 328, 423, 518, 533, 649, 712, 828, 891};
constexpr std::array<int, 13> kRowEnds{21, 49, 62, 95, 128, 161, 174, 228, 265, 312, 338, 364, 390};
constexpr int kLastColumn = 10;  // J
constexpr int kLastRow = 12;

const QColor kStripColor(0xF0, 0xF0, 0xF0);
const QColor kStripSeparator(0xD0, 0xD0, 0xD0);
const QColor kStripEdge(0xAB, 0xAB, 0xAB);
const QColor kStripText(0x44, 0x44, 0x44);
const QColor kGridColor(0xD4, 0xD4, 0xD4);
const QColor kBorderColor(0x40, 0x40, 0x40);
const QColor kLabelFill(0xD9, 0xD9, 0xD9);
const QColor kResultFill(0xF2, 0xF2, 0xF2);
const QColor kInputFill(Qt::white);

int ColumnStart(int column) {
    return kColumnEnds[column - 1] + 1;
}
int RowStart(int row) {
    return kRowEnds[row - 1] + 1;
}

// A cell or a merged area, from its top-left cell to its bottom-right cell.
struct Area {
    int column0, row0, column1, row1;

    // The pixels inside the grid lines that enclose the area.
    QRect Inside() const {
        return QRect(QPoint(ColumnStart(column0), RowStart(row0)),
                     QPoint(kColumnEnds[column1] - 1, kRowEnds[row1] - 1));
    }
};

struct Cell {
    Area area;
    QColor fill;
    bool bordered = true;
    CellText text = {};
};

// A narrow sans-serif face with true bold and italic forms, close to the
// spreadsheet's own font in width so the form's texts fit their cells.
QFont SheetFont(int pixelSize, bool bold = false, bool italic = false) {
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

Paragraph Plain(const QString& text, const QFont& font) {
    return {{text, font}};
}

CellText Label(std::vector<Paragraph> paragraphs, Qt::Alignment alignment = Qt::AlignCenter) {
    return {std::move(paragraphs), alignment};
}

// The form as the regulator publishes it, cell by cell.
std::vector<Cell> FormCells() {
    const QFont body = SheetFont(12);
    const QFont bold = SheetFont(12, true);
    const QFont italic = SheetFont(12, false, true);
    const QFont boldItalic = SheetFont(12, true, true);
    const QFont small = SheetFont(11);
    const Qt::Alignment leftMiddle = Qt::AlignLeft | Qt::AlignVCenter;
    const Paragraph timeFormat = Plain(QStringLiteral("[gg:mm:ss]"), boldItalic);
    std::vector<Cell> cells{
        {{1, 1, 10, 1},
         kInputFill,
         false,
         Label({{{QStringLiteral("Realizacja "), body},
                 {QStringLiteral("ART. 15, UST. 2, 2a i 2b"), bold},
                 {QStringLiteral(" Ustawy o radiofonii i telewizji z "), body},
                 {QStringLiteral("dn"), body, true},
                 {QStringLiteral(" 29 grudnia 1992 r. z p. "), body},
                 {QStringLiteral("zm."), body, true}}})},
        {{1, 3, 2, 3},
         kLabelFill,
         true,
         Label({Plain(QStringLiteral("Nazwa programu"), body)}, leftMiddle)},
        {{3, 3, 10, 3}, kInputFill},
        {{1, 4, 2, 4},
         kLabelFill,
         true,
         Label({Plain(QStringLiteral("Numer koncesji"), body)}, leftMiddle)},
        {{3, 4, 10, 4}, kInputFill},
        {{1, 5, 2, 5},
         kLabelFill,
         true,
         Label({Plain(QStringLiteral("Osoba sporządzająca sprawozdanie"), body),
                Plain(QStringLiteral("(imię, nazwisko, kontakt tel./e-mail)"), italic)},
               leftMiddle)},
        {{3, 5, 10, 5}, kInputFill},
        {{1, 7, 1, 9}, kLabelFill, true, Label({Plain(QStringLiteral("miesiąc"), body)})},
        {{2, 7, 2, 9},
         kLabelFill,
         true,
         Label({Plain(QStringLiteral("miesięczny czas nadawania utworów słowno-muzycznych"), body),
                timeFormat})},
        {{3, 7, 5, 7},
         kLabelFill,
         true,
         // In the smaller type: at full size the heading and its time format
         // take four lines, more than the row holds.
         Label({{{QStringLiteral("czas poświęcony na nadawanie utworów "), small},
                 {QStringLiteral("słownomuzycznych"), small, true},
                 {QStringLiteral(" wykonywanych w języku polskim"), small}},
                timeFormat})},
        {{3, 8, 4, 8},
         kLabelFill,
         true,
         Label({Plain(QStringLiteral("w godz. 5.00-24.00"), body)})},
        {{5, 8, 5, 9},
         kLabelFill,
         true,
         Label({Plain(QStringLiteral("w godz. 24.00-5.00"), body)})},
        {{3, 9, 3, 9},
         kLabelFill,
         true,
         Label({Plain(QStringLiteral("wykonywane przez debiutanta*"), body)})},
        {{4, 9, 4, 9}, kLabelFill, true, Label({Plain(QStringLiteral("pozostałe"), body)})},
        {{6, 7, 6, 12}, kInputFill, false},
        {{7, 7, 10, 7},
         kLabelFill,
         true,
         Label({Plain(QStringLiteral("zgodność z ustawą"), body)})},
        {{7, 8, 8, 9},
         kLabelFill,
         true,
         Label({Plain(QStringLiteral("udział utworów słowno-muzycznych wykonywanych w języku "
                                     "polskim wśród wszystkich utworów słowno-muzycznych"),
                      small)})},
        {{9, 8, 10, 9},
         kLabelFill,
         true,
         Label({Plain(QStringLiteral("udział utworów słowno-muzycznych wykonywanych w języku "
                                     "polskim w godzinach 5.00-24.00 wśród wszystkich utworów "
                                     "słowno-muzycznych wykonywanych w języku polskim"),
                      small)})},
    };
    for (int row = 10; row <= 12; ++row) {
        for (int column = 1; column <= 5; ++column) {
            cells.push_back({{column, row, column, row}, kInputFill});
        }
        for (int column : {7, 9}) {
            cells.push_back({{column, row, column, row},
                             kResultFill,
                             true,
                             Label({Plain(QStringLiteral("0%"), body)})});
        }
        for (int column : {8, 10}) {
            cells.push_back({{column, row, column, row}, kLabelFill});
        }
    }
    return cells;
}

void DrawGrid(QPainter& painter) {
    painter.setPen(kGridColor);
    for (int column = 1; column <= kLastColumn; ++column) {
        painter.drawLine(kColumnEnds[column], RowStart(1), kColumnEnds[column],
                         kPictureSize.height() - 1);
    }
    for (int row = 1; row <= kLastRow; ++row) {
        painter.drawLine(ColumnStart(1), kRowEnds[row], kPictureSize.width() - 1, kRowEnds[row]);
    }
}

// The column letters along the top and the row numbers down the left, each
// strip closed by a darker edge towards the sheet.
void DrawStrips(QPainter& painter) {
    const int top = kRowEnds[0];
    const int left = kColumnEnds[0];
    painter.fillRect(0, 0, kPictureSize.width(), top + 1, kStripColor);
    painter.fillRect(0, 0, left + 1, kPictureSize.height(), kStripColor);
    painter.setFont(SheetFont(12));
    for (int column = 1; column <= kLastColumn; ++column) {
        const QRect cell(QPoint(ColumnStart(column), 0), QPoint(kColumnEnds[column] - 1, top - 1));
        painter.setPen(kStripText);
        painter.drawText(cell, Qt::AlignCenter, QString(QChar(u'A' + column - 1)));
        painter.setPen(kStripSeparator);
        painter.drawLine(kColumnEnds[column], 0, kColumnEnds[column], top - 1);
    }
    for (int row = 1; row <= kLastRow; ++row) {
        const QRect cell(QPoint(0, RowStart(row)), QPoint(left - 1, kRowEnds[row] - 1));
        painter.setPen(kStripText);
        painter.drawText(cell, Qt::AlignCenter, QString::number(row));
        painter.setPen(kStripSeparator);
        painter.drawLine(0, kRowEnds[row], left - 1, kRowEnds[row]);
    }
    painter.setPen(kStripEdge);
    painter.drawLine(0, top, kPictureSize.width() - 1, top);
    painter.drawLine(left, 0, left, kPictureSize.height() - 1);
    // The select-all corner's triangle.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xDF, 0xDF, 0xDF));
    const std::array<QPoint, 3> triangle{QPoint(left - 3, top - 14), QPoint(left - 3, top - 3),
                                         QPoint(left - 14, top - 3)};
    painter.drawPolygon(triangle.data(), static_cast<int>(triangle.size()));
    painter.setBrush(Qt::NoBrush);
}

void DrawBorder(QPainter& painter, const Area& area) {
    const QRect inside = area.Inside();
    painter.setPen(kBorderColor);
    painter.drawRect(inside.adjusted(-1, -1, 0, 0));
}

}  // namespace

QImage DrawTablePicture() {
    QImage picture(kPictureSize, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);

    DrawGrid(painter);
    const std::vector<Cell> cells = FormCells();
    for (const Cell& cell : cells) {
        painter.fillRect(cell.area.Inside(), cell.fill);
    }
    for (const Cell& cell : cells) {
        if (cell.bordered) {
            DrawBorder(painter, cell.area);
        }
    }
    for (const Cell& cell : cells) {
        // Text keeps clear of the borders, as a spreadsheet's cell padding
        // does, and what still does not fit is cut off at them.
        painter.setClipRect(cell.area.Inside());
        DrawCellText(painter, cell.area.Inside().adjusted(3, 1, -3, -1), cell.text);
    }
    painter.setClipping(false);
    DrawStrips(painter);
    return picture;
}
