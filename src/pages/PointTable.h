#pragma once

#include "data/AxisTitles.h"
#include "data/PolygonPoint.h"
#include "pages/DrawTarget.h"
#include "pages/clsTABELLE.h"

#include <QString>
#include <vector>

class QScrollBar;
namespace vb { class Procedure; }

// Picture 12 of the output page: every point of the record in a ruled table (group, polygon,
// point, x, y) that scrolls on the screen.
class PointTable {
public:
    // Draws the table on `target`, its area at the target's corner.
    static void draw(vb::Procedure& p, const DrawTarget& target, QScrollBar* bar, const PolygonPoints& points,
                     const AxisTitles& titles = {});

    // The table's columns, rules and font, set on `table` for the cells of `points`.
    static void setUp(clsTABELLE& table, const PolygonPoints& points);
    // The two header rows (the coordinates' columns named and with units by the axis titles)
    // and the body rows (one per point), by column.
    static clsTABELLE::Values headerRows(const AxisTitles& titles = {});
    static clsTABELLE::Values bodyRows(const PolygonPoints& points);

    // A coordinate as the table shows it: four significant digits at every magnitude (at
    // least one decimal), with an exponent only far beyond the values of a diagram.
    static QString coordinate(float value);
};
