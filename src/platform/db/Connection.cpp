#include "platform/db/Connection.h"

#include "platform/vb/VbError.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>

namespace db {

Connection::Connection() = default;

Connection::~Connection() { Close(); }

QString Connection::dataSource(const QString& connectionString)
{
    static const QRegularExpression re(QStringLiteral("Data Source=([^;]*)"), QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(connectionString);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

void Connection::Open(const QString& connectionString, int timeoutSeconds)
{
    const QString path = dataSource(connectionString);
    if (path.isEmpty()) vb::raise(vb::errDatabase, QStringLiteral("No Data Source in the connection string."));
    OpenFile(path, timeoutSeconds);
}

void Connection::OpenFile(const QString& path, int timeoutSeconds)
{
    Close();
    if (!QFileInfo(path).isFile())
        vb::raise(vb::errDatabase, QStringLiteral("Could not find file '%1'.").arg(path));
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        sqlite3_close(db);
        vb::raise(vb::errDatabase, QStringLiteral("The database '%1' cannot be opened: %2.").arg(path, msg));
    }
    // Reading the schema is what tells a database from any other file.
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const int code = sqlite3_errcode(db);
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        if (code == SQLITE_NOTADB)
            vb::raise(vb::errDatabase, QStringLiteral("Unrecognized database format '%1'.").arg(path));
        vb::raise(vb::errDatabase, QStringLiteral("The database '%1' cannot be read: %2.").arg(path, msg));
    }
    db_ = db;
    path_ = path;
    sqlite3_busy_timeout(db_, timeoutSeconds * 1000);
    sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db_, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
}

void Connection::clearStatements()
{
    for (auto& [sql, stmt] : statements_) sqlite3_finalize(stmt);
    statements_.clear();
}

void Connection::Close()
{
    if (!db_) return;
    clearStatements();
    if (transactionDepth_ > 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    transactionDepth_ = 0;
    sqlite3_close_v2(db_);
    db_ = nullptr;
    path_.clear();
}

void Connection::raiseError() const
{
    vb::raise(vb::errDatabase, db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("The connection is closed."));
}

void Connection::Execute(const QString& sql)
{
    if (!db_) raiseError();
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) raiseError();
}

void Connection::BeginTrans()
{
    // Inner levels are savepoints: each can be rolled back without the work around it.
    Execute(transactionDepth_ == 0 ? QStringLiteral("BEGIN") : QStringLiteral("SAVEPOINT level%1").arg(transactionDepth_));
    ++transactionDepth_;
}

void Connection::CommitTrans()
{
    if (transactionDepth_ == 0) return;
    --transactionDepth_;
    Execute(transactionDepth_ == 0 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE level%1").arg(transactionDepth_));
}

void Connection::RollbackTrans()
{
    if (transactionDepth_ == 0) return;
    --transactionDepth_;
    if (transactionDepth_ == 0) {
        Execute(QStringLiteral("ROLLBACK"));
        return;
    }
    const QString savepoint = QStringLiteral("level%1").arg(transactionDepth_);
    Execute(QStringLiteral("ROLLBACK TO ") + savepoint);
    Execute(QStringLiteral("RELEASE ") + savepoint);
}

sqlite3_stmt* Connection::prepare(const QString& sql)
{
    if (!db_) raiseError();
    const std::string key = sql.toStdString();
    auto it = statements_.find(key);
    if (it != statements_.end()) {
        sqlite3_reset(it->second);
        sqlite3_clear_bindings(it->second);
        return it->second;
    }
    // Composed statements differ by their literal values; keep the cache bounded.
    if (statements_.size() > 256) clearStatements();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, key.c_str(), static_cast<int>(key.size()), &stmt, nullptr) != SQLITE_OK) raiseError();
    statements_.emplace(key, stmt);
    return stmt;
}

}  // namespace db
