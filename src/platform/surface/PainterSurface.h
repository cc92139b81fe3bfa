#pragma once

#include "platform/surface/OutputSurface.h"

#include <QPolygonF>

class QImage;
class QPainter;
class QPen;

namespace vb {

// The drawing path the screen picture and the printer share: every primitive goes to a
// QPainter on the implementation's device, converted to device pixels here. Joined line
// segments in one colour are collected into a polyline and drawn in one call, because a
// diagram's polygons arrive as thousands of single clipped segments.
class PainterSurface : public OutputSurface {
public:
    void flush() override;
    // Draws a picture into the rectangle (x1, y1)-(x2, y2) of the current scale, smoothly
    // scaled (a screen picture with its scan and drawings onto the printer).
    void PaintPicture(const QImage& picture, double x1, double y1, double x2, double y2);

protected:
    // The painter on the device, opened by the implementation when first needed.
    virtual QPainter& painter() = 0;
    // Called after something was drawn (the picture schedules a repaint).
    virtual void drawn() {}

    void drawLine(double x1, double y1, double x2, double y2, OleColor colour) override;
    void drawBox(double x1, double y1, double x2, double y2, OleColor colour, bool filled) override;
    void drawCircle(double x, double y, double radius, OleColor colour, double start, double end,
                    bool sectorStart, bool sectorEnd, bool fullCircle, double aspect) override;
    void drawPoint(double x, double y, OleColor colour) override;
    void drawText(double x, double y, const QString& text) override;
    void drawTextPixels(int x, int y, const QString& text, const LogFont& font) override;
    void changeState() override { flush(); }

    // Drops a pending polyline without drawing it (the drawing was cleared).
    void discardPending() { pending_.clear(); }
    bool hasPending() const { return !pending_.isEmpty(); }

private:
    QPen pen(OleColor colour) const;
    void usePen(OleColor colour);
    void useFill(bool filled);

    QPolygonF pending_;
    OleColor pendingColour_ = 0;
};

}  // namespace vb
