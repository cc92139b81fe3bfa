#include "data/RecordSchema.h"

#include "platform/db/Connection.h"
#include "platform/db/Statement.h"

QStringList RecordSchema::idTables(db::Connection& cn, const QString& schema)
{
    QStringList tables;
    db::Statement st = cn.prepare(QStringLiteral("SELECT [name] FROM [%1].sqlite_master WHERE type='table' ORDER BY [name]").arg(schema));
    while (st.next()) {
        const QString table = st.text(0);
        const QStringList names = columns(cn, table, schema);
        if (names.isEmpty() || names.first().compare(QLatin1String("ID"), Qt::CaseInsensitive) != 0) continue;
        if (table.compare(QLatin1String("E1"), Qt::CaseInsensitive) == 0) tables.prepend(table);
        else tables << table;
    }
    return tables;
}

QStringList RecordSchema::columns(db::Connection& cn, const QString& table, const QString& schema)
{
    QStringList names;
    db::Statement st = cn.prepare(QStringLiteral("SELECT [name] FROM pragma_table_info(?, ?) ORDER BY [cid]"));
    st.bind(1, vb::Value(table)).bind(2, vb::Value(schema));
    while (st.next()) names << st.text(0);
    return names;
}
