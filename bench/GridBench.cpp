// The grid object on long tables: numbering and refreshing 10,000 rows with an elapsed-time
// column (what the user waits for after every row command on a long measurement), and
// importing an instrument file of 100,000 lines (cycles) into an empty grid.
#include "data/SessionContext.h"
#include "grid/clsFLX.h"
#include "platform/widgets/FlexGrid.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <benchmark/benchmark.h>

namespace {

void describe(clsFLX& flx)
{
    // Index levels 1 and 2, a formatted value, date, time and the elapsed minutes.
    flx.ELSB({10, 10, 20, 20, 20, 20});
    flx.ELSTYP({1, 2, 0, 4, 5, 6});
    flx.ELFORMAT({"", "", "0.000", "", "", "0.0"});
    flx.ELINDEXMIN({1, 1});
    flx.ELINDEXMAX({100});
}

void BM_Grid_Refresh10000RowsWithElapsedTime(benchmark::State& state)
{
    vb::FlexGrid grid;
    grid.resize(800, 600);
    clsFLX flx;
    flx.EFLX(&grid);
    describe(flx);
    constexpr int rows = 10000;
    grid.setRows(rows + 1);
    const QDateTime start(QDate(2010, 5, 1), QTime(8, 0));
    for (int r = 1; r <= rows; ++r) {
        const QDateTime stamp = start.addSecs(r * 7 * 60);
        grid.setTextMatrix(r, 2, QString::number(r) + QStringLiteral(",5"));
        grid.setTextMatrix(r, 3, stamp.toString(QStringLiteral("dd.MM.yy")));
        grid.setTextMatrix(r, 4, stamp.toString(QStringLiteral("HH:mm")));
    }
    for (auto _ : state) {
        flx.NUMMERIEREN();
        flx.AKTUALISIEREN();
    }
    if (grid.TextMatrix(rows, 5) != QStringLiteral("7,0"))
        state.SkipWithError(("elapsed time not computed: " + grid.TextMatrix(rows, 5)).toStdString().c_str());
}
BENCHMARK(BM_Grid_Refresh10000RowsWithElapsedTime)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Grid_Import100000Lines(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString vorgabe = dir.filePath(QStringLiteral("VORGABE.mdb"));
    const QString project = dir.filePath(QStringLiteral("VELOR.mdb"));
    QFile::copy(QStringLiteral(VELOR_STAGE_DIR "/VORLAGEN/VORGABE.mdb"), vorgabe);
    QFile::copy(QStringLiteral(VELOR_STAGE_DIR "/VELOR/VELOR.mdb"), project);
    SessionContext session;
    session.cnnX.OpenFile(project);
    session.cnnX_V.OpenFile(vorgabe);
    session.cnnX_V.Execute(QStringLiteral("INSERT INTO VELOR_VE1 (IDK, AKVK, ZL, DATUM, UHRZEIT, KENZ1NR, KENZ1KZ, TZS, TZZ) "
                                          "VALUES (1, 'BENCH', 4, 'JJJJ-MM-TT', 'hhmmss', '1', NULL, ';', NULL)"));
    session.cnnX_V.Execute(QStringLiteral("INSERT INTO VELOR_VE2 (IDK, MNR, SPALTE, POSITION, PRAEFIX, SUFFIX, FAKTOR) VALUES "
                                          "(1, 1, 'DAT', 0, NULL, NULL, 1), (1, 2, 'ZEIT', 1, NULL, NULL, 1), "
                                          "(1, 3, 'P', 2, 'P=', NULL, 1), (1, 4, 'K', 3, NULL, NULL, 0.001)"));
    constexpr int lines = 100000;
    const QString file = dir.filePath(QStringLiteral("mess.txt"));
    {
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write("Datum;Zeit;Druck;Kraft\n");
        for (int i = 0; i < lines; ++i) {
            const int s = i * 3;
            f.write(QStringLiteral("2010-05-%1;%2%3%4;P=%5,25;%6\n")
                        .arg(1 + s / 86400, 2, 10, QLatin1Char('0'))
                        .arg(s / 3600 % 24, 2, 10, QLatin1Char('0'))
                        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                        .arg(s % 60, 2, 10, QLatin1Char('0'))
                        .arg(i % 1000)
                        .arg(i)
                        .toLatin1());
        }
    }
    for (auto _ : state) {
        vb::FlexGrid grid;
        grid.resize(800, 600);
        clsFLX flx(&session);
        flx.EFLX(&grid);
        flx.ELSB({10, 20, 20, 20, 20, 20});
        flx.ELSTYP({1, 4, 5, 0, 0, 6});
        flx.ELSELEK({vb::Value("NR"), vb::Value("DAT"), vb::Value("ZEIT"), vb::Value("P"), vb::Value("K"), vb::Value("T")});
        const auto t0 = std::chrono::steady_clock::now();
        const bool ok = flx.IMPORTIEREN(QStringLiteral("BENCH"), file);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        if (!ok || grid.Rows() != lines + 1) state.SkipWithError("import failed");
    }
}
BENCHMARK(BM_Grid_Import100000Lines)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

}  // namespace
