#include "capture/Snap.h"

#include "capture/InkPatch.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace {

// Room around the snapping radius: a marker's body or a line's length beyond the click.
constexpr int pointMargin = 48;
constexpr int cornerMargin = 16, cornerLeast = 32;
// Smaller spots of ink are dirt.
constexpr int minBlobPixels = 4;
// A blob this much longer than wide is a piece of line; a marker is about as wide as long.
constexpr double lineElongation = 2.5, markerElongation = 1.6;
// A marker is this much thicker than the strokes around it (filled, or with its hole filled).
constexpr double markerThickness = 1.4;
// A marker's middle: halfway between its edges in this many directions, found again from the
// middle found so far this many times.
constexpr int directions = 16, centreRounds = 3;
constexpr double shiftAgreement = 0.3;
// A stroke's ink is this much more spread along it than across it.
constexpr double strokeSpread = 4;
// A stroke's profile ends where it falls below this share of its top.
constexpr double edgeShare = 0.2;

struct Blob {
    int pixels = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
    bool edge = false;  // goes on beyond the window: part of a longer line
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;

    int height() const { return bottom - top + 1; }
    // How much longer than wide, from the spread of its pixels.
    double elongation() const
    {
        const double n = pixels, mx = sx / n, my = sy / n;
        const double a = sxx / n - mx * mx, c = syy / n - my * my, b = sxy / n - mx * my;
        const double root = std::sqrt((a - c) * (a - c) / 4 + b * b);
        const double major = (a + c) / 2 + root, minor = std::max((a + c) / 2 - root, 1.0 / 12);
        return std::sqrt(major / minor);
    }
};

// The strokes of a window: 8-connected blobs of ink.
struct Blobs {
    std::vector<int> label;
    std::vector<Blob> list;

    int at(int x, int y, int width) const { return label[static_cast<size_t>(y * width + x)]; }

    // A glyph stands in a row of others of about its height with narrow gaps; a single one
    // is not a compact symbol either (a digit is taller than wide).
    bool isText(int index) const
    {
        const Blob& b = list[static_cast<size_t>(index)];
        for (const Blob& o : list) {
            if (&o == &b || o.pixels < minBlobPixels) continue;
            const int overlap = std::min(b.bottom, o.bottom) - std::max(b.top, o.top) + 1;
            const double ratio = double(o.height()) / b.height();
            const int gap = std::max(o.left - b.right, b.left - o.right) - 1;
            if (overlap >= 0.5 * std::min(b.height(), o.height()) && ratio > 0.6 && ratio < 1.67 && gap >= 0 &&
                gap <= 0.8 * std::max(b.height(), o.height()))
                return true;
        }
        return false;
    }
};

Blobs findBlobs(const InkPatch& p)
{
    const int w = p.width(), h = p.height();
    Blobs blobs;
    blobs.label.assign(static_cast<size_t>(w * h), -1);
    std::vector<int> stack;
    for (int start = 0; start < w * h; ++start) {
        if (blobs.label[static_cast<size_t>(start)] >= 0 || !p.isInk(start % w, start / w)) continue;
        const int id = static_cast<int>(blobs.list.size());
        Blob b{0, start % w, start / w, start % w, start / w};
        blobs.label[static_cast<size_t>(start)] = id;
        stack.push_back(start);
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            const int x = i % w, y = i / w;
            ++b.pixels;
            b.left = std::min(b.left, x), b.right = std::max(b.right, x);
            b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y);
            b.edge = b.edge || x == 0 || y == 0 || x == w - 1 || y == h - 1;
            b.sx += x, b.sy += y, b.sxx += double(x) * x, b.syy += double(y) * y, b.sxy += double(x) * y;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                    const int n = ny * w + nx;
                    if (blobs.label[static_cast<size_t>(n)] >= 0 || !p.isInk(nx, ny)) continue;
                    blobs.label[static_cast<size_t>(n)] = id;
                    stack.push_back(n);
                }
        }
        blobs.list.push_back(b);
    }
    return blobs;
}

