#include "grid/ElapsedClock.h"

#include "platform/vb/Convert.h"
#include "platform/widgets/FlexGrid.h"

#include <cmath>

ElapsedClock::ElapsedClock(const vb::FlexGrid& grid, int dateCol, int timeCol)
    : grid_(grid), dateCol_(dateCol), timeCol_(timeCol), stamps_(static_cast<size_t>(grid.Rows()))
{
}

const ElapsedClock::Stamp& ElapsedClock::stamp(int row)
{
    Stamp& s = stamps_[static_cast<size_t>(row)];
    if (s.read) return s;
    s.read = true;
    if (dateCol_ >= 0)
        if (auto d = vb::parseDate(grid_.TextMatrix(row, dateCol_))) s.days = std::floor(d->serial);
    if (timeCol_ >= 0) {
        if (auto t = vb::parseDate(grid_.TextMatrix(row, timeCol_))) {
            const double fraction = t->serial - std::floor(t->serial);
            s.seconds = std::round(fraction * 86400.0);
        }
    }
    return s;
}

std::optional<double> ElapsedClock::between(int from, int to)
{
    const Stamp& a = stamp(from);
    const Stamp& b = stamp(to);
    if (dateCol_ >= 0 && timeCol_ >= 0) {
        if (!a.days || !b.days || !a.seconds || !b.seconds) return std::nullopt;
        return ((*b.days - *a.days) * 86400.0 + *b.seconds - *a.seconds) / 60.0;
    }
    if (timeCol_ >= 0) {
        if (!a.seconds || !b.seconds) return std::nullopt;
        return (*b.seconds - *a.seconds) / 60.0;
    }
    if (dateCol_ >= 0) {
        if (!a.days || !b.days) return std::nullopt;
        return *b.days - *a.days;
    }
    return std::nullopt;
}
