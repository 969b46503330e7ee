#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "read_ahead_settings.h"
#include "report_host.h"

namespace veltra {
class FileSystem;
}

namespace veltra::bench {

// Hosts a run in the benchmark's own process: hands over its logs once and
// shows nothing.
class QuietHost final : public ReportHost {
public:
    explicit QuietHost(std::vector<std::string> logs, std::string executablePath = {})
        : logs_(std::move(logs)), executablePath_(std::move(executablePath)) {}

    std::optional<std::vector<std::string>> ChooseFiles() override;
    void SetGaugeMaxValue(Gauge, std::int32_t) override {}
    void SetGaugeProgress(Gauge, std::int32_t) override {}
    void ProcessPendingMessages() override {}
    bool StopRequested() const override { return false; }
    void SetPokazEnabled(bool) override {}
    std::string ExecutablePath() const override { return executablePath_; }
    void ShowNotice(std::string_view, std::string_view) override {}

private:
    std::optional<std::vector<std::string>> logs_;
    std::string executablePath_;
};

struct EngineRun {
    double seconds = 0;
    std::string figures;  // every field's final text, to compare runs by
};

// One whole report run over `logs` (paths relative to the current folder),
// saving the CSV file in `csvFolder`.
EngineRun RunEngine(FileSystem& fileSystem, ReadAheadSettings readAhead,
                    const std::vector<std::string>& logs, const std::filesystem::path& csvFolder);

}  // namespace veltra::bench