// Chamfer distance (3-4) of every pixel inside to the nearest pixel outside, in pixels; the
// window's border does not count as outside, a line leaving the window keeps its thickness.
std::vector<float> distanceInside(const std::vector<char>& inside, int w, int h)
{
    constexpr float far = 1e6f;
    std::vector<float> d(inside.size());
    for (size_t i = 0; i < inside.size(); ++i) d[i] = inside[i] ? far : 0;
    auto relax = [&](int x, int y, int dx, int dy, float step) {
        const int nx = x + dx, ny = y + dy;
        if (nx < 0 || ny < 0 || nx >= w || ny >= h) return;
        float& here = d[static_cast<size_t>(y * w + x)];
        here = std::min(here, d[static_cast<size_t>(ny * w + nx)] + step);
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            relax(x, y, -1, 0, 3), relax(x, y, 0, -1, 3), relax(x, y, -1, -1, 4), relax(x, y, 1, -1, 4);
        }
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x) {
            relax(x, y, 1, 0, 3), relax(x, y, 0, 1, 3), relax(x, y, 1, 1, 4), relax(x, y, -1, 1, 4);
        }
    for (float& v : d) v /= 3;
    return d;
}

// Ink with the holes of closed shapes filled: what the paper cannot reach from the window's
// border through paper belongs to the shape around it.
std::vector<char> filledInk(const InkPatch& p)
{
    const int w = p.width(), h = p.height();
    std::vector<char> reached(static_cast<size_t>(w * h), 0);
    std::vector<int> stack;
    auto seed = [&](int x, int y) {
        const auto i = static_cast<size_t>(y * w + x);
        if (reached[i] || p.isInk(x, y)) return;
        reached[i] = 1;
        stack.push_back(y * w + x);
    };
    for (int x = 0; x < w; ++x) seed(x, 0), seed(x, h - 1);
    for (int y = 0; y < h; ++y) seed(0, y), seed(w - 1, y);
    while (!stack.empty()) {
        const int i = stack.back();
        stack.pop_back();
        const int x = i % w, y = i / w;
        if (x > 0) seed(x - 1, y);
        if (x < w - 1) seed(x + 1, y);
        if (y > 0) seed(x, y - 1);
        if (y < h - 1) seed(x, y + 1);
    }
    std::vector<char> filled(reached.size());
    for (size_t i = 0; i < filled.size(); ++i) filled[i] = !reached[i];
    return filled;
}

double distance(const QPointF& a, const QPointF& b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); }

double percentile90(std::vector<float>& values)
{
    if (values.empty()) return 0;
    const auto nth = values.begin() + static_cast<std::ptrdiff_t>(values.size() * 9 / 10);
    std::nth_element(values.begin(), nth, values.end());
    return *nth;
}

// Everything the point snaps read about the window once.
struct PointWindow {
    InkPatch patch;
    Blobs blobs;
    std::vector<float> thickness;  // of the filled ink
    QPointF click;
    double radius;

    PointWindow(const QImage& scan, const QPointF& at, double r)
        : patch(scan, QRect(QPoint(int(std::floor(at.x() - r)) - pointMargin, int(std::floor(at.y() - r)) - pointMargin),
                            QPoint(int(std::floor(at.x() + r)) + pointMargin, int(std::floor(at.y() + r)) + pointMargin))),
          click(at), radius(r)
    {
        if (patch.empty() || !patch.hasInk()) return;
        blobs = findBlobs(patch);
        thickness = distanceInside(filledInk(patch), patch.width(), patch.height());
    }

    float thick(int x, int y) const { return thickness[static_cast<size_t>(y * patch.width() + x)]; }
    int blobAt(int x, int y) const { return blobs.at(x, y, patch.width()); }

    void forEach(const std::function<void(int, int)>& f) const
    {
        for (int y = 0; y < patch.height(); ++y)
            for (int x = 0; x < patch.width(); ++x) f(x, y);
    }

    // The ink pixel nearest to the click within the radius, in a blob that is not dirt.
    std::optional<QPoint> nearestInk() const
    {
        std::optional<QPoint> best;
        double bestDistance = radius;
        forEach([&](int x, int y) {
            const int b = blobAt(x, y);
            if (b < 0 || blobs.list[static_cast<size_t>(b)].pixels < minBlobPixels) return;
            const double d = distance(patch.centre(x, y), click);
            if (d <= bestDistance) bestDistance = d, best = QPoint(x, y);
        });
        return best;
    }

    // A blob inside the window is a glyph, unless it has the shape that was found and stands
    // in no row of others; a blob going on beyond the window is part of a line.
    bool isGlyph(int blob, bool shapeFits) const
    {
        if (blob < 0) return true;
        if (blobs.list[static_cast<size_t>(blob)].edge) return false;
        return !shapeFits || blobs.isText(blob);
    }

