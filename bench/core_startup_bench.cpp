// The start-up up to the main window shown (offscreen): the language, the splash window, every
// start-up object and the main window's first show, which opens the command-line database.
// Goals: under 0.5 s with no database, under 1 s with a database of ten years of training
// (10,000 units with 3,000,000 split and heart-rate rows).
//
// The program's folders: the build's app folder beside the benchmark (templates, language
// modules), and temporary config and data folders.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

#include <unistd.h>

#include "bench/programfolders.h"
#include "bench/tenyeardb.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/startup.h"
#include "platform/rtl/application.h"
#include "platform/rtl/folders.h"

namespace {

QString tenYearDatabase()
{
    return tenyeardb::Generate(ProgramFile("DB/leer.orv.system"));
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
    benchprogram::UseTemporaryFolders(folders);
    TApplication app(argc, argv);
    benchprogram::UseBuiltProgramFolder();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
