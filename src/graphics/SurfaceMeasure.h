#pragma once

#include "platform/surface/OutputSurface.h"

// The surface's current scale and how many units of another scale mode (device pixels unless
// told otherwise) make one unit of it, measured the way the engine, the rotator, the page
// header and the table renderer all do it: switch to that mode, read the size, restore the
// scale.
struct SurfaceMeasure {
    int scaleMode = 0;
    double left = 0, top = 0, right = 0, bottom = 0;
    double factorX = 0, factorY = 0;

    static SurfaceMeasure of(vb::OutputSurface& surface, int mode = vb::OutputSurface::vbPixels);
};
