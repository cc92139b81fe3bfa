#include "pages/RecordPoints.h"

#include "platform/db/Connection.h"

#include <sqlite3.h>

namespace {

// The statement stays prepared in the connection's cache and runs once per drawing; a
// record's ten thousand points must not cost ten thousand queries, nor a recordset's copy.
const QString kSql = QStringLiteral("SELECT [GRUPPE], [POLYNR], [PKTNR], [PX], [PY] FROM [E3] WHERE [ID] = ? "
                                    "ORDER BY [POLYNR], [PKTNR]");

}  // namespace

std::vector<RecordPoint> RecordPoints::read(db::Connection& connection, int32_t id)
{
    sqlite3_stmt* st = connection.prepare(kSql);
    sqlite3_bind_int(st, 1, id);
    std::vector<RecordPoint> points;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        bool complete = true;
        for (int c = 1; c <= 4; ++c) complete = complete && sqlite3_column_type(st, c) != SQLITE_NULL;
        if (!complete) continue;
        RecordPoint p;
        if (sqlite3_column_type(st, 0) != SQLITE_NULL)
            p.group = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), sqlite3_column_bytes(st, 0));
        p.polygon = static_cast<int16_t>(sqlite3_column_int(st, 1));
        p.point = static_cast<int16_t>(sqlite3_column_int(st, 2));
        p.x = static_cast<float>(sqlite3_column_double(st, 3));
        p.y = static_cast<float>(sqlite3_column_double(st, 4));
        points.push_back(p);
    }
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) connection.raiseError();
    return points;
}
