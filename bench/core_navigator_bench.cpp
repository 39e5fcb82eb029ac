// Speed of the navigator and the explorer on the ten-year database (10,000 units, 3,000,000
// split and heart-rate rows, 1,000 blocks):
// - the navigator's overview list refilled, as after every save (goal: 400 ms);
// - the block tree refilled with the archive shown (goal: 600 ms);
// - the explorer page listing "Alle" without the day limit, 10,000 items (goal: 1.5 s).
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/benchserver.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/explorerframe.h"
#include "core/navigatorframe.h"
#include "core/orvdbserver.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/explorerlist.h"

namespace {

// The data module on the ten-year database, opened once per run.
TorvServer& server()
{
    static TorvServer* s = tenyeardb::OpenServer(tenyeardb::Generate(tenyeardb::TemplatePath()));
    return *s;
}

void BM_NavigatorOverviewList(benchmark::State& state)
{
    server();
    TnavigatorFrm nav;
    for (auto _ : state)
        nav.Button1Click(nullptr);
    state.counters["rows"] = nav.StringGrid1->RowCount();
}
BENCHMARK(BM_NavigatorOverviewList)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_NavigatorBlockTreeWithArchive(benchmark::State& state)
{
    server();
    TnavigatorFrm nav;
    nav.CheckBox1->setChecked(false);
    nav.resize(228, 600);
    nav.show();
    for (auto _ : state)
        nav.fillBlockTree();
    state.counters["archived_blocks"] = nav.ArchiveNode()->childCount();
}
BENCHMARK(BM_NavigatorBlockTreeWithArchive)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ExplorerAllUnits(benchmark::State& state)
{
    server();
    TexplorerFrm frame;
    explorerFrm = &frame;
    Teingabe entry;
    eingabe = &entry;
    for (auto _ : state)
        entry.fillExplorer(QStringLiteral("1=1"), false);
    state.counters["items"] = entry.ExplorerList()->Count();
    eingabe = nullptr;
    explorerFrm = nullptr;
}
BENCHMARK(BM_ExplorerAllUnits)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
