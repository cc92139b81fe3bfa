#include "GraphicsFixture.h"

#include "data/clsDATEN.h"
#include "platform/vb/Format.h"

#include <QScrollBar>
#include <cmath>

// SKALEN against a real project database: the diagram's frame row in G0 (ID 7, diagram 11)
// gives margins 20/10/10/20 on a 200 x 100 mm area at (10, 20), so the frame runs
// x 30..200 and y 30..100.
class SkalenTest : public GraphicsFixture {
protected:
    void SetUp() override
    {
        GraphicsFixture::SetUp();
        session.cnnX.OpenFile(inst.addProject(QStringLiteral("P1")));
        session.cnnX.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (7, 'A', 1)"));
        session.cnnX.Execute(QStringLiteral(
            "INSERT INTO G0 (ID, IDOBJEKT, OX, OY, RL, RR, RO, RU, XMIN, XMAX, YMIN, YMAX, MX, MY, MYMX, MSP) "
            "VALUES (7, 11, 1, 1, 20, 10, 10, 20, 0, 100, 0, 50, 0, 0, 0, 0)"));
        placeEngine();
        surface.clear();
    }

    float stored(const char* field)
    {
        clsDATEN dat(session);
        dat.ETABELLE(QStringLiteral("G0"));
        dat.ESPIDW(7);
        float v = -999;
        dat.DTVS(QString::fromLatin1(field), v, {QStringLiteral("IDOBJEKT"), vb::Value(int16_t(11))});
        return v;
    }

    void xLists(std::vector<float> ends, std::vector<float> spans, int16_t it, int16_t git, int16_t zl)
    {
        engine->ELXMIN(std::move(ends));
        engine->ELXDIFF(std::move(spans));
        engine->ELXIT({it});
        engine->ELXGIT({git});
        engine->ELXZL({zl});
    }

    std::vector<Prim> verticalLinesAt(double y1, double y2) const
    {
        std::vector<Prim> out;
        for (const auto& p : lines())
            if (p.x1 == p.x2 && std::min(p.y1, p.y2) == y1 && std::max(p.y1, p.y2) == y2) out.push_back(p);
        return out;
    }

    TestInstallation inst;
};

TEST_F(SkalenTest, ComputesAndStoresTheScaleAndDrawsTicksGridAndLabels)
{
    EXPECT_EQ(engine->EID(), 7);  // the active record
    xLists({0, 100}, {100}, 10, 5, 2);
    engine->EAXEY(0);
    engine->ETEXTX(QStringLiteral("x [m]"));
    engine->SKALEN(0);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_FLOAT_EQ(engine->frame().MX, 100.0f / 170);
    EXPECT_FLOAT_EQ(stored("MX"), 100.0f / 170);
    EXPECT_FLOAT_EQ(stored("MY"), 100.0f / 70);  // the default y lists make the span ELY

    // Axis line on the lower frame edge, 11 ticks of 1.5 mm downwards, grid lines at every
    // second tick, labels at ticks 0, 5 and 10.
    const auto ticks = verticalLinesAt(100, 101.5);
    ASSERT_EQ(ticks.size(), 11u);
    EXPECT_NEAR(ticks[3].x1, 30 + 3 * 17, 1e-4);
    const auto grid = verticalLinesAt(30, 100);
    ASSERT_EQ(grid.size(), 6u);
    EXPECT_NEAR(grid[1].x1, 30 + 2 * 17, 1e-4);
    QStringList labels;
    for (const auto& t : texts()) labels << t.text;
    EXPECT_EQ(labels, (QStringList{"0", "50", "100", "x [m]"}));
    // Labels stand 2 mm below the axis; the title 6 mm below, centred.
    const auto t = texts();
    EXPECT_NEAR(t[1].y1, 102, 1e-6);
    EXPECT_NEAR(t[1].x1 + surface.TextWidth("50") / 2, 115, 1e-4);
    EXPECT_NEAR(t[3].y1, 106, 1e-6);
}

TEST_F(SkalenTest, DefaultListsDrawALineWithTwoTicks)
{
    engine->EAXEY(0);
    engine->SKALEN(0);
    EXPECT_EQ(verticalLinesAt(100, 101.5).size(), 2u);
    EXPECT_TRUE(texts().empty());
    EXPECT_EQ(lines().size(), 3u);
}

TEST_F(SkalenTest, NoXAxisWhenItsPositionIsZero)
{
    engine->EAXEX(0);
    engine->EAXEY(0);
    engine->ETEXTX(QStringLiteral("title"));
    engine->SKALEN(0);
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(texts().empty());
}

