// Speed of the Jet SQL translator: a typical statement of the program translated the first
// time (parse, column types from the database, rewrite) and again from the cache.
#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include "platform/db/jetsql.h"

namespace {

const char* kSchema =
    "CREATE TABLE DATEN (dat_Id INTEGER PRIMARY KEY AUTOINCREMENT, Datum DATETIME, Ort VARCHAR(30) COLLATE NOCASE,"
    " Form INTEGER, Startzeit DATETIME, Zeit DATETIME, Meter INTEGER, Sportart INTEGER, Belastungsstufe SMALLINT,"
    " trainingsblock INTEGER);"
    "CREATE TABLE zeit (zei_Id INTEGER, Meter INTEGER, Zwischenzeit DATETIME, Puls SMALLINT, HDiff SMALLINT,"
    " zei_hrm BOOLEAN);"
    "CREATE TABLE sportart (Spo_Id INTEGER PRIMARY KEY, Spo_Name VARCHAR(20), Spo_distance INTEGER);"
    "CREATE TABLE unit (unt_id INTEGER PRIMARY KEY, unt_name VARCHAR(50), unt_shortname VARCHAR(9), unt_calc DOUBLE);";

const QString kStatement = QStringLiteral(
    "SELECT zeit.*,unit.unt_shortName,unit.unt_Name,unit.unt_calc FROM ((zeit INNER JOIN daten on "
    "(daten.dat_id = zeit.zei_id)) inner join sportart on (daten.sportart = sportart.spo_id)) inner join unit on "
    "(sportart.spo_distance = unit.unt_id)\r\nwhere zei_id = 17 and zei_hrm = False and zwischenzeit < '00:30:00' "
    "order by zeit.meter");

struct Db {
    Db()
    {
        sqlite3_open(":memory:", &db);
        sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr);
    }
    ~Db() { sqlite3_close(db); }
    sqlite3* db = nullptr;
};

void BM_TranslateFirstTime(benchmark::State& state)
{
    Db d;
    sqlite3* db = d.db;
    TJetTranslator tr([db]() { return db; });
    tr.SetFormatSettings(GermanFormatSettings());
    for (auto _ : state) {
        tr.ClearCache();  // parse, read the column types and rewrite every time
        benchmark::DoNotOptimize(tr.translate(kStatement));
    }
}
BENCHMARK(BM_TranslateFirstTime);

void BM_TranslateCached(benchmark::State& state)
{
    Db d;
    sqlite3* db = d.db;
    TJetTranslator tr([db]() { return db; });
    tr.SetFormatSettings(GermanFormatSettings());
    tr.translate(kStatement);
    for (auto _ : state)
        benchmark::DoNotOptimize(tr.translate(kStatement));
}
BENCHMARK(BM_TranslateCached);

}  // namespace

BENCHMARK_MAIN();
