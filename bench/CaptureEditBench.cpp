// The capture window on a large record: opening a record of 10,000 stored points (grid,
// markers, calibration) and the cost of one click as the number of points grows.
#include "capture/frmVELOR.h"
#include "capture/PointGrid.h"
#include "data/PointCapture.h"
#include "data/SessionContext.h"
#include "data/ShellWindow.h"
#include "platform/db/Transaction.h"
#include "platform/surface/PictureBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Just enough of a main window for the capture window.
class BenchShell : public ShellWindow {
public:
    SessionContext& session() override { return session_; }
    QString Tag() const override { return {}; }
    void setTag(const QString&) override {}
    void SATZANZEIGE() override {}
    void mnuBEENDEN_Click() override {}
    void mnuHILFE_Click() override {}
    void stbMAIN_PanelClick(int) override {}
    QWidget* activeChild() const override { return nullptr; }
    QProgressBar* progressBar() const override { return nullptr; }
    QString menuTag(const QString&) const override { return {}; }
    void setMenuTag(const QString&, const QString&) override {}
    PointCapture* showCapture(vb::PictureBox*) override { return nullptr; }
    void setPanelEnabled(int, bool) override {}
    QList<QWidget*> pageList() const override { return {}; }
    PrinterProvider& printers() override { std::abort(); }

    SessionContext session_;
};

// A project whose record 1 holds `points` clicked points in curves of 100 on a 2400 x 1250
// scan calibrated from pixel (100.5, 1150.5) to (2300.5, 50.5), 0 ... 2200 and 0 ... 1100.
class LargeRecord {
public:
    explicit LargeRecord(int points)
    {
        QDir().mkpath(dir_.filePath(QStringLiteral("P/GRAFIK")));
        QImage scan(2400, 1250, QImage::Format_RGB32);
        scan.fill(Qt::white);
        scan.save(dir_.filePath(QStringLiteral("P/GRAFIK/scan.png")));
        QFile::copy(QStringLiteral(VELOR_STAGE_DIR "/VELOR/VELOR.mdb"), dir_.filePath(QStringLiteral("P/VELOR.mdb")));
        SessionContext& s = shell_.session_;
        s.setProject(dir_.path(), QStringLiteral("P"), QStringLiteral("Bench"));
        s.setDecimalSeparator(QStringLiteral(","));
        s.cnnX.OpenFile(dir_.filePath(QStringLiteral("P/VELOR.mdb")));
        db::Transaction t(s.cnnX);
        s.cnnX.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'B', 1)"));
        s.cnnX.Execute(QStringLiteral("INSERT INTO E4 (ID, BILD) VALUES (1, 'scan.png')"));
        s.cnnX.Execute(QStringLiteral("INSERT INTO E5 (ID, LFDNR, ART, BX, BY, WX, WY) VALUES (1, 0, 0, 2300.5, 1150.5, 2200, 0), "
                                      "(1, 1, 1, 100.5, 50.5, 0, 1100)"));
        for (int i = 0; i < points; ++i) {
            const double x = 100.5 + (i % 2000), y = 1150.5 - (i / 10 % 1000);
            const std::vector<vb::Value> key{vb::Value(int32_t(1)), vb::Value(int16_t(i / 100)), vb::Value(int16_t(i % 100))};
            s.cnnX.Execute(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, PX, PY) VALUES (?,?,?,?,?)"),
                           {key[0], key[1], key[2], vb::Value(float(x - 100.5)), vb::Value(float(1150.5 - y))});
            s.cnnX.Execute(QStringLiteral("INSERT INTO E6 (ID, POLYNR, PKTNR, BX, BY, PX, PY) VALUES (?,?,?,?,?,?,?)"),
                           {key[0], key[1], key[2], vb::Value(x), vb::Value(y), vb::Value(x - 100.5), vb::Value(1150.5 - y)});
        }
        t.commit();
        owner_.resize(1100, 700);
        picture_ = new vb::PictureBox(&owner_);
        picture_->Tag(QStringLiteral("11"));
        picture_->resize(907, 472);
        picture_->ScaleMode(vb::OutputSurface::vbMillimeters);
    }
    ~LargeRecord() { shell_.session_.cnnX.Close(); }

    std::unique_ptr<frmVELOR> open() { return std::make_unique<frmVELOR>(shell_, *picture_, &owner_); }
    vb::PictureBox& picture() { return *picture_; }

private:
    QTemporaryDir dir_;
    BenchShell shell_;
    QWidget owner_;
    vb::PictureBox* picture_ = nullptr;
};

// Opening: the stored points into the model, the grid and the markers, drawn once.
void BM_Capture_OpenRecord(benchmark::State& state)
{
    LargeRecord record(static_cast<int>(state.range(0)));
    QImage frame(907, 472, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        auto window = record.open();
        if (window->model().pointCount() != state.range(0)) state.SkipWithError("points not loaded");
        record.picture().render(&frame);
        window->fraVELOR->msgFLX->grab();
    }
    state.counters["points"] = static_cast<double>(state.range(0));
}

// One click on the picture with the record's points present: the point, its grid row, the
// waiting events handled and the picture with its markers and the grid drawn again.
void BM_Capture_OneClick(benchmark::State& state)
{
    LargeRecord record(static_cast<int>(state.range(0)));
    auto window = record.open();
    QImage frame(907, 472, QImage::Format_ARGB32_Premultiplied);
    QImage grid(window->fraVELOR->msgFLX->size(), QImage::Format_ARGB32_Premultiplied);
    int i = 0;
    for (auto _ : state) {
        vb::PictureBox& picture = record.picture();
        const QPointF at = picture.widgetToScale(picture.scanToWidget(QPointF(200.5 + i % 1000, 300.5 + (i / 1000) % 500)));
        ++i;
        window->KLICK(at.x(), at.y());
        QCoreApplication::processEvents();
        record.picture().render(&frame);
        window->fraVELOR->msgFLX->render(&grid);
    }
    state.counters["points"] = static_cast<double>(state.range(0));
}

// A click that corrects a point: the point moves and every marker is drawn anew.
void BM_Capture_CorrectingClick(benchmark::State& state)
{
    LargeRecord record(static_cast<int>(state.range(0)) + 1);
    auto window = record.open();
    QImage frame(907, 472, QImage::Format_ARGB32_Premultiplied);
    int i = 0;
    for (auto _ : state) {
        vb::PictureBox& picture = record.picture();
        const QPointF at = picture.widgetToScale(picture.scanToWidget(QPointF(200.5 + i % 1000, 300.5)));
        ++i;
        window->model().setCorrecting(PointRef{0, 0});
        window->KLICK(at.x(), at.y());
        QCoreApplication::processEvents();
        record.picture().render(&frame);
    }
    state.counters["points"] = static_cast<double>(state.range(0));
}

}  // namespace

BENCHMARK(BM_Capture_OpenRecord)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Capture_OneClick)->Arg(0)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_Capture_CorrectingClick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(50);
