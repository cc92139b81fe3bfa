#include "pages/AxisCandidates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

bool ascending(const std::vector<float>& v) { return std::is_sorted(v.begin(), v.end()) && std::adjacent_find(v.begin(), v.end()) == v.end(); }

}  // namespace

TEST(AxisCandidatesTest, LinearEndsAreTheMirroredListOf101Values)
{
    const AxisLists c = AxisCandidates::linear();
    ASSERT_EQ(c.MIN.size(), 101u);
    EXPECT_TRUE(ascending(c.MIN));
    EXPECT_EQ(c.MIN.front(), -10000.f);
    EXPECT_EQ(c.MIN[50], 0.f);
    for (std::size_t i = 0; i < 50; ++i) EXPECT_EQ(c.MIN[i], -c.MIN[100 - i]) << i;
    const std::vector<float> positive(c.MIN.begin() + 51, c.MIN.end());
    const std::vector<float> expected{0.5f, 1, 1.5f, 2,  3,   4,   5,   6,   7,   8,   9,    10,   11,   12,   13,
                                      14,   15, 16,   17, 18,  19,  20,  25,  30,  35,  40,   45,   50,   60,   70,
                                      80,   90, 100,  150, 200, 250, 300, 350, 400, 450, 500,  600,  700,  800,  900,
                                      1000, 2500, 5000, 7500, 10000};
    EXPECT_EQ(positive, expected);
}

// The irregular rows of the span table (a tick count that is not the span's leading digit,
// a single label), the ends of the list, and one grid interval everywhere.
TEST(AxisCandidatesTest, LinearSpansCarryTheirTickAndLabelCounts)
{
    const AxisLists c = AxisCandidates::linear();
    ASSERT_EQ(c.DIFF.size(), 47u);
    ASSERT_EQ(c.IT.size(), 47u);
    ASSERT_EQ(c.ZL.size(), 47u);
    EXPECT_TRUE(ascending(c.DIFF));
    EXPECT_EQ(c.GIT, std::vector<int16_t>(47, 1));
    const std::vector<std::tuple<float, int, int>> rows{
        {0.5f, 10, 5}, {1.5f, 15, 5}, {14, 7, 2},   {16, 16, 4},  {35, 7, 1},    {100, 4, 2},
        {250, 5, 1},   {800, 8, 2},   {900, 6, 3},  {2500, 10, 2}, {20000, 10, 2}};
    for (const auto& [span, ticks, labels] : rows) {
        const auto at = static_cast<std::size_t>(std::find(c.DIFF.begin(), c.DIFF.end(), span) - c.DIFF.begin());
        ASSERT_LT(at, c.DIFF.size()) << span;
        EXPECT_EQ(c.IT[at], ticks) << span;
        EXPECT_EQ(c.ZL[at], labels) << span;
    }
}

TEST(AxisCandidatesTest, LogarithmicListsAreTheFixedOnes)
{
    const AxisLists c = AxisCandidates::logarithmic();
    EXPECT_EQ(c.MIN, (std::vector<float>{0.001f, 0.002f, 0.0063f, 0.02f, 0.063f, 0.2f, 0.63f, 2, 6.3f, 20, 63, 100}));
    EXPECT_EQ(c.DIFF, std::vector<float>{100});
    EXPECT_EQ(c.IT, std::vector<int16_t>{10});
    EXPECT_EQ(c.GIT, std::vector<int16_t>{1});
    EXPECT_EQ(c.ZL, std::vector<int16_t>{1});
}

TEST(AxisCandidatesTest, DataInsideTheGivenRangeChangeNothing)
{
    const AxisLists base = AxisCandidates::linear();
    const AxisLists inside = AxisCandidates::linear(-9999, 10000);
    EXPECT_EQ(inside.MIN, base.MIN);
    EXPECT_EQ(inside.DIFF, base.DIFF);
    EXPECT_EQ(AxisCandidates::logarithmic(0.001, 100).MIN, AxisCandidates::logarithmic().MIN);
}

