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

bool PlotMath::KREISSCHNITTX(double XM, double YM, double R, double LX, std::pair<double, double>& S)
{
    const double root = R * R - (LX - XM) * (LX - XM);
    if (root < 0) return false;
    const double h = std::sqrt(root);
    S = {YM - h, YM + h};
    return true;
}

bool PlotMath::KREISSCHNITTY(double XM, double YM, double R, double LY, std::pair<double, double>& S)
{
    const double root = R * R - (LY - YM) * (LY - YM);
    if (root < 0) return false;
    const double h = std::sqrt(root);
    S = {XM - h, XM + h};
    return true;
}

int PlotMath::toInt(double v) { return static_cast<int>(std::nearbyint(v)); }

double PlotMath::divide(double a, double b)
{
    if (b == 0) vb::raise(vb::errDivisionByZero);
    return a / b;
}
