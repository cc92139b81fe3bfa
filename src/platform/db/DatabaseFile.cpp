#include "platform/db/DatabaseFile.h"

#include "platform/db/Connection.h"
#include "platform/db/EngineError.h"
#include "platform/db/EngineFile.h"
#include "platform/db/Quoted.h"
#include "platform/db/SqliteHandles.h"
#include "platform/db/Transaction.h"
#include "platform/os/Os.h"
#include "platform/os/SafePath.h"
#include "platform/os/TemporaryFile.h"
#include "platform/vb/VbError.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <utility>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

namespace db {

namespace {

[[noreturn]] void fail(const QString& what, sqlite3* db)
{
    // A full disk is said as such, naming the folder that has no room left.
    if (db && EngineError::last(db).diskFull()) raiseEngineError(db);
    QString reason = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
    // The engine's words ("disk I/O error") hide what the system said: a full disk, a file
    // grown past its limit, a missing folder.
    if (const int code = db ? sqlite3_system_errno(db) : 0; code != 0)
        reason += QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(code)) + QLatin1Char(')');
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
// `fill` writes the database into the temporary file; `finish` runs on it then. A new target
// takes the mode of `model`, a replaced one keeps its own.
template <typename Fill>
void writeAndReplace(const QString& target, const QString& model, const QString& finish, Fill fill)
{
    DatabaseFile::refuseLink(target);
    if (DatabaseFile::isReadOnly(target))
        vb::raise(vb::errPermissionDenied, QStringLiteral("The database '%1' is read-only.").arg(target));
    const QString folder = QFileInfo(target).absolutePath();
    vb::TemporaryFile temporary(target);
    fill(temporary, folder);
    {
        const DatabaseHandle to = openFile(temporary.path(), SQLITE_OPEN_READWRITE);
        // Nobody sees the file before its one flush at the end: a crash leaves a leftover that
        // the next copy removes, so no step on the way needs a flush of its own.
        sqlite3_exec(to.get(), "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
        if (!finish.isEmpty() && sqlite3_exec(to.get(), finish.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(QStringLiteral("The database cannot be written to the folder '%1'").arg(folder), to.get());
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

int64_t pragmaNumber(sqlite3* db, const char* sql)
{
    sqlite3_stmt* prepared = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &prepared, nullptr);
    const StatementHandle statement(prepared);
    return prepared && sqlite3_step(prepared) == SQLITE_ROW ? sqlite3_column_int64(prepared, 0) : -1;
}

bool inWriteAheadMode(sqlite3* from)
{
    sqlite3_stmt* prepared = nullptr;
    sqlite3_prepare_v2(from, "PRAGMA main.journal_mode", -1, &prepared, nullptr);
    const StatementHandle statement(prepared);
    return prepared && sqlite3_step(prepared) == SQLITE_ROW && qstricmp(reinterpret_cast<const char*>(sqlite3_column_text(prepared, 0)), "wal") == 0;
}

// Whether the database file of `from` holds all of its pages: a write-ahead log is folded in
// first, where the connection may write.
bool fileHoldsEveryPage(sqlite3* from, bool writeAhead)
{
    if (!writeAhead) return true;
    int logged = -1;
    int folded = -1;
    return sqlite3_wal_checkpoint_v2(from, "main", SQLITE_CHECKPOINT_TRUNCATE, &logged, &folded) == SQLITE_OK && logged == folded;
}

[[noreturn]] void writeFailed(const QString& folder, int error)
{
    if (error == ENOSPC || error == EDQUOT) vb::raiseDiskFull(folder);
    vb::raise(vb::errPathAccess,
              QStringLiteral("The database cannot be written to the folder '%1': %2").arg(folder, QString::fromLocal8Bit(std::strerror(error))));
}

[[noreturn]] void readFailed() { vb::raise(vb::errDatabase, QStringLiteral("The database cannot be read: disk I/O error")); }

// Copies the first `size` bytes of `in` into `out` inside the kernel, as cp does: no page
// passes through this program. Within a file system by copy_file_range (which may share the
// blocks), across file systems by sendfile.
void kernelCopy(int in, int out, int64_t size, const QString& folder)
{
    loff_t done = 0;
    bool acrossFileSystems = false;
    while (done < size) {
        const auto left = static_cast<size_t>(size - done);
        loff_t from = done;
        loff_t to = done;
        const ssize_t n = acrossFileSystems ? ::sendfile(out, in, &from, left) : ::copy_file_range(in, &from, out, &to, left, 0);
        if (n > 0) {
            done += n;
            continue;
        }
        if (n == 0) readFailed();  // the file is shorter than its pages
        if (errno == EINTR) continue;
        if (!acrossFileSystems && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)) {
            acrossFileSystems = true;
            ::lseek(out, done, SEEK_SET);  // sendfile writes where the file stands
            continue;
        }
        if (errno == EIO) readFailed();
        writeFailed(folder, errno);
    }
}

// Copies the pages as they lie in the database file while a read transaction keeps every
// writer out: as consistent as the engine's backup, at the speed of the disk. False where
// the file alone is not the database.
bool copyPages(sqlite3* from, vb::TemporaryFile& temporary, const QString& folder)
{
    const bool writeAhead = inWriteAheadMode(from);
    if (sqlite3_get_autocommit(from) == 0 || !fileHoldsEveryPage(from, writeAhead)) return false;
    if (sqlite3_exec(from, "BEGIN; SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_exec(from, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    struct EndRead {
        sqlite3* db;
        ~EndRead() { sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr); }
    } endRead{from};
    const int64_t pageSize = pragmaNumber(from, "PRAGMA main.page_size");
    const int64_t pages = pragmaNumber(from, "PRAGMA main.page_count");
    const int descriptor = EngineFile::descriptor(from);
    if (descriptor < 0 || pageSize <= 0 || pages < 0) return false;
    const int64_t size = pageSize * pages;
    kernelCopy(descriptor, temporary.handle(), size, folder);
    // The copy stands alone: its header names a rollback journal, as the engine writes it
    // when a database leaves write-ahead mode, so opening it makes no log to fold back.
    static const char kRollbackJournal[] = {1, 1};
    if (writeAhead && size > 19 && ::pwrite(temporary.handle(), kRollbackJournal, 2, 18) != 2) writeFailed(folder, errno);
    return true;
}

// The database of `from` into the temporary file: its file as it lies where that holds every
// page, else through the engine's backup.
void fillFrom(sqlite3* from, vb::TemporaryFile& temporary, const QString& folder)
{
    if (copyPages(from, temporary, folder)) return;
    const DatabaseHandle to = openFile(temporary.path(), SQLITE_OPEN_READWRITE);
    backup(to.get(), from, folder);
}

}  // namespace

void DatabaseFile::copy(const QString& source, const QString& target, const QString& finish)
{
    if (!isDatabase(source)) vb::raise(vb::errDatabase, QStringLiteral("Unrecognized database format '%1'.").arg(source));
    const DatabaseHandle from = openFile(source, SQLITE_OPEN_READONLY);
    writeAndReplace(target, source, finish, [&](vb::TemporaryFile& temporary, const QString& folder) { fillFrom(from.get(), temporary, folder); });
}

void DatabaseFile::copy(Connection& source, const QString& target, const QString& finish)
{
    if (!source.isOpen()) vb::raise(vb::errDatabase, QStringLiteral("The connection is closed."));
    writeAndReplace(target, source.path(), finish,
                    [&](vb::TemporaryFile& temporary, const QString& folder) { fillFrom(source.handle(), temporary, folder); });
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

namespace {

int userVersion(sqlite3* db)
{
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &prepared, nullptr) != SQLITE_OK) fail(QStringLiteral("user_version"), db);
    const StatementHandle statement(prepared);
    return sqlite3_step(prepared) == SQLITE_ROW ? sqlite3_column_int(prepared, 0) : 0;
}

// The creation texts of the schema's objects, tables before their indexes.
std::vector<std::pair<QString, QString>> schemaObjects(sqlite3* db)
{
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT tbl_name, sql FROM sqlite_master WHERE sql IS NOT NULL ORDER BY type DESC, rowid", -1, &prepared,
                           nullptr) != SQLITE_OK)
        fail(QStringLiteral("schema"), db);
    const StatementHandle statement(prepared);
    std::vector<std::pair<QString, QString>> objects;
    while (sqlite3_step(prepared) == SQLITE_ROW)
        objects.emplace_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(prepared, 0))),
                             QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(prepared, 1))));
    return objects;
}

}  // namespace

