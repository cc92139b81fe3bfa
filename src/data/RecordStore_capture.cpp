// What a record remembers of its capture (E4 scan, E5 calibration clicks, E6 point pixels)
// and the capture's way into the record's points.
#include "data/RecordStore.h"

#include "platform/db/Connection.h"
#include "platform/db/Statement.h"

using vb::Value;

namespace {

std::optional<double> optionalReal(const db::Statement& st, int column)
{
    if (st.isNull(column)) return std::nullopt;
    return st.real(column);
}

Value orNull(const std::optional<double>& v) { return v ? Value(*v) : Value::null(); }

QString textOr(const db::Statement& st, int column, const QString& otherwise)
{
    const QString t = st.isNull(column) ? QString() : st.text(column);
    return t.isEmpty() ? otherwise : t;
}

}  // namespace

StoredCapture RecordStore::capture(int32_t id) const
{
    StoredCapture c;
    db::Statement head = connection().prepare(QStringLiteral("SELECT [BILD],[XTITEL],[YTITEL],[LOGX],[LOGY] FROM [E4] WHERE [ID]=?"));
    head.bind(1, id);
    if (head.next()) {
        StoredCapture::Head h;
        h.scan = textOr(head, 0, QString());
        h.xTitle = textOr(head, 1, h.xTitle);
        h.yTitle = textOr(head, 2, h.yTitle);
        h.logX = !head.isNull(3) && head.integer(3) != 0;
        h.logY = !head.isNull(4) && head.integer(4) != 0;
        c.head = h;
    }
    db::Statement clicks = connection().prepare(QStringLiteral("SELECT [ART],[BX],[BY],[WX],[WY] FROM [E5] WHERE [ID]=? ORDER BY [LFDNR]"));
    clicks.bind(1, id);
    while (clicks.next())
        c.references.push_back({static_cast<int16_t>(clicks.integer(0)), clicks.real(1), clicks.real(2), optionalReal(clicks, 3),
                                optionalReal(clicks, 4)});
    db::Statement pixels = connection().prepare(
        QStringLiteral("SELECT [POLYNR],[PKTNR],[BX],[BY],[PX],[PY] FROM [E6] WHERE [ID]=? ORDER BY [POLYNR],[PKTNR]"));
    pixels.bind(1, id);
    while (pixels.next())
        c.pixels.push_back({static_cast<int16_t>(pixels.integer(0)), static_cast<int16_t>(pixels.integer(1)), pixels.real(2),
                            pixels.real(3), pixels.real(4), pixels.real(5)});
    return c;
}

AxisTitles RecordStore::axisTitles(int32_t id) const
{
    AxisTitles titles;
    db::Statement head = connection().prepare(QStringLiteral("SELECT [XTITEL],[YTITEL] FROM [E4] WHERE [ID]=?"));
    head.bind(1, id);
    if (head.next()) {
        titles.x = textOr(head, 0, titles.x);
        titles.y = textOr(head, 1, titles.y);
    }
    return titles;
}

void RecordStore::writeCapture(int32_t id, const StoredCapture& capture)
{
    transaction([&] {
        db::Connection& cn = connection();
        for (const char* table : {"E4", "E5", "E6"})
            cn.Execute(QStringLiteral("DELETE FROM [%1] WHERE [ID]=?").arg(QLatin1String(table)), {Value(id)});
        if (const auto& h = capture.head)
            cn.Execute(QStringLiteral("INSERT INTO [E4] ([ID],[BILD],[XTITEL],[YTITEL],[LOGX],[LOGY]) VALUES (?,?,?,?,?,?)"),
                       {Value(id), h->scan.isEmpty() ? Value::null() : Value(h->scan), Value(h->xTitle), Value(h->yTitle),
                        Value(int16_t(h->logX ? 1 : 0)), Value(int16_t(h->logY ? 1 : 0))});
        db::Statement click = cn.prepare(QStringLiteral("INSERT INTO [E5] ([ID],[LFDNR],[ART],[BX],[BY],[WX],[WY]) VALUES (?,?,?,?,?,?,?)"));
        for (size_t n = 0; n < capture.references.size(); ++n) {
            const StoredCapture::Reference& r = capture.references[n];
            click.bindAll({Value(id), Value(static_cast<int16_t>(n)), Value(r.kind), Value(r.bx), Value(r.by), orNull(r.wx), orNull(r.wy)})
                .run();
        }
        db::Statement pixel = cn.prepare(QStringLiteral("INSERT INTO [E6] ([ID],[POLYNR],[PKTNR],[BX],[BY],[PX],[PY]) VALUES (?,?,?,?,?,?,?)"));
        for (const StoredCapture::Pixel& p : capture.pixels)
            pixel.bindAll({Value(id), Value(p.polygon), Value(p.point), Value(p.bx), Value(p.by), Value(p.px), Value(p.py)}).run();
    });
}

PolygonPoints RecordStore::capturedPolygons(int32_t id, int16_t diagram) const
{
    PolygonPoints working = workingPolygons(id, diagram);
    return working.empty() ? points(id) : working;
}

PolygonPoints RecordStore::untakenPolygons(int32_t id, int16_t diagram) const
{
    PolygonPoints working = workingPolygons(id, diagram);
    if (working == points(id)) return {};
    return working;
}
