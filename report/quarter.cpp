#include "quarter.h"

#include <array>
#include <limits>
#include <map>
#include <set>

#include "figure_publisher.h"
#include "file_access.h"
#include "report.h"
#include "report_host.h"

namespace veltra {

namespace {

constexpr std::array<std::string_view, 12> kMonthNames{
    "styczeń", "luty",     "marzec",   "kwiecień",    "maj",      "czerwiec",
    "lipiec",  "sierpień", "wrzesień", "październik", "listopad", "grudzień",
};

double Share(std::int64_t part, std::int64_t whole) {
    return whole == 0 ? 0.0 : static_cast<double>(part) / static_cast<double>(whole);
}

// Compared without rounding the share first: 32.99 % misses 33 %. A share
// over nothing is 0, as the form shows it.
bool Meets(std::int64_t part, std::int64_t whole, double thresholdPercent) {
    if (whole == 0) {
        return thresholdPercent <= 0;
    }
    return static_cast<long double>(part) * 100 >=
           static_cast<long double>(thresholdPercent) * static_cast<long double>(whole);
}

std::int32_t GaugeValue(std::size_t value) {
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(value < kMax ? value : kMax);
}

// A month's figures go nowhere: the quarter reads them from the tallies,
// and whatever the host shows of its own runs stays as it was.
class DiscardedFigures final : public FigurePublisher {
public:
    using FigurePublisher::Publish;
    void Publish(std::span<const FigureUpdate>) override {}
};

// The quarter's host as each month's run sees it: the month's logs as the
// choice, the files gauge over the whole quarter, no notice of its own and
// no change to the host's "pokaż".
class MonthHost final : public ReportHost {
public:
    MonthHost(ReportHost& host, std::size_t filesInQuarter)
        : host_(host), filesInQuarter_(filesInQuarter) {}

    void StartMonth(const std::vector<std::string>& logs, std::size_t filesBefore) {
        logs_ = &logs;
        filesBefore_ = filesBefore;
    }

