// Lines, arrowheads and the two ground-engineering symbols (level triangle, terrain hatching).
#include "graphics/clsGRAFIK.h"

#include "graphics/PlotMath.h"
#include "platform/surface/OutputSurface.h"
#include "platform/ui/Procedure.h"

#include <cmath>

void clsGRAFIK::LINIE(float X1, float Y1, float X2, float Y2, std::optional<vb::OleColor> FB, int16_t BOSK)
{
    auto p = trap(QStringLiteral("LINIE"), QStringLiteral("VB-Fehler: \r\nFehlerNr. "));
    p.step([&] { clipLine(X1, Y1, X2, Y2, FB, BOSK); });
}

void clsGRAFIK::clipLine(double x1, double y1, double x2, double y2, std::optional<vb::OleColor> colour, int16_t BOSK)
{
    // BOSK 1: the whole diagram area (ticks and labels in the margins); otherwise the frame.
    const auto seg = LineClipper::clip(BOSK == 1 ? diagramArea() : plotFrame(), x1, y1, x2, y2);
    if (seg) surface().Line(seg->x1, seg->y1, seg->x2, seg->y2, colour);
}

void clsGRAFIK::polar(const Point& from, double angle, double length, Point& to, bool draw)
{
    to = {from.x + length * std::cos(angle), from.y + length * std::sin(angle)};
    if (draw) LINIE(from.x, from.y, to.x, to.y);
}

void clsGRAFIK::PFEIL(float XP1, float YP1, float XP2, float YP2)
{
    auto p = trap(QStringLiteral("Pfeil"));
    p.step([&] { arrowHead(XP1, YP1, XP2, YP2); });
}

void clsGRAFIK::arrowHead(double x1, double y1, double x2, double y2)
{
    constexpr float opening = PlotMath::PI / 12;  // half the head's opening, 15 degrees
    double length = 2.5;
    // Direction from the tip back along the shaft; short shafts get a smaller head.
    const double phi = PlotMath::WINKEL(x2, y2, x1, y1);
    const double d = std::hypot(x2 - x1, y2 - y1);
    if (2 * length > d) length = d / 2;
    const Point tip{x2, y2};
    Point b1, b2;
    polar(tip, phi + opening, length, b1, true);
    polar(tip, phi - opening, length, b2, true);
    LINIE(b1.x, b1.y, b2.x, b2.y);
}

void clsGRAFIK::KOTENDREIECK(float X, float Y, float& DH, float RIWI, int16_t GW, int16_t VOLL)
{
    auto p = trap(QStringLiteral("Kotendreieck"));
    p.step([&] {
        constexpr double pi = PlotMath::PI, quarter = PlotMath::PI / 4;
        const double phi = RIWI * static_cast<double>(PlotMath::GRAD);
        const Point P = toDevice(X, Y);
        DH = static_cast<float>(PlotMath::divide(DH, frame_.MY));
        const double dh = DH;
        Point end, q0, q1, back;
        // The level line, in two halves from the marked point.
        polar(P, phi, dh, end, true);
        polar(P, phi - pi, dh, end, true);
        // The triangle standing on its apex at the point.
        polar(P, phi + pi + quarter, dh / std::cos(quarter), q0, true);
        polar(q0, phi, 2 * dh * std::tan(quarter), q1, true);
        polar(q1, phi + pi / 2 + quarter, dh / std::cos(quarter), back, true);
        if (GW == 1) {
            // Water level: two shorter lines below the level line.
            for (int i = 2; i <= 3; ++i) {
                Point S;
                polar(P, phi + pi / 2, (i - 1) / 2.0 * dh / 2, S, false);
                const double h = (3.5 - i) * dh / 2;
                polar(S, phi + pi, h, end, true);
                polar(S, phi + pi, -h, end, true);
            }
        }
        if (VOLL > 0) {
            // Rays from the apex that end exactly on the base.
            for (int v = 1; v <= 34; ++v) {
                const double theta = (1 - v / 70.0) * pi / 2;
                const double length = dh / std::sin(theta);
                if (VOLL == 2 || VOLL == 3) polar(P, phi + pi + theta, length, end, true);
                if (VOLL == 1 || VOLL == 3) polar(P, phi - theta, length, end, true);
            }
        }
    });
}

void clsGRAFIK::GELAENDESCHRAFFUR(float X1, float Y1, float H1, int16_t ANS, float BE, int16_t KO)
{
    auto p = trap(QStringLiteral("Geländeschraffur"));
    p.step([&] {
        constexpr double quarter = PlotMath::PI / 4;
        const double sx = KO == 2 ? frame_.MX : 1.0, sy = KO == 2 ? frame_.MY : 1.0;
        const double d = frame_.OY == 1 ? 1.0 : -1.0;
        const double alpha = BE * static_cast<double>(PlotMath::GRAD) * PlotMath::divide(frame_.MX, frame_.MY);
        // Two stroke vectors 45 degrees to either side of the direction, in world units.
        const Point a{H1 * std::cos(alpha - quarter) * sx, H1 * std::sin(alpha - quarter) * d * sy};
        const Point b{-H1 * std::cos(alpha - 3 * quarter) * sx, -H1 * std::sin(alpha - 3 * quarter) * d * sy};
        const auto stroke = [&](const Point& from, const Point& to) {
            POLYGON(SingleList{static_cast<float>(from.x), static_cast<float>(to.x)},
                    SingleList{static_cast<float>(from.y), static_cast<float>(to.y)}, 0, 0, 0, QString(), 0, 0, false);
        };
        const auto add = [](const Point& p0, const Point& v, double k) { return Point{p0.x + k * v.x, p0.y + k * v.y}; };
        Point P{X1, Y1};
        for (int i = 0; i < ANS; ++i) {
            const Point pa = add(P, a, 1), p2a = add(P, a, 2), p2ab = add(p2a, b, 1);
            stroke(P, pa);
            stroke(pa, p2a);
            stroke(pa, add(pa, b, 1));
            stroke(p2a, p2ab);
            stroke(p2ab, add(p2ab, a, 1));
            stroke(p2ab, add(p2ab, b, 1));
            P = add(add(P, a, 2), b, 2);
        }
    });
}
