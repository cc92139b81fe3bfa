// The binding, the SQL composition, the two list routines the transfer family rests on, the
// index statistics, the record lists and deletion. The transfer family itself is in
// clsDATEN_transfer.cpp.
#include "data/clsDATEN.h"

#include "data/RecordNames.h"
#include "data/SessionContext.h"
#include "data/SqlText.h"
#include "data/TransferSteps.h"
#include "platform/db/Quoted.h"
#include "platform/db/Transaction.h"
#include "platform/os/Os.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"

#include <optional>

using vb::Value;

namespace {

const QString kErrorPrefix = QStringLiteral("VB-Error: ");
const QString kDataError = QStringLiteral("Datenfehler");

// An empty text is stored as NULL.
const Value& storable(const Value& value)
{
    static const Value null = Value::null();
    return value.type() == vb::VarType::Text && value.asText().isEmpty() ? null : value;
}

}  // namespace

// --- binding -------------------------------------------------------------------------------

clsDATEN::clsDATEN(SessionContext& session) : session_(session), connection_(&session.cnnX)
{
    // Attach to the current record: the first active one.
    vb::Procedure p(kErrorPrefix, kDataError);
    db::Recordset rs;
    p.step([&] { rs.Open(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true"), *connection_); });
    p.step([&] {
        if (!rs.IsEOF()) idValue_ = vb::CLng(rs.field(0));
    });
    rs.Close();
}

clsDATEN::~clsDATEN() = default;

void clsDATEN::EBOV(bool presets)
{
    // A development start has no presets database: it works on the project's connection.
    connection_ = presets && !session_.isStandAlone() ? &session_.cnnX_V : &session_.cnnX;
    own_.reset();
}

void clsDATEN::EMDB(bool& BOMDB, const QString& name)
{
    emdb_ = name;
    const QString path = vb::Os::join(session_.projectFolder(), name + QStringLiteral(".mdb"));
    if (!vb::Os::fileExists(path)) {
        BOMDB = false;
        return;
    }
    vb::Procedure p(kErrorPrefix, QStringLiteral("Datenzugriff - Datenbank ") + name);
    // The new connection replaces the old one before it is opened, as the original did: a
    // file that cannot be opened leaves the object on a closed connection.
    own_ = std::make_unique<db::Connection>();
    connection_ = own_.get();
    p.step([&] {
        own_->Open(db::Connection::connectionString(path), 30);
    });
    if (!p.cancelled()) BOMDB = true;
}

// --- SQL composition -----------------------------------------------------------------------

QString clsDATEN::sqlDT(const QString& SPV, const IndexPairs& idx) const
{
    QString sql;
    sql.reserve(256);
    sql += QStringLiteral("SELECT [");
    sql += SPV;
    sql += QLatin1Char(']');
    const auto column = [&sql](const QString& name) {
        if (name.isEmpty()) return;
        sql += QStringLiteral(",[");
        sql += name;
        sql += QLatin1Char(']');
    };
    column(idColumn_);
    for (const QString& name : idx.name) column(name);
    for (const QString& name : keyColumn_) column(name);

    sql += QStringLiteral(" FROM [");
    sql += table_;
    sql += QLatin1Char(']');

    // Index values and keys 2 and 3 always continue with " AND": callers that filter by index
    // keep the ID column, callers of key 2 or 3 use key 1 too.
    bool clauseEmpty = true;
    if (!idColumn_.isEmpty()) {
        sql += QStringLiteral(" WHERE [");
        sql += idColumn_;
        sql += QStringLiteral("] = ");
        sql += QString::number(idValue_);
        clauseEmpty = false;
    }
    for (size_t k = 0; k < 4; ++k) {
        if (!idx.value[k]) continue;
        sql += QStringLiteral(" AND [");
        sql += idx.name[k];
        sql += QStringLiteral("]=");
        sql += sqltext::indexValue(*idx.value[k]);
        clauseEmpty = false;
    }
    if (!keyColumn_[0].isEmpty()) {
        sql += clauseEmpty ? QStringLiteral(" WHERE [") : QStringLiteral(" AND [");
        sql += keyColumn_[0];
        sql += QStringLiteral("] =");
        sql += db::quoted(keyValue_[0]);
    }
    if (!keyColumn_[1].isEmpty()) {
        sql += QStringLiteral(" AND [");
        sql += keyColumn_[1];
        sql += QStringLiteral("] =");
        sql += db::quoted(keyValue_[1]);
    }
    if (!keyColumn_[2].isEmpty()) {
        sql += QStringLiteral("  AND [");
        sql += keyColumn_[2];
        sql += QStringLiteral("] =");
        sql += db::quoted(keyValue_[2]);
    }

    if (!idx.name[0].isEmpty()) {
        sql += QStringLiteral(" ORDER BY [");
        sql += idx.name[0];
        sql += QLatin1Char(']');
        for (size_t k = 1; k < 4; ++k) column(idx.name[k]);
    }
    return sql;
}

db::Recordset clsDATEN::DT(const QString& SPV, const IndexPairs& idx)
{
    return db::Recordset(sqlDT(SPV, idx), *connection_);
}

QString clsDATEN::sqlINDEX(const IndexPairs& idx) const
{
    const auto& n = idx.name;
    // The counted level is the deepest named index column; the levels above it filter.
    int level = 4;
    if (n[1].isEmpty() && n[2].isEmpty() && n[3].isEmpty()) level = 1;
    else if (n[2].isEmpty() && n[3].isEmpty()) level = 2;
    else if (n[3].isEmpty()) level = 3;
    const QString& counted = n[level - 1];

    const auto valueText = [&idx](int k) { return idx.value[k] ? sqltext::indexValue(*idx.value[k]) : QString(); };
    QString where;
    if (level >= 2) where += QStringLiteral(" WHERE [") + n[0] + QStringLiteral("]=") + valueText(0);
    if (level >= 3) where += QStringLiteral(" AND [") + n[1] + QStringLiteral("]=") + valueText(1);
    if (level >= 4) where += QStringLiteral(" AND [") + n[2] + QStringLiteral("]=") + valueText(2);

    if (!keyColumn_[0].isEmpty()) {
        where += where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
        where += QLatin1Char('[') + keyColumn_[0] + QStringLiteral("] =");
        where += db::quoted(keyValue_[0]);
    }
    for (int k = 1; k < 3; ++k) {
        if (keyColumn_[k].isEmpty()) continue;
        where += QStringLiteral(" AND [") + keyColumn_[k] + QStringLiteral("]=");
        where += db::quoted(keyValue_[k]);
    }
    if (!idColumn_.isEmpty()) {
        where += where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
        where += QLatin1Char('[') + idColumn_ + QStringLiteral("] = ") + QString::number(idValue_);
    }
    return QStringLiteral("SELECT [") + counted + QStringLiteral("] FROM ") + table_ + where
           + QStringLiteral(" ORDER BY [") + counted + QLatin1Char(']');
}

QString clsDATEN::sqlLOESCHEN(const IndexPairs& idx) const
{
    IndexPairs selection = idx;
    selection.name[3].clear();
    selection.value[3].reset();
    return sqlDT(idColumn_, selection);
}

// --- the list routines ---------------------------------------------------------------------

bool clsDATEN::deleteToEnd(db::Recordset& rs, TransferSteps* steps)
{
    const auto run = [steps](auto&& f) { return steps ? steps->step(f) : (f(), true); };
    while (!rs.IsEOF()) {
        if (!run([&] { rs.Delete(); })) return false;
        if (!run([&] { rs.MoveNext(); })) return false;
    }
    return true;
}

bool clsDATEN::writeRows(db::Recordset& rs, const QString& SPV, const std::vector<Value>& values,
                         const IndexPairs& idx, KeyRule keys, TransferSteps* steps)
{
    const auto run = [steps](auto&& f) { return steps ? steps->step(f) : (f(), true); };
    // Field positions are looked up once, not per row and name.
    const int valueField = rs.fieldIndex(SPV);
    const int idField = idColumn_.isEmpty() ? -1 : rs.fieldIndex(idColumn_);
    const auto require = [](int field) {
        if (field < 0) vb::raise(3265, QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
    };
    const Value id(idValue_);

    for (size_t i = 0; i < values.size(); ++i) {
        const bool ok = run([&] {
            if (rs.IsEOF()) rs.AddNew();
            else if (i == 0) rs.MoveFirst();
        }) && run([&] {
            require(valueField);
            rs.setField(valueField, storable(values[i]));
        }) && run([&] {
            if (idColumn_.isEmpty()) return;
            require(idField);
            rs.setField(idField, id);
        }) && run([&] {
            for (size_t k = 0; k < 4; ++k)
                if (idx.value[k]) rs.setField(idx.name[k], *idx.value[k]);
        }) && run([&] {
            for (size_t k = 0; k < 3; ++k) {
                if (keyColumn_[k].isEmpty()) continue;
                if (keys == KeyRule::NamedWithValue && keyValue_[k].isEmpty()) continue;
                rs.setField(keyColumn_[k], keyValue_[k]);
            }
        }) && run([&] { rs.Update(); }) && run([&] {
            if (!rs.IsEOF()) rs.MoveNext();
        });
        if (!ok) return false;
        vb::DoEvents();
    }
    return deleteToEnd(rs, steps);
}

bool clsDATEN::WERTESCHREIBEN(const QString& SPV, const std::vector<Value>& values, const IndexPairs& idx)
{
    try {
        // A list is stored whole or not at all; a single value is one row and needs no guard.
        std::optional<db::Transaction> unit;
        if (values.size() > 1) unit.emplace(*connection_);
        db::Recordset rs = DT(SPV, idx);
        writeRows(rs, SPV, values, idx, KeyRule::NamedWithValue, nullptr);
        rs.Close();
        if (unit) unit->commit();
        return true;
    } catch (const std::exception&) {
        // The calling transfer member reports the failure in its own words.
        return false;
    }
}

bool clsDATEN::readRows(const QString& SPV, std::vector<Value>& values, const IndexPairs& idx, bool keepNull)
{
    try {
        db::Recordset rs = DT(SPV, idx);
        if (!rs.IsEOF()) {
            rs.MoveFirst();
            const int field = rs.fieldIndex(SPV);
            for (size_t i = 0; i < values.size() && !rs.IsEOF(); ++i) {
                const Value v = field >= 0 ? rs.field(field) : rs.field(SPV);
                if (!v.isNull() || keepNull) values[i] = v;
                rs.MoveNext();
            }
        }
        rs.Close();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool clsDATEN::WERTELESEN(const QString& SPV, std::vector<Value>& values, const IndexPairs& idx)
{
    return readRows(SPV, values, idx, false);
}

// --- index statistics ----------------------------------------------------------------------

void clsDATEN::indexStats(const IndexPairs& idx, const QString& title, const Apply& setMin, const Apply& setMax, int16_t& AN)
{
    vb::Procedure p(kErrorPrefix, title);
    db::Recordset rs;
    p.step([&] { rs.Open(sqlINDEX(idx), *connection_); });
    if (p.cancelled()) return;
    if (rs.IsEOF()) {
        const Value zero(int16_t(0));
        p.step([&] { AN = 0; }) && p.step([&] { setMin(zero); }) && p.step([&] { setMax(zero); });
        return;
    }
    const int counted = 0;
    p.step([&] {
        rs.MoveFirst();
        setMin(rs.field(counted));
    }) && p.step([&] {
        rs.MoveLast();
        setMax(rs.field(counted));
    }) && p.step([&] { AN = vb::CInt(Value(static_cast<int32_t>(rs.RecordCount()))); });
    rs.Close();
}

void clsDATEN::INDEX(int16_t& MINI, int16_t& MAXI, int16_t& AN, const IndexPairs& idx)
{
    indexStats(idx, QStringLiteral("Index"), [&](const Value& v) { MINI = vb::CInt(v); },
               [&](const Value& v) { MAXI = vb::CInt(v); }, AN);
}

void clsDATEN::INDEXL(int32_t& MINI, int32_t& MAXI, int16_t& AN, const IndexPairs& idx)
{
    indexStats(idx, kDataError, [&](const Value& v) { MINI = vb::CLng(v); },
               [&](const Value& v) { MAXI = vb::CLng(v); }, AN);
}

void clsDATEN::INDEXV(Value& MINI, Value& MAXI, int16_t& AN, const IndexPairs& idx)
{
    indexStats(idx, QStringLiteral("Index"), [&](const Value& v) { MINI = v; }, [&](const Value& v) { MAXI = v; }, AN);
}

// --- record lists and deletion -------------------------------------------------------------

namespace {

// Copies the first column of every row, in the order of the record names, into `out` (sized
// to the row count); with no rows `out` stays as it was.
template <class T, class Convert>
void fillRecordList(const QString& sql, db::Connection& cn, std::vector<T>& out, Convert convert)
{
    db::Recordset rs(sql, cn);
    if (rs.IsEOF()) return;
    const std::vector<int> order = RecordNames::order(rs, QStringLiteral("KEN"));
    out.assign(order.size(), T{});
    for (size_t i = 0; i < order.size(); ++i) {
        rs.setAbsolutePosition(order[i]);
        out[i] = convert(rs.field(0));
    }
    rs.Close();
}

// The names come along with the IDs: the list is ordered by them.
QString recordListSql(const char* column, bool AKT)
{
    const QString selected = QLatin1String(column) == QLatin1String("KEN") ? QStringLiteral("[KEN]") : QStringLiteral("[%1],[KEN]").arg(QLatin1String(column));
    return QStringLiteral("SELECT %1 FROM [E1]%2 ORDER BY [KEN]").arg(selected, AKT ? QStringLiteral(" WHERE [AKT]=true") : QString());
}

}  // namespace

void clsDATEN::LID(std::vector<int32_t>& ID, bool AKT)
{
    fillRecordList(recordListSql("ID", AKT), *connection_, ID, [](const Value& v) { return vb::CLng(v); });
}

void clsDATEN::LKEN(std::vector<QString>& KEN, bool AKT)
{
    fillRecordList(recordListSql("KEN", AKT), *connection_, KEN, [](const Value& v) { return vb::CStr(v); });
}

bool clsDATEN::LOESCHEN(const IndexPairs& idx)
{
    vb::Procedure p(kErrorPrefix, kDataError);
    db::Recordset rs;
    p.step([&] { rs.Open(sqlLOESCHEN(idx), *connection_); });
    if (p.cancelled()) return false;
    if (!rs.IsEOF()) {
        p.step([&] { rs.MoveFirst(); });
        while (!p.cancelled() && !rs.IsEOF()) {
            p.step([&] { rs.Delete(); }) && p.step([&] { rs.MoveNext(); });
        }
    }
    rs.Close();
    return !p.cancelled();
}