TEST_F(SkalenTest, RangeCollectionOverSeveralCalls)
{
    xLists({0, 10, 20, 50, 100, 200}, {10, 20, 50, 100, 200}, 10, 0, 0);
    engine->EBOXMAX(true);
    const std::vector<float> a{1, 14}, b{3, 37};
    engine->SKALEN(1, &a);
    EXPECT_FLOAT_EQ(stored("XMAX"), 20);
    EXPECT_TRUE(lines().empty());  // collection calls draw nothing
    engine->SKALEN(2, &b);
    EXPECT_FLOAT_EQ(stored("XMAX"), 50);
    engine->SKALEN(2, &a);
    EXPECT_FLOAT_EQ(stored("XMAX"), 50);  // the stored end takes part
    engine->SKALEN(-1, &a);
    EXPECT_FLOAT_EQ(stored("XMAX"), 20);  // restarted
    EXPECT_FALSE(lines().empty());
}

TEST_F(SkalenTest, RequiredRatioMakesTheFinerScaleFollow)
{
    session.cnnX.Execute(QStringLiteral("UPDATE G0 SET MYMX = 1, XMAX = 85, YMAX = 14"));
    xLists({0, 85}, {85}, 1, 0, 0);
    engine->ELYMIN({0, 14});
    engine->ELYDIFF({14});
    engine->SKALEN(0);
    EXPECT_FLOAT_EQ(engine->frame().MX, 0.5f);
    EXPECT_FLOAT_EQ(engine->frame().MY, 0.5f);  // 14 / 70 = 0.2 follows 0.5
}

TEST_F(SkalenTest, CouplingMakesOneMillimetreTheSameSpan)
{
    engine->EXYIT(1);
    engine->ELYMIN({});  // no candidate lists for y
    engine->SKALEN(0);
    const FrameSettings& f = engine->frame();
    EXPECT_FLOAT_EQ(f.YMAX, 200.0f * 70 / 170);  // default x lists: the span becomes ELX = 200
    EXPECT_FLOAT_EQ(f.MX, f.MY);
}

TEST_F(SkalenTest, ZeroWidthFrameIsReportedAsDivisionByZero)
{
    session.cnnX.Execute(QStringLiteral("UPDATE G0 SET RL = 100, RR = 100"));
    engine->SKALEN(0);
    ASSERT_FALSE(messages().isEmpty());
    EXPECT_EQ(messages()[0].title, QStringLiteral("Skalen"));
    EXPECT_TRUE(messages()[0].text.startsWith(QStringLiteral("VB-Fehler:11\r\n")));
}

TEST_F(SkalenTest, CancelEndsTheOperation)
{
    session.cnnX.Execute(QStringLiteral("UPDATE G0 SET RL = 100, RR = 100"));
    TestEnvironment::ui().answer(vb::vbCancel);
    engine->SKALEN(0);
    EXPECT_EQ(messages().size(), 1);
    EXPECT_TRUE(lines().empty());
}

TEST_F(SkalenTest, UnreadableFrameDrawsNothing)
{
    SessionContext closed;
    clsGRAFIK g(closed);
    g.EOBJEKT(&surface);
    surface.clear();
    g.SKALEN(0);
    EXPECT_TRUE(lines().empty());
}

TEST_F(SkalenTest, TooWideDiagramShowsTheScrollBarAndNoAxes)
{
    session.cnnX.Execute(QStringLiteral("UPDATE G0 SET MX = 0.25, MY = 1"));
    QWidget host;
    QScrollBar bar(Qt::Horizontal, &host);
    engine->EXBALKEN(&bar);
    xLists({0, 100}, {100}, 1, 0, 0);
    engine->SKALEN(0);
    EXPECT_FALSE(bar.isHidden());
    EXPECT_EQ(bar.maximum(), 10000);
    // needed 400 mm, available 172 mm: large change (1 - 228 / 400) * 10000
    EXPECT_EQ(bar.pageStep(), 4300);
    EXPECT_EQ(bar.singleStep(), 86);
    EXPECT_TRUE(lines().empty());

    session.cnnX.Execute(QStringLiteral("UPDATE G0 SET MX = 1"));
    engine->SKALEN(0);
    EXPECT_TRUE(bar.isHidden());
    EXPECT_FALSE(lines().empty());
}

