#include "graphics/PointSymbol.h"

#include "platform/surface/OutputSurface.h"

void PointSymbol::draw(vb::OutputSurface& s, int type, double x, double y)
{
    const auto cross = [&] {
        s.Line(x, y, x + 0.75, y + 0.75);
        s.Line(x, y, x + 0.75, y - 0.75);
        s.Line(x, y, x - 0.75, y + 0.75);
        s.Line(x, y, x - 0.75, y - 0.75);
    };
    switch (type) {
    case 0: cross(); break;
    case 1: s.Line(x - 0.5, y - 0.5, x + 0.5, y + 0.5, s.ForeColor()); break;
    case 2: s.Box(x - 0.5, y - 0.5, x + 0.5, y + 0.5); break;
    case 3:
        s.FillColor(s.ForeColor());
        s.FillStyle(vb::OutputSurface::vbFSSolid);
        s.Circle(x, y, 0.7);
        s.FillStyle(vb::OutputSurface::vbFSTransparent);
        s.FillColor(vb::RGB(255, 255, 255));
        break;
    case 4: s.Circle(x, y, 0.7); break;
    case 5:
        s.Line(x - 0.7, y + 0.33, x + 0.7, y + 0.33);
        s.Line(x + 0.7, y + 0.33, x, y - 0.67);
        s.Line(x, y - 0.67, x - 0.7, y + 0.33);
        break;
    case 6:
        cross();
        s.Line(x - 0.75, y, x + 0.75, y);
        s.Line(x, y - 0.75, x, y + 0.75);
        break;
    default: break;  // 7 and more: no symbol
    }
}