    std::optional<std::vector<std::string>> ChooseFiles() override { return *logs_; }
    void SetGaugeMaxValue(Gauge gauge, std::int32_t value) override {
        host_.SetGaugeMaxValue(gauge, gauge == Gauge::Files ? GaugeValue(filesInQuarter_) : value);
    }
    void SetGaugeProgress(Gauge gauge, std::int32_t value) override {
        const std::size_t before = gauge == Gauge::Files ? filesBefore_ : 0;
        host_.SetGaugeProgress(gauge, GaugeValue(before + static_cast<std::size_t>(value)));
    }
    void ProcessPendingMessages() override { host_.ProcessPendingMessages(); }
    bool StopRequested() const override { return host_.StopRequested(); }
    void SetPokazEnabled(bool) override {}
    std::string ExecutablePath() const override { return host_.ExecutablePath(); }
    void ShowNotice(std::string_view, std::string_view) override {}
    void NoteLogBeingWritten(std::string_view path) override { host_.NoteLogBeingWritten(path); }
    FolderMappings MappingsForRun() const override { return host_.MappingsForRun(); }
    std::optional<std::string> ChooseFolderFor(std::string_view root,
                                               std::string_view exampleAudioPath,
                                               std::string_view missingFolder) override {
        if (declinedRoots_.contains(std::string(root))) {
            return std::nullopt;
        }
        std::optional<std::string> folder =
            host_.ChooseFolderFor(root, exampleAudioPath, missingFolder);
        if (!folder) {
            declinedRoots_.emplace(root);
        }
        return folder;
    }

private:
    ReportHost& host_;
    std::size_t filesInQuarter_;
    const std::vector<std::string>* logs_ = nullptr;
    std::size_t filesBefore_ = 0;
    std::set<std::string> declinedRoots_;
};

}  // namespace

std::string MonthName(YearMonth month) {
    return std::string(kMonthNames.at(static_cast<std::size_t>(month.month - 1))) + ' ' +
           std::to_string(month.year);
}

std::string_view QuarterNumeral(int quarter) {
    constexpr std::array<std::string_view, 4> kNumerals{"I", "II", "III", "IV"};
    return kNumerals.at(static_cast<std::size_t>(quarter - 1));
}

std::string ShareText(double share) {
    const auto tenths = static_cast<long long>(share * 1000 + 1e-9);
    return std::to_string(tenths / 10) + ',' + std::to_string(tenths % 10) + '%';
}

double FormRow::PolishShare() const {
    return Share(dayPolishDebutSeconds + dayPolishOtherSeconds + nightPolishSeconds, totalSeconds);
}

double FormRow::DayPolishShare() const {
    return Share(dayPolishDebutSeconds + dayPolishOtherSeconds,
                 dayPolishDebutSeconds + dayPolishOtherSeconds + nightPolishSeconds);
}

bool FormRow::PolishShareMet(const ShareThresholds& thresholds) const {
    return Meets(dayPolishDebutSeconds + dayPolishOtherSeconds + nightPolishSeconds, totalSeconds,
                 thresholds.polish);
}

bool FormRow::DayPolishShareMet(const ShareThresholds& thresholds) const {
    return Meets(dayPolishDebutSeconds + dayPolishOtherSeconds,
                 dayPolishDebutSeconds + dayPolishOtherSeconds + nightPolishSeconds,
                 thresholds.dayPolish);
}

QuarterId CheckQuarter(const std::vector<QuarterMonth>& months) {
    if (months.empty() || months.size() > 3) {
        throw QuarterRefusal("Kwartał to od jednego do trzech miesięcy.");
    }
    const QuarterId quarter = QuarterId::Of(months.front().month);
    std::set<YearMonth> seenMonths;
    std::map<std::string, YearMonth> seenLogs;
    bool anyLog = false;
    for (const QuarterMonth& month : months) {
        if (month.month.month < 1 || month.month.month > 12) {
            throw QuarterRefusal("Nie ma takiego miesiąca: " + std::to_string(month.month.month) +
                                 ".");
        }
        if (QuarterId::Of(month.month) != quarter) {
            throw QuarterRefusal(MonthName(month.month) + " i " + MonthName(months.front().month) +
                                 " należą do różnych kwartałów.");
        }
        if (!seenMonths.insert(month.month).second) {
            throw QuarterRefusal(MonthName(month.month) + " podano dwa razy.");
        }
        for (const std::string& log : month.logs) {
            const auto [earlier, added] = seenLogs.emplace(log, month.month);
            if (!added) {
                throw QuarterRefusal(
                    "Plik " + PrintablePath(log) + " wybrano dwa razy (" +
                    MonthName(earlier->second) +
                    (earlier->second == month.month ? "" : ", " + MonthName(month.month)) + ").");
            }
            anyLog = true;
        }
    }
    if (!anyLog) {
        throw QuarterRefusal("Nie wybrano żadnego pliku.");
    }
    return quarter;
}

QuarterRun::QuarterRun(FileSystem& fileSystem, ReportHost& host, ReportSetup setup, List list)
    : fileSystem_(fileSystem), host_(host), setup_(std::move(setup)), list_(list) {}

std::optional<QuarterForm> QuarterRun::Run(const std::vector<QuarterMonth>& months) {
    QuarterForm form{CheckQuarter(months), {}};
    std::size_t filesInQuarter = 0;
    for (const QuarterMonth& month : months) {
        filesInQuarter += month.logs.size();
    }

    // One report for the quarter, set back to zero for every month: its
    // description read-ahead keeps its threads from month to month.
    DiscardedFigures figures;
    MonthHost monthHost(host_, filesInQuarter);
    Report report(figures, fileSystem_, monthHost);
    if (setup_) {
        setup_(report);
    }
    report.SetSavesMissingNationalityList(false);
    std::size_t filesBefore = 0;
    for (const QuarterMonth& month : months) {
        if (month.logs.empty()) {
            continue;
        }
        monthHost.StartMonth(month.logs, filesBefore);
        report.Reset();
        try {
            report.LadujPliki();
        } catch (const FileError& failure) {
            throw FileError(MonthName(month.month) + ": " + failure.what());
        }
        if (host_.StopRequested()) {
            return std::nullopt;
        }
        filesBefore += month.logs.size();

        const Tallies& tallies = report.tallies();
        form.rows[static_cast<std::size_t>((month.month.month - 1) % 3)] = FormRow{
            month.month,
            tallies.Seconds(Category::Total),
            tallies.Seconds(Category::DayPolishDebut),
            tallies.Seconds(Category::DayPolishOther),
            tallies.Seconds(Category::NightPolish),
            tallies.IncompleteLines(),
            tallies.MissingNationality(),
            static_cast<std::int64_t>(report.UncheckedItems()),
        };
        const std::vector<std::string>& entries = report.MissingNationalityList();
        form.missingNationalityList.insert(form.missingNationalityList.end(), entries.begin(),
                                           entries.end());
    }
    if (list_ == List::Saved && !report.SaveMissingNationalityList(form.missingNationalityList)) {
        return std::nullopt;
    }
    return form;
}

}  // namespace veltra
