#pragma once

#include <QString>
#include <QStringList>

namespace db {

class Connection;

// Whole-file operations on database files. Copies go through the engine's backup, so a copy
// of a file that is open (and written) elsewhere is always a consistent database.
class DatabaseFile {
public:
    // Copies `source` to `target` so that a crash, a kill or a full disk at any moment leaves
    // either the old target or the complete new one, never a part of it: the copy is written
    // to a new temporary file beside the target, flushed and renamed over it. A replaced
    // target keeps its mode and group, a new one takes the source's; a read-only target and
    // a link are refused. The copy stands alone (no journal side files).
    // `finish` (SQL statements) runs on the copy before it takes the target's place.
    static void copy(const QString& source, const QString& target, const QString& finish = QString());
    // The same with the database of an open connection, as that connection sees it: what is
    // copied is the connection's own database, whatever file now lies at its path.
    static void copy(Connection& source, const QString& target, const QString& finish = QString());
    // Removes the temporary files interrupted copies to `target` left, except those being
    // written right now.
    static void removeStaleTemporaries(const QString& target);
    // Raises a path-access error naming `path` when it is a symbolic link: a database of the
    // system is never written, nor taken, through one.
    static void refuseLink(const QString& path);

    // Creates a new database file from a script of SQL statements.
    static void create(const QString& path, const QString& sqlScript);
    // Brings the database of `connection` up to the schema of `sqlSchema` (a creation script
    // that sets the user version): every table of the script the database lacks is created
    // with its indexes, in one transaction, and the database gets the script's version. A
    // database of that version or a newer one is left alone; tables are only ever added.
    static void upgrade(Connection& connection, const QString& sqlSchema);
    // Compacts `source` into `target` (which must not exist).
    static void compact(const QString& source, const QString& target);
    // Compacts the closed database at `path` by way of `scratch` and puts the result in its
    // place. Any failure leaves `path` as it was and `scratch` gone.
    static void compactInPlace(const QString& path, const QString& scratch);
    // Removes a database file together with its journal files.
    static bool remove(const QString& path);
    // True when the file exists and the engine reads it as a database.
    static bool isDatabase(const QString& path);
    // True when the file is a database holding every one of `tables`. An empty file passes
    // for an empty database with the engine; this is what tells it from a usable one.
    static bool hasTables(const QString& path, const QStringList& tables);
    static bool hasTables(Connection& connection, const QStringList& tables);
    // True when the file exists and may not be written (no write permission for anyone, or
    // not for this user).
    static bool isReadOnly(const QString& path);
};

}  // namespace db
