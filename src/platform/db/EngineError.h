#pragma once

#include <QString>

struct sqlite3;

namespace db {

// Raises the engine's last error on `db` as a run-time error: a full disk (the engine's own
// verdict, or an input/output error the system gave as "no space left") as the disk-full
// error naming the database's folder, everything else as a database error with the
// engine's message.
[[noreturn]] void raiseEngineError(sqlite3* db);

// The engine's last error, read before the engine moves on (a statement's reset would
// replace it).
struct EngineError {
    int code = 0;
    int systemError = 0;
    QString message;

    static EngineError last(sqlite3* db);
    // The engine's own verdict, or an input/output error the system gave as "no space left".
    bool diskFull() const;
    [[noreturn]] void raise(sqlite3* db) const;
};

}  // namespace db
