#include "graphics/PlotMath.h"

#include "platform/ui/Ui.h"
#include "platform/vb/VbError.h"

#include <cmath>

double PlotMath::LININT(double x1, double x2, double x, double y1, double y2)
{
    if (x1 == x2) {
        vb::MsgBox(QStringLiteral("Division durch Null!"), vb::vbOKOnly | vb::vbExclamation, QStringLiteral("LININT"));
        return 0;
    }
    return y2 - (y2 - y1) * (x2 - x) / (x2 - x1);
}

double PlotMath::LOG10(double v) { return v <= 0 ? 0.0 : std::log10(v); }

double PlotMath::axisLog(double v)
{
    if (!(v > 0)) vb::raise(vb::errInvalidCall);
    return std::log10(v);
}

double PlotMath::WINKEL(double x1, double y1, double x2, double y2)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (dx == 0 && dy == 0) return 0;
    if (dx == 0) return dy > 0 ? PI_HALBE : PI_32;
    if (dy == 0) return dx > 0 ? 0.0 : PI;
    double w = std::atan(dy / dx);
    if (dx < 0) w += PI;
    else if (dy < 0) w += PI_2;
    return w;
}

namespace {
// The two crossings of a circle with a straight line across one of its axes: `across` is the
// centre's coordinate across the line, `along` its coordinate along it.
bool chordEnds(double along, double across, double R, double line, std::pair<double, double>& S)
{
    const double root = R * R - (line - across) * (line - across);
    if (root < 0) return false;
    const double h = std::sqrt(root);
    S = {along - h, along + h};
    return true;
}
}  // namespace

bool PlotMath::KREISSCHNITTX(double XM, double YM, double R, double LX, std::pair<double, double>& S)
{
    return chordEnds(YM, XM, R, LX, S);
}

bool PlotMath::KREISSCHNITTY(double XM, double YM, double R, double LY, std::pair<double, double>& S)
{
    return chordEnds(XM, YM, R, LY, S);
}

int PlotMath::toInt(double v) { return static_cast<int>(std::nearbyint(v)); }

double PlotMath::divide(double a, double b)
{
    if (b == 0) vb::raise(vb::errDivisionByZero);
    return a / b;
}
