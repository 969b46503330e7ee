#include "description_read_ahead.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "line_analysis.h"

namespace veltra {

namespace {

// Lines a thread looks at in one go, and how often the analysis tells how
// far it has got: rarely enough that the lock is seldom taken for it.
constexpr std::size_t kBatch = 64;
constexpr std::size_t kFirstThreads = 2;

}  // namespace

DescriptionReadAhead::DescriptionReadAhead(ReadAheadSettings settings)
    : settings_(settings), outcomes_(std::max<std::size_t>(settings.linesAhead, 1)) {}

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

void DescriptionReadAhead::StartLog(std::string_view text, std::shared_ptr<const DebutTest> test) {
    const std::lock_guard lock(mutex_);
    lines_.emplace(text);
    test_ = std::move(test);
    next_ = 0;
    passed_ = 0;
    ++generation_;
    if (threadCount_ == 0) {
        for (std::size_t i = 0; i < std::min(kFirstThreads, settings_.ioThreads); ++i) {
            AddThread();
        }
    }
    workAvailable_.notify_all();
}

bool DescriptionReadAhead::MayScan() const {
    return lines_ && !scanning_ && next_ < passed_ + outcomes_.size();
}

void DescriptionReadAhead::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        workAvailable_.wait(lock, [this] { return stopping_ || MayScan() || !jobs_.empty(); });
        if (stopping_) {
            return;
        }
        // Reads come first while enough are queued to keep every thread busy.
        if (!jobs_.empty() && (jobs_.size() >= threadCount_ || !MayScan())) {
            Read(lock);
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
    if (!found.empty() || MayScan()) {
        workAvailable_.notify_all();
    }
}

void DescriptionReadAhead::Read(std::unique_lock<std::mutex>& lock) {
    const Job job = std::move(jobs_.front());
    jobs_.pop_front();
    const std::size_t generation = generation_;
    const std::shared_ptr<const DebutTest> test = test_;
    lock.unlock();

    std::optional<bool> debut;
    std::exception_ptr failure;
    try {
        debut = (*test)(job.audioPath);
    } catch (...) {
        failure = std::current_exception();
    }

    lock.lock();
    Outcome& outcome = OutcomeOf(job.line);
    // A log that ended meanwhile has no use for it.
    if (generation == generation_ && outcome.generation == generation && outcome.line == job.line) {
        outcome.done = true;
        outcome.debut = debut;
        outcome.failure = std::move(failure);
        if (awaited_ == job.line) {
            lineRead_.notify_one();
        }
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

std::optional<bool> DescriptionReadAhead::DebutAt(std::size_t index, std::string_view audioPath) {
    std::unique_lock lock(mutex_);
    const auto queued = std::find_if(jobs_.begin(), jobs_.end(),
                                     [index](const Job& job) { return job.line == index; });
    if (next_ <= index || queued != jobs_.end()) {
        // Not read yet and not being read: it is read now, in its turn.
        if (queued != jobs_.end()) {
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
        // Reads take longer than lines: more of them in flight would help.
        if (threadCount_ < settings_.ioThreads) {
            AddThread();
        }
        awaited_ = index;
        lineRead_.wait(lock, ready);
        awaited_.reset();
    }
    const std::optional<bool> debut = outcome.debut;
    const std::exception_ptr failure = std::exchange(outcome.failure, nullptr);
    lock.unlock();
    if (failure) {
        std::rethrow_exception(failure);
    }
    return debut;
}

void DescriptionReadAhead::Passed(std::size_t index) {
    if ((index + 1) % kBatch != 0) {
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
