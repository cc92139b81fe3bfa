#include "GraphicsFixture.h"

#include <cmath>
#include <numbers>

// Device mode (KO = 0) inside the fixture's frame x 30..200, y 30..100.
TEST_F(GraphicsFixture, FullCircleInsideIsOneCircleOperation)
{
    engine->KREIS(100, 60, 10, 0, 0, 0, false, 0);
    const auto c = surface.ofType(PrimType::Circle);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_TRUE(c[0].fullCircle);
    EXPECT_DOUBLE_EQ(c[0].radius, 10);
}

TEST_F(GraphicsFixture, WorldCircleUsesTheDeviceRadiusOfItsStartPoint)
{
    engine->KREIS(50, 20, 10, 0, 0, 0, false);
    const auto c = surface.ofType(PrimType::Circle);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_DOUBLE_EQ(c[0].x1, 80);
    EXPECT_DOUBLE_EQ(c[0].y1, 60);
    EXPECT_DOUBLE_EQ(c[0].radius, 10);
}

TEST_F(GraphicsFixture, CircleCrossingOneEdgeDrawsTheArcInside)
{
    engine->KREIS(195, 60, 10, 0, 0, 0, false, 0);
    const auto c = surface.ofType(PrimType::Circle);
    ASSERT_EQ(c.size(), 1u);
    // Crossings with x = 200 at 60 and 300 degrees (counter-clockwise on the screen).
    EXPECT_NEAR(c[0].start, std::numbers::pi / 3, 1e-6);
    EXPECT_NEAR(c[0].end, 5 * std::numbers::pi / 3, 1e-6);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(GraphicsFixture, RequestedArcIsCutToTheVisiblePart)
{
    // Upper half (0 to 180 degrees in world orientation) of a circle 5 mm below the top edge:
    // crossings at 30 and 150 degrees; visible 0..30 and 150..180.
    engine->KREIS(100, 35, 10, 0, static_cast<float>(std::numbers::pi), 0, false, 0);
    auto c = surface.ofType(PrimType::Circle);
    ASSERT_EQ(c.size(), 2u);
    std::sort(c.begin(), c.end(), [](const Prim& a, const Prim& b) { return a.start < b.start; });
    EXPECT_NEAR(c[0].start, 0, 1e-6);
    EXPECT_NEAR(c[0].end, std::numbers::pi / 6, 1e-6);
    EXPECT_NEAR(c[1].start, 5 * std::numbers::pi / 6, 1e-6);
    EXPECT_NEAR(c[1].end, std::numbers::pi, 1e-6);
}

TEST_F(GraphicsFixture, TangentCircleGivesTheOddCrossingMessage)
{
    engine->KREIS(100, 60, 70, 0, 0, 1, false, 0);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Ungerade Anzahl von Schnittpunkten des Kreises mit den Grenzen"));
    EXPECT_EQ(messages()[0].title, QStringLiteral("Bogen"));
    EXPECT_EQ(messages()[0].buttons, vb::vbOKOnly | vb::vbExclamation);
    EXPECT_TRUE(surface.primitives().empty());  // neither the arc nor its head
}

TEST_F(GraphicsFixture, PolygonalArcInTenDegreeChords)
{
    engine->KREIS(100, 60, 10, 0, static_cast<float>(std::numbers::pi / 4), 0, true, 0);
    const auto l = lines();
    ASSERT_EQ(l.size(), 5u);
    // From 0 degrees (110, 60) clockwise in device terms, up on the screen, to 45 degrees.
    EXPECT_NEAR(l[0].x1 == 110 ? l[0].y1 : l[0].y2, 60, 1e-4);
    const Prim& last = l[4];
    const double ex = 100 + 10 * std::cos(std::numbers::pi / 4), ey = 60 - 10 * std::sin(std::numbers::pi / 4);
    EXPECT_TRUE((std::abs(last.x1 - ex) < 1e-4 && std::abs(last.y1 - ey) < 1e-4) ||
                (std::abs(last.x2 - ex) < 1e-4 && std::abs(last.y2 - ey) < 1e-4));
    surface.clear();
    engine->KREIS(100, 60, 10, 0, 0, 0, true, 0);
    EXPECT_EQ(lines().size(), 36u);
    surface.clear();
    engine->KREIS(100, 60, 50, 0, 0, 0, true, 0);  // clipped chords are cut at the frame
    for (const auto& p : lines()) EXPECT_GE(std::min(p.y1, p.y2), 30 - 1e-9);
}

TEST_F(GraphicsFixture, ShortArcGetsAShorterHead)
{
    engine->KREIS(100, 60, 10, 0, 0.3f, 1, false, 0);
    const auto l = lines();
    ASSERT_EQ(l.size(), 3u);
    EXPECT_NEAR(std::hypot(l[0].x2 - l[0].x1, l[0].y2 - l[0].y1), 1.5, 1e-5);
    // The tip sits on the arc's end at 0.3 rad.
    const double tx = 100 + 10 * std::cos(0.3), ty = 60 - 10 * std::sin(0.3);
    EXPECT_TRUE((std::abs(l[0].x1 - tx) < 1e-4 && std::abs(l[0].y1 - ty) < 1e-4) ||
                (std::abs(l[0].x2 - tx) < 1e-4 && std::abs(l[0].y2 - ty) < 1e-4));
    surface.clear();
    engine->KREIS(100, 60, 10, 0, 2, 4, false, 0);  // dot and head
    const auto c = surface.ofType(PrimType::Circle);
    ASSERT_EQ(c.size(), 2u);
    EXPECT_DOUBLE_EQ(c[1].radius, 0.5);
    EXPECT_TRUE(c[1].filled);
    EXPECT_EQ(surface.FillStyle(), 1);
}
