#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quarter.h"

namespace veltra {

// Sorting logs into a quarter's months by the date in their file names, as
// playout systems name their daily logs: 2026-10-01, 20261001 or 01.10.2026
// anywhere in the name, not run into other digits.

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    friend auto operator<=>(const Date&, const Date&) = default;
};

struct DateInName {
    std::optional<Date> date;
    // What looked like a date but is none ("2026-13-45"); empty when the
    // name holds no date-like text at all.
    std::string notADate;
};

// The first date-like text of the file name (the path's last part).
DateInName FindDateInName(std::string_view path);

struct UnplacedLog {
    enum class Why { NoDate, NotADate, OutsideQuarter };
    std::string path;
    Why why;
    std::string dateText;  // the text taken for a date, if any
};

// "bez daty w nazwie", "2026-13-45 to nie data", "2026-07-01 spoza kwartału"
std::string UnplacedReason(const UnplacedLog& log);

struct DateGrouping {
    // The quarter's three months, each with its logs in date order (logs of
    // one day in the order given).
    std::vector<QuarterMonth> months;
    // Never guessed: logs without a real date or from another quarter.
    std::vector<UnplacedLog> unplaced;
};

DateGrouping GroupLogsByDate(const std::vector<std::string>& logs, QuarterId quarter);

// The quarter that most of the dated logs belong to (the earlier one of a
// tie); nullopt when no log has a date.
std::optional<QuarterId> LikeliestQuarter(const std::vector<std::string>& logs);

}  // namespace veltra
