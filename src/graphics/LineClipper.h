#pragma once

#include <optional>

// A rectangle in device millimetres (y downwards).
struct ClipRect {
    double left = 0, right = 0, top = 0, bottom = 0;

    bool contains(double x, double y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

struct ClipSegment {
    double x1, y1, x2, y2;
};

// The visible part of a straight segment in a rectangle, found the way the engine's LINIE
// does it: trivial rejects, both ends inside, axis-parallel segments cut directly, otherwise
// the crossings with the four edges by linear interpolation.
class LineClipper {
public:
    static std::optional<ClipSegment> clip(const ClipRect& r, double x1, double y1, double x2, double y2);

private:
    static std::optional<ClipSegment> clipSlanted(const ClipRect& r, double x1, double y1, double x2, double y2);
};
