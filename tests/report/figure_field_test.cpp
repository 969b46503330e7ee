#include <gtest/gtest.h>

#include <set>

#include "figure_field.h"

namespace veltra {
namespace {

TEST(FigurePanels, HoldEveryFieldOnceInTheWindowsOrder) {
    std::vector<std::string_view> titles;
    std::multiset<Field> fields;
    for (const FigurePanel& panel : FigurePanels()) {
        titles.push_back(panel.title);
        fields.insert(panel.fields.begin(), panel.fields.end());
    }
    EXPECT_EQ(titles, (std::vector<std::string_view>{"Błędne wpisy", "Emisje", "Czasy", "Procenty",
                                                     "Veltra"}));
    ASSERT_EQ(fields.size(), kDisplayFieldCount);
    for (std::size_t i = 0; i < kDisplayFieldCount; ++i) {
        EXPECT_EQ(fields.count(static_cast<Field>(i)), 1u) << FieldName(static_cast<Field>(i));
    }
    EXPECT_EQ(FigurePanels()[1].fields[3], Field::DayPolishDebutCount);
}

// The window finds its controls by these names and --json prints them, so
// each field needs a name of its own, the one its control has.
TEST(FieldNames, NameEachFieldsOwnControl) {
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < kDisplayFieldCount; ++i) {
        names.insert(FieldName(static_cast<Field>(i)));
    }
    EXPECT_EQ(names.size(), kDisplayFieldCount);
    EXPECT_EQ(FieldName(Field::IncompleteLines), "LniepInformacja");
    EXPECT_EQ(FieldName(Field::MissingNationality), "LBrakNarodowosc");
    EXPECT_EQ(FieldName(Field::TotalCount), "LabeledEdit1");
    EXPECT_EQ(FieldName(Field::NightCount), "LabeledEdit15");
    EXPECT_EQ(FieldName(Field::NightPolishSecondsShare), "LabeledEdit22");
    EXPECT_EQ(FieldName(Field::DayPolishDebutSeconds), "LabeledEdit24");
}

TEST(FieldCaptions, EndInAColonExceptOne) {
    for (std::size_t i = 0; i < kDisplayFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        EXPECT_EQ(FieldCaption(field).ends_with(':'), field != Field::NightPolishSecondsShare)
            << FieldName(field);
    }
    EXPECT_EQ(FieldCaption(Field::MissingNationality), "Brak pola narodowość:");
    EXPECT_EQ(FieldCaption(Field::NightPolishSecondsShare), "Czas pl do reszty g. 24-5");
    EXPECT_EQ(FieldCaption(Field::DayPolishDebutCount), FieldCaption(Field::DayPolishDebutSeconds));
}

}  // namespace
}  // namespace veltra
