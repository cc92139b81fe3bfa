#include "pages/AxisCandidates.h"

#include "graphics/clsGRAFIK.h"

#include <algorithm>
#include <cmath>

namespace {

struct Span {
    float span;
    int16_t ticks, labels;
};

// Ascending admissible spans with their tick and label counts; every span has one grid interval.
constexpr Span kLinearSpans[] = {
    {0.5f, 10, 5},  {1, 10, 5},    {1.5f, 15, 5}, {2, 8, 4},      {3, 9, 3},      {4, 8, 4},      {5, 10, 5},
    {6, 6, 3},      {8, 8, 4},     {9, 9, 3},     {10, 10, 5},    {12, 12, 3},    {14, 7, 2},     {15, 15, 5},
    {16, 16, 4},    {18, 9, 3},    {20, 8, 4},    {25, 10, 5},    {30, 6, 3},     {35, 7, 1},     {40, 8, 4},
    {45, 9, 3},     {50, 10, 2},   {60, 6, 3},    {70, 7, 1},     {80, 8, 4},     {90, 9, 3},     {100, 4, 2},
    {150, 6, 3},    {200, 8, 4},   {250, 5, 1},   {300, 9, 3},    {350, 7, 1},    {400, 8, 4},    {450, 9, 3},
    {500, 10, 2},   {600, 6, 3},   {700, 7, 1},   {800, 8, 2},    {900, 6, 3},    {1000, 10, 2},  {2500, 10, 2},
    {5000, 10, 2},  {7500, 10, 2}, {10000, 10, 2}, {15000, 10, 2}, {20000, 10, 2},
};

// The spans above this one form the pattern that repeats ten times larger beyond the list.
constexpr float kSpanPatternStart = 1000;
// The ends above this one (and their mirror) repeat ten times larger beyond the list.
constexpr float kEndPatternStart = 1000;

// The positive linear ends, ascending; the negative ones mirror them.
std::vector<float> positiveLinearEnds()
{
    std::vector<float> v{0.5f, 1, 1.5f};
    for (int i = 2; i <= 20; ++i) v.push_back(static_cast<float>(i));
    for (int i = 25; i <= 45; i += 5) v.push_back(static_cast<float>(i));
    for (int i = 50; i <= 90; i += 10) v.push_back(static_cast<float>(i));
    for (int i = 100; i <= 450; i += 50) v.push_back(static_cast<float>(i));
    for (int i = 500; i <= 900; i += 100) v.push_back(static_cast<float>(i));
    for (float f : {1000.f, 2500.f, 5000.f, 7500.f, 10000.f}) v.push_back(f);
    return v;
}

// Appends the last decade's pattern ten times larger until the list reaches `limit`.
template <typename Pattern>
void extendUpwards(std::vector<Pattern>& list, float patternStart, double limit, float (*valueOf)(const Pattern&),
                   Pattern (*scaled)(const Pattern&, float))
{
    std::vector<Pattern> pattern;
    for (const Pattern& p : list)
        if (valueOf(p) > patternStart) pattern.push_back(p);
    for (float factor = 10; valueOf(list.back()) < limit && std::isfinite(factor); factor *= 10)
        for (const Pattern& p : pattern) list.push_back(scaled(p, factor));
}

float valueOfEnd(const float& f) { return f; }
float scaledEnd(const float& f, float factor) { return f * factor; }
float valueOfSpan(const Span& s) { return s.span; }
Span scaledSpan(const Span& s, float factor) { return {s.span * factor, s.ticks, s.labels}; }
float shrunkEnd(const float& f, double divisor) { return static_cast<float>(f / divisor); }
Span shrunkSpan(const Span& s, double divisor) { return {static_cast<float>(s.span / divisor), s.ticks, s.labels}; }

// How many decades the lists must reach below their smallest span so that a frame of
// `span` finds a span of its own size (0 for a span the lists already hold, or none).
int decadesBelow(float smallestSpan, double span)
{
    // Single precision ends far above this; a frame this narrow is no frame.
    constexpr int kDeepestDecade = 30;
    // A span a hair below the smallest (two single ends apart) is that span, not a finer one.
    if (!(span > 0) || span >= smallestSpan * (1 - 1e-5)) return 0;
    return std::min(kDeepestDecade, static_cast<int>(std::ceil(-std::log10(span))));
}

// Adds the decade 1 .. 10 of the list `decades` times, each ten times smaller than the one
// before, below 1; values the list already has keep their entries.
template <typename Pattern>
void extendDownwards(std::vector<Pattern>& list, int decades, float (*valueOf)(const Pattern&),
                     Pattern (*shrunk)(const Pattern&, double))
{
    std::vector<Pattern> pattern;
    for (const Pattern& p : list)
        if (valueOf(p) >= 1 && valueOf(p) < 10) pattern.push_back(p);
    std::vector<Pattern> extended = list;
    for (int d = 1; d <= decades; ++d)
        for (const Pattern& p : pattern) extended.push_back(shrunk(p, std::pow(10.0, d)));
    const auto less = [valueOf](const Pattern& a, const Pattern& b) { return valueOf(a) < valueOf(b); };
    const auto same = [valueOf](const Pattern& a, const Pattern& b) { return valueOf(a) == valueOf(b); };
    std::stable_sort(extended.begin(), extended.end(), less);
    extended.erase(std::unique(extended.begin(), extended.end(), same), extended.end());
    list = std::move(extended);
}

}  // namespace

