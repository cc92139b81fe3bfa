#include "platform/db/SchemaCheck.h"

#include "platform/db/Connection.h"
#include "platform/db/EngineFile.h"
#include "platform/db/Transaction.h"
#include "platform/vb/Value.h"

#include <vector>

namespace db {

namespace {

struct SchemaObject {
    QString type, name, sql;
};

QString textOf(const Statement& st, int column) { return st.isNull(column) ? QString() : st.text(column); }

std::vector<SchemaObject> objectsOf(Connection& cn)
{
    std::vector<SchemaObject> objects;
    Statement st = cn.prepare(QStringLiteral("SELECT type, name, sql FROM sqlite_master"));
    while (st.next()) objects.push_back({textOf(st, 0), textOf(st, 1), textOf(st, 2)});
    return objects;
}

using Column = SchemaCheck::Column;

std::vector<Column> columnsOf(Connection& cn, const QString& table)
{
    std::vector<Column> columns;
    Statement st = cn.prepare(QStringLiteral("SELECT name, type, hidden FROM pragma_table_xinfo(?)"));
    st.bind(1, table);
    while (st.next()) columns.push_back({textOf(st, 0), textOf(st, 1), st.integer(2) != 0});
    return columns;
}

bool isInternal(const SchemaObject& o) { return o.name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive); }

// A table of the engine's own kind; a virtual table runs code of a module on every read.
bool isPlainTable(const SchemaObject& o)
{
    return o.type == QLatin1String("table") && o.sql.trimmed().startsWith(QLatin1String("CREATE TABLE"), Qt::CaseInsensitive);
}

QString bracketed(const QString& name) { return QLatin1Char('[') + name + QLatin1Char(']'); }

}  // namespace

SchemaCheck::SchemaCheck(const QString& templatePath)
{
    Connection cn;
    cn.OpenFile(templatePath, 30, Connection::Access::ReadOnly);
    for (const SchemaObject& o : objectsOf(cn)) {
        if (isInternal(o)) continue;
        if (o.type == QLatin1String("index")) indexes_.append(o.name.toUpper());
        if (!isPlainTable(o)) continue;
        tables_[o.name.toUpper()] = columnsOf(cn, o.name);
    }
}

QStringList SchemaCheck::foreignObjects(Connection& database) const
{
    QStringList foreign;
    for (const SchemaObject& o : objectsOf(database)) {
        if (isInternal(o)) continue;
        if (o.type == QLatin1String("index")) {
            if (!indexes_.contains(o.name.toUpper())) foreign.append(QStringLiteral("index ") + o.name);
            continue;
        }
        const auto known = tables_.find(o.name.toUpper());
        if (!isPlainTable(o) || known == tables_.end()) {
            foreign.append(o.type + QLatin1Char(' ') + o.name);
            continue;
        }
        // A column of another type would have its values read as another kind.
        for (const Column& c : columnsOf(database, o.name)) {
            const Column* expected = find(known->second, c.name);
            if (c.computed || !expected || c.type.compare(expected->type, Qt::CaseInsensitive) != 0)
                foreign.append(QStringLiteral("column ") + o.name + QLatin1Char('.') + c.name);
        }
    }
    return foreign;
}

const SchemaCheck::Column* SchemaCheck::find(const std::vector<Column>& columns, const QString& name)
{
    for (const Column& c : columns)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

// Pictures and other binary data are no text: their size is what it is.
bool SchemaCheck::isBlob(const QString& table, const QString& column) const
{
    const auto known = tables_.find(table.toUpper());
    const Column* c = known == tables_.end() ? nullptr : find(known->second, column);
    return c && c->type.contains(QLatin1String("BLOB"), Qt::CaseInsensitive);
}

std::vector<std::pair<QString, QStringList>> SchemaCheck::knownColumns(Connection& database) const
{
    std::vector<std::pair<QString, QStringList>> known;
    for (const SchemaObject& o : objectsOf(database)) {
        const auto table = tables_.find(o.name.toUpper());
        if (!isPlainTable(o) || table == tables_.end()) continue;
        QStringList columns;
        for (const Column& c : columnsOf(database, o.name))
            if (!c.computed && find(table->second, c.name)) columns.append(c.name);
        if (!columns.isEmpty()) known.emplace_back(table->first, columns);
    }
    return known;
}

QStringList SchemaCheck::oversizedValues(Connection& database) const
{
    QStringList oversized;
    // Only a row longer than the limit can hold a longer value; most projects have none, and
    // reading every value of a large one takes seconds.
    if (!EngineFile::mayHoldRowsLongerThan(database.handle(), kTextLimit)) return oversized;
    for (const auto& [table, columns] : knownColumns(database)) {
        // One pass over the table: the longest value of every column.
        QStringList lengths;
        for (const QString& c : columns) lengths.append(QStringLiteral("max(length(") + bracketed(c) + QStringLiteral("))"));
        Statement st =
            database.prepare(QStringLiteral("SELECT ") + lengths.join(QLatin1Char(',')) + QStringLiteral(" FROM ") + bracketed(table));
        if (!st.next()) database.raiseError();
        for (int i = 0; i < columns.size(); ++i)
            if (st.integer(i) > kTextLimit && !isBlob(table, columns.at(i))) oversized.append(table + QLatin1Char('.') + columns.at(i));
    }
    return oversized;
}

void SchemaCheck::copyKnownData(const QString& source, Connection& target) const
{
    Connection from;
    from.OpenFile(source, 30, Connection::Access::ReadOnly);
    const auto copies = knownColumns(from);
    from.Close();
    target.Execute(QStringLiteral("ATTACH DATABASE ? AS fremd"), {vb::Value(source)});
    try {
        Transaction t(target);
        for (const auto& [table, columns] : copies) {
            QStringList names, values;
            for (const QString& c : columns) {
                names.append(bracketed(c));
                values.append(isBlob(table, c) ? bracketed(c)
                                               : QStringLiteral("CASE WHEN length(%1)>%2 THEN substr(%1,1,%2) ELSE %1 END").arg(bracketed(c)).arg(kTextLimit));
            }
            target.Execute(QStringLiteral("INSERT INTO main.") + bracketed(table) + QStringLiteral(" (") + names.join(QLatin1Char(','))
                           + QStringLiteral(") SELECT ") + values.join(QLatin1Char(',')) + QStringLiteral(" FROM fremd.")
                           + bracketed(table));
        }
        t.commit();
    } catch (...) {
        target.Execute(QStringLiteral("DETACH DATABASE fremd"));
        throw;
    }
    target.Execute(QStringLiteral("DETACH DATABASE fremd"));
}

}  // namespace db
