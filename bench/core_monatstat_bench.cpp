// Speed of the monthly statistics on the ten-year database (10,000 units from 2014 on):
// - the database work of a fill (the grouped query over all units and one filtered look-up per
//   month) for 12 months and for 120 months (goal for both: 20 ms);
// - the window's whole fill of 12 months: query, table and totals.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QLineEdit>

#include "analysis/jahresstat.h"
#include "analysis/monthstat.h"
#include "bench/benchserver.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "platform/db/query.h"

namespace {

TorvServer& server()
{
    static TorvServer* srv = tenyeardb::OpenServer(tenyeardb::Generate(tenyeardb::TemplatePath()));
    return *srv;
}

void fill(benchmark::State& state, int year, int months)
{
    TorvServer& srv = server();
    TQuery query;
    query.SetConnection(&srv.orvDB);
    TMonthSettings s;
    s.StartMonth = 1;
    s.Year = year;
    s.Months = months;
    s.UnitCalc = 0.001;
    int64_t metres = 0;
    for (auto _ : state) {
        const TMonthRun run = FillMonths(query, s);
        metres = run.Metres;
        benchmark::DoNotOptimize(metres);
    }
    state.counters["km"] = double(metres) / 1000;
}

void BM_MonthsOfOneYear(benchmark::State& state)
{
    fill(state, 2019, 12);
}
BENCHMARK(BM_MonthsOfOneYear)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MonthsOfTenYears(benchmark::State& state)
{
    fill(state, 2014, 120);
}
BENCHMARK(BM_MonthsOfTenYears)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_WindowFillOfOneYear(benchmark::State& state)
{
    server();
    static Tjahresstat* w = new Tjahresstat(nullptr);
    w->ComboBox1->setCurrentIndex(0);
    w->Edit1->setText(QStringLiteral("2019"));
    w->Edit2->setText(QStringLiteral("12"));
    for (auto _ : state)
        w->fillGrid();
    state.counters["rows"] = w->StringGrid1->RowCount() - 1;
}
BENCHMARK(BM_WindowFillOfOneYear)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
