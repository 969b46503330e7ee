#include "bmp_file.h"

#include <QImage>
#include <QtEndian>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

void PutU16(QByteArray& bytes, int offset, quint16 value) {
    qToLittleEndian(value, bytes.data() + offset);
}

void PutU32(QByteArray& bytes, int offset, quint32 value) {
    qToLittleEndian(value, bytes.data() + offset);
}

}  // namespace

QByteArray EncodeBmp24(const QImage& image, int pixelsPerMetre) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int rowBytes = (rgb.width() * 3 + 3) & ~3;
    const int pixelBytes = rowBytes * rgb.height();
    const int dataOffset = kFileHeaderSize + kInfoHeaderSize;

    QByteArray bytes(dataOffset + pixelBytes, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutU32(bytes, 2, static_cast<quint32>(bytes.size()));
    PutU32(bytes, 10, dataOffset);
    PutU32(bytes, 14, kInfoHeaderSize);
    PutU32(bytes, 18, static_cast<quint32>(rgb.width()));
    // A positive height: the rows are stored bottom-up.
    PutU32(bytes, 22, static_cast<quint32>(rgb.height()));
    PutU16(bytes, 26, 1);
    PutU16(bytes, 28, 24);
    PutU32(bytes, 30, 0);  // no compression
    PutU32(bytes, 34, static_cast<quint32>(pixelBytes));
    PutU32(bytes, 38, static_cast<quint32>(pixelsPerMetre));
    PutU32(bytes, 42, static_cast<quint32>(pixelsPerMetre));
    // Colours used and important stay 0: no palette.

    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* source = rgb.constScanLine(y);
        char* target = bytes.data() + dataOffset + (rgb.height() - 1 - y) * rowBytes;
        for (int x = 0; x < rgb.width(); ++x) {
            // Windows stores each pixel blue first.
            target[3 * x] = static_cast<char>(source[3 * x + 2]);
            target[3 * x + 1] = static_cast<char>(source[3 * x + 1]);
            target[3 * x + 2] = static_cast<char>(source[3 * x]);
        }
    }
    return bytes;
}
