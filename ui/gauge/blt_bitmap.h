#pragma once

#include <QImage>

namespace veltra {

// An off-screen image that can take the size of another before it is drawn on.
class TBltBitmap : public QImage {
public:
    // Takes the width, height and device pixel ratio of the template and fills the whole area
    // with the window-frame colour, so no stale pixels survive a resize.
    void MakeLike(const QImage& templ);
};

// Sets every pixel of the image to black. The gauge's off-screen images start
// black so that combining them by exclusive-or leaves the other one unchanged.
void ClearToBlack(QImage& image);

// Each pixel of target becomes target xor overlay, overlay placed at (0, 0).
void CombineXor(QImage& target, const QImage& overlay);

}  // namespace veltra
