// Polygons: the line forms, point symbols, point numbers, the label and arrowheads.
#include "graphics/clsGRAFIK.h"

#include "graphics/PlotMath.h"
#include "graphics/PointSymbol.h"
#include "platform/surface/OutputSurface.h"
#include "platform/ui/Procedure.h"

#include <cmath>

namespace {

// Symbol type -> palette colour when the polygon is coloured by its symbol type.
int paletteOf(int PSTYP)
{
    static constexpr int palette[8] = {1, 2, 3, 4, 5, 10, 9, 0};
    return palette[PSTYP];
}

// Midpoints between neighbours along one coordinate; the first and last point get a half
// spacing of their own, symmetric about them.
std::vector<double> lowerEdges(const std::vector<double>& v)
{
    std::vector<double> e(v.size());
    e[0] = v[0] - (v[1] - v[0]) / 2;
    for (std::size_t i = 1; i < v.size(); ++i) e[i] = (v[i - 1] + v[i]) / 2;
    return e;
}

std::vector<double> upperEdges(const std::vector<double>& v)
{
    const std::size_t n = v.size();
    std::vector<double> e(n);
    for (std::size_t i = 0; i + 1 < n; ++i) e[i] = (v[i] + v[i + 1]) / 2;
    e[n - 1] = v[n - 1] + (v[n - 1] - v[n - 2]) / 2;
    return e;
}

}  // namespace

void clsGRAFIK::POLYGON(const SingleList& X, const SingleList& Y, int16_t PSIT, int16_t PSTYP, int16_t PNR,
                        const QString& TEXT, int16_t LAGETEXT, int16_t LAGEPFEIL, bool FARBEN,
                        const std::vector<bool>* BOL)
{
    auto p = trap(QStringLiteral("Polygon"));
    std::optional<vb::OleColor> saved;
    Point ref{0, 0};
    std::vector<Point> P;
    p.step([&] {
        saved = surface().ForeColor();
        if (FARBEN && PSTYP >= 0 && PSTYP <= 7) surface().ForeColor(vb::QBColor(paletteOf(PSTYP)));
    });
    p.step([&] {
        // The reference point of the staircase forms: index -1 of the lists, or the frame corner.
        ref = X.LBound() == -1 ? toDevice(X(-1), Y(-1)) : toDevice(frame_.XMIN, frame_.YMIN);
    });
    p.step([&] {
        const int n = X.UBound() + 1;
        P.reserve(static_cast<std::size_t>(std::max(n, 0)));
        for (int i = 0; i < n; ++i) P.push_back(toDevice(X(i), Y(i)));
    });
    p.step([&] { drawLineForm(P, ref, BOL); });
    if (PSIT != 0) p.step([&] { drawSymbols(P, PSIT, PSTYP); });
    if (PNR != 0) p.step([&] { drawNumbers(P, PNR); });
    if (!TEXT.isEmpty()) p.step([&] { drawLabel(P, TEXT, LAGETEXT); });
    if (P.size() >= 2) p.step([&] { drawArrows(P, LAGEPFEIL); });
    if (saved && surface_) surface_->ForeColor(*saved);
}

void clsGRAFIK::drawLineForm(const std::vector<Point>& P, const Point& ref, const std::vector<bool>* BOL)
{
    const std::size_t n = P.size();
    const auto line = [&](double x1, double y1, double x2, double y2) { LINIE(x1, y1, x2, y2); };
    if (eptyp_ == 3) {
        const ClipRect frame = plotFrame();
        for (const Point& q : P)
            if (frame.contains(q.x, q.y)) surface().PSet(q.x, q.y);
        return;
    }
    if (n < 2) return;  // a single point has no line
    std::vector<double> xs(n), ys(n);
    for (std::size_t i = 0; i < n; ++i) xs[i] = P[i].x, ys[i] = P[i].y;
    switch (eptyp_) {
    case 0:
        for (std::size_t i = 1; i < n; ++i)
            if (!BOL || (i - 1 < BOL->size() && (*BOL)[i - 1])) line(xs[i - 1], ys[i - 1], xs[i], ys[i]);
        break;
    case 1: {  // horizontal plateaus joined by risers at the x midpoints
        const auto lo = lowerEdges(xs), hi = upperEdges(xs);
        for (std::size_t i = 0; i < n; ++i) {
            if (i > 0) line(lo[i], ys[i - 1], lo[i], ys[i]);
            line(lo[i], ys[i], hi[i], ys[i]);
        }
        break;
    }
    case 4:  // staircase from the reference point, vertical first
        line(ref.x, ref.y, ref.x, ys[0]);
        line(ref.x, ys[0], xs[0], ys[0]);
        for (std::size_t i = 0; i + 1 < n; ++i) {
            line(xs[i], ys[i], xs[i], ys[i + 1]);
            line(xs[i], ys[i + 1], xs[i + 1], ys[i + 1]);
        }
        break;
    case 5:  // staircase from the reference point, horizontal first
        line(ref.x, ref.y, xs[0], ref.y);
        line(xs[0], ref.y, xs[0], ys[0]);
        for (std::size_t i = 0; i + 1 < n; ++i) {
            line(xs[i], ys[i], xs[i + 1], ys[i]);
            line(xs[i + 1], ys[i], xs[i + 1], ys[i + 1]);
        }
        break;
    case 6:
        line(ref.x, ref.y, xs[0], ys[0]);
        for (std::size_t i = 0; i + 1 < n; ++i) {
            line(xs[i], ys[i], xs[i], ys[i + 1]);
            line(xs[i], ys[i + 1], xs[i + 1], ys[i + 1]);
        }
        break;
    default: {  // 2, 7, 8 and above: vertical plateaus joined at the y midpoints
        const auto lo = lowerEdges(ys), hi = upperEdges(ys);
        // Form 8 closes the steps against the reference x, at the outer plateau ends.
        if (eptyp_ == 8) line(ref.x, lo[0], xs[0], lo[0]);
        for (std::size_t i = 0; i < n; ++i) {
            if (i > 0) line(xs[i - 1], lo[i], xs[i], lo[i]);
            line(xs[i], lo[i], xs[i], hi[i]);
        }
        if (eptyp_ == 8) line(xs[n - 1], hi[n - 1], ref.x, hi[n - 1]);
        break;
    }
    }
}

