#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// One point of a record's polygons: its group label, the number of its polygon, its own
// number within the polygon and its coordinates in the diagram's values. A list of them,
// ordered by polygon and point number, is the record's polygons.
struct PolygonPoint {
    QString group;
    int32_t polygon = 0;
    int32_t point = 0;
    double x = 0;
    double y = 0;

    bool operator==(const PolygonPoint&) const = default;
};

using PolygonPoints = std::vector<PolygonPoint>;
