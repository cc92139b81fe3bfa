#pragma once

#include <QPointF>
#include <QString>
#include <cstdint>
#include <vector>

class clsGRAFIK;

// The legend of a diagram with several groups of curves: one row per group with its marker
// and its name, in a white box inside the frame, in the corner that hides the fewest points.
class DiagramLegend {
public:
    struct Entry {
        QString name;
        int16_t marker;  // a point symbol type
    };

    // Draws on the engine's surface, after its SKALEN; `points` are the drawn points in
    // device millimetres.
    static void draw(clsGRAFIK& engine, const std::vector<Entry>& entries, const std::vector<QPointF>& points);
};
