#include "terminal_host.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "driver_platform.h"
#include "file_access.h"
#include "file_system.h"
#include "termination_signals.h"

namespace veltra {

namespace {

// Often enough to look alive, rarely enough to cost nothing.
constexpr std::chrono::milliseconds kRedrawInterval{100};

void WriteToStderr(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
}

}  // namespace

TerminalHost::TerminalHost(std::vector<std::string> logs, FolderMappings mappings,
                           bool settingsRead)
    : logs_(std::move(logs)),
      mappings_(std::move(mappings)),
      settingsRead_(settingsRead),
      showProgress_(IsTerminal(stderr)) {}

std::optional<std::vector<std::string>> TerminalHost::ChooseFiles() {
    if (handedOver_) {
        return std::nullopt;
    }
    handedOver_ = true;
    std::vector<std::string> paths;
    paths.reserve(logs_.size());
    for (const std::string& log : logs_) {
        try {
            paths.push_back(AbsolutePath(log));
        } catch (const IoFailure& failure) {
            throw CannotOpenFile(log, failure.what());
        }
    }
    return paths;
}

bool TerminalHost::StopRequested() const {
    return CaughtTerminationSignal() != 0;
}

void TerminalHost::SetGaugeMaxValue(Gauge gauge, std::int32_t value) {
    GaugeState& state = StateOf(gauge);
    state.maxValue = value;
    state.progress = std::min(state.progress, value);
}

void TerminalHost::SetGaugeProgress(Gauge gauge, std::int32_t value) {
    StateOf(gauge).progress = value;
}

void TerminalHost::ProcessPendingMessages() {
    if (!showProgress_) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - lastDrawn_ >= kRedrawInterval) {
        lastDrawn_ = now;
        DrawProgress();
    }
}

void TerminalHost::DrawProgress() {
    char line[96];
    const int size = std::snprintf(line, sizeof line, "\r\033[KPlik %d/%d, wiersz %d/%d",
                                   std::min(files_.progress + 1, files_.maxValue), files_.maxValue,
                                   lines_.progress, lines_.maxValue);
    WriteToStderr(std::string_view(line, static_cast<std::size_t>(std::max(size, 0))));
    std::fflush(stderr);
    progressShown_ = true;
}

std::string TerminalHost::ExecutablePath() const {
    return veltra::ExecutablePath();
}

void TerminalHost::ShowNotice(std::string_view text, std::string_view) {
    EndProgress();
    WriteToStderr(text);
    WriteToStderr("\n");
}

void TerminalHost::NoteLogBeingWritten(std::string_view path) {
    EndProgress();
    std::string note = "veltra-report: \"";
    note.append(PrintablePath(path));
    note.append("\" was being written; its last line, not yet finished, was left out\n");
    WriteToStderr(note);
}

void TerminalHost::EndProgress() {
    if (progressShown_) {
        WriteToStderr("\r\033[K");
        progressShown_ = false;
    }
}

std::optional<std::string> TerminalHost::ChooseFolderFor(std::string_view root,
                                                         std::string_view exampleAudioPath,
                                                         std::string_view missingFolder) {
    EndProgress();
    // Both come from a log, which must not steer the terminal.
    const std::string shownRoot = PrintablePath(root);
    std::string note = "veltra-report: ";
    if (!missingFolder.empty()) {
        note.append("the folder ").append(PrintablePath(missingFolder));
        note.append(" mapped to ").append(shownRoot).append(" is not there");
    } else if (settingsRead_) {
        note.append("no folder is mapped to ").append(shownRoot);
    } else {
        // Without the settings file its mapping may exist, only unread.
        note.append("no folder is known for ").append(shownRoot);
    }
    note.append(" (as in ").append(PrintablePath(exampleAudioPath));
    note.append("), so its description files were not found; map it with --map '");
    note.append(shownRoot).append("=FOLDER'\n");
    WriteToStderr(note);
    return std::nullopt;
}

}  // namespace veltra
