#pragma once

#include "platform/db/SqliteHandles.h"

#include <string>
#include <unordered_map>

namespace db {

// The prepared statements of one open connection, by SQL text. A statement in use is taken
// out and given back when its holder is done with it, so that emptying the cache never
// finalizes a statement under somebody who is still stepping it.
class StatementCache {
public:
    // The cached statement for `sql`, or an empty handle.
    StatementHandle take(const std::string& sql);
    // Keeps `statement` for the next taker of `sql`; a second one for the same text is dropped.
    void giveBack(const std::string& sql, StatementHandle statement);

private:
    // Composed statements differ by their literal values; the cache stays bounded.
    static constexpr size_t kLimit = 256;
    std::unordered_map<std::string, StatementHandle> statements_;
};

}  // namespace db
