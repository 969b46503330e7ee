#include "run_details.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace veltra {

namespace {

constexpr std::size_t kBlockBytes = 64 << 10;

}  // namespace

std::string_view OutcomeName(DebutOutcome outcome) {
    switch (outcome) {
        case DebutOutcome::Debut:
            return "debut";
        case DebutOutcome::Other:
            return "other";
        case DebutOutcome::NoDat:
            return "no-dat";
        case DebutOutcome::Unmapped:
            return "unmapped";
    }
    return {};
}

void RunDetails::Clear() {
    incomplete_.clear();
    polish_.clear();
    incompleteLeftOut_ = 0;
    polishLeftOut_ = 0;
    blocks_.clear();
    blockNext_ = nullptr;
    blockFree_ = 0;
    bytes_ = 0;
    EndLog();
}

void RunDetails::StartLog(std::string_view path) {
    log_ = path;
    keptLog_ = {};
    logKept_ = false;
}

void RunDetails::EndLog() {
    StartLog({});
}

bool RunDetails::Admit(std::size_t size, std::size_t textBytes) {
    const std::size_t logBytes = logKept_ ? 0 : log_.size();
    const std::size_t total = size + textBytes + logBytes;
    if (bytes_ + total > byteLimit_) {
        return false;
    }
    bytes_ += total;
    return true;
}

std::string_view RunDetails::Keep(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    if (bytes.size() > blockFree_) {
        // A text larger than a block gets one of its own.
        const std::size_t size = std::max(bytes.size(), kBlockBytes);
        blocks_.push_back(std::make_unique<char[]>(size));
        blockNext_ = blocks_.back().get();
        blockFree_ = size;
    }
    char* kept = blockNext_;
    std::memcpy(kept, bytes.data(), bytes.size());
    blockNext_ += bytes.size();
    blockFree_ -= bytes.size();
    return {kept, bytes.size()};
}

std::string_view RunDetails::LogOfRecord() {
    if (!logKept_) {
        keptLog_ = Keep(log_);
        logKept_ = true;
    }
    return keptLog_;
}

void RunDetails::AddIncompleteLine(std::uint64_t line, std::string_view text) {
    const std::string_view start = text.substr(0, kLineStartBytes);
    if (!Admit(sizeof(IncompleteLine), start.size())) {
        ++incompleteLeftOut_;
        return;
    }
    const auto fields = static_cast<std::uint32_t>(
        std::min<std::size_t>(std::count(text.begin(), text.end(), ';'), UINT32_MAX));
    const std::string_view log = LogOfRecord();
    incomplete_.push_back({log, line, fields, start.size() < text.size(), Keep(start)});
}

void RunDetails::AddPolishDayItem(std::uint64_t line, std::string_view audioPath,
                                  const DebutDecision& decision) {
    if (!Admit(sizeof(PolishDayItem), audioPath.size() + decision.datPath.size())) {
        ++polishLeftOut_;
        return;
    }
    const std::string_view log = LogOfRecord();
    const std::string_view audio = Keep(audioPath);
    polish_.push_back({log, line, decision.outcome, audio, Keep(decision.datPath)});
}

std::string ShownLineStart(const RunDetails::IncompleteLine& line) {
    static constexpr std::array<char, 16> kHex{'0', '1', '2', '3', '4', '5', '6', '7',
                                               '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    std::string shown;
    shown.reserve(line.start.size() + 1);
    for (const char c : line.start) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t') {
            shown.append("\\t");
        } else if (byte < 0x20 || byte == 0x7F) {
            shown.append("\\x");
            shown.push_back(kHex[byte >> 4]);
            shown.push_back(kHex[byte & 0xF]);
        } else {
            shown.push_back(c);
        }
    }
    if (line.cut) {
        shown.push_back('\x85');  // "…" in code page 1250
    }
    return shown;
}

}  // namespace veltra
