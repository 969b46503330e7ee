#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

class QPainter;

// Rich text of one spreadsheet cell: paragraphs of styled spans, wrapped at
// spaces and after hyphens the way a spreadsheet wraps a cell's text.
struct Span {
    QString text;
    QFont font;
    bool misspelt = false;  // gets the spell checker's red wavy underline
};

using Paragraph = std::vector<Span>;

struct CellText {
    std::vector<Paragraph> paragraphs;
    Qt::Alignment alignment = Qt::AlignCenter;
};

// Lays the text out in `box` (wrapped to its width, aligned within it) and
// draws it in the sheet's text colour.
void DrawCellText(QPainter& painter, const QRect& box, const CellText& text);
