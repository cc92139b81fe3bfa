#include "platform/surface/PainterSurface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>
#include <numbers>

namespace vb {

namespace {

Qt::PenStyle penStyle(int drawStyle)
{
    switch (drawStyle) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;  // 0 solid, 6 inside solid
    }
}

Qt::BrushStyle brushStyle(int fillStyle)
{
    switch (fillStyle) {
    case 0: return Qt::SolidPattern;
    case 2: return Qt::HorPattern;
    case 3: return Qt::VerPattern;
    case 4: return Qt::BDiagPattern;  // upward diagonal
    case 5: return Qt::FDiagPattern;  // downward diagonal
    case 6: return Qt::CrossPattern;
    case 7: return Qt::DiagCrossPattern;
    default: return Qt::NoBrush;  // 1 transparent
    }
}

constexpr double radToSixteenthDeg = 180.0 / std::numbers::pi * 16.0;

}  // namespace

QPen PainterSurface::pen(OleColor colour) const
{
    QPen p(toQColor(colour));
    p.setWidthF(DrawWidth());
    p.setStyle(penStyle(DrawStyle()));
    p.setCapStyle(DrawWidth() > 1 ? Qt::RoundCap : Qt::FlatCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

void PainterSurface::usePen(OleColor colour)
{
    QPainter& p = painter();
    p.setPen(pen(colour));
    p.setCompositionMode(DrawMode() == 7 ? QPainter::RasterOp_SourceXorDestination
                                         : QPainter::CompositionMode_SourceOver);
}

void PainterSurface::useFill(bool filled)
{
    QPainter& p = painter();
    if (filled)
        p.setBrush(QBrush(toQColor(FillColor()), brushStyle(FillStyle())));
    else
        p.setBrush(Qt::NoBrush);
}

void PainterSurface::flush()
{
    if (pending_.isEmpty()) return;
    usePen(pendingColour_);
    painter().drawPolyline(pending_);
    pending_.clear();
    drawn();
}

void PainterSurface::drawLine(double x1, double y1, double x2, double y2, OleColor colour)
{
    const QPointF a = toPixels(x1, y1);
    const QPointF b = toPixels(x2, y2);
    if (!pending_.isEmpty() && colour == pendingColour_ && pending_.constLast() == a) {
        pending_.append(b);
        return;
    }
    flush();
    pending_ << a << b;
    pendingColour_ = colour;
}

void PainterSurface::drawBox(double x1, double y1, double x2, double y2, OleColor colour, bool filled)
{
    flush();
    usePen(colour);
    QPainter& p = painter();
    // Line ...,BF fills with the line colour, as the original did.
    p.setBrush(filled ? QBrush(toQColor(colour)) : QBrush(Qt::NoBrush));
    p.drawRect(QRectF(toPixels(x1, y1), toPixels(x2, y2)).normalized());
    drawn();
}

void PainterSurface::drawCircle(double x, double y, double radius, OleColor colour, double start, double end,
                                bool sectorStart, bool sectorEnd, bool fullCircle, double aspect)
{
    flush();
    usePen(colour);
    const QPointF c = toPixels(x, y);
    double rx = radius * pixelsPerUnitX();
    double ry = rx * aspect;
    if (aspect > 1) {
        ry = rx;
        rx = ry / aspect;
    }
    QPainter& p = painter();
    const bool filled = FillStyle() != vbFSTransparent;
    useFill(filled);
    if (fullCircle) {
        p.drawEllipse(c, rx, ry);
    } else {
        const QRectF box(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry);
        double span = end - start;
        if (span < 0) span += 2 * std::numbers::pi;
        const int a = qRound(start * radToSixteenthDeg);
        const int s = qRound(span * radToSixteenthDeg);
        if (sectorStart && sectorEnd) {
            p.drawPie(box, a, s);
        } else {
            p.drawArc(box, a, s);
            const auto onCircle = [&](double angle) {
                return QPointF(c.x() + rx * std::cos(angle), c.y() - ry * std::sin(angle));
            };
            if (sectorStart) p.drawLine(c, onCircle(start));
            if (sectorEnd) p.drawLine(c, onCircle(end));
        }
    }
    drawn();
}

void PainterSurface::drawPoint(double x, double y, OleColor colour)
{
    flush();
    usePen(colour);
    painter().drawPoint(toPixels(x, y));
    drawn();
}

void PainterSurface::drawText(double x, double y, const QString& text)
{
    flush();
    QPainter& p = painter();
    const QFont font = qFont(Font());
    p.setFont(font);
    p.setPen(toQColor(ForeColor()));
    const QFontMetricsF fm(font, p.device());
    const QPointF at = toPixels(x, y);
    p.drawText(QPointF(at.x(), at.y() + fm.ascent()), text);
    drawn();
}

void PainterSurface::drawTextPixels(int x, int y, const QString& text, const LogFont& logFont)
{
    flush();
    QPainter& p = painter();
    const QFont font = qFont(logFont);
    const QFontMetricsF fm(font, p.device());
    p.save();
    p.translate(x, y);
    p.rotate(-logFont.lfEscapement / 10.0);
    p.setFont(font);
    p.setPen(toQColor(ForeColor()));
    p.drawText(QPointF(0, fm.ascent()), text);
    p.restore();
    drawn();
}

}  // namespace vb

namespace vb {

void PainterSurface::PaintPicture(const QImage& picture, double x1, double y1, double x2, double y2)
{
    flush();
    QPainter& p = painter();
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(toPixels(x1, y1), toPixels(x2, y2)).normalized(), picture);
    p.restore();
    drawn();
}

}  // namespace vb
