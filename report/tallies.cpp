#include "tallies.h"

#include <charconv>
#include <limits>
#include <string_view>

#include "figure_field.h"
#include "figure_publisher.h"
#include "number_text.h"

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

// A number, optionally followed by one suffix character, in a stack buffer.
class NumberText {
public:
    explicit NumberText(std::int64_t value, char suffix = '\0') {
        char* out = std::to_chars(buffer_.begin(), buffer_.end(), value).ptr;
        if (suffix != '\0') {
            *out++ = suffix;
        }
        size_ = static_cast<std::size_t>(out - buffer_.begin());
    }
    std::string_view view() const { return {buffer_.data(), size_}; }

private:
    std::array<char, std::numeric_limits<std::int64_t>::digits10 + 3> buffer_;
    std::size_t size_;
};

}  // namespace

Tallies::Tallies(FigurePublisher& publisher) : publisher_(publisher) {}

bool Tallies::RatioText::KeepsPercent(std::int64_t newNumerator,
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
    publisher_.Publish(Field::IncompleteLines, NumberText(incompleteLines_).view());
}

void Tallies::CountMissingNationality() {
    ++missingNationality_;
    publisher_.Publish(Field::MissingNationality, NumberText(missingNationality_).view());
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
    publisher_.Publish(kCategoryFields[i].count, NumberText(counts_[i]).view());
    seconds_[i] += seconds;
    publisher_.Publish(kCategoryFields[i].seconds, DurationText(seconds_[i]).view());
}

void Tallies::RefreshRatios() {
    for (std::size_t i = 0; i < kRatios.size(); ++i) {
        const Ratio& ratio = kRatios[i];
        const auto& tally = ratio.measure == Measure::Count ? counts_ : seconds_;
        const std::int64_t numerator = tally[Index(ratio.numerator)];
        const std::int64_t denominator = tally[Index(ratio.denominator)];
        if (denominator == 0) {
            continue;
        }
        // Most items leave most ratios' terms as they were: their text is
        // published again as it was made.
        RatioText& text = ratioTexts_[i];
        if (text.numerator != numerator || text.denominator != denominator) {
            if (!text.KeepsPercent(numerator, denominator)) {
                // Truncated, not rounded: 2 of 3 is 66%.
                text.percent = numerator * 100 / denominator;
                const NumberText made(text.percent, '%');
                text.size = made.view().size();
                made.view().copy(text.text.data(), text.size);
            }
            text.numerator = numerator;
            text.denominator = denominator;
        }
        publisher_.Publish(ratio.field, {text.text.data(), text.size});
    }
}

}  // namespace veltra
