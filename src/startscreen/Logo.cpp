#include "startscreen/Logo.h"

#include <QPainter>
#include <QPainterPath>

QPixmap Logo::pixmap(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 100.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 70, 130));
    p.drawRoundedRect(QRectF(2 * s, 2 * s, 96 * s, 96 * s), 12 * s, 12 * s);
    p.setPen(QPen(QColor(120, 170, 210), 1.2 * s));
    for (int i = 1; i < 5; ++i) {
        p.drawLine(QPointF(14 * s + i * 18 * s, 14 * s), QPointF(14 * s + i * 18 * s, 86 * s));
        p.drawLine(QPointF(14 * s, 14 * s + i * 18 * s), QPointF(86 * s, 14 * s + i * 18 * s));
    }
    p.setPen(QPen(Qt::white, 3 * s));
    p.drawLine(QPointF(14 * s, 86 * s), QPointF(86 * s, 86 * s));
    p.drawLine(QPointF(14 * s, 14 * s), QPointF(14 * s, 86 * s));
    QPainterPath curve(QPointF(14 * s, 80 * s));
    curve.cubicTo(QPointF(35 * s, 78 * s), QPointF(45 * s, 20 * s), QPointF(86 * s, 22 * s));
    p.setPen(QPen(QColor(255, 190, 40), 4 * s));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(QPen(QColor(230, 40, 40), 2.5 * s));
    const QPointF c(50 * s, 47 * s);
    p.drawEllipse(c, 6 * s, 6 * s);
    p.drawLine(c - QPointF(11 * s, 0), c + QPointF(11 * s, 0));
    p.drawLine(c - QPointF(0, 11 * s), c + QPointF(0, 11 * s));
    return pm;
}
