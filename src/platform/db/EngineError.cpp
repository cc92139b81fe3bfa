#include "platform/db/EngineError.h"

#include "platform/vb/VbError.h"

#include <QFileInfo>
#include <cerrno>
#include <sqlite3.h>

namespace db {

EngineError EngineError::last(sqlite3* db)
{
    return {sqlite3_errcode(db), sqlite3_system_errno(db), QString::fromUtf8(sqlite3_errmsg(db))};
}

bool EngineError::diskFull() const
{
    return code == SQLITE_FULL || ((code & 0xff) == SQLITE_IOERR && (systemError == ENOSPC || systemError == EDQUOT));
}

void EngineError::raise(sqlite3* db) const
{
    if (diskFull()) {
        const char* file = db ? sqlite3_db_filename(db, "main") : nullptr;
        vb::raiseDiskFull(QFileInfo(QString::fromUtf8(file ? file : "")).absolutePath());
    }
    vb::raise(vb::errDatabase, message);
}

void raiseEngineError(sqlite3* db)
{
    if (!db) vb::raise(vb::errDatabase, QStringLiteral("The connection is closed."));
    EngineError::last(db).raise(db);
}

}  // namespace db