TEST(AxisCandidatesTest, LinearDataBeyondTheEndsRepeatTheLastDecadeTenTimesLarger)
{
    const AxisLists base = AxisCandidates::linear();
    const AxisLists c = AxisCandidates::linear(-20, 60000);
    ASSERT_EQ(c.MIN.size(), base.MIN.size() + 8);
    // The given ends keep their places in the middle of the list.
    EXPECT_TRUE(std::equal(base.MIN.begin(), base.MIN.end(), c.MIN.begin() + 4));
    EXPECT_EQ(std::vector<float>(c.MIN.end() - 4, c.MIN.end()), (std::vector<float>{25000, 50000, 75000, 100000}));
    EXPECT_EQ(std::vector<float>(c.MIN.begin(), c.MIN.begin() + 4),
              (std::vector<float>{-100000, -75000, -50000, -25000}));
    EXPECT_TRUE(ascending(c.MIN));
    // Spans reach the width of the extended ends, with the counts of their pattern.
    EXPECT_TRUE(ascending(c.DIFF));
    EXPECT_GE(c.DIFF.back(), 200000.f);
    const auto at = std::find(c.DIFF.begin(), c.DIFF.end(), 25000.f) - c.DIFF.begin();
    ASSERT_LT(static_cast<std::size_t>(at), c.DIFF.size());
    EXPECT_EQ(c.IT[static_cast<std::size_t>(at)], 10);
    EXPECT_EQ(c.ZL[static_cast<std::size_t>(at)], 2);
    EXPECT_EQ(c.DIFF.size(), c.IT.size());
    EXPECT_EQ(c.DIFF.size(), c.GIT.size());
    EXPECT_EQ(c.DIFF.size(), c.ZL.size());
}

TEST(AxisCandidatesTest, LogarithmicDataBeyondTheEndsAddWholeDecades)
{
    const AxisLists c = AxisCandidates::logarithmic(0.00002, 5000);
    EXPECT_EQ(std::vector<float>(c.MIN.begin(), c.MIN.begin() + 3), (std::vector<float>{1e-5f, 1e-4f, 0.001f}));
    EXPECT_EQ(std::vector<float>(c.MIN.end() - 3, c.MIN.end()), (std::vector<float>{100, 1000, 10000}));
    // Values of 0 or less have no logarithm and extend nothing; the scale knows no decade beyond 10^10.
    EXPECT_EQ(AxisCandidates::logarithmic(-5, 0).MIN, AxisCandidates::logarithmic().MIN);
    EXPECT_EQ(AxisCandidates::logarithmic(1e-30, 1e30).MIN.front(), 1e-10f);
    EXPECT_EQ(AxisCandidates::logarithmic(1e-30, 1e30).MIN.back(), 1e10f);
}

// A frame narrower than the smallest span (strains of a few thousandths) finds spans and ends
// of its own size, with the counts of the decade they repeat.
TEST(AxisCandidatesTest, NarrowRangesAddTheDecadesBelow)
{
    const AxisLists c = AxisCandidates::linear(0.0002, 0.0043);
    EXPECT_TRUE(ascending(c.DIFF));
    EXPECT_TRUE(ascending(c.MIN));
    EXPECT_LE(c.DIFF.front(), 0.0041f);
    const auto at = std::find(c.DIFF.begin(), c.DIFF.end(), 0.005f) - c.DIFF.begin();
    ASSERT_LT(static_cast<std::size_t>(at), c.DIFF.size());
    EXPECT_EQ(c.IT[static_cast<std::size_t>(at)], 10);
    EXPECT_EQ(c.ZL[static_cast<std::size_t>(at)], 5);
    EXPECT_EQ(c.DIFF.size(), c.IT.size());
    for (float end : {0.001f, 0.0015f, 0.002f, 0.6f, -0.004f})
        EXPECT_NE(std::find(c.MIN.begin(), c.MIN.end(), end), c.MIN.end()) << end;
    // The given spans keep their counts.
    const AxisLists base = AxisCandidates::linear();
    for (std::size_t i = 0; i < base.DIFF.size(); ++i) {
        const auto k = static_cast<std::size_t>(std::find(c.DIFF.begin(), c.DIFF.end(), base.DIFF[i]) - c.DIFF.begin());
        ASSERT_LT(k, c.DIFF.size()) << base.DIFF[i];
        EXPECT_EQ(std::make_pair(c.IT[k], c.ZL[k]), std::make_pair(base.IT[i], base.ZL[i])) << base.DIFF[i];
    }
}
