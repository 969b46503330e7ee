#include "sheet_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

const QColor kTextColor(0x1F, 0x1F, 0x1F);
const QColor kSpellingColor(0xFF, 0x00, 0x00);

// A piece that may end a line: a word with the space after it, or the part of
// a hyphenated word up to and including the hyphen.
struct Token {
    QString text;
    const Span* span = nullptr;
    int width = 0;       // without a trailing space
    int spaceWidth = 0;  // of the trailing space, if any
};

struct Line {
    std::vector<Token> tokens;
    int width = 0;
    int ascent = 0;
    int height = 0;
};

std::vector<Token> Tokenize(const Paragraph& paragraph) {
    std::vector<Token> tokens;
    for (const Span& span : paragraph) {
        const QFontMetrics metrics(span.font);
        qsizetype start = 0;
        for (qsizetype i = 0; i < span.text.size(); ++i) {
            const bool space = span.text[i] == u' ';
            const bool hyphen = span.text[i] == u'-' && i > start;
            if (!space && !hyphen) {
                continue;
            }
            const QString word = span.text.sliced(start, i + (hyphen ? 1 : 0) - start);
            start = i + 1;
            if (word.isEmpty() && !tokens.empty()) {
                // A space that opens a span belongs to the word before it.
                tokens.back().spaceWidth += metrics.horizontalAdvance(u' ');
                continue;
            }
            tokens.push_back({word, &span, metrics.horizontalAdvance(word),
                              space ? metrics.horizontalAdvance(u' ') : 0});
        }
        if (start < span.text.size()) {
            const QString word = span.text.sliced(start);
            tokens.push_back({word, &span, metrics.horizontalAdvance(word), 0});
        }
    }
    return tokens;
}

void CloseLine(Line& line, std::vector<Line>& lines) {
    for (const Token& token : line.tokens) {
        const QFontMetrics metrics(token.span->font);
        line.ascent = std::max(line.ascent, metrics.ascent());
        line.height = std::max(line.height, metrics.height());
    }
    lines.push_back(std::move(line));
    line = Line{};
}

std::vector<Line> LayOut(const CellText& text, int width) {
    std::vector<Line> lines;
    for (const Paragraph& paragraph : text.paragraphs) {
        Line line;
        int pendingSpace = 0;
        for (Token& token : Tokenize(paragraph)) {
            if (!line.tokens.empty() && line.width + pendingSpace + token.width > width) {
                CloseLine(line, lines);
                pendingSpace = 0;
            }
            line.width += pendingSpace + token.width;
            pendingSpace = token.spaceWidth;
            line.tokens.push_back(std::move(token));
        }
        CloseLine(line, lines);
    }
    return lines;
}

// The spell checker's mark: a red zigzag two pixels high under the word.
void DrawWavyUnderline(QPainter& painter, int left, int right, int y) {
    QPainterPath path;
    path.moveTo(left, y + 1);
    for (int x = left; x < right; x += 2) {
        path.lineTo(x + 2, ((x - left) / 2) % 2 == 0 ? y - 1 : y + 1);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kSpellingColor, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

}  // namespace

void DrawCellText(QPainter& painter, const QRect& box, const CellText& text) {
    const std::vector<Line> lines = LayOut(text, box.width());
    int total = 0;
    for (const Line& line : lines) {
        total += line.height;
    }
    int top = box.top();
    if (text.alignment & Qt::AlignVCenter) {
        top += (box.height() - total) / 2;
    } else if (text.alignment & Qt::AlignBottom) {
        top += box.height() - total;
    }
    painter.setPen(kTextColor);
    for (const Line& line : lines) {
        int x = box.left();
        if (text.alignment & Qt::AlignHCenter) {
            x += (box.width() - line.width) / 2;
        } else if (text.alignment & Qt::AlignRight) {
            x += box.width() - line.width;
        }
        const int baseline = top + line.ascent;
        for (const Token& token : line.tokens) {
            painter.setFont(token.span->font);
            painter.drawText(x, baseline, token.text);
            if (token.span->misspelt) {
                DrawWavyUnderline(painter, x, x + token.width, baseline + 3);
                painter.setPen(kTextColor);
            }
            x += token.width + token.spaceWidth;
        }
        top += line.height;
    }
}
