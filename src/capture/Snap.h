#pragma once

#include <QImage>
#include <QPointF>
#include <optional>

// Where a click on a scan was meant to be: a hand misses the true pixel by one or two scan
// pixels, and at the fit zoom by more. Each function reads the scan around the click (grey or
// colour, noisy, blurred or JPEG) and gives the position to take instead, to a fraction of a
// pixel, or nothing when there is nothing to snap to within `radius` scan pixels of the click.
// Text is never snapped to: a glyph is neither a marker nor a line. Positions are scan pixels
// (0,0 the top-left corner of the top-left pixel).
class Snap {
public:
    // The crossing of the two frame lines nearest to the click: each line's centre across its
    // stroke, fitted along its length, the two intersected.
    static std::optional<QPointF> corner(const QImage& scan, const QPointF& click, double radius);
    // A point on a curve: the centre of a marker under the click (filled or open), else on a
    // bare line the stroke's centre across its direction (the click keeps its place along it).
    static std::optional<QPointF> point(const QImage& scan, const QPointF& click, double radius);
};
