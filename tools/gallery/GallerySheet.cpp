#include "GallerySheet.h"

#include "data/SessionContext.h"
#include "graphics/clsGRAFIK.h"
#include "platform/db/Connection.h"
#include "platform/surface/OutputSurface.h"

#include <QString>
#include <cmath>
#include <memory>
#include <numbers>

namespace {

constexpr float panelWidth = 72, panelHeight = 97;

struct Frame {
    int id;
    int ox, oy;
    double xmin, xmax, ymin, ymax;
};

// The diagrams of the sheet: margins leave room for labels; the scale is computed.
const Frame frames[] = {
    {1, 1, 1, 0, 100, 0, 50},    {2, 1, 1, 1, 1000, 0.1, 100}, {3, -1, -1, 0, 40, 1, 1000},
    {4, 1, 1, 0, 100, 0, 100},   {5, 1, 1, 0, 100, 0, 100},    {6, 1, 1, 0, 100, 0, 100},
    {7, 1, 1, 0, 100, 0, 100},   {8, 1, 1, 0, 100, 0, 100},
};

std::unique_ptr<clsGRAFIK> panel(vb::OutputSurface& s, SessionContext& session, int id, const QString& title)
{
    auto g = std::make_unique<clsGRAFIK>(session);
    g->EOBJEKT(&s);
    g->EID(1);
    g->EIDOBJEKT(static_cast<int16_t>(id));
    const int col = (id - 1) % 4, row = (id - 1) / 4;
    g->EXDL(2 + col * (panelWidth + 2));
    g->EYDO(8 + row * (panelHeight + 6));
    g->ELX(panelWidth);
    g->ELY(panelHeight);
    g->SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 8, true, false, false, 0);
    // The reversed panel has its x axis on top: its title goes below.
    if (id == 3) g->TEXT(panelWidth / 2, panelHeight - 0.3f, title, 2, 0, 1, 2);
    else g->TEXT(panelWidth / 2, 0.3f, title, 2, 0, 1, 0);
    g->SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 7, false, false, false, 0);
    return g;
}

void pen(clsGRAFIK& g, int16_t style, float width, vb::OleColor colour)
{
    int32_t c = static_cast<int32_t>(colour);
    g.LINIENEINSTELLUNGEN(style, width, c);
}

void linearAxes(clsGRAFIK& g, float xspan, float yspan, int16_t ticks)
{
    g.ELXMIN({0, xspan});
    g.ELXDIFF({xspan});
    g.ELXIT({ticks});
    g.ELXGIT({ticks});
    g.ELXZL({static_cast<int16_t>(ticks / 2)});
    g.ELYMIN({0, yspan});
    g.ELYDIFF({yspan});
    g.ELYIT({ticks});
    g.ELYGIT({ticks});
    g.ELYZL({static_cast<int16_t>(ticks / 2)});
}

// Plain 0..100 axes with ticks only, for the panels that show drawing operations.
void plainAxes(clsGRAFIK& g)
{
    g.ELXMIN({0, 100});
    g.ELYMIN({0, 100});
    g.ELXDIFF({100});
    g.ELYDIFF({100});
    g.ELXIT({10});
    g.ELYIT({10});
    g.ELXGIT({0});
    g.ELYGIT({0});
}

void drawLinear(vb::OutputSurface& s, SessionContext& session)
{
    auto g = panel(s, session, 1, QStringLiteral("linear, OX = OY = 1"));
    linearAxes(*g, 100, 50, 10);
    g->ETEXTX(QStringLiteral("x [m]"));
    g->ETEXTY(QStringLiteral("{g,s} [kN/m{h,2}]"));
    g->ESKZY(QStringLiteral("#0"));
    pen(*g, 0, 0, 0);
    g->SKALEN(0);
    std::vector<float> x, y;
    for (int i = 0; i <= 50; ++i) {
        x.push_back(i * 2.5f);
        y.push_back(25 + 20 * std::sin(i * 0.25f));
    }
    pen(*g, 0, 0.35f, vb::QBColor(1));
    g->POLYGON(x, y, 8, 3, 0, QStringLiteral("sin"), 3, 1, false);
}

void drawLogLog(vb::OutputSurface& s, SessionContext& session)
{
    auto g = panel(s, session, 2, QStringLiteral("log-log, multiples"));
    g->ESKTX(1);
    g->ESKTY(1);
    g->ELXMIN({1, 10, 100, 1000});
    g->ELXIT({10});
    g->ELXGIT({1});
    g->ELYMIN({0.1f, 1, 10, 100});
    g->ELYIT({10});
    g->ELYGIT({1});
    g->ESKZX(QStringLiteral("0.###"));
    g->ESKZY(QStringLiteral("0.###"));
    g->ETEXTX(QStringLiteral("d [mm]"));
    g->ETEXTY(QStringLiteral("k [m/s]"));
    pen(*g, 0, 0, 0);
    g->SKALEN(0);
    std::vector<float> x, y;
    for (int i = 0; i <= 30; ++i) {
        const double d = std::pow(10.0, i / 10.0);
        x.push_back(static_cast<float>(std::log10(d)));
        y.push_back(static_cast<float>(std::log10(0.2 * std::pow(d, 0.6))));
    }
    pen(*g, 0, 0.35f, vb::QBColor(4));
    g->POLYGON(x, y, 4, 2, 0, QString(), 0, 0, false);
}

