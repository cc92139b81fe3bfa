#include "platform/db/EngineFile.h"

#include <QByteArrayAlgorithms>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <vector>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace db {

namespace {

// The pages whose cells carry a payload: table leaves, and index leaves and interior pages
// (a table without rowids keeps its rows there).
constexpr unsigned char kTableLeaf = 0x0D;
constexpr unsigned char kIndexLeaf = 0x0A;
constexpr unsigned char kIndexInterior = 0x02;
constexpr int kFileHeader = 100;  // before the first page's own header

int64_t pragmaNumber(sqlite3* db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    int64_t value = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW) value = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return value;
}

bool inWriteAheadMode(sqlite3* db)
{
    sqlite3_stmt* st = nullptr;
    bool wal = true;  // unknown counts as "the file alone may not be the database"
    if (sqlite3_prepare_v2(db, "PRAGMA main.journal_mode", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        wal = qstricmp(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), "wal") == 0;
    sqlite3_finalize(st);
    return wal;
}

int twoBytes(const unsigned char* p) { return (p[0] << 8) | p[1]; }

// Whether a cell's payload size (the varint at `p`, within `end`) is above `limit`; true for
// one that runs past the page.
bool payloadAbove(const unsigned char* p, const unsigned char* end, int64_t limit)
{
    uint64_t size = 0;
    for (int i = 0; i < 9; ++i, ++p) {
        if (p >= end) return true;
        if (i == 8) return static_cast<int64_t>((size << 8) | *p) > limit;
        size = (size << 7) | (*p & 0x7F);
        if ((*p & 0x80) == 0) break;
    }
    return static_cast<int64_t>(size) > limit;
}

// The fewest bytes a cell takes on its page when its payload goes on to overflow pages: the
// part the engine keeps on the page (at least its minimum local payload), the overflow page's
// number and one byte of size.
int spilledCellBytes(int64_t usable) { return static_cast<int>((usable - 12) * 32 / 255 - 23) + 4 + 1; }

enum class Cells { Short, Long, NotRead };

// Whether the page whose first `read` bytes lie in `page` holds a cell longer than `limit`. A
// payload that long goes on to overflow pages, so a cell shorter than a spilled one (told by
// where the cell above it starts) is passed without reading it: the pointers at the page's
// start are mostly all that is needed. NotRead when more of the page must be read. An
// overflow or free page that happens to begin like a page of cells may answer Long: the
// caller then only looks closer.
Cells cellsOf(const unsigned char* page, int64_t read, int64_t pageSize, int header, int spilled, int64_t limit)
{
    const unsigned char type = page[header];
    if (type != kTableLeaf && type != kIndexLeaf && type != kIndexInterior) return Cells::Short;
    const int pointers = header + (type == kIndexInterior ? 12 : 8);
    const int skip = type == kIndexInterior ? 4 : 0;  // the child page's number comes first
    const int cells = twoBytes(page + header + 3);
    if (pointers + 2 * cells > pageSize) return Cells::Long;
    if (pointers + 2 * cells > read) return Cells::NotRead;
    int64_t above = pageSize;  // where a cell starts above the one looked at: it ends there at the latest
    for (int c = 0; c < cells; ++c) {
        const int start = twoBytes(page + pointers + 2 * c);
        if (start >= pageSize) return Cells::Long;
        const bool isShort = start < above && above - start < spilled;
        above = start;
        if (isShort) continue;
        if (start + skip + 9 > read && read < pageSize) return Cells::NotRead;
        if (payloadAbove(page + start + skip, page + read, limit)) return Cells::Long;
    }
    return Cells::Short;
}

// The pages one by one: at first only their start, the whole page where a cell must be read.
bool fileHoldsLongCell(int fd, int64_t pageSize, int64_t pages, int64_t limit)
{
    std::vector<unsigned char> page(static_cast<size_t>(pageSize));
    unsigned char reserved = 0;  // byte 20 of the file: the bytes each page keeps for itself
    if (::pread(fd, &reserved, 1, 20) != 1) return true;
    const int spilled = spilledCellBytes(pageSize - reserved);
    const int64_t start = std::min<int64_t>(pageSize, 1024);
    for (int64_t i = 0; i < pages; ++i) {
        const int header = i == 0 ? kFileHeader : 0;
        if (::pread(fd, page.data(), static_cast<size_t>(start), i * pageSize) != start) return true;
        Cells cells = cellsOf(page.data(), start, pageSize, header, spilled, limit);
        if (cells == Cells::NotRead) {
            if (::pread(fd, page.data(), static_cast<size_t>(pageSize), i * pageSize) != pageSize) return true;
            cells = cellsOf(page.data(), pageSize, pageSize, header, spilled, limit);
        }
        if (cells != Cells::Short) return true;
    }
    return false;
}

}  // namespace

int EngineFile::descriptor(sqlite3* db)
{
    const char* name = sqlite3_db_filename(db, "main");
    struct stat file {};
    int moved = 1;
    if (!name || !*name || ::stat(name, &file) != 0 || sqlite3_file_control(db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK ||
        moved != 0)
        return -1;
    DIR* descriptors = ::opendir("/proc/self/fd");
    if (!descriptors) return -1;
    int found = -1;
    while (const dirent* entry = ::readdir(descriptors)) {
        struct stat st {};
        const int fd = std::atoi(entry->d_name);
        if (entry->d_name[0] == '.' || ::fstat(fd, &st) != 0 || st.st_dev != file.st_dev || st.st_ino != file.st_ino) continue;
        if ((::fcntl(fd, F_GETFL) & O_ACCMODE) == O_WRONLY) continue;
        found = fd;
        break;
    }
    ::closedir(descriptors);
    return found;
}

bool EngineFile::mayHoldRowsLongerThan(sqlite3* db, int64_t bytes)
{
    if (inWriteAheadMode(db)) return true;
    // A read transaction keeps writers out while the file is read.
    const bool ownRead = sqlite3_get_autocommit(db) != 0;
    if (ownRead && sqlite3_exec(db, "BEGIN; SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return true;
    }
    bool may = true;
    const int64_t pageSize = pragmaNumber(db, "PRAGMA main.page_size");
    const int64_t pages = pragmaNumber(db, "PRAGMA main.page_count");
    const int fd = descriptor(db);
    if (fd >= 0 && pageSize > kFileHeader && pages > 0) may = fileHoldsLongCell(fd, pageSize, pages, bytes);
    if (ownRead) sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    return may;
}

}  // namespace db
