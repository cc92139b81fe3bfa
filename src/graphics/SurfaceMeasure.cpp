#include "graphics/SurfaceMeasure.h"

SurfaceMeasure SurfaceMeasure::of(vb::OutputSurface& surface, int mode)
{
    SurfaceMeasure m;
    m.scaleMode = surface.ScaleMode();
    m.left = surface.ScaleLeft();
    m.top = surface.ScaleTop();
    m.right = m.left + surface.ScaleWidth();
    m.bottom = m.top + surface.ScaleHeight();
    surface.ScaleMode(mode);
    const double width = surface.ScaleWidth();
    const double height = surface.ScaleHeight();
    if (m.scaleMode != vb::OutputSurface::vbUser)
        surface.ScaleMode(m.scaleMode);
    else
        surface.Scale(m.left, m.top, m.right, m.bottom);
    // A surface without extent has no factor (nothing can be drawn on it anyway).
    m.factorX = m.right == m.left ? 0 : width / (m.right - m.left);
    m.factorY = m.bottom == m.top ? 0 : height / (m.bottom - m.top);
    return m;
}
