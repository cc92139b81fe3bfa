#include "GraphicsFixture.h"

#include "graphics/TextMarkup.h"
#include "graphics/clsROTATOR.h"

TEST(TextMarkup, SplitsRunsAndGroupsAndExpandsExponents)
{
    EXPECT_EQ(TextMarkup::split(QStringLiteral("m{h,2} und {g,a}")),
              (std::vector<TextRun>{{"", "m"}, {"h", "2"}, {"", " und "}, {"g", "a"}}));
    EXPECT_FALSE(TextMarkup::hasMarkup(QStringLiteral("a } b {")));
    EXPECT_EQ(TextMarkup::expandExponent(QStringLiteral("2,5E-04")), QStringLiteral("2,5*10{h,-04}"));
    EXPECT_EQ(TextMarkup::expandExponent(QStringLiteral("E-Modul")), QStringLiteral("E-Modul"));
}

TEST_F(GraphicsFixture, TextMarkupRunsUseTheirFontsAndShifts)
{
    engine->SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 10, false, false, false, 0);
    engine->TEXT(50, 50, QStringLiteral("m{h,2}{g,a}{c,65}"), 0, 0, 0, 0);
    // The surface gets its own font back.
    EXPECT_EQ(surface.FontSize(), 10);
    EXPECT_EQ(surface.FontName(), QStringLiteral("Arial"));
    const auto t = texts();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].text, QStringLiteral("m"));
    EXPECT_DOUBLE_EQ(t[0].y1, 50);
    EXPECT_EQ(t[1].text, QStringLiteral("2"));
    EXPECT_EQ(t[1].font.Size, 9);
    vb::SurfaceFont index = surface.Font();
    index.Size = 9;
    surface.Font(index);
    EXPECT_NEAR(t[1].y1, 50 - 0.25 * surface.TextHeight("2"), 1e-9);  // raised
    EXPECT_EQ(t[2].text, QStringLiteral("α"));                          // Greek alpha of the symbol font
    EXPECT_EQ(t[2].font.Name, QStringLiteral("Symbol"));
    EXPECT_EQ(t[3].text, QStringLiteral("A"));
    EXPECT_GT(t[1].x1, t[0].x1);
    EXPECT_GT(t[3].x1, t[2].x1);
}

TEST_F(GraphicsFixture, NumbersInExponentNotationBecomePowersOfTen)
{
    engine->TEXT(50, 50, QStringLiteral("2,5E-04"), 0, 0, 0, 0);
    const auto t = texts();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].text, QStringLiteral("2,5*10"));
    EXPECT_EQ(t[1].text, QStringLiteral("-04"));
    EXPECT_LT(t[1].y1, t[0].y1);
}

TEST_F(GraphicsFixture, TextIsWrittenWholeOrNotAtAll)
{
    // Diagram area right edge 210, widened by 1 mm.
    const double w = surface.TextWidth(QStringLiteral("Label"));
    engine->TEXT(static_cast<float>(211 - w - 0.05), 50, QStringLiteral("Label"), 0, 0, 0, 0);
    EXPECT_EQ(texts().size(), 1u);
    surface.clear();
    engine->TEXT(static_cast<float>(211 - w + 0.05), 50, QStringLiteral("Label"), 0, 0, 0, 0);
    EXPECT_TRUE(texts().empty());
    // Centred: half the width on either side.
    engine->TEXT(static_cast<float>(211 - w / 2 + 0.05), 50, QStringLiteral("Label"), 0, 0, 1, 0);
    EXPECT_TRUE(texts().empty());
    // World coordinates are tested against the plot frame (x up to 200).
    engine->TEXT(170, 10, QStringLiteral("Label"), 1, 0, 0, 0);
    EXPECT_TRUE(texts().empty());
    engine->TEXT(170, 10, QStringLiteral("Label"), 1, 0, 2, 0);
    ASSERT_EQ(texts().size(), 1u);
    EXPECT_NEAR(texts()[0].x1, 200 - w, 1e-9);
    EXPECT_NEAR(texts()[0].y1, 80, 1e-9);
    engine->TEXT(5, 5, QString(), 0, 0, 0, 0);
    EXPECT_EQ(texts().size(), 1u);
}

TEST_F(GraphicsFixture, AlignmentAndRotation)
{
    const double w = surface.TextWidth(QStringLiteral("Text")), h = surface.TextHeight(QStringLiteral("Text"));
    engine->TEXT(100, 60, QStringLiteral("Text"), 0, 0, 1, 2);  // centred above the point
    engine->TEXT(100, 60, QStringLiteral("Text"), 0, 90, 1, 0); // reading upwards, centred, right of it
    engine->TEXT(100, 60, QStringLiteral("Text"), 2, 0, 0, 1);  // relative to the diagram area
    const auto t = texts();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_NEAR(t[0].x1, 100 - w / 2, 1e-9);
    EXPECT_NEAR(t[0].y1, 60 - h, 1e-9);
    EXPECT_EQ(t[1].angle, 90);
    // Rotated text goes through the device in whole pixels.
    EXPECT_NEAR(t[1].x1, 100, 0.3);
    EXPECT_NEAR(t[1].y1, 60 + w / 2, 0.3);
    EXPECT_NEAR(t[2].x1, 110, 1e-9);
    EXPECT_NEAR(t[2].y1, 80 - h / 2, 1e-9);
}

TEST_F(GraphicsFixture, InlineSymbolIsDrawnInTheText)
{
    engine->TEXT(50, 50, QStringLiteral("a{s,4}b"), 0, 0, 0, 0);
    EXPECT_EQ(texts().size(), 2u);
    const auto circles = surface.ofType(PrimType::Circle);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_NEAR(circles[0].radius, 0.7, 1e-9);
    EXPECT_NEAR(circles[0].y1, 50 + 0.5 * surface.TextHeight("s"), 1e-9);
}

TEST(clsROTATOR, BuildsTheDeviceFontRecord)
{
    vb::RecordingSurface s;
    s.ScaleMode(vb::OutputSurface::vbMillimeters);
    vb::SurfaceFont f;
    f.Name = QStringLiteral("Arial");
    f.Size = 8;
    f.Italic = true;
    s.Font(f);
    s.CurrentX(25.4);
    s.CurrentY(12.7);
    clsROTATOR r;
    r.Device(&s);
    r.Angle(45);
    r.Label(QStringLiteral("abc"));
    EXPECT_EQ(r.fontRecord().lfHeight, 12);  // the cell of 8 point Arial at 96 dpi
    EXPECT_EQ(r.fontRecord().lfEscapement, 450);
    EXPECT_EQ(r.fontRecord().lfItalic, 1);
    EXPECT_STREQ(r.fontRecord().lfFaceName, "Arial");
    const auto t = s.ofType(PrimType::Text);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_NEAR(t[0].x1, 25.4, 1e-9);  // 96 pixels
    EXPECT_NEAR(t[0].y1, 12.7, 1e-9);  // 48 pixels
    EXPECT_EQ(t[0].angle, 45);
}
