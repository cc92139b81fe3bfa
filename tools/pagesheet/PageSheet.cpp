#include "PageSheet.h"

#include "graphics/LabelWriter.h"
#include "pages/clsKOPFFUSS.h"
#include "pages/PointTable.h"
#include "pages/clsTABELLE.h"
#include "platform/surface/OutputSurface.h"
#include "platform/surface/RecordingSurface.h"
#include "platform/vb/Convert.h"

#include <QString>
#include <cmath>

namespace {

// Where the blocks stand on the sheet (millimetres).
constexpr float contentTop = 38, contentBottom = 185;
constexpr float rightColumn = 178;

void setHeader(clsKOPFFUSS& k)
{
    k.UEBERSCHRIFT(QStringLiteral("VELOR"));
    k.PROJEKT(QStringLiteral("DEMO"));
    k.BEARBEITER(QStringLiteral("Meier"));
    k.PROGRAMMIERER(QStringLiteral("VELOR 1.0"));
    k.COPYRIGHT(QStringLiteral("(c) 2026 VELOR"));
    k.DATUM(vb::CDate(vb::Value("08.12.2026")));
    k.UHRZEIT(vb::CDate(vb::Value("14:05:00")));
}

void blackPen(clsTABELLE& t)
{
    int16_t style = 0;
    float width = 0;
    int32_t colour = 0;
    t.LINIENEINSTELLUNGEN(style, width, colour);
}

PolygonPoints points()
{
    PolygonPoints out;
    for (int r = 0; r < 100; ++r)
        out.push_back({r < 50 ? QStringLiteral("1") : QStringLiteral("2"), static_cast<int16_t>(r / 25),
                       static_cast<int16_t>(r % 25), 0.5f * static_cast<float>(r),
                       static_cast<float>(20 + 15 * std::sin(r / 8.0))});
    return out;
}

}  // namespace

PageSheet::PageSheet() : top_(&holder_), middle_(&holder_)
{
    // The page's first drawing places the bar; then the user scrolls to the middle.
    vb::RecordingSurface first;
    first.ScaleMode(vb::OutputSurface::vbMillimeters);
    pointTable(first, middle_, 95, QString());
    middle_.setValue(5000);
}

void PageSheet::draw(vb::OutputSurface& s)
{
    s.ScaleMode(vb::OutputSurface::vbMillimeters);
    header(s);
    pointTable(s, top_, 10, QStringLiteral("Punkte, Bildlauf 0"));
    pointTable(s, middle_, 95, QStringLiteral("Punkte, Bildlauf 5000"));
    statistics(s);
    decimalColumn(s);
    labels(s);
    smallPage(s);
    s.flush();
}

void PageSheet::header(vb::OutputSurface& s)
{
    clsKOPFFUSS k;
    k.AUSGABEOBJEKT(&s, &s);
    setHeader(k);
    k.KENNZEICHNUNG(QStringList{QStringLiteral("Probe 1"), QStringLiteral("Probe 2")});
    k.KOMMENTAR(QStringLiteral("Rahmenscherversuch, Sand dicht gelagert"));
    k.SEITE(1);
    k.SEITENANZAHL(2);
    k.KOPFFUSSZEILE();
}

void PageSheet::smallPage(vb::OutputSurface& s)
{
    // A page of its own in the lower right corner: the frame object bounds it, the margins
    // place it on the sheet.
    const float left = rightColumn, top = 132, right = 287, bottom = contentBottom;
    s.DrawWidth(1);
    s.ForeColor(vb::RGB(128, 128, 128));
    s.Box(left, top, right, bottom);
    vb::RecordingSurface frame;
    frame.Scale(0, 0, right, bottom);
    clsKOPFFUSS k;
    k.AUSGABEOBJEKT(&frame, &s);
    setHeader(k);
    k.SPRACHE(1);
    k.EBOKFS(false);
    k.KENNZEICHNUNG(QStringLiteral("Probe 1"));
    k.RANDABSTAND(QString(), 4);
    k.RANDABSTAND(QStringLiteral("links"), left + 4);
    k.RANDABSTAND(QStringLiteral("oben"), top + 3);
    k.KOPFFUSSZEILE();
}

