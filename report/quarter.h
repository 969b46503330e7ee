#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veltra {

class FileSystem;
class Report;
class ReportHost;

// The regulator's quarterly form: up to three months of one quarter, each
// filled from one report run over that month's logs.

struct YearMonth {
    int year = 0;
    int month = 0;  // 1 to 12
    friend auto operator<=>(const YearMonth&, const YearMonth&) = default;
};

struct QuarterId {
    int year = 0;
    int quarter = 0;  // 1 to 4
    friend auto operator<=>(const QuarterId&, const QuarterId&) = default;

    static QuarterId Of(YearMonth month) { return {month.year, (month.month - 1) / 3 + 1}; }
    YearMonth Month(int index) const { return {year, (quarter - 1) * 3 + index + 1}; }
};

// "październik 2026", as the form's column A names a month (UTF-8).
std::string MonthName(YearMonth month);

// "IV", as the regulator numbers quarters.
std::string_view QuarterNumeral(int quarter);

struct QuarterMonth {
    YearMonth month;
    std::vector<std::string> logs;
};

// The least share of each of the form's two "zgodność z ustawą" columns, in
// percent. The defaults are those of the act the form's title names
// (art. 15 ust. 2 and 2a); a station's licence may set others.
struct ShareThresholds {
    double polish = 33;     // G: Polish of all music
    double dayPolish = 60;  // I: day band of the Polish music
};

// One month's row: columns B to E in seconds, and the error counts of its
// run, which say whether the row can be trusted.
struct FormRow {
    YearMonth month;
    std::int64_t totalSeconds = 0;           // B
    std::int64_t dayPolishDebutSeconds = 0;  // C
    std::int64_t dayPolishOtherSeconds = 0;  // D
    std::int64_t nightPolishSeconds = 0;     // E
    std::int64_t incompleteLines = 0;
    std::int64_t missingNationality = 0;
    // Polish day items counted in D because their drive or share had no
    // folder, so C may be too low by them.
    std::int64_t uncheckedItems = 0;

    // G = (C + D + E) / B and I = (C + D) / (C + D + E), 0 when the divisor
    // is 0, as the form's own formulas compute them.
    double PolishShare() const;
    double DayPolishShare() const;
    bool PolishShareMet(const ShareThresholds& thresholds) const;
    bool DayPolishShareMet(const ShareThresholds& thresholds) const;
};

// The station's part of the form's header, typed once and kept in the
// user's settings (UTF-8).
struct FormHeader {
    std::string program;  // C3: "Nazwa programu"
    std::string licence;  // C4: "Numer koncesji"
    std::string person;   // C5: the person who prepares it, with a contact
};

// A share as the quarter's results show it, truncated to a tenth of a
// percent so that a share shown as reaching a threshold does reach it:
// "33,8%".
std::string ShareText(double share);

// The form's three month rows; a month without logs has none.
struct QuarterForm {
    QuarterId quarter;
    std::array<std::optional<FormRow>, 3> rows;
    // The items without a nationality of all its months, in month order.
    std::vector<std::string> missingNationalityList = {};
};

// A quarter that cannot be run as given: a log named twice, months of
// different quarters, no logs at all. Raised before any log is read; what()
// names the cause in Polish.
class QuarterRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws QuarterRefusal.
QuarterId CheckQuarter(const std::vector<QuarterMonth>& months);

// Runs a quarter's months one after another, each as a report run of its
// own from zero tallies, with the host's gauges, questions and stop. The
// files gauge counts over the whole quarter. A drive or share the user
// declined to map is not asked about again in the quarter's later months.
// The months' lists of items without a nationality are saved as one, where
// runs save theirs, after the last month; or not at all, for a host whose
// own runs' list must stay as it is.
class QuarterRun {
public:
    // Called on each month's report before its run, to give it the
    // settings a run of this host has (read-ahead, where the CSV goes).
    using ReportSetup = std::function<void(Report&)>;

    enum class List : unsigned char { Saved, Kept };

    QuarterRun(FileSystem& fileSystem, ReportHost& host, ReportSetup setup = {},
               List list = List::Saved);

    // nullopt when the host asked to stop. A failure of a month's run
    // leaves as a FileError whose message begins with the month's name;
    // throws QuarterRefusal before running anything.
    std::optional<QuarterForm> Run(const std::vector<QuarterMonth>& months);

private:
    FileSystem& fileSystem_;
    ReportHost& host_;
    ReportSetup setup_;
    List list_;
};

}  // namespace veltra
