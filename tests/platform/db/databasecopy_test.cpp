// The copy of an open database: every committed row, nothing another program has not committed
// yet, an earlier file replaced only by a complete copy, and failures that leave nothing behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include "platform/db/databasecopy.h"
#include "tests/platform/db/dbtestfixture.h"
#include "tests/support/messages.h"

namespace {

QVariant valueIn(const QString& file, const char* sql)
{
    sqlite3* db = nullptr;
    QVariant result;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
    }
    sqlite3_close_v2(db);
    return result;
}

QByteArray readAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Another program's connection that holds a lock on the file while it lives.
struct OtherProgram {
    explicit OtherProgram(const QString& file, const char* sql)
    {
        sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    }
    ~OtherProgram()
    {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db);
    }
    sqlite3* db = nullptr;
};

}  // namespace

using DatabaseCopyTest = DbTest;

TEST_F(DatabaseCopyTest, HoldsEveryCommittedRowAndReplacesAnEarlierCopy)
{
    conn.Execute(QStringLiteral("INSERT INTO daten (dat_Id, Ort) VALUES (4, 'Köln')"));
    const QString copy = tmp.write(QStringLiteral("temp.~orv"), "eine alte Kopie");
    {
        // Written by another program but not committed: not part of the database yet.
        OtherProgram other(fileName, "BEGIN IMMEDIATE; INSERT INTO daten (dat_Id, Ort) VALUES (5, 'Bonn')");
        CopyOpenDatabase(conn, copy);
    }
    EXPECT_EQ(valueIn(copy, "SELECT count(*) FROM daten").toInt(), 4);
    EXPECT_EQ(valueIn(copy, "SELECT Ort FROM daten WHERE dat_Id = 4").toString(), QStringLiteral("Köln"));
    EXPECT_EQ(valueIn(copy, "PRAGMA integrity_check").toString(), QStringLiteral("ok"));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"athlet.orv", "temp.~orv"}));
    // The connection goes on as before.
    EXPECT_EQ(conn.ExecuteScalar(QStringLiteral("SELECT count(*) FROM daten")).toInt(), 4);
}

TEST_F(DatabaseCopyTest, FailuresRaiseAndLeaveTheEarlierCopyAndNoPartialFile)
{
    const QString copy = tmp.write(QStringLiteral("temp.~orv"), "eine alte Kopie");

    // A folder that does not exist.
    const QString missing = tmp.file(QStringLiteral("fehlt/temp.~orv"));
    EXPECT_TRUE(messageOf<EDatabaseError>([&] { CopyOpenDatabase(conn, missing); }).contains(missing));

    // Another program writes the file and keeps everyone out longer than the connection waits.
    conn.SetBusyTimeout(100);
    {
        OtherProgram other(fileName, "BEGIN EXCLUSIVE");
        EXPECT_TRUE(messageOf<EDatabaseError>([&] { CopyOpenDatabase(conn, copy); })
                        .startsWith(QStringLiteral("Die Datenbank kann nicht kopiert werden: ")));
    }
    EXPECT_EQ(readAll(copy), QByteArray("eine alte Kopie"));

    // Nothing open.
    TConnection closed;
    EXPECT_EQ(messageOf<EDatabaseError>([&] { CopyOpenDatabase(closed, copy); }),
              QStringLiteral("Die Datenbankverbindung ist nicht geöffnet."));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"athlet.orv", "temp.~orv"}));
}
