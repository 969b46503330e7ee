#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "figure_publisher.h"
#include "file_system.h"
#include "report_host.h"

namespace veltra::testing {

// Keeps every publication in order and the latest text of each field.
class RecordingPublisher final : public FigurePublisher {
public:
    using FigurePublisher::Publish;
    void Publish(std::span<const FigureUpdate> updates) override {
        for (const auto& [field, value] : updates) {
            const std::string text = value.Text();
            published.emplace_back(field, text);
            latest[field] = text;
        }
    }

    // The latest text, or "" for a field never published.
    std::string Text(Field field) const {
        const auto found = latest.find(field);
        return found == latest.end() ? std::string() : found->second;
    }

    std::vector<Field> PublishedFields() const {
        std::vector<Field> fields;
        for (const auto& [field, text] : published) {
            fields.push_back(field);
        }
        return fields;
    }

    std::vector<std::pair<Field, std::string>> published;
    std::map<Field, std::string> latest;
};

// Why a fake file operation fails: a cause known only by its text, or a
// system error number, which also gives the text.
struct FakeFailure {
    FakeFailure() = default;
    FakeFailure(const char* cause) : cause(cause) {}
    FakeFailure(std::string cause) : cause(std::move(cause)) {}
    FakeFailure(std::errc error) : code(std::make_error_code(error)), cause(code.message()) {}

    IoFailure Exception() const { return code ? IoFailure(code) : IoFailure(cause); }

    std::error_code code;
    std::string cause;
};

// Files in memory; any operation can be made to fail with a cause. The
// reading operations may be called from several threads, as the interface
// allows; a test changes the files only while no run is going on.
class FakeFileSystem final : public FileSystem {
public:
    bool IsRegularFile(const std::string& path) const override {
        const std::lock_guard lock(mutex_);
        ++isRegularFileCalls;
        return files.contains(path) || files.contains(Normal(path));
    }

    std::string ReadWholeFile(const std::string& path) const override {
        if (beforeRead) {
            beforeRead(path);
        }
        const std::lock_guard lock(mutex_);
        reads_.push_back(path);
        if (const FakeFailure* failure = FailureOf(unreadable, path)) {
            throw failure->Exception();
        }
        auto found = files.find(path);
        if (found == files.end()) {
            found = files.find(Normal(path));
        }
        if (found == files.end()) {
            throw IoFailure(std::make_error_code(std::errc::no_such_file_or_directory));
        }
        return found->second;
    }

    // In pieces of `readPiece` bytes when that is set, asking between them.
    std::optional<std::string> ReadWholeFileWhile(const std::string& path,
                                                  const std::function<bool()>& goOn,
                                                  std::string /*buffer*/) const override {
        std::string bytes = ReadWholeFile(path);
        for (std::size_t read = readPiece; readPiece > 0 && read < bytes.size();
             read += readPiece) {
            if (!goOn()) {
                return std::nullopt;
            }
        }
        return bytes;
    }

    // A path made to fail fails however it is read, file or not.
    std::optional<std::string> ReadRegularFile(const std::string& path) const override {
        if (!IsRegularFile(path) && !FailureOf(unreadable, path)) {
            return std::nullopt;
        }
        return ReadWholeFile(path);
    }

    // The new content stays apart until Commit, as on a real file system.
    class Replacement final : public FileReplacement {
    public:
        Replacement(FakeFileSystem& owner, std::string path)
            : owner_(owner), path_(std::move(path)) {}
        void Write(std::string_view bytes) override {
            if (owner_.writeFailure) {
                throw IoFailure(*owner_.writeFailure);
            }
            content_.append(bytes);
        }
        void Commit() override {
            if (owner_.commitFailure) {
                throw IoFailure(*owner_.commitFailure);
            }
            const std::lock_guard lock(owner_.mutex_);
            owner_.files[path_] = content_;
        }

    private:
        FakeFileSystem& owner_;
        std::string path_;
        std::string content_;
    };

    std::unique_ptr<FileReplacement> StartReplacing(const std::string& path,
                                                    SpecialTarget special) override {
        replaced.emplace_back(path, special);
        if (onReplace) {
            onReplace();
        }
        if (openFailure) {
            throw IoFailure(*openFailure);
        }
        return std::make_unique<Replacement>(*this, path);
    }

