#include "pages/clsKOPFFUSS.h"
#include "platform/surface/RecordingSurface.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"
#include "support/TestEnvironment.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using Prim = vb::RecordingSurface::Primitive;

// A4 landscape at 96 dpi in millimetres.
class Kopffuss : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::ui().clear();
        surface.ScaleMode(vb::OutputSurface::vbMillimeters);
        k.AUSGABEOBJEKT(&surface, &surface);
        k.UEBERSCHRIFT(QStringLiteral("VELOR"));
        k.KENNZEICHNUNG(QStringLiteral("Probe 1"));
        k.PROJEKT(QStringLiteral("P-17"));
        k.SEITE(1);
        k.SEITENANZAHL(2);
        k.BEARBEITER(QStringLiteral("Meier"));
        k.PROGRAMMIERER(QStringLiteral("Ingenieurbüro"));
        k.COPYRIGHT(QStringLiteral("(c) 2026"));
        k.DATUM(vb::CDate(vb::Value("08.12.2026")));
        k.UHRZEIT(vb::CDate(vb::Value("14:05:00")));
    }

    // The text written with exactly this content.
    const Prim* text(const QString& s) const
    {
        for (const auto& p : surface.primitives())
            if (p.type == vb::RecordingSurface::Type::Text && p.text == s) return &p;
        return nullptr;
    }
    double width(const QString& s, double size, bool bold = false)
    {
        vb::SurfaceFont f;
        f.Size = size;
        f.setBold(bold);
        surface.Font(f);
        return surface.TextWidth(s);
    }
    double height(double size, bool bold = false)
    {
        width(QString(), size, bold);
        return surface.TextHeight(QStringLiteral("X"));
    }
    // The sheet is 1123 x 794 pixels: a little more than 297 x 210 mm.
    double W() const { return surface.ScaleWidth(); }
    double H() const { return surface.ScaleHeight(); }
    QStringList texts() const
    {
        QStringList out;
        for (const auto& p : surface.ofType(vb::RecordingSurface::Type::Text)) out << p.text;
        return out;
    }

    vb::RecordingSurface surface;
    clsKOPFFUSS k;
};

}  // namespace

TEST_F(Kopffuss, HeaderSitsInsideTheMarginsAndTheRightRowEndsLevelWithTheTitle)
{
    k.KOMMENTAR(QStringLiteral("Versuch A"));
    k.KOPFFUSSZEILE();
    EXPECT_TRUE(TestEnvironment::ui().messages.isEmpty());
    const double h1 = height(16, true), h2 = height(10);

    const Prim* title = text(QStringLiteral("VELOR"));
    ASSERT_TRUE(title);
    EXPECT_DOUBLE_EQ(title->x1, 15);
    EXPECT_DOUBLE_EQ(title->y1, 15);
    EXPECT_EQ(title->font.Size, 16);
    EXPECT_TRUE(title->font.Bold);

    const Prim* names = text(QStringLiteral("Datensatz Probe 1"));
    ASSERT_TRUE(names);
    EXPECT_DOUBLE_EQ(names->x1, 15);
    EXPECT_NEAR(names->y1, 24, 1e-9);
    EXPECT_EQ(names->font.Size, 10);
    const Prim* comment = text(QStringLiteral("Versuch A"));
    ASSERT_TRUE(comment);
    EXPECT_NEAR(comment->y1, 24 + 1.5 * h2, 1e-9);

    const Prim* project = text(QStringLiteral("Projekt P-17"));
    ASSERT_TRUE(project);
    const double projectX = W() - 15 - width(QStringLiteral("Projekt P-17"), 10);
    EXPECT_NEAR(project->x1, projectX, 1e-6);
    EXPECT_NEAR(project->y1, 15 + h1 - h2, 1e-6);
    const Prim* page = text(QStringLiteral("Seite 1/2"));
    ASSERT_TRUE(page);
    EXPECT_NEAR(page->x1, projectX - width(QStringLiteral("               Seite 1/2"), 10), 1e-6);
    EXPECT_NEAR(page->y1, project->y1, 1e-9);
}

