#pragma once

#include <QtGlobal>

class QImage;
class QString;

namespace veltra {

// The look shared by the main window's panels and the legend's entries: a
// white face in a 1-pixel frame of #42AED7, a 20-pixel band of the same
// colour across the top, and the title centred on it in bold white.
inline constexpr int kTitleBandHeight = 20;
inline constexpr unsigned kFrameColor = 0x42AED7;

// A width × height picture of the frame for a screen of the given device
// pixel ratio: its pixels are the screen's, its logical size width × height.
// The frame's lines and the band's edge lie on whole device pixels, each line
// as wide as the ratio rounded, so the four sides match at 150 % as at 200 %;
// the title is rendered at the screen's resolution. At ratio 1 it is the
// picture of a 96-dpi screen, pixel for pixel.
QImage TitledFrame(int width, int height, const QString& title, qreal ratio);

}  // namespace veltra
