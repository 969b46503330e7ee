#include "report.h"

#include <cstdint>

#include "case_folding.h"
#include "cp1250.h"
#include "description_file.h"
#include "duration.h"
#include "integer_text.h"
#include "log_record.h"
#include "report_host.h"

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

bool Report::CzyDebiut(std::string_view audioPath) {
    if (audioPath.empty()) {
        return false;
    }
    AudioPathResolver& resolver = Resolver();
    DescriptionLookup found = resolver.ReadDescriptionFile(audioPath, logFolder_);
    if (!found.text && !found.unmappedRoot.empty() &&
        askedRoots_.insert(FoldCase(found.unmappedRoot)).second) {
        if (std::optional<std::string> folder =
                host_.ChooseFolderFor(found.unmappedRoot, Cp1250ToUtf8(audioPath))) {
            resolver.SetMapping(found.unmappedRoot, std::move(*folder));
            found = resolver.ReadDescriptionFile(audioPath, logFolder_);
        }
    }
    return found.text && MarksDebut(*found.text);
}

}  // namespace veltra
