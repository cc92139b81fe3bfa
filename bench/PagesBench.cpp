// The output page with 10,000 points in 20 polygons: reading the points and drawing both
// pictures (diagram and point table), on the screen and into a PDF, against a floor of one
// query reading the points and one raw QPainter polyline of them (with the table's text on
// the PDF).
#include "data/SessionContext.h"
#include "graphics/clsGRAFIK.h"
#include "pages/OutputDiagram.h"
#include "pages/PointTable.h"
#include "data/RecordStore.h"
#include "platform/db/Connection.h"
#include "platform/surface/PictureBox.h"
#include "platform/surface/PrinterSurface.h"
#include "platform/ui/Procedure.h"

#include "RawPdf.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

constexpr int kPolygons = 20, kPointsPerPolygon = 500;
constexpr int32_t kRecord = 7;
const QString kTitle = QStringLiteral("Bild 11");

// A project database with one evaluated record: 20 rising curves over 0..100 x 0..50.
struct Project {
    QTemporaryDir dir;
    SessionContext session;
    Project()
    {
        const QString file = dir.filePath(QStringLiteral("VELOR.mdb"));
        QFile::copy(QStringLiteral(VELOR_STAGE_DIR "/VELOR/VELOR.mdb"), file);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        db::Connection& cn = session.cnnX;
        cn.OpenFile(file);
        cn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (7, 'Kurve', 1)"));
        cn.Execute(QStringLiteral("INSERT INTO E2 (ID, LOGX, LOGY, OX, OY, XMIN, XMAX, YMIN, YMAX, MYMX) "
                                  "VALUES (7, 0, 0, 1, 1, 0, 100, 0, 50, 0)"));
        cn.BeginTrans();
        db::Statement st = cn.prepare(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, GRUPPE, PX, PY) VALUES (7, ?, ?, NULL, ?, ?)"));
        for (int p = 0; p < kPolygons; ++p)
            for (int q = 0; q < kPointsPerPolygon; ++q) {
                const double t = q / static_cast<double>(kPointsPerPolygon - 1);
                st.bindAll({vb::Value(p), vb::Value(q), vb::Value(static_cast<float>(100 * t)),
                            vb::Value(static_cast<float>(2 + 2 * p + 10 * t * t + std::sin(q * 0.3)))})
                    .run();
            }
        cn.CommitTrans();
        OutputDiagram diagram(session, kRecord);
        vb::Procedure p(QStringLiteral("VB-Fehler: "), kTitle);
        diagram.copyRecordFrame(p, RecordStore(session).points(kRecord));
    }
};

Project& project()
{
    static Project p;
    return p;
}

// The floor's query: the points in one statement, straight from the engine.
std::vector<QPointF> queryPoints(db::Connection& cn)
{
    std::vector<QPointF> out;
    out.reserve(kPolygons * kPointsPerPolygon);
    db::Statement st = cn.prepare(QStringLiteral("SELECT PX, PY FROM E3 WHERE ID = 7 ORDER BY POLYNR, PKTNR"));
    while (st.next()) out.emplace_back(st.real(0), st.real(1));
    return out;
}

// The floor's polyline: world to pixels by the diagram's own mapping, one drawPolyline.
QPolygonF mapped(const std::vector<QPointF>& points, double widthPx, double heightPx)
{
    QPolygonF poly;
    poly.reserve(static_cast<int>(points.size()));
    for (const QPointF& p : points) poly << QPointF(p.x() / 100 * widthPx, heightPx - p.y() / 50 * heightPx);
    return poly;
}

void drawPage(vb::OutputSurface& diagramSurface, vb::OutputSurface& tableSurface, float tableLeft, QScrollBar* bar,
              std::optional<QSizeF> size)
{
    Project& pr = project();
    const PolygonPoints points = RecordStore(pr.session).points(kRecord);
    OutputDiagram diagram(pr.session, kRecord);
    vb::Procedure p(QStringLiteral("VB-Fehler: "), kTitle);
    const float top = size ? 35 : 0;
    diagram.draw(p, DrawTarget{diagramSurface, size ? 15.0f : 0.0f, top, size}, points);
    vb::Procedure t(QStringLiteral("VB-Fehler: "), QStringLiteral("Bild 12"));
    PointTable::draw(t, DrawTarget{tableSurface, tableLeft, top}, bar, points);
}

void BM_OutputPageOnScreen(benchmark::State& state)
{
    vb::PictureBox bild11, bild12;
    bild11.resize(605, 472);  // 160 x 125 mm at 96 dpi
    bild12.resize(302, 472);  // 80 x 125 mm
    bild11.ScaleMode(vb::OutputSurface::vbMillimeters);
    bild12.ScaleMode(vb::OutputSurface::vbMillimeters);
    QScrollBar bar(Qt::Vertical, &bild12);
    project();
    for (auto _ : state) {
        bild11.Cls();
        bild12.Cls();
        drawPage(bild11, bild12, 0, &bar, std::nullopt);
        bild11.flush();
        bild12.flush();
    }
}
BENCHMARK(BM_OutputPageOnScreen)->Unit(benchmark::kMillisecond);

void BM_OutputPageFloorOnScreen(benchmark::State& state)
{
    Project& pr = project();
    QImage layer(605, 472, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const QPolygonF poly = mapped(queryPoints(pr.session.cnnX), 605, 472);
        layer.fill(Qt::transparent);
        QPainter p(&layer);
        p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.drawPolyline(poly);
    }
}
BENCHMARK(BM_OutputPageFloorOnScreen)->Unit(benchmark::kMillisecond);

void BM_OutputPageToPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    // The table was drawn on the screen first: its scroll bar selects the rows printed.
    vb::PictureBox bild12;
    bild12.resize(302, 472);
    bild12.ScaleMode(vb::OutputSurface::vbMillimeters);
    QScrollBar bar(Qt::Vertical, &bild12);
    {
        vb::Procedure p(QStringLiteral("VB-Fehler: "), kTitle);
        PointTable::draw(p, DrawTarget::screen(bild12), &bar, RecordStore(project().session).points(kRecord));
    }
    for (auto _ : state) {
        vb::PrinterSurface printer(dir.filePath(QStringLiteral("page.pdf")));
        printer.ScaleMode(vb::OutputSurface::vbMillimeters);
        drawPage(printer, printer, 175, &bar, QSizeF(160, 125));
        printer.EndDoc();
    }
}
BENCHMARK(BM_OutputPageToPdf)->Unit(benchmark::kMillisecond);

void BM_OutputPageFloorToPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    Project& pr = project();
    for (auto _ : state) {
        const std::vector<QPointF> points = queryPoints(pr.session.cnnX);
        QPrinter printer(QPrinter::HighResolution);
        setUpRawPdf(printer, dir.filePath(QStringLiteral("raw.pdf")));
        QPainter p(&printer);
        const double mm = 600 / 25.4;
        p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.translate(15 * mm, 35 * mm);
        p.drawPolyline(mapped(points, 160 * mm, 125 * mm));
        // The table's text: the rows a 125 mm picture holds, five cells each.
        p.setFont(QFont(QStringLiteral("Arial"), 7));
        const int rows = 40;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 5; ++c)
                p.drawText(QPointF((160 + 14 * c) * mm, (5 + 3 * r) * mm),
                           QString::number(c < 3 ? r : points[static_cast<std::size_t>(r)].x(), 'f', c < 3 ? 0 : 3));
        p.end();
    }
}
BENCHMARK(BM_OutputPageFloorToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