    std::optional<QPointF> marker() const;
    std::optional<QPointF> stroke(QPoint q) const;
};

std::optional<QPointF> PointWindow::marker() const
{
    // The thickest place within reach is the marker's middle, if it is thicker than the
    // strokes farther off.
    QPoint m(-1, -1);
    float most = 0;
    forEach([&](int x, int y) {
        if (thick(x, y) > most && distance(patch.centre(x, y), click) <= radius) most = thick(x, y), m = QPoint(x, y);
    });
    if (m.x() < 0 || most < 1.5f) return std::nullopt;
    std::vector<float> strokes;
    forEach([&](int x, int y) {
        if (patch.isInk(x, y) && distance(patch.centre(x, y), patch.centre(m.x(), m.y())) > 2 * most + 2)
            strokes.push_back(thick(x, y));
    });
    if (most < markerThickness * percentile90(strokes) + 1) return std::nullopt;

    // How much of each pixel the shape covers: inside it (its hole too) wholly, at its edge
    // by its ink.
    double darkest = 0;
    forEach([&](int x, int y) { darkest = std::max(darkest, patch.weight(x, y)); });
    std::vector<float> cover(thickness.size());
    forEach([&](int x, int y) {
        cover[static_cast<size_t>(y * patch.width() + x)] =
            thick(x, y) >= 1.5f ? 1.0f : static_cast<float>(std::min(1.0, patch.weight(x, y) / darkest));
    });
    auto coverAt = [&](const QPointF& scan) {
        const QPointF at = patch.local(scan) - QPointF(0.5, 0.5);
        const int x0 = int(std::floor(at.x())), y0 = int(std::floor(at.y()));
        const double fx = at.x() - x0, fy = at.y() - y0;
        auto c = [&](int x, int y) {
            return x < 0 || y < 0 || x >= patch.width() || y >= patch.height() ? 0.0 : double(cover[static_cast<size_t>(y * patch.width() + x)]);
        };
        return (1 - fy) * ((1 - fx) * c(x0, y0) + fx * c(x0 + 1, y0)) + fy * ((1 - fx) * c(x0, y0 + 1) + fx * c(x0 + 1, y0 + 1));
    };
    // How far the shape reaches from `from` in a direction: where its edge crosses half cover.
    const double farthest = 3.0 * most + 4;
    auto reach = [&](const QPointF& from, const QPointF& direction) {
        constexpr double step = 0.25;
        double before = coverAt(from);
        for (double t = step; t <= farthest; t += step) {
            const double now = coverAt(from + t * direction);
            if (now < 0.5) return before <= now ? t : t - step * (0.5 - now) / (before - now);
            before = now;
        }
        return farthest;
    };

    // A marker is point-symmetric about its middle: the middle lies halfway between its edges
    // in every direction. Directions in which a line leaves the shape reach much farther and
    // do not count.
    QPointF centre = patch.centre(m.x(), m.y());
    double nearestEdge = 0, farthestEdge = 0;
    for (int round = 0; round < centreRounds; ++round) {
        std::vector<std::pair<double, double>> spans;
        std::vector<double> reaches;
        for (int i = 0; i < directions; ++i) {
            const double angle = std::numbers::pi * i / directions;
            const QPointF u(std::cos(angle), std::sin(angle));
            spans.emplace_back(reach(centre, u), reach(centre, -u));
            reaches.push_back(spans.back().first), reaches.push_back(spans.back().second);
        }
        std::nth_element(reaches.begin(), reaches.begin() + directions, reaches.end());
        const double longest = 1.5 * reaches[static_cast<size_t>(directions)] + 1.5;
        // Halfway offsets along each direction, fitted by one shift; directions that disagree
        // with the first fit (a line grazing the edge) are left out of the second.
        std::optional<QPointF> shift;
        nearestEdge = farthestEdge = 0;
        for (const double agree : {1e9, shiftAgreement}) {
            double a = 0, b = 0, c = 0, bx = 0, by = 0;
            for (int i = 0; i < directions; ++i) {
                const auto [ahead, behind] = spans[static_cast<size_t>(i)];
                const double angle = std::numbers::pi * i / directions;
                const QPointF u(std::cos(angle), std::sin(angle));
                const double off = (ahead - behind) / 2;
                if (ahead > longest || behind > longest || (shift && std::fabs(off - QPointF::dotProduct(*shift, u)) > agree))
                    continue;
                nearestEdge = std::min({nearestEdge > 0 ? nearestEdge : ahead, ahead, behind});
                farthestEdge = std::max({farthestEdge, ahead, behind});
                a += u.x() * u.x(), b += u.x() * u.y(), c += u.y() * u.y(), bx += u.x() * off, by += u.y() * off;
            }
            const double det = a * c - b * b;
            if (det < 0.5) return std::nullopt;  // too few directions left: no marker
            shift = QPointF((c * bx - b * by) / det, (a * by - b * bx) / det);
        }
        centre += *shift;
    }
    const QPoint at = (patch.local(centre) - QPointF(0.5, 0.5)).toPoint();
    int blob = -1;
    for (int x = std::max(0, at.x()); x < patch.width() && blob < 0; ++x) blob = blobAt(x, std::clamp(at.y(), 0, patch.height() - 1));
    // A marker is about as wide as long (a square's corners reach 1.41 times its sides); a
    // digit is not.
    if (distance(centre, click) > radius || isGlyph(blob, farthestEdge <= markerElongation * nearestEdge)) return std::nullopt;
    return centre;
}

