#include "graphics/LineClipper.h"

#include "graphics/PlotMath.h"

#include <algorithm>
#include <utility>

std::optional<ClipSegment> LineClipper::clip(const ClipRect& r, double x1, double y1, double x2, double y2)
{
    // The first end is the left one.
    if (x2 <= x1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    if (x2 < r.left || x1 > r.right) return std::nullopt;
    if (std::max(y1, y2) < r.top || std::min(y1, y2) > r.bottom) return std::nullopt;
    if (r.contains(x1, y1) && r.contains(x2, y2)) return ClipSegment{x1, y1, x2, y2};
    if (x1 == x2) {
        return ClipSegment{x1, std::clamp(y1, r.top, r.bottom), x2, std::clamp(y2, r.top, r.bottom)};
    }
    if (y1 == y2) {
        return ClipSegment{std::clamp(x1, r.left, r.right), y1, std::clamp(x2, r.left, r.right), y2};
    }
    return clipSlanted(r, x1, y1, x2, y2);
}

std::optional<ClipSegment> LineClipper::clipSlanted(const ClipRect& r, double x1, double y1, double x2, double y2)
{
    // Points of the segment that are visible: the inside ends and the crossings with the
    // edges, ordered along the segment by x (the segment runs left to right).
    double xs[6], ys[6];
    int n = 0;
    const auto add = [&](double x, double y) {
        xs[n] = x;
        ys[n] = y;
        ++n;
    };
    if (r.contains(x1, y1)) add(x1, y1);
    const double xa = std::min(x1, x2), xb = std::max(x1, x2);
    const double ya = std::min(y1, y2), yb = std::max(y1, y2);
    for (double ex : {r.left, r.right}) {
        if (ex < xa || ex > xb) continue;
        const double y = PlotMath::LININT(x1, x2, ex, y1, y2);
        if (y >= r.top && y <= r.bottom) add(ex, y);
    }
    for (double ey : {r.top, r.bottom}) {
        if (ey < ya || ey > yb) continue;
        const double x = PlotMath::LININT(y1, y2, ey, x1, x2);
        if (x > r.left && x < r.right) add(x, ey);  // corners were found on the side edges
    }
    if (r.contains(x2, y2)) add(x2, y2);
    if (n < 2) return std::nullopt;  // passes outside a corner, or only touches it
    int first = 0, last = 0;
    for (int i = 1; i < n; ++i) {
        if (xs[i] < xs[first]) first = i;
        if (xs[i] > xs[last]) last = i;
    }
    return ClipSegment{xs[first], ys[first], xs[last], ys[last]};
}
