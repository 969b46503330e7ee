#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "log_record.h"

namespace veltra {

// What a log record means for the report: which items count, in which
// categories, and what is kept of those without a nationality.

// Music items are "MU" and "SND", in any case; every other item is skipped.
bool IsMusicItem(std::string_view itemType);

// Polish items have the nationality "POL", in any case.
bool IsPolish(std::string_view nationality);

// The hour of the airing: the integer reading of the time's first two
// characters, 0 when they are not a number.
std::int32_t AiringHour(const LogRecord& record);

// The day band, hours 5 to 23 ("godz. 5-24"), and the night band, hours 0 to 4
// ("godz. 24-5"); an hour outside both counts in neither.
bool InDayBand(std::int32_t hour);
bool InNightBand(std::int32_t hour);

enum class LineKind : unsigned char {
    Incomplete,     // not exactly 21 fields
    NotMusic,       // another item type, ignored
    NoNationality,  // a music item without a nationality
    Counted,        // a music item that counts
};

// What the line analysis makes of one log line. Decided in one place for the
// analysis itself and for the read-ahead that takes debut tests before the
// analysis gets there.
struct LineItem {
    LineKind kind = LineKind::Incomplete;
    std::optional<LogRecord> record;  // all but Incomplete
    bool polish = false;              // Counted only
    std::int32_t hour = 0;            // Counted only

    // Polish items of the day band are told apart by their description file.
    bool TakesDebutTest() const { return kind == LineKind::Counted && polish && InDayBand(hour); }
};

LineItem ClassifyLine(std::string_view line);

}  // namespace veltra
