#include "pages/PointTable.h"

#include "pages/clsTABELLE.h"
#include "platform/ui/Procedure.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Format.h"
#include "platform/vb/VbLocale.h"

#include <cmath>

namespace {

constexpr float kSmallest = 0.0005f;  // below this, three decimals would show 0,000

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

clsTABELLE::Values PointTable::bodyRows(const std::vector<RecordPoint>& points)
{
    clsTABELLE::Values X(5);
    for (auto& column : X) column.reserve(points.size());
    for (const RecordPoint& p : points) {
        X[0].emplace_back(p.group);
        X[1].emplace_back(p.polygon);
        X[2].emplace_back(p.point);
        X[3].emplace_back(p.x);
        X[4].emplace_back(p.y);
    }
    return X;
}

QString PointTable::coordinate(float value)
{
    // Fixed-point texts are built directly, without the general format's parsing.
    const float size = std::abs(value);
    int decimals = 3;
    if (size > 0 && size < kSmallest) {
        decimals = 3 - static_cast<int>(std::floor(std::log10(size)));
        if (decimals > 12) return vb::Format(vb::Value(value), QStringLiteral("0.000E+00"));
    }
    QString text = QString::number(size == 0 ? 0.0 : static_cast<double>(value), 'f', decimals);
    text.replace(QLatin1Char('.'), vb::VbLocale::decimalSeparator());
    return text;
}

void PointTable::setUp(clsTABELLE& table)
{
    table.ERZ(1.5f);
    table.ELSB({12, 12, 12, 17, 17});
    table.ELGIT({2, 1, 2, 1, 1});
    table.ELGITLEER({0, 0, 0, 0, 0});
    table.EZA(1);
    table.ELA({1, 1, 1, 1, 1});
    table.ELFORMAT({QString(), QStringLiteral("0"), QStringLiteral("0"), QString(), QString()});
    const auto coordinateText = [](const vb::Value& v) { return coordinate(vb::CSng(v)); };
    table.setCellText(3, coordinateText);
    table.setCellText(4, coordinateText);
    int16_t style = 0;
    float width = 0;
    int32_t colour = 0;
    table.LINIENEINSTELLUNGEN(style, width, colour);
    table.SCHRIFTEINSTELLUNGEN(QString(), 7, false, false, false, 0);
}

void PointTable::draw(vb::Procedure& p, vb::OutputSurface& surface, float XDL, float YDO, QScrollBar* bar,
                      const std::vector<RecordPoint>& points)
{
    clsTABELLE table;
    p.step([&] {
        table.EOBJEKT(&surface);
        table.EXDL(XDL);
        table.EYDO(YDO);
        table.EYBALKEN(bar);
    });
    p.step([&] { setUp(table); });
    clsTABELLE::Values header = headerRows();
    p.step([&] { table.TABELLE(header, 0); });
    clsTABELLE::Values body = bodyRows(points);
    p.step([&] { table.TABELLE(body, 1); });
}
