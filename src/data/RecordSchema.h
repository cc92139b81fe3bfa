#pragma once

#include <QString>
#include <QStringList>

namespace db { class Connection; }

// Which tables of a database hold a record's rows, found in the file itself rather than in a
// list: a table a newer program added goes along with its record wherever records are copied
// or merged.
class RecordSchema {
public:
    // Every table of `schema` whose first column is the record ID, E1 first.
    static QStringList idTables(db::Connection& cn, const QString& schema = QStringLiteral("main"));
    // The columns of `table` in `schema`, in their order.
    static QStringList columns(db::Connection& cn, const QString& table, const QString& schema = QStringLiteral("main"));
};
