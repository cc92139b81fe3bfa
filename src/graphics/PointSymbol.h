#pragma once

namespace vb { class OutputSurface; }

// The small point symbols of polygons, of inline text symbols and of symbol table columns,
// about 1.5 mm wide around the point: 0 cross, 1 marker stroke, 2 box, 3 filled dot,
// 4 circle, 5 triangle, 6 star; other types draw nothing.
class PointSymbol {
public:
    static void draw(vb::OutputSurface& surface, int type, double x, double y);
};
