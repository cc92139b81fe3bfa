#include "grid/ElapsedClock.h"

#include "platform/vb/Convert.h"
#include "platform/widgets/FlexGrid.h"

#include <QDate>
#include <cmath>

namespace {

// Splits "a<sep>b[<sep>c]" into up to three runs of one to four digits; false otherwise.
bool digitGroups(const QString& text, QChar separator, int (&parts)[3], int (&widths)[3], int& count)
{
    count = 0;
    int value = 0, width = 0;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (++width > 4) return false;
            value = value * 10 + (c.unicode() - '0');
        } else if (c == separator && width > 0 && count < 2) {
            parts[count] = value;
            widths[count++] = width;
            value = width = 0;
        } else {
            return false;
        }
    }
    if (width == 0) return false;
    parts[count] = value;
    widths[count++] = width;
    return true;
}

// The stamps the grid itself writes ("17.05.03", "17.05.2003", "10:30", "10:30:05") are read
// directly: a long import refreshes hundreds of thousands of them. Everything else goes
// through the general date conversion.
std::optional<double> quickDay(const QString& text)
{
    int p[3], w[3], n = 0;
    if (!digitGroups(text, QLatin1Char('.'), p, w, n) || n != 3 || w[0] > 2 || w[1] > 2 || (w[2] != 2 && w[2] != 4))
        return std::nullopt;
    // Two-figure years read into 1930-2029, as the conversions do.
    const int year = w[2] == 4 ? p[2] : p[2] < 30 ? 2000 + p[2] : 1900 + p[2];
    const QDate d(year, p[1], p[0]);
    if (!d.isValid()) return std::nullopt;
    static const QDate epoch(1899, 12, 30);
    return static_cast<double>(epoch.daysTo(d));
}

std::optional<double> quickSeconds(const QString& text)
{
    int p[3], w[3], n = 0;
    if (!digitGroups(text, QLatin1Char(':'), p, w, n) || n < 2 || w[0] > 2 || w[1] != 2 || (n == 3 && w[2] != 2))
        return std::nullopt;
    const int seconds = n == 3 ? p[2] : 0;
    if (p[0] > 23 || p[1] > 59 || seconds > 59) return std::nullopt;
    return p[0] * 3600.0 + p[1] * 60.0 + seconds;
}

}  // namespace

ElapsedClock::ElapsedClock(const vb::FlexGrid& grid, int dateCol, int timeCol)
    : grid_(grid), dateCol_(dateCol), timeCol_(timeCol), stamps_(static_cast<size_t>(grid.Rows()))
{
}

const ElapsedClock::Stamp& ElapsedClock::stamp(int row)
{
    Stamp& s = stamps_[static_cast<size_t>(row)];
    if (s.read) return s;
    s.read = true;
    if (dateCol_ >= 0) {
        const QString text = grid_.TextMatrix(row, dateCol_).trimmed();
        s.days = quickDay(text);
        if (!s.days)
            if (auto d = vb::parseDate(text)) s.days = std::floor(d->serial);
    }
    if (timeCol_ >= 0) {
        const QString text = grid_.TextMatrix(row, timeCol_).trimmed();
        s.seconds = quickSeconds(text);
        if (!s.seconds) {
            if (auto t = vb::parseDate(text)) {
                const double fraction = t->serial - std::floor(t->serial);
                s.seconds = std::round(fraction * 86400.0);
            }
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
