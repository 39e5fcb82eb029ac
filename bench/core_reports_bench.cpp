// Speed of the entry window's "Liste" on the ten-year database: the report over its 10,000
// units is run and written as a PDF file, as the output-options dialog's file destination does
// (well within five seconds). The run alone (reading the units and laying out the pages) is
// measured beside it.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "core/orvreports.h"
#include "platform/report/report.h"

namespace {

// The data module on the ten-year database, opened once per run.
TorvServer& server()
{
    static TorvServer* s = [] {
        auto* srv = new TorvServer;
        srv->DataModuleCreate();
        orvServer = srv;
        if (!srv->openDatabase(tenyeardb::Generate(tenyeardb::TemplatePath())))
            std::abort();
        return srv;
    }();
    return *s;
}

void BM_ListeToPdf(benchmark::State& state)
{
    TorvServer& srv = server();
    QTemporaryDir dir;
    // The file destination as the dialog leaves it; no dialog runs in a benchmark.
    srv.RvSystem1.SetSystemSetups(srv.RvSystem1.SystemSetups() & ~ssAllowSetup);
    srv.RvSystem1.SetDefaultDest(TReportDest::File);
    srv.RvSystem1.SetRenderObject(&srv.RvRenderPDF1);
    srv.RvSystem1.SetOutputFileName(dir.filePath(QStringLiteral("liste")));
    for (auto _ : state)
        srv.orvreports.ExecuteReport(QStringLiteral("Liste"));
    state.counters["units"] = srv.daten.RecordCount();
}
BENCHMARK(BM_ListeToPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ListeLayout(benchmark::State& state)
{
    TorvServer& srv = server();
    int pages = 0;
    for (auto _ : state)
        pages = BuildListeReport(srv)->Prepare().pageCount();
    state.counters["pages"] = pages;
}
BENCHMARK(BM_ListeLayout)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
