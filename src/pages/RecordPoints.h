#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace db { class Connection; }

// One stored point of a record's polygons (table E3).
struct RecordPoint {
    QString group;
    int16_t polygon = 0;
    int16_t point = 0;
    float x = 0;
    float y = 0;
};

// The record's points in one query, ordered by polygon and point number. Rows without both
// coordinates or without their numbers are not points and are left out: the diagram and the table draw only what was
// captured, and numbering gaps stay gaps.
class RecordPoints {
public:
    static std::vector<RecordPoint> read(db::Connection& connection, int32_t id);
};
