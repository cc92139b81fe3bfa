// Circles and arcs cut at the plot frame, exact or as a polygon of 10-degree chords, with
// arrowheads or dots at their ends.
#include "graphics/clsGRAFIK.h"

#include "graphics/CircleClipper.h"
#include "graphics/PlotMath.h"
#include "platform/surface/OutputSurface.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

double normalized(double a)
{
    a = std::fmod(a, twoPi);
    return a < 0 ? a + twoPi : a;
}

// How a world angle (counter-clockwise, y upwards) appears as a device angle (y downwards):
// device = base + sign * world.
struct AngleMap {
    double base;
    int sign;

    double operator()(double world) const { return base + sign * world; }
};

AngleMap angleMap(int16_t OX, int16_t OY)
{
    if (OX == 1 && OY == 1) return {twoPi, -1};
    if (OX == 1) return {0, 1};
    if (OY == 1) return {std::numbers::pi, 1};
    return {std::numbers::pi, -1};
}

void message(const QString& text, const QString& title)
{
    vb::MsgBox(text, vb::vbOKOnly | vb::vbExclamation, title);
}

}  // namespace

void clsGRAFIK::KREIS(float XM, float YM, float R, float AL1, float AL2, int16_t LAGEPFEIL, bool BOKREISP,
                      std::optional<int16_t> KO)
{
    auto p = trap(QStringLiteral("KREIS"), QStringLiteral("VB-Fehler: \r\nFehlerNr. "));
    p.step([&] {
        if (AL2 == 0) AL2 = PlotMath::PI_2;
        const int16_t mode = KO.value_or(1);
        Point c{XM, YM};
        double r = R;
        if (mode == 1) {
            c = toDevice(XM, YM);
            const Point start = toDevice(XM + R * std::cos(AL1), YM + R * std::sin(AL1));
            r = std::hypot(start.x - c.x, start.y - c.y);
        } else if (mode == 2) {
            c = {XM + exdl_ + scrollX_, YM + eydo_ + scrollY_};
        }
        // The requested arc in device angles: it starts at ds and runs `sign` way for `span`.
        const AngleMap map = angleMap(frame_.OX, frame_.OY);
        const double span = std::fabs(AL2 - AL1);
        double ds = map(AL1), de = map(AL2);
        const int sign = AL2 >= AL1 ? map.sign : -map.sign;
        const ClipRect frame = plotFrame();
        if (BOKREISP) {
            if (ds > twoPi) ds -= twoPi;
            if (de > twoPi) de -= twoPi;
            // Chords of 10 degrees from the start towards the end; the last one ends exactly there
            // (a rest of a ten-thousandth of a step, single-precision noise, makes no chord).
            const double step = 10 * static_cast<double>(PlotMath::GRAD);
            const double way = de - ds;
            const int chords = std::max(1, static_cast<int>(std::ceil(std::fabs(way) / step - 1e-4)));
            const double dir = way < 0 ? -1 : 1;
            Point a{c.x + r * std::cos(ds), c.y + r * std::sin(ds)};
            for (int k = 1; k <= chords; ++k) {
                const double angle = k == chords ? de : ds + dir * k * step;
                const Point b{c.x + r * std::cos(angle), c.y + r * std::sin(angle)};
                LINIE(a.x, a.y, b.x, b.y);
                a = b;
            }
        } else {
            const double lo = sign > 0 ? ds : ds - span;
            const ArcPiece requested{normalized(lo), normalized(lo) + span};
            std::vector<ArcPiece> visible;
            if (CircleClipper::inside(frame, c.x, c.y, r)) {
                visible.push_back(requested);
            } else {
                const auto crossings = CircleClipper::crossings(frame, c.x, c.y, r);
                if (crossings.size() % 2 != 0) {
                    message(QStringLiteral("Ungerade Anzahl von Schnittpunkten des Kreises mit den Grenzen"),
                            QStringLiteral("Bogen"));
                    return;
                }
                const auto pieces = CircleClipper::insidePieces(frame, c.x, c.y, r, crossings);
                if (!pieces) {
                    message(QStringLiteral("Kriterium für Berechnung der Winkel  H1 bzw. H2 fehlt"),
                            QStringLiteral("KREIS"));
                    return;
                }
                for (const ArcPiece& piece : *pieces) {
                    if (piece.from < 0 || piece.to < 0) {
                        message(QStringLiteral("Winkel  H1 bzw. H2 < 0"), QStringLiteral("KREIS"));
                        return;
                    }
                }
                visible = CircleClipper::intersect(*pieces, requested);
            }
            vb::OutputSurface& s = surface();
            for (const ArcPiece& piece : visible) {
                if (piece.to - piece.from >= twoPi - 1e-9) {
                    s.Circle(c.x, c.y, r, s.ForeColor());
                } else {
                    // The surface counts angles counter-clockwise on the screen: the negated device angles.
                    s.Circle(c.x, c.y, r, s.ForeColor(), normalized(-piece.to), normalized(-piece.from));
                }
            }
        }
        if (LAGEPFEIL > 0) {
            double length = 2.5;
            const double arc = span * r;
            if (2 * length > arc) length = arc / 2;
            const double end = ds + sign * span;
            drawCircleDecorations(c, r, ds, end, sign, length, LAGEPFEIL);
        }
    });
}

void clsGRAFIK::drawCircleDecorations(const Point& c, double r, double start, double end, int sign, double length,
                                      int16_t LAGEPFEIL)
{
    vb::OutputSurface& s = surface();
    s.FillColor(s.ForeColor());
    s.FillStyle(vb::OutputSurface::vbFSSolid);
    const auto dot = [&](double angle) { s.Circle(c.x + r * std::cos(angle), c.y + r * std::sin(angle), 0.5); };
    // A head at the end points along the arc's travel, one at the start against it.
    switch (LAGEPFEIL) {
    case 1: arcHead(c, r, end, sign, length); break;
    case 2: arcHead(c, r, start, -sign, length); break;
    case 3:
        arcHead(c, r, end, sign, length);
        arcHead(c, r, start, -sign, length);
        break;
    case 4:
        dot(start);
        arcHead(c, r, end, sign, length);
        break;
    case 5:
        dot(end);
        arcHead(c, r, start, -sign, length);
        break;
    default: break;
    }
    s.FillStyle(vb::OutputSurface::vbFSTransparent);
}

void clsGRAFIK::arcHead(const Point& c, double r, double angle, double direction, double length)
{
    constexpr double opening = PlotMath::PI / 12;
    const Point tip{c.x + r * std::cos(angle), c.y + r * std::sin(angle)};
    // The tangent the arc arrives along; the barbs point back against it.
    const double back = std::atan2(-direction * std::cos(angle), direction * std::sin(angle));
    Point b1, b2;
    polar(tip, back + opening, length, b1, true);
    polar(tip, back - opening, length, b2, true);
    LINIE(b1.x, b1.y, b2.x, b2.y);
}
