#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veltra {

class LogRecord;

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

// The entry of an item without a nationality: performer;title;path.
std::string MissingNationalityEntry(const LogRecord& record);

}  // namespace veltra
