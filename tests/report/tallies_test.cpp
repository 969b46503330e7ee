#include "tallies.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

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
                  {IncompleteLines, "1"}, {IncompleteLines, "2"}, {MissingNationality, "1"}}));
}

TEST_F(TalliesTest, ResetOfMissingNationalityPublishesNothing) {
    tallies.CountMissingNationality();
    tallies.ResetMissingNationality();
    EXPECT_EQ(tallies.MissingNationality(), 0);
    tallies.CountMissingNationality();
    EXPECT_EQ(publisher.published.size(), 2u);
    EXPECT_EQ(publisher.Text(MissingNationality), "1");
}

TEST_F(TalliesTest, CountItemPublishesCountThenDuration) {
    tallies.CountItem(Category::Night, 205);
    tallies.CountItem(Category::Night, 3600);
    EXPECT_EQ(publisher.published, (decltype(publisher.published){{NightCount, "1"},
                                                                  {NightSeconds, "00:03:25"},
                                                                  {NightCount, "2"},
                                                                  {NightSeconds, "01:03:25"}}));
    EXPECT_EQ(tallies.Count(Category::Night), 2);
    EXPECT_EQ(tallies.Seconds(Category::Night), 3805);
}

// Every category a different number of minute-long items: a category
// published to another's field shows up as a wrong number.
TEST_F(TalliesTest, EachCategoryShowsInItsOwnFields) {
    const Category categories[] = {
        Category::Total,          Category::Polish,         Category::Day,        Category::Night,
        Category::DayPolishOther, Category::DayPolishDebut, Category::NightPolish};
    int items = 0;
    for (Category category : categories) {
        ++items;
        for (int i = 0; i < items; ++i) {
            tallies.CountItem(category, 60);
        }
        EXPECT_EQ(tallies.Count(category), items);
        EXPECT_EQ(tallies.Seconds(category), items * 60);
    }
    const std::pair<Field, std::string> shown[] = {
        {TotalCount, "1"},
        {TotalSeconds, "00:01:00"},
        {PolishCount, "2"},
        {PolishSeconds, "00:02:00"},
        {DayCount, "3"},
        {DaySeconds, "00:03:00"},
        {NightCount, "4"},
        {NightSeconds, "00:04:00"},
        {DayPolishOtherCount, "5"},
        {DayPolishOtherSeconds, "00:05:00"},
        {DayPolishDebutCount, "6"},
        {DayPolishDebutSeconds, "00:06:00"},
        {NightPolishCount, "7"},
        {NightPolishSeconds, "00:07:00"},
    };
    for (const auto& [field, text] : shown) {
        EXPECT_EQ(publisher.Text(field), text) << FieldName(field);
    }
}

TEST_F(TalliesTest, NegativeSecondsAreAddedWithTheirSign) {
    tallies.CountItem(Category::Total, 10);
    tallies.CountItem(Category::Total, -75);
    EXPECT_EQ(tallies.Seconds(Category::Total), -65);
    EXPECT_EQ(publisher.Text(TotalSeconds), "00:0-1:0-5");
}

TEST_F(TalliesTest, RatiosWithZeroDenominatorsAreSkipped) {
    tallies.RefreshRatios();
    EXPECT_TRUE(publisher.published.empty());

    tallies.CountItem(Category::Total, 205);
    tallies.CountItem(Category::Day, 205);
    publisher.published.clear();
    tallies.RefreshRatios();
    EXPECT_EQ(publisher.published,
              (decltype(publisher.published){{PolishCountShare, "0%"},
                                             {DayPolishOtherCountShare, "0%"},
                                             {PolishSecondsShare, "0%"},
                                             {DayPolishOtherSecondsShare, "0%"}}));
}

TEST_F(TalliesTest, AllTenRatiosArePublishedInTheirOrder) {
    for (Category category : {Category::Total, Category::Polish, Category::Day, Category::Night,
                              Category::DayPolishOther, Category::NightPolish}) {
        tallies.CountItem(category, 60);
    }
    publisher.published.clear();
    tallies.RefreshRatios();
    EXPECT_EQ(
        publisher.PublishedFields(),
        (std::vector<Field>{PolishCountShare, DayPolishOtherCountShare, NightPolishCountShare,
                            PolishSecondsShare, DayPolishOtherSecondsShare, NightPolishSecondsShare,
                            DayPolishOtherCountShareOfPolish, DayPolishOtherSecondsShareOfPolish,
                            NightPolishCountShareOfPolish, NightPolishSecondsShareOfPolish}));
}

