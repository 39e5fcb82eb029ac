#include "tests/platform/db/dbtestfixture.h"

namespace {

const char* kSchema = R"(
CREATE TABLE daten (dat_Id INTEGER PRIMARY KEY, Datum DATETIME, Ort VARCHAR(30) COLLATE NOCASE,
  Meter INTEGER, Zeit DATETIME, Sportart INTEGER, Bemerkungen TEXT COLLATE NOCASE,
  Hoehendifferenz SMALLINT, trainingsblock INTEGER);
CREATE TABLE zeit (zei_Id INTEGER, Meter INTEGER, Zwischenzeit DATETIME, Puls SMALLINT,
  Notitz VARCHAR(100) COLLATE NOCASE);
CREATE TABLE sportart (Spo_Id INTEGER, Spo_Name VARCHAR(20) COLLATE NOCASE, Spo_distance INTEGER);
CREATE TABLE unit (unt_id INTEGER PRIMARY KEY, unt_type INTEGER, unt_name VARCHAR(50) COLLATE NOCASE,
  unt_shortname VARCHAR(9) COLLATE NOCASE, unt_calc DOUBLE);
CREATE TABLE plan_daten (pld_ID INTEGER PRIMARY KEY, pld_PlanID INTEGER, pld_DatenID INTEGER,
  pld_status VARCHAR(50) COLLATE NOCASE, pld_realisiert BIT);
INSERT INTO daten VALUES (1, 45000, 'Berlin', 10000, 0.03125, 1, NULL, 10, 7);
INSERT INTO daten VALUES (2, 45001, 'Hamburg', 5000, 0.015625, 2, 'locker', 0, 7);
INSERT INTO daten VALUES (3, 45002, 'München', 21100, 0.0625, 3, NULL, 120, 8);
INSERT INTO zeit VALUES (1, 1000, 0.003, 140, 'a');
INSERT INTO zeit VALUES (1, 2000, 0.006, 150, 'b');
INSERT INTO zeit VALUES (1, 2000, 0.006, 150, 'b');
INSERT INTO zeit VALUES (2, 1000, 0.004, 130, 'c');
INSERT INTO sportart VALUES (1, 'Laufen', 1), (2, 'Radfahren', 2);
INSERT INTO unit VALUES (1, 1, 'Kilometer', 'km', 0.001), (2, 1, 'Meilen', 'mi', 0.000621371);
INSERT INTO plan_daten VALUES (1, 5, 1, 'offen', 0), (2, 5, 2, 'erledigt', 1), (3, 6, 3, 'offen', 0);
)";

}  // namespace

void DbTest::SetUp()
{
    fileName = tmp.file(QStringLiteral("athlet.orv"));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(fileName.toUtf8().constData(), &db), SQLITE_OK);
    char* err = nullptr;
    const int rc = sqlite3_exec(db, kSchema, nullptr, nullptr, &err);
    EXPECT_EQ(rc, SQLITE_OK) << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
    conn.Open(fileName);
}

void DbTest::TearDown()
{
    conn.Close();
}

void DbTest::exec(const QString& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(fileName.toUtf8().constData(), &db), SQLITE_OK);
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    EXPECT_EQ(rc, SQLITE_OK) << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
}

QVariant DbTest::scalar(const QString& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open(fileName.toUtf8().constData(), &db);
    sqlite3_stmt* stmt = nullptr;
    QVariant v;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        v = ColumnVariant(stmt, 0);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return v;
}

void EventLog::attach(TDataSet& ds, TDataSource* src)
{
    auto add = [this](const char* name) {
        return [this, name](TDataSet*) { log << QString::fromLatin1(name); };
    };
    ds.BeforeOpen = add("BeforeOpen");
    ds.AfterOpen = add("AfterOpen");
    ds.BeforeClose = add("BeforeClose");
    ds.AfterClose = add("AfterClose");
    ds.BeforeInsert = add("BeforeInsert");
    ds.AfterInsert = add("AfterInsert");
    ds.OnNewRecord = add("OnNewRecord");
    ds.BeforeEdit = add("BeforeEdit");
    ds.AfterEdit = add("AfterEdit");
    ds.BeforePost = add("BeforePost");
    ds.AfterPost = add("AfterPost");
    ds.BeforeCancel = add("BeforeCancel");
    ds.AfterCancel = add("AfterCancel");
    ds.BeforeDelete = add("BeforeDelete");
    ds.AfterDelete = add("AfterDelete");
    ds.BeforeScroll = add("BeforeScroll");
    ds.AfterScroll = add("AfterScroll");
    if (src) {
        src->OnStateChange = [this](TDataSource* s) {
            static const char* names[] = {"Inactive", "Browse", "Edit", "Insert", "SetKey", "CalcFields", "Filter"};
            log << QStringLiteral("StateChange:%1").arg(QString::fromLatin1(names[s->State()]));
        };
        src->OnDataChange = [this](TDataSource*, TField* f) {
            log << (f ? QStringLiteral("DataChange:") + f->FieldName() : QStringLiteral("DataChange"));
        };
    }
}
