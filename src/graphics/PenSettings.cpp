#include "graphics/PenSettings.h"

#include "graphics/PlotMath.h"
#include "platform/surface/OutputSurface.h"

void PenSettings::apply(vb::OutputSurface& s, double pixelFactorX, int16_t& LINIENART, float& LINIENBREITE,
                        int32_t& FARBE)
{
    double pixels = 1;
    if (LINIENBREITE != 0) {
        LINIENBREITE = static_cast<float>(LINIENBREITE * pixelFactorX);
        pixels = LINIENBREITE;
    }
    if (FARBE == 0) FARBE = static_cast<int32_t>(vb::RGB(0, 0, 0));
    s.DrawStyle(LINIENART);
    s.DrawWidth(PlotMath::toInt(pixels));
    s.DrawMode(13);
    s.ForeColor(static_cast<vb::OleColor>(FARBE));
}
