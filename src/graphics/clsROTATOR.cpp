#include "graphics/clsROTATOR.h"

#include "graphics/SurfaceMeasure.h"
#include "platform/surface/OutputSurface.h"
#include "platform/vb/VbError.h"

#include <cmath>
#include <cstring>

void clsROTATOR::Device(vb::OutputSurface* surface)
{
    device_ = surface;
    if (!surface) return;
    const SurfaceMeasure m = SurfaceMeasure::of(*surface);
    scaleLeft_ = m.left;
    scaleTop_ = m.top;
    pixelFactorX_ = m.factorX;
    pixelFactorY_ = m.factorY;
}

vb::OutputSurface& clsROTATOR::device() const
{
    if (!device_) vb::raise(vb::errObjectNotSet);
    return *device_;
}

void clsROTATOR::buildFontRecord()
{
    const vb::OutputSurface& d = device();
    const vb::SurfaceFont& f = d.Font();
    font_ = vb::LogFont{};
    // The face name travels as single-byte text of at most 31 characters and its zero.
    const QByteArray face = f.Name.toLatin1().left(31);
    std::memcpy(font_.lfFaceName, face.constData(), static_cast<std::size_t>(face.size()));
    // The record's height is the character cell. It is measured on the device in the surface
    // font rather than derived from the point size by a fixed cell-to-em factor: the installed
    // fonts' cells are smaller than that factor assumes, and rotated labels came out several
    // per cent larger than the same text written straight.
    font_.lfHeight = static_cast<int32_t>(std::lround(d.TextHeight(QStringLiteral("X")) * pixelFactorY_));
    font_.lfWeight = f.Weight;
    font_.lfItalic = f.Italic ? 1 : 0;
    font_.lfUnderline = f.Underline ? 1 : 0;
    font_.lfStrikeOut = f.Strikethrough ? 1 : 0;
    font_.lfEscapement = angle_ * 10;
    font_.lfOrientation = angle_ * 10;
}

void clsROTATOR::Label(const QString& text)
{
    buildFontRecord();
    vb::OutputSurface& d = device();
    const int x = static_cast<int>(std::nearbyint((d.CurrentX() - scaleLeft_) * pixelFactorX_));
    const int y = static_cast<int>(std::nearbyint((d.CurrentY() - scaleTop_) * pixelFactorY_));
    d.TextOut(x, y, text, font_);
}

double clsROTATOR::TextWidth(const QString& text)
{
    buildFontRecord();
    return device().TextWidth(text, font_);
}
