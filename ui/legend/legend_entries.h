#pragma once

#include <QString>
#include <array>

namespace veltra {

// One titled explanation of the legend: the heading on the band and the text
// below it.
struct LegendEntry {
    QString Heading;
    QString Explanation;
};

inline constexpr int kLegendEntryCount = 17;

// The legend's fixed texts, in display order. Line breaks inside an
// explanation are single carriage returns, never line feeds.
const std::array<LegendEntry, kLegendEntryCount>& LegendTexts();

}  // namespace veltra
