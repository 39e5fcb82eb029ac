// Speed of the database layer: opening large table datasets and inserting through the dataset
// API. The database is generated once into the temporary folder.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QString>

#include <sqlite3.h>

#include <cstdio>

#include "platform/db/connection.h"
#include "platform/db/query.h"
#include "platform/db/table.h"

namespace {

constexpr int kDaten = 100000;
constexpr int kUnits = 10000;
constexpr int kZeit = 3000000;

const QString kFile = QStringLiteral("/tmp/orv_db_bench2.orv");
const QString kInsertFile = QStringLiteral("/tmp/orv_db_bench_insert.orv");

void run(sqlite3* db, const char* sql)
{
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", err ? err : "?");
        sqlite3_free(err);
    }
}

const char* kSchema =
    "CREATE TABLE daten (dat_Id INTEGER PRIMARY KEY, Datum DATETIME, Ort VARCHAR(30) COLLATE NOCASE, "
    "Form INTEGER, Startzeit DATETIME, Zeit DATETIME, Meter INTEGER, Bemerkungen TEXT COLLATE NOCASE, "
    "Puls SMALLINT, Sportart INTEGER, trainingsblock INTEGER);"
    "CREATE INDEX daten_datum ON daten (Datum, Startzeit);"
    "CREATE TABLE zeit (zei_Id INTEGER, Meter INTEGER, Zwischenzeit DATETIME, Puls SMALLINT, "
    "zei_minpuls SMALLINT, zei_maxpuls SMALLINT, HDiff SMALLINT, Notitz VARCHAR(100) COLLATE NOCASE, "
    "zwTyp SMALLINT, zei_hrm BIT);"
    "CREATE INDEX zeit_unit ON zeit (zei_Id, Meter);";

