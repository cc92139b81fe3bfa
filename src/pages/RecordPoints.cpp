#include "pages/RecordPoints.h"

#include "platform/db/Recordset.h"
#include "platform/vb/Convert.h"

std::vector<RecordPoint> RecordPoints::read(db::Connection& connection, int32_t id)
{
    db::Recordset rs(QStringLiteral("SELECT [GRUPPE], [POLYNR], [PKTNR], [PX], [PY] FROM [E3] WHERE [ID] = %1 "
                                    "ORDER BY [POLYNR], [PKTNR]")
                         .arg(id),
                     connection);
    std::vector<RecordPoint> points;
    points.reserve(static_cast<std::size_t>(rs.RecordCount()));
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const vb::Value polygon = rs.field(1), point = rs.field(2), x = rs.field(3), y = rs.field(4);
        if (polygon.isNull() || point.isNull() || x.isNull() || y.isNull()) continue;
        const vb::Value group = rs.field(0);
        points.push_back({group.isNull() ? QString() : vb::CStr(group), vb::CInt(polygon), vb::CInt(point),
                          vb::CSng(x), vb::CSng(y)});
    }
    rs.Close();
    return points;
}
