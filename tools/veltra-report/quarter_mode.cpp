#include "quarter_mode.h"

#include <charconv>
#include <cstdio>

#include "dated_logs.h"
#include "driver_options.h"
#include "driver_platform.h"
#include "figure_field.h"
#include "figure_output.h"
#include "file_access.h"
#include "number_text.h"
#include "quarter_workbook.h"
#include "report.h"

namespace veltra {

namespace {

std::vector<QuarterMonth> MonthsByDate(const std::vector<std::string>& logs) {
    const std::optional<QuarterId> quarter = LikeliestQuarter(logs);
    const DateGrouping grouping = GroupLogsByDate(logs, quarter.value_or(QuarterId{1, 1}));
    if (!quarter || !grouping.unplaced.empty()) {
        std::string list = quarter ? "Tych plików nie da się przydzielić do miesięcy kwartału " +
                                         std::string(QuarterNumeral(quarter->quarter)) + " " +
                                         std::to_string(quarter->year) + ":"
                                   : std::string("Żaden plik nie ma daty w nazwie:");
        for (const UnplacedLog& log : grouping.unplaced) {
            list += "\n  " + PrintablePath(log.path) + " (" + UnplacedReason(log) + ")";
        }
        throw QuarterRefusal(list);
    }
    return grouping.months;
}

// The month's rows of the whole quarter, in its order, with the logs given.
std::vector<QuarterMonth> WholeQuarter(QuarterId quarter, const std::vector<QuarterMonth>& given) {
    std::vector<QuarterMonth> months;
    for (int index = 0; index < 3; ++index) {
        QuarterMonth& month = months.emplace_back(QuarterMonth{quarter.Month(index), {}});
        for (const QuarterMonth& named : given) {
            if (named.month == month.month) {
                month.logs = named.logs;
            }
        }
    }
    return months;
}

std::string Number(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

std::string QuarterTitle(QuarterId quarter) {
    return std::string(QuarterNumeral(quarter.quarter)) + " kwartał " +
           std::to_string(quarter.year);
}

std::string MonthKey(YearMonth month) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d", month.year, month.month);
    return text;
}

std::string AsText(const QuarterForm& form, const std::vector<QuarterMonth>& months,
                   const ShareThresholds& thresholds, const std::string& workbook) {
    std::string out = QuarterTitle(form.quarter) + "\n";
    const auto share = [&](std::string_view column, double value, bool met, double threshold) {
        return "  " + std::string(column) + "  " + ShareText(value) +
               (met ? "  spełnia próg " : "  poniżej progu ") + Number(threshold) + "%\n";
    };
    for (std::size_t index = 0; index < 3; ++index) {
        out += MonthName(months[index].month) + "\n";
        const std::optional<FormRow>& row = form.rows[index];
        if (!row) {
            out += "  bez logów\n";
            continue;
        }
        out += "  B  " + SekundyNaCzas(row->totalSeconds) + "\n";
        out += "  C  " + SekundyNaCzas(row->dayPolishDebutSeconds) + "\n";
        out += "  D  " + SekundyNaCzas(row->dayPolishOtherSeconds) + "\n";
        out += "  E  " + SekundyNaCzas(row->nightPolishSeconds) + "\n";
        out += share("G", row->PolishShare(), row->PolishShareMet(thresholds), thresholds.polish);
        out += share("I", row->DayPolishShare(), row->DayPolishShareMet(thresholds),
                     thresholds.dayPolish);
        out += "  Niepełna informacja: " + std::to_string(row->incompleteLines) + "\n";
        out += "  Brak pola narodowość: " + std::to_string(row->missingNationality) + "\n";
        if (row->uncheckedItems > 0) {
            out += "  " + UncheckedItemsNote(static_cast<std::size_t>(row->uncheckedItems)) + "\n";
        }
    }
    out += "Zapisano: " + workbook + "\n";
    return out;
}

std::string AsJson(const QuarterForm& form, const std::vector<QuarterMonth>& months,
                   const ShareThresholds& thresholds, const std::string& workbook, bool met) {
    const auto field = [](std::string& out, std::string_view name, const std::string& json) {
        out += "      ";
        AppendJsonString(out, name);
        out += ": " + json;
    };
    const auto text = [](std::string_view value) {
        std::string json;
        AppendJsonString(json, value);
        return json;
    };
    std::string out = "{\n  \"quarter\": " + text(QuarterTitle(form.quarter)) +
                      ",\n  \"workbook\": " + text(workbook) +
                      ",\n  \"thresholds\": {\"G\": " + Number(thresholds.polish) +
                      ", \"I\": " + Number(thresholds.dayPolish) +
                      "},\n  \"met\": " + (met ? "true" : "false") + ",\n  \"months\": [\n";
    for (std::size_t index = 0; index < 3; ++index) {
        const std::optional<FormRow>& row = form.rows[index];
        out += "    {\n";
        field(out, "month", text(MonthKey(months[index].month)) + ",\n");
        field(out, "name", text(MonthName(months[index].month)) + ",\n");
        field(out, "logs", std::to_string(months[index].logs.size()) + (row ? ",\n" : "\n"));
        if (row) {
            field(out, "B", text(SekundyNaCzas(row->totalSeconds)) + ",\n");
            field(out, "C", text(SekundyNaCzas(row->dayPolishDebutSeconds)) + ",\n");
            field(out, "D", text(SekundyNaCzas(row->dayPolishOtherSeconds)) + ",\n");
            field(out, "E", text(SekundyNaCzas(row->nightPolishSeconds)) + ",\n");
            field(out, "G", Number(row->PolishShare()) + ",\n");
            field(out, "I", Number(row->DayPolishShare()) + ",\n");
            field(out, "GMet",
                  std::string(row->PolishShareMet(thresholds) ? "true" : "false") + ",\n");
            field(out, "IMet",
                  std::string(row->DayPolishShareMet(thresholds) ? "true" : "false") + ",\n");
            field(out, FieldName(Field::IncompleteLines),
                  std::to_string(row->incompleteLines) + ",\n");
            field(
                out, FieldName(Field::MissingNationality),
                std::to_string(row->missingNationality) + (row->uncheckedItems > 0 ? ",\n" : "\n"));
            // Only when there are any, as the figures' own keys stay as they were.
            if (row->uncheckedItems > 0) {
                field(out, "uncheckedItems", std::to_string(row->uncheckedItems) + "\n");
            }
        }
        out += index < 2 ? "    },\n" : "    }\n";
    }
    out += "  ]\n}\n";
    return out;
}

}  // namespace

QuarterOutcome RunQuarter(const DriverOptions& options, FileSystem& fileSystem, ReportHost& host,
                          const QuarterRun::ReportSetup& setup) {
    std::vector<QuarterMonth> given = options.byDate ? MonthsByDate(options.logs) : options.months;
    // Full paths, as the window's dialog gives them: messages name them so.
    for (QuarterMonth& month : given) {
        for (std::string& log : month.logs) {
            log = AbsolutePath(log);
        }
    }
    const QuarterId quarter = CheckQuarter(given);
    const std::vector<QuarterMonth> months = WholeQuarter(quarter, given);
    std::string workbook;
    try {
        workbook = AbsolutePath(*options.formPath);
    } catch (const IoFailure& failure) {
        throw CannotCreateFile(*options.formPath, failure.what());
    }

    const std::optional<QuarterForm> form = QuarterRun(fileSystem, host, setup).Run(months);
    if (!form) {
        return {};
    }
    FormHeader header = SavedFormHeader();
    for (const auto& [given, saved] : {std::pair{&options.program, &header.program},
                                       std::pair{&options.licence, &header.licence},
                                       std::pair{&options.person, &header.person}}) {
        if (*given) {
            *saved = **given;
        }
    }
    // A name given on purpose may be a device or a pipe, as for --csv.
    SaveQuarterWorkbook(fileSystem, workbook, SpecialTarget::WriteInPlace, *form, header);

    const ShareThresholds thresholds = SavedShareThresholds();
    bool met = true;
    for (const std::optional<FormRow>& row : form->rows) {
        met = met &&
              (!row || (row->PolishShareMet(thresholds) && row->DayPolishShareMet(thresholds)));
    }
    const std::string shownPath = PrintablePath(workbook);
    return {options.output == DriverOptions::Output::Json
                ? AsJson(*form, months, thresholds, shownPath, met)
                : AsText(*form, months, thresholds, shownPath),
            met};
}

}  // namespace veltra
