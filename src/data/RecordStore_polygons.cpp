// The polygons: the capture's working polygons of a diagram (G2_1 heads, G2_2 points) and
// the record's own points (E3).
#include "data/RecordStore.h"

#include "platform/db/Connection.h"
#include "platform/db/Statement.h"
#include "platform/vb/VbError.h"

#include <cmath>

using vb::Value;

namespace {

// The capture's rows among the diagram's polygons: heads of kind 3, points of kind "D".
constexpr int16_t kCapturedHead = 3;
const QString kCapturedPoint = QStringLiteral("D");

// The coordinates' columns hold singles: a value is stored as the column holds it.
Value single(double v) { return Value(static_cast<float>(v)); }

// An empty group label is stored as NULL, like every empty text.
Value label(const QString& group) { return group.isEmpty() ? Value::null() : Value(group); }

bool isNumber(db::Statement::Type type)
{
    return type == db::Statement::Type::Integer || type == db::Statement::Type::Real;
}

// Reads rows of (group, polygon, point, x, y); a row missing a number or a coordinate is
// not a point. A coordinate that is no number is refused rather than read as 0: copied or
// drawn, it would be a wrong point that looks right. With `nonNumbers` it is collected there.
PolygonPoints readPoints(db::Statement& st, PolygonPoints* nonNumbers = nullptr)
{
    PolygonPoints points;
    while (st.next()) {
        const db::Statement::Type x = st.type(3), y = st.type(4);
        if (st.isNull(1) || st.isNull(2) || x == db::Statement::Type::Null || y == db::Statement::Type::Null) continue;
        PolygonPoint p{st.isNull(0) ? QString() : st.text(0), static_cast<int32_t>(st.integer(1)), static_cast<int32_t>(st.integer(2))};
        if (!isNumber(x) || !isNumber(y) || !std::isfinite(st.real(3)) || !std::isfinite(st.real(4))) {
            if (!nonNumbers) vb::raise(vb::errTypeMismatch);
            nonNumbers->push_back(p);
            continue;
        }
        p.x = st.real(3);
        p.y = st.real(4);
        points.push_back(p);
    }
    return points;
}

}  // namespace

PolygonPoints RecordStore::workingPolygons(int32_t id, int16_t diagram) const
{
    db::Statement st = connection().prepare(QStringLiteral(
        "SELECT h.[TXT], h.[LFDNR], p.[PKTNR], p.[PX], p.[PY] FROM [G2_1] h JOIN [G2_2] p "
        "ON p.[ID]=h.[ID] AND p.[IDOBJEKT]=h.[IDOBJEKT] AND p.[LFDNR]=h.[LFDNR] "
        "WHERE h.[ID]=? AND h.[IDOBJEKT]=? AND h.[KEN]=? AND p.[KEN]=? ORDER BY h.[LFDNR], p.[PKTNR]"));
    st.bind(1, id).bind(2, diagram).bind(3, kCapturedHead).bind(4, kCapturedPoint);
    return readPoints(st);
}

// After the deletes every row is new: one prepared insert per head and per point, so that
// ten thousand points are stored while the user waits for OK, not minutes.
void RecordStore::writeWorkingPolygons(int32_t id, int16_t diagram, const PolygonPoints& points)
{
    transaction([&] {
        db::Connection& cn = connection();
        cn.Execute(QStringLiteral("DELETE FROM [G2_1] WHERE [ID]=? AND [IDOBJEKT]=? AND [KEN]=?"),
                   {Value(id), Value(diagram), Value(kCapturedHead)});
        cn.Execute(QStringLiteral("DELETE FROM [G2_2] WHERE [ID]=? AND [IDOBJEKT]=? AND [KEN]=?"),
                   {Value(id), Value(diagram), Value(kCapturedPoint)});
        db::Statement head = cn.prepare(QStringLiteral("INSERT INTO [G2_1] ([ID],[IDOBJEKT],[LFDNR],[KEN],[TXT]) VALUES (?,?,?,?,?)"));
        db::Statement point = cn.prepare(
            QStringLiteral("INSERT INTO [G2_2] ([ID],[IDOBJEKT],[LFDNR],[PKTNR],[KEN],[PX],[PY]) VALUES (?,?,?,?,?,?,?)"));
        for (size_t i = 0; i < points.size(); ++i) {
            const PolygonPoint& p = points[i];
            if (i == 0 || points[i - 1].polygon != p.polygon)
                head.bindAll({Value(id), Value(diagram), Value(p.polygon), Value(kCapturedHead), label(p.group)}).run();
            point.bindAll({Value(id), Value(diagram), Value(p.polygon), Value(p.point), Value(kCapturedPoint), single(p.x),
                           single(p.y)})
                .run();
        }
    });
}

PolygonPoints RecordStore::points(int32_t id, PolygonPoints* nonNumbers) const
{
    db::Statement st = connection().prepare(
        QStringLiteral("SELECT [GRUPPE], [POLYNR], [PKTNR], [PX], [PY] FROM [E3] WHERE [ID] = ? ORDER BY [POLYNR], [PKTNR]"));
    st.bind(1, id);
    return readPoints(st, nonNumbers);
}

void RecordStore::writePoints(int32_t id, const PolygonPoints& points)
{
    db::Connection& cn = connection();
    cn.Execute(QStringLiteral("DELETE FROM [E3] WHERE [ID]=?"), {Value(id)});
    db::Statement insert = cn.prepare(QStringLiteral("INSERT INTO [E3] ([ID],[POLYNR],[PKTNR],[GRUPPE],[PX],[PY]) VALUES (?,?,?,?,?,?)"));
    for (const PolygonPoint& p : points)
        insert.bindAll({Value(id), Value(p.polygon), Value(p.point), label(p.group), single(p.x), single(p.y)}).run();
}

void RecordStore::takeOverCapture(int32_t id, int16_t diagram, bool calibration, bool polygons)
{
    transaction([&] {
        if (const auto f = frame(id, diagram); f && calibration) copyFrameToCalibration(id, *f);
        if (!polygons) return;
        writePoints(id, workingPolygons(id, diagram));
        // A new capture makes the old evaluation stale: only a new calculation is offered.
        connection().Execute(QStringLiteral("UPDATE [A1] SET [BONEU]=1 WHERE [ID]=?"), {Value(id)});
    });
}
