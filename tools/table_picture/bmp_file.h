#pragma once

#include <QByteArray>

class QImage;

// An uncompressed 24-bit Windows bitmap of `image`: rows bottom-up, each
// padded to four bytes, no palette, and the given resolution in both
// directions.
QByteArray EncodeBmp24(const QImage& image, int pixelsPerMetre);
