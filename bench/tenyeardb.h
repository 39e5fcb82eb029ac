#pragma once
// The ten-year athlete database the core benchmarks open: 10,000 units with 3,000,000 split and
// heart-rate rows, written straight into a copy of the empty template with sqlite3.
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

namespace tenyeardb {

// The template database the benchmarks start from: $ORV_TEMPLATE, or the one the build puts
// beside the program.
inline QString TemplatePath()
{
    const QString env = qEnvironmentVariable("ORV_TEMPLATE");
    if (!env.isEmpty())
        return env;
    return QCoreApplication::applicationDirPath() + "/../app/DB/leer.orv.system";
}

constexpr int kUnits = 10000;
constexpr int kSamplesPerUnit = 300;
constexpr int kBlocks = 1000;
static_assert(kBlocks * 10 == kUnits, "ten units per block");

inline void exec(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, error ? error : "");
        std::abort();
    }
}

// Writes `units` units from 2014 on, one every 0.365 days, each with 300 samples every 10 s, in
// blocks of ten units, into a copy of the empty template at `path`.
inline void Write(const QString& templateFile, const QString& path, int units)
{
    if (!QFile::copy(templateFile, path)) {
        std::fprintf(stderr, "template not found: %s\n", qPrintable(templateFile));
        std::abort();
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    exec(db, "PRAGMA synchronous=OFF");
    exec(db, "BEGIN");
    const QByteArray blocks = QByteArray::number((units + 9) / 10);
    const QByteArray count = QByteArray::number(units);
    exec(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + blocks +
                 ") "
                 "INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_form, trb_sportart, trb_created) "
                 "SELECT i, 'Block ' || i, 1, 1, 41640 + (i - 1) * 3.65 FROM n");
    exec(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + count +
                 ") "
                 "INSERT INTO DATEN (dat_Id, Datum, Ort, Form, Startzeit, Zeit, Meter, Hoehendifferenz, Puls, "
                 "Belastungsart, Sportart, Belastungsstufe, Gewicht, trainingsblock) "
                 "SELECT i, 41640 + CAST((i - 1) * 0.365 AS INTEGER), 'Stadtpark', 1 + i % 3, 0.25 + (i % 7) * 0.05, "
                 "(1800 + i % 3600) / 86400.0, 5000 + (i * 37) % 20000, i % 200, 120 + i % 50, i % 6, 1 + i % 4, "
                 "i % 6, 70 + (i % 10) / 10.0, 1 + (i - 1) / 10 FROM n");
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, Puls, HDiff, zwTyp, zei_hrm, "
                       "zei_trittfrequenz) VALUES (?, ?, ?, ?, ?, 0, 1, ?)",
                       -1, &stmt, nullptr);
    for (int unit = 1; unit <= units; ++unit)
        for (int s = 0; s < kSamplesPerUnit; ++s) {
            sqlite3_bind_int(stmt, 1, unit);
            sqlite3_bind_int(stmt, 2, s * 30);
            sqlite3_bind_double(stmt, 3, s * 10000 / 86400000.0);
            sqlite3_bind_int(stmt, 4, 110 + (unit + s) % 70);
            sqlite3_bind_int(stmt, 5, 100 + s % 40);
            sqlite3_bind_int(stmt, 6, 80 + s % 20);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
    sqlite3_finalize(stmt);
    exec(db, "COMMIT");
    sqlite3_close(db);
}

// The long unit some benchmarks add as the newest one: 12 km on its own day in the last block,
// without samples (any it had from an earlier run are deleted).
constexpr int kLongUnit = kUnits + 1;
static_assert(kLongUnit == 10001, "the statements below name the long unit's id");

inline void AddLongUnit(sqlite3* db)
{
    exec(db,
         "INSERT OR IGNORE INTO DATEN (dat_Id, Datum, Ort, Form, Startzeit, Zeit, Meter, Hoehendifferenz, "
         "Belastungsart, Sportart, Belastungsstufe, trainingsblock) VALUES (10001, 45300, 'Lang', 1, 0.3, "
         "0.0416666, 12000, 0, 1, 1, 1, 1000)");
    exec(db, "DELETE FROM zeit WHERE zei_Id = 10001");
}

// An hour of heart-rate samples at one a second (3,600 rows) for `unit`, with distance, pulse,
// altitude, cadence and speed varying; `withTemperature` also stores 18 degrees in each.
constexpr int kHourSamples = 3600;

inline void InsertHourOfSamples(sqlite3* db, int unit, bool withTemperature = false)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       withTemperature
                           ? "INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, Puls, HDiff, zwTyp, zei_hrm, "
                             "zei_trittfrequenz, zei_importkmh, zei_temperatur) VALUES (?, ?, ?, ?, ?, 0, 1, ?, ?, 18)"
                           : "INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, Puls, HDiff, zwTyp, zei_hrm, "
                             "zei_trittfrequenz, zei_importkmh) VALUES (?, ?, ?, ?, ?, 0, 1, ?, ?)",
                       -1, &stmt, nullptr);
    for (int s = 0; s < kHourSamples; ++s) {
        sqlite3_bind_int(stmt, 1, unit);
        sqlite3_bind_int(stmt, 2, s * 3);
        sqlite3_bind_double(stmt, 3, (s + 1) * 1000 / 86400000.0);
        sqlite3_bind_int(stmt, 4, 120 + s % 50);
        sqlite3_bind_int(stmt, 5, 100 + (s % 90) - 45);
        sqlite3_bind_int(stmt, 6, 80 + s % 15);
        sqlite3_bind_double(stmt, 7, 10.0 + (s % 30) / 10.0);
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
}

// Ten years: 10,000 units with 3,000,000 samples in 1,000 blocks. The database is generated
// once per process into a temporary folder from the empty template; later calls return the
// same file.
inline QString Generate(const QString& templateFile)
{
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty())
        return path;
    path = dir.filePath("zehnjahre.orv");
    Write(templateFile, path, kUnits);
    return path;
}

// A database of `units` units (300 samples each) in /tmp, generated at the first call and kept
// for later runs (100,000 units take a while to write).
inline QString GenerateUnits(const QString& templateFile, int units)
{
    const QString path = QStringLiteral("/tmp/orv_bench_%1_units.orv").arg(units);
    if (!QFile::exists(path)) {
        const QString part = path + QStringLiteral(".part");
        QFile::remove(part);
        Write(templateFile, part, units);
        QFile::rename(part, path);
    }
    return path;
}

}  // namespace tenyeardb
