#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "read_ahead_settings.h"
#include "text_lines.h"

namespace veltra {

// The debut test of an audio path as far as it can be taken off the thread
// that analyses the lines: nullopt when only that thread can finish it (the
// user has to be asked). May be called from several threads at once.
using DebutTest = std::function<std::optional<bool>(std::string_view audioPath)>;

// Takes the debut tests of the lines ahead, reading their description files,
// while the lines before them are still being analysed, on a small pool of
// I/O threads. Each line gets a test of its own, made for it alone; nothing
// is shared between lines or kept once its line is done. A failed test is
// held until its line asks for it.
//
// The pool starts with two threads and grows, up to the limit, whenever the
// analysis has to wait for a read: a local disk keeps up with few, a slow
// share needs many reads in flight.
//
// One log at a time: StartLog, then for each line in order DebutAt (when the
// analysis takes the debut test) and Passed, then EndLog. All of these are
// called from one thread. The threads live as long as the object.
class DescriptionReadAhead {
public:
    explicit DescriptionReadAhead(ReadAheadSettings settings);
    ~DescriptionReadAhead();
    DescriptionReadAhead(const DescriptionReadAhead&) = delete;
    DescriptionReadAhead& operator=(const DescriptionReadAhead&) = delete;

    // `text` must stay alive until EndLog; its lines are numbered from 0 as
    // LineReader finds them. `test` is taken for every line that takes the
    // debut test; reads still in flight after EndLog keep it alive.
    void StartLog(std::string_view text, std::shared_ptr<const DebutTest> test);

    // The outcome of `test` for line `index`, whose audio path is
    // `audioPath`: waits for it when it is in flight, and throws its failure.
    // Takes the test itself when the pool has not got to the line yet.
    std::optional<bool> DebutAt(std::size_t index, std::string_view audioPath);

    // The analysis is done with every line up to `index`.
    void Passed(std::size_t index);

    // Abandons what is left of the log: queued reads are dropped, reads in
    // flight finish in the background and are thrown away. Returns once no
    // I/O thread looks at the log's text any more.
    void EndLog() noexcept;

private:
    struct Job {
        std::size_t line;
        std::string audioPath;
    };
    struct Outcome {
        std::size_t generation = 0;
        std::size_t line = 0;
        bool done = false;
        std::optional<bool> debut;
        std::exception_ptr failure;
    };

    // The I/O threads' loop: look at the next lines for reads to make, or
    // make the oldest read found.
    void Work();
    void Scan(std::unique_lock<std::mutex>& lock);
    void Read(std::unique_lock<std::mutex>& lock);
    bool MayScan() const;
    // Moves the scan to line `index`, leaving out the lines before it.
    void SkipTo(std::size_t index);
    void AddThread();
    Outcome& OutcomeOf(std::size_t line) { return outcomes_[line % outcomes_.size()]; }

    const ReadAheadSettings settings_;

    std::mutex mutex_;
    std::condition_variable workAvailable_;
    std::condition_variable lineRead_;
    std::condition_variable scanEnded_;
    // Everything below is guarded by mutex_.
    std::optional<LineReader> lines_;  // the lines not scanned yet
    std::size_t next_ = 0;             // the number of the next of them
    std::size_t passed_ = 0;           // lines the analysis is done with
    std::size_t generation_ = 0;       // changes with every log
    std::shared_ptr<const DebutTest> test_;
    bool scanning_ = false;  // a thread is looking at the text
    std::deque<Job> jobs_;
    std::vector<Outcome> outcomes_;  // line i in outcomes_[i % linesAhead]
    std::optional<std::size_t> awaited_;
    std::size_t threadCount_ = 0;
    bool stopping_ = false;  // the threads are to end
    std::vector<std::thread> threads_;
};

}  // namespace veltra
