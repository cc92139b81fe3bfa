#include "pages/clsTABELLE.h"
#include "platform/surface/PictureBox.h"
#include "platform/surface/PrinterSurface.h"
#include "platform/surface/RecordingSurface.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbLocale.h"
#include "support/TestEnvironment.h"

#include <QScrollBar>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Prim = vb::RecordingSurface::Primitive;
using PrimType = vb::RecordingSurface::Type;
using Values = clsTABELLE::Values;

// The output page's point table: five columns on a picture of 80 x 125 mm at 96 dpi.
class Tabelle : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::ui().clear();
        surface.ScaleMode(vb::OutputSurface::vbMillimeters);
    }

    // A renderer set up as the output page sets it up.
    std::unique_ptr<clsTABELLE> renderer(vb::OutputSurface& s, QScrollBar* bar = nullptr)
    {
        auto t = std::make_unique<clsTABELLE>();
        t->EOBJEKT(&s);
        if (bar) t->EYBALKEN(bar);
        t->ERZ(1.5f);
        t->ELSB({12, 12, 12, 17, 17});
        t->ELGIT({2, 1, 2, 1, 1});
        t->ELGITLEER({0, 0, 0, 0, 0});
        t->EZA(1);
        t->ELA({1, 1, 1, 1, 1});
        t->ELFORMAT({"", "0", "0", "0.000", "0.000"});
        int16_t style = 0;
        float width = 0;
        int32_t colour = 0;
        t->LINIENEINSTELLUNGEN(style, width, colour);
        t->SCHRIFTEINSTELLUNGEN(QString(), 7, false, false, false, 0);
        return t;
    }

    static Values header()
    {
        return {{"Gruppe", "Nr."}, {"Polygon", "Nr."}, {"Punkt", "Nr."}, {"x", "[-]"}, {"y", "[-]"}};
    }
    static Values points(int n)
    {
        Values X(5);
        for (int r = 0; r < n; ++r) {
            X[0].push_back(vb::Value(int16_t(1)));
            X[1].push_back(vb::Value(int16_t(0)));
            X[2].push_back(vb::Value(int32_t(r)));
            X[3].push_back(vb::Value(r * 1.5));
            X[4].push_back(vb::Value(100.0 / (r + 1)));
        }
        return X;
    }

    void draw(clsTABELLE& t, int rows)
    {
        Values h = header(), p = points(rows);
        t.TABELLE(h, 0);
        t.TABELLE(p, 1);
    }

    std::vector<Prim> of(PrimType type) const { return surface.ofType(type); }
    // Texts of the point-number column, in drawing order.
    QStringList pointNumbers() const
    {
        QStringList out;
        const auto texts = of(PrimType::Text);
        for (std::size_t i = 12; i < texts.size(); i += 5) out << texts[i].text;
        return out;
    }
    double lineHeight()
    {
        vb::SurfaceFont f;
        f.Size = 7;
        surface.Font(f);
        return surface.TextHeight(QStringLiteral("X"));
    }

    vb::RecordingSurface surface{vb::OutputSurface::Kind::Picture, 302, 472};  // 80 x 125 mm
};

}  // namespace