std::vector<int> clsGRAFIK::selectedPoints(int n, int16_t every)
{
    if (n < 1 || every == 0) return {};
    if (every == -1) return {0};
    if (every == 1) return {n - 1};
    if (every == 2) return n == 1 ? std::vector<int>{0} : std::vector<int>{0, n - 1};
    const int step = every < 3 ? 1 : std::max(1, PlotMath::toInt(static_cast<double>(n - 1) / (every - 1)));
    std::vector<int> out;
    for (int i = 0; i <= n - 1; i += step) out.push_back(i);
    return out;
}

void clsGRAFIK::drawSymbols(const std::vector<Point>& P, int16_t PSIT, int16_t PSTYP)
{
    const ClipRect frame = plotFrame();
    for (int i : selectedPoints(static_cast<int>(P.size()), PSIT)) {
        const Point& q = P[static_cast<std::size_t>(i)];
        if (frame.contains(q.x, q.y)) PointSymbol::draw(surface(), PSTYP, q.x, q.y);
    }
}

void clsGRAFIK::drawNumbers(const std::vector<Point>& P, int16_t PNR)
{
    for (int i : selectedPoints(static_cast<int>(P.size()), PNR)) {
        const Point& q = P[static_cast<std::size_t>(i)];
        TEXT(q.x + 1, q.y - 1, QString::number(i), 0, 0, 0, 0);
    }
}

void clsGRAFIK::drawLabel(const std::vector<Point>& P, const QString& text, int16_t LAGETEXT)
{
    const int n = static_cast<int>(P.size());
    if (n < 1) return;
    const Point first = P.front(), last = P.back();
    // Labels along a segment stand above its midpoint, turned with it.
    const auto alongSegment = [&](int m) {
        if (n < 2) return;
        const Point a = P[static_cast<std::size_t>(m)], b = P[static_cast<std::size_t>(m + 1)];
        const double dx = b.x - a.x, dy = a.y - b.y;
        const int16_t angle = dx == 0 ? 90 : static_cast<int16_t>(PlotMath::toInt(std::atan(dy / dx) / PlotMath::GRAD));
        TEXT((a.x + b.x) / 2, (a.y + b.y) / 2, text, 0, angle, 1, 2);
    };
    switch (LAGETEXT) {
    case 1: TEXT(last.x, last.y, text, 0, 0, 1, 2); break;
    case 2: TEXT(last.x, last.y, text, 0, 0, 1, 0); break;
    case 3: TEXT(last.x + 2, last.y, text, 0, 0, 0, 1); break;
    case 4: TEXT(last.x - 2, last.y, text, 0, 0, 2, 1); break;
    case 5: alongSegment(0); break;
    case 6: TEXT(first.x, first.y, text, 0, 0, 1, 2); break;
    case 7: TEXT(first.x, first.y, text, 0, 0, 1, 0); break;
    case 8: TEXT(first.x + 2, first.y, text, 0, 0, 0, 1); break;
    case 9: TEXT(first.x - 2, first.y, text, 0, 0, 2, 1); break;
    case 10: alongSegment((n - 1) / 2 < n - 1 ? (n - 1) / 2 : n - 2); break;
    case 11: TEXT(last.x - 2, last.y, text, 0, 0, 2, 0); break;
    case 12: TEXT(last.x - 2, last.y, text, 0, 0, 2, 2); break;
    case 13: TEXT(last.x + 2, last.y, text, 0, 0, 0, 0); break;
    case 14: TEXT(last.x + 2, last.y, text, 0, 0, 0, 2); break;
    default: alongSegment(n - 2); break;
    }
}

void clsGRAFIK::drawArrows(const std::vector<Point>& P, int16_t LAGEPFEIL)
{
    const std::size_t n = P.size();
    const auto head = [&](const Point& from, const Point& to) { PFEIL(from.x, from.y, to.x, to.y); };
    switch (LAGEPFEIL) {
    case 1: head(P[n - 2], P[n - 1]); break;
    case 2: head(P[1], P[0]); break;
    case 3:
        head(P[n - 2], P[n - 1]);
        head(P[1], P[0]);
        break;
    case 4:
        for (std::size_t i = 1; i < n; ++i) head(P[i - 1], P[i]);
        break;
    case 5:
        for (std::size_t i = 1; i < n; ++i) head(P[i], P[i - 1]);
        break;
    case 6:
        for (std::size_t i = 1; i < n; ++i) {
            head(P[i - 1], P[i]);
            head(P[i], P[i - 1]);
        }
        break;
    default: break;
    }
}
