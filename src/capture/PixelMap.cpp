#include "capture/PixelMap.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The eight unknowns of u = (h0 x + h1 y + h2) / w, v = (h3 x + h4 y + h5) / w,
// w = h6 x + h7 y + 1, and which of them each model uses.
constexpr int unknowns = 8;
constexpr std::array<bool, unknowns> axisAligned{true, false, true, false, true, true, false, false};
constexpr std::array<bool, unknowns> affine{true, true, true, true, true, true, false, false};
constexpr std::array<bool, unknowns> projective{true, true, true, true, true, true, true, true};
// Reweighted rounds of a least-squares fit: the weights turn the equations' errors into pixels.
constexpr int reweightRounds = 3;

const std::array<bool, unknowns>& used(PixelMap::Model model)
{
    switch (model) {
    case PixelMap::Model::AxisAligned: return axisAligned;
    case PixelMap::Model::Affine: return affine;
    default: return projective;
    }
}

using Matrix = std::array<double, 9>;

Matrix product(const Matrix& a, const Matrix& b)
{
    Matrix m{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 3; ++k) m[r * 3 + c] += a[r * 3 + k] * b[k * 3 + c];
    return m;
}

std::optional<Matrix> inverted(const Matrix& m)
{
    const Matrix adj{m[4] * m[8] - m[5] * m[7], m[2] * m[7] - m[1] * m[8], m[1] * m[5] - m[2] * m[4],
                     m[5] * m[6] - m[3] * m[8], m[0] * m[8] - m[2] * m[6], m[2] * m[3] - m[0] * m[5],
                     m[3] * m[7] - m[4] * m[6], m[1] * m[6] - m[0] * m[7], m[0] * m[4] - m[1] * m[3]};
    const double det = m[0] * adj[0] + m[1] * adj[3] + m[2] * adj[6];
    if (!std::isfinite(det) || det == 0) return std::nullopt;
    Matrix inv;
    for (int i = 0; i < 9; ++i) inv[i] = adj[i] / det;
    return inv;
}

// (x, y) through a 3 x 3 matrix, with the homogeneous weight.
struct Mapped {
    double u, v, w;
};
Mapped apply(const Matrix& m, double x, double y)
{
    const double w = m[6] * x + m[7] * y + m[8];
    return {(m[0] * x + m[1] * y + m[2]) / w, (m[3] * x + m[4] * y + m[5]) / w, w};
}

// Solves the square system a x = b in place (Gauss with partial pivoting); false when singular.
bool solveSquare(std::vector<double>& a, std::vector<double>& b, int n)
{
    double scale = 0;
    for (double v : a) scale = std::max(scale, std::fabs(v));
    for (int col = 0; col < n; ++col) {
        int pivot = col;
        for (int r = col + 1; r < n; ++r)
            if (std::fabs(a[r * n + col]) > std::fabs(a[pivot * n + col])) pivot = r;
        if (std::fabs(a[pivot * n + col]) <= 1e-10 * scale) return false;
        for (int c = 0; c < n; ++c) std::swap(a[col * n + c], a[pivot * n + c]);
        std::swap(b[col], b[pivot]);
        for (int r = col + 1; r < n; ++r) {
            const double f = a[r * n + col] / a[col * n + col];
            for (int c = col; c < n; ++c) a[r * n + c] -= f * a[col * n + c];
            b[r] -= f * b[col];
        }
    }
    for (int r = n - 1; r >= 0; --r) {
        for (int c = r + 1; c < n; ++c) b[r] -= a[r * n + c] * b[c];
        b[r] /= a[r * n + r];
    }
    return true;
}

// Centre and spread of some numbers: the fit runs on numbers of about one, whatever the
// scan's size or the axes' units.
struct Normal {
    double centre = 0, spread = 0;
};
Normal normal(const std::vector<double>& values)
{
    Normal n;
    if (values.empty()) return n;
    for (double v : values) n.centre += v;
    n.centre /= static_cast<double>(values.size());
    for (double v : values) n.spread = std::max(n.spread, std::fabs(v - n.centre));
    return n;
}

