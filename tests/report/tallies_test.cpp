#include "tallies.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace veltra {
namespace {

using enum Field;
using testing::RecordingPublisher;

class TalliesTest : public ::testing::Test {
protected:
    RecordingPublisher publisher;
    Tallies tallies{publisher};
};

TEST_F(TalliesTest, StartAtZeroWithoutPublishing) {
    EXPECT_TRUE(publisher.published.empty());
    EXPECT_EQ(tallies.IncompleteLines(), 0);
    EXPECT_EQ(tallies.Count(Category::NightPolish), 0);
    EXPECT_EQ(tallies.Seconds(Category::Total), 0);
}

TEST_F(TalliesTest, ErrorCountsPublishTheirNumbers) {
    tallies.CountIncompleteLine();
    tallies.CountIncompleteLine();
    tallies.CountMissingNationality();
    EXPECT_EQ(publisher.published,
              (decltype(publisher.published){
                  {LniepInformacja, "1"}, {LniepInformacja, "2"}, {LBrakNarodowosc, "1"}}));
}

TEST_F(TalliesTest, ResetOfMissingNationalityPublishesNothing) {
    tallies.CountMissingNationality();
    tallies.ResetMissingNationality();
    EXPECT_EQ(tallies.MissingNationality(), 0);
    tallies.CountMissingNationality();
    EXPECT_EQ(publisher.published.size(), 2u);
    EXPECT_EQ(publisher.Text(LBrakNarodowosc), "1");
}

TEST_F(TalliesTest, CountItemPublishesCountThenDurationOfEachCategory) {
    const std::pair<Category, std::pair<Field, Field>> categories[] = {
        {Category::Total, {LabeledEdit1, LabeledEdit5}},
        {Category::Polish, {LabeledEdit2, LabeledEdit6}},
        {Category::Day, {LabeledEdit3, LabeledEdit7}},
        {Category::Night, {LabeledEdit15, LabeledEdit16}},
        {Category::DayPolishOther, {LabeledEdit4, LabeledEdit8}},
        {Category::DayPolishDebut, {LabeledEdit23, LabeledEdit24}},
        {Category::NightPolish, {LabeledEdit17, LabeledEdit18}},
    };
    for (const auto& [category, fields] : categories) {
        publisher.published.clear();
        tallies.CountItem(category, 205);
        tallies.CountItem(category, 3600);
        EXPECT_EQ(publisher.published,
                  (decltype(publisher.published){{fields.first, "1"},
                                                 {fields.second, "00:03:25"},
                                                 {fields.first, "2"},
                                                 {fields.second, "01:03:25"}}));
        EXPECT_EQ(tallies.Count(category), 2);
        EXPECT_EQ(tallies.Seconds(category), 3805);
    }
}

TEST_F(TalliesTest, NegativeSecondsAreAddedWithTheirSign) {
    tallies.CountItem(Category::Total, 10);
    tallies.CountItem(Category::Total, -75);
    EXPECT_EQ(tallies.Seconds(Category::Total), -65);
    EXPECT_EQ(publisher.Text(LabeledEdit5), "00:0-1:0-5");
}

TEST_F(TalliesTest, RatiosWithZeroDenominatorsAreSkipped) {
    tallies.RefreshRatios();
    EXPECT_TRUE(publisher.published.empty());

    tallies.CountItem(Category::Total, 205);
    tallies.CountItem(Category::Day, 205);
    publisher.published.clear();
    tallies.RefreshRatios();
    EXPECT_EQ(publisher.published, (decltype(publisher.published){{LabeledEdit9, "0%"},
                                                                  {LabeledEdit10, "0%"},
                                                                  {LabeledEdit11, "0%"},
                                                                  {LabeledEdit12, "0%"}}));
}

TEST_F(TalliesTest, AllTenRatiosArePublishedInTheirOrder) {
    for (Category category : {Category::Total, Category::Polish, Category::Day, Category::Night,
                              Category::DayPolishOther, Category::NightPolish}) {
        tallies.CountItem(category, 60);
    }
    publisher.published.clear();
    tallies.RefreshRatios();
    EXPECT_EQ(publisher.PublishedFields(),
              (std::vector<Field>{LabeledEdit9, LabeledEdit10, LabeledEdit21, LabeledEdit11,
                                  LabeledEdit12, LabeledEdit22, LabeledEdit13, LabeledEdit14,
                                  LabeledEdit19, LabeledEdit20}));
}

TEST_F(TalliesTest, RatiosAreSharesOfTheWholeTruncated) {
    for (int i = 0; i < 3; ++i) {
        tallies.CountItem(Category::Total, 100);
    }
    tallies.CountItem(Category::Polish, 100);
    tallies.RefreshRatios();
    EXPECT_EQ(publisher.Text(LabeledEdit9), "33%");
    EXPECT_EQ(publisher.Text(LabeledEdit11), "33%");

    tallies.CountItem(Category::Polish, 100);
    tallies.RefreshRatios();
    EXPECT_EQ(publisher.Text(LabeledEdit9), "66%");
}

TEST_F(TalliesTest, DebutItemsStayOutOfTheDayPolishNumerators) {
    tallies.CountItem(Category::Total, 205);
    tallies.CountItem(Category::Polish, 205);
    tallies.CountItem(Category::Day, 205);
    tallies.CountItem(Category::DayPolishDebut, 205);
    tallies.RefreshRatios();
    EXPECT_EQ(publisher.Text(LabeledEdit9), "100%");
    EXPECT_EQ(publisher.Text(LabeledEdit11), "100%");
    for (Field field : {LabeledEdit10, LabeledEdit12, LabeledEdit13, LabeledEdit14, LabeledEdit19,
                        LabeledEdit20}) {
        EXPECT_EQ(publisher.Text(field), "0%") << FieldName(field);
    }
    EXPECT_EQ(publisher.Text(LabeledEdit21), "");
    EXPECT_EQ(publisher.Text(LabeledEdit22), "");
}

TEST_F(TalliesTest, ARatioKeepsItsTextWhileItsDenominatorIsZero) {
    tallies.CountItem(Category::Total, 100);
    tallies.CountItem(Category::Polish, 100);
    tallies.RefreshRatios();
    EXPECT_EQ(publisher.Text(LabeledEdit11), "100%");

    // A counted item of 0 seconds: the count share moves, the time share
    // keeps its text.
    Tallies zeroSeconds{publisher};
    zeroSeconds.CountItem(Category::Total, 0);
    zeroSeconds.RefreshRatios();
    EXPECT_EQ(publisher.Text(LabeledEdit9), "0%");
    EXPECT_EQ(publisher.Text(LabeledEdit11), "100%");
}

}  // namespace
}  // namespace veltra
