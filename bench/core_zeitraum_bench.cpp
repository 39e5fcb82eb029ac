// Speed of the period statistics on the ten-year database (10,000 units in 1,000 blocks):
// - "Jahr": one year's units listed and summed (goal: 50 ms);
// - "Alle": every unit listed and summed (goal: 300 ms);
// - "Alle" with the blocks' summary rows shown.
#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QListWidget>
#include <QToolButton>

#include "analysis/zeitraumneu.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "platform/db/query.h"
#include "platform/rtl/sysutils.h"

namespace {

TZeitNeu& window()
{
    static TZeitNeu* w = [] {
        auto* srv = new TorvServer;
        srv->DataModuleCreate();
        orvServer = srv;
        if (!srv->openDatabase(tenyeardb::Generate(tenyeardb::TemplatePath())))
            std::abort();
        auto* win = new TZeitNeu(nullptr);
        // Every sport and form, the planning form included: all 10,000 units.
        for (QListWidget* list : {win->CheckListBox1, win->CheckListBox2})
            for (int i = 0; i < list->count(); ++i)
                list->item(i)->setCheckState(Qt::Checked);
        return win;
    }();
    return *w;
}

void BM_PeriodYear(benchmark::State& state)
{
    TZeitNeu& w = window();
    // A day in the middle of the ten years, so that "Jahr" holds a full year of units.
    SetClock([] { return EncodeDate(2019, 6, 15); });
    w.CheckBox1->setChecked(false);
    for (auto _ : state)
        w.SpeedButton5Click(nullptr);
    state.counters["units"] = TrainingUnitCount;
}
BENCHMARK(BM_PeriodYear)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PeriodAll(benchmark::State& state)
{
    TZeitNeu& w = window();
    SetClock([] { return EncodeDate(2024, 6, 1); });  // after the last unit
    w.CheckBox1->setChecked(false);
    for (auto _ : state)
        w.SpeedButton6Click(nullptr);
    state.counters["units"] = TrainingUnitCount;
}
BENCHMARK(BM_PeriodAll)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PeriodAllWithBlocks(benchmark::State& state)
{
    TZeitNeu& w = window();
    SetClock([] { return EncodeDate(2024, 6, 1); });
    w.CheckBox1->setChecked(true);
    for (auto _ : state)
        w.SpeedButton6Click(nullptr);
    state.counters["rows"] = orvServer->zeitraum.RecordCount();
    w.CheckBox1->setChecked(false);
}
BENCHMARK(BM_PeriodAllWithBlocks)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