TEST_F(Kopffuss, FooterBlocksStandOnTheBottomMargin)
{
    k.KOPFFUSSZEILE();
    const double h7 = height(7);
    const double y0 = H() - 15;
    const QString credit = QStringLiteral("Programmentwicklung: Ingenieurbüro");
    const double creditX = W() - 15 - std::max(width(credit, 7), width(QStringLiteral("(c) 2026"), 7));
    struct Expected {
        QString text;
        double x, bottom;
    };
    const Expected expected[] = {
        {credit, creditX, y0},
        {QStringLiteral("(c) 2026"), creditX, y0 + h7},
        {QStringLiteral("08.12.2026"), W() / 2 - width(QStringLiteral("08.12.2026"), 7) / 2, y0},
        {QStringLiteral("14:05"), W() / 2 - width(QStringLiteral("14:05"), 7) / 2, y0 + h7},
        {QStringLiteral("Bearbeiter: Meier"), 15, y0},
    };
    for (const auto& e : expected) {
        const Prim* p = text(e.text);
        ASSERT_TRUE(p) << e.text.toStdString();
        EXPECT_NEAR(p->x1, e.x, 1e-6) << e.text.toStdString();
        EXPECT_NEAR(p->y1 + h7, e.bottom, 1e-6) << e.text.toStdString();
        EXPECT_EQ(p->font.Size, 7);
    }
}

struct Language {
    int16_t sprache;
    QStringList names;
    QStringList expected;
};
void PrintTo(const Language& l, std::ostream* os) { *os << l.sprache << ": " << l.names.join(',').toStdString(); }

class KopffussLanguage : public Kopffuss, public ::testing::WithParamInterface<Language> {};

TEST_P(KopffussLanguage, LabelsAndTextsFollowTheLanguage)
{
    k.SPRACHE(GetParam().sprache);
    k.KENNZEICHNUNG(GetParam().names);
    k.KOPFFUSSZEILE();
    for (const QString& t : GetParam().expected) EXPECT_TRUE(texts().contains(t)) << t.toStdString() << " in "
                                                                                   << texts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, KopffussLanguage,
    ::testing::Values(
        Language{3, {"Probe 1"}, {"Datensatz Probe 1", "Projekt P-17", "Seite 1/2", "Bearbeiter: Meier"}},
        Language{3, {"A", "B"}, {"Datensätze A, B"}},
        Language{1, {"Probe 1"}, {"File Probe 1", "Project P-17", "Page 1/2", "Project Manager: Meier",
                                  "Program developed by Ingenieurbüro"}},
        Language{1, {"A", "B", "C"}, {"Files A, B, C"}},
        // Another language has no texts of its own; the label stays what it was (empty).
        Language{2, {"A"}, {" A", "P-17", "1/2", "Meier"}}));

TEST_F(Kopffuss, NamesTooLongForTheLineEndAfterTheLastThatFits)
{
    QStringList names;
    for (int i = 1; i <= 60; ++i) names << QStringLiteral("Bohrung %1").arg(i);
    k.KENNZEICHNUNG(names);
    k.KOPFFUSSZEILE();
    const auto all = surface.ofType(vb::RecordingSurface::Type::Text);
    const auto line = std::find_if(all.begin(), all.end(), [](const Prim& p) { return p.text.startsWith("Datensätze "); });
    ASSERT_NE(line, all.end());
    ASSERT_TRUE(line->text.endsWith(QStringLiteral(", ...")));
    const QString shown = line->text.mid(11).chopped(5);
    const QStringList listed = shown.split(QStringLiteral(", "));
    ASSERT_GT(listed.size(), 3);
    EXPECT_EQ(listed, names.mid(0, listed.size()));
    // The names fit beside the label; the next one with its comma would not.
    const double available = W() - 30 - width(QStringLiteral("Datensätze"), 10);
    EXPECT_LE(width(shown, 10), available);
    EXPECT_GT(width(shown + names[listed.size()] + ",", 10), available);
}

