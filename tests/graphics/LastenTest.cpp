#include "GraphicsFixture.h"

#include "data/clsDATEN.h"

#include <cmath>

class LastenTest : public GraphicsFixture {
protected:
    void SetUp() override
    {
        GraphicsFixture::SetUp();
        session.cnnX.OpenFile(inst.addProject(QStringLiteral("P1")));
        session.cnnX.Execute(QStringLiteral("INSERT INTO G0 (ID, IDOBJEKT, MSP) VALUES (7, 11, 0)"));
        engine->EID(7);
    }

    float storedMsp()
    {
        clsDATEN dat(session);
        dat.ETABELLE(QStringLiteral("G0"));
        dat.ESPIDW(7);
        float v = -1;
        dat.DTVS(QStringLiteral("MSP"), v, {QStringLiteral("IDOBJEKT"), vb::Value(int16_t(11))});
        return v;
    }

    TestInstallation inst;
};

TEST_F(LastenTest, VerticalLoadsGiveFifteenMillimetreArrows)
{
    LoadArray p{};
    p[0] = {10, 10};
    engine->LASTFLAECHEN({10, 50}, {10, 10}, p, 4);
    EXPECT_FLOAT_EQ(storedMsp(), 10.0f / 15);
    const auto l = lines();
    // Base, then per family five shafts with three head lines each and the tail line.
    ASSERT_EQ(l.size(), 1u + 2 * (5 * 4 + 1));
    EXPECT_TRUE(isLine(l[0], 40, 80, 80, 80));
    EXPECT_TRUE(isLine(l[1], 40, 65, 40, 80, 1e-4));  // first shaft onto the segment's start
    EXPECT_EQ(l[1].colour, vb::QBColor(12));
    EXPECT_TRUE(isLine(l[17], 80, 65, 80, 80, 1e-4));  // the fifth at its end
    EXPECT_TRUE(isLine(l[21], 40, 65, 80, 65, 1e-4));  // tail line
    // A second family of zero loads: its tail line lies on the first one's, in red.
    EXPECT_TRUE(isLine(l.back(), 40, 65, 80, 65, 1e-4));
    EXPECT_EQ(l.back().colour, vb::QBColor(4));
}

TEST_F(LastenTest, NoLoadsAndNoScaleIsADivisionByZero)
{
    engine->LASTFLAECHEN({10, 50}, {10, 10}, LoadArray{}, 4);
    ASSERT_FALSE(messages().isEmpty());
    EXPECT_EQ(messages()[0].title, QStringLiteral("Lastflächen"));
    EXPECT_TRUE(messages()[0].text.startsWith(QStringLiteral("VB-Fehler: 11\r\n")));
}

TEST_F(GraphicsFixture, SchnittkraftMemberAndSymbol)
{
    float x1 = 10, y1 = 10, x2 = 50, y2 = 10;
    engine->SCHNITTKRAFT(x1, y1, x2, y2, 6, 1, 0);
    EXPECT_FLOAT_EQ(x1, 40);  // rewritten to device millimetres
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0].colour, vb::QBColor(2));
    EXPECT_EQ(surface.DrawWidth(), 1);  // 0.2 mm at 3.78 pixels per mm
    surface.clear();
    x1 = 10, y1 = 10, x2 = 50, y2 = 10;
    engine->SCHNITTKRAFT(x1, y1, x2, y2, 6, 1, 1);
    auto l = lines();
    ASSERT_EQ(l.size(), 8u);
    EXPECT_TRUE(isLine(l[1], 60, 83, 60, 77, 1e-4));  // across the member at its middle
    surface.clear();
    x1 = 10, y1 = 10, x2 = 50, y2 = 10;
    engine->SCHNITTKRAFT(x1, y1, x2, y2, 6, 2, 1);
    l = lines();
    ASSERT_EQ(l.size(), 8u);
    EXPECT_TRUE(isLine(l[1], 57, 78.75, 63, 78.75, 1e-4));  // along it, 1.25 mm beside
}
