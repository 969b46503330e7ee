// Feeds arbitrary bytes to the line splitting and the line analysis: as a
// whole log through a complete run, as the description file of every audio
// path, and as one raw line. Checks the tallies' invariants afterwards.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "figure_publisher.h"
#include "file_system.h"
#include "log_record.h"
#include "report.h"
#include "report_host.h"
#include "text_lines.h"

namespace {

using namespace veltra;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Every file holds the input, so a log's audio paths all find a description
// file made of the same bytes.
class InputFileSystem final : public FileSystem {
    class Saving final : public FileReplacement {
    public:
        explicit Saving(std::string& saved) : saved_(saved) { saved_.clear(); }
        void Write(std::string_view bytes) override { saved_.append(bytes); }
        void Commit() override {}

    private:
        std::string& saved_;
    };

public:
    explicit InputFileSystem(std::string_view input) : input_(input) {}

    bool IsRegularFile(const std::string&) const override { return true; }
    std::string ReadWholeFile(const std::string&) const override { return std::string(input_); }
    std::unique_ptr<FileReplacement> StartReplacing(const std::string&, SpecialTarget) override {
        return std::make_unique<Saving>(saved);
    }
    std::vector<std::string> ListDirectory(const std::string&) const override { return {}; }
    bool IsWritableDirectory(const std::string&) const override { return true; }
    void CreateDirectories(const std::string&) override {}

    std::string saved;

private:
    std::string_view input_;
};

class OneLogHost final : public ReportHost {
public:
    std::optional<std::vector<std::string>> ChooseFiles() override {
        return std::vector<std::string>{"fuzz.hst"};
    }
    void SetGaugeMaxValue(Gauge, std::int32_t value) override { Require(value >= 0); }
    void SetGaugeProgress(Gauge, std::int32_t value) override { Require(value >= 0); }
    void ProcessPendingMessages() override {}
    bool StopRequested() const override { return false; }
    void SetPokazEnabled(bool) override {}
    std::string ExecutablePath() const override { return "/fuzz/veltra"; }
    void ShowNotice(std::string_view, std::string_view) override {}
};

class CheckingPublisher final : public FigurePublisher {
public:
    using FigurePublisher::Publish;
    void Publish(std::span<const FigureUpdate> updates) override {
        for (const auto& [field, value] : updates) {
            Require(static_cast<std::size_t>(field) < kDisplayFieldCount);
            Require(!value.Text().empty());
        }
    }
};

void CheckLines(std::string_view input) {
    const std::string_view text = input.substr(0, input.find('\0'));
    for (std::string_view line : SplitLines(input)) {
        Require(line.data() >= text.data() &&
                line.data() + line.size() <= text.data() + text.size());
        Require(line.find_first_of("\r\n") == std::string_view::npos);
    }
}

void CheckTallies(const Tallies& tallies) {
    const auto count = [&](Category category) { return tallies.Count(category); };
    Require(count(Category::Day) + count(Category::Night) <= count(Category::Total));
    Require(count(Category::DayPolishOther) + count(Category::DayPolishDebut) +
                count(Category::NightPolish) <=
            count(Category::Polish));
    Require(count(Category::Polish) <= count(Category::Total));
    Require(tallies.IncompleteLines() >= 0 && tallies.MissingNationality() >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckLines(input);

    CheckingPublisher publisher;
    InputFileSystem files(input);
    OneLogHost host;
    Report report(publisher, files, host);
    report.LadujPliki();
    CheckTallies(report.tallies());
    for (const std::string& entry : report.MissingNationalityList()) {
        Require(std::count(entry.begin(), entry.end(), ';') == 2);
    }
    Require(files.saved.size() >= 2 * report.MissingNationalityList().size());

    if (!TrimControls(input).empty()) {
        report.AnalizujWiersz(input);
        CheckTallies(report.tallies());
    }
    return 0;
}
