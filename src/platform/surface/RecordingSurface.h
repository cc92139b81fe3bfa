#pragma once

#include "platform/surface/OutputSurface.h"

#include <QImage>
#include <QString>
#include <vector>

namespace vb {

// A surface for tests: it records every primitive with its exact coordinates in the scale
// it was drawn in, and measures text like a screen of the given resolution would.
class RecordingSurface : public OutputSurface {
public:
    enum class Type { Line, Box, Circle, Point, Text };

    struct Primitive {
        Type type = Type::Line;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line/box ends; circle and point centre and text position in x1, y1
        OleColor colour = 0;
        int drawWidth = 1, drawStyle = 0, fillStyle = 1;
        OleColor fillColour = 0;
        bool filled = false;
        double radius = 0, start = 0, end = 0, aspect = 1;
        bool fullCircle = false;
        QString text;       // as drawn (symbol font letters already Greek)
        SurfaceFont font;   // for texts: the font name and size in points
        double angle = 0;   // degrees counter-clockwise
    };

    // A picture-like surface of `widthPx` x `heightPx` pixels at `dpi` (default 96: A4 landscape).
    explicit RecordingSurface(Kind kind = Kind::Picture, int widthPx = 1123, int heightPx = 794, double dpi = 96.0);

    Kind kind() const override { return kind_; }

    const std::vector<Primitive>& primitives() const { return primitives_; }
    std::vector<Primitive> ofType(Type type) const;
    void clear() { primitives_.clear(); }
    void Cls() override;

protected:
    QSizeF pixelSize() const override { return size_; }
    double dpiX() const override { return dpi_; }
    double dpiY() const override { return dpi_; }
    QPaintDevice* metricsDevice() const override { return const_cast<QImage*>(&metrics_); }

    void drawLine(double x1, double y1, double x2, double y2, OleColor colour) override;
    void drawBox(double x1, double y1, double x2, double y2, OleColor colour, bool filled) override;
    void drawCircle(double x, double y, double radius, OleColor colour, double start, double end,
                    bool sectorStart, bool sectorEnd, bool fullCircle, double aspect) override;
    void drawPoint(double x, double y, OleColor colour) override;
    void drawText(double x, double y, const QString& text) override;
    void drawTextPixels(int x, int y, const QString& text, const LogFont& font) override;

private:
    Primitive make(Type type, OleColor colour) const;

    Kind kind_;
    QSizeF size_;
    double dpi_;
    QImage metrics_;
    std::vector<Primitive> primitives_;
};

}  // namespace vb
