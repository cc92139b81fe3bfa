#include "graphics/AxisRange.h"

#include "graphics/PlotMath.h"
#include "platform/vb/VbError.h"

#include <algorithm>
#include <cmath>

namespace {

template <typename T>
T element(const std::vector<T>& list, std::size_t i)
{
    if (i >= list.size()) vb::raise(vb::errSubscript);
    return list[i];
}

}  // namespace

void AxisRange::SKALENBEREICH(int NR, bool BOMIN, bool BOMAX, int SKT, const std::vector<float>& data, float& lo,
                              float& hi, const AxisLists& lists, AxisTicks& out)
{
    out = AxisTicks{};
    takeData(NR, BOMIN, BOMAX, data.empty() ? std::vector<float>{0.0f} : data, lo, hi);
    if (SKT == 0)
        linear(NR, BOMIN, BOMAX, lo, hi, lists, out);
    else
        logarithmic(BOMIN, BOMAX, lo, hi, lists, out);
}

void AxisRange::takeData(int NR, bool BOMIN, bool BOMAX, const std::vector<float>& data, float& lo, float& hi)
{
    // Call 1 (and -1) starts a collection: the stored end does not take part.
    const bool restart = NR == 1 || NR == -1;
    if (BOMIN) {
        if (restart) lo = data.front();
        lo = std::min(lo, *std::min_element(data.begin(), data.end()));
    }
    if (BOMAX) {
        if (restart) hi = data.front();
        hi = std::max(hi, *std::max_element(data.begin(), data.end()));
    }
}

void AxisRange::roundDown(const std::vector<float>& ends, float& lo)
{
    for (std::size_t i = 1; i < ends.size(); ++i) {
        if (ends[i - 1] <= lo && lo < ends[i]) {
            lo = ends[i - 1];
            return;
        }
    }
}

void AxisRange::roundUp(const std::vector<float>& ends, float& hi)
{
    for (std::size_t i = 1; i < ends.size(); ++i) {
        if (ends[i - 1] < hi && hi <= ends[i]) {
            hi = ends[i];
            return;
        }
    }
}

void AxisRange::linear(int NR, bool BOMIN, bool BOMAX, float& lo, float& hi, const AxisLists& lists, AxisTicks& out)
{
    const auto& ends = lists.MIN;
    if (BOMIN) {
        if (lo < element(ends, 0)) lo = ends.front();
        else roundDown(ends, lo);
    }
    if (BOMAX) {
        if (hi > element(ends, ends.size() - 1)) hi = ends.back();
        else roundUp(ends, hi);
    }
    const auto& spans = lists.DIFF;
    float span = hi - lo;
    if (span <= element(spans, 0)) span = spans.front();
    if (span >= spans.back()) span = spans.back();
    std::size_t k = 0;
    while (k + 1 < spans.size() && span > spans[k]) ++k;
    span = spans[k];
    if (NR != 1 && NR != 2) hi = lo + span;

    out.gridCount = element(lists.GIT, k);
    out.labelCount = element(lists.ZL, k);
    out.tickCount = element(lists.IT, k);
    const float step = static_cast<float>(PlotMath::divide(span, out.tickCount));
    out.ticks.resize(std::max(out.tickCount + 1, 1));
    out.ticks[0] = lo;
    for (int j = 1; j <= out.tickCount; ++j) out.ticks[j] = out.ticks[j - 1] + step;
}

void AxisRange::logarithmic(bool BOMIN, bool BOMAX, float& lo, float& hi, const AxisLists& lists, AxisTicks& out)
{
    const auto& ends = lists.MIN;
    if (BOMIN && lo < element(ends, 0)) lo = ends.front();
    else roundDown(ends, lo);
    if (BOMAX && hi > element(ends, ends.size() - 1)) hi = ends.back();
    else roundUp(ends, hi);

    const int scheme = element(lists.IT, 0);
    out.gridCount = element(lists.GIT, 0);
    out.labelCount = element(lists.ZL, 0);
    // An end of 0 or less has no logarithm: no ticks at all rather than phantom ones (SKALEN
    // reports the end when it maps the axis).
    if (!(lo > 0 && hi > 0 && std::isfinite(lo) && std::isfinite(hi))) return;
    const double L = std::log10(static_cast<double>(lo)), H = std::log10(static_cast<double>(hi));
    if (scheme == 0) out.ticks = {static_cast<float>(L)};
    else if (scheme == 1) out.ticks = logMarks(L, H, 1);
    else if (scheme == 10) out.ticks = logMarks(L, H, 9);
    // Other codes give no tick list: the axis is drawn as its line alone.
    out.tickCount = static_cast<int>(out.ticks.size()) - 1;

    if (scheme == out.gridCount) out.positions = out.ticks;
    else if (scheme == 10 && out.gridCount == 1) out.positions = logMarks(L, H, 1);
    out.positionCount = static_cast<int>(out.positions.size()) - 1;
}

std::vector<float> AxisRange::logMarks(double L, double H, int multiples)
{
    // A mark this close to an end is the end itself: float ends such as 0.1f lie a hair off
    // their decade, and the same label must not be written twice on one spot.
    constexpr double kSame = 1e-5;
    std::vector<float> t{static_cast<float>(L)};
    for (int e = static_cast<int>(std::floor(L)); e <= static_cast<int>(std::floor(H)); ++e)
        for (int m = 1; m <= multiples; ++m) {
            const double v = e + std::log10(static_cast<double>(m));
            if (v > L + kSame && v < H - kSame) t.push_back(static_cast<float>(v));
        }
    if (std::abs(H - L) > kSame) t.push_back(static_cast<float>(H));
    return t;
}
