#include "report.h"

#include <cstdint>

#include "cp1250.h"
#include "description_file.h"
#include "duration.h"
#include "file_reading.h"
#include "integer_text.h"
#include "log_record.h"

namespace veltra {

namespace {

constexpr std::string_view kPolishNationality = "POL";

bool IsMusicItem(std::string_view itemType) {
    return EqualsAsciiUpper(itemType, "MU") || EqualsAsciiUpper(itemType, "SND");
}

std::string MissingNationalityEntry(const LogRecord& record) {
    std::string entry;
    entry.reserve(record.Performer().size() + record.Title().size() + record.AudioPath().size() +
                  2);
    entry.append(record.Performer())
        .append(";")
        .append(record.Title())
        .append(";")
        .append(record.AudioPath());
    return entry;
}

bool InDayBand(std::int32_t hour) {
    return hour >= 5 && hour <= 23;
}
bool InNightBand(std::int32_t hour) {
    return hour >= 0 && hour <= 4;
}

}  // namespace

void Report::AnalizujWiersz(std::string_view line) {
    const std::optional<LogRecord> record = LogRecord::FromLine(line);
    if (!record) {
        tallies_.CountIncompleteLine();
        return;
    }
    if (!IsMusicItem(record->ItemType())) {
        return;
    }
    if (record->Nationality().empty()) {
        tallies_.CountMissingNationality();
        missingNationalityList_.push_back(MissingNationalityEntry(*record));
        return;
    }

    const std::int32_t seconds = CzasNaSekundy(record->Duration());
    const bool polish = EqualsAsciiUpper(record->Nationality(), kPolishNationality);
    const std::int32_t hour = ReadInteger(record->AiringTime().substr(0, 2), 0);

    tallies_.CountItem(Category::Total, seconds);
    if (polish) {
        tallies_.CountItem(Category::Polish, seconds);
    }
    if (InDayBand(hour)) {
        tallies_.CountItem(Category::Day, seconds);
        if (polish) {
            tallies_.CountItem(CzyDebiut(record->AudioPath()) ? Category::DayPolishDebut
                                                              : Category::DayPolishOther,
                               seconds);
        }
    }
    if (InNightBand(hour)) {
        tallies_.CountItem(Category::Night, seconds);
        if (polish) {
            tallies_.CountItem(Category::NightPolish, seconds);
        }
    }
    tallies_.RefreshRatios();
}

bool Report::CzyDebiut(std::string_view audioPath) const {
    if (audioPath.empty()) {
        return false;
    }
    // Log text is code page 1250; Linux file names are UTF-8.
    const std::string path = Cp1250ToUtf8(DescriptionFilePath(audioPath));
    const std::optional<std::string> description = ReadRegularFileOrFail(fileSystem_, path);
    return description && MarksDebut(*description);
}

}  // namespace veltra
