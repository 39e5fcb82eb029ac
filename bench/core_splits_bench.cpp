// Speed of the split page on the ten-year database (10,000 units with 300 samples each) plus one
// long unit with 3,600 heart-rate samples (an hour at one sample a second):
// - filling the entry window's split grid on the tab "HF" for the long unit (goal: 500 ms),
//   with the split query read anew as a page switch or a change of unit does;
// - the split statistics of those 3,600 rows from the filled grid (goal: 30 ms);
// - opening the comparison unit selection on all 10,001 units (goal: 1 s).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabBar>

#include <sqlite3.h>

#include "bench/benchserver.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/vergleichselect.h"
#include "traininglog/zwgrid.h"
#include "traininglog/zwstatistik.h"

namespace {

using tenyeardb::kLongUnit;

// The ten-year database with the long unit added as the newest one.
QString databaseWithLongUnit()
{
    const QString path = tenyeardb::Generate(tenyeardb::TemplatePath());
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    tenyeardb::exec(db, "BEGIN");
    tenyeardb::AddLongUnit(db);
    tenyeardb::InsertHourOfSamples(db, kLongUnit);
    tenyeardb::exec(db, "COMMIT");
    sqlite3_close(db);
    return path;
}

TorvServer& server()
{
    static TorvServer* s = [] {
        TorvServer* srv = tenyeardb::OpenServer(databaseWithLongUnit());
        srv->daten.Locate("dat_Id", kLongUnit);
        return srv;
    }();
    return *s;
}

// The entry window on its split page, tab "HF".
Teingabe& window()
{
    static Teingabe* w = [] {
        server();
        auto* e = new Teingabe(nullptr);
        e->resize(900, 600);
        e->PageControl2->setCurrentWidget(e->TabSheet5);
        e->TabControl1->setCurrentIndex(1);
        return e;
    }();
    return *w;
}

void BM_SplitGridFillHeartRateTab(benchmark::State& state)
{
    Teingabe& w = window();
    for (auto _ : state)
        w.updateZwSql();
    state.counters["rows"] = w.StringGrid1->RowCount() - 1;
}
BENCHMARK(BM_SplitGridFillHeartRateTab)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SplitStatisticsOfTheFilledGrid(benchmark::State& state)
{
    Teingabe& w = window();
    w.updateZwSql();
    TorvServer& srv = server();
    // The fill leaves the single-table form open; the statistics run on the rows it read.
    srv.zeit.Close();
    srv.zeit.SetSQLText(zwgrid::readSql(kLongUnit, true, false));
    srv.zeit.Open();
    const QList<QStringList> rows = zwgrid::dataRows(*w.StringGrid1);
    const QString condition = zwgrid::statisticsCondition(kLongUnit, true);
    for (auto _ : state)
        srv.calcZwStatistics(condition, rows);
    state.counters["rows"] = rows.size();
    state.counters["avgPuls"] = zwStatistik.avgPuls;
}
BENCHMARK(BM_SplitStatisticsOfTheFilledGrid)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ComparisonSelectionOpens(benchmark::State& state)
{
    server();
    for (auto _ : state) {
        TvergleichSelect select;
        select.FormShow(&select);
        benchmark::DoNotOptimize(select.ADOTable1dat_Id());
    }
}
BENCHMARK(BM_ComparisonSelectionOpens)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
