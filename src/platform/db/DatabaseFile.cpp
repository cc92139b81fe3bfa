#include "platform/db/DatabaseFile.h"

#include "platform/db/Quoted.h"
#include "platform/db/SqliteHandles.h"
#include "platform/vb/VbError.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace db {

namespace {

[[noreturn]] void fail(const QString& what, sqlite3* db)
{
    const QString reason = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
    vb::raise(vb::errDatabase, what + QStringLiteral(": ") + reason);
}

DatabaseHandle openFile(const QString& path, int flags)
{
    sqlite3* opened = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &opened, flags, nullptr);
    DatabaseHandle db(opened);
    if (rc != SQLITE_OK) fail(QStringLiteral("The database '%1' cannot be opened").arg(path), db.get());
    sqlite3_busy_timeout(db.get(), 30000);
    return db;
}

void syncFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void DatabaseFile::copy(const QString& source, const QString& target)
{
    if (!isDatabase(source)) vb::raise(vb::errDatabase, QStringLiteral("Unrecognized database format '%1'.").arg(source));
    remove(target);
    const DatabaseHandle from = openFile(source, SQLITE_OPEN_READONLY);
    const DatabaseHandle to = openFile(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    BackupHandle backup(sqlite3_backup_init(to.get(), "main", from.get(), "main"));
    if (!backup) fail(QStringLiteral("The database '%1' cannot be copied").arg(source), to.get());
    const int rc = sqlite3_backup_step(backup.get(), -1);
    backup.reset();
    if (rc != SQLITE_DONE) fail(QStringLiteral("The database '%1' cannot be copied").arg(source), to.get());
    // A copy stands alone: fold any write-ahead log into the file itself.
    sqlite3_exec(to.get(), "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
}

void DatabaseFile::replaceAtomically(const QString& source, const QString& target)
{
    const QString temporary = target + QStringLiteral(".tmp");
    copy(source, temporary);
    {
        // Leave the copy in rollback-journal mode so that the renamed file needs no side files.
        const DatabaseHandle db = openFile(temporary, SQLITE_OPEN_READWRITE);
        sqlite3_exec(db.get(), "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    }
    syncFile(temporary);
    // Side files of the old target belong to the old content; they must not be applied to the new.
    QFile::remove(target + QStringLiteral("-wal"));
    QFile::remove(target + QStringLiteral("-shm"));
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(temporary);
        vb::raise(vb::errPathAccess, QStringLiteral("The database '%1' cannot be replaced.").arg(target));
    }
    syncFile(QFileInfo(target).absolutePath());
}

void DatabaseFile::create(const QString& path, const QString& sqlScript)
{
    remove(path);
    const DatabaseHandle db = openFile(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    char* error = nullptr;
    if (sqlite3_exec(db.get(), sqlScript.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(error ? error : "");
        sqlite3_free(error);
        vb::raise(vb::errDatabase, QStringLiteral("The database '%1' cannot be created: %2").arg(path, reason));
    }
}

void DatabaseFile::compact(const QString& source, const QString& target)
{
    const DatabaseHandle db = openFile(source, SQLITE_OPEN_READWRITE);
    const QByteArray sql = (QStringLiteral("VACUUM INTO ") + quoted(target)).toUtf8();
    if (sqlite3_exec(db.get(), sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(QStringLiteral("The database '%1' cannot be compacted").arg(source), db.get());
}

bool DatabaseFile::remove(const QString& path)
{
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    QFile::remove(path + QStringLiteral("-journal"));
    return !QFileInfo::exists(path) || QFile::remove(path);
}

bool DatabaseFile::isDatabase(const QString& path)
{
    if (!QFileInfo(path).isFile()) return false;
    sqlite3* opened = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &opened, SQLITE_OPEN_READONLY, nullptr);
    const DatabaseHandle db(opened);
    if (rc != SQLITE_OK) return false;
    return sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace db
