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
    pixelFactorX_ = m.pixelFactorX;
    pixelFactorY_ = m.pixelFactorY;
}

void clsROTATOR::Label(const QString& text)
{
    if (!device_) vb::raise(vb::errObjectNotSet);
    const vb::SurfaceFont& f = device_->Font();
    font_ = vb::LogFont{};
    // The face name travels as single-byte text of at most 31 characters and its zero.
    const QByteArray face = f.Name.toLatin1().left(31);
    std::memcpy(font_.lfFaceName, face.constData(), static_cast<std::size_t>(face.size()));
    // The device's font height is the cell height; the 1.175 turns the point size (the em)
    // into it, on the printer as on the screen. The division is an integer division of the
    // rounded operands.
    const long dots = std::lround(std::nearbyint(device_->LogPixelsY() * f.Size));
    font_.lfHeight = static_cast<int32_t>(std::nearbyint(static_cast<double>(dots / 72) * 1.175));
    font_.lfWeight = f.Weight;
    font_.lfItalic = f.Italic ? 1 : 0;
    font_.lfUnderline = f.Underline ? 1 : 0;
    font_.lfStrikeOut = f.Strikethrough ? 1 : 0;
    font_.lfEscapement = angle_ * 10;
    font_.lfOrientation = angle_ * 10;
    const int x = static_cast<int>(std::nearbyint((device_->CurrentX() - scaleLeft_) * pixelFactorX_));
    const int y = static_cast<int>(std::nearbyint((device_->CurrentY() - scaleTop_) * pixelFactorY_));
    device_->TextOut(x, y, text, font_);
}