void drawReversed(vb::OutputSurface& s, SessionContext& session)
{
    auto g = panel(s, session, 3, QStringLiteral("OX = OY = -1, log y, axes opposite"));
    g->EAXEX(-1);
    g->EAXEY(-1);
    g->ELXMIN({0, 40});
    g->ELXDIFF({40});
    g->ELXIT({8});
    g->ELXGIT({4});
    g->ELXZL({4});
    g->ESKTY(1);
    g->ELYMIN({1, 10, 100, 1000});
    g->ELYIT({1});
    g->ELYGIT({1});
    g->ETEXTX(QStringLiteral("t [d]"));
    g->ETEXTY(QStringLiteral("p [kPa]"));
    pen(*g, 0, 0, 0);
    g->SKALEN(0);
    std::vector<float> x, y;
    for (int i = 0; i <= 20; ++i) {
        x.push_back(i * 2.0f);
        y.push_back(static_cast<float>(std::log10(900 * std::exp(-i * 0.3) + 2)));
    }
    pen(*g, 1, 0, vb::QBColor(2));
    g->POLYGON(x, y, 6, 0, 3, QString(), 0, 0, false);
}

void drawLineForms(vb::OutputSurface& s, SessionContext& session)
{
    auto g = panel(s, session, 4, QStringLiteral("line forms 0-8, symbols 0-6"));
    g->EAXEX(1);
    g->EAXEY(1);
    pen(*g, 0, 0, 0);
    plainAxes(*g);
    g->SKALEN(0);
    for (int16_t form = 0; form <= 8; ++form) {
        const float base = 95 - form * 10.5f;
        // The reference point (index -1) sits at the left of each row, below it.
        const SingleList x({2, 12, 30, 45, 60}, -1), y({base - 6, base - 4, base, base - 5, base - 1}, -1);
        g->EPTYP(form);
        pen(*g, 0, 0, 0);
        g->POLYGON(x, y, form == 3 ? 0 : -2, static_cast<int16_t>(form % 7), 0,
                   QStringLiteral("EPTYP %1, PSTYP %2").arg(form).arg(form % 7), 3, 0, true);
    }
}

void drawTexts(vb::OutputSurface& s, SessionContext& session)
{
    auto g = panel(s, session, 5, QStringLiteral("labels and markup"));
    g->EAXEX(0);
    g->EAXEY(0);
    plainAxes(*g);
    g->SKALEN(0);
    pen(*g, 0, 0, vb::QBColor(12));
    const float cx = 25, cy = 40;
    for (int16_t angle : {0, 45, 90}) g->TEXT(cx, cy, QStringLiteral("  {g,a}{t,1} = 2,5 m{h,2}"), 1, angle, 0, 1);
    g->KREIS(cx, cy, 1, 0, 0, 0, false);
    g->TEXT(5, 90, QStringLiteral("1,5E+03 kN"), 1, 0, 0, 1);
    g->TEXT(5, 82, QStringLiteral("{g,abgdeqlmnpst} {g,DFGLPSW}"), 1, 0, 0, 1);
    g->TEXT(5, 74, QStringLiteral("E{t,s} = 45 MN/m{h,2}, {gh,f}"), 1, 0, 0, 1);
    g->TEXT(5, 66, QStringLiteral("{s,0} {s,1} {s,2} {s,3} {s,4} {s,5} {s,6} {c,169} {c,177}"), 1, 0, 0, 1);
    // Alignment round a point: ARX 0/1/2 above, centred and below.
    for (int16_t ary = 0; ary <= 2; ++ary) {
        const float y = 22 - ary * 9.0f;
        for (int16_t arx = 0; arx <= 2; ++arx) {
            const float x = 58 + arx * 15.0f;
            g->TEXT(x, y, QStringLiteral("%1%2").arg(arx).arg(ary), 1, 0, arx, ary);
            g->POLYGON({x}, {y}, 2, 0, 0, QString(), 0, 0, true);
        }
    }
    g->TEXT(80, 50, QStringLiteral("AL = 90 ARX = 1"), 1, 90, 1, 1);
}

