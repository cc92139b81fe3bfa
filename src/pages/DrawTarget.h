#pragma once

#include <QSizeF>
#include <cstdint>
#include <optional>

namespace vb { class OutputSurface; }

// Where a page's drawing goes: the surface, the drawing's corner on it in millimetres, its
// size in millimetres (none: the surface's own size), and whether it is the screen or a
// printed sheet. Each drawing is handed one, so that nothing outlives the drawing it serves
// (a printer exists only while its sheet prints).
struct DrawTarget {
    enum Mode : int16_t { Screen = 0, Printer = 1 };

    vb::OutputSurface& surface;
    float XDL = 0;
    float YDO = 0;
    std::optional<QSizeF> size;
    Mode mode = Screen;

    // A picture on the screen, drawn over its whole extent.
    static DrawTarget screen(vb::OutputSurface& picture) { return {picture, 0, 0, std::nullopt, Screen}; }
    // A printed sheet.
    static DrawTarget sheet(vb::OutputSurface& printer) { return {printer, 0, 0, std::nullopt, Printer}; }
    // A part of this target: the corner `dx`/`dy` mm further, `partSize` big.
    DrawTarget part(float dx, float dy, std::optional<QSizeF> partSize = std::nullopt) const
    {
        return {surface, XDL + dx, YDO + dy, partSize, mode};
    }
    bool onScreen() const { return mode == Screen; }
};
