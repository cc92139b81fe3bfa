#include "GraphicsFixture.h"

#include <cmath>

// Plot frame of the fixture: x 30..200, y 30..100; diagram area: x 10..210, y 20..120.
struct ClipCase {
    const char* name;
    float x1, y1, x2, y2;
    int16_t bosk;
    bool drawn;
    double ex1, ey1, ex2, ey2;  // expected, left end first
};

void PrintTo(const ClipCase& c, std::ostream* os) { *os << c.name; }

class LinieClipping : public GraphicsFixture, public ::testing::WithParamInterface<ClipCase> {};

TEST_P(LinieClipping, DrawsTheVisiblePart)
{
    const ClipCase& c = GetParam();
    engine->LINIE(c.x1, c.y1, c.x2, c.y2, std::nullopt, c.bosk);
    const auto l = lines();
    if (!c.drawn) {
        EXPECT_TRUE(l.empty()) << c.name;
        return;
    }
    ASSERT_EQ(l.size(), 1u) << c.name;
    EXPECT_TRUE(isLine(l[0], c.ex1, c.ey1, c.ex2, c.ey2)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinieClipping,
    ::testing::Values(
        ClipCase{"inside", 40, 40, 100, 90, 0, true, 40, 40, 100, 90},
        ClipCase{"inside reversed", 100, 90, 40, 40, 0, true, 40, 40, 100, 90},
        ClipCase{"on the frame", 30, 30, 200, 30, 0, true, 30, 30, 200, 30},
        ClipCase{"left of", 0, 40, 20, 90, 0, false, 0, 0, 0, 0},
        ClipCase{"above", 40, 0, 150, 25, 0, false, 0, 0, 0, 0},
        ClipCase{"inside to outside right", 100, 50, 250, 50, 0, true, 100, 50, 200, 50},
        ClipCase{"vertical across", 50, 0, 50, 200, 0, true, 50, 30, 50, 100},
        ClipCase{"horizontal across", 0, 60, 300, 60, 0, true, 30, 60, 200, 60},
        ClipCase{"slanted out through the top", 100, 50, 120, 10, 0, true, 100, 50, 110, 30},
        ClipCase{"slanted across both sides", 20, 40, 210, 60, 0, true, 30, 41.052632, 200, 58.947368},
        ClipCase{"diagonal through two corners", 0, 0, 230, 115, 0, true, 60, 30, 200, 100},
        ClipCase{"passes outside a corner", 190, 20, 220, 50, 0, false, 0, 0, 0, 0},
        ClipCase{"same point outside", 5, 5, 5, 5, 0, false, 0, 0, 0, 0},
        ClipCase{"tick in the margin with BOSK 1", 30, 100, 30, 101.5, 1, true, 30, 100, 30, 101.5},
        ClipCase{"tick in the margin cut by the frame", 30, 100, 30, 101.5, 0, true, 30, 100, 30, 100},
        ClipCase{"diagram area cut", 0, 70, 300, 70, 1, true, 10, 70, 210, 70}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

TEST_F(GraphicsFixture, LinieDrawsInTheGivenColourOrTheForeColour)
{
    surface.ForeColor(vb::RGB(0, 0, 255));
    engine->LINIE(40, 40, 50, 50);
    engine->LINIE(40, 40, 50, 50, vb::RGB(255, 0, 0));
    const auto l = lines();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].colour, vb::RGB(0, 0, 255));
    EXPECT_EQ(l[1].colour, vb::RGB(255, 0, 0));
}

namespace {
double length(const Prim& p) { return std::hypot(p.x2 - p.x1, p.y2 - p.y1); }
}

TEST_F(GraphicsFixture, PfeilHeadShrinksOnShortShafts)
{
    // 10 mm shaft pointing right: barbs 2.5 mm at +-15 degrees behind the tip, joined at their ends.
    engine->PFEIL(50, 50, 60, 50);
    auto l = lines();
    ASSERT_EQ(l.size(), 3u);
    const double c = 2.5 * std::cos(M_PI / 12), s = 2.5 * std::sin(M_PI / 12);
    EXPECT_TRUE(isLine(l[0], 60, 50, 60 - c, 50 - s, 1e-5));
    EXPECT_TRUE(isLine(l[1], 60, 50, 60 - c, 50 + s, 1e-5));
    EXPECT_TRUE(isLine(l[2], 60 - c, 50 + s, 60 - c, 50 - s, 1e-5));

    surface.clear();
    engine->PFEIL(50, 50, 50, 53);  // 3 mm: the head is half the shaft
    l = lines();
    ASSERT_EQ(l.size(), 3u);
    EXPECT_NEAR(length(l[0]), 1.5, 1e-5);
    EXPECT_NEAR(length(l[1]), 1.5, 1e-5);
    EXPECT_NEAR(std::max(l[0].y1, l[0].y2), 53, 1e-6);
    EXPECT_NEAR(std::min(l[0].y1, l[0].y2), 53 - 1.5 * std::cos(M_PI / 12), 1e-5);  // back up the shaft
}

TEST_F(GraphicsFixture, KotendreieckLinesByOption)
{
    float dh = 2;  // world y units: 4 mm at 0.5 per mm
    engine->KOTENDREIECK(100, 20, dh, 0, 0, 0);
    EXPECT_FLOAT_EQ(dh, 4);
    auto l = lines();
    ASSERT_EQ(l.size(), 5u);  // the level line in two halves and three triangle sides
    // P = (130, 60): level line 130 -/+ 4; apex on P, base 4 mm above from 126 to 134.
    EXPECT_TRUE(isLine(l[0], 130, 60, 134, 60, 1e-5));
    EXPECT_TRUE(isLine(l[1], 130, 60, 126, 60, 1e-5));
    EXPECT_TRUE(isLine(l[2], 130, 60, 126, 56, 1e-5));
    EXPECT_TRUE(isLine(l[3], 126, 56, 134, 56, 1e-5));
    EXPECT_TRUE(isLine(l[4], 134, 56, 130, 60, 1e-5));

    surface.clear();
    dh = 2;
    engine->KOTENDREIECK(100, 20, dh, 0, 1, 3);
    l = lines();
    ASSERT_EQ(l.size(), 5u + 4u + 68u);
    // Water level: 1 mm below with half length 3, 2 mm below with half length 1.
    EXPECT_TRUE(isLine(l[5], 130, 61, 127, 61, 1e-5));
    EXPECT_TRUE(isLine(l[6], 130, 61, 133, 61, 1e-5));
    EXPECT_TRUE(isLine(l[7], 130, 62, 129, 62, 1e-5));
    // Every ray runs from the apex to the base 4 mm above it.
    for (std::size_t i = 9; i < l.size(); ++i) {
        EXPECT_NEAR(std::max(l[i].y1, l[i].y2), 60, 1e-5);
        EXPECT_NEAR(std::min(l[i].y1, l[i].y2), 56, 1e-4);
    }
}

TEST_F(GraphicsFixture, GelaendeschraffurStrokes)
{
    engine->GELAENDESCHRAFFUR(50, 20, 3, 0, 0, 2);
    EXPECT_TRUE(lines().empty());
    engine->GELAENDESCHRAFFUR(50, 20, 3, 2, 0, 2);
    const auto l = lines();
    ASSERT_EQ(l.size(), 12u);
    // KO = 2: 3 mm strokes at -45 degrees in world orientation (down-right on the surface).
    const double k = 3 / std::sqrt(2.0);
    EXPECT_TRUE(isLine(l[0], 80, 60, 80 + k, 60 + k, 1e-4));
}
