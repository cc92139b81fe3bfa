#include "capture/InkPatch.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Below this difference from the paper nothing is ink: paper grain, JPEG noise, a stain.
constexpr int minContrast = 40;
// Shares of the window: paper is what most pixels are; the peak is what a few reach.
constexpr double paperShare = 0.8;
constexpr double peakShare = 0.001;
constexpr int peakPixels = 8;
// A stroke is ink above this share of the peak. Centroids weigh the ink above the paper's
// grain: a floor any higher would pull a thin line's centroid towards its darker pixel.
constexpr float strongShare = 0.4f, edgeShare = 0.2f;
constexpr double grainShare = 0.4;
constexpr int grainFactor = 2, grainLeast = 4;

// The smallest level that at least `share` of the values (and at least `least` of them) reach
// or exceed, from a histogram of 256 levels.
int levelReachedBy(const std::array<int, 256>& histogram, double share, int total, int least = 0)
{
    const int wanted = std::max(least, static_cast<int>(share * total));
    int count = 0;
    for (int level = 255; level > 0; --level) {
        count += histogram[static_cast<size_t>(level)];
        if (count >= wanted) return level;
    }
    return 0;
}

}  // namespace

InkPatch::InkPatch(const QImage& scan, const QRect& area) : area_(area.intersected(scan.rect()))
{
    if (area_.isEmpty()) return;
    const QImage window = scan.copy(area_).convertToFormat(QImage::Format_RGB32);
    const int n = area_.width() * area_.height();
    std::vector<int> dark(static_cast<size_t>(n));
    std::array<int, 256> histogram{};
    for (int y = 0; y < area_.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(window.constScanLine(y));
        for (int x = 0; x < area_.width(); ++x) {
            const int d = qGray(line[x]);
            dark[static_cast<size_t>(y * area_.width() + x)] = d;
            ++histogram[static_cast<size_t>(d)];
        }
    }
    const int paper = levelReachedBy(histogram, paperShare, n);
    const int grain = grainFactor * (paper - levelReachedBy(histogram, grainShare, n)) + grainLeast;
    std::array<int, 256> inkHistogram{};
    ink_.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const int ink = std::max(0, paper - dark[static_cast<size_t>(i)]);
        ink_[static_cast<size_t>(i)] = static_cast<float>(ink);
        ++inkHistogram[static_cast<size_t>(ink)];
    }
    weight_.assign(static_cast<size_t>(n), 0.0f);
    const int peak = levelReachedBy(inkHistogram, peakShare, n, peakPixels);
    if (peak < minContrast) {
        strong_ = edge_ = 256;  // nothing is a stroke
        return;
    }
    peak_ = static_cast<float>(peak);
    strong_ = strongShare * peak_;
    edge_ = edgeShare * peak_;
    const auto floor = static_cast<float>(grain);
    std::transform(ink_.begin(), ink_.end(), weight_.begin(), [floor](float ink) { return std::max(0.0f, ink - floor); });
}

double InkPatch::weightAt(const QPointF& scan) const
{
    const QPointF at = local(scan) - QPointF(0.5, 0.5);
    const int x0 = static_cast<int>(std::floor(at.x())), y0 = static_cast<int>(std::floor(at.y()));
    const double fx = at.x() - x0, fy = at.y() - y0;
    auto w = [this](int x, int y) {
        return x < 0 || y < 0 || x >= width() || y >= height() ? 0.0 : weight(x, y);
    };
    return (1 - fy) * ((1 - fx) * w(x0, y0) + fx * w(x0 + 1, y0)) + fy * ((1 - fx) * w(x0, y0 + 1) + fx * w(x0 + 1, y0 + 1));
}
