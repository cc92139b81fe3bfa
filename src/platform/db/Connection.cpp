#include "platform/db/Connection.h"

#include "platform/db/EngineError.h"
#include "platform/db/StatementCache.h"
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

QString Connection::connectionString(const QString& path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + path + QStringLiteral(";Persist Security Info=False");
}

void Connection::Open(const QString& connectionString, int timeoutSeconds)
{
    const QString path = dataSource(connectionString);
    if (path.isEmpty()) vb::raise(vb::errDatabase, QStringLiteral("No Data Source in the connection string."));
    OpenFile(path, timeoutSeconds);
}

void Connection::OpenFile(const QString& path, int timeoutSeconds, Access access)
{
    Close();
    if (!QFileInfo(path).isFile())
        vb::raise(vb::errDatabase, QStringLiteral("Could not find file '%1'.").arg(path));
    sqlite3* opened = nullptr;
    // A connection lives on the thread that opened it: without the engine's own lock every
    // column read of a long point list is a plain call.
    const int flags = (access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOFOLLOW |
                      SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &opened, flags, nullptr);
    DatabaseHandle db(opened);
    if (rc != SQLITE_OK) {
        const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db.get())) : QStringLiteral("out of memory");
        vb::raise(vb::errDatabase, QStringLiteral("The database '%1' cannot be opened: %2.").arg(path, msg));
    }
    // Another program writing the file right now (a colleague's session starting at the same
    // moment) is waited for, not taken for a damaged file.
    sqlite3_busy_timeout(db.get(), timeoutSeconds * 1000);
    // Reading the schema is what tells a database from any other file.
    if (sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        if (sqlite3_errcode(db.get()) == SQLITE_NOTADB)
            vb::raise(vb::errDatabase, QStringLiteral("Unrecognized database format '%1'.").arg(path));
        vb::raise(vb::errDatabase,
                  QStringLiteral("The database '%1' cannot be read: %2.").arg(path, QString::fromUtf8(sqlite3_errmsg(db.get()))));
    }
    db_ = std::move(db);
    path_ = path;
    statements_ = std::make_shared<StatementCache>();
}

void Connection::useWriteAheadLog()
{
    if (!db_) raiseError();
    sqlite3_exec(db_.get(), "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db_.get(), "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
}

void Connection::Close()
{
    if (!db_) return;
    statements_.reset();
    if (transactionDepth_ > 0) sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    transactionDepth_ = 0;
    db_.reset();
    path_.clear();
}

void Connection::raiseError() const { raiseEngineError(db_.get()); }

void Connection::Execute(const QString& sql)
{
    if (!db_) raiseError();
    if (sqlite3_exec(db_.get(), sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) raiseError();
}

void Connection::Execute(const QString& sql, const std::vector<vb::Value>& parameters)
{
    prepare(sql).bindAll(parameters).run();
}

long long Connection::lastInsertRowid() const { return db_ ? sqlite3_last_insert_rowid(db_.get()) : 0; }

int Connection::changes() const { return db_ ? sqlite3_changes(db_.get()) : 0; }

void Connection::BeginTrans()
{
    // Inner levels are savepoints: each can be rolled back without the work around it.
    Execute(transactionDepth_ == 0 ? QStringLiteral("BEGIN") : QStringLiteral("SAVEPOINT level%1").arg(transactionDepth_));
    ++transactionDepth_;
}

void Connection::CommitTrans()
{
    if (transactionDepth_ == 0) return;
    const int level = transactionDepth_ - 1;
    // The level ends only once the engine has ended it: a COMMIT refused (a busy file, a full
    // disk) leaves the transaction open, and the caller's rollback must still reach it.
    endLevel(level == 0 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE level%1").arg(level));
    transactionDepth_ = level;
}

void Connection::RollbackTrans()
{
    if (transactionDepth_ == 0) return;
    if (sqlite3_get_autocommit(db_.get())) {
        transactionDepth_ = 0;  // the engine has rolled back already
        return;
    }
    const int level = transactionDepth_ - 1;
    if (level == 0) {
        endLevel(QStringLiteral("ROLLBACK"));
    } else {
        const QString savepoint = QStringLiteral("level%1").arg(level);
        endLevel(QStringLiteral("ROLLBACK TO ") + savepoint);
        endLevel(QStringLiteral("RELEASE ") + savepoint);
    }
    transactionDepth_ = level;
}

void Connection::endLevel(const QString& sql)
{
    if (!db_) raiseError();
    if (sqlite3_exec(db_.get(), sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK) return;
    // Some failures (a full disk, an I/O error) make the engine roll the whole transaction
    // back on its own; then no level is open any more.
    if (sqlite3_get_autocommit(db_.get())) transactionDepth_ = 0;
    raiseError();
}

Statement Connection::prepare(const QString& sql)
{
    if (!db_) raiseError();
    std::string key = sql.toStdString();
    StatementHandle statement = statements_->take(key);
    if (!statement) {
        sqlite3_stmt* prepared = nullptr;
        const int rc = sqlite3_prepare_v2(db_.get(), key.c_str(), static_cast<int>(key.size()), &prepared, nullptr);
        statement.reset(prepared);
        if (rc != SQLITE_OK) raiseError();
    }
    return Statement(std::move(statement), std::move(key), statements_);
}

}  // namespace db
