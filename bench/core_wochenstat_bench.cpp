// Speed of the weekly statistics on the ten-year database (10,000 units from 2014 on):
// - the database work of a fill (one query over the run's days, sorted into weeks) for 52 weeks
//   (goal: 20 ms) and for 520 weeks (goal: 40 ms);
// - the window's whole fill of 52 weeks: table, totals and the detail of week 1.
#include <benchmark/benchmark.h>

#include <QLineEdit>

#include "analysis/weekstat.h"
#include "analysis/wochenstat.h"
#include "bench/benchserver.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/datetimepicker.h"

namespace {

TorvServer& server()
{
    static TorvServer* srv = tenyeardb::OpenServer(tenyeardb::Generate(tenyeardb::TemplatePath()));
    return *srv;
}

void fill(benchmark::State& state, TDateTime start, int weeks)
{
    TorvServer& srv = server();
    TWeekSettings s;
    s.Start = start;
    s.Weeks = weeks;
    s.UnitCalc = 0.001;
    s.WithPlanning = true;
    double km = 0;
    for (auto _ : state) {
        const std::vector<TWeek> result = FillWeeks(srv.orvDB, s);
        km = 0;
        for (const TWeek& w : result)
            km += w.Distance;
        benchmark::DoNotOptimize(km);
    }
    state.counters["km"] = km;
}

void BM_WeeksOfOneYear(benchmark::State& state)
{
    fill(state, EncodeDate(2018, 12, 31), 52);
}
BENCHMARK(BM_WeeksOfOneYear)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_WeeksOfTenYears(benchmark::State& state)
{
    fill(state, EncodeDate(2013, 12, 30), 520);
}
BENCHMARK(BM_WeeksOfTenYears)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_WindowFillOfOneYear(benchmark::State& state)
{
    server();
    static TWochenstat* w = new TWochenstat(nullptr);
    w->DateTimePicker1->SetDateTime(EncodeDate(2018, 12, 31));
    w->Edit1->setText(QStringLiteral("52"));
    for (auto _ : state)
        w->fillWeeks();
    state.counters["rows"] = w->StringGrid1->RowCount() - 1;
}
BENCHMARK(BM_WindowFillOfOneYear)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
