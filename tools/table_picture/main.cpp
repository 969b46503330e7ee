// Draws the legend's table picture and writes it as the bitmap the legend
// window ships: veltra-table-picture <output.bmp>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <cstdio>

#include "table_picture.h"

namespace {

// 72 dots per inch, the resolution the picture has always been stored with.
constexpr int kPixelsPerMetre = 2835;

}  // namespace

int main(int argc, char** argv) {
    // The tool draws off-screen only; it needs no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.bmp>\n", argv[0]);
        return 2;
    }
    // Qt writes an image without alpha as an uncompressed 24-bit bitmap,
    // rows bottom-up, with no palette.
    QImage picture = DrawTablePicture();
    picture.setDotsPerMeterX(kPixelsPerMetre);
    picture.setDotsPerMeterY(kPixelsPerMetre);
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "BMP") || !file.commit()) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
