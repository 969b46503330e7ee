#include "tallies.h"

#include <limits>
#include <string_view>

#include "figure_field.h"
#include "figure_publisher.h"

namespace veltra {

namespace {

using enum Category;

struct CategoryFields {
    Field count;
    Field seconds;
};

// Indexed by Category.
constexpr std::array<CategoryFields, kCategoryCount> kCategoryFields{{
    {Field::TotalCount, Field::TotalSeconds},
    {Field::PolishCount, Field::PolishSeconds},
    {Field::DayCount, Field::DaySeconds},
    {Field::NightCount, Field::NightSeconds},
    {Field::DayPolishOtherCount, Field::DayPolishOtherSeconds},
    {Field::DayPolishDebutCount, Field::DayPolishDebutSeconds},
    {Field::NightPolishCount, Field::NightPolishSeconds},
}};

enum class Measure : unsigned char { Count, Seconds };

struct Ratio {
    Field field;
    Measure measure;
    Category numerator;
    Category denominator;
};

// In publishing order. Each is a share of the whole: the denominator's items
// include the numerator's.
constexpr std::array<Ratio, kRatioCount> kRatios{{
    {Field::PolishCountShare, Measure::Count, Polish, Total},
    {Field::DayPolishOtherCountShare, Measure::Count, DayPolishOther, Day},
    {Field::NightPolishCountShare, Measure::Count, NightPolish, Night},
    {Field::PolishSecondsShare, Measure::Seconds, Polish, Total},
    {Field::DayPolishOtherSecondsShare, Measure::Seconds, DayPolishOther, Day},
    {Field::NightPolishSecondsShare, Measure::Seconds, NightPolish, Night},
    {Field::DayPolishOtherCountShareOfPolish, Measure::Count, DayPolishOther, Polish},
    {Field::DayPolishOtherSecondsShareOfPolish, Measure::Seconds, DayPolishOther, Polish},
    {Field::NightPolishCountShareOfPolish, Measure::Count, NightPolish, Polish},
    {Field::NightPolishSecondsShareOfPolish, Measure::Seconds, NightPolish, Polish},
}};

}  // namespace

Tallies::Tallies(FigurePublisher& publisher) : publisher_(publisher) {}

bool Tallies::RatioShare::KeepsPercent(std::int64_t newNumerator,
                                       std::int64_t newDenominator) const {
    // Found without dividing: a division costs more than the rest of a
    // ratio's refresh, and one more item seldom moves a share by a percent.
    constexpr std::int64_t kMaxTerm = std::numeric_limits<std::int64_t>::max() / 101;
    if (denominator == 0 || percent < 0 || percent > 100 || newNumerator < 0 ||
        newNumerator > newDenominator || newDenominator > kMaxTerm) {
        return false;
    }
    // percent <= 100 * newNumerator / newDenominator < percent + 1
    const std::int64_t over = newNumerator * 100 - percent * newDenominator;
    return over >= 0 && over < newDenominator;
}

void Tallies::CountIncompleteLine() {
    ++incompleteLines_;
    publisher_.Publish(Field::IncompleteLines, FigureValue::Count(incompleteLines_));
}

void Tallies::CountMissingNationality() {
    ++missingNationality_;
    publisher_.Publish(Field::MissingNationality, FigureValue::Count(missingNationality_));
}

void Tallies::ResetMissingNationality() {
    missingNationality_ = 0;
}

void Tallies::Reset() {
    incompleteLines_ = 0;
    missingNationality_ = 0;
    counts_.fill(0);
    seconds_.fill(0);
}

void Tallies::CountItem(Category category, std::int32_t seconds) {
    const std::size_t i = Index(category);
    ++counts_[i];
    seconds_[i] += seconds;
    const std::array<FigureUpdate, 2> updates{{
        {kCategoryFields[i].count, FigureValue::Count(counts_[i])},
        {kCategoryFields[i].seconds, FigureValue::Duration(seconds_[i])},
    }};
    publisher_.Publish(updates);
}

void Tallies::RefreshRatios() {
    std::array<FigureUpdate, kRatioCount> updates;
    std::size_t published = 0;
    for (std::size_t i = 0; i < kRatios.size(); ++i) {
        const Ratio& ratio = kRatios[i];
        const auto& tally = ratio.measure == Measure::Count ? counts_ : seconds_;
        const std::int64_t numerator = tally[Index(ratio.numerator)];
        const std::int64_t denominator = tally[Index(ratio.denominator)];
        if (denominator == 0) {
            continue;
        }
        // Most items leave most ratios' terms as they were: their share is
        // published again as it was found.
        RatioShare& share = ratioShares_[i];
        if (share.numerator != numerator || share.denominator != denominator) {
            if (!share.KeepsPercent(numerator, denominator)) {
                // Truncated, not rounded: 2 of 3 is 66%.
                share.percent = numerator * 100 / denominator;
            }
            share.numerator = numerator;
            share.denominator = denominator;
        }
        updates[published++] = {ratio.field, FigureValue::Percent(share.percent)};
    }
    publisher_.Publish(std::span(updates).first(published));
}

}  // namespace veltra
