// A 100,000-point polygon drawn by the engine (transform, clipping, one LINIE per segment)
// against a raw QPainter polyline of the same device points on the same kind of device.
#include "data/SessionContext.h"
#include "graphics/clsGRAFIK.h"
#include "platform/surface/PictureBox.h"
#include "platform/surface/PrinterSurface.h"

#include "RawPdf.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

constexpr int pointCount = 100000;

// A measured curve: slowly rising with a ripple, 0..100 x 0..50.
struct Curve {
    std::vector<float> x, y;
    Curve()
    {
        for (int i = 0; i < pointCount; ++i) {
            const double t = i / static_cast<double>(pointCount - 1);
            x.push_back(static_cast<float>(100 * t));
            y.push_back(static_cast<float>(25 + 20 * std::sin(t * 40) * std::cos(t * 7) + 2 * std::sin(i * 0.7)));
        }
    }
};

const Curve& curve()
{
    static const Curve c;
    return c;
}

std::unique_ptr<clsGRAFIK> engineOn(vb::OutputSurface& surface, SessionContext& session)
{
    surface.ScaleMode(vb::OutputSurface::vbMillimeters);
    auto g = std::make_unique<clsGRAFIK>(session);
    g->EOBJEKT(&surface);
    g->ELX(280);
    g->ELY(190);
    FrameSettings f;
    f.OX = 1, f.OY = 1;
    f.RL = 20, f.RR = 10, f.RO = 10, f.RU = 20;
    f.XMIN = 0, f.XMAX = 100, f.YMIN = 0, f.YMAX = 50;
    f.MX = 100.0f / 250, f.MY = 50.0f / 160;
    g->setFrame(f);
    return g;
}

// The device points the engine would produce, for the raw polyline.
QPolygonF devicePoints(clsGRAFIK& g, vb::OutputSurface& surface)
{
    QPolygonF points;
    points.reserve(pointCount);
    for (int i = 0; i < pointCount; ++i) {
        float xp = 0, yp = 0;
        g.KOORDTRANS(curve().x[i], curve().y[i], xp, yp);
        points << surface.toPixels(xp, yp);
    }
    return points;
}

void BM_PolygonOnPicture(benchmark::State& state)
{
    SessionContext session;
    vb::PictureBox picture;
    picture.resize(1123, 794);
    auto g = engineOn(picture, session);
    const SingleList x(curve().x), y(curve().y);
    for (auto _ : state) {
        picture.Cls();
        g->POLYGON(x, y, 0, 0, 0, QString(), 0, 0, false);
        picture.flush();
    }
}
BENCHMARK(BM_PolygonOnPicture)->Unit(benchmark::kMillisecond);

void BM_RawPolylineOnPictureImage(benchmark::State& state)
{
    SessionContext session;
    vb::PictureBox picture;
    picture.resize(1123, 794);
    auto g = engineOn(picture, session);
    const QPolygonF points = devicePoints(*g, picture);
    QImage layer(1123, 794, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        layer.fill(Qt::transparent);
        QPainter p(&layer);
        p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));  // the surface's pen
        p.drawPolyline(points);
    }
}
BENCHMARK(BM_RawPolylineOnPictureImage)->Unit(benchmark::kMillisecond);

void BM_PolygonOnPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    SessionContext session;
    const SingleList x(curve().x), y(curve().y);
    for (auto _ : state) {
        vb::PrinterSurface printer(dir.filePath(QStringLiteral("engine.pdf")));
        auto g = engineOn(printer, session);
        g->POLYGON(x, y, 0, 0, 0, QString(), 0, 0, false);
        printer.EndDoc();
    }
}
BENCHMARK(BM_PolygonOnPdf)->Unit(benchmark::kMillisecond);

void BM_RawPolylineOnPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    SessionContext session;
    QPolygonF points;
    {
        vb::PrinterSurface printer(dir.filePath(QStringLiteral("probe.pdf")));
        auto g = engineOn(printer, session);
        points = devicePoints(*g, printer);
    }
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        setUpRawPdf(printer, dir.filePath(QStringLiteral("raw.pdf")));
        QPainter p(&printer);
        p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));  // the surface's pen
        p.drawPolyline(points);
        p.end();
    }
}
BENCHMARK(BM_RawPolylineOnPdf)->Unit(benchmark::kMillisecond);

}  // namespace
