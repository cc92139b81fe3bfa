#include "graphics/CircleClipper.h"

#include "graphics/PlotMath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double twoPi = 2 * std::numbers::pi;
}

bool CircleClipper::inside(const ClipRect& r, double cx, double cy, double radius)
{
    // Strictly inside: a circle touching the frame is cut there like any other.
    return cx - radius > r.left && cx + radius < r.right && cy - radius > r.top && cy + radius < r.bottom;
}

std::vector<CircleCrossing> CircleClipper::crossings(const ClipRect& r, double cx, double cy, double radius)
{
    std::vector<CircleCrossing> out;
    const auto add = [&](double x, double y, int edge) {
        if (out.size() < maxCrossings) out.push_back({x, y, PlotMath::WINKEL(cx, cy, x, y), edge});
    };
    std::pair<double, double> s;
    const double sidesX[2] = {r.left, r.right};
    for (int k = 0; k < 2; ++k) {
        if (!PlotMath::KREISSCHNITTX(cx, cy, radius, sidesX[k], s)) continue;
        const int edge = k == 0 ? 0 : 2;
        if (s.first >= r.top && s.first <= r.bottom) add(sidesX[k], s.first, edge);
        if (s.second != s.first && s.second >= r.top && s.second <= r.bottom) add(sidesX[k], s.second, edge);
    }
    const double sidesY[2] = {r.top, r.bottom};
    for (int k = 0; k < 2; ++k) {
        if (!PlotMath::KREISSCHNITTY(cx, cy, radius, sidesY[k], s)) continue;
        const int edge = k == 0 ? 1 : 3;
        // The corners were taken with the side edges.
        if (s.first > r.left && s.first < r.right) add(s.first, sidesY[k], edge);
        if (s.second != s.first && s.second > r.left && s.second < r.right) add(s.second, sidesY[k], edge);
    }
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.angle < b.angle; });
    return out;
}

std::optional<std::vector<ArcPiece>> CircleClipper::insidePieces(const ClipRect& r, double cx, double cy,
                                                                 double radius,
                                                                 const std::vector<CircleCrossing>& c)
{
    std::vector<ArcPiece> pieces;
    const std::size_t n = c.size();
    for (std::size_t i = 0; i < n; ++i) {
        const double from = c[i].angle;
        double to = c[(i + 1) % n].angle;
        if (to <= from) to += twoPi;
        const double mid = (from + to) / 2;
        const double mx = cx + radius * std::cos(mid), my = cy + radius * std::sin(mid);
        const bool strictlyInside = mx > r.left && mx < r.right && my > r.top && my < r.bottom;
        if (!strictlyInside && r.contains(mx, my)) return std::nullopt;  // on the frame: undecidable
        if (strictlyInside) pieces.push_back({from, to});
    }
    return pieces;
}

std::vector<ArcPiece> CircleClipper::intersect(const std::vector<ArcPiece>& pieces, const ArcPiece& requested)
{
    std::vector<ArcPiece> out;
    for (const ArcPiece& p : pieces) {
        for (int shift = -2; shift <= 2; ++shift) {
            const double from = std::max(p.from + shift * twoPi, requested.from);
            const double to = std::min(p.to + shift * twoPi, requested.to);
            if (to - from > 1e-9) out.push_back({from, to});
        }
    }
    return out;
}
