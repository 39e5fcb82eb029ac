// Speed of the quick statistics and the load statistics on the ten-year database (10,000 units
// in 1,000 blocks):
// - one refresh of the quick-statistics pane for the current unit's week and block (goal: 10 ms);
// - both groupings of the load statistics over one year of units (goal: 50 ms).
#include <benchmark/benchmark.h>

#include <QListWidget>

#include "analysis/belstat.h"
#include "analysis/toolquickstatframe.h"
#include "analysis/zeitraumneu.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "platform/chart/chartwidget.h"
#include "platform/rtl/sysutils.h"

namespace {

void openDatabase()
{
    static const bool opened = [] {
        auto* srv = new TorvServer;
        srv->DataModuleCreate();
        orvServer = srv;
        if (!srv->openDatabase(tenyeardb::Generate(tenyeardb::TemplatePath())))
            std::abort();
        return true;
    }();
    (void)opened;
}

TtoolQuickstatFrm& pane()
{
    openDatabase();
    static TtoolQuickstatFrm* frame = new TtoolQuickstatFrm(nullptr);
    return *frame;
}

void BM_QuickStatWeek(benchmark::State& state)
{
    TtoolQuickstatFrm& p = pane();
    orvServer->daten.Last();
    for (auto _ : state)
        p.XPButton1Click(nullptr);
    state.counters["bars"] = p.DBChart1->PointCount();
}
BENCHMARK(BM_QuickStatWeek)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_QuickStatBlock(benchmark::State& state)
{
    TtoolQuickstatFrm& p = pane();
    orvServer->daten.Last();
    for (auto _ : state)
        p.XPButton2Click(nullptr);
    state.counters["bars"] = p.DBChart1->PointCount();
}
BENCHMARK(BM_QuickStatBlock)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_LoadStatisticsYear(benchmark::State& state)
{
    openDatabase();
    static TZeitNeu* period = [] {
        auto* w = new TZeitNeu(nullptr);
        for (QListWidget* list : {w->CheckListBox1, w->CheckListBox2})
            for (int i = 0; i < list->count(); ++i)
                list->item(i)->setCheckState(Qt::Checked);
        return w;
    }();
    ZeitNeu = period;
    // A year in the middle of the ten years.
    SetClock([] { return EncodeDate(2019, 6, 15); });
    period->SpeedButton5Click(nullptr);
    static TbelStat* window = new TbelStat(nullptr);
    for (auto _ : state) {
        window->fillStatistics(window->ChartFX42, QStringLiteral("Belastungsart"), QStringLiteral("Meter"));
        window->fillStatistics(window->ChartFX41, QStringLiteral("Belastungsstufe"), QStringLiteral("Meter"));
    }
    state.counters["units"] = TrainingUnitCount;
}
BENCHMARK(BM_LoadStatisticsYear)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
