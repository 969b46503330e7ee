#include "report.h"

#include <cstdint>
#include <limits>

#include "audio_path_resolver.h"
#include "case_folding.h"
#include "cp1250.h"
#include "csv_location.h"
#include "description_read_ahead.h"
#include "figure_publisher.h"
#include "file_access.h"
#include "line_analysis.h"
#include "log_record.h"
#include "missing_nationality_csv.h"
#include "number_text.h"
#include "report_host.h"
#include "text_lines.h"

namespace veltra {

namespace {

std::int32_t GaugeValue(std::size_t value) {
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(value < kMax ? value : kMax);
}

// Clears a flag however the scope is left, a failure included.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;
    ~FlagGuard() { flag_ = false; }

private:
    bool& flag_;
};

// Gives a text's memory back however the scope is left.
class TextRelease {
public:
    explicit TextRelease(std::string& text) : text_(text) {}
    TextRelease(const TextRelease&) = delete;
    TextRelease& operator=(const TextRelease&) = delete;
    ~TextRelease() { text_ = std::string(); }

private:
    std::string& text_;
};

// Reads ahead over one log, and whichever way the log's analysis ends, drops
// the reads still in flight before its text goes.
class ReadAheadOverLog {
public:
    ReadAheadOverLog(DescriptionReadAhead* readAhead, std::string_view lines,
                     std::shared_ptr<const DebutTest> test)
        : readAhead_(readAhead) {
        if (readAhead_) {
            readAhead_->StartLog(lines, std::move(test));
        }
    }
    ReadAheadOverLog(const ReadAheadOverLog&) = delete;
    ReadAheadOverLog& operator=(const ReadAheadOverLog&) = delete;
    ~ReadAheadOverLog() {
        if (readAhead_) {
            readAhead_->EndLog();
        }
    }

private:
    DescriptionReadAhead* readAhead_;
};

// The debut test as far as it goes without the user: no debut for no path
// or no description file, the file's mark otherwise; nullopt when the path's
// drive or share has no usable folder here (that lookup left in
// `unresolved`), which only the run itself may ask for. CzyDebiut and the
// read-ahead both test so.
std::optional<DebutDecision> DebutWithoutAsking(const AudioPathResolver& resolver,
                                                std::string_view audioPath,
                                                const std::string& logFolder,
                                                DescriptionLookup* unresolved = nullptr) {
    if (audioPath.empty()) {
        return DebutDecision{};
    }
    DescriptionLookup found = resolver.ReadDescriptionFile(audioPath, logFolder);
    if (!found.text) {
        if (found.unmappedRoot.empty()) {
            return DebutDecision{};
        }
        if (unresolved) {
            *unresolved = std::move(found);
        }
        return std::nullopt;
    }
    return DebutDecision{MarksDebut(*found.text) ? DebutOutcome::Debut : DebutOutcome::Other,
                         std::move(found.path)};
}

// The debut test for the read-ahead's threads, over the log in `logFolder`;
// a drive or share without a folder is left to CzyDebiut at its line.
std::shared_ptr<const DebutTest> DebutTestAhead(std::shared_ptr<const AudioPathResolver> resolver,
                                                std::string logFolder) {
    return std::make_shared<const DebutTest>(
        [resolver = std::move(resolver),
         logFolder = std::move(logFolder)](std::string_view audioPath) {
            return DebutWithoutAsking(*resolver, audioPath, logFolder);
        });
}

}  // namespace

Report::Report(FigurePublisher& publisher, FileSystem& fileSystem, ReportHost& host)
    : publisher_(publisher), fileSystem_(fileSystem), host_(host), tallies_(publisher) {}

Report::~Report() = default;

void Report::Reset() {
    tallies_.Reset();
    missingNationalityList_.clear();
    details_.Clear();
}

