#pragma once

#include "platform/surface/LogFont.h"

#include <QString>
#include <cstdint>

namespace vb { class OutputSurface; }

// Writes a text at any angle: builds the device's font record from the surface's current
// font and hands the text to the surface's device context at the current position.
class clsROTATOR {
public:
    void Device(vb::OutputSurface* surface);
    vb::OutputSurface* Device() const { return device_; }
    int16_t Angle() const { return angle_; }
    void Angle(int16_t degrees) { angle_ = degrees; }

    void Label(const QString& text);
    // The width Label gives the text in the device's current font, in the surface's units:
    // the advance of a rotated run is that of the font it is written with.
    double TextWidth(const QString& text);

    // The record of the last Label (for inspection).
    const vb::LogFont& fontRecord() const { return font_; }

private:
    vb::OutputSurface& device() const;
    void buildFontRecord();

    vb::OutputSurface* device_ = nullptr;
    int16_t angle_ = 0;
    double scaleLeft_ = 0, scaleTop_ = 0;
    double pixelFactorX_ = 0, pixelFactorY_ = 0;
    vb::LogFont font_;
};
