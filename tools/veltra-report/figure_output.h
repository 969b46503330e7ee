#pragma once

#include <string>
#include <string_view>

namespace veltra {

class LatestFigures;

// The figures grouped by the main window's panels, each line a caption and
// its text, the texts of a panel aligned.
std::string FiguresAsText(const LatestFigures& figures);

// Characters, not bytes: captions and month names hold Polish letters.
std::size_t Utf8Width(std::string_view text);

// The text as a JSON string, quotes included.
void AppendJsonString(std::string& out, std::string_view text);

// One JSON object from the fields' control names to their texts.
std::string FiguresAsJson(const LatestFigures& figures);

}  // namespace veltra
