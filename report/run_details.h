#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "debut_decision.h"

namespace veltra {

// What a run's error count and debut figures rest on, so that the staff can
// find the lines behind them: every incomplete line, and every Polish item of
// the day band with the outcome of its debut test. Lines are numbered from 1
// in their log, blank lines counted, as an editor numbers them; a line
// analysed on its own, outside a log, has no log and the number 0.
//
// The records take a few bytes beside the texts they keep, which are stored
// together in large blocks; past `byteLimit` bytes in all, further records
// are only counted, so a log of millions of short broken lines cannot take
// the memory.
class RunDetails {
public:
    static constexpr std::size_t kByteLimit = 64 << 20;
    // How much of an incomplete line is kept: enough to recognise it.
    static constexpr std::size_t kLineStartBytes = 80;

    struct IncompleteLine {
        std::string_view log;  // the file system's encoding
        std::uint64_t line = 0;
        std::uint32_t fields = 0;  // one per ";"
        bool cut = false;          // the line goes on after `start`
        std::string_view start;    // its first bytes, code page 1250
    };

    struct PolishDayItem {
        std::string_view log;
        std::uint64_t line = 0;
        DebutOutcome outcome = DebutOutcome::NoDat;
        std::string_view audioPath;  // as the log writes it, code page 1250
        std::string_view datPath;    // DebutDecision::datPath
    };

    explicit RunDetails(std::size_t byteLimit = kByteLimit) : byteLimit_(byteLimit) {}
    RunDetails(const RunDetails&) = delete;
    RunDetails& operator=(const RunDetails&) = delete;

    // Forgets every record, for a new run.
    void Clear();

    // The log whose lines follow.
    void StartLog(std::string_view path);
    // The lines analysed on their own from now on.
    void EndLog();

    void AddIncompleteLine(std::uint64_t line, std::string_view text);
    void AddPolishDayItem(std::uint64_t line, std::string_view audioPath,
                          const DebutDecision& decision);

    const std::deque<IncompleteLine>& IncompleteLines() const { return incomplete_; }
    const std::deque<PolishDayItem>& PolishDayItems() const { return polish_; }
    // Records not kept because of the limit.
    std::uint64_t IncompleteLinesLeftOut() const { return incompleteLeftOut_; }
    std::uint64_t PolishDayItemsLeftOut() const { return polishLeftOut_; }

private:
    // Whether a record of `size` bytes with `textBytes` of text still fits;
    // if so, counts it in.
    bool Admit(std::size_t size, std::size_t textBytes);
    std::string_view Keep(std::string_view bytes);
    std::string_view LogOfRecord();

    const std::size_t byteLimit_;
    std::size_t bytes_ = 0;
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* blockNext_ = nullptr;  // free space of the last block
    std::size_t blockFree_ = 0;
    std::string log_;
    std::string_view keptLog_;  // log_, once a record needs it
    bool logKept_ = false;
    std::deque<IncompleteLine> incomplete_;
    std::deque<PolishDayItem> polish_;
    std::uint64_t incompleteLeftOut_ = 0;
    std::uint64_t polishLeftOut_ = 0;
};

// An incomplete line's start as a list shows it: control characters as
// "\t" or "\x1B", and "…" (code page 1250) where the line was cut.
std::string ShownLineStart(const RunDetails::IncompleteLine& line);

}  // namespace veltra
