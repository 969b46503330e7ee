#pragma once

#include <QSize>

namespace veltra {

// The size a picture control shows a picture at: shrunk to fit the control
// with its aspect ratio kept, never enlarged. Fractions of a pixel are cut
// off, so a 893 × 391 picture in a 641 × 281 control comes out 641 × 280.
QSize ProportionalSize(QSize picture, QSize control);

}  // namespace veltra
