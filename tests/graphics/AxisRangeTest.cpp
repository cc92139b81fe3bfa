#include "graphics/AxisRange.h"

#include "platform/vb/VbError.h"

#include <gtest/gtest.h>
#include <cmath>

namespace {

AxisLists lists(std::vector<float> ends, std::vector<float> spans, std::vector<int16_t> it,
                std::vector<int16_t> git, std::vector<int16_t> zl)
{
    return {std::move(ends), std::move(spans), std::move(it), std::move(git), std::move(zl)};
}

}  // namespace

TEST(AxisRange, LowerEndSnapsDownToACandidate)
{
    const AxisLists l = lists({0, 10, 20, 50}, {10, 20, 50, 100}, {10, 10, 10, 10}, {0, 0, 0, 0}, {0, 0, 0, 0});
    AxisTicks t;
    float lo = 0, hi = 60;
    AxisRange::SKALENBEREICH(-1, true, false, 0, {13, 40}, lo, hi, l, t);
    EXPECT_EQ(lo, 10);
    lo = 0;
    AxisRange::SKALENBEREICH(-1, true, false, 0, {-5, 40}, lo, hi, l, t);
    EXPECT_EQ(lo, 0);
    // Call 2 lets the stored end take part; call 1 starts with the data.
    lo = 0;
    AxisRange::SKALENBEREICH(2, true, false, 0, {13, 40}, lo, hi, l, t);
    EXPECT_EQ(lo, 0);
    lo = 0;
    AxisRange::SKALENBEREICH(1, true, false, 0, {13, 40}, lo, hi, l, t);
    EXPECT_EQ(lo, 10);
}

TEST(AxisRange, SpanSnapsUpAndDrawingCallsMoveTheUpperEnd)
{
    const AxisLists l = lists({0, 100}, {10, 20, 50}, {5, 4, 10}, {5, 2, 5}, {1, 1, 2});
    AxisTicks t;
    float lo = 0, hi = 23;
    AxisRange::SKALENBEREICH(0, false, false, 0, {}, lo, hi, l, t);
    EXPECT_EQ(hi, 50);
    EXPECT_EQ(t.tickCount, 10);
    EXPECT_EQ(t.gridCount, 5);
    EXPECT_EQ(t.labelCount, 2);
    ASSERT_EQ(t.ticks.size(), 11u);
    EXPECT_FLOAT_EQ(t.ticks[3], 15);
    EXPECT_FLOAT_EQ(t.ticks[10], 50);
    // A collection call keeps the found end.
    hi = 23;
    AxisRange::SKALENBEREICH(1, false, false, 0, {}, lo, hi, l, t);
    EXPECT_EQ(hi, 23);
    // Spans beyond the list are held to its ends.
    hi = 500;
    AxisRange::SKALENBEREICH(0, false, false, 0, {}, lo, hi, l, t);
    EXPECT_EQ(hi, 50);
}

TEST(AxisRange, UpperEndSnapsUpFromData)
{
    const AxisLists l = lists({0, 10, 20, 50}, {10, 20, 50}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0});
    AxisTicks t;
    float lo = 0, hi = 0;
    AxisRange::SKALENBEREICH(1, false, true, 0, {3, 17}, lo, hi, l, t);
    EXPECT_EQ(hi, 20);
    AxisRange::SKALENBEREICH(1, false, true, 0, {3, 70}, lo, hi, l, t);
    EXPECT_EQ(hi, 50);
}

TEST(AxisRange, ZeroTickCountIsADivisionByZero)
{
    const AxisLists l = lists({0, 10}, {10}, {0}, {0}, {0});
    AxisTicks t;
    float lo = 0, hi = 10;
    try {
        AxisRange::SKALENBEREICH(0, false, false, 0, {}, lo, hi, l, t);
        FAIL() << "no error";
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number(), 11);
    }
}

TEST(AxisRange, LogarithmicDecades)
{
    const AxisLists l = lists({0.1f, 1, 10, 100, 1000, 10000}, {1}, {1}, {1}, {1});
    AxisTicks t;
    float lo = 0.5f, hi = 800;
    AxisRange::SKALENBEREICH(0, false, false, 1, {}, lo, hi, l, t);
    EXPECT_FLOAT_EQ(lo, 0.1f);  // rounded down to a candidate
    EXPECT_EQ(hi, 1000);        // and up
    // log10(0.1), the decades 0..2, log10(1000) (the decade 3 is the end itself)
    EXPECT_EQ(t.ticks, (std::vector<float>{-1, 0, 1, 2, 3}));
    EXPECT_EQ(t.positions, t.ticks);  // grid code equals the tick code
}

