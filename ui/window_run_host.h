#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <array>
#include <optional>

#include "figure_display.h"
#include "report_host.h"

class QWidget;

namespace veltra {

class OpenDialog;
class TGauge;

// The report's host in the main window, between the engine and the widgets:
// it hands the published figures and the gauges' progress to the window at
// the display's pace, asks for the logs and for the drives' folders in
// dialogs over the window, shows the closing notice, and tells the run when
// the window wants to close.
class WindowRunHost final : public ReportHost {
public:
    // `window` is the dialogs' parent; `dialog` asks for the logs.
    WindowRunHost(QWidget& window, OpenDialog& dialog);

    // The controls the run moves, once the window has made them.
    void AttachControls(TGauge& files, TGauge& lines, QWidget& pokaz);

    // The run's publisher: the window attaches its fields to it.
    FigureDisplay& Figures() { return display_; }
    const FigureDisplay& Figures() const { return display_; }

    // Logs to report instead of asking the dialog, for the next run only.
    void GiveLogs(QStringList logs) { givenLogs_ = std::move(logs); }

    // The window wants to close: a run in progress stops after its current
    // line, and the window closes once it has.
    void RequestStop() { stopRequested_ = true; }

    // Runs whose logs were chosen, whose figures the fields show added up,
    // since the start or the last Restart.
    int RunsInFigures() const { return runsInFigures_; }

    // A new report: progress not yet shown is dropped and the runs are
    // counted from zero.
    void Restart();

    // Figures and gauges as the run left them, before anything else is shown.
    void ShowLatestProgress();

    // After a run: which logs were still being written, so that their last
    // line was left out; nothing when none was.
    void ShowLogsBeingWritten();

    std::optional<std::vector<std::string>> ChooseFiles() override;
    void SetGaugeMaxValue(Gauge gauge, std::int32_t value) override;
    void SetGaugeProgress(Gauge gauge, std::int32_t value) override;
    void ProcessPendingMessages() override;
    bool StopRequested() const override { return stopRequested_; }
    void SetPokazEnabled(bool enabled) override;
    std::string ExecutablePath() const override;
    void ShowNotice(std::string_view text, std::string_view title) override;
    void NoteLogBeingWritten(std::string_view path) override;
    FolderMappings MappingsForRun() const override;
    std::optional<std::string> ChooseFolderFor(std::string_view root,
                                               std::string_view exampleAudioPath,
                                               std::string_view missingFolder) override;

private:
    // The log the run is reading, or last read; empty before any run.
    QString LogBeingRead() const;
    TGauge& GaugeOf(Gauge gauge) const { return *gauges_[static_cast<std::size_t>(gauge)]; }
    // Hands the gauges the progress the run reported since they last moved.
    void ShowGaugeProgress();

    QWidget& window_;
    OpenDialog& dialog_;
    FigureDisplay display_;
    std::array<TGauge*, 2> gauges_{};  // indexed by Gauge
    QWidget* pokaz_ = nullptr;
    std::optional<QStringList> givenLogs_;
    // Indexed by Gauge; set while a gauge has yet to show its latest value.
    std::array<std::optional<std::int32_t>, 2> pendingProgress_{};
    int runsInFigures_ = 0;
    // The logs of the current or last run, and how many of them it finished.
    QStringList runLogs_;
    std::int32_t filesDone_ = 0;
    // Since the run last let the window handle its messages.
    QElapsedTimer sinceMessages_;
    QStringList logsBeingWritten_;  // of the last run, native separators
    bool stopRequested_ = false;
};

}  // namespace veltra