TEST_F(TalliesTest, RatiosAreSharesOfTheWholeTruncated) {
    for (int i = 0; i < 3; ++i) {
        tallies.CountItem(Category::Total, 100);
    }
    tallies.CountItem(Category::Polish, 100);
    tallies.RefreshRatios();
    EXPECT_EQ(publisher.Text(PolishCountShare), "33%");
    EXPECT_EQ(publisher.Text(PolishSecondsShare), "33%");

    tallies.CountItem(Category::Polish, 100);
    tallies.RefreshRatios();
    EXPECT_EQ(publisher.Text(PolishCountShare), "66%");
}

TEST_F(TalliesTest, DebutItemsStayOutOfTheDayPolishNumerators) {
    tallies.CountItem(Category::Total, 205);
    tallies.CountItem(Category::Polish, 205);
    tallies.CountItem(Category::Day, 205);
    tallies.CountItem(Category::DayPolishDebut, 205);
    tallies.RefreshRatios();
    EXPECT_EQ(publisher.Text(PolishCountShare), "100%");
    EXPECT_EQ(publisher.Text(PolishSecondsShare), "100%");
    for (Field field : {DayPolishOtherCountShare, DayPolishOtherSecondsShare,
                        DayPolishOtherCountShareOfPolish, DayPolishOtherSecondsShareOfPolish,
                        NightPolishCountShareOfPolish, NightPolishSecondsShareOfPolish}) {
        EXPECT_EQ(publisher.Text(field), "0%") << FieldName(field);
    }
    EXPECT_EQ(publisher.Text(NightPolishCountShare), "");
    EXPECT_EQ(publisher.Text(NightPolishSecondsShare), "");
}

TEST_F(TalliesTest, ARatioKeepsItsTextWhileItsDenominatorIsZero) {
    tallies.CountItem(Category::Total, 100);
    tallies.CountItem(Category::Polish, 100);
    tallies.RefreshRatios();
    EXPECT_EQ(publisher.Text(PolishSecondsShare), "100%");

    // A counted item of 0 seconds: the count share moves, the time share
    // keeps its text.
    Tallies zeroSeconds{publisher};
    zeroSeconds.CountItem(Category::Total, 0);
    zeroSeconds.RefreshRatios();
    EXPECT_EQ(publisher.Text(PolishCountShare), "0%");
    EXPECT_EQ(publisher.Text(PolishSecondsShare), "100%");
}

// A ratio's text is kept while its percentage stays, so every text must still
// be the one a division of the current terms makes: items of every category,
// shares crossing whole percents, negative seconds, and reset tallies whose
// texts were made from other terms.
TEST_F(TalliesTest, EveryRatioTextIsTheDivisionOfItsCurrentTerms) {
    struct Share {
        Field field;
        bool seconds;
        Category numerator;
        Category denominator;
    };
    const std::vector<Share> shares{
        {PolishCountShare, false, Category::Polish, Category::Total},
        {DayPolishOtherSecondsShare, true, Category::DayPolishOther, Category::Day},
        {NightPolishCountShareOfPolish, false, Category::NightPolish, Category::Polish},
        {NightPolishSecondsShareOfPolish, true, Category::NightPolish, Category::Polish},
    };
    std::mt19937 random(7);
    std::uniform_int_distribution<int> seconds(-20, 400);
    std::bernoulli_distribution polish(0.4);
    std::bernoulli_distribution day(0.8);
    std::bernoulli_distribution debut(0.2);
    for (int item = 0; item < 20000; ++item) {
        if (item % 5000 == 4999) {
            tallies.Reset();
        }
        publisher.published.clear();
        const int length = seconds(random);
        const bool isPolish = polish(random);
        tallies.CountItem(Category::Total, length);
        if (isPolish) {
            tallies.CountItem(Category::Polish, length);
        }
        if (day(random)) {
            tallies.CountItem(Category::Day, length);
            if (isPolish) {
                tallies.CountItem(
                    debut(random) ? Category::DayPolishDebut : Category::DayPolishOther, length);
            }
        } else {
            tallies.CountItem(Category::Night, length);
            if (isPolish) {
                tallies.CountItem(Category::NightPolish, length);
            }
        }
        tallies.RefreshRatios();
        for (const Share& share : shares) {
            const auto term = [&](Category c) {
                return share.seconds ? tallies.Seconds(c) : tallies.Count(c);
            };
            if (term(share.denominator) == 0) {
                continue;
            }
            const std::string expected =
                std::to_string(term(share.numerator) * 100 / term(share.denominator)) + "%";
            ASSERT_EQ(publisher.Text(share.field), expected)
                << FieldName(share.field) << " after item " << item;
        }
    }
}

}  // namespace
}  // namespace veltra