std::optional<double> axisValue(const std::optional<double>& typed, bool log)
{
    if (!typed || !std::isfinite(*typed)) return std::nullopt;
    if (!log) return *typed;
    if (*typed <= 0) return std::nullopt;
    return std::log10(*typed);
}

}  // namespace

PixelMap::Model PixelMap::modelFor(const std::vector<Reference>& references)
{
    const auto corners = std::count_if(references.begin(), references.end(), [](const Reference& r) { return r.x && r.y; });
    if (corners >= 4) return Model::Projective;
    if (corners == 3) return Model::Affine;
    return Model::AxisAligned;
}

std::optional<PixelMap::Matrix> PixelMap::solve(const std::vector<Reference>& refs, Model model, bool logX, bool logY,
                                                const std::vector<double>& weights)
{
    std::vector<double> xs, ys, us, vs;
    for (const Reference& r : refs) {
        xs.push_back(r.pixel.x());
        ys.push_back(r.pixel.y());
        if (const auto u = axisValue(r.x, logX)) us.push_back(*u);
        if (const auto v = axisValue(r.y, logY)) vs.push_back(*v);
    }
    const Normal nx = normal(xs), ny = normal(ys), nu = normal(us), nv = normal(vs);
    const double s = std::max(nx.spread, ny.spread);
    if (s == 0 || nu.spread == 0 || nv.spread == 0) return std::nullopt;

    const auto& active = used(model);
    std::vector<int> column(unknowns, -1);
    int n = 0;
    for (int k = 0; k < unknowns; ++k)
        if (active[k]) column[k] = n++;
    std::vector<double> ata(n * n, 0.0), atb(n, 0.0);
    auto addRow = [&](std::array<double, unknowns> row, double rhs, double weight) {
        for (int i = 0; i < unknowns; ++i) {
            if (column[i] < 0) continue;
            for (int j = 0; j < unknowns; ++j)
                if (column[j] >= 0) ata[column[i] * n + column[j]] += weight * weight * row[i] * row[j];
            atb[column[i]] += weight * weight * row[i] * rhs;
        }
    };
    for (size_t i = 0; i < refs.size(); ++i) {
        const double x = (refs[i].pixel.x() - nx.centre) / s, y = (refs[i].pixel.y() - ny.centre) / s;
        if (const auto u = axisValue(refs[i].x, logX)) {
            const double t = (*u - nu.centre) / nu.spread;
            addRow({x, y, 1, 0, 0, 0, -t * x, -t * y}, t, weights.empty() ? 1 : weights[2 * i] * nu.spread);
        }
        if (const auto v = axisValue(refs[i].y, logY)) {
            const double t = (*v - nv.centre) / nv.spread;
            addRow({0, 0, 0, x, y, 1, -t * x, -t * y}, t, weights.empty() ? 1 : weights[2 * i + 1] * nv.spread);
        }
    }
    if (!solveSquare(ata, atb, n)) return std::nullopt;
    std::array<double, unknowns> h{};
    for (int k = 0; k < unknowns; ++k)
        if (column[k] >= 0) h[k] = atb[column[k]];
    const Matrix fitted{h[0], h[1], h[2], h[3], h[4], h[5], h[6], h[7], 1};
    const Matrix toNormal{1 / s, 0, -nx.centre / s, 0, 1 / s, -ny.centre / s, 0, 0, 1};
    const Matrix fromNormal{nu.spread, 0, nu.centre, 0, nv.spread, nv.centre, 0, 0, 1};
    return product(fromNormal, product(fitted, toNormal));
}

