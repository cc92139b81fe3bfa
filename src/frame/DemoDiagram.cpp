#include "frame/DemoDiagram.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QTransform>
#include <cmath>
#include <functional>
#include <utility>

namespace {

struct Frame {
    QRectF area;  // plot frame in pixels
    double xmin, xmax, ymin, ymax;
    QPointF map(double x, double y) const
    {
        return {area.left() + (x - xmin) / (xmax - xmin) * area.width(), area.top() + (y - ymin) / (ymax - ymin) * area.height()};
    }
};

void drawAxes(QPainter& p, const Frame& f, double unit)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(static_cast<int>(3.2 * unit));
    p.setFont(font);
    p.setPen(QPen(QColor(150, 150, 150), 0.25 * unit));
    for (int i = 0; i <= 10; ++i) {
        const QPointF a = f.map(f.xmin + i * (f.xmax - f.xmin) / 10, f.ymin), b = f.map(f.xmin + i * (f.xmax - f.xmin) / 10, f.ymax);
        p.drawLine(a, b);
        const QPointF c = f.map(f.xmin, f.ymin + i * (f.ymax - f.ymin) / 10), d = f.map(f.xmax, f.ymin + i * (f.ymax - f.ymin) / 10);
        p.drawLine(c, d);
    }
    p.setPen(QPen(Qt::black, 0.5 * unit));
    p.drawRect(f.area);
    for (int i = 0; i <= 10; ++i) {
        const double x = f.xmin + i * (f.xmax - f.xmin) / 10;
        const QPointF a = f.map(x, f.ymin);
        p.drawText(QRectF(a.x() - 10 * unit, a.y() - 6 * unit, 20 * unit, 5 * unit), Qt::AlignCenter, QString::number(x, 'f', 0));
        const double y = f.ymin + i * (f.ymax - f.ymin) / 10;
        const QPointF b = f.map(f.xmin, y);
        p.drawText(QRectF(b.x() - 14 * unit, b.y() - 2.5 * unit, 12 * unit, 5 * unit), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(y, 'f', 0));
    }
    p.drawText(QRectF(f.area.left(), f.area.top() - 14 * unit, f.area.width(), 6 * unit), Qt::AlignCenter,
               QStringLiteral("Spannung \u03C3 [kN/m\u00B2]"));
    p.save();
    p.translate(f.area.left() - 18 * unit, f.area.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-40 * unit, -3 * unit, 80 * unit, 6 * unit), Qt::AlignCenter, QStringLiteral("Setzung s [mm]"));
    p.restore();
}

void drawCurves(QPainter& p, const Frame& f, double unit)
{
    // Settlement grows with load and flattens: s = a * ln(1 + sigma / b).
    const struct { double a, b; QColor color; Qt::PenStyle style; } curves[] = {
        {3.1, 40, Qt::black, Qt::SolidLine},
        {2.2, 60, Qt::black, Qt::DashLine},
        {1.4, 90, Qt::black, Qt::DotLine},
    };
    int n = 0;
    for (const auto& c : curves) {
        QPainterPath path;
        for (int i = 0; i <= 100; ++i) {
            const double sigma = f.xmin + i * (f.xmax - f.xmin) / 100;
            const QPointF pt = f.map(sigma, c.a * std::log(1 + sigma / c.b));
            if (i == 0) path.moveTo(pt);
            else path.lineTo(pt);
        }
        p.setPen(QPen(c.color, 0.7 * unit, c.style));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setPen(QPen(Qt::black, 0.5 * unit));
        for (int k = 1; k <= 4; ++k) {
            const double sigma = k * 50.0;
            const QPointF pt = f.map(sigma, c.a * std::log(1 + sigma / c.b));
            if (n == 0) p.drawEllipse(pt, 1.2 * unit, 1.2 * unit);
            else if (n == 1) p.drawRect(QRectF(pt.x() - 1.2 * unit, pt.y() - 1.2 * unit, 2.4 * unit, 2.4 * unit));
            else p.drawPolygon(QPolygonF({pt + QPointF(0, -1.5 * unit), pt + QPointF(1.4 * unit, 1.1 * unit), pt + QPointF(-1.4 * unit, 1.1 * unit)}));
        }
        const QPointF label = f.map(205, c.a * std::log(1 + 205 / c.b));
        p.drawText(label + QPointF(1.5 * unit, -2.5 * unit), QStringLiteral("Probe %1").arg(n + 1));
        ++n;
    }
}