std::optional<QPointF> PointWindow::stroke(QPoint q) const
{
    const int blob = blobAt(q.x(), q.y());
    if (isGlyph(blob, blob >= 0 && blobs.list[static_cast<size_t>(blob)].elongation() >= lineElongation)) return std::nullopt;
    const QPointF from = patch.centre(q.x(), q.y());
    float half = 0;
    forEach([&](int x, int y) {
        if (distance(patch.centre(x, y), from) <= 6) half = std::max(half, thick(x, y));
    });
    // The stroke's direction: the spread of its ink around the nearest pixel.
    const double reach = std::clamp(3.0 * half + 4, 6.0, 40.0);
    double sum = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    forEach([&](int x, int y) {
        const QPointF c = patch.centre(x, y) - from;
        if (std::hypot(c.x(), c.y()) > reach) return;
        const double w = patch.weight(x, y);
        sum += w, sx += w * c.x(), sy += w * c.y();
        sxx += w * c.x() * c.x(), syy += w * c.y() * c.y(), sxy += w * c.x() * c.y();
    });
    if (sum <= 0) return std::nullopt;
    const double a = sxx / sum - sx * sx / sum / sum, c = syy / sum - sy * sy / sum / sum, b = sxy / sum - sx * sy / sum / sum;
    const double root = std::sqrt((a - c) * (a - c) / 4 + b * b);
    const double major = (a + c) / 2 + root, minor = (a + c) / 2 - root;
    if (major < strokeSpread * std::max(minor, 1e-9)) return std::nullopt;  // a crossing or a blot
    const double angle = 0.5 * std::atan2(2 * b, a - c);
    const QPointF along(std::cos(angle), std::sin(angle)), across(-along.y(), along.x());

    // The profile across, summed along a piece of the stroke; its centroid is the centre.
    constexpr double step = 0.25;
    const double span = 2 * half + 4;
    std::vector<double> profile;
    for (double t = -span; t <= span + 1e-9; t += step) {
        double v = 0;
        for (double s = -reach / 2; s <= reach / 2; s += 1) v += patch.weightAt(from + s * along + t * across);
        profile.push_back(v);
    }
    // The run of ink that holds the strongest sample near the nearest pixel.
    const auto first = static_cast<size_t>((span - half - 1.5) / step), last = static_cast<size_t>((span + half + 1.5) / step);
    size_t top = first;
    for (size_t i = first; i <= last && i < profile.size(); ++i)
        if (profile[i] > profile[top]) top = i;
    if (profile[top] <= 0) return std::nullopt;
    // The stroke and one pixel of its soft edge on each side.
    const double edge = edgeShare * profile[top];
    size_t lo = top, hi = top;
    while (lo > 0 && profile[lo - 1] > edge) --lo;
    while (hi + 1 < profile.size() && profile[hi + 1] > edge) ++hi;
    lo = lo >= 4 ? lo - 4 : 0, hi = std::min(profile.size() - 1, hi + 4);
    double mass = 0, moment = 0;
    for (size_t i = lo; i <= hi; ++i) mass += profile[i], moment += profile[i] * (-span + static_cast<double>(i) * step);
    const QPointF centre = from + (moment / mass) * across;
    const double shift = QPointF::dotProduct(centre - click, across);
    if (std::fabs(shift) > radius) return std::nullopt;
    return click + shift * across;
}

// --- frame lines ------------------------------------------------------------------------------------

