// Speed of the period chart on the ten-year database (10,000 units in 1,000 blocks):
// - day grouping over one year, every sport (goal: 100 ms);
// - one year unit by unit, the pulse over the load levels.
#include <benchmark/benchmark.h>

#include "analysis/periodchart.h"
#include "analysis/zeitraumsql.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "platform/chart/chartmodel.h"
#include "platform/rtl/sysutils.h"

namespace {

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

PeriodChartRequest yearRequest(const QString& grouping, int y)
{
    PeriodChartRequest r;
    r.grouping = grouping;
    r.marking = QStringLiteral("Sportart");
    r.y = y;
    r.unitFactor = 0.001;
    r.unitChoice = 1;
    r.firstDay = EncodeDate(2018, 6, 15);
    r.lastDay = EncodeDate(2019, 6, 14);
    r.condition = PeriodCondition(r.firstDay, r.lastDay, QStringLiteral("(1=1)"), QStringLiteral("(1=1)"),
                                  FormatSettings());
    return r;
}

void BM_PeriodChartDaysOfAYear(benchmark::State& state)
{
    TorvServer& s = server();
    const PeriodChartRequest r = yearRequest(QStringLiteral("Tag"), pyDistance);
    ChartModel chart;
    for (auto _ : state)
        FillPeriodChart(chart, s.orvDB, r);
    state.counters["points"] = chart.PointCount();
}
BENCHMARK(BM_PeriodChartDaysOfAYear)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PeriodChartUnitsOfAYear(benchmark::State& state)
{
    TorvServer& s = server();
    const PeriodChartRequest r = yearRequest(QStringLiteral("keine"), pyPulse);
    ChartModel chart;
    for (auto _ : state)
        FillPeriodChart(chart, s.orvDB, r);
    state.counters["points"] = chart.PointCount();
}
BENCHMARK(BM_PeriodChartUnitsOfAYear)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
