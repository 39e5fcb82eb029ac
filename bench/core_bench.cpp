// Opening an athlete database with ten years of training: 10,000 units with 3,000,000 split
// and heart-rate rows. Goal: the newest unit is current within 1 s, and the process stays
// under 300 MB.
//
// The database is generated once per run from the template beside the program
// (<build>/app/DB/leer.orv.system, or the file named by ORV_TEMPLATE).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>

#include <memory>

#include "bench/tenyeardb.h"
#include "core/orvdatabase.h"
#include "core/orvdbserver.h"
#include "platform/db/jetsql.h"

namespace {

QString templatePath()
{
    const QString env = qEnvironmentVariable("ORV_TEMPLATE");
    if (!env.isEmpty())
        return env;
    return QCoreApplication::applicationDirPath() + "/../app/DB/leer.orv.system";
}

QString generatedDatabase()
{
    return tenyeardb::Generate(templatePath());
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
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
