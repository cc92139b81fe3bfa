#include "platform/db/StatementCache.h"

#include <sqlite3.h>

namespace db {

StatementHandle StatementCache::take(const std::string& sql)
{
    const auto it = statements_.find(sql);
    if (it == statements_.end()) return StatementHandle();
    StatementHandle statement = std::move(it->second);
    statements_.erase(it);
    return statement;
}

void StatementCache::giveBack(const std::string& sql, StatementHandle statement)
{
    sqlite3_reset(statement.get());
    sqlite3_clear_bindings(statement.get());
    if (statements_.size() >= kLimit) statements_.clear();
    statements_.try_emplace(sql, std::move(statement));
}

}  // namespace db
