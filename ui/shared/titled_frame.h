#pragma once

class QPainter;
class QString;

namespace veltra {

// The look shared by the main window's panels and the legend's entries: a
// white face in a 1-pixel frame of #42AED7, a 20-pixel band of the same
// colour across the top, and the title centred on it in bold white.
inline constexpr int kTitleBandHeight = 20;
inline constexpr unsigned kFrameColor = 0x42AED7;

// Paints the frame over the whole width × height area starting at (0, 0).
void DrawTitledFrame(QPainter& painter, int width, int height, const QString& title);

}  // namespace veltra