void DatabaseFile::upgrade(Connection& connection, const QString& sqlSchema)
{
    const DatabaseHandle schema = openFile(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY);
    if (sqlite3_exec(schema.get(), sqlSchema.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(QStringLiteral("The schema cannot be read"), schema.get());
    const int version = userVersion(schema.get());
    if (userVersion(connection.handle()) >= version) return;
    const auto objects = schemaObjects(schema.get());
    QStringList missing;
    for (const auto& [table, sql] : objects)
        if (!missing.contains(table) && !tablesPresent(connection.handle(), {table})) missing << table;
    Transaction transaction(connection);
    for (const auto& [table, sql] : objects)
        if (missing.contains(table)) connection.Execute(sql);
    connection.Execute(QStringLiteral("PRAGMA user_version = %1").arg(version));
    transaction.commit();
}

void DatabaseFile::compact(const QString& source, const QString& target)
{
    const DatabaseHandle db = openFile(source, SQLITE_OPEN_READWRITE);
    const QByteArray sql = (QStringLiteral("VACUUM INTO ") + quoted(target)).toUtf8();
    if (sqlite3_exec(db.get(), sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(QStringLiteral("The database '%1' cannot be compacted").arg(source), db.get());
}

void DatabaseFile::compactInPlace(const QString& path, const QString& scratch)
{
    // A result left by an interrupted compaction would stop the engine from writing a new one.
    remove(scratch);
    try {
        compact(path, scratch);
        if (!isDatabase(scratch)) vb::raise(vb::errDatabase, QStringLiteral("The compacted database '%1' is unreadable.").arg(scratch));
        vb::Os::syncToDisk(scratch);
        // A log the closing could not fold into the file would be applied to the new file.
        if (QFileInfo(path + QStringLiteral("-wal")).size() > 0)
            vb::raise(vb::errPathAccess, QStringLiteral("The log of the database '%1' cannot be written into it.").arg(path));
        QFile::remove(path + QStringLiteral("-wal"));
        QFile::remove(path + QStringLiteral("-shm"));
        if (std::rename(QFile::encodeName(scratch).constData(), QFile::encodeName(path).constData()) != 0)
            vb::raise(vb::errPathAccess, QStringLiteral("The database '%1' cannot be replaced: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    } catch (...) {
        remove(scratch);
        throw;
    }
    vb::Os::syncToDisk(QFileInfo(path).absolutePath());
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
