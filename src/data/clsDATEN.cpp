// The binding, the SQL composition, the two list routines the transfer family rests on, the
// index statistics, the record lists and deletion. The transfer family itself is in
// clsDATEN_transfer.cpp.
#include "data/clsDATEN.h"

#include "data/RecordNames.h"
#include "data/RecordStore.h"
#include "data/SessionContext.h"
#include "data/SqlText.h"
#include "data/TransferSteps.h"
#include "platform/db/Quoted.h"
#include "platform/db/RowWriter.h"
#include "platform/db/Transaction.h"
#include "platform/os/Os.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"

#include <algorithm>
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
    p.step([&] {
        if (const auto active = RecordStore(session).activeRecord()) idValue_ = active->id;
    });
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

namespace {

// A selection's rows as they were read: where each is, and its stored value.
struct StoredRow {
    long long rowid;
    Value value;
};

std::vector<StoredRow> storedRows(db::Recordset& rs, int valueField)
{
    std::vector<StoredRow> rows;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
        rows.push_back({rs.rowid(), valueField >= 0 ? rs.field(valueField) : Value::null()});
    return rows;
}

[[noreturn]] void raiseNoSuchField()
{
    vb::raise(3265, QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
}

}  // namespace

bool clsDATEN::deleteToEnd(db::Recordset& rs, TransferSteps* steps)
{
    const auto run = [steps](auto&& f) { return steps ? steps->step(f) : (f(), true); };
    db::RowWriter writer(*connection_, rs.table(), {});
    for (const StoredRow& row : storedRows(rs, -1))
        if (!run([&] { writer.remove(row.rowid); })) return false;
    return true;
}

// The selection's rows are overwritten in order, missing rows appended, the surplus deleted,
// each by one prepared statement. Every row receives the record, the index values and the
// keys besides its value; a column named twice takes its last value.
bool clsDATEN::writeRows(db::Recordset& rs, const QString& SPV, const std::vector<Value>& values,
                         const IndexPairs& idx, KeyRule keys, TransferSteps* steps)
{
    const auto run = [steps](auto&& f) { return steps ? steps->step(f) : (f(), true); };
    QStringList columns{SPV};
    std::vector<Value> fixed{Value::null()};
    // The value column itself may be named again (the record's ID column): then it is fixed.
    bool valueFixed = false;
    const auto assign = [&](const QString& name, const Value& value) {
        const auto named = std::find_if(columns.cbegin(), columns.cend(),
                                        [&](const QString& c) { return c.compare(name, Qt::CaseInsensitive) == 0; });
        const qsizetype at = named == columns.cend() ? -1 : named - columns.cbegin();
        if (at < 0) {
            columns << name;
            fixed.push_back(value);
            return;
        }
        fixed[static_cast<size_t>(at)] = value;
        valueFixed = valueFixed || at == 0;
    };
    if (!idColumn_.isEmpty()) assign(idColumn_, Value(idValue_));
    for (size_t k = 0; k < 4; ++k)
        if (idx.value[k]) assign(idx.name[k], *idx.value[k]);
    for (size_t k = 0; k < 3; ++k) {
        if (keyColumn_[k].isEmpty()) continue;
        if (keys == KeyRule::NamedWithValue && keyValue_[k].isEmpty()) continue;
        assign(keyColumn_[k], keyValue_[k]);
    }
    std::vector<db::FieldKind> kinds;
    const bool named = run([&] {
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const int field = rs.fieldIndex(columns[c]);
            if (field < 0) raiseNoSuchField();
            kinds.push_back(rs.fieldKind(field));
            Value& v = fixed[static_cast<size_t>(c)];
            v = db::Recordset::convertForColumn(v, kinds.back());
        }
    });
    if (!named || kinds.size() != static_cast<size_t>(columns.size())) return false;

    const std::vector<StoredRow> stored = storedRows(rs, rs.fieldIndex(SPV));
    db::RowWriter writer(*connection_, rs.table(), columns);
    std::vector<Value> row = fixed;
    for (size_t i = 0; i < values.size(); ++i) {
        // A value the column cannot take is reported; going on keeps the row's old value.
        row[0] = valueFixed ? fixed[0] : i < stored.size() ? stored[i].value : Value::null();
        const bool ok = run([&] {
            if (!valueFixed) row[0] = db::Recordset::convertForColumn(storable(values[i]), kinds[0]);
        }) && run([&] {
            if (i < stored.size()) writer.update(stored[i].rowid, row);
            else writer.insert(row);
        });
        if (!ok) return false;
        vb::DoEvents();
    }
    for (size_t i = values.size(); i < stored.size(); ++i)
        if (!run([&] { writer.remove(stored[i].rowid); })) return false;
    return true;
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
void fillRecordList(const QString& sql, db::Connection& cn, int16_t sprache, std::vector<T>& out, Convert convert)
{
    db::Recordset rs(sql, cn);
    if (rs.IsEOF()) return;
    const std::vector<int> order = RecordNames::order(rs, QStringLiteral("KEN"), sprache);
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
    fillRecordList(recordListSql("ID", AKT), *connection_, session_.SPRACHE(), ID, [](const Value& v) { return vb::CLng(v); });
}

void clsDATEN::LKEN(std::vector<QString>& KEN, bool AKT)
{
    fillRecordList(recordListSql("KEN", AKT), *connection_, session_.SPRACHE(), KEN, [](const Value& v) { return vb::CStr(v); });
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
