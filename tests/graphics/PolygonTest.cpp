#include "GraphicsFixture.h"

#include <cmath>

// World points of the fixture map as xp = 30 + x, yp = 100 - 2 y.
TEST_F(GraphicsFixture, PolylineHonoursTheVisibilityList)
{
    const std::vector<bool> bol{true, false, true};
    engine->POLYGON({0, 10, 20, 30}, {0, 5, 0, 5}, 0, 0, 0, QString(), 0, 0, false, &bol);
    const auto l = lines();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_TRUE(isLine(l[0], 30, 100, 40, 90));
    EXPECT_TRUE(isLine(l[1], 50, 100, 60, 90));
}

TEST_F(GraphicsFixture, SymbolSelection)
{
    const SingleList x{0, 10, 20, 30, 40, 50, 60, 70, 80}, y{5, 5, 5, 5, 5, 5, 5, 5, 5};
    const auto symbolsAt = [&](int16_t psit) {
        surface.clear();
        engine->POLYGON(x, y, psit, 4, 0, QString(), 0, 0, false);
        std::vector<int> at;
        for (const auto& c : surface.ofType(PrimType::Circle)) at.push_back(static_cast<int>(std::lround(c.x1 - 30) / 10));
        return at;
    };
    EXPECT_EQ(symbolsAt(5), (std::vector<int>{0, 2, 4, 6, 8}));
    EXPECT_EQ(symbolsAt(1), (std::vector<int>{8}));
    EXPECT_EQ(symbolsAt(2), (std::vector<int>{0, 8}));
    EXPECT_EQ(symbolsAt(-1), (std::vector<int>{0}));
    EXPECT_EQ(symbolsAt(3), (std::vector<int>{0, 4, 8}));
}

TEST_F(GraphicsFixture, SymbolShapes)
{
    const auto shape = [&](int16_t type) {
        surface.clear();
        engine->POLYGON({10}, {10}, 2, type, 0, QString(), 0, 0, false);
        return surface.primitives();
    };
    auto p = shape(0);
    ASSERT_EQ(p.size(), 4u);
    EXPECT_TRUE(isLine(p[0], 40, 80, 40.75, 80.75));
    p = shape(1);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_TRUE(isLine(p[0], 39.5, 79.5, 40.5, 80.5));
    p = shape(2);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].type, PrimType::Box);
    p = shape(3);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_TRUE(p[0].filled);
    EXPECT_EQ(surface.FillStyle(), 1);  // transparent again afterwards
    p = shape(5);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_TRUE(isLine(p[0], 39.3, 80.33, 40.7, 80.33, 1e-6));
    EXPECT_TRUE(isLine(p[1], 40.7, 80.33, 40, 79.33, 1e-6));
    EXPECT_EQ(shape(6).size(), 6u);
    EXPECT_TRUE(shape(7).empty());
}

TEST_F(GraphicsFixture, SymbolOutsideTheFrameIsLeftOutButTheLineIsClipped)
{
    engine->POLYGON({10, 200}, {10, 10}, 2, 4, 0, QString(), 0, 0, false);
    const auto c = surface.ofType(PrimType::Circle);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_DOUBLE_EQ(c[0].x1, 40);
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_TRUE(isLine(lines()[0], 40, 80, 200, 80));
}

TEST_F(GraphicsFixture, ColourBySymbolTypeIsRestoredAfterwards)
{
    surface.ForeColor(vb::RGB(0, 255, 0));
    engine->POLYGON({0, 10}, {0, 5}, 2, 3, 0, QString(), 0, 0, true);
    for (const auto& p : surface.primitives()) EXPECT_EQ(p.colour, vb::QBColor(4));
    EXPECT_EQ(surface.primitives().size(), 3u);
    EXPECT_EQ(surface.ForeColor(), vb::RGB(0, 255, 0));
}

TEST_F(GraphicsFixture, LabelAlongARisingSegment)
{
    // 45 degrees on the surface: 10 units right, 5 units (10 mm) up.
    engine->POLYGON({0, 10}, {0, 5}, 0, 0, 0, QStringLiteral("q"), 5, 0, false);
    const auto t = texts();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].angle, 45);
    // Centred on the midpoint (35, 95) and above the segment: its corner lies up-left of it.
    EXPECT_LT(t[0].y1, 95);
    engine->POLYGON({0, 10}, {0, 5}, 0, 0, 0, QStringLiteral("q"), 3, 0, false);
    ASSERT_EQ(texts().size(), 2u);
    EXPECT_NEAR(texts()[1].x1, 42, 1e-9);  // last point + 2 mm
    EXPECT_NEAR(texts()[1].y1, 90 - surface.TextHeight("q") / 2, 1e-9);
}