QImage blurred(const QImage& source)
{
    // A scanner's optics: a small box blur, done by scaling down and up again.
    const QImage small = source.scaled(source.width() * 2 / 3, source.height() * 2 / 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return small.scaled(source.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

QImage DemoDiagram::render(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double unit = width / 250.0;  // pixels per millimetre of the printed page
    Frame f{QRectF(32 * unit, 30 * unit, width - 60 * unit, height - 52 * unit), 0, 250, 0, 10};
    drawAxes(p, f, unit);
    drawCurves(p, f, unit);
    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(static_cast<int>(4.5 * unit));
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 4 * unit, width, 8 * unit), Qt::AlignCenter, QStringLiteral("Bild 7: Drucksetzungslinien, Ödometerversuche"));
    return img;
}

QImage DemoDiagram::scanned(int width, int height)
{
    const QImage clean = render(width, height);
    QImage page(width, height, QImage::Format_RGB32);
    page.fill(QColor(247, 244, 236));
    QPainter p(&page);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate(width / 2.0, height / 2.0);
    p.rotate(0.45);
    p.translate(-width / 2.0, -height / 2.0);
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    p.drawImage(0, 0, clean);
    p.end();
    QImage out = blurred(page);
    QRandomGenerator rng(7);  // the same scan every time
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int noise = static_cast<int>(rng.bounded(13)) - 6;
            line[x] = qRgb(qBound(0, qRed(line[x]) + noise, 255), qBound(0, qGreen(line[x]) + noise, 255), qBound(0, qBlue(line[x]) + noise, 255));
        }
    }
    return out;
}

bool DemoDiagram::save(const QString& path) { return scanned(1400, 990).save(path, "JPEG", 82); }

QPointF DemoDiagram::straightPixel(double x, double y) { return {250.5 + 16 * x, 1150.5 - 20 * y}; }

namespace {

// A curve of a straight scan: a thick line through it and a cross on each marked point (the
// crosses' centres are where to click), its name beside the point at x = 80.
// How a curve's points are marked: crosses, or symbols to snap to.
enum class Mark { Cross, Disc, Square };

void drawMarkedCurve(QPainter& p, const std::function<QPointF(double)>& at, Qt::PenStyle style, const QString& name,
                     Mark mark = Mark::Cross)
{
    QPainterPath path;
    for (int i = 0; i <= 200; ++i) {
        const QPointF pt = at(i * 0.5);
        if (i == 0) path.moveTo(pt);
        else path.lineTo(pt);
    }
    p.setPen(QPen(Qt::black, 5, style));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(QPen(Qt::black, 3));
    for (int k = 0; k <= 4; ++k) {
        const QPointF c = at(k * 25);
        if (mark == Mark::Cross) {
            p.drawLine(c - QPointF(14, 0), c + QPointF(14, 0));
            p.drawLine(c - QPointF(0, 14), c + QPointF(0, 14));
        } else if (mark == Mark::Disc) {
            p.save();
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawEllipse(c, 11, 11);
            p.restore();
        } else {
            p.setBrush(QColor(250, 249, 245));
            p.drawRect(QRectF(c - QPointF(12, 12), c + QPointF(12, 12)));
            p.setBrush(Qt::NoBrush);
        }
    }
    p.drawText(at(80) + QPointF(20, -24), name);
}

// The x axis of a straight scan, 0 to 100: a grid line every 10 between the frame's bottom
// and top (`ends` of an x) and its number below.
void drawXAxis(QPainter& p, const std::function<std::pair<QPointF, QPointF>(double)>& ends)
{
    for (int i = 0; i <= 10; ++i) {
        const auto [bottom, top] = ends(i * 10);
        p.setPen(QPen(QColor(170, 170, 170), 2));
        p.drawLine(bottom, top);
        p.setPen(Qt::black);
        p.drawText(QRectF(bottom.x() - 50, bottom.y() + 12, 100, 36), Qt::AlignCenter, QString::number(i * 10));
    }
}

// The paper of a straight scan, with `p` ready to draw on it.
// The pen of a straight scan's texts and lines.
void prepareStraightPainter(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(30);
    p.setFont(font);
}

void startStraightScan(QPainter& p, QImage& img)
{
    img = QImage(2000, 1400, QImage::Format_RGB32);
    img.fill(QColor(250, 249, 245));
    p.begin(&img);
    prepareStraightPainter(p);
}

// The straight scan's diagram: grid, numbers, frame, title and the two marked curves.
void drawStraightDiagram(QPainter& p, const QString& title, Mark markA, Mark markB)
{
    using D = DemoDiagram;
    drawXAxis(p, [](double x) { return std::pair{D::straightPixel(x, 0), D::straightPixel(x, 50)}; });
    for (int i = 0; i <= 10; ++i) {
        p.setPen(QPen(QColor(170, 170, 170), 2));
        p.drawLine(D::straightPixel(0, i * 5), D::straightPixel(100, i * 5));
        p.setPen(Qt::black);
        const QPointF by = D::straightPixel(0, i * 5);
        p.drawText(QRectF(by.x() - 112, by.y() - 18, 96, 36), Qt::AlignRight | Qt::AlignVCenter, QString::number(i * 5));
    }
    p.setPen(QPen(Qt::black, 4));
    p.drawRect(QRectF(D::straightPixel(0, 50), D::straightPixel(100, 0)));
    p.drawText(QRectF(0, 40, 2000, 50), Qt::AlignCenter, title);
    drawMarkedCurve(p, [](double x) { return D::straightPixel(x, D::curveA(x)); }, Qt::SolidLine, QStringLiteral("Probe A"), markA);
    drawMarkedCurve(p, [](double x) { return D::straightPixel(x, D::curveB(x)); }, Qt::DashLine, QStringLiteral("Probe B"), markB);
}

const QString straightTitle = QStringLiteral("Bild 8: Versuchskurven (gerader Scan)");

// The turned scan: the straight one's page turned counter-clockwise about its middle, as a
// page laid slightly askew on the scanner.
const QTransform turn = QTransform().translate(1000, 700).rotate(-1.5).translate(-1000, -700);

}  // namespace

