#include "records/RecordTables.h"

#include "platform/db/Connection.h"
#include "platform/db/DatabaseFile.h"
#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"

#include <initializer_list>
#include <vector>

namespace records {

const QStringList& recordTables()
{
    static const QStringList tables{QStringLiteral("E1"), QStringLiteral("E2"), QStringLiteral("E3"), QStringLiteral("A1"),
                                    QStringLiteral("G0"), QStringLiteral("G2_1"), QStringLiteral("G2_2")};
    return tables;
}

const QStringList& captureTables()
{
    static const QStringList tables{QStringLiteral("E4"), QStringLiteral("E5"), QStringLiteral("E6")};
    return tables;
}

namespace {

// The record tables that every one of `connections` holds.
QStringList tablesOf(std::initializer_list<db::Connection*> connections)
{
    QStringList tables = recordTables();
    for (const QString& table : captureTables()) {
        bool everywhere = true;
        for (db::Connection* cn : connections) everywhere = everywhere && db::DatabaseFile::hasTables(*cn, {table});
        if (everywhere) tables << table;
    }
    return tables;
}

void removeRows(db::Connection& cn, int32_t id, bool withE1)
{
    db::Transaction t(cn);
    for (const QString& table : tablesOf({&cn})) {
        if (!withE1 && table == QLatin1String("E1")) continue;
        cn.Execute(QStringLiteral("DELETE FROM [") + table + QStringLiteral("] WHERE [ID]=") + QString::number(id));
    }
    t.commit();
}

// For every column of `to`, the position of the column of the same name in the source. The
// columns of two projects need not stand in the same order; a column only one of them has
// means the records do not fit, and nothing is copied.
std::vector<int> matchColumns(const QString& table, const QStringList& from, const db::Recordset& to)
{
    for (const QString& name : from)
        if (to.fieldIndex(name) < 0)
            vb::raise(vb::errDatabase, QStringLiteral("The column %1 of the table %2 is unknown in the target.").arg(name, table));
    std::vector<int> positions(static_cast<size_t>(to.fieldCount()), -1);
    for (int f = 0; f < from.size(); ++f) positions[static_cast<size_t>(to.fieldIndex(from.at(f)))] = f;
    for (int c = 0; c < to.fieldCount(); ++c)
        if (positions[static_cast<size_t>(c)] < 0)
            vb::raise(vb::errDatabase, QStringLiteral("The column %1 of the table %2 is missing in the source.").arg(to.fieldName(c), table));
    return positions;
}

}  // namespace

void removeRecord(db::Connection& cn, int32_t id) { removeRows(cn, id, true); }

void removeRecordData(db::Connection& cn, int32_t id) { removeRows(cn, id, false); }

int32_t nextRecordId(db::Connection& cn)
{
    db::Recordset rs(QStringLiteral("SELECT * FROM [E1] ORDER BY [ID] Desc"), cn);
    if (rs.IsEOF()) return 1;
    rs.MoveFirst();
    return vb::CLng(rs.field(QStringLiteral("ID"))) + 1;
}

void copyRecord(db::Connection& source, db::Connection& target, int32_t sourceId, int32_t newId)
{
    db::Transaction t(target);
    for (const QString& table : tablesOf({&source, &target})) {
        db::Recordset from(QStringLiteral("SELECT * FROM [") + table + QStringLiteral("] WHERE [ID]=") + QString::number(sourceId),
                           source);
        // Rows an older program left under the new number do not belong to the copied record,
        // whether or not the source has rows in this table.
        target.Execute(QStringLiteral("DELETE FROM [") + table + QStringLiteral("] WHERE [ID]=") + QString::number(newId));
        if (from.IsEOF()) continue;
        QStringList fromColumns;
        for (int c = 0; c < from.fieldCount(); ++c) fromColumns.append(from.fieldName(c));
        std::vector<std::vector<vb::Value>> rows;
        for (from.MoveFirst(); !from.IsEOF(); from.MoveNext()) {
            std::vector<vb::Value> row;
            for (int c = 0; c < from.fieldCount(); ++c) row.push_back(from.field(c));
            rows.push_back(std::move(row));
        }
        from.Close();
        db::Recordset to(QStringLiteral("SELECT * FROM [") + table + QStringLiteral("] WHERE [ID]=") + QString::number(newId),
                         target);
        const std::vector<int> sourceColumn = matchColumns(table, fromColumns, to);
        for (const auto& row : rows) {
            to.AddNew();
            to.setField(0, newId);
            for (int c = 1; c < to.fieldCount(); ++c) to.setField(c, row[static_cast<size_t>(sourceColumn[static_cast<size_t>(c)])]);
            // Only one record of a project is the active one, and that is the target's own.
            if (table == QLatin1String("E1")) to.setField(QStringLiteral("AKT"), false);
            to.Update();
        }
        to.Close();
    }
    t.commit();
}

}  // namespace records
