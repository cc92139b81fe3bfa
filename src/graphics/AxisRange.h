#pragma once

#include <cstdint>
#include <vector>

// The caller's candidate lists of one axis: admissible ends, admissible spans and, per span,
// the number of tick, grid and labelled intervals (on a logarithmic axis element 0 of the
// counts is a code).
struct AxisLists {
    std::vector<float> MIN;
    std::vector<float> DIFF;
    std::vector<int16_t> IT;
    std::vector<int16_t> GIT;
    std::vector<int16_t> ZL;

    bool isList() const { return !MIN.empty(); }
};

// What the range search leaves for drawing one axis.
struct AxisTicks {
    std::vector<float> ticks;      // world values (log units on a logarithmic axis)
    std::vector<float> positions;  // grid and label positions of a logarithmic axis
    int tickCount = -1;            // last index of ticks
    int positionCount = -1;        // last index of positions
    int gridCount = 0;
    int labelCount = 0;
};

// The range search of one axis: widens the axis to the data when asked, snaps the ends to
// the admissible values and the span to the admissible spans, and builds the tick list.
class AxisRange {
public:
    static void SKALENBEREICH(int NR, bool BOMIN, bool BOMAX, int SKT, const std::vector<float>& data, float& lo,
                              float& hi, const AxisLists& lists, AxisTicks& out);

private:
    static void takeData(int NR, bool BOMIN, bool BOMAX, const std::vector<float>& data, float& lo, float& hi);
    static void roundDown(const std::vector<float>& ends, float& lo);
    static void roundUp(const std::vector<float>& ends, float& hi);
    static void linear(int NR, bool BOMIN, bool BOMAX, float& lo, float& hi, const AxisLists& lists, AxisTicks& out);
    static void logarithmic(bool BOMIN, bool BOMAX, float& lo, float& hi, const AxisLists& lists, AxisTicks& out);
    // In log units: the ends L and H and, strictly between them, every m * 10^e for
    // m = 1 .. multiples (1: the decades; 9: every multiple); ascending, each mark once.
    static std::vector<float> logMarks(double L, double H, int multiples);
};