    // Every path read, in the order the reads began. Reads abandoned by a
    // run may still be ending on other threads.
    std::vector<std::string> Reads() const {
        const std::lock_guard lock(mutex_);
        return reads_;
    }

    // The folders are those the files' paths pass through, and those made;
    // a folder's path is taken as the system would, "." and doubled
    // separators applied.
    std::vector<std::string> ListDirectory(const std::string& path) const override {
        const std::lock_guard lock(mutex_);
        listings.push_back(path);
        if (const FakeFailure* failure = FailureOf(unlistable, path)) {
            throw failure->Exception();
        }
        const std::set<std::string> names = NamesIn(Normal(path));
        return {names.begin(), names.end()};
    }

    // The folder's path as the system would take it.
    std::string DirectoryIdentity(const std::string& path) const override {
        const std::lock_guard lock(mutex_);
        const std::string normal = Normal(path);
        NamesIn(normal);
        return normal;
    }

    bool IsWritableDirectory(const std::string& path) const override {
        return !readOnlyFolders.contains(path);
    }

    void CreateDirectories(const std::string& path) override {
        if (createFailure) {
            throw IoFailure(*createFailure);
        }
        folders.insert(path);
    }

    bool FindsWindowsPaths() const override { return findsWindowsPaths; }

    bool IsOpenForWriting(const std::string& path) const override {
        const std::lock_guard lock(mutex_);
        writerQuestions.push_back(path);
        return openForWriting.contains(path);
    }

    std::map<std::string, std::string> files;
    std::map<std::string, FakeFailure> unreadable;  // path -> cause
    std::optional<std::string> openFailure;
    std::optional<std::string> writeFailure;
    std::set<std::string> folders;
    std::set<std::string> readOnlyFolders;
    std::map<std::string, FakeFailure> unlistable;  // path -> cause
    std::optional<std::string> createFailure;
    std::optional<std::string> commitFailure;
    bool findsWindowsPaths = false;        // as Windows does
    std::size_t readPiece = 0;             // 0: whole files at once
    std::set<std::string> openForWriting;  // by another program
    mutable std::vector<std::string> writerQuestions;
    std::vector<std::pair<std::string, SpecialTarget>> replaced;
    std::function<void()> onReplace;
    // Runs first in every read, on the reading thread, outside the lock:
    // a test holds reads in flight with it.
    std::function<void(const std::string& path)> beforeRead;
    mutable std::vector<std::string> listings;
    mutable int isRegularFileCalls = 0;

private:
    // A failing path fails however it is spelt: on Windows "a\b" is "a/b".
    static const FakeFailure* FailureOf(const std::map<std::string, FakeFailure>& failing,
                                        const std::string& path) {
        auto found = failing.find(path);
        if (found == failing.end()) {
            found = failing.find(Normal(path));
        }
        return found == failing.end() ? nullptr : &found->second;
    }

    static std::string Normal(const std::string& path) {
        std::string normal = std::filesystem::path(path).lexically_normal().generic_string();
        if (normal.size() > 1 && normal.ends_with('/')) {
            normal.pop_back();
        }
        return normal.empty() ? "." : normal;
    }

    // Throws as a real folder listing does when there is no such folder.
    std::set<std::string> NamesIn(const std::string& folder) const {
        const std::string prefix = folder == "." ? "" : folder == "/" ? folder : folder + "/";
        std::set<std::string> names;
        const auto collect = [&](const std::string& entry) {
            if (entry.size() > prefix.size() && entry.starts_with(prefix)) {
                const std::string rest = entry.substr(prefix.size());
                names.insert(rest.substr(0, rest.find('/')));
            }
        };
        for (const auto& [file, content] : files) {
            if (file == folder) {
                throw IoFailure(std::make_error_code(std::errc::not_a_directory));
            }
            collect(file);
        }
        for (const std::string& made : folders) {
            collect(made);
        }
        if (names.empty() && !folders.contains(folder)) {
            throw IoFailure(std::make_error_code(std::errc::no_such_file_or_directory));
        }
        return names;
    }

