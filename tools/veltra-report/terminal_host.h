#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "report_host.h"

namespace veltra {

// Hosts a report run on the command line: the logs come from the arguments,
// progress and the closing notice go to standard error.
class TerminalHost final : public ReportHost {
public:
    // `settingsRead`: whether the mappings include those of the settings
    // file, or it could not be read.
    TerminalHost(std::vector<std::string> logs, FolderMappings mappings, bool settingsRead);

    // Hands over the logs once, as full paths like the window's dialog does.
    std::optional<std::vector<std::string>> ChooseFiles() override;
    void SetGaugeMaxValue(Gauge gauge, std::int32_t value) override;
    void SetGaugeProgress(Gauge gauge, std::int32_t value) override;
    void ProcessPendingMessages() override;
    // A caught SIGTERM, SIGINT or SIGHUP ends the run as a closed window
    // does.
    bool StopRequested() const override;
    void SetPokazEnabled(bool) override {}
    std::string ExecutablePath() const override;
    void ShowNotice(std::string_view text, std::string_view title) override;
    // Says so on standard error; the figures go on.
    void NoteLogBeingWritten(std::string_view path) override;
    FolderMappings MappingsForRun() const override { return mappings_; }
    // Never asks: says on standard error how to map the drive or share.
    std::optional<std::string> ChooseFolderFor(std::string_view root,
                                               std::string_view exampleAudioPath,
                                               std::string_view missingFolder) override;

    // Clears the progress line, so that what follows starts on a clean one.
    void EndProgress();

private:
    struct GaugeState {
        std::int32_t maxValue = 0;
        std::int32_t progress = 0;
    };

    GaugeState& StateOf(Gauge gauge) { return gauge == Gauge::Files ? files_ : lines_; }
    void DrawProgress();

    std::vector<std::string> logs_;
    FolderMappings mappings_;
    const bool settingsRead_;
    bool handedOver_ = false;
    // Progress is drawn only for a person watching a terminal.
    const bool showProgress_;
    bool progressShown_ = false;
    GaugeState files_;
    GaugeState lines_;
    std::chrono::steady_clock::time_point lastDrawn_{};
};

}  // namespace veltra
