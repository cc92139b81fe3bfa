#pragma once

#include "platform/db/Statement.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace db {

class Connection;

// Writes many rows of one table through prepared statements: the columns are named once,
// then every row is an update of an existing row (by its rowid), an insert or a delete.
// What a recordset costs per row (a composed text, a look-up, a snapshot) is paid once per
// list. The values are written as given: convert them to the columns' kinds first.
class RowWriter {
public:
    RowWriter(Connection& connection, const QString& table, const QStringList& columns);

    // `values` in the order of the columns.
    void update(long long rowid, const std::vector<vb::Value>& values);
    void insert(const std::vector<vb::Value>& values);
    void remove(long long rowid);

private:
    Connection& connection_;
    QString table_;
    QStringList columns_;
    std::optional<Statement> update_, insert_, remove_;
};

}  // namespace db