    mutable std::mutex mutex_;
    mutable std::vector<std::string> reads_;
};

// Answers the dialog with prepared choices and records what the run did.
class FakeHost final : public ReportHost {
public:
    std::optional<std::vector<std::string>> ChooseFiles() override {
        ++dialogs;
        return choice;
    }

    void SetGaugeMaxValue(Gauge gauge, std::int32_t value) override {
        events.push_back(GaugeName(gauge) + ".MaxValue=" + std::to_string(value));
        maxValue[gauge] = value;
    }

    void SetGaugeProgress(Gauge gauge, std::int32_t value) override {
        events.push_back(GaugeName(gauge) + ".Progress=" + std::to_string(value));
        progress[gauge] = value;
    }

    void ProcessPendingMessages() override {
        ++messageRounds;
        if (onMessages) {
            onMessages();
        }
    }

    bool StopRequested() const override { return stopRequested; }

    void SetPokazEnabled(bool enabled) override {
        events.push_back(enabled ? "LPokaz on" : "LPokaz off");
        pokazEnabled = enabled;
    }

    std::string ExecutablePath() const override { return "/opt/veltra/bin/veltra"; }

    void ShowNotice(std::string_view text, std::string_view title) override {
        notices.push_back(std::string(title) + ": " + std::string(text));
    }

    FolderMappings MappingsForRun() const override { return FolderMappings(mappings); }

    void NoteLogBeingWritten(std::string_view path) override {
        logsBeingWritten.emplace_back(path);
    }

    std::optional<std::string> ChooseFolderFor(std::string_view root,
                                               std::string_view exampleAudioPath,
                                               std::string_view missingFolder) override {
        questions.push_back(std::string(root) + " " + std::string(exampleAudioPath));
        if (!missingFolder.empty()) {
            questions.back().append(" (").append(missingFolder).append(" is not there)");
        }
        const auto answer = folderAnswers.find(std::string(root));
        return answer == folderAnswers.end() ? std::nullopt : answer->second;
    }

    static std::string GaugeName(Gauge gauge) {
        return gauge == Gauge::Files ? "Gauge1" : "Gauge2";
    }

    std::optional<std::vector<std::string>> choice;
    std::function<void()> onMessages;
    bool stopRequested = false;
    bool pokazEnabled = false;
    int dialogs = 0;
    int messageRounds = 0;
    std::vector<std::string> events;
    std::map<Gauge, std::int32_t> maxValue;
    std::map<Gauge, std::int32_t> progress;
    std::vector<std::string> notices;
    std::vector<std::string> logsBeingWritten;
    std::vector<FolderMapping> mappings;
    std::map<std::string, std::optional<std::string>> folderAnswers;  // root -> folder
    std::vector<std::string> questions;                               // root, example
};

inline constexpr std::string_view kCsvPath = "/opt/veltra/bin/braki naradowosci.csv";

// A log line of 21 fields. Fields not given are filler the engine ignores.
struct LogLine {
    std::string time = "10:00:00";
    std::string path = "M:/muzyka/utwor.mp3";
    std::string duration = "00:03:25";
    std::string title = "Tytul";
    std::string performer = "Wykonawca";
    std::string nationality = "GBR";
    std::string type = "MU";

    std::string Text() const {
        std::string line;
        for (int i = 0; i < 21; ++i) {
            switch (i) {
                case 0:
                    line += time;
                    break;
                case 1:
                    line += path;
                    break;
                case 4:
                    line += duration;
                    break;
                case 5:
                    line += title;
                    break;
                case 7:
                    line += performer;
                    break;
                case 17:
                    line += nationality;
                    break;
                case 18:
                    line += type;
                    break;
                default:
                    line.append("x").append(std::to_string(i));
                    break;
            }
            line += ';';
        }
        return line;
    }
};

// A log of `lines`, each ended with CR LF as the playout system writes them.
inline std::string Log(std::initializer_list<LogLine> lines) {
    std::string text;
    for (const LogLine& line : lines) {
        text += line.Text() + "\r\n";
    }
    return text;
}

}  // namespace veltra::testing
