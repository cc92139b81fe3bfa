#include "platform/surface/RecordingSurface.h"

namespace vb {

RecordingSurface::RecordingSurface(Kind kind, int widthPx, int heightPx, double dpi)
    : kind_(kind), size_(widthPx, heightPx), dpi_(dpi), metrics_(1, 1, QImage::Format_ARGB32_Premultiplied)
{
    metrics_.setDotsPerMeterX(qRound(dpi / 0.0254));
    metrics_.setDotsPerMeterY(qRound(dpi / 0.0254));
    resetScale();
}

std::vector<RecordingSurface::Primitive> RecordingSurface::ofType(Type type) const
{
    std::vector<Primitive> out;
    for (const auto& p : primitives_)
        if (p.type == type) out.push_back(p);
    return out;
}

void RecordingSurface::Cls()
{
    primitives_.clear();
    OutputSurface::Cls();
}

RecordingSurface::Primitive RecordingSurface::make(Type type, OleColor colour) const
{
    Primitive p;
    p.type = type;
    p.colour = colour;
    p.drawWidth = DrawWidth();
    p.drawStyle = DrawStyle();
    p.fillStyle = FillStyle();
    p.fillColour = FillColor();
    return p;
}

void RecordingSurface::drawLine(double x1, double y1, double x2, double y2, OleColor colour)
{
    Primitive p = make(Type::Line, colour);
    p.x1 = x1, p.y1 = y1, p.x2 = x2, p.y2 = y2;
    primitives_.push_back(p);
}

void RecordingSurface::drawBox(double x1, double y1, double x2, double y2, OleColor colour, bool filled)
{
    Primitive p = make(Type::Box, colour);
    p.x1 = x1, p.y1 = y1, p.x2 = x2, p.y2 = y2;
    p.filled = filled;
    primitives_.push_back(p);
}

void RecordingSurface::drawCircle(double x, double y, double radius, OleColor colour, double start, double end,
                                  bool, bool, bool fullCircle, double aspect)
{
    Primitive p = make(Type::Circle, colour);
    p.x1 = x, p.y1 = y;
    p.radius = radius, p.start = start, p.end = end, p.aspect = aspect;
    p.fullCircle = fullCircle;
    p.filled = FillStyle() != vbFSTransparent;
    primitives_.push_back(p);
}

void RecordingSurface::drawPoint(double x, double y, OleColor colour)
{
    Primitive p = make(Type::Point, colour);
    p.x1 = x, p.y1 = y;
    primitives_.push_back(p);
}

void RecordingSurface::drawText(double x, double y, const QString& text)
{
    Primitive p = make(Type::Text, ForeColor());
    p.x1 = x, p.y1 = y;
    p.text = text;
    p.font = Font();
    primitives_.push_back(p);
}

void RecordingSurface::drawTextPixels(int x, int y, const QString& text, const LogFont& font)
{
    // Recorded back in the scale's units so that tests compare millimetres.
    Primitive p = make(Type::Text, ForeColor());
    p.x1 = ScaleLeft() + x / pixelsPerUnitX();
    p.y1 = ScaleTop() + y / pixelsPerUnitY();
    p.text = text;
    p.font.Name = QString::fromLatin1(font.lfFaceName);
    p.font.Size = Font().Size;
    p.font.Weight = font.lfWeight;
    p.font.Bold = font.lfWeight >= 600;
    p.font.Italic = font.lfItalic != 0;
    p.font.Underline = font.lfUnderline != 0;
    p.angle = font.lfEscapement / 10.0;
    primitives_.push_back(p);
}

}  // namespace vb
