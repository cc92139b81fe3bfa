#pragma once

#include <QColor>
#include <cstdint>

namespace vb {

// Colours travel through the program as the original's 32-bit colour values (0x00BBGGRR),
// so stored and computed colours keep their meaning; they become QColor only at the surface.
using OleColor = uint32_t;

constexpr OleColor RGB(int r, int g, int b)
{
    return static_cast<OleColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// The classic 16-colour palette (0 black, 1 blue, 2 green, ... 12 light red, 15 white).
OleColor QBColor(int index);

QColor toQColor(OleColor colour);

}  // namespace vb