TEST_F(SkalenTest, LogarithmicAxisLabelsTheDecadesWithoutTrailingPoint)
{
    engine->ESKTX(1);
    xLists({1, 10, 100, 1000}, {1}, 10, 1, 1);
    engine->ESKZX(QStringLiteral("0.##"));
    session.cnnX.Execute(QStringLiteral("UPDATE G0 SET XMIN = 1, XMAX = 1000"));
    engine->EAXEY(0);
    engine->SKALEN(0);
    EXPECT_FLOAT_EQ(engine->frame().XMAX, 3);  // log units
    QStringList labels;
    for (const auto& t : texts()) labels << t.text;
    EXPECT_EQ(labels, (QStringList{"1", "10", "100", "1000"}));
    EXPECT_EQ(verticalLinesAt(30, 100).size(), 4u);  // grid at the decades
    // 1, the multiples 2..9, 10..90, 100..900 and 1000: each decade one tick
    EXPECT_EQ(verticalLinesAt(100, 101.5).size(), 28u);
}

TEST_F(SkalenTest, LogarithmicLabelsAtEveryMultipleAreWrittenOnce)
{
    engine->ESKTX(1);
    xLists({1, 100}, {1}, 10, 10, 10);
    session.cnnX.Execute(QStringLiteral("UPDATE G0 SET XMIN = 1, XMAX = 100"));
    engine->EAXEY(0);
    engine->SKALEN(0);
    QStringList labels;
    for (const auto& t : texts()) labels << t.text;
    EXPECT_EQ(labels, (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "20", "30", "40", "50", "60", "70",
                                   "80", "90", "100"}));
    EXPECT_EQ(verticalLinesAt(30, 100).size(), 19u);
}

TEST_F(SkalenTest, LogarithmicAxisEndOfZeroOrLessIsReportedAndNothingDrawn)
{
    engine->ESKTX(1);
    engine->EAXEY(0);
    session.cnnX.Execute(QStringLiteral("UPDATE G0 SET XMIN = 0, XMAX = 1000"));
    // With candidate ends (which leave a stored end alone) and without any.
    for (bool withLists : {true, false}) {
        if (withLists) xLists({1, 10, 100, 1000}, {1}, 10, 1, 1);
        else engine->ELXMIN({});
        TestEnvironment::ui().clear();
        surface.clear();
        engine->SKALEN(0);  // OK answered
        ASSERT_EQ(messages().size(), 1) << withLists;
        EXPECT_EQ(messages()[0].title, QStringLiteral("Skalen"));
        EXPECT_EQ(messages()[0].text, QStringLiteral("VB-Fehler:5\r\nInvalid procedure call or argument"));
        EXPECT_TRUE(lines().empty()) << withLists;
        EXPECT_TRUE(texts().empty()) << withLists;
    }
}

TEST_F(SkalenTest, RecordIdsBeyondSixteenBitsReadTheirOwnSettings)
{
    // 40000 held in 16 bits is -25536: that row must not be the one read.
    session.cnnX.Execute(QStringLiteral("UPDATE E1 SET AKT = 0"));
    session.cnnX.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (40000, 'B', 1)"));
    for (const char* row : {"(40000, 11, 1, 1, 20, 10, 10, 20, 0, 340, 0, 50, 0, 0, 0, 0)",
                            "(-25536, 11, 1, 1, 20, 10, 10, 20, 0, 17, 0, 50, 0, 0, 0, 0)"})
        session.cnnX.Execute(QStringLiteral("INSERT INTO G0 (ID, IDOBJEKT, OX, OY, RL, RR, RO, RU, XMIN, XMAX, YMIN, YMAX, MX, MY, "
                                            "MYMX, MSP) VALUES ") + QLatin1String(row));
    placeEngine();
    EXPECT_EQ(engine->EID(), 40000);  // the active record
    engine->ELXMIN({});
    engine->SKALEN(0);
    EXPECT_FLOAT_EQ(engine->frame().XMAX, 340);
    EXPECT_FLOAT_EQ(engine->frame().MX, 2);
    engine->EID(2'000'000'000);
    EXPECT_EQ(engine->EID(), 2'000'000'000);
}

TEST_F(SkalenTest, YAxisLabelsAreRotatedAndCentredOnTheirTicks)
{
    engine->EAXEX(0);
    engine->ELYMIN({0, 50});
    engine->ELYDIFF({50});
    engine->ELYIT({5});
    engine->ELYGIT({5});
    engine->SKALEN(0);
    const auto t = texts();
    ASSERT_EQ(t.size(), 6u);
    for (const auto& label : t) EXPECT_EQ(label.angle, 90);
    // Label "10" at tick y = 100 - 14 = 86, left of the axis (x = 30): reading upwards, its
    // cell's top-left corner lies left of the axis by 2 mm plus its height, below the tick
    // by half its width.
    EXPECT_EQ(t[1].text, QStringLiteral("10"));
    EXPECT_NEAR(t[1].y1, 86 + surface.TextWidth("10") / 2, 0.3);
    EXPECT_NEAR(t[1].x1, 28 - surface.TextHeight("10"), 0.3);
}
