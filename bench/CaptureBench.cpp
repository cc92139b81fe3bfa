// The capture window's costs a user feels: loading a 600 dpi A4 scan into the page's picture
// (against a bare decode of the same JPEG), one redraw of the zoomed, panned view with the
// loupe, and storing 10,000 grid rows through OK (compare with BM_PointGrid_Floor_PreparedInsert).
#include "capture/PointGrid.h"
#include "data/SessionContext.h"
#include "platform/surface/PictureBox.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int scanWidth = 7000, scanHeight = 5000;
// The input page's picture: 240 x 125 mm at 96 dpi.
constexpr int pictureWidth = 907, pictureHeight = 472;
double decodeSeconds = 0;  // per decode, measured by the floor benchmark (it runs first)

// A scanned diagram: grid, frame, curves and a little paper noise, saved once as JPEG.
const QString& scanFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        QImage scan(scanWidth, scanHeight, QImage::Format_RGB32);
        scan.fill(QColor(247, 244, 236));
        QPainter p(&scan);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(150, 150, 150), 3));
        for (int i = 0; i <= 20; ++i) {
            p.drawLine(600 + i * 290, 500, 600 + i * 290, 4500);
            p.drawLine(600, 500 + i * 200, 6400, 500 + i * 200);
        }
        p.setPen(QPen(Qt::black, 9));
        for (int k = 0; k < 3; ++k) {
            QPolygonF curve;
            for (int i = 0; i <= 400; ++i) curve << QPointF(600 + i * 14.5, 4500 - (1 + k) * 1200 * std::log1p(i / 80.0));
            p.drawPolyline(curve);
        }
        p.end();
        QRandomGenerator rng(3);
        for (int y = 0; y < scanHeight; y += 3)
            for (int x = 0; x < scanWidth; x += 7) scan.setPixel(x, y, qRgb(230 + rng.bounded(20), 230, 225));
        const QString file = dir.filePath(QStringLiteral("scan.jpg"));
        scan.save(file, "JPEG", 85);
        return file;
    }();
    return path;
}

void BM_Scan_Floor_QImageReaderDecode(benchmark::State& state)
{
    const QString& file = scanFile();
    QImageReader::setAllocationLimit(1024);  // what the picture allows itself, so that the floor decodes too
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        QImageReader reader(file);
        QImage image = reader.read();
        benchmark::DoNotOptimize(image.constBits());
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    decodeSeconds = total / static_cast<double>(state.iterations());
}

// Loading and showing: the picture reads the file, keeps the scan, makes its fitted copy and
// paints once.
void BM_Scan_LoadAndShow(benchmark::State& state)
{
    const QString& file = scanFile();
    QImage frame(pictureWidth, pictureHeight, QImage::Format_ARGB32_Premultiplied);
    double total = 0;
    qsizetype held = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        vb::PictureBox picture;
        picture.resize(pictureWidth, pictureHeight);
        picture.LoadPicture(file);
        picture.render(&frame);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        held = picture.pictureBytes();
    }
    const double perLoad = total / static_cast<double>(state.iterations());
    if (decodeSeconds > 0) state.counters["x_decode"] = perLoad / decodeSeconds;
    state.counters["held_MB"] = static_cast<double>(held) / 1e6;
    state.counters["extra_MB"] = static_cast<double>(held - qsizetype(scanWidth) * scanHeight * 4) / 1e6;
}

// One frame of zooming, panning and the loupe: the view moves, the loupe follows the pointer,
// the picture is painted. Zoom levels from a little to the closest.
void BM_View_ZoomPanLoupeFrame(benchmark::State& state)
{
    vb::PictureBox picture;
    picture.resize(pictureWidth, pictureHeight);
    picture.LoadPicture(scanFile());
    picture.zoomBy(static_cast<double>(state.range(0)), QPointF(400, 200));
    QImage frame(pictureWidth, pictureHeight, QImage::Format_ARGB32_Premultiplied);
    picture.render(&frame);  // the halved copies this zoom needs are made once
    int step = 0;
    for (auto _ : state) {
        ++step;
        picture.panBy(QPointF(step % 2 ? 7 : -7, step % 3 ? 5 : -5));
        picture.showLoupe(QPointF(300 + step % 200, 150 + step % 100));
        picture.render(&frame);
    }
    state.counters["held_MB"] = static_cast<double>(picture.pictureBytes()) / 1e6;
}

// OK on a grid of 10,000 points in 100 polygons.
void BM_PointGrid_StoreThroughOK(benchmark::State& state)
{
    QTemporaryDir dir;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = dir.filePath(QStringLiteral("P%1.mdb").arg(n++));
        QFile::copy(QStringLiteral(VELOR_STAGE_DIR "/VELOR/VELOR.mdb"), path);
        SessionContext session;
        session.cnnX.OpenFile(path);
        session.cnnX.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'B', 1)"));
        CaptureModel model;
        PointGrid grid(session, model);
        vb::FlexGrid& g = *grid.msgFLX;
        g.setRows(10001);
        for (int r = 1; r <= 10000; ++r) {
            g.setTextMatrix(r, PointGrid::POLYNR, QString::number((r - 1) / 100));
            g.setTextMatrix(r, PointGrid::X, QString::number(r * 0.25, 'f', 2).replace('.', ','));
            g.setTextMatrix(r, PointGrid::Y, QString::number(1000 - r * 0.5, 'f', 1).replace('.', ','));
        }
        state.ResumeTiming();
        if (!grid.store(11)) state.SkipWithError("store failed");
        state.PauseTiming();
        session.cnnX.Close();
        state.ResumeTiming();
    }
    state.counters["rows"] = 10000;
}

}  // namespace

BENCHMARK(BM_Scan_Floor_QImageReaderDecode)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Scan_LoadAndShow)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_View_ZoomPanLoupeFrame)->Arg(2)->Arg(6)->Arg(20)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PointGrid_StoreThroughOK)->Unit(benchmark::kMillisecond)->Iterations(3);
