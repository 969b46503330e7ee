#pragma once

class QFont;

namespace veltra {

// Makes Wine's metric-compatible Tahoma available to the program when the
// fonts-wine package is installed; without it the windows fall back to the
// system's sans-serif face. Call once after the application exists.
void RegisterTahoma();

// The font of every window: Tahoma with an 11-pixel character height, which is
// 8 points at 96 dots per inch.
QFont WindowFont();

}  // namespace veltra
