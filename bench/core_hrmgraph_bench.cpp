// Speed of the heart-rate graph: an hour of heart-rate samples (3,600 rows, one a second) read
// from the split query, filled into the graph's fourteen-series chart and painted at the
// window's size must take under 300 ms together. Measured with the unit alone and with a
// comparison unit of the same length.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <sqlite3.h>

#include "bench/benchserver.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "platform/chart/chartrenderer.h"
#include "traininglog/hrmgraph.h"
#include "traininglog/zwgrid.h"

namespace {

// Two units with an hour of samples each, in a copy of the empty template.
QString databaseWithTwoHours()
{
    static QTemporaryDir dir;
    const QString path = dir.filePath("stunde.orv");
    tenyeardb::Write(tenyeardb::TemplatePath(), path, 2);
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    tenyeardb::exec(db, "BEGIN");
    tenyeardb::exec(db, "DELETE FROM zeit");
    for (int unit = 1; unit <= 2; ++unit)
        tenyeardb::InsertHourOfSamples(db, unit, true);
    tenyeardb::exec(db, "COMMIT");
    sqlite3_close(db);
    return path;
}

TorvServer& server()
{
    static TorvServer* s = [] {
        TorvServer* srv = tenyeardb::OpenServer(databaseWithTwoHours());
        srv->daten.Locate("dat_Id", 1);
        // The split query as the split page leaves it for the unit's samples.
        srv->zeit.Close();
        srv->zeit.SetSQLText(zwgrid::editSql(1, true));
        srv->zeit.Open();
        return srv;
    }();
    return *s;
}

void fillAndPaint(benchmark::State& state, bool comparison)
{
    server();
    TzwHRMGraph graph;
    graph.resize(1000, 640);
    graph.XPButton9->SetDown(true);  // over elapsed time, as for samples
    graph.XPButton13->SetDown(true);  // with the calculated speed
    if (comparison) {
        graph.seriesGroups = 2;
        graph.compareUnitId = 2;
    }
    QImage image(graph.ChartFX1->size().expandedTo(QSize(780, 580)), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        graph.FillGraf();
        QPainter painter(&image);
        ChartRenderer(*graph.ChartFX1).render(painter, QRectF(image.rect()));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["points"] = graph.ChartFX1->PointCount();
    state.counters["series"] = graph.ChartFX1->SeriesCount();
}

void BM_HrmGraphFillAndPaint3600Samples(benchmark::State& state)
{
    fillAndPaint(state, false);
}
BENCHMARK(BM_HrmGraphFillAndPaint3600Samples)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_HrmGraphFillAndPaintWithComparison(benchmark::State& state)
{
    fillAndPaint(state, true);
}
BENCHMARK(BM_HrmGraphFillAndPaintWithComparison)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
