#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "folder_mappings.h"

namespace veltra {

enum class Gauge : unsigned char {
    Files,  // Gauge1: logs finished of the chosen ones
    Lines,  // Gauge2: lines handled of the current log
};

// What a report run needs from whoever hosts it: the main window, the
// command-line driver or a test.
class ReportHost {
public:
    virtual ~ReportHost() = default;

    // Asks for the logs; nullopt when the user cancels. Paths are in the
    // file system's own encoding (UTF-8 on Linux).
    virtual std::optional<std::vector<std::string>> ChooseFiles() = 0;

    virtual void SetGaugeMaxValue(Gauge gauge, std::int32_t value) = 0;
    virtual void SetGaugeProgress(Gauge gauge, std::int32_t value) = 0;

    // Lets the host handle whatever is pending (repaints, input) and returns
    // without waiting for more.
    virtual void ProcessPendingMessages() = 0;

    // True once the host wants the run to end early (its window is closing):
    // the run then stops after the current line, saves nothing and shows no
    // notice.
    virtual bool StopRequested() const = 0;

    virtual void SetPokazEnabled(bool enabled) = 0;

    // Full path of the running program's executable.
    virtual std::string ExecutablePath() const = 0;

    // The closing notice: text, title, information icon, one OK button.
    virtual void ShowNotice(std::string_view text, std::string_view title) = 0;

    // Said once a run for a log that another program was writing while it
    // was read: its last line, not yet finished, was left out.
    virtual void NoteLogBeingWritten(std::string_view /*path*/) {}

    // The user's folder mappings, taken at the start of every run. A host
    // without settings has none.
    virtual FolderMappings MappingsForRun() const { return {}; }

    // Asked once a run for each drive or share ("D:\", "\\serwer\audio")
    // whose paths found no description file and which has no mapping, or
    // whose mapped folder `missingFolder` is not there ("" when unmapped);
    // `exampleAudioPath` is one such path (UTF-8). The folder that holds
    // its files here, which the host may keep for later runs, or nullopt to
    // leave it unmapped for the rest of the run.
    virtual std::optional<std::string> ChooseFolderFor(std::string_view /*root*/,
                                                       std::string_view /*exampleAudioPath*/,
                                                       std::string_view /*missingFolder*/) {
        return std::nullopt;
    }
};

}  // namespace veltra
