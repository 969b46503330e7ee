#pragma once

#include <string>

namespace veltra {

class LatestFigures;

// The figures grouped by the main window's panels, each line a caption and
// its text, the texts of a panel aligned.
std::string FiguresAsText(const LatestFigures& figures);

// One JSON object from the fields' control names to their texts.
std::string FiguresAsJson(const LatestFigures& figures);

}  // namespace veltra
