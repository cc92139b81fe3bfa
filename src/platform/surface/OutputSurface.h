#pragma once

#include "platform/surface/LogFont.h"
#include "platform/surface/SurfaceColor.h"
#include "platform/surface/SurfaceFont.h"

#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <optional>

class QPaintDevice;

namespace vb {

// What the plotting engine, the page header and the table renderer draw on: the screen
// picture, the printer, or a recording for tests. It keeps the original drawing model: a
// scale (user, twips, pixels, millimetres) over the drawable area, a pen (style, width in
// device pixels, colour), a fill, a font and a current text position. Coordinates handed to
// the drawing operations are in the current scale; each implementation turns them into
// device pixels once.
class OutputSurface {
public:
    enum class Kind { Picture, Printer, Other };
    enum ScaleModeValue : int { vbUser = 0, vbTwips = 1, vbPoints = 2, vbPixels = 3, vbInches = 5, vbMillimeters = 6 };
    enum FillStyleValue : int { vbFSSolid = 0, vbFSTransparent = 1 };

    virtual ~OutputSurface() = default;

    virtual Kind kind() const = 0;

    // --- scale -------------------------------------------------------------------------------
    int ScaleMode() const { return scaleMode_; }
    void ScaleMode(int mode);
    double ScaleLeft() const { return scaleLeft_; }
    double ScaleTop() const { return scaleTop_; }
    double ScaleWidth() const { return scaleWidth_; }
    double ScaleHeight() const { return scaleHeight_; }
    // A user-defined scale with (x1, y1) at the top-left and (x2, y2) at the bottom-right.
    void Scale(double x1, double y1, double x2, double y2);
    // Outer size in twips.
    double Width() const;
    double Height() const;

    // --- pen, fill, text position ----------------------------------------------------------
    void DrawStyle(int style) { changeState(); drawStyle_ = style; }
    int DrawStyle() const { return drawStyle_; }
    void DrawWidth(int pixels) { changeState(); drawWidth_ = pixels < 1 ? 1 : pixels; }
    int DrawWidth() const { return drawWidth_; }
    void DrawMode(int mode) { changeState(); drawMode_ = mode; }
    int DrawMode() const { return drawMode_; }
    void ForeColor(OleColor colour) { changeState(); foreColor_ = colour; }
    OleColor ForeColor() const { return foreColor_; }
    void FillStyle(int style) { changeState(); fillStyle_ = style; }
    int FillStyle() const { return fillStyle_; }
    void FillColor(OleColor colour) { changeState(); fillColor_ = colour; }
    OleColor FillColor() const { return fillColor_; }
    void CurrentX(double x) { currentX_ = x; }
    double CurrentX() const { return currentX_; }
    void CurrentY(double y) { currentY_ = y; }
    double CurrentY() const { return currentY_; }

    // --- font --------------------------------------------------------------------------------
    const SurfaceFont& Font() const { return font_; }
    void Font(const SurfaceFont& font) { font_ = font; }
    void FontName(const QString& name) { font_.Name = name; }
    QString FontName() const { return font_.Name; }
    void FontSize(double points) { font_.Size = points; }
    double FontSize() const { return font_.Size; }
    void FontBold(bool bold) { font_.setBold(bold); }
    void FontItalic(bool italic) { font_.Italic = italic; }
    void FontUnderline(bool underline) { font_.Underline = underline; }
    void FontTransparent(bool transparent) { fontTransparent_ = transparent; }
    bool FontTransparent() const { return fontTransparent_; }

    // --- drawing -------------------------------------------------------------------------------
    // Line (x1, y1)-(x2, y2) in the fore colour or the given colour.
    void Line(double x1, double y1, double x2, double y2, std::optional<OleColor> colour = std::nullopt);
    // Line ...,B and ...,BF: a rectangle outline (filled with the fill when `filled`).
    void Box(double x1, double y1, double x2, double y2, std::optional<OleColor> colour = std::nullopt,
             bool filled = false);
    // Circle (x, y), radius, colour, start, end, aspect: angles in radians counter-clockwise
    // from three o'clock; a negative angle also draws its radius line (a sector).
    void Circle(double x, double y, double radius, std::optional<OleColor> colour = std::nullopt,
                std::optional<double> start = std::nullopt, std::optional<double> end = std::nullopt,
                double aspect = 1.0);
    void PSet(double x, double y, std::optional<OleColor> colour = std::nullopt);
    // Writes the text with the top of its cell at the current position and moves to the next
    // line; with `newLine` false the current x moves behind the text instead.
    void Print(const QString& text, bool newLine = true);
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;
    // Clears what was drawn (a picture keeps its background).
    virtual void Cls();

    // --- the device context (rotated text) ---------------------------------------------------
    // Vertical device pixels per inch.
    int LogPixelsY() const { return qRound(dpiY()); }
    // Writes the text at a device pixel position (top-left of its cell) with the font record,
    // rotated by the record's escapement.
    void TextOut(int x, int y, const QString& text, const LogFont& font);
    // The width of the text written with TextOut in that font record, in the scale's units.
    double TextWidth(const QString& text, const LogFont& font) const;

    // Finishes pending drawing (drawings are batched for speed).
    virtual void flush() {}

    // --- helpers for the implementations -----------------------------------------------------
    QPointF toPixels(double x, double y) const;
    double pixelsPerUnitX() const;
    double pixelsPerUnitY() const;
    // The Qt font for a surface font at this device's resolution.
    QFont qFont(const SurfaceFont& font) const;
    // The Qt font for a font record (cell height in device pixels).
    QFont qFont(const LogFont& font) const;
    // The text as it must be drawn in that font (symbol font letters become Greek).
    static QString displayText(const QString& text, const QString& fontName);

protected:
    // The drawable area in device pixels and the device resolution.
    virtual QSizeF pixelSize() const = 0;
    virtual double dpiX() const = 0;
    virtual double dpiY() const = 0;
    // The device text is measured on.
    virtual QPaintDevice* metricsDevice() const = 0;

    // Primitives in the current scale's units; the pen and fill are the surface's current ones.
    virtual void drawLine(double x1, double y1, double x2, double y2, OleColor colour) = 0;
    virtual void drawBox(double x1, double y1, double x2, double y2, OleColor colour, bool filled) = 0;
    virtual void drawCircle(double x, double y, double radius, OleColor colour, double start, double end,
                            bool sectorStart, bool sectorEnd, bool fullCircle, double aspect) = 0;
    virtual void drawPoint(double x, double y, OleColor colour) = 0;
    virtual void drawText(double x, double y, const QString& text) = 0;
    virtual void drawTextPixels(int x, int y, const QString& text, const LogFont& font) = 0;
    // Called before the pen or fill changes (a batched line must be finished first).
    virtual void changeState() {}

    // Establishes the scale for a new drawable area (after a resize or when a page begins).
    void resetScale();

private:
    double unitsPerPixel(int mode, double dpi) const;

    int scaleMode_ = vbTwips;
    double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 0, scaleHeight_ = 0;
    int drawStyle_ = 0, drawWidth_ = 1, drawMode_ = 13;
    OleColor foreColor_ = 0;
    int fillStyle_ = vbFSTransparent;
    OleColor fillColor_ = 0;
    double currentX_ = 0, currentY_ = 0;
    SurfaceFont font_;
    bool fontTransparent_ = true;
};

}  // namespace vb
