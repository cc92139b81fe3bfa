#include "platform/db/DatabaseFile.h"

#include "platform/db/Connection.h"
#include "platform/db/Quoted.h"
#include "platform/db/SqliteHandles.h"
#include "platform/os/SafePath.h"
#include "platform/os/TemporaryFile.h"
#include "platform/vb/VbError.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

#include <sys/stat.h>
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
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &opened, flags | SQLITE_OPEN_NOFOLLOW, nullptr);
    DatabaseHandle db(opened);
    if (rc != SQLITE_OK) fail(QStringLiteral("The database '%1' cannot be opened").arg(path), db.get());
    sqlite3_busy_timeout(db.get(), 30000);
    return db;
}

bool tablesPresent(sqlite3* db, const QStringList& tables)
{
    sqlite3_stmt* prepared = nullptr;
    const int rc = sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE", -1, &prepared,
                                      nullptr);
    const StatementHandle statement(prepared);
    if (rc != SQLITE_OK) return false;
    for (const QString& table : tables) {
        const QByteArray name = table.toUtf8();
        sqlite3_reset(prepared);
        sqlite3_bind_text(prepared, 1, name.constData(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(prepared) != SQLITE_ROW) return false;
    }
    return true;
}

// Writes the copy into a temporary file beside `target` and renames it over the target.
// `fill` does the engine's part: it copies into the open temporary database. A new target
// takes the mode of `model`, a replaced one keeps its own.
template <typename Fill>
void writeAndReplace(const QString& target, const QString& model, Fill fill)
{
    DatabaseFile::refuseLink(target);
    if (DatabaseFile::isReadOnly(target))
        vb::raise(vb::errPermissionDenied, QStringLiteral("The database '%1' is read-only.").arg(target));
    const QString folder = QFileInfo(target).absolutePath();
    vb::TemporaryFile temporary(target);
    {
        const DatabaseHandle to = openFile(temporary.path(), SQLITE_OPEN_READWRITE);
        fill(to.get());
        // A copy stands alone: a rollback journal, nothing kept in side files.
        if (sqlite3_exec(to.get(), "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(QStringLiteral("The database cannot be written to the folder '%1'").arg(folder), to.get());
    }
    temporary.takeModeOf(QFileInfo::exists(target) ? target : model);
    // Side files of the old target belong to the old content; they must not be applied to the new.
    QFile::remove(target + QStringLiteral("-wal"));
    QFile::remove(target + QStringLiteral("-shm"));
    QFile::remove(target + QStringLiteral("-journal"));
    temporary.commit();
}

void backup(sqlite3* to, sqlite3* from, const QString& folder)
{
    BackupHandle backup(sqlite3_backup_init(to, "main", from, "main"));
    if (!backup) fail(QStringLiteral("The database cannot be written to the folder '%1'").arg(folder), to);
    const int rc = sqlite3_backup_step(backup.get(), -1);
    backup.reset();
    if (rc != SQLITE_DONE) fail(QStringLiteral("The database cannot be written to the folder '%1'").arg(folder), to);
}

}  // namespace

void DatabaseFile::copy(const QString& source, const QString& target)
{
    if (!isDatabase(source)) vb::raise(vb::errDatabase, QStringLiteral("Unrecognized database format '%1'.").arg(source));
    const DatabaseHandle from = openFile(source, SQLITE_OPEN_READONLY);
    const QString folder = QFileInfo(target).absolutePath();
    writeAndReplace(target, source, [&](sqlite3* to) { backup(to, from.get(), folder); });
}

void DatabaseFile::copy(Connection& source, const QString& target)
{
    if (!source.isOpen()) vb::raise(vb::errDatabase, QStringLiteral("The connection is closed."));
    const QString folder = QFileInfo(target).absolutePath();
    writeAndReplace(target, source.path(), [&](sqlite3* to) { backup(to, source.handle(), folder); });
}

void DatabaseFile::removeStaleTemporaries(const QString& target) { vb::TemporaryFile::removeLeftovers(target); }

void DatabaseFile::refuseLink(const QString& path)
{
    if (vb::SafePath::isLink(path))
        vb::raise(vb::errPathAccess, QStringLiteral("The database '%1' is a symbolic link.").arg(path));
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
    return hasTables(path, {});
}

bool DatabaseFile::hasTables(const QString& path, const QStringList& tables)
{
    if (!QFileInfo(path).isFile()) return false;
    sqlite3* opened = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &opened, SQLITE_OPEN_READONLY, nullptr);
    const DatabaseHandle db(opened);
    if (rc != SQLITE_OK) return false;
    if (sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) return false;
    return tablesPresent(db.get(), tables);
}

bool DatabaseFile::hasTables(Connection& connection, const QStringList& tables)
{
    return connection.isOpen() && tablesPresent(connection.handle(), tables);
}

bool DatabaseFile::isReadOnly(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return false;
    // The mode bits first: whoever runs the program (the administrator too) leaves a file
    // alone that its owner has made read-only.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
    return ::access(QFile::encodeName(path).constData(), W_OK) != 0;
}

}  // namespace db
