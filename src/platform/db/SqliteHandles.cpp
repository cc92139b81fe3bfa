#include "platform/db/SqliteHandles.h"

#include <sqlite3.h>

namespace db {

void CloseDatabase::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

void FinalizeStatement::operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }

void FinishBackup::operator()(sqlite3_backup* backup) const { sqlite3_backup_finish(backup); }

}  // namespace db
