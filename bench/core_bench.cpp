// Opening an athlete database with ten years of training: 10,000 units with 3,000,000 split
// and heart-rate rows. Goals: the newest unit is current within 150 ms, and the process stays
// under 150 MB; with 100,000 units (30,000,000 rows) within 1 s and under 400 MB.
//
// The database is generated once per run from the template beside the program
// (<build>/app/DB/leer.orv.system, or the file named by ORV_TEMPLATE).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <unistd.h>

#include <QElapsedTimer>
#include <QProcess>

#include "bench/tenyeardb.h"
#include "core/orvdatabase.h"
#include "core/orvdbserver.h"
#include "platform/db/jetsql.h"

namespace {

QString generatedDatabase()
{
    return tenyeardb::Generate(tenyeardb::TemplatePath());
}

// Memory of the process in MB: resident, peak resident, resident anonymous.
double memoryMB(const char* key)
{
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

void BM_OpenDatabase(benchmark::State& state)
{
    const QString path = generatedDatabase();
    TorvServer server;
    server.DataModuleCreate();
    // The table rules and shared routines reach the data module through its global.
    orvServer = &server;
    for (auto _ : state) {
        if (!server.openDatabase(path))
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(server.daten.FieldByName("dat_Id")->AsInteger());
        state.PauseTiming();
        server.closeDatabase();
        state.ResumeTiming();
    }
    server.openDatabase(path);
    state.counters["units"] = server.daten.RecordCount();
    state.counters["zeit_rows"] = server.zeitAll.RecordCount();
    state.counters["rss_MB"] = memoryMB("VmRSS:");
    state.counters["peak_MB"] = memoryMB("VmHWM:");
    // Without the pages of the database file that SQLite reads through its memory map.
    state.counters["anon_MB"] = memoryMB("RssAnon:");
    server.closeDatabase();
    orvServer = nullptr;
}
BENCHMARK(BM_OpenDatabase)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(5)->ReportAggregatesOnly(true);

// How opening grows with the database: 1,000, 10,000 and 100,000 units (300 samples each), each
// opened in a process of its own so that its peak memory is its own. Time: the open until the
// newest unit is current; peak_MB: the process's peak resident memory (the pages of the file
// that SQLite maps included), anon_MB: its own memory after the open.
void BM_OpenDatabaseGrowth(benchmark::State& state)
{
    const QString path = tenyeardb::GenerateUnits(tenyeardb::TemplatePath(), int(state.range(0)));
    std::vector<double> peaks, anons;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--open-once"), path});
        child.waitForFinished(-1);
        const QList<QByteArray> out = child.readAllStandardOutput().trimmed().split(' ');
        if (child.exitCode() != 0 || out.size() != 3) {
            state.SkipWithError("the database did not open");
            break;
        }
        state.SetIterationTime(out[0].toDouble() / 1000.0);
        peaks.push_back(out[1].toDouble());
        anons.push_back(out[2].toDouble());
    }
    if (!peaks.empty()) {
        std::sort(peaks.begin(), peaks.end());
        std::sort(anons.begin(), anons.end());
        state.counters["peak_MB"] = peaks[peaks.size() / 2];
        state.counters["anon_MB"] = anons[anons.size() / 2];
    }
    state.counters["units"] = double(state.range(0));
}
BENCHMARK(BM_OpenDatabaseGrowth)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The child of BM_OpenDatabaseGrowth: opens the database once and prints the milliseconds, the
// peak resident and the anonymous resident memory in MB.
int openOnce(const QString& path)
{
    TorvServer server;
    server.DataModuleCreate();
    orvServer = &server;
    QElapsedTimer timer;
    timer.start();
    const bool ok = server.openDatabase(path);
    const double ms = timer.nsecsElapsed() / 1e6;
    benchmark::DoNotOptimize(server.daten.FieldByName("dat_Id")->AsInteger());
    std::printf("%.3f %.1f %.1f\n", ms, memoryMB("VmHWM:"), memoryMB("RssAnon:"));
    std::fflush(stdout);
    _exit(ok ? 0 : 1);
}

// The four checks alone, on a sound database (they run at every open).
void BM_CheckDatabase(benchmark::State& state)
{
    const QString path = generatedDatabase();
    TConnection connection;
    connection.Open(path);
    InstallJetSql(connection);
    for (auto _ : state)
        CheckDatabase(connection, {});
}
BENCHMARK(BM_CheckDatabase)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--open-once") == 0)
        return openOnce(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
