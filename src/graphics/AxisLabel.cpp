#include "graphics/AxisLabel.h"

#include "platform/vb/Format.h"
#include "platform/vb/Value.h"

#include <algorithm>
#include <cmath>

namespace {

// Below this a single's value is no label anyone reads; it keeps the places counted short.
constexpr int kMostDecimals = 15;

bool isPlace(QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('#'); }

}  // namespace

int AxisLabel::decimals(double value, int significant)
{
    // Beyond 10^15 a single has no places after the point to speak of.
    if (value == 0 || !std::isfinite(value) || std::abs(value) >= 1e15) return 0;
    const int exponent = static_cast<int>(std::floor(std::log10(std::abs(value))));
    int d = std::clamp(significant - 1 - exponent, 0, kMostDecimals);
    long long digits = std::llround(std::abs(value) * std::pow(10.0, d));
    while (d > 0 && digits % 10 == 0) {
        digits /= 10;
        --d;
    }
    return d;
}

QString AxisLabel::text(double value, int decimals, const QString& format)
{
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    QString pattern = format;
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    if (point >= 0) {
        qsizetype end = point + 1;
        while (end < pattern.size() && isPlace(pattern[end])) ++end;
        const int places = static_cast<int>(end - point - 1);
        if (decimals > places) pattern.insert(end, QString(decimals - places, QLatin1Char('#')));
    }
    // -0.0 would be written with its sign.
    return vb::Format(vb::Value(rounded == 0 ? 0.0 : rounded), pattern);
}
