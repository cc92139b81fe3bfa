#include "platform/db/RowWriter.h"

#include "platform/db/Connection.h"

namespace db {

RowWriter::RowWriter(Connection& connection, const QString& table, const QStringList& columns)
    : connection_(connection), table_(table)
{
    for (const QString& c : columns) columns_ << QLatin1Char('[') + c + QLatin1Char(']');
}

void RowWriter::update(long long rowid, const std::vector<vb::Value>& values)
{
    if (columns_.isEmpty()) return;
    if (!update_)
        update_ = connection_.prepare(
            QStringLiteral("UPDATE [%1] SET %2=? WHERE _rowid_=?").arg(table_, columns_.join(QStringLiteral("=?,"))));
    update_->bindAll(values).bindRowid(static_cast<int>(values.size()) + 1, rowid).run();
}

void RowWriter::insert(const std::vector<vb::Value>& values)
{
    if (!insert_)
        insert_ = connection_.prepare(columns_.isEmpty()
                                          ? QStringLiteral("INSERT INTO [%1] DEFAULT VALUES").arg(table_)
                                          : QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                                                .arg(table_, columns_.join(QLatin1Char(',')),
                                                     QString(QStringLiteral("?,")).repeated(columns_.size()).chopped(1)));
    insert_->bindAll(values).run();
}

void RowWriter::remove(long long rowid)
{
    if (!remove_) remove_ = connection_.prepare(QStringLiteral("DELETE FROM [%1] WHERE _rowid_=?").arg(table_));
    remove_->bindRowid(1, rowid).run();
}

}  // namespace db
