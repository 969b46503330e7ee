#include "description_read_ahead.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <system_error>
#include <utility>

#include "line_analysis.h"

namespace veltra {

namespace {

using Clock = std::chrono::steady_clock;

// Lines a thread looks at in one go, and how often the analysis tells how
// far it has got: rarely enough that the lock is seldom taken for it.
constexpr std::size_t kBatch = 64;
constexpr std::size_t kFirstThreads = 2;
// Reads in line order judged together: reading ahead starts when half of
// them were slow, so that a thread's bad moment on a busy machine does not.
constexpr std::size_t kJudgedReads = 16;
constexpr std::size_t kReadsPerJudged = 4;
// The most reads a thread takes at once; it starts with one and doubles
// while its reads are fast.
constexpr std::size_t kMostReadsAtOnce = 16;

}  // namespace

DescriptionReadAhead::DescriptionReadAhead(ReadAheadSettings settings)
    : settings_(settings),
      readingAhead_(settings.start == ReadAheadStart::AtOnce),
      outcomes_(std::max<std::size_t>(settings.linesAhead, 1)) {}

DescriptionReadAhead::~DescriptionReadAhead() {
    // Every thread is told first, so that their last reads end together.
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    workAvailable_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

void DescriptionReadAhead::AddThread() {
    try {
        threads_.emplace_back([this] { Work(); });
        ++threadCount_;
    } catch (const std::system_error&) {
        // Fewer threads only read less ahead; with none, DebutAt reads every
        // file itself.
    }
}

void DescriptionReadAhead::StartThreads() {
    if (threadCount_ == 0) {
        for (std::size_t i = 0; i < std::min(kFirstThreads, settings_.ioThreads); ++i) {
            AddThread();
        }
    }
    workAvailable_.notify_all();
}

void DescriptionReadAhead::StartLog(std::string_view lines, std::shared_ptr<const DebutTest> test) {
    const std::lock_guard lock(mutex_);
    lines_ = LineReader::OverTextBeforeNul(lines);
    test_ = std::move(test);
    next_ = 0;
    passed_ = 0;
    ++generation_;
    if (readingAhead_) {
        StartThreads();
    }
}

void DescriptionReadAhead::StartReadingAhead(std::size_t index) {
    const std::lock_guard lock(mutex_);
    readingAhead_ = true;
    passed_ = index;
    SkipTo(index + 1);
    StartThreads();
}

bool DescriptionReadAhead::MayScan() const {
    return lines_ && !scanning_ && next_ < passed_ + outcomes_.size();
}

void DescriptionReadAhead::Work() {
    std::size_t readsAtOnce = 1;
    std::unique_lock lock(mutex_);
    for (;;) {
        workAvailable_.wait(lock, [this] { return stopping_ || MayScan() || !jobs_.empty(); });
        if (stopping_) {
            return;
        }
        // Reads come first while enough are queued to keep every thread busy.
        if (!jobs_.empty() && (jobs_.size() >= threadCount_ || !MayScan())) {
            Read(lock, readsAtOnce);
        } else {
            Scan(lock);
        }
    }
}

void DescriptionReadAhead::Scan(std::unique_lock<std::mutex>& lock) {
    scanning_ = true;
    const std::size_t first = next_;
    const std::size_t end = std::min(next_ + kBatch, passed_ + outcomes_.size());
    std::vector<std::string_view> batch;
    batch.reserve(end - first);
    while (next_ < end) {
        const std::optional<std::string_view> line = lines_->Next();
        if (!line) {
            lines_.reset();
            break;
        }
        batch.push_back(*line);
        ++next_;
    }
    const std::size_t generation = generation_;
    lock.unlock();

    std::vector<Job> found;
    for (std::size_t i = 0; i < batch.size(); ++i) {
        const LineItem item = ClassifyLine(batch[i]);
        if (item.TakesDebutTest()) {
            found.push_back({first + i, std::string(item.record->AudioPath())});
        }
    }

    lock.lock();
    scanning_ = false;
    scanEnded_.notify_all();
    if (generation != generation_) {
        return;
    }
    for (Job& job : found) {
        OutcomeOf(job.line) = {.generation = generation,
                               .line = job.line,
                               .done = false,
                               .debut = std::nullopt,
                               .failure = {}};
        jobs_.push_back(std::move(job));
    }
    // One more thread; this one goes on with the reads or the next lines, and
    // whoever takes reads wakes another while some are left.
    if (!found.empty() || MayScan()) {
        workAvailable_.notify_one();
    }
}

void DescriptionReadAhead::Read(std::unique_lock<std::mutex>& lock, std::size_t& readsAtOnce) {
    const auto firstLeft =
        jobs_.begin() + static_cast<std::ptrdiff_t>(std::min(jobs_.size(), readsAtOnce));
    std::vector<Job> taken(std::make_move_iterator(jobs_.begin()),
                           std::make_move_iterator(firstLeft));
    jobs_.erase(jobs_.begin(), firstLeft);
    if (!jobs_.empty()) {
        workAvailable_.notify_one();
    }
    const std::size_t generation = generation_;
    const std::shared_ptr<const DebutTest> test = test_;
    lock.unlock();

    std::vector<Finished> finished;
    finished.reserve(taken.size());
    std::size_t made = 0;
    bool slow = false;
    // A log that ended meanwhile has no use for the rest.
    while (made < taken.size() && generation_ == generation) {
        const Job& job = taken[made++];
        Finished& read = finished.emplace_back(Finished{job.line, std::nullopt, nullptr});
        const Clock::time_point start = Clock::now();
        try {
            read.debut = (*test)(job.audioPath);
        } catch (...) {
            read.failure = std::current_exception();
        }
        slow = Clock::now() - start > settings_.slowRead;
        if (slow || made == taken.size()) {
            break;
        }
        if (awaited_ <= job.line) {
            lock.lock();
            HandOver(finished, generation);
            lock.unlock();
            finished.clear();
        }
    }
    readsAtOnce = slow ? 1 : std::min(2 * readsAtOnce, kMostReadsAtOnce);

    lock.lock();
    HandOver(finished, generation);
    // After a slow read the others are left to other threads, first in line.
    if (made < taken.size() && generation == generation_) {
        jobs_.insert(jobs_.begin(), std::make_move_iterator(taken.begin() + made),
                     std::make_move_iterator(taken.end()));
        workAvailable_.notify_one();
    }
}

void DescriptionReadAhead::HandOver(std::vector<Finished>& finished, std::size_t generation) {
    if (generation != generation_) {
        return;
    }
    bool awaitedIsDone = false;
    for (Finished& read : finished) {
        Outcome& outcome = OutcomeOf(read.line);
        if (outcome.generation == generation && outcome.line == read.line) {
            outcome.done = true;
            outcome.debut = std::move(read.debut);
            outcome.failure = std::move(read.failure);
            awaitedIsDone = awaitedIsDone || awaited_ == read.line;
        }
    }
    if (awaitedIsDone) {
        lineRead_.notify_one();
    }
}

void DescriptionReadAhead::SkipTo(std::size_t index) {
    while (lines_ && next_ < index) {
        if (!lines_->Next()) {
            lines_.reset();
            break;
        }
        ++next_;
    }
}

std::optional<DebutDecision> DescriptionReadAhead::TestInLineOrder(std::size_t index,
                                                                   std::string_view audioPath) {
    // One read in kReadsPerJudged is timed: the clock costs more than a
    // read's share of the analysis, and a slow share slows every read.
    if (++readsInLineOrder_ % kReadsPerJudged != 0) {
        return (*test_)(audioPath);
    }
    const Clock::time_point start = Clock::now();
    std::optional<DebutDecision> debut = (*test_)(audioPath);
    if (Clock::now() - start > settings_.slowRead) {
        ++slowReads_;
    }
    if (++judgedReads_ == kJudgedReads) {
        if (2 * slowReads_ >= kJudgedReads) {
            StartReadingAhead(index);
        }
        judgedReads_ = 0;
        slowReads_ = 0;
    }
    return debut;
}

std::optional<DebutDecision> DescriptionReadAhead::DebutAt(std::size_t index,
                                                           std::string_view audioPath) {
    // Only this thread changes it.
    if (!readingAhead_) {
        return TestInLineOrder(index, audioPath);
    }
    std::unique_lock lock(mutex_);
    const auto queued =
        std::lower_bound(jobs_.begin(), jobs_.end(), index,
                         [](const Job& job, std::size_t line) { return job.line < line; });
    const bool isQueued = queued != jobs_.end() && queued->line == index;
    if (next_ <= index || isQueued) {
        // Not read yet and not being read: it is read now, in its turn.
        if (isQueued) {
            jobs_.erase(queued);
        }
        SkipTo(index + 1);
        const std::shared_ptr<const DebutTest> test = test_;
        lock.unlock();
        return (*test)(audioPath);
    }
    Outcome& outcome = OutcomeOf(index);
    const auto ready = [&] {
        return outcome.generation == generation_ && outcome.line == index && outcome.done;
    };
    if (!ready()) {
        awaited_ = index;
        // Waiting as long as a slow read: more reads in flight would help.
        if (!lineRead_.wait_for(lock, settings_.slowRead, ready) &&
            threadCount_ < settings_.ioThreads) {
            AddThread();
        }
        lineRead_.wait(lock, ready);
        awaited_ = kNoLine;
    }
    std::optional<DebutDecision> debut = std::move(outcome.debut);
    const std::exception_ptr failure = std::exchange(outcome.failure, nullptr);
    lock.unlock();
    if (failure) {
        std::rethrow_exception(failure);
    }
    return debut;
}

void DescriptionReadAhead::Passed(std::size_t index) {
    if (!readingAhead_ || (index + 1) % kBatch != 0) {
        return;
    }
    const std::lock_guard lock(mutex_);
    const bool windowWasFull = lines_ && next_ >= passed_ + outcomes_.size();
    passed_ = index + 1;
    SkipTo(passed_);
    if (windowWasFull) {
        workAvailable_.notify_all();
    }
}

void DescriptionReadAhead::EndLog() noexcept {
    std::unique_lock lock(mutex_);
    lines_.reset();
    jobs_.clear();
    test_.reset();
    ++generation_;
    scanEnded_.wait(lock, [this] { return !scanning_; });
}

}  // namespace veltra
