#include "blt_bitmap.h"

#include <QPainter>

namespace veltra {
namespace {

// The window-frame system colour of the desktop this program was designed on.
constexpr QRgb kWindowFrameColor = 0xFF000000;

}  // namespace

void TBltBitmap::MakeLike(const QImage& templ) {
    QImage& self = *this;
    self = QImage(templ.size(), QImage::Format_RGB32);
    setDevicePixelRatio(templ.devicePixelRatio());
    fill(kWindowFrameColor);
}

void ClearToBlack(QImage& image) {
    image.fill(Qt::black);
}

void CombineXor(QImage& target, const QImage& overlay) {
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.drawImage(0, 0, overlay);
}

}  // namespace veltra