TEST(AxisRange, LogarithmicMultiples)
{
    const AxisLists l = lists({1, 2, 5, 10, 100, 1000, 5000}, {1}, {10}, {1}, {1});
    AxisTicks t;
    float lo = 2, hi = 5000;
    AxisRange::SKALENBEREICH(0, false, false, 1, {}, lo, hi, l, t);
    // log10(2), the multiples 3..9, 10..90, 100..900, 1000..4000, log10(5000): each decade once
    ASSERT_EQ(t.tickCount, 30);
    EXPECT_FLOAT_EQ(t.ticks[0], std::log10(2.0f));
    EXPECT_FLOAT_EQ(t.ticks[1], std::log10(3.0f));
    EXPECT_FLOAT_EQ(t.ticks[7], std::log10(9.0f));
    EXPECT_FLOAT_EQ(t.ticks[8], 1);
    EXPECT_FLOAT_EQ(t.ticks[9], 1 + std::log10(2.0f));
    EXPECT_FLOAT_EQ(t.ticks[26], 3);
    EXPECT_FLOAT_EQ(t.ticks[29], 3 + std::log10(4.0f));
    EXPECT_FLOAT_EQ(t.ticks[30], std::log10(5000.0f));
    // Grid and labels only at the ends and the decades.
    EXPECT_EQ(t.positions, (std::vector<float>{std::log10(2.0f), 1, 2, 3, std::log10(5000.0f)}));
    EXPECT_EQ(t.gridCount, 1);
    EXPECT_EQ(t.labelCount, 1);
}

// Every tick scheme, with ends on and off the decades and in float's inexact tenths: the
// ticks (and the grid and label positions) run strictly upwards from the lower end to the
// upper end, so no label is written twice and nothing is drawn outside the axis.
TEST(AxisRange, LogarithmicTicksNeverRepeatAndStayWithinTheEnds)
{
    struct Case {
        float lo, hi;
        int16_t scheme, grid;
    };
    const Case cases[] = {
        {2, 5, 10, 10},     {2, 5, 10, 1},     {1, 1000, 10, 10}, {2, 5000, 10, 10}, {2.5f, 40, 10, 10},
        {0.01f, 1, 1, 1},   {0.1f, 100, 1, 1}, {0.1f, 100, 10, 1}, {0.001f, 0.1f, 10, 10}, {10, 10000, 1, 1},
        {3, 7, 1, 1},       {1, 10, 10, 10},
    };
    for (const Case& c : cases) {
        const AxisLists l = lists({c.lo, c.hi}, {1}, {c.scheme}, {c.grid}, {c.grid});
        AxisTicks t;
        float lo = c.lo, hi = c.hi;
        AxisRange::SKALENBEREICH(0, false, false, 1, {}, lo, hi, l, t);
        const std::string name = std::to_string(c.lo) + ".." + std::to_string(c.hi) + " scheme " + std::to_string(c.scheme);
        for (const std::vector<float>* list : {&t.ticks, &t.positions}) {
            ASSERT_GE(list->size(), 2u) << name;
            EXPECT_FLOAT_EQ(list->front(), std::log10(c.lo)) << name;
            EXPECT_FLOAT_EQ(list->back(), std::log10(c.hi)) << name;
            for (std::size_t i = 1; i < list->size(); ++i)
                EXPECT_GT((*list)[i] - (*list)[i - 1], 1e-4f) << name << " at " << i;
        }
        EXPECT_EQ(t.tickCount, static_cast<int>(t.ticks.size()) - 1) << name;
    }
    // 2..5: the multiples between the ends, none above them.
    AxisTicks t;
    float lo = 2, hi = 5;
    AxisRange::SKALENBEREICH(0, false, false, 1, {}, lo, hi, lists({1, 2, 5, 10}, {1}, {10}, {10}, {10}), t);
    std::vector<float> expected;
    for (float m : {2.0f, 3.0f, 4.0f, 5.0f}) expected.push_back(std::log10(m));
    ASSERT_EQ(t.ticks.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_FLOAT_EQ(t.ticks[i], expected[i]);
}

TEST(AxisRange, LogarithmicEndOfZeroOrLessGivesNoTicks)
{
    // A stored end that no candidate moves (no data flag) has no logarithm: no phantom ticks
    // from 10^-10 upwards; SKALEN reports the end when it maps the axis.
    for (float stored : {0.0f, -5.0f}) {
        AxisTicks t;
        float lo = stored, hi = 100;
        AxisRange::SKALENBEREICH(0, false, false, 1, {}, lo, hi, lists({1, 10, 100}, {1}, {10}, {10}, {10}), t);
        EXPECT_EQ(t.tickCount, -1) << stored;
        EXPECT_EQ(t.positionCount, -1) << stored;
    }
    // With the data flag the lower end is held to the first candidate: an axis like any other.
    AxisTicks t;
    float lo = 0, hi = 100;
    AxisRange::SKALENBEREICH(1, true, false, 1, {-3, 50}, lo, hi, lists({1, 10, 100}, {1}, {1}, {1}, {1}), t);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(t.ticks, (std::vector<float>{0, 1, 2}));
}

TEST(AxisRange, LogarithmicSingleTickAndUnknownCode)
{
    AxisTicks t;
    float lo = 10, hi = 100;
    AxisRange::SKALENBEREICH(0, false, false, 1, {}, lo, hi, lists({1, 10, 1000}, {1}, {0}, {0}, {0}), t);
    EXPECT_EQ(t.ticks, (std::vector<float>{1}));
    AxisRange::SKALENBEREICH(0, false, false, 1, {}, lo, hi, lists({1, 1000}, {1}, {3}, {0}, {0}), t);
    EXPECT_EQ(t.tickCount, -1);  // no tick list: the axis is its line alone
}
