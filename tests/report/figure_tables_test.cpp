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
    EXPECT_EQ(FigurePanels()[1].fields[3], Field::LabeledEdit23);
}

TEST(FieldNames, AreTheControlNames) {
    EXPECT_EQ(FieldName(Field::LniepInformacja), "LniepInformacja");
    EXPECT_EQ(FieldName(Field::LBrakNarodowosc), "LBrakNarodowosc");
    for (int n = 1; n <= 24; ++n) {
        const auto field = static_cast<Field>(static_cast<int>(Field::LabeledEdit1) + n - 1);
        EXPECT_EQ(FieldName(field), "LabeledEdit" + std::to_string(n));
    }
}

TEST(FieldCaptions, EndInAColonExceptOne) {
    for (std::size_t i = 0; i < kDisplayFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        EXPECT_EQ(FieldCaption(field).ends_with(':'), field != Field::LabeledEdit22)
            << FieldName(field);
    }
    EXPECT_EQ(FieldCaption(Field::LBrakNarodowosc), "Brak pola narodowość:");
    EXPECT_EQ(FieldCaption(Field::LabeledEdit22), "Czas pl do reszty g. 24-5");
    EXPECT_EQ(FieldCaption(Field::LabeledEdit23), FieldCaption(Field::LabeledEdit24));
}

}  // namespace
}  // namespace veltra
