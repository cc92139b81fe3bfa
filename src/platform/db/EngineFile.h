#pragma once

#include <cstdint>

struct sqlite3;

namespace db {

// The main file of an open database, read past the engine at the speed of the disk: whole-file
// work (a copy, a look for long rows) need not decode a 100 MB project value by value.
class EngineFile {
public:
    // The descriptor the engine reads the file of `db` through, found among the program's own
    // by the file's identity; -1 when its path no longer names that file. A descriptor opened
    // anew would not do: closing it drops every lock the program holds on the file, the
    // engine's too.
    static int descriptor(sqlite3* db);

    // False when no row of any table of `db` is longer than `bytes`: the cells of the file's
    // table pages are looked at, not their values. True where it cannot tell (a write-ahead
    // log beside the file, a page it does not understand): the caller then looks at the values.
    static bool mayHoldRowsLongerThan(sqlite3* db, int64_t bytes);
};

}  // namespace db
