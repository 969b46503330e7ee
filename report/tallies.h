#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace veltra {

class FigurePublisher;

// The seven categories of counted music items, each a count and a sum of
// seconds.
enum class Category : unsigned char {
    Total,
    Polish,
    Day,
    Night,
    DayPolishOther,
    DayPolishDebut,
    NightPolish,
};

inline constexpr std::size_t kCategoryCount = 7;
// The percentage figures, each a share of one category in another.
inline constexpr std::size_t kRatioCount = 10;

// The running figures of the report. Every change publishes the new text of
// its display field before the operation returns.
class Tallies {
public:
    explicit Tallies(FigurePublisher& publisher);

    void CountIncompleteLine();
    void CountMissingNationality();
    // Publishes nothing: the report run decides what the label shows.
    void ResetMissingNationality();
    // Every counter back to 0, as at creation; publishes nothing, since the
    // fields then show their initial texts, not zeros.
    void Reset();
    void CountItem(Category category, std::int32_t seconds);
    // Publishes the ten percentage figures; one whose denominator is 0 keeps
    // its last text.
    void RefreshRatios();

    std::int64_t IncompleteLines() const { return incompleteLines_; }
    std::int64_t MissingNationality() const { return missingNationality_; }
    std::int64_t Count(Category category) const { return counts_[Index(category)]; }
    std::int64_t Seconds(Category category) const { return seconds_[Index(category)]; }

private:
    static std::size_t Index(Category category) { return static_cast<std::size_t>(category); }

    // A ratio's share as last found, with the terms it was found for.
    struct RatioShare {
        std::int64_t numerator = 0;
        std::int64_t denominator = 0;  // 0: none made yet
        std::int64_t percent = 0;

        // Whether `percent` is also the share of the new terms.
        bool KeepsPercent(std::int64_t newNumerator, std::int64_t newDenominator) const;
    };

    FigurePublisher& publisher_;
    std::int64_t incompleteLines_ = 0;
    std::int64_t missingNationality_ = 0;
    std::array<std::int64_t, kCategoryCount> counts_{};
    std::array<std::int64_t, kCategoryCount> seconds_{};
    std::array<RatioShare, kRatioCount> ratioShares_{};  // in the order the ratios are published
};

}  // namespace veltra