TEST_F(Tabelle, BlocksRowsAndRulesOfThePointTable)
{
    auto t = renderer(surface);
    draw(*t, 3);
    EXPECT_TRUE(TestEnvironment::ui().messages.isEmpty());
    const double h = lineHeight();
    const auto boxes = of(PrimType::Box);
    ASSERT_EQ(boxes.size(), 2u);
    // Header: two rows, one row step apart.
    EXPECT_DOUBLE_EQ(boxes[0].x1, 2.5);
    EXPECT_DOUBLE_EQ(boxes[0].y1, 2.5);
    EXPECT_NEAR(boxes[0].x2, 72.5, 1e-9);
    EXPECT_NEAR(boxes[0].y2, 2.5 + 3 + 2 * h, 1e-5);
    // Body right below, three rows.
    const double bodyTop = 2.5 + 3 + 2 * h;
    EXPECT_NEAR(boxes[1].y1, bodyTop, 1e-5);
    EXPECT_NEAR(boxes[1].y2, bodyTop + 3 + 3 * h, 1e-5);
    EXPECT_NEAR(t->HOEHE(), 6 + 5 * h, 1e-5);

    // Header rules over the whole header; body rules after every column but the last, double
    // ones 0.5 apart.
    std::vector<double> bodyRules;
    for (const auto& l : of(PrimType::Line))
        if (l.y1 > bodyTop - 1e-6) bodyRules.push_back(l.x1);
    const std::vector<double> expected{14.5, 15, 26.5, 38.5, 39, 55.5};
    ASSERT_EQ(bodyRules.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(bodyRules[i], expected[i], 1e-9);
    EXPECT_EQ(of(PrimType::Line).size(), 4u + expected.size());

    // Body row r: text middle at 1 mm above the row's line.
    const auto texts = of(PrimType::Text);
    ASSERT_EQ(texts.size(), 10u + 15u);
    for (int r = 0; r < 3; ++r) {
        const Prim& number = texts[static_cast<std::size_t>(10 + 5 * r + 2)];
        EXPECT_EQ(number.text, QString::number(r));
        EXPECT_NEAR(number.y1 + h / 2, bodyTop + 1.5 + h + r * h - 1, 1e-5);
    }
    EXPECT_EQ(texts[13].text, QStringLiteral("0,000"));
    EXPECT_EQ(texts[14].text, QStringLiteral("100,000"));
}

struct Scroll {
    int rows;
    int value;
    bool barShown;
};
void PrintTo(const Scroll& s, std::ostream* os) { *os << s.rows << " rows at " << s.value; }

class TabelleScroll : public Tabelle, public ::testing::WithParamInterface<Scroll> {};

TEST_P(TabelleScroll, TheBarSelectsTheRowsThatFit)
{
    // The page's first drawing places the bar; then the user moves it.
    QWidget holder;
    QScrollBar bar(&holder);
    draw(*renderer(surface, &bar), GetParam().rows);
    bar.setValue(GetParam().value);
    surface.clear();
    auto t = renderer(surface, &bar);
    draw(*t, GetParam().rows);
    const int n = GetParam().rows;
    EXPECT_EQ(!bar.isHidden(), GetParam().barShown);
    const auto boxes = of(PrimType::Box);
    ASSERT_EQ(boxes.size(), 2u);
    if (!GetParam().barShown) {
        EXPECT_EQ(t->EEZ(), 0);
        EXPECT_EQ(t->ELZ(), n - 1);
        EXPECT_EQ(pointNumbers().size(), n);
        return;
    }
    // The bar stands right of the table down to the bottom margin, 5 mm wide.
    const double px = 96 / 25.4;
    EXPECT_EQ(bar.x(), std::lround(72.5 * px));
    EXPECT_EQ(bar.width(), std::lround(5 * px));
    EXPECT_NEAR((bar.y() + bar.height()) / px, 125 - 2.5, 0.5);
    EXPECT_EQ(bar.maximum(), 10000);
    EXPECT_EQ(bar.pageStep(), 2000);
    EXPECT_EQ(bar.singleStep(), 300);
    // As many rows as fit above the bottom margin, one more would not.
    const int m = t->ELZ() - t->EEZ();
    const double h = lineHeight();
    EXPECT_LE(boxes[1].y2, 125 - 2.5 + 1e-9);
    EXPECT_GT(boxes[1].y2 + h, 125 - 2.5);
    EXPECT_NEAR(boxes[1].y2 - boxes[1].y1, 3 + m * h + h, 1e-5);  // the row height is a single
    // The value picks the first row: round(value / range, 3 decimals) of the rows left over.
    const int first = static_cast<int>(std::nearbyint(vb::Round(GetParam().value / 10000.0, 3) * (n - 1 - m)));
    EXPECT_EQ(t->EEZ(), first);
    EXPECT_EQ(t->ELZ(), std::min(first + m, n - 1));
    const QStringList numbers = pointNumbers();
    ASSERT_EQ(numbers.size(), m + 1);
    EXPECT_EQ(numbers.front(), QString::number(first));
}

INSTANTIATE_TEST_SUITE_P(Body, TabelleScroll,
                         ::testing::Values(Scroll{100, 0, true}, Scroll{100, 5000, true}, Scroll{100, 10000, true},
                                           Scroll{100, 300, true}, Scroll{5, 0, false},
                                           // Row numbers past the 16-bit range.
                                           Scroll{40000, 10000, true}));

TEST_F(Tabelle, PrinterPrintsTheRowsVisibleOnTheScreen)
{
    // The real screen picture and printer: the font's row height differs between them.
    vb::PictureBox picture;
    picture.resize(302, 472);
    picture.ScaleMode(vb::OutputSurface::vbMillimeters);
    QScrollBar bar(&picture);
    draw(*renderer(picture, &bar), 100);
    bar.setValue(5000);
    auto screen = renderer(picture, &bar);
    draw(*screen, 100);

    QTemporaryDir dir;
    vb::PrinterSurface printer(dir.filePath(QStringLiteral("table.pdf")));
    printer.ScaleMode(vb::OutputSurface::vbMillimeters);
    auto paper = renderer(printer, &bar);
    paper->EXDL(150);
    paper->EYDO(30);
    Values h = header(), p = points(100);
    paper->TABELLE(h, 0);
    paper->TABELLE(p, 1);
    EXPECT_GT(screen->EEZ(), 0);
    EXPECT_EQ(paper->EEZ(), screen->EEZ());
    EXPECT_EQ(paper->ELZ(), screen->ELZ());
    // A hidden bar prints every row.
    bar.hide();
    paper = renderer(printer, &bar);
    paper->TABELLE(p, 1);
    EXPECT_EQ(paper->EEZ(), 0);
    EXPECT_EQ(paper->ELZ(), 99);
    printer.EndDoc();
    EXPECT_TRUE(TestEnvironment::ui().messages.isEmpty());
}

TEST_F(Tabelle, HeaderCellsMergeOverTheColumnsTheirRowsShare)
{
    auto t = renderer(surface);
    t->ELGITLEER({1, 2, 0, 0, 0});
    Values h{{"Punkt", "Nr."}, {"", "x"}, {"", "y"}, {"z", "[m]"}, {"w", "[m]"}};
    t->TABELLE(h, 0);
    const double hgt = lineHeight();
    std::vector<Prim> texts = of(PrimType::Text);
    // Row 0: columns 0 to 2 form one cell (boundaries 0 and 1 merge the first row); row 1:
    // columns 1 and 2.
    ASSERT_EQ(texts.size(), 3u + 4u);
    EXPECT_EQ(texts[0].text, QStringLiteral("Punkt"));
    surface.Font(texts[0].font);
    EXPECT_NEAR(texts[0].x1 + surface.TextWidth(QStringLiteral("Punkt")) / 2, 2.5 + 18, 1e-6);
    // Row 1: boundary 1 still merges (two rows): "x" is centred over columns 1 and 2.
    EXPECT_EQ(texts[4].text, QStringLiteral("x"));
    EXPECT_NEAR(texts[4].x1 + surface.TextWidth(QStringLiteral("x")) / 2, 2.5 + 24, 1e-6);
    // Header texts stand with their middle 1.5 above their row's line.
    EXPECT_NEAR(texts[0].y1 + hgt / 2, 2.5 + 1.5 + hgt - 1.5, 1e-5);
    EXPECT_NEAR(texts[3].y1 + hgt / 2, 2.5 + 1.5 + 2 * hgt - 1.5, 1e-5);
    // Rules: boundary 0 only below the first row, boundary 1 none, the others whole.
    const auto lines = of(PrimType::Line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NEAR(lines[0].x1, 14.5, 1e-9);
    EXPECT_NEAR(lines[0].y1, 2.5 + 1.5 + hgt, 1e-5);
    EXPECT_NEAR(lines[1].x1, 38.5, 1e-9);
    EXPECT_NEAR(lines[1].y1, 2.5, 1e-9);
    EXPECT_NEAR(lines[2].x1, 55.5, 1e-9);
}

struct Alignment {
    int16_t ela;
    QChar separator;
};
void PrintTo(const Alignment& a, std::ostream* os) { *os << "ELA " << a.ela << " with '" << a.separator.toLatin1() << "'"; }

class TabelleAlignment : public Tabelle, public ::testing::WithParamInterface<Alignment> {};

TEST_P(TabelleAlignment, CellsSitWhereTheirColumnAlignsThem)
{
    const QChar saved = vb::VbLocale::decimalSeparator();
    vb::VbLocale::setDecimalSeparator(GetParam().separator);
    auto t = renderer(surface);
    t->ELSB({17});
    t->ELA({GetParam().ela});
    t->ELFORMAT({"0.000"});
    Values X{{vb::Value(1.5), vb::Value(-12.25), vb::Value(123.125), vb::Value(4.0)}};
    t->TABELLE(X, 1);
    vb::VbLocale::setDecimalSeparator(saved);
    const auto texts = of(PrimType::Text);
    ASSERT_EQ(texts.size(), 4u);
    std::vector<double> anchor;
    for (const auto& p : texts) {
        surface.Font(p.font);
        const double w = surface.TextWidth(p.text);
        switch (GetParam().ela) {
        case 0: anchor.push_back(p.x1 - 2.5); break;
        case 1: anchor.push_back(p.x1 + w / 2 - 2.5); break;
        case 2: anchor.push_back(p.x1 + w - 2.5); break;
        default: anchor.push_back(p.x1 + surface.TextWidth(p.text.section(GetParam().separator, 0, 0) + GetParam().separator) - 2.5);
        }
    }
    EXPECT_EQ(texts[2].text, QStringLiteral("123") + GetParam().separator + QStringLiteral("125"));
    const double expected[] = {1.5, 8.5, 15.5, 8.5 - (2.5 - 2) * (8.5 - 1.5) / 5};
    for (double a : anchor) EXPECT_NEAR(a, expected[GetParam().ela], 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Cells, TabelleAlignment,
                         ::testing::Values(Alignment{0, ','}, Alignment{1, ','}, Alignment{2, ','},
                                           Alignment{3, ','}, Alignment{3, '.'}));

TEST_F(Tabelle, StatisticsOfTheMarkedColumnsGoIntoTheStatisticsBlock)
{
    auto t = renderer(surface);
    t->ELSB({20, 15, 15, 15});
    t->ELMW({0, 1, 1, 1});
    t->ELFORMAT({"", "0.000", "0.000", "0.000"});
    Values body{{"a", "b", "c", "d"},
                {1.0, 2.0, 3.0, 4.0},
                {-1.0, 1.0, -1.0, 1.0},  // mean 0
                {7.0, 7.0, 7.0, 7.0}};   // no spread
    t->TABELLE(body, 1);
    Values stats{{"Mittel", "s", "v", "n"}, {"", "", "", "4"}, {"", ""}, {"", "", ""}};
    t->TABELLE(stats, 2);
    EXPECT_TRUE(TestEnvironment::ui().messages.isEmpty());
    EXPECT_DOUBLE_EQ(vb::CDbl(stats[1][0]), 2.5);
    EXPECT_NEAR(vb::CDbl(stats[1][1]), std::sqrt(5.0 / 3), 1e-12);
    EXPECT_NEAR(vb::CDbl(stats[1][2]), std::sqrt(5.0 / 3) / 2.5, 1e-12);
    EXPECT_EQ(stats[1][3], vb::Value("4"));        // the caller's cell stays
    EXPECT_DOUBLE_EQ(vb::CDbl(stats[2][0]), 0);    // mean 0 ...
    EXPECT_EQ(stats[2].size(), 2u);                // ... written only as far as the rows go
    EXPECT_DOUBLE_EQ(vb::CDbl(stats[3][1]), 0);    // equal values: no deviation ...
    EXPECT_DOUBLE_EQ(vb::CDbl(stats[3][2]), 0);    // ... and no variation
    EXPECT_EQ(stats[0][0], vb::Value("Mittel"));
    EXPECT_EQ(t->variations()[2], vb::Value(0.0));  // mean 0 gives a ratio of 0
    EXPECT_EQ(t->means()[0], vb::Value("-"));
    // The statistics block is drawn below the body, with the column formats.
    const auto boxes = of(PrimType::Box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NEAR(boxes[1].y1, boxes[0].y2, 1e-9);
    QStringList texts;
    for (const auto& p : of(PrimType::Text)) texts << p.text;
    EXPECT_TRUE(texts.contains(QStringLiteral("2,500")));
    EXPECT_TRUE(texts.contains(QStringLiteral("1,291")));
}

TEST_F(Tabelle, StatisticsWithoutRowsOrWithoutTheirListShowDashes)
{
    auto t = renderer(surface);
    t->ELSB({20, 20});
    t->ELMW({1, 1});
    Values empty(2);
    t->TABELLE(empty, 1);
    Values stats{{"", "", ""}, {"", "", ""}};
    t->TABELLE(stats, 2);
    EXPECT_EQ(stats[0][0], vb::Value("-"));
    EXPECT_EQ(stats[1][2], vb::Value("-"));
    // A single value has no deviation and no variation.
    Values one{{5.0}, {2.0}};
    t->TABELLE(one, 1);
    EXPECT_EQ(t->means()[0], vb::Value(5.0));
    EXPECT_EQ(t->deviations()[1], vb::Value(0.0));
    EXPECT_EQ(t->variations()[1], vb::Value(0.0));
    // No statistics list at all: no column takes part.
    t = renderer(surface);
    t->ELSB({20, 20});
    Values body{{1.0, 2.0}, {3.0, 4.0}};
    t->TABELLE(body, 1);
    EXPECT_EQ(t->means()[1], vb::Value("-"));
    EXPECT_TRUE(TestEnvironment::ui().messages.isEmpty());
}

TEST_F(Tabelle, TitleAboveAndFootnoteBelowTheTable)
{
    auto t = renderer(surface);
    t->EXDL(10);
    t->EYDO(20);
    draw(*t, 4);
    Values stats{{"m", "s", "v"}};
    t->TABELLE(stats, 2);
    const auto boxes = of(PrimType::Box);
    surface.clear();
    t->TITEL(QStringLiteral("Punkte"));
    t->FUSSNOTE(QStringLiteral("Werte in m"));
    const auto texts = of(PrimType::Text);
    ASSERT_EQ(texts.size(), 2u);
    const double h = lineHeight();
    EXPECT_NEAR(texts[0].x1, 12.5, 1e-9);
    EXPECT_NEAR(texts[0].y1 + h, 20 + 2.5 - 1.5 - 1.5, 1e-6);
    EXPECT_NEAR(texts[1].x1, 14, 1e-9);
    EXPECT_NEAR(texts[1].y1, boxes.back().y2 + 1.5 + 1.5, 1e-5);
}

TEST(TabelleFaults, MissingColumnWidthsAreReportedAndNothingIsDrawn)
{
    TestEnvironment::ui().clear();
    vb::PictureBox picture;
    picture.setObjectName(QStringLiteral("picBILD12"));
    picture.resize(302, 472);
    picture.ScaleMode(vb::OutputSurface::vbMillimeters);
    clsTABELLE t;
    t.EOBJEKT(&picture);
    Values X{{1.0}};
    t.TABELLE(X, 1);
    const auto& m = TestEnvironment::ui().messages;
    ASSERT_EQ(m.size(), 1);
    EXPECT_EQ(m[0].text, QStringLiteral("Angabe der Spaltenbreiten in Objekt picBILD12 fehlt !"));
    EXPECT_EQ(m[0].title, QStringLiteral("Tabelle"));
    EXPECT_EQ(t.HOEHE(), 0);
}
