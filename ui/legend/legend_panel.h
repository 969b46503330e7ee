#pragma once

#include <QtGlobal>

class QImage;
class QString;

namespace veltra {

// The picture of one legend entry, `width` pixels wide: the titled frame with
// the heading on its band, and the explanation word-wrapped below the band in
// the window font. Its height follows from the wrapped text: the lines, a
// 5-pixel margin above them, 20 pixels below them and the band. The picture
// has the pixels of a screen of the given device pixel ratio; the lines break
// where they break at ratio 1.
QImage RenderLegendEntry(const QString& heading, const QString& explanation, int width,
                         int bandHeight, qreal ratio = 1);

}  // namespace veltra
