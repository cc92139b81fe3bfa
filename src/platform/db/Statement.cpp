#include "platform/db/Statement.h"

#include "platform/db/EngineError.h"
#include "platform/db/StatementCache.h"

#include <sqlite3.h>

namespace db {

Statement::Statement(StatementHandle handle, std::string sql, std::weak_ptr<StatementCache> home)
    : handle_(std::move(handle)), sql_(std::move(sql)), home_(std::move(home))
{
}

Statement& Statement::operator=(Statement&& other) noexcept
{
    if (this == &other) return *this;
    Statement old(std::move(*this));
    handle_ = std::move(other.handle_);
    sql_ = std::move(other.sql_);
    home_ = std::move(other.home_);
    return *this;
}

Statement::~Statement()
{
    if (!handle_) return;
    if (const auto cache = home_.lock()) cache->giveBack(sql_, std::move(handle_));
}

Statement& Statement::bind(int index, const vb::Value& v)
{
    sqlite3_stmt* st = handle_.get();
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
        sqlite3_bind_text(st, index, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
        break;
    }
    }
    return *this;
}

Statement& Statement::bindAll(const std::vector<vb::Value>& values)
{
    for (size_t i = 0; i < values.size(); ++i) bind(static_cast<int>(i) + 1, values[i]);
    return *this;
}

void Statement::fail()
{
    sqlite3* db = sqlite3_db_handle(handle_.get());
    // Read before the reset, which would report the error in its own words; raised after
    // it, so that the statement can run again.
    const EngineError error = EngineError::last(db);
    sqlite3_reset(handle_.get());
    error.raise(db);
}

Statement& Statement::bindRowid(int index, long long rowid)
{
    sqlite3_bind_int64(handle_.get(), index, rowid);
    return *this;
}

bool Statement::next()
{
    const int rc = sqlite3_step(handle_.get());
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail();
}

void Statement::run()
{
    while (next()) {
    }
    reset();
}

void Statement::reset() { sqlite3_reset(handle_.get()); }

int Statement::columnCount() const { return sqlite3_column_count(handle_.get()); }

QString Statement::columnName(int column) const { return QString::fromUtf8(sqlite3_column_name(handle_.get(), column)); }

QString Statement::declaredType(int column) const
{
    const char* declared = sqlite3_column_decltype(handle_.get(), column);
    return QString::fromLatin1(declared ? declared : "");
}

Statement::Type Statement::type(int column) const
{
    switch (sqlite3_column_type(handle_.get(), column)) {
    case SQLITE_INTEGER: return Type::Integer;
    case SQLITE_FLOAT: return Type::Real;
    case SQLITE_TEXT: return Type::Text;
    case SQLITE_BLOB: return Type::Blob;
    default: return Type::Null;
    }
}

int64_t Statement::integer(int column) const { return sqlite3_column_int64(handle_.get(), column); }

double Statement::real(int column) const { return sqlite3_column_double(handle_.get(), column); }

QString Statement::text(int column) const
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(handle_.get(), column)),
                             sqlite3_column_bytes(handle_.get(), column));
}

}  // namespace db