TEST_F(GraphicsFixture, PointNumbersBesideThePoints)
{
    engine->POLYGON({0, 10, 20}, {0, 5, 10}, 0, 0, 3, QString(), 0, 0, false);
    const auto t = texts();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[2].text, QStringLiteral("2"));
    EXPECT_NEAR(t[2].x1, 51, 1e-9);
    EXPECT_NEAR(t[2].y1, 79, 1e-9);
}

TEST_F(GraphicsFixture, LineForms)
{
    const SingleList x{10, 30, 40}, y{10, 20, 15};  // device (40,80) (60,60) (70,70)
    const auto form = [&](int16_t f, const SingleList& xs, const SingleList& ys) {
        surface.clear();
        engine->EPTYP(f);
        engine->POLYGON(xs, ys, 0, 0, 0, QString(), 0, 0, false);
        return lines();
    };
    auto l = form(1, x, y);  // horizontal plateaus
    ASSERT_EQ(l.size(), 5u);
    EXPECT_TRUE(isLine(l[0], 30, 80, 50, 80));
    EXPECT_TRUE(isLine(l[1], 50, 80, 50, 60));
    EXPECT_TRUE(isLine(l[2], 50, 60, 65, 60));
    EXPECT_TRUE(isLine(l[4], 65, 70, 75, 70));
    l = form(2, x, y);  // vertical plateaus
    ASSERT_EQ(l.size(), 5u);
    EXPECT_TRUE(isLine(l[0], 40, 90, 40, 70));
    EXPECT_TRUE(isLine(l[1], 40, 70, 60, 70));
    EXPECT_TRUE(isLine(l[4], 70, 65, 70, 75));
    // Reference point at index -1: staircase vertical first from (35, 90).
    const SingleList xr({5, 10, 30}, -1), yr({5, 10, 20}, -1);
    l = form(4, xr, yr);
    ASSERT_EQ(l.size(), 4u);
    EXPECT_TRUE(isLine(l[0], 35, 90, 35, 80));
    EXPECT_TRUE(isLine(l[1], 35, 80, 40, 80));
    EXPECT_TRUE(isLine(l[2], 40, 80, 40, 60));
    EXPECT_TRUE(isLine(l[3], 40, 60, 60, 60));
    l = form(5, xr, yr);
    EXPECT_TRUE(isLine(l[0], 35, 90, 40, 90));
    EXPECT_TRUE(isLine(l[1], 40, 90, 40, 80));
    l = form(6, x, y);  // from the frame corner (30, 100)
    ASSERT_EQ(l.size(), 5u);
    EXPECT_TRUE(isLine(l[0], 30, 100, 40, 80));
    l = form(8, x, y);
    ASSERT_EQ(l.size(), 7u);
    EXPECT_TRUE(isLine(l[0], 30, 90, 40, 90));
    EXPECT_TRUE(isLine(l[6], 70, 75, 30, 75));
    surface.clear();
    engine->EPTYP(3);
    engine->POLYGON({10, 500}, {10, 10}, 0, 0, 0, QString(), 0, 0, false);
    EXPECT_EQ(surface.primitives().size(), 1u);
    EXPECT_EQ(surface.primitives()[0].type, PrimType::Point);
}

TEST_F(GraphicsFixture, SinglePointDrawsNoLineLabelOrArrow)
{
    engine->POLYGON({10}, {10}, 2, 4, 0, QStringLiteral("x"), 5, 3, false);
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(texts().empty());
    EXPECT_EQ(surface.ofType(PrimType::Circle).size(), 1u);
}

TEST_F(GraphicsFixture, ArrowheadsOnEveryPoint)
{
    engine->POLYGON({0, 10, 20}, {0, 0, 0}, 0, 0, 0, QString(), 0, 4, false);
    const auto l = lines();
    ASSERT_EQ(l.size(), 2u + 6u);
    EXPECT_NEAR(std::max(l[2].x1, l[2].x2), 40, 1e-9);  // first head's tip on point 1
    EXPECT_NEAR(std::max(l[5].x1, l[5].x2), 50, 1e-9);
}