QImage DemoDiagram::straight()
{
    QImage img;
    QPainter p;
    startStraightScan(p, img);
    drawStraightDiagram(p, straightTitle, Mark::Cross, Mark::Cross);
    return img;
}

QImage DemoDiagram::turned()
{
    QImage img;
    QPainter p;
    startStraightScan(p, img);
    p.setTransform(turn);
    drawStraightDiagram(p, QStringLiteral("Bild 10: Versuchskurven (gedrehter Scan)"), Mark::Disc, Mark::Square);
    return img;
}

QPointF DemoDiagram::turnedPixel(double x, double y) { return turn.map(straightPixel(x, y)); }

bool DemoDiagram::saveTurned(const QString& path) { return turned().save(path, "PNG"); }

bool DemoDiagram::saveStraight(const QString& path) { return straight().save(path, "PNG"); }

QPointF DemoDiagram::logarithmicPixel(double x, double y) { return {250.5 + 16 * x, 1150.5 - 140 * (std::log10(y) + 4)}; }

double DemoDiagram::vapourA(double x) { return std::pow(10.0, -3 + 0.05 * x); }

double DemoDiagram::vapourB(double x) { return std::pow(10.0, -3.8 + 0.09 * x - 0.0003 * x * x); }

QImage DemoDiagram::logarithmic()
{
    QImage img;
    QPainter p;
    startStraightScan(p, img);
    drawXAxis(p, [](double x) { return std::pair{logarithmicPixel(x, 1e-4), logarithmicPixel(x, 1e3)}; });
    for (int e = -4; e <= 3; ++e) {
        // Every decade with its multiples, the decade itself darker and labelled.
        for (int m = 1; m <= 9 && (m == 1 || e < 3); ++m) {
            p.setPen(QPen(QColor(m == 1 ? 150 : 200, m == 1 ? 150 : 200, m == 1 ? 150 : 200), 2));
            const double y = m * std::pow(10.0, e);
            p.drawLine(logarithmicPixel(0, y), logarithmicPixel(100, y));
        }
        p.setPen(Qt::black);
        const QPointF by = logarithmicPixel(0, std::pow(10.0, e));
        p.drawText(QRectF(by.x() - 152, by.y() - 18, 136, 36), Qt::AlignRight | Qt::AlignVCenter,
                   QLocale(QLocale::German).toString(std::pow(10.0, e), 'g', 6));
    }
    p.setPen(QPen(Qt::black, 4));
    p.drawRect(QRectF(logarithmicPixel(0, 1e3), logarithmicPixel(100, 1e-4)));
    p.drawText(QRectF(0, 40, img.width(), 50), Qt::AlignCenter, QStringLiteral("Bild 9: Dampfdruckkurven (logarithmisch)"));
    drawMarkedCurve(p, [](double x) { return logarithmicPixel(x, vapourA(x)); }, Qt::SolidLine, QStringLiteral("Stoff A"));
    drawMarkedCurve(p, [](double x) { return logarithmicPixel(x, vapourB(x)); }, Qt::DashLine, QStringLiteral("Stoff B"));
    return img;
}

bool DemoDiagram::saveLogarithmic(const QString& path) { return logarithmic().save(path, "PNG"); }

bool DemoDiagram::saveReport(const QString& path)
{
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(300);
    pdf.setTitle(QStringLiteral("Versuchsbericht"));
    QPainter p;
    if (!p.begin(&pdf)) return false;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(60);
    p.setFont(font);
    p.drawText(QRectF(240, 300, 2000, 100), Qt::AlignLeft, QStringLiteral("Versuchsbericht: Setzungsversuche"));
    font.setPixelSize(38);
    p.setFont(font);
    p.drawText(QRectF(240, 500, 2000, 600), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Zwei Proben wurden stufenweise belastet. Bild 8 auf der folgenden Seite zeigt die "
                              "Versuchskurven; die Kreuze markieren die Messpunkte."));
    pdf.newPage();
    p.translate(reportOffset());
    prepareStraightPainter(p);
    drawStraightDiagram(p, straightTitle, Mark::Cross, Mark::Cross);
    return p.end();
}
