// Draws the program icon, a small window holding a three-item check list
// (blue ticks beside grey lines), at the sizes the desktop asks for, and
// writes them as PNG files into the folder given as the only argument.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

// At 16 pixels smoothed shapes blur into each other, so the smallest icon is
// drawn pixel by pixel: frame (f), title bar (t), face (w), ticks (v), lines
// (g).
QImage DrawSmallIcon() {
    // clang-format off
    static const char* const kPixels[16] = {
        "ffffffffffffffff",
        "fttttttttttttttf",
        "fttttttttttttttf",
        "fwwwwwwwwwwwwwwf",
        "fwwwwvwwwwwwwwwf",
        "fwvwvvwgggggggwf",
        "fwwvvwwwwwwwwwwf",
        "fwwwwwwwwwwwwwwf",
        "fwwwwvwwwwwwwwwf",
        "fwvwvvwgggggggwf",
        "fwwvvwwwwwwwwwwf",
        "fwwwwwwwwwwwwwwf",
        "fwwwwvwwwwwwwwwf",
        "fwvwvvwggggwwwwf",
        "fwwvvwwwwwwwwwwf",
        "ffffffffffffffff",
    };
    // clang-format on
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            switch (kPixels[y][x]) {
                case 'f':
                    image.setPixelColor(x, y, QColor(0x2B, 0x4A, 0x6F));
                    break;
                case 't':
                    image.setPixelColor(x, y, QColor(0x3A, 0x7B, 0xD5));
                    break;
                case 'w':
                    image.setPixelColor(x, y, Qt::white);
                    break;
                case 'v':
                    image.setPixelColor(x, y, QColor(0x1E, 0x6F, 0xD9));
                    break;
                case 'g':
                    image.setPixelColor(x, y, QColor(0x9A, 0x9A, 0x9A));
                    break;
                default:
                    break;
            }
        }
    }
    return image;
}

QImage DrawIcon(int size) {
    if (size == 16) {
        return DrawSmallIcon();
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    // The window: frame, blue title bar, white client area.
    const QRectF window(1.5, 3.5, 29, 25);
    painter.setPen(QPen(QColor(0x2B, 0x4A, 0x6F), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(window, 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x3A, 0x7B, 0xD5));
    painter.drawRect(QRectF(2, 4, 28, 5));

    // Three list items.
    for (int item = 0; item < 3; ++item) {
        const double y = 13 + item * 5.5;
        QPainterPath tick;
        tick.moveTo(5, y + 1);
        tick.lineTo(7, y + 3);
        tick.lineTo(11, y - 1.5);
        painter.setPen(
            QPen(QColor(0x1E, 0x6F, 0xD9), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
        painter.setPen(QPen(QColor(0x9A, 0x9A, 0x9A), 2, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(13.5, y + 1), QPointF(item == 2 ? 21 : 26.5, y + 1));
    }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: veltra-program-icon OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 32, 48, 256}) {
        const QString path = folder.filePath(QStringLiteral("veltra-%1.png").arg(size));
        if (!DrawIcon(size).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
