// Speed of the route manager: its category tree rebuilt over 500 routes in 25 categories
// (goal: 200 ms or less), and the height profile of a route with 2,000 points read from the
// points and drawn (goal: 100 ms or less).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdlib>

#include "bench/benchserver.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "platform/chart/chartrenderer.h"
#include "traininglog/strmanager.h"

namespace {

constexpr int kRoutes = 500;
constexpr int kPoints = 2000;

// The data module on an empty athlete database with 500 routes; route 1 has 2,000 points.
TorvServer& server()
{
    static QTemporaryDir dir;
    static TorvServer* s = [] {
        const QString path = dir.filePath(QStringLiteral("strecken.orv"));
        if (!QFile::copy(tenyeardb::TemplatePath(), path))
            std::abort();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        sqlite3* db = nullptr;
        if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
            std::abort();
        tenyeardb::exec(db, "BEGIN");
        const QByteArray routes =
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                           "INSERT INTO STRECKE (StrIndex, Name, Laenge, str_kategorie) "
                           "SELECT i, 'Runde ' || i, i * 100, 'Gebiet ' || (i % 25) FROM n")
                .arg(kRoutes)
                .toUtf8();
        tenyeardb::exec(db, routes.constData());
        const QByteArray points =
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                           "INSERT INTO streckez (StrIndex, Meter, Streckenpunkt, Hoehe) "
                           "SELECT 1, i * 10, 'Punkt ' || i, 200 + abs((i % 200) - 100) FROM n")
                .arg(kPoints - 1)
                .toUtf8();
        tenyeardb::exec(db, points.constData());
        tenyeardb::exec(db, "COMMIT");
        sqlite3_close(db);
        return tenyeardb::OpenServer(path);
    }();
    return *s;
}

void BM_RouteTreeFill(benchmark::State& state)
{
    server();
    TstrManager manager;
    for (auto _ : state)
        manager.fillTreeView();
    int leaves = 0;
    for (int i = 0; i < manager.TreeView1->topLevelItemCount(); ++i)
        leaves += manager.TreeView1->topLevelItem(i)->childCount();
    state.counters["routes"] = leaves;
    if (leaves != kRoutes)
        state.SkipWithError("the tree does not hold 500 routes");
}
BENCHMARK(BM_RouteTreeFill)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_RouteProfileDraw(benchmark::State& state)
{
    TorvServer& srv = server();
    TstrManager manager;
    srv.strecke.Locate(QStringLiteral("StrIndex"), 1);
    QImage image(manager.DBChart1->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        manager.refreshChart();
        QPainter painter(&image);
        ChartRenderer(*manager.DBChart1).render(painter, QRectF(image.rect()));
    }
    state.counters["points"] = manager.DBChart1->SeriesObject(0).PointCount();
    if (manager.DBChart1->SeriesObject(0).PointCount() != kPoints)
        state.SkipWithError("the profile does not hold 2,000 points");
}
BENCHMARK(BM_RouteProfileDraw)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN();
