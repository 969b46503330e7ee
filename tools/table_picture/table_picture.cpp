#include "table_picture.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <array>
#include <span>

#include "form_layout.h"

#include "sheet_text.h"

namespace {

constexpr QSize kPictureSize(893, 391);
constexpr int kColumnStrip = 28;  // the row numbers' width, its edge included
constexpr int kRowStrip = 22;     // the column letters' height, its edge included
constexpr int kLastColumn = veltra::form::kLastColumn;
constexpr int kLastRow = veltra::form::kLastRow;

const QColor kStripColor(0xF0, 0xF0, 0xF0);
const QColor kStripSeparator(0xD0, 0xD0, 0xD0);
const QColor kStripEdge(0xAB, 0xAB, 0xAB);
const QColor kStripText(0x44, 0x44, 0x44);
const QColor kGridColor(0xD4, 0xD4, 0xD4);
const QColor kBorderColor = QColor::fromRgb(veltra::form::kBorderColour);

// Last pixel of each column and row, the grid line included; index 0 is the
// row-number strip (columns) or the column-letter strip (rows).
template <std::size_t N>
std::array<int, N + 1> Ends(int strip, std::span<const int> sizes) {
    std::array<int, N + 1> ends{};
    ends[0] = strip - 1;
    for (std::size_t i = 0; i < N; ++i) {
        ends[i + 1] = ends[i] + sizes[i];
    }
    return ends;
}

const auto kColumnEnds = Ends<kLastColumn>(kColumnStrip, veltra::form::ColumnWidths());
const auto kRowEnds = Ends<kLastRow>(kRowStrip, veltra::form::RowHeights());

int ColumnStart(int column) {
    return kColumnEnds[column - 1] + 1;
}
int RowStart(int row) {
    return kRowEnds[row - 1] + 1;
}

// The pixels inside the grid lines that enclose the area.
QRect Inside(const veltra::form::Area& area) {
    return QRect(QPoint(ColumnStart(area.column0), RowStart(area.row0)),
                 QPoint(kColumnEnds[area.column1] - 1, kRowEnds[area.row1] - 1));
}

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

CellText TextOf(const veltra::form::Cell& cell) {
    CellText text;
    for (const veltra::form::Paragraph& paragraph : cell.paragraphs) {
        Paragraph& spans = text.paragraphs.emplace_back();
        for (const veltra::form::TextRun& run : paragraph) {
            const int size = run.small ? veltra::form::kSmallPixels : veltra::form::kBodyPixels;
            spans.push_back({QString::fromUtf8(run.text.data(), qsizetype(run.text.size())),
                             SheetFont(size, run.bold, run.italic), run.misspelt});
        }
    }
    text.alignment = cell.alignment == veltra::form::Alignment::Centre
                         ? Qt::Alignment(Qt::AlignCenter)
                         : Qt::AlignLeft | Qt::AlignVCenter;
    return text;
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

void DrawBorder(QPainter& painter, const veltra::form::Area& area) {
    const QRect inside = Inside(area);
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
    const std::vector<veltra::form::Cell>& cells = veltra::form::Cells();
    for (const veltra::form::Cell& cell : cells) {
        painter.fillRect(Inside(cell.area), QColor::fromRgb(cell.fill));
    }
    for (const veltra::form::Cell& cell : cells) {
        if (cell.bordered) {
            DrawBorder(painter, cell.area);
        }
    }
    for (const veltra::form::Cell& cell : cells) {
        // Text keeps clear of the borders, as a spreadsheet's cell padding
        // does, and what still does not fit is cut off at them.
        painter.setClipRect(Inside(cell.area));
        DrawCellText(painter, Inside(cell.area).adjusted(3, 1, -3, -1), TextOf(cell));
    }
    painter.setClipping(false);
    DrawStrips(painter);
    return picture;
}
