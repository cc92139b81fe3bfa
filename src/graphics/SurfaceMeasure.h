#pragma once

namespace vb { class OutputSurface; }

// The surface's current scale and its device pixels per scale unit, measured the way the
// engine and the rotator both do it: switch to pixels, read the size, restore the scale.
struct SurfaceMeasure {
    int scaleMode = 0;
    double left = 0, top = 0, right = 0, bottom = 0;
    double pixelFactorX = 0, pixelFactorY = 0;

    static SurfaceMeasure of(vb::OutputSurface& surface);
};
