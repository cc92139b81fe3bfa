// Load areas on a segment and the force symbol of a member.
#include "graphics/clsGRAFIK.h"

#include "data/clsDATEN.h"
#include "graphics/PlotMath.h"
#include "platform/ui/Procedure.h"

#include <algorithm>
#include <cmath>

// A solid pen of `widthMm` in one of the sixteen basic colours, for the load drawings.
void clsGRAFIK::solidPen(float widthMm, int basicColour)
{
    int16_t style = 0;
    int32_t colour = static_cast<int32_t>(vb::QBColor(basicColour));
    LINIENEINSTELLUNGEN(style, widthMm, colour);
}

void clsGRAFIK::LASTFLAECHEN(const std::vector<float>& X, const std::vector<float>& Y, const LoadArray& P, int16_t IT)
{
    auto p = trap(QStringLiteral("Lastflächen"));
    float msp = 0;
    Point A{0, 0}, B{0, 0}, A1{0, 0}, B1{0, 0};
    LoadArray scaled{};
    p.step([&] {
        clsDATEN dat(session_);
        dat.ETABELLE(QStringLiteral("G0"));
        dat.ESPIDW(eid_);
        const IndexPairs idx{QStringLiteral("IDOBJEKT"), vb::Value(eidObjekt_)};
        dat.DTVS(QStringLiteral("MSP"), msp, idx);
        if (msp != 0) return;
        // The largest combined load of the two ends is drawn 15 mm long.
        for (int j = 0; j < 2; ++j) {
            const double v = P[0][j] + P[2][j], h = P[1][j] + P[3][j];
            msp = std::max(msp, static_cast<float>(std::sqrt(v * v + h * h) / 15));
        }
        dat.DVTS(QStringLiteral("MSP"), msp, idx);
    });
    p.step([&] {
        solidPen(0, 12);
    });
    p.step([&] {
        if (X.size() < 2 || Y.size() < 2) vb::raise(vb::errSubscript);
        A = toDevice(X[0], Y[0]);
        B = toDevice(X[1], Y[1]);
        LINIE(A.x, A.y, B.x, B.y);
    });
    p.step([&] {
        for (std::size_t k = 0; k < 4; ++k)
            for (std::size_t j = 0; j < 2; ++j) scaled[k][j] = static_cast<float>(PlotMath::divide(P[k][j], msp));
    });
    // A family of arrows from a tail line onto a base line; the tail line lies at the loads'
    // offsets (horizontal to the right, vertical upwards) from the base.
    const auto family = [&](const Point& a, const Point& b, std::size_t vertical, std::size_t horizontal) {
        const Point ta{a.x + scaled[horizontal][0], a.y - scaled[vertical][0]};
        const Point tb{b.x + scaled[horizontal][1], b.y - scaled[vertical][1]};
        const double bsx = PlotMath::divide(b.x - a.x, IT), bsy = (b.y - a.y) / IT;
        const double tsx = (tb.x - ta.x) / IT, tsy = (tb.y - ta.y) / IT;
        for (int i = 0; i <= IT; ++i) {
            const Point s{a.x + i * bsx, a.y + i * bsy}, t{ta.x + i * tsx, ta.y + i * tsy};
            LINIE(t.x, t.y, s.x, s.y);
            PFEIL(t.x, t.y, s.x, s.y);
        }
        LINIE(ta.x, ta.y, tb.x, tb.y);
        return std::pair{ta, tb};
    };
    p.step([&] { std::tie(A1, B1) = family(A, B, 0, 1); });
    p.step([&] {
        solidPen(0, 4);
        family(A1, B1, 2, 3);
    });
}

void clsGRAFIK::SCHNITTKRAFT(float& X1, float& Y1, float& X2, float& Y2, float SHHH, int16_t TYP, int16_t SY)
{
    auto p = trap(QStringLiteral("Schnittkraft"));
    p.step([&] {
        solidPen(0.2f, 2);
    });
    p.step([&] {
        const Point p1 = toDevice(X1, Y1), p2 = toDevice(X2, Y2);
        X1 = static_cast<float>(p1.x), Y1 = static_cast<float>(p1.y);
        X2 = static_cast<float>(p2.x), Y2 = static_cast<float>(p2.y);
        LINIE(X1, Y1, X2, Y2);
    });
    p.step([&] {
        if (SY != 1 || (TYP < 1 || TYP > 3)) return;
        const double phi = PlotMath::WINKEL(X1, Y1, X2, Y2);
        const double g = std::hypot(X2 - X1, Y2 - Y1) / 2;
        constexpr double half = PlotMath::PI / 2;
        Point m{X1 + g * std::cos(phi), Y1 + g * std::sin(phi)};
        // Across the member at its middle, or along it beside the member by half a head length.
        double along = phi + half;
        if (TYP != 1) {
            m = {m.x + 1.25 * std::cos(phi - half), m.y + 1.25 * std::sin(phi - half)};
            along = phi;
        }
        const Point a{m.x - SHHH / 2 * std::cos(along), m.y - SHHH / 2 * std::sin(along)};
        const Point b{m.x + SHHH / 2 * std::cos(along), m.y + SHHH / 2 * std::sin(along)};
        LINIE(a.x, a.y, b.x, b.y);
        PFEIL(a.x, a.y, b.x, b.y);
        PFEIL(b.x, b.y, a.x, a.y);
    });
}
