#include "platform/surface/OutputSurface.h"

#include "platform/surface/SymbolFont.h"

#include <QFontMetricsF>
#include <QHash>
#include <cmath>
#include <numbers>

namespace vb {

double OutputSurface::unitsPerPixel(int mode, double dpi) const
{
    switch (mode) {
    case vbTwips: return 1440.0 / dpi;
    case vbPoints: return 72.0 / dpi;
    case vbInches: return 1.0 / dpi;
    case vbMillimeters: return 25.4 / dpi;
    case 7: return 2.54 / dpi;  // centimetres
    default: return 1.0;        // pixels
    }
}

void OutputSurface::ScaleMode(int mode)
{
    scaleMode_ = mode;
    if (mode == vbUser) return;  // keeps the current coordinates as a user scale
    const QSizeF px = pixelSize();
    scaleLeft_ = 0;
    scaleTop_ = 0;
    scaleWidth_ = px.width() * unitsPerPixel(mode, dpiX());
    scaleHeight_ = px.height() * unitsPerPixel(mode, dpiY());
}

void OutputSurface::resetScale()
{
    if (scaleMode_ == vbUser) return;  // a user scale stays what the caller made it
    ScaleMode(scaleMode_);
}

void OutputSurface::Scale(double x1, double y1, double x2, double y2)
{
    changeState();
    scaleMode_ = vbUser;
    scaleLeft_ = x1;
    scaleTop_ = y1;
    scaleWidth_ = x2 - x1;
    scaleHeight_ = y2 - y1;
}

double OutputSurface::Width() const { return pixelSize().width() * 1440.0 / dpiX(); }
double OutputSurface::Height() const { return pixelSize().height() * 1440.0 / dpiY(); }

double OutputSurface::pixelsPerUnitX() const
{
    return scaleWidth_ == 0 ? 0 : pixelSize().width() / scaleWidth_;
}

double OutputSurface::pixelsPerUnitY() const
{
    return scaleHeight_ == 0 ? 0 : pixelSize().height() / scaleHeight_;
}

QPointF OutputSurface::toPixels(double x, double y) const
{
    return {(x - scaleLeft_) * pixelsPerUnitX(), (y - scaleTop_) * pixelsPerUnitY()};
}

void OutputSurface::Line(double x1, double y1, double x2, double y2, std::optional<OleColor> colour)
{
    drawLine(x1, y1, x2, y2, colour.value_or(foreColor_));
    currentX_ = x2;
    currentY_ = y2;
}

void OutputSurface::Box(double x1, double y1, double x2, double y2, std::optional<OleColor> colour, bool filled)
{
    drawBox(x1, y1, x2, y2, colour.value_or(foreColor_), filled);
    currentX_ = x2;
    currentY_ = y2;
}

void OutputSurface::Circle(double x, double y, double radius, std::optional<OleColor> colour,
                           std::optional<double> start, std::optional<double> end, double aspect)
{
    constexpr double twoPi = 2 * std::numbers::pi;
    const bool sectorStart = start && *start < 0;
    const bool sectorEnd = end && *end < 0;
    const double a1 = start ? std::fabs(*start) : 0.0;
    const double a2 = end ? std::fabs(*end) : twoPi;
    const bool full = (!start && !end) || std::fabs(a2 - a1) >= twoPi;
    drawCircle(x, y, radius, colour.value_or(foreColor_), a1, a2, sectorStart, sectorEnd, full, aspect);
    currentX_ = x;
    currentY_ = y;
}

void OutputSurface::PSet(double x, double y, std::optional<OleColor> colour)
{
    drawPoint(x, y, colour.value_or(foreColor_));
    currentX_ = x;
    currentY_ = y;
}

void OutputSurface::Print(const QString& text, bool newLine)
{
    drawText(currentX_, currentY_, displayText(text, font_.Name));
    if (newLine) {
        currentX_ = scaleLeft_;
        currentY_ += TextHeight(text);
    } else {
        currentX_ += TextWidth(text);
    }
}

double OutputSurface::TextWidth(const QString& text) const
{
    const QFontMetricsF fm(qFont(font_), metricsDevice());
    const double ppu = pixelsPerUnitX();
    return ppu == 0 ? 0 : fm.horizontalAdvance(displayText(text, font_.Name)) / ppu;
}

double OutputSurface::TextHeight(const QString&) const
{
    const QFontMetricsF fm(qFont(font_), metricsDevice());
    const double ppu = pixelsPerUnitY();
    return ppu == 0 ? 0 : fm.height() / ppu;
}

void OutputSurface::Cls()
{
    currentX_ = scaleLeft_;
    currentY_ = scaleTop_;
}

void OutputSurface::TextOut(int x, int y, const QString& text, const LogFont& font)
{
    drawTextPixels(x, y, displayText(text, QString::fromLatin1(font.lfFaceName)), font);
}

double OutputSurface::TextWidth(const QString& text, const LogFont& font) const
{
    const QFontMetricsF fm(qFont(font), metricsDevice());
    const double ppu = pixelsPerUnitX();
    return ppu == 0 ? 0 : fm.horizontalAdvance(displayText(text, QString::fromLatin1(font.lfFaceName))) / ppu;
}

QString OutputSurface::displayText(const QString& text, const QString& fontName)
{
    return SymbolFont::isSymbolFont(fontName) ? SymbolFont::toUnicode(text) : text;
}

QFont OutputSurface::qFont(const SurfaceFont& font) const
{
    QFont f(font.Name);
    if (SymbolFont::isSymbolFont(font.Name)) f.setFamilies(SymbolFont::families(font.Name));
    f.setPointSizeF(font.Size > 0 ? font.Size : 8.0);
    f.setWeight(QFont::Weight(std::clamp(font.Weight > 0 ? font.Weight : (font.Bold ? 700 : 400), 100, 900)));
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.Strikethrough);
    return f;
}

QFont OutputSurface::qFont(const LogFont& font) const
{
    const QString family = QString::fromLatin1(font.lfFaceName);
    // A positive height is the cell (ascent plus descent), a negative one the em height; the
    // ratio of the two is the family's, measured once on a large size.
    static QHash<QString, double> cellPerEm;
    auto it = cellPerEm.find(family);
    if (it == cellPerEm.end()) {
        QFont probe(family);
        probe.setPixelSize(1000);
        const QFontMetricsF fm(probe);
        it = cellPerEm.insert(family, (fm.ascent() + fm.descent()) / 1000.0);
    }
    const double em = font.lfHeight >= 0 ? font.lfHeight / *it : -font.lfHeight;
    QFont f(family);
    if (SymbolFont::isSymbolFont(family)) f.setFamilies(SymbolFont::families(family));
    f.setPointSizeF(std::max(em, 1.0) * 72.0 / dpiY());
    f.setWeight(QFont::Weight(std::clamp(font.lfWeight > 0 ? font.lfWeight : 400, 100, 900)));
    f.setItalic(font.lfItalic != 0);
    f.setUnderline(font.lfUnderline != 0);
    f.setStrikeOut(font.lfStrikeOut != 0);
    return f;
}

}  // namespace vb
