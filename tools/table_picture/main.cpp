// Draws the legend's table picture and writes it as the bitmap the legend
// window ships: veltra-table-picture <output.bmp>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <cstdio>

#include "bmp_file.h"
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
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    const QByteArray bytes = EncodeBmp24(DrawTablePicture(), kPixelsPerMetre);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
