#pragma once

#include <cstdint>

namespace vb { class OutputSurface; }

// The pen set-up shared by the engine and the table renderer: a width in millimetres becomes
// device pixels (written back to the caller, as the callers' by-reference arguments expect),
// 0 draws one pixel wide, colour 0 is black; copy-pen drawing mode.
class PenSettings {
public:
    static void apply(vb::OutputSurface& surface, double pixelFactorX, int16_t& LINIENART, float& LINIENBREITE,
                      int32_t& FARBE);
};
