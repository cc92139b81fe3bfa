// The records, the evaluation flag, the frames and the store's transactions. The polygons
// are in RecordStore_polygons.cpp.
#include "data/RecordStore.h"

#include "data/RecordNames.h"
#include "data/SessionContext.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"

using vb::Value;

namespace {

// The one question for the records; the active ones are among them.
const QString kRecords = QStringLiteral("SELECT [ID],[KEN],[KOM],[AKT] FROM [E1] ORDER BY [KEN]");

const QString kFrameColumns = QStringLiteral("[OX],[OY],[RL],[RR],[RO],[RU],[XMIN],[XMAX],[YMIN],[YMAX],[MX],[MY],[MYMX],[MSP]");

template <class T>
Value orNull(const std::optional<T>& v)
{
    return v ? Value(*v) : Value::null();
}

std::optional<int16_t> smallint(const db::Statement& st, int column)
{
    if (st.isNull(column)) return std::nullopt;
    return static_cast<int16_t>(st.integer(column));
}

std::optional<float> single(const db::Statement& st, int column)
{
    if (st.isNull(column)) return std::nullopt;
    return static_cast<float>(st.real(column));
}

// The frame's values in the order of kFrameColumns.
std::vector<Value> frameValues(const DiagramFrame& f)
{
    return {orNull(f.OX),   orNull(f.OY),   orNull(f.RL), orNull(f.RR), orNull(f.RO),   orNull(f.RU),  orNull(f.XMIN),
            orNull(f.XMAX), orNull(f.YMIN), orNull(f.YMAX), orNull(f.MX), orNull(f.MY), orNull(f.MYMX), orNull(f.MSP)};
}

}  // namespace

RecordStore::RecordStore(SessionContext& session) : session_(session) {}

db::Connection& RecordStore::connection() const { return session_.cnnX; }

// --- the store's writes -----------------------------------------------------------------------

void RecordStore::markChanged() { session_.BOGEAENDERT = true; }

void RecordStore::unitOfWork(const std::function<void()>& work)
{
    db::Transaction unit(connection());
    work();
    unit.commit();
}

void RecordStore::transaction(const std::function<void()>& work)
{
    unitOfWork(work);
    markChanged();
}

bool RecordStore::write(const std::function<bool()>& writes)
{
    db::Transaction unit(connection());
    if (!writes()) return false;
    unit.commit();
    markChanged();
    return true;
}

// --- the records --------------------------------------------------------------------------------

std::vector<RecordEntry> RecordStore::records() const
{
    std::vector<RecordEntry> rows;
    db::Statement st = connection().prepare(kRecords);
    while (st.next()) rows.push_back({static_cast<int32_t>(st.integer(0)), st.text(1), st.text(2), st.integer(3) != 0});
    QStringList names;
    for (const RecordEntry& r : rows) names.append(r.name);
    std::vector<RecordEntry> ordered;
    ordered.reserve(rows.size());
    for (const size_t i : RecordNames::order(names, session_.SPRACHE())) ordered.push_back(rows[i]);
    return ordered;
}

std::vector<RecordEntry> RecordStore::activeRecords() const
{
    std::vector<RecordEntry> active = records();
    std::erase_if(active, [](const RecordEntry& r) { return !r.active; });
    return active;
}

std::optional<RecordEntry> RecordStore::activeRecord() const
{
    std::vector<RecordEntry> active = activeRecords();
    if (active.empty()) return std::nullopt;
    return active.front();
}

int32_t RecordStore::activeRecordId() const
{
    const auto active = activeRecord();
    return active ? active->id : 0;
}

void RecordStore::deactivateAllBut(int32_t id)
{
    unitOfWork([&] {
        connection().prepare(QStringLiteral("UPDATE [E1] SET [AKT]=false WHERE [ID]<>? AND [AKT]=true")).bind(1, id).run();
    });
}

void RecordStore::setActive(const std::map<int32_t, bool>& active)
{
    unitOfWork([&] {
        db::Statement update = connection().prepare(QStringLiteral("UPDATE [E1] SET [AKT]=? WHERE [ID]=?"));
        for (const auto& [id, on] : active) update.bind(1, on).bind(2, id).run();
    });
}

void RecordStore::removeName(int32_t id)
{
    transaction([&] { connection().prepare(QStringLiteral("DELETE FROM [E1] WHERE [ID]=?")).bind(1, id).run(); });
}

// --- the evaluation flag -------------------------------------------------------------------------

