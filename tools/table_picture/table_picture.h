#pragma once

class QImage;

// The blank form of the regulator's quarterly table as a spreadsheet shows
// it: 893 × 391 pixels with the column-letter and row-number strips.
QImage DrawTablePicture();
