#pragma once

#include "graphics/AxisRange.h"

class clsGRAFIK;

// The admissible axis ends and spans of a diagram, with the tick, grid and label counts of
// each span, as the scale routine snaps to them. The output page and the diagram dialog use
// the same lists. Data that leave the given ends extend the lists outwards, so that the
// frame can always cover the data; a range narrower than the smallest span adds the decades
// below it, so that small values fill their frame; otherwise the lists stay as they are.
class AxisCandidates {
public:
    // Candidates of a linear axis reaching at least from `low` to `high`.
    static AxisLists linear(double low = 0, double high = 0);
    // Candidates of a logarithmic axis reaching at least from `low` to `high` (values, not
    // logarithms; values of 0 or less have no place on such an axis and are ignored).
    static AxisLists logarithmic(double low = 1, double high = 1);

    // Hands the lists to the engine's x or y axis.
    static void applyX(clsGRAFIK& engine, const AxisLists& lists);
    static void applyY(clsGRAFIK& engine, const AxisLists& lists);
};
