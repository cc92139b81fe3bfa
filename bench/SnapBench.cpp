// Snapping a click on a 600 dpi scan (7,000 x 5,000 pixels): at the fit zoom five screen pixels
// are about 40 scan pixels, the radius a snap searches. One snap must stay far below what a
// hand notices (5 ms).
#include "capture/Snap.h"

#include <QPainter>
#include <QTransform>
#include <optional>
#include <benchmark/benchmark.h>

namespace {

constexpr double radius = 40;

// The page turned a little on the scanner.
const QTransform turned = QTransform().translate(3500, 2500).rotate(0.8).translate(-3500, -2500);

const QImage& scan()
{
    static const QImage image = [] {
        QImage img(7000, 5000, QImage::Format_RGB32);
        img.fill(QColor(247, 244, 236));
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(turned);
        p.setPen(QPen(QColor(170, 170, 170), 3));
        for (int i = 1; i < 20; ++i) {
            p.drawLine(QPointF(600 + i * 290, 500), QPointF(600 + i * 290, 4500));
            p.drawLine(QPointF(600, 500 + i * 200), QPointF(6400, 500 + i * 200));
        }
        p.setPen(QPen(Qt::black, 9));
        p.drawRect(QRectF(600, 500, 5800, 4000));
        p.drawLine(QPointF(600, 4500), QPointF(6400, 900));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(3500, 2700), 30, 30);
        return img;
    }();
    return image;
}

// Clicks a few scan pixels beside the frame's corner, a marker and the bare line.
void snapping(benchmark::State& state, bool corner, const QPointF& page, const QPointF& off)
{
    const QImage& image = scan();
    const QPointF click = turned.map(page) + off;
    std::optional<QPointF> snapped;
    for (auto _ : state) {
        snapped = corner ? Snap::corner(image, click, radius) : Snap::point(image, click, radius);
        benchmark::DoNotOptimize(snapped);
    }
    if (!snapped) state.SkipWithError("nothing snapped");
}

void BM_Snap_Corner(benchmark::State& state) { snapping(state, true, {600, 4500}, {12, -9}); }
void BM_Snap_Marker(benchmark::State& state) { snapping(state, false, {3500, 2700}, {-14, 10}); }
void BM_Snap_BareLine(benchmark::State& state) { snapping(state, false, {2000, 4500 - 1400 * 3600 / 5800.0}, {-6, -9}); }

}  // namespace

BENCHMARK(BM_Snap_Corner)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Snap_Marker)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Snap_BareLine)->Unit(benchmark::kMillisecond);
