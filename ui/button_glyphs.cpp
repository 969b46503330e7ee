#include "button_glyphs.h"

#include <QBitmap>
#include <QImage>

namespace veltra {
namespace {

// 24 x 24 pixel art. The bottom-left pixel's colour, magenta, is the
// transparent colour, as with the bitmaps of classic Windows buttons.
const char* const kFolderXpm[] = {"24 24 7 1",
                                  ". c #FF00FF",
                                  "k c #6B4E00",
                                  "Y c #E8B828",
                                  "y c #FFD84A",
                                  "w c #FFF0A0",
                                  "G c #106010",
                                  "g c #30B030",
                                  "........................",
                                  "..........GGGG..........",
                                  "..........GggG..........",
                                  "..........GggG..........",
                                  "..........GggG..........",
                                  "..........GggG..........",
                                  "..........GggG..........",
                                  "..kkkkGGGGGggGGGGG......",
                                  "..kYYYGggggggggggG......",
                                  ".kkkkkkGggggggggGkkkkkk.",
                                  ".kYYYYYYGggggggGYYYYYYk.",
                                  ".kYYYYYYYGggggGYYYYYYYk.",
                                  ".kkkkkkkkkGggGkkkkkkkkk.",
                                  ".kwwwwwwwwwGGwwwwwwwwwk.",
                                  ".kyyyyyyyyyyyyyyyyyyyyk.",
                                  ".kyyyyyyyyyyyyyyyyyyyyk.",
                                  ".kyyyyyyyyyyyyyyyyyyyyk.",
                                  ".kyyyyyyyyyyyyyyyyyyyyk.",
                                  ".kyyyyyyyyyyyyyyyyyyyyk.",
                                  ".kyyyyyyyyyyyyyyyyyyyyk.",
                                  ".kyyyyyyyyyyyyyyyyyyyyk.",
                                  ".kkkkkkkkkkkkkkkkkkkkkk.",
                                  "........................",
                                  "........................"};

const char* const kClipboardXpm[] = {"24 24 8 1",
                                     ". c #FF00FF",
                                     "k c #404040",
                                     "m c #C8C8C8",
                                     "B c #5A3A1A",
                                     "b c #A0703A",
                                     "s c #808080",
                                     "w c #FFFFFF",
                                     "l c #7F8FAF",
                                     "........................",
                                     "........kkkkkkkk........",
                                     "........kmwwwwmk........",
                                     "...BBBBBkmmmmmmkBBBBB...",
                                     "...BbbbbkkkkkkkkbbbbB...",
                                     "...BbbbbbbbbbbbbbbbbB...",
                                     "...BbbsssssssssssssbB...",
                                     "...BbbswwwwwwwwwwwsbB...",
                                     "...BbbswwwwwwwwwwwsbB...",
                                     "...BbbswlllllllllwsbB...",
                                     "...BbbswwwwwwwwwwwsbB...",
                                     "...BbbswlllllllllwsbB...",
                                     "...BbbswwwwwwwwwwwsbB...",
                                     "...BbbswlllllllllwsbB...",
                                     "...BbbswwwwwwwwwwwsbB...",
                                     "...BbbswlllllllllwsbB...",
                                     "...BbbswwwwwwwwwwwsbB...",
                                     "...BbbswlllllwwwwwsbB...",
                                     "...BbbswwwwwwwwwwwsbB...",
                                     "...BbbswwwwwwwwwwwsbB...",
                                     "...BbbswwwwwwwwwwwsbB...",
                                     "...BbbsssssssssssssbB...",
                                     "...BBBBBBBBBBBBBBBBBB...",
                                     "........................"};

QPixmap TransparentWhereBottomLeft(const char* const* xpm) {
    const QImage image(xpm);
    const QColor transparent = image.pixelColor(0, image.height() - 1);
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setMask(pixmap.createMaskFromColor(transparent, Qt::MaskInColor));
    return pixmap;
}

}  // namespace

QPixmap FolderGlyph() {
    return TransparentWhereBottomLeft(kFolderXpm);
}

QPixmap ClipboardGlyph() {
    return TransparentWhereBottomLeft(kClipboardXpm);
}

}  // namespace veltra