TEST_F(Kopffuss, WithoutPageNumberTheProjectStaysFlushRight)
{
    k.EBOKFS(false);
    k.KOPFFUSSZEILE();
    EXPECT_FALSE(text(QStringLiteral("Seite 1/2")));
    const Prim* project = text(QStringLiteral("Projekt P-17"));
    ASSERT_TRUE(project);
    EXPECT_NEAR(project->x1 + width(QStringLiteral("Projekt P-17"), 10), W() - 15, 1e-6);
}

TEST_F(Kopffuss, EmptyNamesAndCommentDrawNoLines)
{
    k.KENNZEICHNUNG(QString());
    k.KOPFFUSSZEILE();
    EXPECT_EQ(texts().filter(QStringLiteral("Datensatz")).size(), 0);
    // Title, project, page, two credit lines, date, time, editor.
    EXPECT_EQ(texts().size(), 8);
}

struct Margin {
    int scaleMode;
    const char* lage;
    float mm;
    double top, left, right, bottom;  // the margins drawn, in millimetres
};

class KopffussMargin : public Kopffuss, public ::testing::WithParamInterface<Margin> {};

TEST_P(KopffussMargin, OneSideOrAllFourInMillimetres)
{
    surface.ScaleMode(GetParam().scaleMode);
    k.AUSGABEOBJEKT(&surface, &surface);
    k.RANDABSTAND(QString::fromUtf8(GetParam().lage), GetParam().mm);
    k.EBOKFS(false);
    k.KOPFFUSSZEILE();
    const double perMm = GetParam().scaleMode == vb::OutputSurface::vbTwips ? 1440 / 25.4 : 1;  // units per mm
    const double W = surface.ScaleWidth() / perMm, H = surface.ScaleHeight() / perMm;
    const Prim* title = text(QStringLiteral("VELOR"));
    ASSERT_TRUE(title);
    EXPECT_NEAR(title->x1 / perMm, GetParam().left, 1e-3);
    EXPECT_NEAR(title->y1 / perMm, GetParam().top, 1e-3);
    const Prim* project = text(QStringLiteral("Projekt P-17"));
    ASSERT_TRUE(project);
    EXPECT_NEAR((project->x1 + width(QStringLiteral("Projekt P-17"), 10)) / perMm, W - GetParam().right, 1e-3);
    const Prim* editor = text(QStringLiteral("Bearbeiter: Meier"));
    ASSERT_TRUE(editor);
    EXPECT_NEAR((editor->y1 + height(7)) / perMm, H - GetParam().bottom, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Sides, KopffussMargin,
                         ::testing::Values(Margin{vb::OutputSurface::vbMillimeters, "oben", 7.5f, 7.5, 15, 15, 15},
                                           Margin{vb::OutputSurface::vbMillimeters, "links", 20, 15, 20, 15, 15},
                                           Margin{vb::OutputSurface::vbMillimeters, "unten", 10, 15, 15, 15, 10},
                                           Margin{vb::OutputSurface::vbMillimeters, "x", 20, 20, 20, 20, 20},
                                           Margin{vb::OutputSurface::vbTwips, "oben", 7.5f, 7.5, 15, 15, 15},
                                           Margin{vb::OutputSurface::vbTwips, "", 20, 20, 20, 20, 20}));

TEST(KopffussFaults, MarginBeforeTheSurfaceAndAnEmptyNameListAreRefused)
{
    clsKOPFFUSS k;
    try {
        k.RANDABSTAND(QStringLiteral("oben"), 10);
        ADD_FAILURE() << "no error";
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number(), vb::errObjectNotSet);
    }
    try {
        k.KENNZEICHNUNG(QStringList());
        ADD_FAILURE() << "no error";
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number(), vb::errInvalidProperty);
    }
}

TEST(KopffussFaults, DrawingWithoutSurfacesGivesOneMessage)
{
    TestEnvironment::ui().clear();
    clsKOPFFUSS k;
    k.KOPFFUSSZEILE();
    const auto& m = TestEnvironment::ui().messages;
    ASSERT_EQ(m.size(), 1);
    EXPECT_EQ(m[0].title, QStringLiteral("Kopffuß-Zeile"));
    EXPECT_TRUE(m[0].text.startsWith(QStringLiteral("VB-Error: 91\r\n")));
}
