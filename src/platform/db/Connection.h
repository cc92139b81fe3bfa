#pragma once

#include "platform/db/SqliteHandles.h"
#include "platform/db/Statement.h"
#include "platform/vb/Value.h"

#include <QString>
#include <memory>
#include <vector>

namespace db {

class StatementCache;

// A connection to one database file, opened with the original Jet connection strings
// ("...; Data Source=<path>;..."). The file must exist and be a database; anything else is a
// clear run-time error. Prepared statements are cached, since the data layer runs the same
// few statements many thousand times.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    enum class Access { ReadWrite, ReadOnly };

    void Open(const QString& connectionString, int timeoutSeconds = 30);
    // A link at `path` is refused: a database of the system is never reached through one.
    void OpenFile(const QString& path, int timeoutSeconds = 30, Access access = Access::ReadWrite);
    void Close();
    // Switches the file to a write-ahead log for fast frequent writes. Only for a file of our
    // own: the mode stays with the file, and others (a read-only folder, another program)
    // may not cope with it.
    void useWriteAheadLog();
    bool isOpen() const { return db_ != nullptr; }
    const QString& path() const { return path_; }
    sqlite3* handle() const { return db_.get(); }

    void Execute(const QString& sql);
    // Runs one statement with `?` parameters through the statement cache: the way to write
    // many rows of the same shape.
    void Execute(const QString& sql, const std::vector<vb::Value>& parameters);
    // Transactions nest: the outermost is a transaction, inner ones are savepoints.
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool inTransaction() const { return transactionDepth_ > 0; }

    // A prepared statement, from the cache when it ran before: reset, no bindings.
    Statement prepare(const QString& sql);
    // The rowid of the last row this connection inserted.
    long long lastInsertRowid() const;
    // The rows the last INSERT, UPDATE or DELETE changed.
    int changes() const;

    // Raises the engine's last error as a database run-time error.
    [[noreturn]] void raiseError() const;

    // The database file named by a connection string, and the connection string of a file
    // (the form every database of the system is opened with).
    static QString dataSource(const QString& connectionString);
    static QString connectionString(const QString& path);

private:
    // Runs the statement that ends a transaction level; on failure follows the engine's own
    // state before raising the error.
    void endLevel(const QString& sql);

    DatabaseHandle db_;
    QString path_;
    int transactionDepth_ = 0;
    // Shared with the statements handed out, which return to it while the file is open.
    std::shared_ptr<StatementCache> statements_;
};

}  // namespace db