std::optional<bool> RecordStore::evaluationFlag(int32_t id) const
{
    db::Statement st = connection().prepare(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=?"));
    st.bind(1, id);
    if (!st.next()) return std::nullopt;
    return st.integer(0) != 0;
}

bool RecordStore::evaluationPending(int32_t id)
{
    if (const auto flag = evaluationFlag(id)) return *flag;
    connection().Execute(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU]) VALUES (?,?)"), {Value(id), Value(true)});
    return true;
}

void RecordStore::setEvaluationPending(int32_t id, bool pending)
{
    transaction([&] {
        connection().Execute(QStringLiteral("DELETE FROM [A1] WHERE [ID]=?"), {Value(id)});
        connection().Execute(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU]) VALUES (?,?)"), {Value(id), Value(pending)});
    });
}

// --- the diagram frames --------------------------------------------------------------------------

std::optional<DiagramFrame> RecordStore::frame(int32_t id, int16_t diagram) const
{
    db::Statement st = connection().prepare(QStringLiteral("SELECT ") + kFrameColumns
                                            + QStringLiteral(" FROM [G0] WHERE [ID]=? AND [IDOBJEKT]=?"));
    st.bind(1, id).bind(2, diagram);
    if (!st.next()) return std::nullopt;
    return DiagramFrame{smallint(st, 0),  smallint(st, 1),  single(st, 2),  single(st, 3),  single(st, 4),
                        single(st, 5),    single(st, 6),    single(st, 7),  single(st, 8),  single(st, 9),
                        single(st, 10),   single(st, 11),   single(st, 12), single(st, 13)};
}

void RecordStore::writeFrame(int32_t id, int16_t diagram, const DiagramFrame& frame)
{
    std::vector<Value> values = frameValues(frame);
    transaction([&] {
        const QString assignments = QString(kFrameColumns).replace(QLatin1Char(','), QStringLiteral("=?,")) + QStringLiteral("=?");
        db::Statement update = connection().prepare(QStringLiteral("UPDATE [G0] SET ") + assignments
                                                    + QStringLiteral(" WHERE [ID]=? AND [IDOBJEKT]=?"));
        update.bindAll(values).bind(15, id).bind(16, diagram).run();
        if (connection().changes() > 0) return;
        values.insert(values.begin(), {Value(id), Value(diagram)});
        connection().Execute(QStringLiteral("INSERT INTO [G0] ([ID],[IDOBJEKT],") + kFrameColumns
                                 + QStringLiteral(") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                             values);
    });
}

void RecordStore::changeFrame(int32_t id, int16_t diagram, const std::function<void(DiagramFrame&)>& change)
{
    transaction([&] {
        DiagramFrame f = frame(id, diagram).value_or(DiagramFrame{});
        change(f);
        writeFrame(id, diagram, f);
    });
}

void RecordStore::removeFrame(int32_t id, int16_t diagram)
{
    transaction([&] {
        connection().Execute(QStringLiteral("DELETE FROM [G0] WHERE [ID]=? AND [IDOBJEKT]=?"), {Value(id), Value(diagram)});
    });
}

void RecordStore::copyFrameToCalibration(int32_t id, const DiagramFrame& f)
{
    const std::vector<Value> values{orNull(f.OX), orNull(f.OY), orNull(f.XMIN), orNull(f.XMAX), orNull(f.YMIN), orNull(f.YMAX),
                                    orNull(f.MYMX), Value(id)};
    connection().Execute(QStringLiteral("UPDATE [E2] SET [OX]=?,[OY]=?,[XMIN]=?,[XMAX]=?,[YMIN]=?,[YMAX]=?,[MYMX]=? WHERE [ID]=?"),
                         values);
    if (connection().changes() > 0) return;
    connection().Execute(QStringLiteral("INSERT INTO [E2] ([OX],[OY],[XMIN],[XMAX],[YMIN],[YMAX],[MYMX],[ID]) VALUES (?,?,?,?,?,?,?,?)"),
                         values);
}

// --- any table ---------------------------------------------------------------------------------

RecordStore::Rows RecordStore::rows(const QString& table, int32_t id) const
{
    db::Recordset rs(QStringLiteral("SELECT * FROM [%1] WHERE [ID]=%2").arg(table).arg(id), connection());
    Rows out;
    for (int i = 0; i < rs.fieldCount(); ++i) out.columns << rs.fieldName(i);
    for (; !rs.IsEOF(); rs.MoveNext()) {
        std::vector<Value> row;
        for (int i = 0; i < rs.fieldCount(); ++i) row.push_back(rs.field(i));
        out.values.push_back(std::move(row));
    }
    return out;
}