// Builds the database once: daten rows (the first kUnits carry the split rows) and zeit rows.
void ensureDatabase()
{
    if (QFile::exists(kFile))
        return;
    sqlite3* db = nullptr;
    sqlite3_open(kFile.toUtf8().constData(), &db);
    run(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF");
    run(db, kSchema);
    run(db, "BEGIN");
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO daten VALUES (?,?,?,?,?,?,?,NULL,?,?,?)", -1, &s, nullptr);
    for (int i = 1; i <= kDaten; ++i) {
        sqlite3_bind_int(s, 1, i);
        sqlite3_bind_double(s, 2, 36000 + i / 3);
        sqlite3_bind_text(s, 3, i % 2 ? "Berlin" : "München", -1, SQLITE_STATIC);
        sqlite3_bind_int(s, 4, i % 5);
        sqlite3_bind_double(s, 5, (i % 24) / 24.0);
        sqlite3_bind_double(s, 6, 0.04);
        sqlite3_bind_int(s, 7, 10000 + i % 1000);
        sqlite3_bind_int(s, 8, 140);
        sqlite3_bind_int(s, 9, 1 + i % 3);
        sqlite3_bind_int(s, 10, i % 50);
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    sqlite3_prepare_v2(db, "INSERT INTO zeit VALUES (?,?,?,?,0,0,0,NULL,0,1)", -1, &s, nullptr);
    for (int i = 0; i < kZeit; ++i) {
        sqlite3_bind_int(s, 1, 1 + i % kUnits);
        sqlite3_bind_int(s, 2, (i / kUnits) * 10);
        sqlite3_bind_double(s, 3, i / 86400000.0);
        sqlite3_bind_int(s, 4, 120 + i % 60);
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    run(db, "COMMIT");
    sqlite3_close(db);
}

// Resident memory of the process's own (anonymous) pages in KiB; the pages of the database file
// that SQLite maps into memory belong to the file cache and are not counted.
long residentKiB()
{
    long pages = 0, resident = 0, shared = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld %ld", &pages, &resident, &shared) != 3)
            resident = shared = 0;
        std::fclose(f);
    }
    return (resident - shared) * 4;
}

void BM_OpenZeitTable(benchmark::State& state)
{
    ensureDatabase();
    TConnection conn;
    conn.Open(kFile);
    long grown = 0;
    for (auto _ : state) {
        TTable zeit;
        zeit.SetConnection(&conn);
        zeit.SetTableName(QStringLiteral("zeit"));
        const long before = residentKiB();
        zeit.Open();
        zeit.Last();  // the end of the snapshot is reachable at once
        benchmark::DoNotOptimize(zeit.FieldByName(QStringLiteral("Puls"))->AsInteger());
        grown = std::max(grown, residentKiB() - before);
        if (zeit.RecordCount() != kZeit)
            state.SkipWithError("wrong row count");
        state.PauseTiming();
        zeit.Close();
        state.ResumeTiming();
    }
    state.counters["rows"] = kZeit;
    state.counters["MB"] = double(grown) / 1024.0;
}
BENCHMARK(BM_OpenZeitTable)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenDatenTable(benchmark::State& state)
{
    ensureDatabase();
    TConnection conn;
    conn.Open(kFile);
    for (auto _ : state) {
        TTable daten;
        daten.SetConnection(&conn);
        daten.SetTableName(QStringLiteral("daten"));
        daten.SetIndexFieldNames(QStringLiteral("datum;startzeit"));
        daten.Open();
        benchmark::DoNotOptimize(daten.FieldByName(QStringLiteral("Ort"))->AsString());
        if (daten.RecordCount() != kDaten)
            state.SkipWithError("wrong row count");
        state.PauseTiming();
        daten.Close();
        state.ResumeTiming();
    }
    state.counters["rows"] = kDaten;
}
BENCHMARK(BM_OpenDatenTable)->Unit(benchmark::kMillisecond)->Iterations(10);

// The key list of the 3,000,000-row table read page by page, as a cursor walking the whole
// table meets it: one read per page, each starting where the one before ended (linear).
void BM_ZeitKeyPagesWholeTable(benchmark::State& state)
{
    ensureDatabase();
    TConnection conn;
    conn.Open(kFile);
    for (auto _ : state) {
        TTable zeit;
        zeit.SetConnection(&conn);
        zeit.SetTableName(QStringLiteral("zeit"));
        zeit.SetIndexFieldNames(QStringLiteral("zei_Id;Meter"));
        zeit.Open();
        for (int recNo = 1; recNo <= kZeit; recNo += 4096)
            zeit.SetRecNo(recNo);
        zeit.Last();
        benchmark::DoNotOptimize(zeit.FieldByName(QStringLiteral("Puls"))->AsInteger());
    }
    state.counters["rows"] = kZeit;
}
BENCHMARK(BM_ZeitKeyPagesWholeTable)->Unit(benchmark::kMillisecond)->Iterations(3);

// Locate by the unit's key in the 3,000,000-row table, at its start and at its end: one indexed
// query and a count of the rows before the match.
void BM_ZeitLocateUnit(benchmark::State& state)
{
    ensureDatabase();
    TConnection conn;
    conn.Open(kFile);
    TTable zeit;
    zeit.SetConnection(&conn);
    zeit.SetTableName(QStringLiteral("zeit"));
    zeit.SetIndexFieldNames(QStringLiteral("zei_Id;Meter"));
    zeit.Open();
    const int unit = state.range(0) ? kUnits : 2;
    for (auto _ : state)
        if (!zeit.Locate(QStringLiteral("zei_Id"), unit))
            state.SkipWithError("not found");
}
BENCHMARK(BM_ZeitLocateUnit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A step to the next and back to the previous unit in the 100,000-row table, at its first unit
// (0) and at its last (1): the same cost at both ends.
void BM_DatenStep(benchmark::State& state)
{
    ensureDatabase();
    TConnection conn;
    conn.Open(kFile);
    TTable daten;
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    daten.SetIndexFieldNames(QStringLiteral("datum;startzeit"));
    daten.Open();
    if (state.range(0))
        daten.Last();
    for (auto _ : state) {
        if (state.range(0)) {
            daten.Prior();
            daten.Next();
        } else {
            daten.Next();
            daten.Prior();
        }
        benchmark::DoNotOptimize(daten.FieldByName(QStringLiteral("Ort"))->AsString());
    }
}
BENCHMARK(BM_DatenStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Locate of a unit by its key in the 100,000-row table, from a fresh table (its place counted).
void BM_DatenLocateById(benchmark::State& state)
{
    ensureDatabase();
    TConnection conn;
    conn.Open(kFile);
    int id = 1;
    for (auto _ : state) {
        state.PauseTiming();
        TTable daten;
        daten.SetConnection(&conn);
        daten.SetTableName(QStringLiteral("daten"));
        daten.SetIndexFieldNames(QStringLiteral("datum;startzeit"));
        daten.Open();
        id = id * 7919 % kDaten + 1;
        state.ResumeTiming();
        if (!daten.Locate(QStringLiteral("dat_Id"), id))
            state.SkipWithError("not found");
        benchmark::DoNotOptimize(daten.RecNo());
    }
}
BENCHMARK(BM_DatenLocateById)->Unit(benchmark::kMillisecond)->Iterations(50);

// A query over every unit read at open: the time and the memory its rows take.
void BM_QueryAllUnits(benchmark::State& state)
{
    ensureDatabase();
    TConnection conn;
    conn.Open(kFile);
    long grown = 0;
    for (auto _ : state) {
        TQuery q;
        q.SetConnection(&conn);
        q.SetSQLText(QStringLiteral("SELECT * FROM daten"));
        const long before = residentKiB();
        q.Open();
        grown = std::max(grown, residentKiB() - before);
        benchmark::DoNotOptimize(q.RecordCount());
    }
    state.counters["MB"] = double(grown) / 1024.0;
}
BENCHMARK(BM_QueryAllUnits)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_InsertThroughDataset(benchmark::State& state)
{
    const int rows = 100000;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(kInsertFile);
        sqlite3* db = nullptr;
        sqlite3_open(kInsertFile.toUtf8().constData(), &db);
        run(db, kSchema);
        sqlite3_close(db);
        TConnection conn;
        conn.Open(kInsertFile);
        TTable zeit;
        zeit.SetConnection(&conn);
        zeit.SetTableName(QStringLiteral("zeit"));
        zeit.Open();
        TField* id = zeit.FieldByName(QStringLiteral("zei_Id"));
        TField* meter = zeit.FieldByName(QStringLiteral("Meter"));
        TField* zw = zeit.FieldByName(QStringLiteral("Zwischenzeit"));
        TField* puls = zeit.FieldByName(QStringLiteral("Puls"));
        TField* hrm = zeit.FieldByName(QStringLiteral("zei_hrm"));
        state.ResumeTiming();
        conn.BeginTrans();
        for (int i = 0; i < rows; ++i) {
            zeit.Append();
            id->SetAsInteger(1);
            meter->SetAsInteger(i * 10);
            zw->SetAsDateTime(i / 86400.0);
            puls->SetAsInteger(120 + i % 60);
            hrm->SetAsBoolean(true);
            zeit.Post();
        }
        conn.CommitTrans();
        state.PauseTiming();
        if (zeit.RecordCount() != rows)
            state.SkipWithError("wrong row count");
        zeit.Close();
        conn.Close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_InsertThroughDataset)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
