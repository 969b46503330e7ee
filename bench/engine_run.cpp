#include "engine_run.h"

#include <chrono>
#include <utility>

#include "figure_field.h"
#include "figure_publisher.h"
#include "report.h"

namespace veltra::bench {

std::optional<std::vector<std::string>> QuietHost::ChooseFiles() {
    return std::exchange(logs_, std::nullopt);
}

EngineRun RunEngine(FileSystem& fileSystem, ReadAheadSettings readAhead,
                    const std::vector<std::string>& logs, const std::filesystem::path& csvFolder) {
    LatestFigures figures;
    QuietHost host(logs, (csvFolder / "veltra").string());
    Report report(figures, fileSystem, host);
    report.SetReadAhead(readAhead);
    const auto start = std::chrono::steady_clock::now();
    report.LadujPliki();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

    EngineRun run{elapsed.count(), {}};
    for (std::size_t i = 0; i < kDisplayFieldCount; ++i) {
        run.figures += figures.Text(static_cast<Field>(i)) + ";";
    }
    return run;
}

}  // namespace veltra::bench
