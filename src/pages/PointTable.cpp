#include "pages/PointTable.h"

#include "pages/clsTABELLE.h"
#include "platform/ui/Procedure.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Format.h"
#include "platform/vb/VbLocale.h"

#include <cmath>
#include <iterator>
#include <optional>

namespace {

constexpr int kSignificant = 4;
// Beyond these a coordinate is written with an exponent rather than a row of zeros.
constexpr int kMostDecimals = 12;
constexpr double kLargest = 1e10;

// `size` times ten to the `exponent`: by the exact powers a double holds, dividing for
// negative exponents, so that a tie rounds as the decimal text would.
double shifted(double size, int exponent)
{
    static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr int kLast = static_cast<int>(std::size(kExact)) - 1;
    if (exponent > kLast || -exponent > kLast) return size * std::pow(10.0, exponent);
    return exponent >= 0 ? size * kExact[exponent] : size / kExact[-exponent];
}

// The decimal places of a coordinate's cell: before the mark and after it with four
// significant digits (at least one after, so that every cell has a mark to align on).
struct Places {
    int before = 1;
    int after = kSignificant - 1;
};

// One logarithm per value: the table's column pattern counts every point of the record.
Places placesOf(double value)
{
    const double size = std::abs(value);
    if (size == 0) return {};
    const int decade = static_cast<int>(std::floor(std::log10(size)));
    int decimals = kSignificant - 1 - decade;
    // Rounding may carry into the next decade (9.9996 gives 10.00, not 10.000).
    if (std::round(shifted(size, decimals)) >= shifted(1, kSignificant)) --decimals;
    const int after = std::max(decimals, 1);
    // The cell's integer digits are those of its text, after that rounding.
    const bool carried = std::round(shifted(size, after)) >= shifted(1, decade + 1 + after);
    return {std::max(decade + (carried ? 1 : 0), 0) + 1 + (value < 0 ? 1 : 0), after};
}

bool needsExponent(double value, const Places& places)
{
    return std::abs(value) >= kLargest || places.after > kMostDecimals;
}

// A positioning pattern for the column: as many places before and after the mark as its
// widest cells have, so that the renderer centres the column's marks under the widest text.
// Counted, not formatted: a long body must not be turned into text for it. The places grow
// with a value's size (before the mark) and shrink with it (after the mark), so within the
// range no cell needs an exponent in, only the smallest, the largest and the most negative
// value are counted; values outside it are counted one by one.
QString columnPattern(const PolygonPoints& points, double PolygonPoint::*coordinate)
{
    constexpr double kPlainFrom = 1e-8;  // well above the sizes that need an exponent
    Places widest{1, 1};
    const auto widen = [&](double v) {
        const Places places = placesOf(v);
        if (needsExponent(v, places)) return;
        widest.before = std::max(widest.before, places.before);
        widest.after = std::max(widest.after, places.after);
    };
    std::optional<double> smallest, largest, lowest;
    for (const PolygonPoint& p : points) {
        const double v = static_cast<float>(p.*coordinate);
        const double size = std::abs(v);
        if (size < kPlainFrom || size >= kLargest) {
            widen(v);
            continue;
        }
        if (!smallest || size < std::abs(*smallest)) smallest = v;
        if (v > 0 && (!largest || v > *largest)) largest = v;
        if (v < 0 && (!lowest || v < *lowest)) lowest = v;
    }
    for (const std::optional<double>& v : {smallest, largest, lowest})
        if (v) widen(*v);
    return QString(widest.before, QLatin1Char('0')) + QLatin1Char('.') + QString(widest.after, QLatin1Char('0'));
}

}  // namespace

clsTABELLE::Values PointTable::headerRows(const AxisTitles& titles)
{
    const QStringList first{QStringLiteral("Gruppe"), QStringLiteral("Polygon"), QStringLiteral("Punkt"),
                            AxisTitles::name(titles.x), AxisTitles::name(titles.y)};
    const QStringList second{QStringLiteral("Nr."), QStringLiteral("Nr."), QStringLiteral("Nr."), AxisTitles::unit(titles.x),
                             AxisTitles::unit(titles.y)};
    clsTABELLE::Values X(5);
    for (int c = 0; c < 5; ++c) X[c] = {vb::Value(first[c]), vb::Value(second[c])};
    return X;
}

clsTABELLE::Values PointTable::bodyRows(const PolygonPoints& points)
{
    clsTABELLE::Values X(5);
    for (auto& column : X) column.reserve(points.size());
    for (const PolygonPoint& p : points) {
        X[0].emplace_back(p.group);
        X[1].emplace_back(p.polygon);
        X[2].emplace_back(p.point);
        X[3].emplace_back(static_cast<float>(p.x));
        X[4].emplace_back(static_cast<float>(p.y));
    }
    return X;
}

QString PointTable::coordinate(float value)
{
    // Fixed-point texts are built directly, without the general format's parsing.
    const double v = value;
    const Places places = placesOf(v);
    if (needsExponent(v, places)) return vb::Format(vb::Value(value), QStringLiteral("0.000E+00"));
    QString text = QString::number(v == 0 ? 0.0 : v, 'f', places.after);
    text.replace(QLatin1Char('.'), vb::VbLocale::decimalSeparator());
    return text;
}

void PointTable::setUp(clsTABELLE& table, const PolygonPoints& points)
{
    table.ERZ(1.5f);
    table.ELSB({12, 12, 12, 17, 17});
    table.ELGIT({2, 1, 2, 1, 1});
    table.ELGITLEER({0, 0, 0, 0, 0});
    table.EZA(1);
    // Coordinates of many magnitudes line up on their decimal marks.
    table.ELA({1, 1, 1, 3, 3});
    table.ELFORMAT({QString(), QStringLiteral("0"), QStringLiteral("0"), columnPattern(points, &PolygonPoint::x),
                    columnPattern(points, &PolygonPoint::y)});
    const auto coordinateText = [](const vb::Value& v) { return coordinate(vb::CSng(v)); };
    table.setCellText(3, coordinateText);
    table.setCellText(4, coordinateText);
    int16_t style = 0;
    float width = 0;
    int32_t colour = 0;
    table.LINIENEINSTELLUNGEN(style, width, colour);
    table.SCHRIFTEINSTELLUNGEN(QString(), 7, false, false, false, 0);
}

void PointTable::draw(vb::Procedure& p, const DrawTarget& target, QScrollBar* bar, const PolygonPoints& points,
                      const AxisTitles& titles)
{
    clsTABELLE table;
    p.step([&] {
        table.EOBJEKT(&target.surface);
        table.EXDL(target.XDL);
        table.EYDO(target.YDO);
        table.EYBALKEN(bar);
    });
    p.step([&] { setUp(table, points); });
    clsTABELLE::Values header = headerRows(titles);
    p.step([&] { table.TABELLE(header, 0); });
    clsTABELLE::Values body = bodyRows(points);
    p.step([&] { table.TABELLE(body, 1); });
}
