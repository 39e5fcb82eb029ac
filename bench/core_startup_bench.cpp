// The start-up up to the main window shown (offscreen): the language, the splash window, every
// start-up object and the main window's first show, which opens the command-line database.
// Goals: under 0.5 s with no database, under 1 s with a database of ten years of training
// (10,000 units with 3,000,000 split and heart-rate rows).
//
// The program's folders: the build's app folder beside the benchmark (templates, language
// modules), and temporary config and data folders.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <cstring>

#include <unistd.h>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/startup.h"
#include "platform/rtl/application.h"
#include "platform/rtl/folders.h"

namespace {

constexpr int kUnits = 10000;
constexpr int kSamplesPerUnit = 300;

void exec(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, error ? error : "");
        std::abort();
    }
}

// Ten years from 2014 on, one unit every 0.365 days, each with 300 samples every 10 s.
QString tenYearDatabase()
{
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty())
        return path;
    path = dir.filePath("zehnjahre.orv");
    const QString source = ProgramFile("DB/leer.orv.system");
    if (!QFile::copy(source, path)) {
        std::fprintf(stderr, "template not found: %s\n", qPrintable(source));
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
    return path;
}

void startAndShow(benchmark::State& state, const QStringList& params)
{
    for (auto _ : state) {
        StartProgram(params);
        state.PauseTiming();
        if (!params.isEmpty() && !MainForm->databaseOpen())
            state.SkipWithError("the database did not open");
        FinishProgram();
        state.ResumeTiming();
    }
}

void BM_StartNoDatabase(benchmark::State& state)
{
    startAndShow(state, {});
}
BENCHMARK(BM_StartNoDatabase)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_StartTenYearDatabase(benchmark::State& state)
{
    const QString db = tenYearDatabase();
    startAndShow(state, {db});
}
BENCHMARK(BM_StartTenYearDatabase)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The whole process as the user starts it: a fresh process of this program runs the program's
// main() up to the main window shown and ends there; the wall time from starting the process to
// its end is measured (its exit included, so the goal is met with room to spare).
void startProcess(benchmark::State& state, const QStringList& params)
{
    const QString self = QCoreApplication::applicationFilePath();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const int rc = QProcess::execute(self, QStringList{QStringLiteral("--first-show")} + params);
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        if (rc != 0)
            state.SkipWithError("the program did not reach its main window");
    }
}

void BM_ProcessStartNoDatabase(benchmark::State& state)
{
    startProcess(state, {});
}
BENCHMARK(BM_ProcessStartNoDatabase)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ProcessStartTenYearDatabase(benchmark::State& state)
{
    startProcess(state, {tenYearDatabase()});
}
BENCHMARK(BM_ProcessStartTenYearDatabase)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The child of startProcess: app/main.cpp up to the first show, then the process ends at once.
int firstShow(int argc, char** argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("orvalo5"));
    StartProgram(TApplication::arguments().mid(2));
    const bool ok = MainForm && MainForm->isVisible() && (argc < 3 || MainForm->databaseOpen());
    std::fflush(nullptr);
    _exit(ok ? 0 : 1);
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && std::strcmp(argv[1], "--first-show") == 0)
        return firstShow(argc, argv);
    QTemporaryDir folders;
    QDir(folders.path()).mkpath("config");
    QDir(folders.path()).mkpath("data");
    qputenv(kConfigDirVariable, QDir(folders.path()).filePath("config").toUtf8());
    qputenv(kDataDirVariable, QDir(folders.path()).filePath("data").toUtf8());
    TApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty(kProgramDirVariable))
        qputenv(kProgramDirVariable, QDir(TApplication::applicationDirPath() + "/../app").absolutePath().toUtf8());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
