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
    const int flags = (access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOFOLLOW;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &opened, flags, nullptr);
    DatabaseHandle db(opened);
    if (rc != SQLITE_OK) {
        const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db.get())) : QStringLiteral("out of memory");
        vb::raise(vb::errDatabase, QStringLiteral("The database '%1' cannot be opened: %2.").arg(path, msg));
    }
    // Reading the schema is what tells a database from any other file.
    if (sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        if (sqlite3_errcode(db.get()) == SQLITE_NOTADB)
            vb::raise(vb::errDatabase, QStringLiteral("Unrecognized database format '%1'.").arg(path));
        vb::raise(vb::errDatabase,
                  QStringLiteral("The database '%1' cannot be read: %2.").arg(path, QString::fromUtf8(sqlite3_errmsg(db.get()))));
    }
    db_ = std::move(db);
    path_ = path;
    sqlite3_busy_timeout(db_.get(), timeoutSeconds * 1000);
}

void Connection::useWriteAheadLog()
{
    if (!db_) raiseError();
    sqlite3_exec(db_.get(), "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db_.get(), "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
}

void Connection::clearStatements() { statements_.clear(); }

void Connection::Close()
{
    if (!db_) return;
    clearStatements();
    if (transactionDepth_ > 0) sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    transactionDepth_ = 0;
    db_.reset();
    path_.clear();
}

void Connection::raiseError() const
{
    vb::raise(vb::errDatabase, db_ ? QString::fromUtf8(sqlite3_errmsg(db_.get())) : QStringLiteral("The connection is closed."));
}

void Connection::Execute(const QString& sql)
{
    if (!db_) raiseError();
    if (sqlite3_exec(db_.get(), sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) raiseError();
}

void Connection::Execute(const QString& sql, const std::vector<vb::Value>& parameters)
{
    sqlite3_stmt* st = prepare(sql);
    for (size_t i = 0; i < parameters.size(); ++i) bind(st, static_cast<int>(i) + 1, parameters[i]);
    const int rc = sqlite3_step(st);
    // The statement is reset when it is next taken from the cache; resetting it here would
    // replace the error's message.
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) raiseError();
    sqlite3_reset(st);
}

void Connection::bind(sqlite3_stmt* st, int index, const vb::Value& v)
{
    switch (v.type()) {
    case vb::VarType::Empty:
    case vb::VarType::Null: sqlite3_bind_null(st, index); break;
    case vb::VarType::Boolean: sqlite3_bind_int(st, index, v.asBool() ? 1 : 0); break;
    case vb::VarType::Integer: sqlite3_bind_int(st, index, v.asInteger()); break;
    case vb::VarType::Long: sqlite3_bind_int(st, index, v.asLong()); break;
    case vb::VarType::Single: sqlite3_bind_double(st, index, v.asSingle()); break;
    case vb::VarType::Double: sqlite3_bind_double(st, index, v.asDouble()); break;
    case vb::VarType::Date: sqlite3_bind_double(st, index, v.asDateSerial()); break;
    case vb::VarType::Text: {
        const QByteArray utf8 = v.asText().toUtf8();
        sqlite3_bind_text(st, index, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
        break;
    }
    }
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

sqlite3_stmt* Connection::prepare(const QString& sql)
{
    if (!db_) raiseError();
    const std::string key = sql.toStdString();
    auto it = statements_.find(key);
    if (it != statements_.end()) {
        sqlite3_reset(it->second.get());
        sqlite3_clear_bindings(it->second.get());
        return it->second.get();
    }
    // Composed statements differ by their literal values; keep the cache bounded.
    if (statements_.size() > 256) clearStatements();
    sqlite3_stmt* prepared = nullptr;
    const int rc = sqlite3_prepare_v2(db_.get(), key.c_str(), static_cast<int>(key.size()), &prepared, nullptr);
    StatementHandle statement(prepared);
    if (rc != SQLITE_OK) raiseError();
    return statements_.emplace(key, std::move(statement)).first->second.get();
}

}  // namespace db
