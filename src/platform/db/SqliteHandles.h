#pragma once

#include <memory>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_backup;

namespace db {

// Owners of the engine's C handles: a handle is released exactly once, on every path out of
// the code that opened it, exceptions included.
struct CloseDatabase {
    void operator()(sqlite3* db) const;
};
struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const;
};
struct FinishBackup {
    void operator()(sqlite3_backup* backup) const;
};

using DatabaseHandle = std::unique_ptr<sqlite3, CloseDatabase>;
using StatementHandle = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;
using BackupHandle = std::unique_ptr<sqlite3_backup, FinishBackup>;

}  // namespace db