void Report::LadujPliki() {
    if (running_) {
        return;
    }
    const FlagGuard running(running_);
    // Each log is read into the memory of the one before; the last one's
    // goes back when the run ends.
    const TextRelease releaseLogText(logText_);

    // The run keeps its own copy of the choice, so nothing the host does
    // while handling messages can change the files it walks through.
    const std::optional<std::vector<std::string>> files = host_.ChooseFiles();
    if (!files) {
        return;
    }
    host_.SetGaugeMaxValue(Gauge::Files, GaugeValue(files->size()));
    tallies_.ResetMissingNationality();
    // The count label must not go on showing the previous run's count.
    publisher_.Publish(Field::MissingNationality, FigureValue::Count(0));
    host_.SetPokazEnabled(false);
    missingNationalityList_.clear();
    details_.Clear();
    resolver_ = std::make_shared<AudioPathResolver>(fileSystem_, host_.MappingsForRun());
    askedRoots_.clear();
    logsNotedAsBeingWritten_.clear();
    uncheckedItems_ = 0;

    for (std::size_t k = 0; k < files->size(); ++k) {
        AnalizujPlik((*files)[k]);
        // Sticky: true here only if the last line's message handling asked.
        if (host_.StopRequested()) {
            return;
        }
        host_.SetGaugeProgress(Gauge::Files, GaugeValue(k + 1));
        host_.ProcessPendingMessages();
        if (host_.StopRequested()) {
            return;
        }
    }

    host_.SetPokazEnabled(!missingNationalityList_.empty());
    if (savesList_ && !SaveMissingNationalityList(missingNationalityList_)) {
        return;
    }
    host_.ShowNotice(ClosingNotice(), "Informacja");
}

void Report::AnalizujPlik(const std::string& path) {
    // A large log takes a while to read; a stop meanwhile is not kept waiting.
    std::optional<std::string> read = ReadFileOrFail(
        fileSystem_, path,
        [this] {
            host_.ProcessPendingMessages();
            return !host_.StopRequested();
        },
        std::move(logText_));
    if (!read) {
        return;
    }
    logText_ = std::move(*read);
    std::string& text = logText_;
    // Cut once, so that counting, reading ahead and analysing the lines each
    // walk them without searching the whole text again.
    text.resize(TextBeforeNul(text).size());
    LeaveOutALineBeingWritten(path, text);
    logFolder_ = path.substr(0, path.rfind('/') + 1);
    details_.StartLog(path);
    // The lines are counted first and then walked, never indexed: an index
    // costs more memory than the log itself when its lines are short.
    host_.SetGaugeMaxValue(Gauge::Lines, GaugeValue(CountLines(text)));

    if (readAheadSettings_.ioThreads > 0 && !readAhead_) {
        readAhead_ = std::make_unique<DescriptionReadAhead>(readAheadSettings_);
    }
    Resolver();
    const ReadAheadOverLog readingAhead(readAhead_.get(), text,
                                        DebutTestAhead(resolver_, logFolder_));

    LineReader lines = LineReader::OverTextBeforeNul(text);
    std::size_t index = 0;
    while (const std::optional<std::string_view> line = lines.Next()) {
        if (!TrimControls(*line).empty()) {
            AnalyseLine(*line, index);
        }
        if (readAhead_) {
            readAhead_->Passed(index);
        }
        host_.SetGaugeProgress(Gauge::Lines, GaugeValue(++index));
        host_.ProcessPendingMessages();
        if (host_.StopRequested()) {
            return;
        }
    }
}

// A log read while the playout system appends to it may end halfway through
// a line; that line is counted when the log is read again, whole. A log
// nobody writes any more keeps a last line without its end.
void Report::LeaveOutALineBeingWritten(const std::string& path, std::string& text) {
    const std::optional<std::size_t> unfinished = UnfinishedLastLine(text);
    if (!unfinished || !fileSystem_.IsOpenForWriting(path)) {
        return;
    }
    text.resize(*unfinished);
    if (logsNotedAsBeingWritten_.insert(path).second) {
        host_.NoteLogBeingWritten(path);
    }
}

void Report::AnalizujWiersz(std::string_view line) {
    details_.EndLog();
    AnalyseLine(line, std::nullopt);
}

