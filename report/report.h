#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "audio_path_resolver.h"
#include "file_system.h"
#include "read_ahead_settings.h"
#include "run_details.h"
#include "tallies.h"

namespace veltra {

class DescriptionReadAhead;
class FigurePublisher;
class ReportHost;

// "Pozycje polskie, których nie sprawdzono pod kątem debiutu ...: 12", said
// wherever figures are shown that `count` items may have left too low.
std::string UncheckedItemsNote(std::size_t count);

// The report state the main window owns, the tallies and the list of items
// without a nationality, together with the run that fills them. The worker
// names are the form's own. Failures leave as FileError.
class Report {
public:
    Report(FigurePublisher& publisher, FileSystem& fileSystem, ReportHost& host);
    ~Report();

    // One whole run: the logs the host chooses, then the CSV file and the
    // closing notice. Does nothing when called while a run is in progress,
    // as happens when the host's pending messages include a second press.
    void LadujPliki();

    // Feeds every non-blank line of one log, untrimmed, to AnalizujWiersz.
    void AnalizujPlik(const std::string& path);

    // Applies one log line to the tallies and the missing-nationality list.
    void AnalizujWiersz(std::string_view line);

    // Whether the description file beside the audio file (a path in the log's
    // code page 1250) marks its artist as a debutant. A path written on
    // Windows is looked for as AudioPathResolver describes; the host is asked
    // once a run for a folder for each drive or share that needs one.
    bool CzyDebiut(std::string_view audioPath);

    // Back to the state of a new report, as at creation: the tallies at 0 and
    // the missing-nationality list empty. Runs add to the figures of the runs
    // before them until this is called; not during a run.
    void Reset();

    // True from the start of LadujPliki until it returns, also while it
    // waits for the host's dialogs.
    bool Running() const { return running_; }

    // How far runs read description files ahead; not during a run.
    void SetReadAhead(ReadAheadSettings settings);

    // Where runs save the CSV file instead of beside the executable, and
    // what they do when that name leads to a device or a pipe.
    void SetCsvPath(std::string csvPath, SpecialTarget special) {
        csvPath_ = std::move(csvPath);
        csvSpecialTarget_ = special;
    }

    // Whether a run ends by saving its list of items without a nationality,
    // as it does unless told otherwise: a quarter saves its months' lists
    // as one, at its end.
    void SetSavesMissingNationalityList(bool saves) { savesList_ = saves; }

    // Saves `entries` where runs save their list, entry by entry; false when
    // the host asked to stop, leaving the previous file. Failures leave as
    // FileError "Cannot create file ...".
    bool SaveMissingNationalityList(const std::vector<std::string>& entries);

    const Tallies& tallies() const { return tallies_; }
    const std::vector<std::string>& MissingNationalityList() const {
        return missingNationalityList_;
    }
    // The incomplete lines and the Polish day items of the latest run, as
    // far as it got; emptied by each run and by Reset. Kept only when asked
    // for, as they cost memory by the line.
    const RunDetails& Details() const { return details_; }
    // Polish day items of the latest run counted as no debut because their
    // drive or share had no folder: the debut figures may be too low by them.
    std::size_t UncheckedItems() const { return uncheckedItems_; }
    void SetKeepsDetails(bool keeps) { keepsDetails_ = keeps; }

private:
    // AnalizujWiersz for line `index` of the log being read, with its debut
    // test answered by the read-ahead when there is one.
    void AnalyseLine(std::string_view line, std::optional<std::size_t> index);
    // CzyDebiut with its outcome and the description file it read.
    DebutDecision DecideDebut(std::string_view audioPath);
    void LeaveOutALineBeingWritten(const std::string& path, std::string& text);
    // "Gotowe!", and how many items could not be checked for a debut.
    std::string ClosingNotice() const;
    std::string CsvPath() const;
    AudioPathResolver& Resolver();

    FigurePublisher& publisher_;
    FileSystem& fileSystem_;
    ReportHost& host_;
    Tallies tallies_;
    std::vector<std::string> missingNationalityList_;
    RunDetails details_;
    std::optional<std::string> csvPath_;
    // Made afresh for every run, so that its folder listings are the run's;
    // shared with the reads of the run still in flight after it.
    std::shared_ptr<AudioPathResolver> resolver_;
    std::set<std::string> askedRoots_;  // folded
    std::set<std::string> logsNotedAsBeingWritten_;
    // Polish day items counted as no debut because their drive or share
    // had no folder.
    std::size_t uncheckedItems_ = 0;
    std::string logFolder_;  // of the log being read
    // The text of the log being read, or of the last one: a log read into
    // memory already at hand, still in the cache, is analysed faster.
    std::string logText_;
    SpecialTarget csvSpecialTarget_ = SpecialTarget::Refuse;
    ReadAheadSettings readAheadSettings_;
    // Made by the first log that needs it; its threads then wait for more.
    std::unique_ptr<DescriptionReadAhead> readAhead_;
    bool running_ = false;
    bool savesList_ = true;
    bool keepsDetails_ = false;
};

}  // namespace veltra
