#pragma once

#include <utility>

// The small numeric routines every drawing operation of the engine shares. They keep the
// original's single-precision angle constants so that directions come out the same.
class PlotMath {
public:
    static constexpr float PI_HALBE = 1.5707963f;
    static constexpr float PI = 3.1415927f;
    static constexpr float PI_32 = 4.712389f;
    static constexpr float PI_2 = 6.2831855f;
    static constexpr float GRAD = 0.017453292f;  // radians per degree

    // y on the straight line through (x1, y1) and (x2, y2) at x. Equal x1 and x2 show
    // "Division durch Null!" and give 0.
    static double LININT(double x1, double x2, double x, double y1, double y2);
    static double MINIMUM(double a, double b) { return a < b ? a : b; }
    // Decimal logarithm; 0 for values of 0 or less (a logarithmic axis cannot show them).
    static double LOG10(double v);
    // Decimal logarithm of a logarithmic axis's end. An end of 0 or less has no place on such
    // an axis: error 5, as the language's Log raises it, instead of an axis that silently
    // starts at 1.
    static double axisLog(double v);
    // Direction of the vector (x1, y1) -> (x2, y2) in [0, 2 pi); 0 for a null vector.
    static double WINKEL(double x1, double y1, double x2, double y2);
    // Crossings of a circle with the vertical line x = LX (y values, smaller first).
    static bool KREISSCHNITTX(double XM, double YM, double R, double LX, std::pair<double, double>& S);
    // Crossings with the horizontal line y = LY (x values, smaller first).
    static bool KREISSCHNITTY(double XM, double YM, double R, double LY, std::pair<double, double>& S);
    // Round half to even, the language's conversion of a floating value to an integer.
    static int toInt(double v);
    // a / b, raising the division-by-zero run-time error for b = 0 instead of giving inf.
    static double divide(double a, double b);
};