void Report::AnalyseLine(std::string_view line, std::optional<std::size_t> index) {
    const LineItem item = ClassifyLine(line);
    switch (item.kind) {
        case LineKind::Incomplete:
            tallies_.CountIncompleteLine();
            if (keepsDetails_) {
                details_.AddIncompleteLine(index ? *index + 1 : 0, line);
            }
            return;
        case LineKind::NotMusic:
            return;
        case LineKind::NoNationality:
            tallies_.CountMissingNationality();
            missingNationalityList_.push_back(MissingNationalityEntry(*item.record));
            return;
        case LineKind::Counted:
            break;
    }

    const LogRecord& record = *item.record;
    const std::int32_t seconds = CzasNaSekundy(record.Duration());
    tallies_.CountItem(Category::Total, seconds);
    if (item.polish) {
        tallies_.CountItem(Category::Polish, seconds);
    }
    if (InDayBand(item.hour)) {
        tallies_.CountItem(Category::Day, seconds);
        if (item.TakesDebutTest()) {
            std::optional<DebutDecision> decision;
            if (index && readAhead_) {
                decision = readAhead_->DebutAt(*index, record.AudioPath());
            }
            if (!decision) {
                decision = DecideDebut(record.AudioPath());
            }
            if (keepsDetails_) {
                details_.AddPolishDayItem(index ? *index + 1 : 0, record.AudioPath(), *decision);
            }
            tallies_.CountItem(
                decision->IsDebut() ? Category::DayPolishDebut : Category::DayPolishOther, seconds);
        }
    }
    if (InNightBand(item.hour)) {
        tallies_.CountItem(Category::Night, seconds);
        if (item.polish) {
            tallies_.CountItem(Category::NightPolish, seconds);
        }
    }
    tallies_.RefreshRatios();
}

bool Report::CzyDebiut(std::string_view audioPath) {
    return DecideDebut(audioPath).IsDebut();
}

DebutDecision Report::DecideDebut(std::string_view audioPath) {
    AudioPathResolver& resolver = Resolver();
    DescriptionLookup unresolved;
    std::optional<DebutDecision> decision =
        DebutWithoutAsking(resolver, audioPath, logFolder_, &unresolved);
    if (!decision && askedRoots_.insert(FoldCase(unresolved.unmappedRoot)).second) {
        if (std::optional<std::string> folder = host_.ChooseFolderFor(
                unresolved.unmappedRoot, Cp1250ToUtf8(audioPath), unresolved.missingFolder)) {
            resolver.SetMapping(unresolved.unmappedRoot, std::move(*folder));
            decision = DebutWithoutAsking(resolver, audioPath, logFolder_);
        }
    }
    if (!decision) {
        ++uncheckedItems_;
        return {DebutOutcome::Unmapped, {}};
    }
    return std::move(*decision);
}

AudioPathResolver& Report::Resolver() {
    if (!resolver_) {
        resolver_ = std::make_shared<AudioPathResolver>(fileSystem_, host_.MappingsForRun());
    }
    return *resolver_;
}

void Report::SetReadAhead(ReadAheadSettings settings) {
    readAheadSettings_ = settings;
    readAhead_.reset();
}

std::string UncheckedItemsNote(std::size_t count) {
    return "Pozycje polskie, których nie sprawdzono pod kątem debiutu "
           "(brak folderu dysku lub udziału): " +
           std::to_string(count);
}

std::string Report::ClosingNotice() const {
    std::string notice = "Gotowe!";
    if (uncheckedItems_ > 0) {
        // Counted as no debut, so the debut figures may be too low.
        notice.append("\n").append(UncheckedItemsNote(uncheckedItems_));
    }
    return notice;
}

std::string Report::CsvPath() const {
    return csvPath_ ? *csvPath_ : MissingNationalityCsvPath(fileSystem_, host_.ExecutablePath());
}

// Entry by entry, so that a stop request reaches a long save too.
bool Report::SaveMissingNationalityList(const std::vector<std::string>& entries) {
    MissingNationalityCsvWriter csv(fileSystem_, CsvPath(), csvSpecialTarget_);
    for (const std::string& entry : entries) {
        if (host_.StopRequested()) {
            return false;
        }
        csv.Add(entry);
    }
    csv.Commit();
    return true;
}

}  // namespace veltra
