#include "line_analysis.h"

#include "log_record.h"
#include "number_text.h"

namespace veltra {

bool IsMusicItem(std::string_view itemType) {
    return EqualsAsciiUpper(itemType, "MU") || EqualsAsciiUpper(itemType, "SND");
}

bool IsPolish(std::string_view nationality) {
    return EqualsAsciiUpper(nationality, "POL");
}

std::int32_t AiringHour(const LogRecord& record) {
    return ReadInteger(record.AiringTime().substr(0, 2), 0);
}

bool InDayBand(std::int32_t hour) {
    return hour >= 5 && hour <= 23;
}

bool InNightBand(std::int32_t hour) {
    return hour >= 0 && hour <= 4;
}

LineItem ClassifyLine(std::string_view line) {
    LineItem item;
    item.record = LogRecord::FromLine(line);
    if (!item.record) {
        return item;
    }
    const LogRecord& record = *item.record;
    if (!IsMusicItem(record.ItemType())) {
        item.kind = LineKind::NotMusic;
    } else if (record.Nationality().empty()) {
        item.kind = LineKind::NoNationality;
    } else {
        item.kind = LineKind::Counted;
        item.polish = IsPolish(record.Nationality());
        item.hour = AiringHour(record);
    }
    return item;
}

}  // namespace veltra
