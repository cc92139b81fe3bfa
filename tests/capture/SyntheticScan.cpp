#include "SyntheticScan.h"

#include <QBuffer>
#include <QPainter>
#include <QRandomGenerator>
#include <cmath>

namespace {

constexpr int pageWidth = 2000, pageHeight = 1400;
constexpr double left = 300, right = 1700, top = 200, bottom = 1200;
constexpr double markerRadius = 9;

// One pass of a [1 2 1] kernel across and down: a little optical blur, symmetric.
QImage blurredOnce(const QImage& in)
{
    QImage out = in;
    for (int pass = 0; pass < 2; ++pass) {
        const QImage src = out;
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x) {
                const int dx = pass == 0, dy = pass == 1;
                const QRgb a = src.pixel(std::max(0, x - dx), std::max(0, y - dy)), b = src.pixel(x, y),
                           c = src.pixel(std::min(src.width() - 1, x + dx), std::min(src.height() - 1, y + dy));
                out.setPixel(x, y, qRgb((qRed(a) + 2 * qRed(b) + qRed(c) + 2) / 4, (qGreen(a) + 2 * qGreen(b) + qGreen(c) + 2) / 4,
                                        (qBlue(a) + 2 * qBlue(b) + qBlue(c) + 2) / 4));
            }
    }
    return out;
}

}  // namespace

SyntheticScan::SyntheticScan(const ScanLook& look) : look_(look)
{
    if (look.keystone != 0) {
        const double inset = look.keystone / 2 * pageWidth;
        QTransform::quadToQuad(QPolygonF(QRectF(0, 0, pageWidth, pageHeight)),
                               QPolygonF({QPointF(inset, 0), QPointF(pageWidth - inset, 0), QPointF(pageWidth, pageHeight),
                                          QPointF(0, pageHeight)}),
                               transform_);
    }
    transform_ *= QTransform().translate(pageWidth / 2.0, pageHeight / 2.0).rotate(-look.degrees).translate(-pageWidth / 2.0, -pageHeight / 2.0);

    image_ = QImage(pageWidth, pageHeight, QImage::Format_RGB32);
    image_.fill(look.colour ? QColor(246, 240, 215) : QColor(250, 250, 248));
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(transform_);
    p.setPen(QPen(QColor(205, 205, 205), 1));
    for (int i = 1; i < 10; ++i) {
        p.drawLine(page(i / 10.0, 0), page(i / 10.0, 1));
        p.drawLine(page(0, i / 10.0), page(1, i / 10.0));
    }
    p.setPen(QPen(Qt::black, look.lineWidth));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({page(0, 0), page(1, 0), page(1, 1), page(0, 1)}));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(28);
    p.setFont(font);
    for (int i = 0; i <= 5; ++i) {
        const QPointF x = page(i / 5.0, 0) + QPointF(0, look.downward ? -40 : 40), y = page(0, i / 5.0) - QPointF(60, 0);
        p.drawText(QRectF(x - QPointF(50, 18), QSizeF(100, 36)), Qt::AlignCenter, QString::number(i * 20));
        p.drawText(QRectF(y - QPointF(50, 18), QSizeF(100, 36)), Qt::AlignCenter, QString::number(i * 10));
    }
    labelPage_ = page(0.4, 0) + QPointF(0, look.downward ? -40 : 40);
    const QColor ink = look.colour ? QColor(30, 60, 170) : Qt::black;
    QPolygonF curve;
    for (const QPointF& f : curvePoints()) curve << page(f.x(), f.y());
    p.setPen(QPen(ink, look.lineWidth));
    p.drawPolyline(curve);
    const bool filled = look.marker == ScanLook::FilledDisc || look.marker == ScanLook::FilledSquare;
    p.setPen(filled ? QPen(Qt::NoPen) : QPen(ink, 2));
    p.setBrush(filled ? QBrush(ink) : QBrush(Qt::NoBrush));
    for (const QPointF& c : curve) {
        const QRectF box(c - QPointF(markerRadius, markerRadius), QSizeF(2 * markerRadius, 2 * markerRadius));
        if (look.marker == ScanLook::FilledDisc || look.marker == ScanLook::OpenCircle) p.drawEllipse(box);
        if (look.marker == ScanLook::FilledSquare || look.marker == ScanLook::OpenSquare) p.drawRect(box);
    }
    p.end();

    for (int i = 0; i < look.blurPasses; ++i) image_ = blurredOnce(image_);
    if (look.noise > 0) {
        QRandomGenerator rng(11);
        for (int y = 0; y < image_.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
            for (int x = 0; x < image_.width(); ++x) {
                const int n = static_cast<int>(rng.bounded(2 * look.noise + 1)) - look.noise;
                line[x] = qRgb(qBound(0, qRed(line[x]) + n, 255), qBound(0, qGreen(line[x]) + n, 255), qBound(0, qBlue(line[x]) + n, 255));
            }
        }
    }
    if (look.grey) image_ = image_.convertToFormat(QImage::Format_Grayscale8);
    if (look.jpegQuality > 0) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image_.save(&buffer, "JPEG", look.jpegQuality);
        image_.loadFromData(buffer.data(), "JPEG");
    }
}

QPointF SyntheticScan::page(double fx, double fy) const
{
    return {left + (right - left) * fx, look_.downward ? top + (bottom - top) * fy : bottom - (bottom - top) * fy};
}

std::vector<QPointF> SyntheticScan::corners() const { return {scan(0, 0), scan(1, 0), scan(1, 1), scan(0, 1)}; }

std::vector<QPointF> SyntheticScan::curvePoints()
{
    return {{0.15, 0.2}, {0.35, 0.45}, {0.55, 0.62}, {0.75, 0.7}, {0.9, 0.86}};
}

double ScanAxes::x(double f) const { return logX ? std::pow(10.0, 5 * f) : 100 * f; }
double ScanAxes::y(double f) const { return logY ? std::pow(10.0, -2 + 5 * f) : 50 * f; }
double ScanAxes::fx(double x) const { return logX ? std::log10(x) / 5 : x / 100; }
double ScanAxes::fy(double y) const { return logY ? (std::log10(y) + 2) / 5 : y / 50; }
