// Speed of the equipment manager's usage panel on the ten-year database (10,000 units): one
// item is linked to 2,000 of them, and the panel reads those units, counts them, sums their
// distance and sets its labels and bars. Goal: 100 ms or less per item.
#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <cstdlib>

#include "bench/benchserver.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "traininglog/eqmanager.h"

namespace {

constexpr int kLinkedUnits = 2000;

// The data module on the ten-year database with the item 1 used in every fifth unit.
TorvServer& server()
{
    static TorvServer* s = [] {
        const QString path = tenyeardb::Generate(tenyeardb::TemplatePath());
        sqlite3* db = nullptr;
        if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
            std::abort();
        tenyeardb::exec(db, "INSERT INTO EQUIPMENT (equ_Id, Bezeichnung, Kilometer, equ_aktuell, equ_kategorie) "
                            "VALUES (1, 'Laufschuh', 1000, 1, 'Schuhe'), (2, 'Rad', 5000, 1, 'Räder')");
        const QByteArray links = QStringLiteral("INSERT INTO EQDATEN (EqIndex, EinheiIndex) SELECT 1, dat_Id FROM DATEN "
                                                "WHERE dat_Id % 5 = 0 ORDER BY dat_Id LIMIT %1")
                                     .arg(kLinkedUnits)
                                     .toUtf8();
        tenyeardb::exec(db, links.constData());
        sqlite3_close(db);
        return tenyeardb::OpenServer(path);
    }();
    return *s;
}

void BM_EquipmentShowUsage(benchmark::State& state)
{
    TorvServer& srv = server();
    TeqManager manager;
    srv.equipment.Locate(QStringLiteral("equ_Id"), 1);
    for (auto _ : state)
        manager.showUsage();
    state.counters["units"] = srv.eqdetail.RecordCount();
    if (srv.eqdetail.RecordCount() != kLinkedUnits)
        state.SkipWithError("the item is not linked to 2,000 units");
}
BENCHMARK(BM_EquipmentShowUsage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN();