AxisLists AxisCandidates::linear(double low, double high)
{
    const double reach = std::max({std::abs(low), std::abs(high)});
    std::vector<float> positive = positiveLinearEnds();
    extendUpwards<float>(positive, kEndPatternStart, reach, valueOfEnd, scaledEnd);
    std::vector<Span> spans(std::begin(kLinearSpans), std::end(kLinearSpans));
    // A frame from the lowest to the highest end must find a span that long.
    extendUpwards<Span>(spans, kSpanPatternStart, 2.0 * positive.back(), valueOfSpan, scaledSpan);
    // A frame narrower than the smallest span must find one its own size, and ends as fine.
    const int below = decadesBelow(spans.front().span, high - low);
    extendDownwards<float>(positive, below, valueOfEnd, shrunkEnd);
    extendDownwards<Span>(spans, below, valueOfSpan, shrunkSpan);

    AxisLists c;
    for (auto it = positive.rbegin(); it != positive.rend(); ++it) c.MIN.push_back(-*it);
    c.MIN.push_back(0);
    c.MIN.insert(c.MIN.end(), positive.begin(), positive.end());
    for (const Span& s : spans) {
        c.DIFF.push_back(s.span);
        c.IT.push_back(s.ticks);
        c.GIT.push_back(1);
        c.ZL.push_back(s.labels);
    }
    return c;
}

AxisLists AxisCandidates::logarithmic(double low, double high)
{
    // The scale routine knows decades from 10^-10 to 10^10 only.
    constexpr int kLowestDecade = -10, kHighestDecade = 10;
    AxisLists c;
    c.MIN = {0.001f, 0.002f, 0.0063f, 0.02f, 0.063f, 0.2f, 0.63f, 2, 6.3f, 20, 63, 100};
    if (low > 0)
        for (int e = -4; e >= kLowestDecade && c.MIN.front() > static_cast<float>(low); --e)
            c.MIN.insert(c.MIN.begin(), static_cast<float>(std::pow(10.0, e)));
    if (high > 0)
        for (int e = 3; e <= kHighestDecade && c.MIN.back() < static_cast<float>(high); ++e)
            c.MIN.push_back(static_cast<float>(std::pow(10.0, e)));
    c.DIFF = {100};
    c.IT = {10};
    c.GIT = {1};
    c.ZL = {1};
    return c;
}

void AxisCandidates::applyX(clsGRAFIK& engine, const AxisLists& lists)
{
    engine.ELXMIN(lists.MIN);
    engine.ELXDIFF(lists.DIFF);
    engine.ELXIT(lists.IT);
    engine.ELXGIT(lists.GIT);  // also sets the label list; the real one follows
    engine.ELXZL(lists.ZL);
}

void AxisCandidates::applyY(clsGRAFIK& engine, const AxisLists& lists)
{
    engine.ELYMIN(lists.MIN);
    engine.ELYDIFF(lists.DIFF);
    engine.ELYIT(lists.IT);
    engine.ELYGIT(lists.GIT);
    engine.ELYZL(lists.ZL);
}
