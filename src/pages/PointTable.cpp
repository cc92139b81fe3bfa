#include "pages/PointTable.h"

#include "pages/clsTABELLE.h"
#include "platform/ui/Procedure.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Format.h"
#include "platform/vb/VbLocale.h"

#include <cmath>

namespace {

constexpr int kSignificant = 4;
// Beyond these a coordinate is written with an exponent rather than a row of zeros.
constexpr int kMostDecimals = 12;
constexpr double kLargest = 1e10;

// The decimals that show `value` with four significant digits (at least one, so that every
// cell has a decimal mark to align on).
int decimalsOf(double value)
{
    const double size = std::abs(value);
    if (size == 0) return kSignificant - 1;
    int decimals = kSignificant - 1 - static_cast<int>(std::floor(std::log10(size)));
    // Rounding may carry into the next decade (9.9996 gives 10.00, not 10.000).
    const double rounded = std::abs(std::round(value * std::pow(10.0, decimals))) / std::pow(10.0, decimals);
    if (rounded >= std::pow(10.0, kSignificant - decimals)) --decimals;
    return std::max(decimals, 1);
}

bool needsExponent(double value)
{
    return std::abs(value) >= kLargest || decimalsOf(value) > kMostDecimals;
}

// A positioning pattern for the column: as many places before and after the mark as its
// widest cells have, so that the renderer centres the column's marks under the widest text.
// Counted, not formatted: a long body must not be turned into text for it.
QString columnPattern(const PolygonPoints& points, double PolygonPoint::*coordinate)
{
    int before = 1, after = 1;
    for (const PolygonPoint& p : points) {
        const double v = static_cast<float>(p.*coordinate);
        if (needsExponent(v)) continue;
        const double size = std::abs(v);
        const int integerDigits = size < 1 ? 1 : static_cast<int>(std::floor(std::log10(size))) + 1;
        before = std::max(before, integerDigits + (v < 0 ? 1 : 0));
        after = std::max(after, decimalsOf(v));
    }
    return QString(before, QLatin1Char('0')) + QLatin1Char('.') + QString(after, QLatin1Char('0'));
}

}  // namespace

clsTABELLE::Values PointTable::headerRows()
{
    const QStringList first{QStringLiteral("Gruppe"), QStringLiteral("Polygon"), QStringLiteral("Punkt"),
                            QStringLiteral("x"), QStringLiteral("y")};
    const QStringList second{QStringLiteral("Nr."), QStringLiteral("Nr."), QStringLiteral("Nr."), QStringLiteral("[-]"),
                             QStringLiteral("[-]")};
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
    if (needsExponent(v)) return vb::Format(vb::Value(value), QStringLiteral("0.000E+00"));
    QString text = QString::number(v == 0 ? 0.0 : v, 'f', decimalsOf(v));
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

void PointTable::draw(vb::Procedure& p, const DrawTarget& target, QScrollBar* bar, const PolygonPoints& points)
{
    clsTABELLE table;
    p.step([&] {
        table.EOBJEKT(&target.surface);
        table.EXDL(target.XDL);
        table.EYDO(target.YDO);
        table.EYBALKEN(bar);
    });
    p.step([&] { setUp(table, points); });
    clsTABELLE::Values header = headerRows();
    p.step([&] { table.TABELLE(header, 0); });
    clsTABELLE::Values body = bodyRows(points);
    p.step([&] { table.TABELLE(body, 1); });
}
