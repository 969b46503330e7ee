#include "word_wrap.h"

#include <QFontMetrics>

namespace veltra {
namespace {

bool IsLineBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

qsizetype SkipSpaces(const QString& text, qsizetype pos) {
    while (pos < text.size() && text[pos] == u' ') {
        ++pos;
    }
    return pos;
}

// Longest run from `start` that fits the width, ending at the end of a word.
// Returns `start` when not even the first word fits.
qsizetype FitWords(const QString& paragraph, qsizetype start, const QFontMetrics& metrics,
                   int width) {
    qsizetype fitted = start;
    qsizetype scan = start;
    while (scan < paragraph.size()) {
        qsizetype wordEnd = SkipSpaces(paragraph, scan);
        if (wordEnd == paragraph.size()) {
            // Trailing spaces take no room: the line ends before them.
            return scan == start ? wordEnd : fitted;
        }
        while (wordEnd < paragraph.size() && paragraph[wordEnd] != u' ') {
            ++wordEnd;
        }
        if (metrics.horizontalAdvance(paragraph.sliced(start, wordEnd - start)) > width) {
            break;
        }
        fitted = wordEnd;
        scan = wordEnd;
    }
    return fitted;
}

// A word wider than the box keeps at least one character per line, so the
// text always moves on and nothing is dropped.
qsizetype FitCharacters(const QString& paragraph, qsizetype start, const QFontMetrics& metrics,
                        int width) {
    qsizetype end = start + 1;
    while (end < paragraph.size() &&
           metrics.horizontalAdvance(paragraph.sliced(start, end + 1 - start)) <= width) {
        ++end;
    }
    return end;
}

void WrapParagraph(const QString& paragraph, const QFontMetrics& metrics, int width,
                   QStringList& lines) {
    if (paragraph.isEmpty()) {
        lines.append(QString());
        return;
    }
    qsizetype pos = 0;
    while (pos < paragraph.size()) {
        qsizetype end = FitWords(paragraph, pos, metrics, width);
        if (end == pos) {
            end = FitCharacters(paragraph, pos, metrics, width);
        }
        lines.append(paragraph.sliced(pos, end - pos));
        pos = SkipSpaces(paragraph, end);
    }
}

}  // namespace

QStringList WrapWords(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && !IsLineBreak(text[end])) {
            ++end;
        }
        WrapParagraph(text.sliced(start, end - start), metrics, width, lines);
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() &&
            text[end + 1] == u'\n') {
            ++end;
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace veltra
