#include "graphics/SurfaceMeasure.h"

#include "platform/surface/OutputSurface.h"

SurfaceMeasure SurfaceMeasure::of(vb::OutputSurface& surface)
{
    SurfaceMeasure m;
    m.scaleMode = surface.ScaleMode();
    m.left = surface.ScaleLeft();
    m.top = surface.ScaleTop();
    m.right = m.left + surface.ScaleWidth();
    m.bottom = m.top + surface.ScaleHeight();
    surface.ScaleMode(vb::OutputSurface::vbPixels);
    const double pixelWidth = surface.ScaleWidth();
    const double pixelHeight = surface.ScaleHeight();
    if (m.scaleMode != vb::OutputSurface::vbUser)
        surface.ScaleMode(m.scaleMode);
    else
        surface.Scale(m.left, m.top, m.right, m.bottom);
    // A surface without extent has no pixel factor (nothing can be drawn on it anyway).
    m.pixelFactorX = m.right == m.left ? 0 : pixelWidth / (m.right - m.left);
    m.pixelFactorY = m.bottom == m.top ? 0 : pixelHeight / (m.bottom - m.top);
    return m;
}