// A frame line near one row (or column) of the window, y = a + b x in the window's pixels
// (for a column x = a + b y).
struct Line {
    double a = 0, b = 0;
};

// The window seen along a line: `along` runs with it, `across` over it.
struct View {
    const InkPatch& patch;
    bool vertical;
    int length() const { return vertical ? patch.height() : patch.width(); }
    int depth() const { return vertical ? patch.width() : patch.height(); }
    double weight(int along, int across) const { return vertical ? patch.weight(across, along) : patch.weight(along, across); }
    bool isEdge(int along, int across) const { return vertical ? patch.isEdge(across, along) : patch.isEdge(along, across); }
};

// Sums across the lines of one direction, smoothed over five: a long line is a high peak.
std::vector<double> profile(const View& v)
{
    std::vector<double> sums(static_cast<size_t>(v.depth()), 0.0), smooth(sums.size(), 0.0);
    for (int c = 0; c < v.depth(); ++c)
        for (int a = 0; a < v.length(); ++a) sums[static_cast<size_t>(c)] += v.weight(a, c);
    for (int c = 0; c < v.depth(); ++c)
        for (int k = std::max(0, c - 2); k <= std::min(v.depth() - 1, c + 2); ++k) smooth[static_cast<size_t>(c)] += sums[static_cast<size_t>(k)];
    return smooth;
}

// The strong peak nearest to `near`, and its width at half height.
struct Peak {
    int at = -1, width = 0;
};
Peak nearestPeak(const std::vector<double>& p, double near)
{
    const double top = *std::max_element(p.begin(), p.end());
    Peak best;
    if (top <= 0) return best;
    const int n = static_cast<int>(p.size());
    for (int i = 1; i + 1 < n; ++i) {
        const auto u = static_cast<size_t>(i);
        if (p[u] < 0.5 * top || p[u] < p[u - 1] || p[u] < p[u + 1]) continue;
        if (best.at < 0 || std::fabs(i - near) < std::fabs(best.at - near)) best.at = i;
    }
    if (best.at < 0) return best;
    int lo = best.at, hi = best.at;
    const double half = p[static_cast<size_t>(best.at)] / 2;
    while (lo > 0 && p[static_cast<size_t>(lo - 1)] >= half) --lo;
    while (hi + 1 < n && p[static_cast<size_t>(hi + 1)] >= half) ++hi;
    best.width = hi - lo + 1;
    return best;
}

struct Sample {
    double along, across, mass;
};

