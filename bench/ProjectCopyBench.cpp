// The start-up (the project checked, then copied to the working copy) and the copy of
// "Speichern" (working copy -> project) of a generated 100 MB project, against the floor of
// the disk: cp of the same file plus fsync. x_floor is each one's time over that floor.
#include "platform/db/Connection.h"
#include "platform/db/DatabaseFile.h"
#include "platform/db/SchemaCheck.h"
#include "platform/db/SqliteHandles.h"
#include "records/ProjectCheck.h"
#include "data/SessionChanges.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr int kRecords = 100;
constexpr int kPointsPerRecord = 20000;  // about 1 MB of points each
double floorSeconds = 0.0;               // per copy, measured by the floor benchmark (it runs first)

// The project's folder, generated once for all benchmarks.
const QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    static const bool generated = [] {
        const QString project = dir.filePath(QStringLiteral("VELOR.mdb"));
        QFile::copy(QStringLiteral(VELOR_STAGE_DIR "/VELOR/VELOR.mdb"), project);
        QFile::setPermissions(project, QFile::ReadOwner | QFile::WriteOwner);
        sqlite3* opened = nullptr;
        sqlite3_open(project.toUtf8().constData(), &opened);
        const db::DatabaseHandle db(opened);
        sqlite3_exec(db.get(), "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* prepared = nullptr;
        sqlite3_prepare_v2(db.get(), "INSERT INTO E3 (ID, POLYNR, PKTNR, GRUPPE, PX, PY) VALUES (?, ?, ?, 'Messung', ?, ?)", -1,
                           &prepared, nullptr);
        const db::StatementHandle insert(prepared);
        for (int id = 1; id <= kRecords; ++id) {
            sqlite3_exec(db.get(), QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (%1, 'Satz %1', 0)").arg(id).toUtf8().constData(),
                         nullptr, nullptr, nullptr);
            for (int i = 0; i < kPointsPerRecord; ++i) {
                sqlite3_bind_int(prepared, 1, id);
                sqlite3_bind_int(prepared, 2, i / 1000);
                sqlite3_bind_int(prepared, 3, i % 1000);
                sqlite3_bind_double(prepared, 4, 0.37 * i);
                sqlite3_bind_double(prepared, 5, 1000.0 - 0.21 * i);
                sqlite3_step(prepared);
                sqlite3_reset(prepared);
            }
        }
        sqlite3_exec(db.get(), "COMMIT", nullptr, nullptr, nullptr);
        return true;
    }();
    (void)generated;
    return dir;
}

QString project() { return folder().filePath(QStringLiteral("VELOR.mdb")); }
QString target() { return folder().filePath(QStringLiteral("KOPIE.mdb")); }

void syncPath(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    ::fsync(fd);
    ::close(fd);
}

template <typename Copy>
double measure(benchmark::State& state, Copy copy)
{
    double total = 0.0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        copy();
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    const double perCopy = total / static_cast<double>(state.iterations());
    state.counters["MB"] = static_cast<double>(QFile(project()).size()) / 1e6;
    if (floorSeconds > 0.0) state.counters["x_floor"] = perCopy / floorSeconds;
    return perCopy;
}

void BM_ProjectCopy_Floor_CpAndFsync(benchmark::State& state)
{
    const std::string from = project().toStdString();
    const std::string to = target().toStdString();
    floorSeconds = 0.0;
    floorSeconds = measure(state, [&] {
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
        syncPath(to);
        syncPath(folder().path().toStdString());
    });
}

// What a session's start does with the project: the check against the template (foreign
// objects, overlong values), then the copy.
void BM_ProjectCopy_StartUp(benchmark::State& state)
{
    const db::SchemaCheck check(QStringLiteral(VELOR_STAGE_DIR "/VELOR/VELOR.mdb"));
    measure(state, [&] {
        if (!records::projectProblems(check, project(), false).isEmpty()) state.SkipWithError("the project fails its check");
        db::DatabaseFile::copy(project(), target());
    });
}

// The working copy as a session holds it: open, in write-ahead mode, with the session's
// bookkeeping; what is written is the project without that bookkeeping.
void BM_ProjectCopy_Save(benchmark::State& state)
{
    const QString working = folder().filePath(QStringLiteral("ARBEIT.mdb"));
    db::DatabaseFile::copy(project(), working);
    db::Connection cn;
    cn.OpenFile(working);
    cn.useWriteAheadLog();
    SessionChanges(cn).track();
    measure(state, [&] { db::DatabaseFile::copy(cn, target(), SessionChanges::asSaved(1, QStringLiteral("BENCH"))); });
}

}  // namespace

BENCHMARK(BM_ProjectCopy_Floor_CpAndFsync)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ProjectCopy_StartUp)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ProjectCopy_Save)->Unit(benchmark::kMillisecond)->Iterations(5);
