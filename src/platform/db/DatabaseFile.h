#pragma once

#include <QString>

namespace db {

// Whole-file operations on database files. Copies go through the engine's backup, so a copy
// of a file that is open (and written) elsewhere is always a consistent database.
class DatabaseFile {
public:
    // Copies `source` to `target` (replacing it).
    static void copy(const QString& source, const QString& target);
    // Replaces `target` by a copy of `source` so that a crash at any moment leaves either the
    // old or the new target, never a broken one: copy into a temporary file beside the
    // target, flush it, rename it over the target.
    static void replaceAtomically(const QString& source, const QString& target);
    // Creates a new database file from a script of SQL statements.
    static void create(const QString& path, const QString& sqlScript);
    // Compacts `source` into `target` (which must not exist).
    static void compact(const QString& source, const QString& target);
    // Removes a database file together with its journal files.
    static bool remove(const QString& path);
    // True when the file exists and the engine reads it as a database.
    static bool isDatabase(const QString& path);
};

}  // namespace db
