#include "quarter_run.h"

#include <chrono>

#include "engine_run.h"
#include "figure_publisher.h"
#include "process_timing.h"
#include "quarter.h"
#include "quarter_workbook.h"
#include "report.h"

namespace veltra::bench {

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Days 1 to 31, 32 to 61 and 62 on, as the corpus' 92 daily logs fall into
// October, November and December.
std::vector<QuarterMonth> Months(const std::vector<std::string>& logs) {
    std::vector<QuarterMonth> months{{{2026, 10}, {}}, {{2026, 11}, {}}, {{2026, 12}, {}}};
    for (std::size_t i = 0; i < logs.size(); ++i) {
        months[i < 31 ? 0 : i < 61 ? 1 : 2].logs.push_back(logs[i]);
    }
    return months;
}

}  // namespace

QuarterTiming TimeQuarter(FileSystem& fileSystem, ReadAheadSettings readAhead,
                          const std::vector<std::string>& logs, const std::filesystem::path& folder,
                          int runs) {
    const std::vector<QuarterMonth> months = Months(logs);
    const std::string executable = (folder / "veltra").string();
    const auto setup = [readAhead](Report& report) { report.SetReadAhead(readAhead); };
    std::vector<double> single;
    std::vector<double> quarter;
    std::vector<double> workbook;
    QuarterTiming timing;
    for (int run = 0; run < runs; ++run) {
        // Made and ended within the timing, as the quarter's report is.
        auto start = std::chrono::steady_clock::now();
        std::int64_t singleTotal = 0;
        {
            LatestFigures figures;
            QuietHost singleHost(logs, executable);
            Report report(figures, fileSystem, singleHost);
            setup(report);
            report.LadujPliki();
            singleTotal = report.tallies().Seconds(Category::Total);
        }
        single.push_back(SecondsSince(start));

        QuietHost quarterHost({}, executable);
        start = std::chrono::steady_clock::now();
        const std::optional<QuarterForm> form =
            QuarterRun(fileSystem, quarterHost, setup).Run(months);
        quarter.push_back(SecondsSince(start));

        std::int64_t total = 0;
        for (const std::optional<FormRow>& row : form->rows) {
            total += row ? row->totalSeconds : 0;
        }
        timing.sameSeconds = timing.sameSeconds && total == singleTotal;

        start = std::chrono::steady_clock::now();
        SaveQuarterWorkbook(fileSystem, (folder / "kwartal.xlsx").string(), SpecialTarget::Refuse,
                            *form, {"Radio Benchmark", "000/2026", "Jan Kowalski"});
        workbook.push_back(SecondsSince(start));
    }
    timing.singleRunSeconds = Median(single);
    timing.quarterSeconds = Median(quarter);
    timing.workbookSeconds = Median(workbook);
    return timing;
}

}  // namespace veltra::bench
