#pragma once

#include <atomic>
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

#include "debut_decision.h"
#include "read_ahead_settings.h"
#include "text_lines.h"

namespace veltra {

// The debut test of an audio path as far as it can be taken off the thread
// that analyses the lines: nullopt when only that thread can finish it (the
// user has to be asked). May be called from several threads at once.
using DebutTest = std::function<std::optional<DebutDecision>(std::string_view audioPath)>;

// Takes the debut tests of the lines ahead, reading their description files,
// while the lines before them are still being analysed, on a small pool of
// I/O threads. Each line gets a test of its own, made for it alone; nothing
// is shared between lines or kept once its line is done. A failed test is
// held until its line asks for it.
//
// Until reads prove slow (ReadAheadSettings::start), each test is taken in
// line order by the analysis itself, with no thread started; once they have,
// the object reads ahead for as long as it lives, the logs after included,
// as a share that was slow once will likely be again. From then on
// the pool starts with two threads and grows, up to the limit, whenever the
// analysis waits longer than a slow read: a local disk keeps up with few, a
// slow share needs many reads in flight. A thread takes several reads at
// once while they are fast and hands their outcomes over together, so that
// a fast disk costs no wake-up per read.
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

    // `lines`, a log's text that TextBeforeNul has cut, must stay alive
    // until EndLog; its lines are numbered from 0 as LineReader finds them.
    // `test` is taken for every line that takes the debut test; reads still
    // in flight after EndLog keep it alive.
    void StartLog(std::string_view lines, std::shared_ptr<const DebutTest> test);

    // The outcome of `test` for line `index`, whose audio path is
    // `audioPath`: waits for it when it is in flight, and throws its failure.
    // Takes the test itself when the pool has not got to the line yet.
    std::optional<DebutDecision> DebutAt(std::size_t index, std::string_view audioPath);

    // The analysis is done with every line up to `index`.
    void Passed(std::size_t index);

    // Abandons what is left of the log: queued reads are dropped, reads in
    // flight finish in the background and are thrown away. Returns once no
    // I/O thread looks at the log's text any more.
    void EndLog() noexcept;

private:
    static constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

    struct Job {
        std::size_t line;
        std::string audioPath;
    };
    struct Finished {
        std::size_t line;
        std::optional<DebutDecision> debut;
        std::exception_ptr failure;
    };
    struct Outcome {
        std::size_t generation = 0;
        std::size_t line = 0;
        bool done = false;
        std::optional<DebutDecision> debut;
        std::exception_ptr failure;
    };

    // The I/O threads' loop: look at the next lines for reads to make, or
    // make the oldest reads found.
    void Work();
    void Scan(std::unique_lock<std::mutex>& lock);
    // Makes up to `readsAtOnce` of the oldest reads found, and sets how many
    // to take next time.
    void Read(std::unique_lock<std::mutex>& lock, std::size_t& readsAtOnce);
    // Makes the outcomes of reads of the log `generation` the lines' own.
    void HandOver(std::vector<Finished>& finished, std::size_t generation);
    bool MayScan() const;
    // Moves the scan to line `index`, leaving out the lines before it.
    void SkipTo(std::size_t index);
    void AddThread();
    void StartThreads();
    // The test of line `index` in line order, on the calling thread, timed.
    std::optional<DebutDecision> TestInLineOrder(std::size_t index, std::string_view audioPath);
    void StartReadingAhead(std::size_t index);
    Outcome& OutcomeOf(std::size_t line) { return outcomes_[line % outcomes_.size()]; }

    const ReadAheadSettings settings_;
    // The analysis' own: the reads in line order, and of those being judged,
    // how many there were and how many were slow.
    std::size_t readsInLineOrder_ = 0;
    std::size_t judgedReads_ = 0;
    std::size_t slowReads_ = 0;

    std::mutex mutex_;
    std::condition_variable workAvailable_;
    std::condition_variable lineRead_;
    std::condition_variable scanEnded_;
    // Everything below is guarded by mutex_.
    std::optional<LineReader> lines_;  // the lines not scanned yet
    std::size_t next_ = 0;             // the number of the next of them
    std::size_t passed_ = 0;           // lines the analysis is done with
    // Changes with every log; read without the lock by reads in flight.
    std::atomic<std::size_t> generation_ = 0;
    // Written by the analysis' thread alone, under the lock, and read there
    // without it.
    bool readingAhead_ = false;
    std::shared_ptr<const DebutTest> test_;
    bool scanning_ = false;          // a thread is looking at the text
    std::deque<Job> jobs_;           // in line order
    std::vector<Outcome> outcomes_;  // line i in outcomes_[i % linesAhead]
    // The line the analysis waits for; read without the lock by reads in
    // flight, which hand their outcomes over once they cover it.
    std::atomic<std::size_t> awaited_ = kNoLine;
    std::size_t threadCount_ = 0;
    bool stopping_ = false;  // the threads are to end
    std::vector<std::thread> threads_;
};

}  // namespace veltra
