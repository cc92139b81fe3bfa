#include "GraphicsFixture.h"

#include "graphics/PlotMath.h"

#include <cmath>

struct Orientation {
    int16_t ox, oy;
};

class KoordtransRoundTrip : public GraphicsFixture, public ::testing::WithParamInterface<Orientation> {};

TEST_P(KoordtransRoundTrip, InverseReturnsTheInput)
{
    FrameSettings f = engine->frame();
    f.OX = GetParam().ox;
    f.OY = GetParam().oy;
    engine->setFrame(f);
    for (const auto& [x, y] : {std::pair{0.0f, 0.0f}, {170.0f, 35.0f}, {12.5f, 7.25f}, {-20.0f, 50.0f}}) {
        float xp = 0, yp = 0, bx = 0, by = 0;
        engine->KOORDTRANS(x, y, xp, yp);
        engine->KOORDTRANSINV(xp, yp, bx, by, 0, 0);
        EXPECT_NEAR(bx, x, 1e-4);
        EXPECT_NEAR(by, y, 1e-4);
    }
    // The frame corners: XMIN maps to the left edge only when x grows to the right.
    float xp = 0, yp = 0;
    engine->KOORDTRANS(0, 0, xp, yp);
    EXPECT_FLOAT_EQ(xp, GetParam().ox == 1 ? 30 : 200);
    EXPECT_FLOAT_EQ(yp, GetParam().oy == 1 ? 100 : 30);
}

INSTANTIATE_TEST_SUITE_P(AllFour, KoordtransRoundTrip,
                         ::testing::Values(Orientation{1, 1}, Orientation{-1, 1}, Orientation{1, -1}, Orientation{0, 0}));

TEST_F(GraphicsFixture, KoordtransinvReturnsValuesOnLogarithmicAxes)
{
    // Log units 0..3 across the frame: the inverse with scale types 1 gives the values back.
    FrameSettings f = engine->frame();
    f.XMIN = 0, f.XMAX = 3, f.MX = 3.0f / 170;
    f.YMIN = -1, f.YMAX = 2, f.MY = 3.0f / 70;
    engine->setFrame(f);
    float xp = 0, yp = 0, x = 0, y = 0;
    engine->KOORDTRANS(static_cast<float>(std::log10(250.0)), static_cast<float>(std::log10(0.5)), xp, yp);
    engine->KOORDTRANSINV(xp, yp, x, y, 1, 1);
    EXPECT_NEAR(x, 250, 1e-2);
    EXPECT_NEAR(y, 0.5, 1e-5);
    engine->KOORDTRANSINV(xp, yp, x, y, 0, 0);
    EXPECT_NEAR(x, std::log10(250.0), 1e-5);
}

TEST_F(GraphicsFixture, KoordtransWithZeroScaleReportsDivisionByZero)
{
    FrameSettings f = engine->frame();
    f.MX = 0;
    engine->setFrame(f);
    float xp = -1, yp = -1;
    engine->KOORDTRANS(5, 5, xp, yp);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].title, QStringLiteral("Koordinatentransformation"));
    EXPECT_TRUE(messages()[0].text.startsWith(QStringLiteral("VB-Fehler: 11\r\n")));
    EXPECT_EQ(messages()[0].buttons, vb::vbOKCancel | vb::vbExclamation);
    EXPECT_FLOAT_EQ(xp, -1);  // nothing written
}

TEST_F(GraphicsFixture, EobjektMeasuresThePictureAndResetsTheAxisLists)
{
    // 1123 x 794 pixels at 96 dpi.
    EXPECT_NEAR(engine->pixelFactorX(), 96 / 25.4, 1e-9);
    clsGRAFIK g(session);
    g.ELXMIN({1, 2, 3});
    g.EOBJEKT(&surface);
    EXPECT_NEAR(g.ELX(), 1123 * 15 / 56.7, 1e-3);
    EXPECT_NEAR(g.ELY(), 794 * 15 / 56.7, 1e-3);
    EXPECT_EQ(g.ELXMIN(), (std::vector<float>{0, g.ELX()}));
    EXPECT_EQ(g.ELXDIFF(), (std::vector<float>{g.ELX()}));
    EXPECT_EQ(g.ELXIT(), (std::vector<int16_t>{1}));
    EXPECT_EQ(g.ELXGIT(), (std::vector<int16_t>{0}));
    EXPECT_EQ(g.ELXZL(), (std::vector<int16_t>{0}));
    EXPECT_EQ(surface.ScaleMode(), vb::OutputSurface::vbMillimeters);  // the scale is restored
    EXPECT_EQ(surface.FontName(), QStringLiteral("Arial"));
    EXPECT_EQ(surface.FontSize(), 8);

    // Anything that is neither a picture nor the printer is kept but not measured.
    vb::RecordingSurface other(vb::OutputSurface::Kind::Other, 400, 400);
    g.ELX(50);
    g.EOBJEKT(&other);
    EXPECT_EQ(g.ELX(), 50);
    EXPECT_EQ(g.EOBJEKT(), &other);
}

TEST_F(GraphicsFixture, UserScaleSurvivesMeasuring)
{
    surface.Scale(-10, -5, 90, 45);
    clsGRAFIK g(session);
    g.EOBJEKT(&surface);
    EXPECT_EQ(surface.ScaleMode(), vb::OutputSurface::vbUser);
    EXPECT_DOUBLE_EQ(surface.ScaleLeft(), -10);
    EXPECT_DOUBLE_EQ(surface.ScaleWidth(), 100);
    EXPECT_DOUBLE_EQ(g.pixelFactorX(), 11.23);
}

