#pragma once

#include "graphics/LineClipper.h"

#include <optional>
#include <vector>

// A crossing of a circle with a frame edge; angles are device angles about the centre
// (y downwards, so they grow clockwise on the surface).
struct CircleCrossing {
    double x, y, angle;
    int edge;  // 0 left, 1 top, 2 right, 3 bottom
};

// An arc between two device angles, from < to, to - from <= 2 pi.
struct ArcPiece {
    double from, to;
};

// The parts of a circle that lie inside a rectangle, for drawing exact arcs cut at the frame.
class CircleClipper {
public:
    static constexpr int maxCrossings = 8;

    static bool inside(const ClipRect& r, double cx, double cy, double radius);
    // Crossings with the four edges within their extent, ordered by angle. A circle that
    // only touches an edge crosses it once there.
    static std::vector<CircleCrossing> crossings(const ClipRect& r, double cx, double cy, double radius);
    // The arcs between consecutive crossings that lie inside; nothing when an arc's middle
    // lies on the frame itself and cannot be decided.
    static std::optional<std::vector<ArcPiece>> insidePieces(const ClipRect& r, double cx, double cy, double radius,
                                                             const std::vector<CircleCrossing>& crossings);
    // The parts of the pieces that also belong to the requested arc.
    static std::vector<ArcPiece> intersect(const std::vector<ArcPiece>& pieces, const ArcPiece& requested);
};
