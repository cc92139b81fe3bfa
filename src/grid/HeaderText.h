#pragma once

#include "platform/surface/SurfaceFont.h"

#include <QString>
#include <array>

namespace vb { class OutputSurface; }

// A header label written with the label markup of the plotting engine: plain runs, Greek
// letters ({g,...}), raised and lowered index text ({h,...}, {t,...}, {gh,...}, {gt,...}) and
// characters by code ({c,...}). Header labels are never rotated; they are centred on a point
// with their top edge on it.
class HeaderText {
public:
    // Fonts 0 (the surface font) to 5, as the grid object builds them.
    explicit HeaderText(const std::array<vb::SurfaceFont, 6>& fonts) : fonts_(fonts) {}

    void writeCentred(vb::OutputSurface& surface, double x, double y, const QString& text) const;

private:
    const std::array<vb::SurfaceFont, 6>& fonts_;
};
