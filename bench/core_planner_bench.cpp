// Speed of the appointment planner on the ten-year database (10,000 units, about 80 a month):
// - a month fill: the unit lines of every day, the six week totals and the calendar-week chart;
// - a week fill: the seven day panels and the chart.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "traininglog/kalendermonat.h"
#include "traininglog/kalendertag.h"
#include "traininglog/terminframe.h"
#include "traininglog/toolcalweekframe.h"

namespace {

// The data module on the ten-year database and the planner's frames, created once per run.
void setUp()
{
    static bool done = [] {
        auto* srv = new TorvServer;
        srv->DataModuleCreate();
        orvServer = srv;
        if (!srv->openDatabase(tenyeardb::Generate(tenyeardb::TemplatePath())))
            std::abort();
        toolCalWeekFrm = new TtoolCalWeekFrm(nullptr);
        frmKalTag = new TfrmKalTag(nullptr);
        frmKalMonat = new TfrmKalMonat(nullptr);
        terminFrame = new TterminFrame(nullptr);
        terminFrame->XPButton1Click(terminFrame->XPButton1);
        return true;
    }();
    (void)done;
}

void BM_PlannerMonthFill(benchmark::State& state)
{
    setUp();
    terminFrame->setStartDate(EncodeDate(2018, 3, 14));
    terminFrame->XPButton2->SetDown(true);
    terminFrame->XPButton2->Click();
    for (auto _ : state)
        terminFrame->XPButton5Click(terminFrame->XPButton5);
    state.counters["lines"] = [] {
        int n = 0;
        for (int day = 1; day <= 31; ++day)
            for (int line = 1; line <= 5; ++line)
                n += frmKalMonat->ORVCalendar1->DayLines(line, day).Text.isEmpty() ? 0 : 1;
        return n;
    }();
}
BENCHMARK(BM_PlannerMonthFill)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PlannerWeekFill(benchmark::State& state)
{
    setUp();
    terminFrame->setStartDate(EncodeDate(2018, 3, 12));
    terminFrame->XPButton1->SetDown(true);
    terminFrame->XPButton1->Click();
    for (auto _ : state)
        terminFrame->XPButton5Click(terminFrame->XPButton5);
    int units = 0;
    for (TQuery& q : frmKalTag->days)
        units += q.RecordCount();
    state.counters["units"] = units;
}
BENCHMARK(BM_PlannerWeekFill)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
