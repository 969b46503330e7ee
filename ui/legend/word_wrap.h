#pragma once

#include <QStringList>

class QFontMetrics;

namespace veltra {

// Breaks text into the lines that Windows' word-breaking text drawing shows in
// a box `width` pixels wide: a CR, an LF or a CR LF pair starts a new line,
// lines otherwise break only between words, and a word wider than the box is
// cut where it overflows. A line holding only spaces still counts as a line.
// Measuring and drawing both use these lines, so the height a panel is given
// always matches the text drawn into it.
QStringList WrapWords(const QString& text, const QFontMetrics& metrics, int width);

}  // namespace veltra