std::optional<PixelMap> PixelMap::fit(const std::vector<Reference>& references, bool logX, bool logY)
{
    const Model model = modelFor(references);
    std::vector<double> weights;
    std::optional<PixelMap> map;
    // A fit with exactly as many equations as unknowns needs no reweighting; rounds on an
    // exact fit leave it as it is.
    for (int round = 0; round < reweightRounds; ++round) {
        const auto forward = solve(references, model, logX, logY, weights);
        if (!forward || !inverted(*forward)) return std::nullopt;
        map = PixelMap(model, *forward, logX, logY);
        weights.assign(2 * references.size(), 1.0);
        for (size_t i = 0; i < references.size(); ++i) {
            const QPointF p = references[i].pixel;
            const Mapped m = apply(*forward, p.x(), p.y());
            if (m.w <= 0) return std::nullopt;
            // Weight: the equation's error in scan pixels per unit of the axis value.
            const double gu = std::hypot(forward->at(0) - m.u * forward->at(6), forward->at(1) - m.u * forward->at(7));
            const double gv = std::hypot(forward->at(3) - m.v * forward->at(6), forward->at(4) - m.v * forward->at(7));
            weights[2 * i] = gu > 0 ? 1 / gu : 1;
            weights[2 * i + 1] = gv > 0 ? 1 / gv : 1;
        }
    }
    QPointF centre;
    for (const Reference& r : references) {
        map->residuals_.push_back(map->residual(r));
        centre += r.pixel / static_cast<double>(references.size());
    }
    map->skew_ = map->skewAt(centre);
    return map;
}

PixelMap::PixelMap(Model model, const Matrix& forward, bool logX, bool logY)
    : model_(model), forward_(forward), inverse_(*inverted(forward)), logX_(logX), logY_(logY)
{
}

// The x axis runs along the line of constant y value through `at`, the way x grows; a
// leftward axis is turned back, so a straight scan has no skew whichever way its axes run.
double PixelMap::skewAt(const QPointF& at) const
{
    const Mapped m = apply(forward_, at.x(), at.y());
    const Matrix& f = forward_;
    const double gvx = f[3] - m.v * f[6], gvy = f[4] - m.v * f[7];
    double degrees = std::atan2(gvx, gvy) * 180 / std::numbers::pi;  // direction (gvy, -gvx), y up
    if (degrees > 90) degrees -= 180;
    if (degrees <= -90) degrees += 180;
    return degrees;
}

QPointF PixelMap::linear(const QPointF& pixel) const
{
    const Mapped m = apply(forward_, pixel.x(), pixel.y());
    return {m.u, m.v};
}

QPointF PixelMap::value(const QPointF& pixel) const
{
    const QPointF l = linear(pixel);
    return {logX_ ? std::pow(10.0, l.x()) : l.x(), logY_ ? std::pow(10.0, l.y()) : l.y()};
}

QPointF PixelMap::pixel(double x, double y) const
{
    const Mapped m = apply(inverse_, logX_ ? std::log10(x) : x, logY_ ? std::log10(y) : y);
    return {m.u, m.v};
}

double PixelMap::residual(const Reference& r) const
{
    const auto u = axisValue(r.x, logX_), v = axisValue(r.y, logY_);
    if (u && v) {
        const Mapped m = apply(inverse_, *u, *v);
        return std::hypot(m.u - r.pixel.x(), m.v - r.pixel.y());
    }
    const Mapped m = apply(forward_, r.pixel.x(), r.pixel.y());
    const Matrix& f = forward_;
    // Distance to the line of the typed value: the value's error over its gradient.
    if (u) return std::fabs(m.u - *u) / std::hypot(f[0] - m.u * f[6], f[1] - m.u * f[7]) * std::fabs(m.w);
    if (v) return std::fabs(m.v - *v) / std::hypot(f[3] - m.v * f[6], f[4] - m.v * f[7]) * std::fabs(m.w);
    return 0;
}

double PixelMap::worstResidual() const
{
    return residuals_.empty() ? 0 : *std::max_element(residuals_.begin(), residuals_.end());
}