void drawCircles(vb::OutputSurface& s, SessionContext& session)
{
    auto g = panel(s, session, 6, QStringLiteral("circles and arcs, clipped"));
    pen(*g, 0, 0, 0);
    plainAxes(*g);
    g->SKALEN(0);
    constexpr float pi = static_cast<float>(std::numbers::pi);
    pen(*g, 0, 0.25f, vb::QBColor(1));
    g->KREIS(95, 50, 15, 0, 0, 0, false);          // cut by the right edge
    g->KREIS(50, 95, 12, 0, 0, 0, false);          // cut by the top edge
    g->KREIS(3, 3, 18, 0, pi / 2, 0, false);       // a quarter at the corner
    g->KREIS(35, 45, 10, 0, 0, 0, false);          // whole
    pen(*g, 0, 0.25f, vb::QBColor(4));
    g->KREIS(35, 45, 14, pi / 4, 7 * pi / 4, 1, false);
    g->KREIS(65, 20, 8, 0, 3 * pi / 2, 3, true);   // polygonal, heads at both ends
    g->KREIS(70, 55, 6, pi / 2, 2 * pi, 4, false); // dot and head
    g->KREIS(20, 75, 6, pi, 2.5f * pi, 5, true);
    pen(*g, 2, 0, vb::QBColor(2));
    g->KREIS(50, 50, 60, 0, 0, 0, true);           // polygonal, cut at the frame
}

void drawLoads(vb::OutputSurface& s, SessionContext& session)
{
    auto g = panel(s, session, 7, QStringLiteral("load areas, force, level, terrain"));
    pen(*g, 0, 0, 0);
    plainAxes(*g);
    g->SKALEN(0);
    LoadArray p{};
    p[0] = {10, 20};  // vertical load of the first family, growing along the segment
    p[2] = {8, 4};    // second family on top
    p[1] = {0, 3};
    g->LASTFLAECHEN({10, 60}, {60, 60}, p, 6);
    float x1 = 15, y1 = 25, x2 = 55, y2 = 35;
    g->SCHNITTKRAFT(x1, y1, x2, y2, 8, 1, 1);
    x1 = 15, y1 = 10, x2 = 55, y2 = 20;
    g->SCHNITTKRAFT(x1, y1, x2, y2, 8, 2, 1);
    pen(*g, 0, 0, vb::QBColor(1));
    float dh = 4;
    g->KOTENDREIECK(78, 85, dh, 0, 1, 3);
    dh = 4;
    g->KOTENDREIECK(78, 65, dh, 0, 0, 1);
    pen(*g, 0, 0, vb::QBColor(6));
    g->POLYGON({62, 98}, {40, 40}, 0, 0, 0, QString(), 0, 0, false);
    g->GELAENDESCHRAFFUR(64, 40, 2.5f, 4, 0, 2);
}

void drawArrows(vb::OutputSurface& s, SessionContext& session)
{
    auto g = panel(s, session, 8, QStringLiteral("arrows, labels by position"));
    pen(*g, 0, 0, 0);
    plainAxes(*g);
    g->SKALEN(0);
    for (int16_t lage = 1; lage <= 6; ++lage) {
        const float y = 100 - lage * 14.0f;
        pen(*g, 0, 0, vb::QBColor(lage));
        g->POLYGON({8, 30, 50, 70}, {y, y + 6, y, y + 6}, 0, 0, 0, QStringLiteral("LAGEPFEIL %1").arg(lage),
                   lage == 1 ? 5 : lage == 2 ? 10 : 0, lage, false);
    }
    pen(*g, 0, 0.5f, vb::QBColor(0));
    g->POLYGON({80, 95}, {10, 30}, 0, 0, 0, QStringLiteral("0.5 mm"), 5, 1, false);
}

}  // namespace

void GallerySheet::prepareDatabase(db::Connection& connection)
{
    connection.Execute(QStringLiteral("DELETE FROM G0 WHERE ID = 1"));
    for (const Frame& f : frames) {
        connection.Execute(QStringLiteral("INSERT INTO G0 (ID, IDOBJEKT, OX, OY, RL, RR, RO, RU, XMIN, XMAX, YMIN, "
                                          "YMAX, MX, MY, MYMX, MSP) VALUES (1, %1, %2, %3, 13, 5, 5, 13, %4, %5, "
                                          "%6, %7, 0, 0, 0, 0)")
                               .arg(f.id)
                               .arg(f.ox)
                               .arg(f.oy)
                               .arg(f.xmin)
                               .arg(f.xmax)
                               .arg(f.ymin)
                               .arg(f.ymax));
    }
}

void GallerySheet::draw(vb::OutputSurface& s, SessionContext& session)
{
    s.ScaleMode(vb::OutputSurface::vbMillimeters);
    drawLinear(s, session);
    drawLogLog(s, session);
    drawReversed(s, session);
    drawLineForms(s, session);
    drawTexts(s, session);
    drawCircles(s, session);
    drawLoads(s, session);
    drawArrows(s, session);
    s.flush();
}
