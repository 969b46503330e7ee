#include "dated_logs.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace veltra {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digits at `text[at, at + count)` as a number, or -1.
int Number(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) {
        return -1;
    }
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!IsDigit(text[i])) {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool IsRealDate(const Date& date) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1) {
        return false;
    }
    const int days = kDays[date.month - 1] + (date.month == 2 && IsLeapYear(date.year) ? 1 : 0);
    return date.day <= days;
}

struct Shape {
    std::string_view pattern;  // 'd' a digit, anything else itself
    int yearAt, monthAt, dayAt;
};

// Tried in order at the start of every run of digits.
constexpr Shape kShapes[] = {
    {"dddd-dd-dd", 0, 5, 8},
    {"dd.dd.dddd", 6, 3, 0},
    {"dddddddd", 0, 4, 6},
};

bool Fits(std::string_view name, std::size_t at, std::string_view pattern) {
    if (at + pattern.size() > name.size()) {
        return false;
    }
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = name[at + i];
        if (pattern[i] == 'd' ? !IsDigit(c) : c != pattern[i]) {
            return false;
        }
    }
    // Longer runs of digits (a 10-digit number, a time stamp) are no date.
    return at + pattern.size() == name.size() || !IsDigit(name[at + pattern.size()]);
}

}  // namespace

DateInName FindDateInName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    for (std::size_t at = 0; at < name.size(); ++at) {
        if (!IsDigit(name[at]) || (at > 0 && IsDigit(name[at - 1]))) {
            continue;
        }
        for (const Shape& shape : kShapes) {
            if (!Fits(name, at, shape.pattern)) {
                continue;
            }
            const Date date{Number(name, at + shape.yearAt, 4), Number(name, at + shape.monthAt, 2),
                            Number(name, at + shape.dayAt, 2)};
            if (IsRealDate(date)) {
                return {date, {}};
            }
            return {std::nullopt, std::string(name.substr(at, shape.pattern.size()))};
        }
    }
    return {};
}

std::string UnplacedReason(const UnplacedLog& log) {
    switch (log.why) {
        case UnplacedLog::Why::NoDate:
            return "bez daty w nazwie";
        case UnplacedLog::Why::NotADate:
            return log.dateText + " to nie data";
        case UnplacedLog::Why::OutsideQuarter:
            break;
    }
    return log.dateText + " spoza kwartału";
}

DateGrouping GroupLogsByDate(const std::vector<std::string>& logs, QuarterId quarter) {
    DateGrouping grouping;
    std::vector<std::vector<std::pair<Date, std::string>>> dated(3);
    for (const std::string& log : logs) {
        const DateInName found = FindDateInName(log);
        if (!found.date) {
            grouping.unplaced.push_back(
                {log,
                 found.notADate.empty() ? UnplacedLog::Why::NoDate : UnplacedLog::Why::NotADate,
                 found.notADate});
            continue;
        }
        const Date& date = *found.date;
        if (QuarterId::Of({date.year, date.month}) != quarter) {
            char text[11];
            std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
            grouping.unplaced.push_back({log, UnplacedLog::Why::OutsideQuarter, text});
            continue;
        }
        dated[static_cast<std::size_t>((date.month - 1) % 3)].emplace_back(date, log);
    }
    for (int index = 0; index < 3; ++index) {
        auto& logsOfMonth = dated[static_cast<std::size_t>(index)];
        std::stable_sort(logsOfMonth.begin(), logsOfMonth.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        QuarterMonth& month = grouping.months.emplace_back(QuarterMonth{quarter.Month(index), {}});
        for (auto& [date, log] : logsOfMonth) {
            month.logs.push_back(std::move(log));
        }
    }
    return grouping;
}

std::optional<QuarterId> LikeliestQuarter(const std::vector<std::string>& logs) {
    std::map<QuarterId, int> counts;
    for (const std::string& log : logs) {
        if (const std::optional<Date> date = FindDateInName(log).date) {
            ++counts[QuarterId::Of({date->year, date->month})];
        }
    }
    const auto most =
        std::max_element(counts.begin(), counts.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    if (most == counts.end()) {
        return std::nullopt;
    }
    return most->first;
}

}  // namespace veltra