// The centre across a stroke at one place along it: the stroke's extent with one pixel of its
// soft edge on each side, weighed.
std::optional<Sample> centreAcross(const View& v, int a, double from, double to)
{
    const int lo = std::max(0, int(std::floor(from))), hi = std::min(v.depth() - 1, int(std::ceil(to)));
    int top = lo;
    for (int c = lo; c <= hi; ++c)
        if (v.weight(a, c) > v.weight(a, top)) top = c;
    if (!v.isEdge(a, top)) return std::nullopt;
    int first = top, last = top;
    while (first > 0 && v.isEdge(a, first - 1)) --first;
    while (last + 1 < v.depth() && v.isEdge(a, last + 1)) ++last;
    first = std::max(0, first - 1), last = std::min(v.depth() - 1, last + 1);
    double mass = 0, moment = 0;
    for (int c = first; c <= last; ++c) mass += v.weight(a, c), moment += v.weight(a, c) * c;
    if (mass <= 0) return std::nullopt;
    return Sample{double(a), moment / mass, mass};
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// A straight fit of one side's samples: first those near their median, then those near the
// first fit. A side whose samples mostly miss the fit is no line (a label, a tick, a glyph).
struct SideFit {
    Line line;
    std::vector<Sample> inliers;
};
std::optional<SideFit> fitSide(const std::vector<Sample>& samples, double slack)
{
    if (samples.size() < 8) return std::nullopt;
    std::vector<double> masses, acrosses;
    for (const Sample& s : samples) masses.push_back(s.mass), acrosses.push_back(s.across);
    const double mass = median(masses);
    SideFit fit{{median(acrosses), 0}, {}};
    for (const double keep : {slack, 0.75}) {
        fit.inliers.clear();
        double sa = 0, sc = 0, saa = 0, sac = 0;
        for (const Sample& s : samples) {
            if (s.mass < 0.5 * mass || s.mass > 1.6 * mass || std::fabs(s.across - (fit.line.a + fit.line.b * s.along)) > keep) continue;
            fit.inliers.push_back(s);
            sa += s.along, sc += s.across, saa += s.along * s.along, sac += s.along * s.across;
        }
        const auto n = static_cast<double>(fit.inliers.size());
        const double det = n * saa - sa * sa;
        if (n < 8 || det <= 0) return std::nullopt;
        fit.line.b = (n * sac - sa * sc) / det;
        fit.line.a = (sc - fit.line.b * sa) / n;
    }
    if (fit.inliers.size() < 0.6 * samples.size()) return std::nullopt;
    return fit;
}

// The line's centre across its stroke, one sample per pixel along it, fitted straight on each
// side of the other line (a corner's line may run on one side only), leaving out where the
// other line crosses it.
std::optional<Line> fitLine(const View& v, const Peak& peak, const Peak& other)
{
    std::vector<Sample> sides[2];
    int places[2] = {0, 0};
    const int exclude = other.width + 3;
    const double band = peak.width + 2.0;
    for (int a = 0; a < v.length(); ++a) {
        if (std::abs(a - other.at) <= exclude) continue;
        ++places[a > other.at];
        if (const auto s = centreAcross(v, a, peak.at - band, peak.at + band)) sides[a > other.at].push_back(*s);
    }
    // A turned line leaves its median by this much at the window's ends.
    const double slack = 1 + 0.06 * v.length() / 2;
    // A side is a line when it runs along most of the window there (a label beside the
    // crossing does not); two sides that disagree at the crossing are a line and something
    // else in line with it: the longer one is the line.
    std::optional<SideFit> fits[2];
    for (int i = 0; i < 2; ++i)
        if (auto fit = fitSide(sides[i], slack); fit && fit->inliers.size() >= 0.6 * places[i]) fits[i] = std::move(fit);
    if (fits[0] && fits[1]) {
        const double gap = (fits[0]->line.a + fits[0]->line.b * other.at) - (fits[1]->line.a + fits[1]->line.b * other.at);
        if (std::fabs(gap) > 1) fits[fits[0]->inliers.size() >= fits[1]->inliers.size() ? 1 : 0].reset();
    }
    std::vector<Sample> inliers;
    for (const auto& fit : fits)
        if (fit) inliers.insert(inliers.end(), fit->inliers.begin(), fit->inliers.end());
    if (inliers.empty()) return std::nullopt;
    double sa = 0, sc = 0, saa = 0, sac = 0;
    for (const Sample& s : inliers) sa += s.along, sc += s.across, saa += s.along * s.along, sac += s.along * s.across;
    const auto n = static_cast<double>(inliers.size());
    Line line;
    line.b = (n * sac - sa * sc) / (n * saa - sa * sa);
    line.a = (sc - line.b * sa) / n;
    return line;
}

}  // namespace

std::optional<QPointF> Snap::point(const QImage& scan, const QPointF& click, double radius)
{
    const PointWindow window(scan, click, radius);
    if (window.patch.empty() || !window.patch.hasInk()) return std::nullopt;
    if (const auto m = window.marker()) return m;
    const auto q = window.nearestInk();
    if (!q) return std::nullopt;
    return window.stroke(*q);
}

std::optional<QPointF> Snap::corner(const QImage& scan, const QPointF& click, double radius)
{
    const int half = std::max(cornerLeast, int(std::ceil(radius)) + cornerMargin);
    const QPoint c(int(std::floor(click.x())), int(std::floor(click.y())));
    const InkPatch patch(scan, QRect(c - QPoint(half, half), c + QPoint(half, half)));
    if (patch.empty() || !patch.hasInk()) return std::nullopt;
    const QPointF local = patch.local(click) - QPointF(0.5, 0.5);
    const View rows{patch, false}, columns{patch, true};
    const Peak h = nearestPeak(profile(rows), local.y()), v = nearestPeak(profile(columns), local.x());
    if (h.at < 0 || v.at < 0) return std::nullopt;
    const auto lh = fitLine(rows, h, v), lv = fitLine(columns, v, h);
    if (!lh || !lv) return std::nullopt;
    // y = ah + bh x and x = av + bv y.
    const double x = (lv->a + lv->b * lh->a) / (1 - lv->b * lh->b);
    const QPointF crossing = patch.centre(0, 0) + QPointF(x, lh->a + lh->b * x);
    if (distance(crossing, click) > radius) return std::nullopt;
    return crossing;
}
