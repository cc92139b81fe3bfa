#pragma once

#include "graphics/LineClipper.h"
#include "platform/surface/SurfaceFont.h"

#include <QString>
#include <array>
#include <cstdint>

namespace vb { class OutputSurface; }

// Writes labels on a surface the way the engine lays them out: aligned to a point along the
// writing direction, rotated through clsROTATOR, with the label markup (index text, Greek
// letters of the symbol font, character codes, inline point symbols) and numbers in
// exponent notation shown as powers of ten. It keeps the fonts derived from the surface font
// for the markup. The engine, the page header and the table renderer each own one.
class LabelWriter {
public:
    void surface(vb::OutputSurface* surface) { surface_ = surface; }
    vb::OutputSurface* surface() const { return surface_; }

    // Sets the surface font (Arial and 8 point unless given, black unless a colour is given)
    // and derives the markup fonts from it; reports under "Schrifteinstellungen".
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, int16_t SCHRIFTGROESSE, bool FETT, bool UNTERSTRICHEN,
                              bool KURSIV, int32_t FARBE);
    // Fonts 0 (the surface font kept while a label is written) to 5.
    const vb::SurfaceFont& derivedFont(int i) const { return fonts_.at(static_cast<std::size_t>(i)); }

    // Writes an unrotated label at a point in the surface's units; reports under "Text".
    void TEXT(double X, double Y, const QString& TEXT, int16_t ARX, int16_t ARY);

    // Writes a label, raising run-time errors to the caller. ARX 0/1/2 puts the point at the
    // label's start, middle or end, ARY 0/1/2 at its top, middle or bottom, both along the
    // direction AL (degrees counter-clockwise). With `bounds` the label is written only when
    // it lies strictly inside them. The surface keeps its font.
    void write(double X, double Y, const QString& text, int16_t AL, int16_t ARX, int16_t ARY,
               const ClipRect* bounds = nullptr);

private:
    struct Layout;

    vb::OutputSurface& device() const;
    void deriveFonts();
    Layout layout(const QString& text, int16_t AL, int16_t ARX, int16_t ARY);
    double runWidth(const QString& text, int16_t AL);
    static bool inside(const Layout& t, double x, double y, const ClipRect& bounds);
    void writeRuns(const Layout& t);
    void writeRun(const QString& text, double x, double y, int16_t AL);
    void DREHTEXT(const QString& text, int16_t AL, double x, double y, double size, const QString& fontName);

    vb::OutputSurface* surface_ = nullptr;
    std::array<vb::SurfaceFont, 6> fonts_;
};
