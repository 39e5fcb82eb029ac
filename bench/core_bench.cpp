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
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <memory>

#include "core/orvdatabase.h"
#include "core/orvdbserver.h"
#include "platform/db/jetsql.h"

namespace {

constexpr int kUnits = 10000;
constexpr int kSamplesPerUnit = 300;
constexpr int kBlocks = 1000;

QString templatePath()
{
    const QString env = qEnvironmentVariable("ORV_TEMPLATE");
    if (!env.isEmpty())
        return env;
    return QCoreApplication::applicationDirPath() + "/../app/DB/leer.orv.system";
}

void exec(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, error ? error : "");
        std::abort();
    }
}

// Ten years from 2014 on, one unit every 0.365 days, each with 300 samples every 10 s.
QString generatedDatabase()
{
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty())
        return path;
    path = dir.filePath("zehnjahre.orv");
    if (!QFile::copy(templatePath(), path)) {
        std::fprintf(stderr, "template not found: %s\n", qPrintable(templatePath()));
        std::abort();
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    exec(db, "PRAGMA synchronous=OFF");
    exec(db, "BEGIN");
    exec(db,
         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
         "INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_form, trb_sportart, trb_created) "
         "SELECT i, 'Block ' || i, 1, 1, 41640 + (i - 1) * 3.65 FROM n");
    exec(db,
         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) "
         "INSERT INTO DATEN (dat_Id, Datum, Ort, Form, Startzeit, Zeit, Meter, Hoehendifferenz, Puls, "
         "Belastungsart, Sportart, Belastungsstufe, Gewicht, trainingsblock) "
         "SELECT i, 41640 + CAST((i - 1) * 0.365 AS INTEGER), 'Stadtpark', 1 + i % 3, 0.25 + (i % 7) * 0.05, "
         "(1800 + i % 3600) / 86400.0, 5000 + (i * 37) % 20000, i % 200, 120 + i % 50, i % 6, 1 + i % 4, "
         "i % 6, 70 + (i % 10) / 10.0, 1 + (i - 1) / 10 FROM n");
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, Puls, HDiff, zwTyp, zei_hrm, "
                       "zei_trittfrequenz) VALUES (?, ?, ?, ?, ?, 0, 1, ?)",
                       -1, &stmt, nullptr);
    for (int unit = 1; unit <= kUnits; ++unit)
        for (int s = 0; s < kSamplesPerUnit; ++s) {
            sqlite3_bind_int(stmt, 1, unit);
            sqlite3_bind_int(stmt, 2, s * 30);
            sqlite3_bind_double(stmt, 3, s * 10000 / 86400000.0);
            sqlite3_bind_int(stmt, 4, 110 + (unit + s) % 70);
            sqlite3_bind_int(stmt, 5, 100 + s % 40);
            sqlite3_bind_int(stmt, 6, 80 + s % 20);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
    sqlite3_finalize(stmt);
    exec(db, "COMMIT");
    sqlite3_close(db);
    static_assert(kBlocks * 10 == kUnits, "ten units per block");
    return path;
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
