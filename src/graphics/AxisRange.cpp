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

// The smallest decade exponent in -10..10 above v.
int firstDecadeAbove(double v)
{
    int p = -10;
    while (p < 10 && std::pow(10.0, p) <= v) ++p;
    return p;
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
    if (scheme == 0) out.ticks = {static_cast<float>(PlotMath::LOG10(lo))};
    else if (scheme == 1) out.ticks = decadeTicks(lo, hi);
    else if (scheme == 10) out.ticks = multipleTicks(lo, hi);
    // Other codes give no tick list: the axis is drawn as its line alone.
    out.tickCount = static_cast<int>(out.ticks.size()) - 1;

    out.gridCount = element(lists.GIT, 0);
    if (scheme == out.gridCount) out.positions = out.ticks;
    else if (scheme == 10 && out.gridCount == 1) out.positions = decadePositions(lo, hi);
    out.positionCount = static_cast<int>(out.positions.size()) - 1;
    out.labelCount = element(lists.ZL, 0);
}

std::vector<float> AxisRange::decadeTicks(float lo, float hi)
{
    std::vector<float> t{static_cast<float>(PlotMath::LOG10(lo))};
    // A decade equal to the upper end is the end itself: listing it twice would write its
    // label twice on the same spot.
    for (int e = firstDecadeAbove(lo); e <= 10 && std::pow(10.0, e) < hi; ++e) t.push_back(static_cast<float>(e));
    t.push_back(static_cast<float>(PlotMath::LOG10(hi)));
    return t;
}

std::vector<float> AxisRange::multipleTicks(float lo, float hi)
{
    const int p = firstDecadeAbove(lo);
    int mLo = 1;
    while (mLo < 9 && mLo * std::pow(10.0, p - 1) < lo) ++mLo;
    int q = p;
    while (q < 10 && std::pow(10.0, q + 1) <= hi) ++q;
    int mHi = 1;
    while (mHi < 9 && mHi * std::pow(10.0, q) < hi) ++mHi;

    std::vector<float> t{static_cast<float>(PlotMath::LOG10(lo))};
    for (int m = mLo + 1; m <= 9; ++m) t.push_back(static_cast<float>((p - 1) + std::log10(m)));
    for (int e = p; e < q; ++e)
        for (int m = 0; m <= 9; ++m) t.push_back(static_cast<float>(e + PlotMath::LOG10(m)));
    for (int m = 1; m < mHi; ++m) t.push_back(static_cast<float>(q + std::log10(m)));
    t.push_back(static_cast<float>(PlotMath::LOG10(hi)));
    return t;
}

std::vector<float> AxisRange::decadePositions(float lo, float hi)
{
    std::vector<float> t{static_cast<float>(PlotMath::LOG10(lo))};
    for (int e = firstDecadeAbove(lo); e <= 10 && std::pow(10.0, e) < hi; ++e) t.push_back(static_cast<float>(e));
    t.push_back(static_cast<float>(PlotMath::LOG10(hi)));
    return t;
}