TEST_F(GraphicsFixture, GridListAlsoSetsTheLabelList)
{
    engine->ELXGIT({5, 2});
    EXPECT_EQ(engine->ELXZL(), (std::vector<int16_t>{5, 2}));
    engine->ELXZL({1, 1});
    EXPECT_EQ(engine->ELXGIT(), (std::vector<int16_t>{5, 2}));
    engine->EXYIT(1.5f);
    EXPECT_EQ(engine->EXYIT(), 2);  // held as a rounded integer
}

TEST(LinienEinstellungen, WidthInMillimetresBecomesDevicePixels)
{
    SessionContext session;
    vb::RecordingSurface s(vb::OutputSurface::Kind::Picture, 400, 400, 101.6);  // 4 pixels per mm
    s.ScaleMode(vb::OutputSurface::vbMillimeters);
    clsGRAFIK g(session);
    g.EOBJEKT(&s);
    int16_t style = 1;
    float width = 0.5f;
    int32_t colour = 0;
    g.LINIENEINSTELLUNGEN(style, width, colour);
    EXPECT_FLOAT_EQ(width, 2);  // written back in pixels
    EXPECT_EQ(s.DrawWidth(), 2);
    EXPECT_EQ(s.DrawStyle(), 1);
    EXPECT_EQ(s.DrawMode(), 13);
    EXPECT_EQ(s.ForeColor(), 0u);
    width = 0;
    colour = static_cast<int32_t>(vb::RGB(255, 0, 0));
    g.LINIENEINSTELLUNGEN(style, width, colour);
    EXPECT_EQ(s.DrawWidth(), 1);
    EXPECT_EQ(s.ForeColor(), vb::RGB(255, 0, 0));
}

TEST_F(GraphicsFixture, SchrifteinstellungenBuildsTheDerivedFonts)
{
    engine->SCHRIFTEINSTELLUNGEN(QString(), 0, true, false, true, 0);
    EXPECT_EQ(surface.FontName(), QStringLiteral("Arial"));
    EXPECT_EQ(surface.FontSize(), 8);
    EXPECT_TRUE(surface.Font().Bold);
    engine->SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 10, false, true, false, 0);
    EXPECT_EQ(engine->derivedFont(1).Size, 10);
    EXPECT_EQ(engine->derivedFont(3).Name, QStringLiteral("Symbol"));
    EXPECT_EQ(engine->derivedFont(4).Size, 9);  // 10 / 1.175 = 8.5, rounded
    EXPECT_EQ(engine->derivedFont(5).Size, 9);
    EXPECT_EQ(engine->derivedFont(5).Name, QStringLiteral("Symbol"));
    EXPECT_TRUE(engine->derivedFont(4).Underline);
}

TEST(PlotMath, Winkel)
{
    EXPECT_EQ(PlotMath::WINKEL(1, 1, 1, 1), 0);
    EXPECT_FLOAT_EQ(PlotMath::WINKEL(0, 0, 0, 5), PlotMath::PI_HALBE);
    EXPECT_FLOAT_EQ(PlotMath::WINKEL(0, 0, 0, -5), PlotMath::PI_32);
    EXPECT_FLOAT_EQ(PlotMath::WINKEL(0, 0, -3, 0), PlotMath::PI);
    EXPECT_EQ(PlotMath::WINKEL(0, 0, 3, 0), 0);
    EXPECT_NEAR(PlotMath::WINKEL(0, 0, 1, 1), M_PI / 4, 1e-12);
    EXPECT_NEAR(PlotMath::WINKEL(0, 0, -1, 1), 3 * M_PI / 4, 1e-6);
    EXPECT_NEAR(PlotMath::WINKEL(0, 0, -1, -1), 5 * M_PI / 4, 1e-6);
    EXPECT_NEAR(PlotMath::WINKEL(0, 0, 1, -1), 7 * M_PI / 4, 1e-6);
}

TEST(PlotMath, LinintAndCircleCrossings)
{
    TestEnvironment::ui().clear();
    EXPECT_DOUBLE_EQ(PlotMath::LININT(0, 10, 2.5, 0, 4), 1);
    EXPECT_EQ(PlotMath::LININT(3, 3, 2.5, 0, 4), 0);
    ASSERT_EQ(TestEnvironment::ui().messages.size(), 1);
    EXPECT_EQ(TestEnvironment::ui().messages[0].text, QStringLiteral("Division durch Null!"));
    EXPECT_EQ(TestEnvironment::ui().messages[0].title, QStringLiteral("LININT"));

    std::pair<double, double> s;
    ASSERT_TRUE(PlotMath::KREISSCHNITTX(0, 0, 5, 3, s));
    EXPECT_DOUBLE_EQ(s.first, -4);
    EXPECT_DOUBLE_EQ(s.second, 4);
    ASSERT_TRUE(PlotMath::KREISSCHNITTY(10, 20, 5, 24, s));
    EXPECT_DOUBLE_EQ(s.first, 7);
    EXPECT_DOUBLE_EQ(s.second, 13);
    EXPECT_FALSE(PlotMath::KREISSCHNITTX(0, 0, 5, 6, s));
    EXPECT_EQ(PlotMath::LOG10(0), 0);
    EXPECT_EQ(PlotMath::LOG10(-3), 0);
    EXPECT_DOUBLE_EQ(PlotMath::LOG10(1000), 3);
}
