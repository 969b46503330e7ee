#pragma once

class QFont;
class QPalette;

namespace veltra {

// Makes Tahoma available to the program: the system's own where it has one
// (Windows), else Wine's metric-compatible one when the fonts-wine package is
// installed; false when neither is there, and the windows then fall back to
// the system's sans-serif face. Call once after the application exists.
bool RegisterTahoma();

// The font of every window: Tahoma with an 11-pixel character height, which is
// 8 points at 96 dots per inch.
QFont WindowFont();

// The colours of every window, the light ones of the desktop the windows were
// designed on, whatever the desktop's own theme: with a dark theme the
// captions would be drawn light on the panels' white faces.
QPalette WindowPalette();

}  // namespace veltra
