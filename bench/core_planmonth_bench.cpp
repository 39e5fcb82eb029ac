// Speed of the plan month overview on the ten-year database: one month whose plan holds 300
// plan units (the month's units, each linked several times) drawn on the window, as the show
// button draws it: the units read, the previous drawing freed, the day labels, boxes and sport
// labels created and the window painted (goal: 100 ms).
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>

#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "platform/db/query.h"
#include "traininglog/trainplanwoche.h"

namespace {

TorvServer& server()
{
    static TorvServer* s = [] {
        auto* srv = new TorvServer;
        srv->DataModuleCreate();
        orvServer = srv;
        // The plan is written into a copy: the shared ten-year database stays as the other
        // benchmarks expect it.
        static QTemporaryDir folder;
        const QString copy = folder.filePath(QStringLiteral("plan.orv"));
        if (!QFile::copy(tenyeardb::Generate(tenyeardb::TemplatePath()), copy) || !srv->openDatabase(copy))
            std::abort();
        return srv;
    }();
    return *s;
}

// The first day of a month in the middle of the units, and a plan of 300 units in it.
TDateTime planMonth()
{
    static const TDateTime first = [] {
        TConnection& db = server().orvDB;
        const TDateTime middle = (db.ExecuteScalar("SELECT min(Datum) FROM daten").toDouble() +
                                  db.ExecuteScalar("SELECT max(Datum) FROM daten").toDouble()) / 2;
        const TDateTime month = std::floor(middle) - (DayOf(middle) - 1);
        db.Execute("INSERT INTO plan (pla_Name, pla_Realisiert) VALUES ('Bench', 0)");
        const qint64 planId = db.LastInsertRowId();
        TQuery units;
        units.SetConnection(&db);
        units.SetSQLText(QStringLiteral("SELECT dat_Id FROM daten WHERE Datum >= %1 AND Datum < %2")
                             .arg(month, 0, 'f', 1)
                             .arg(month + DaysInMonth(month), 0, 'f', 1));
        units.Open();
        if (units.IsEmpty())
            std::abort();
        db.BeginTrans();
        for (int linked = 0; linked < 300; ++linked) {
            if (units.Eof())
                units.First();
            db.Execute(QStringLiteral("INSERT INTO plan_daten (pld_PlanID, pld_DatenID) VALUES (%1, %2)")
                           .arg(planId)
                           .arg(units.FieldByName("dat_Id")->AsInteger()));
            units.Next();
        }
        db.CommitTrans();
        server().Plan.Requery();
        server().Plan.Locate("pla_ID", planId);
        return month;
    }();
    return first;
}

void BM_PlanMonthDraw(benchmark::State& state)
{
    const TDateTime month = planMonth();
    TtrainplanWoche window;
    window.resize(760, 672);
    window.show();
    for (auto _ : state) {
        window.showit(month);
        window.repaint();
    }
    state.counters["boxes"] = double(window.Drawn().size() - size_t(DaysInMonth(month))) / 2;
    window.hide();
}
BENCHMARK(BM_PlanMonthDraw)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
