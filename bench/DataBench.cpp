// Storing a point grid through the data-binding object, against the floor of the same rows
// inserted by one prepared statement. The grid stores one value per call (DVTS for PX and
// PY of every point), so the per-call cost of clsDATEN is what a user waits for on "OK";
// a list write (DVTSF) stores a whole column in one call.
#include "data/SessionContext.h"
#include "data/clsDATEN.h"
#include "platform/db/SqliteHandles.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kPoints = 10000;
constexpr int kPointsPerPolygon = 100;
double floorSeconds = 0.0;  // per iteration, measured by the floor benchmark (it runs first)

QString freshProject(const QTemporaryDir& dir, int n)
{
    const QString path = dir.path() + QStringLiteral("/P%1.mdb").arg(n);
    QFile::copy(QStringLiteral(VELOR_STAGE_DIR "/VELOR/VELOR.mdb"), path);
    return path;
}

float px(int i) { return 0.25f * static_cast<float>(i); }
float py(int i) { return 1000.0f - 0.5f * static_cast<float>(i); }

void closeUntimed(benchmark::State& state, SessionContext& session)
{
    state.PauseTiming();
    session.cnnX.Close();
    state.ResumeTiming();
}

void reportAgainstFloor(benchmark::State& state, double total)
{
    state.counters["rows"] = kPoints;
    if (floorSeconds > 0.0) state.counters["x_floor"] = total / static_cast<double>(state.iterations()) / floorSeconds;
}

void BM_PointGrid_Floor_PreparedInsert(benchmark::State& state)
{
    QTemporaryDir dir;
    int n = 0;
    double total = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = freshProject(dir, n++);
        sqlite3* opened = nullptr;
        sqlite3_open(path.toUtf8().constData(), &opened);
        db::DatabaseHandle db(opened);
        sqlite3_exec(db.get(), "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
        state.ResumeTiming();
        const auto t0 = std::chrono::steady_clock::now();

        sqlite3_stmt* prepared = nullptr;
        sqlite3_prepare_v2(db.get(), "INSERT INTO [G2_2] ([ID],[IDOBJEKT],[LFDNR],[PKTNR],[KEN],[PX],[PY]) VALUES (?,?,?,?,?,?,?)",
                           -1, &prepared, nullptr);
        const db::StatementHandle statement(prepared);
        sqlite3_stmt* st = statement.get();
        sqlite3_exec(db.get(), "BEGIN", nullptr, nullptr, nullptr);
        for (int i = 0; i < kPoints; ++i) {
            sqlite3_bind_int(st, 1, 1);
            sqlite3_bind_int(st, 2, 11);
            sqlite3_bind_int(st, 3, i / kPointsPerPolygon);
            sqlite3_bind_int(st, 4, i % kPointsPerPolygon);
            sqlite3_bind_text(st, 5, "D", 1, SQLITE_STATIC);
            sqlite3_bind_double(st, 6, px(i));
            sqlite3_bind_double(st, 7, py(i));
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_exec(db.get(), "COMMIT", nullptr, nullptr, nullptr);

        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
    floorSeconds = total / static_cast<double>(state.iterations());
    state.counters["rows"] = kPoints;
}

void BM_PointGrid_clsDATEN_DVTS(benchmark::State& state)
{
    QTemporaryDir dir;
    int n = 0;
    double total = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        SessionContext session;
        session.cnnX.OpenFile(freshProject(dir, n++));
        clsDATEN dat(session);
        dat.ETABELLE(QStringLiteral("G2_2"));
        dat.ESPIDW(1);
        dat.ESPK1(QStringLiteral("KEN"));
        dat.ESPK1W(QStringLiteral("D"));
        state.ResumeTiming();
        const auto t0 = std::chrono::steady_clock::now();

        session.cnnX.BeginTrans();
        for (int i = 0; i < kPoints; ++i) {
            const IndexPairs idx{QStringLiteral("IDOBJEKT"), vb::Value(int16_t(11)),
                                 QStringLiteral("LFDNR"), vb::Value(int16_t(i / kPointsPerPolygon)),
                                 QStringLiteral("PKTNR"), vb::Value(int16_t(i % kPointsPerPolygon))};
            if (!dat.DVTS(QStringLiteral("PX"), px(i), idx) || !dat.DVTS(QStringLiteral("PY"), py(i), idx)) {
                state.SkipWithError("DVTS failed");
                break;
            }
        }
        session.cnnX.CommitTrans();

        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        closeUntimed(state, session);
    }
    reportAgainstFloor(state, total);
}

// Ten thousand values of one column in one call: the list write's own loop, one row each.
void BM_ListWrite_clsDATEN_DVTSF(benchmark::State& state)
{
    QTemporaryDir dir;
    int n = 0;
    double total = 0.0;
    std::vector<float> values(kPoints);
    for (int i = 0; i < kPoints; ++i) values[static_cast<size_t>(i)] = px(i);
    for (auto _ : state) {
        state.PauseTiming();
        SessionContext session;
        session.cnnX.OpenFile(freshProject(dir, n++));
        session.cnnX.useWriteAheadLog();
        clsDATEN dat(session);
        dat.ETABELLE(QStringLiteral("G2_2"));
        dat.ESPIDW(1);
        dat.ESPK1(QStringLiteral("KEN"));
        dat.ESPK1W(QStringLiteral("D"));
        state.ResumeTiming();
        const auto t0 = std::chrono::steady_clock::now();

        if (!dat.DVTSF(QStringLiteral("PX"), values, {QStringLiteral("IDOBJEKT"), vb::Value(int16_t(11)), QStringLiteral("PKTNR")})) {
            state.SkipWithError("DVTSF failed");
            break;
        }

        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        closeUntimed(state, session);
    }
    reportAgainstFloor(state, total);
}

}  // namespace

BENCHMARK(BM_PointGrid_Floor_PreparedInsert)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_PointGrid_clsDATEN_DVTS)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ListWrite_clsDATEN_DVTSF)->Unit(benchmark::kMillisecond)->Iterations(5);