void PageSheet::pointTable(vb::OutputSurface& s, QScrollBar& bar, float left, const QString& title)
{
    // The output page's point table, on a part of the sheet as high as the content area.
    clsTABELLE t;
    t.EOBJEKT(&s);
    t.EYBALKEN(&bar);
    t.EXDL(left);
    t.EYDO(contentTop);
    t.ERU(static_cast<float>(s.ScaleHeight() - contentBottom));
    PointTable::setUp(t, points());
    clsTABELLE::Values header = PointTable::headerRows();
    clsTABELLE::Values rows = PointTable::bodyRows(points());
    t.TITEL(title);
    t.TABELLE(header, 0);
    t.TABELLE(rows, 1);
}

void PageSheet::statistics(vb::OutputSurface& s)
{
    clsTABELLE t;
    t.EOBJEKT(&s);
    t.EXDL(rightColumn - 2.5f);
    t.EYDO(contentTop);
    t.ELSB({20, 15, 15});
    t.ELGIT({2, 1, 1});
    t.ELGITLEER({0, 1, 0});
    t.ELA({0, 2, 2});
    t.ELFORMAT({"", "0.00", "0.00"});
    t.ELMW({0, 1, 1});
    blackPen(t);
    t.SCHRIFTEINSTELLUNGEN(QString(), 7, false, false, false, 0);
    clsTABELLE::Values header{{"Probe", ""}, {"Spannungen", "{g,s} [kN/m{h,2}]"}, {"", "{g,t} [kN/m{h,2}]"}};
    clsTABELLE::Values body{{"Probe 1", "Probe 2", "Probe 3", "Probe 4", "Probe 5"},
                            {50.0, 100.0, 150.0, 200.0, 250.0},
                            {41.2, 72.9, 108.4, 139.0, 171.6}};
    clsTABELLE::Values stats{{"Mittelwert", "Std.-Abw.", "Var.-Koeff."}, {"", "", ""}, {"", "", ""}};
    t.TITEL(QStringLiteral("Scherfestigkeit"));
    t.TABELLE(header, 0);
    t.TABELLE(body, 1);
    t.TABELLE(stats, 2);
    t.FUSSNOTE(QStringLiteral("v = s / x{t,m}"));
}

void PageSheet::decimalColumn(vb::OutputSurface& s)
{
    clsTABELLE t;
    t.EOBJEKT(&s);
    t.EXDL(rightColumn + 57.5f);
    t.EYDO(contentTop);
    t.ELSB({17, 17});
    t.ELGIT({1, 0});
    t.ELA({3, 2});
    t.ELFORMAT({"0.000", "0.000"});
    blackPen(t);
    t.SCHRIFTEINSTELLUNGEN(QString(), 7, false, false, false, 0);
    clsTABELLE::Values header{{"Komma"}, {"rechts"}};
    clsTABELLE::Values body{{0.5, -12.25, 123.125, 7.0, -0.001, 1234.5}, {0.5, -12.25, 123.125, 7.0, -0.001, 1234.5}};
    t.TITEL(QStringLiteral("Ausrichtung"));
    t.TABELLE(header, 0);
    t.TABELLE(body, 1);
}

void PageSheet::labels(vb::OutputSurface& s)
{
    // An axis frame with its titles: the y title reads upwards, with units and an exponent.
    const float left = rightColumn + 14, top = 92, width = 60, height = 32;
    s.DrawWidth(1);
    s.ForeColor(vb::RGB(0, 0, 0));
    s.Box(left, top, left + width, top + height);
    LabelWriter w;
    w.surface(&s);
    w.SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 8, false, false, false, 0);
    w.write(left - 2, top + height / 2, QStringLiteral("{g,s} [kN/m{h,2}]"), 90, 1, 2);
    w.write(left + width / 2, top + height + 1.5, QStringLiteral("{g,e}{t,v} [%]"), 0, 1, 0);
    w.write(left + 6, top + height - 4, QStringLiteral("E{t,s} = 45 MN/m{h,2}"), 30, 0, 2);
    w.write(left + width - 3, top + 3, QStringLiteral("4,5E+04"), 0, 2, 0);
    w.write(left + width + 6, top + height / 2, QStringLiteral("q{t,c} [MN/m{h,2}]"), 90, 1, 2);
}
