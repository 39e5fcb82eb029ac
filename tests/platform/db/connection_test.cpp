// The connection: opens existing databases only, compares text without case, transactions.
#include "tests/platform/db/dbtestfixture.h"

#include <QFile>

namespace {

TEST(Connection, OpensOnlyAnExistingDatabase)
{
    TempFolder tmp;
    TConnection c;
    const QString missing = tmp.file(QStringLiteral("fehlt.orv"));
    EXPECT_THROW(c.Open(missing), EDatabaseError);
    EXPECT_FALSE(QFile::exists(missing));  // never created
    EXPECT_FALSE(c.Connected());
    const QString junk = tmp.write(QStringLiteral("text.orv"), QByteArray(4096, 'x'));
    try {
        c.Open(junk);
        FAIL() << "opened a text file";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("ist keine gültige Datenbank"))) << e.what();
    }
    EXPECT_FALSE(c.Connected());
    EXPECT_EQ(QFile(junk).size(), 4096);
}

using ConnectionTest = DbTest;

TEST_F(ConnectionTest, NoCaseComparesUnicodeWithoutCase)
{
    struct Case {
        const char* a;
        const char* b;
        int equal;
    };
    for (const Case& c : {Case{"Ärger", "äRGER", 1}, Case{"straße", "STRASSE", 0}, Case{"abc", "ABD", 0},
                          Case{"Mu\xcc\x88nchen", "MÜNCHEN", 1}}) {
        EXPECT_EQ(conn.ExecuteScalar(QStringLiteral("SELECT ? = ? COLLATE NOCASE"),
                                     {QString::fromUtf8(c.a), QString::fromUtf8(c.b)})
                      .toInt(),
                  c.equal)
            << c.a << " " << c.b;
    }
    // Text columns declared NOCASE compare and sort this way.
    EXPECT_EQ(conn.ExecuteScalar(QStringLiteral("SELECT dat_Id FROM daten WHERE Ort = 'MÜNCHEN'")).toInt(), 3);
}

TEST_F(ConnectionTest, ClosingTheConnectionClosesItsDatasets)
{
    TTable daten;
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    int closes = 0;
    daten.AfterClose = [&](TDataSet*) { ++closes; };
    daten.Open();
    conn.Close();
    EXPECT_FALSE(daten.Active());
    EXPECT_EQ(closes, 1);
    EXPECT_THROW(daten.Open(), EDatabaseError);
    conn.Open(fileName);
    daten.Open();
    EXPECT_EQ(daten.RecordCount(), 3);
}

TEST_F(ConnectionTest, ExecuteBindsParametersAndRaisesOnErrors)
{
    EXPECT_THROW(conn.Execute(QStringLiteral("SELEKT 1")), EDatabaseError);
    EXPECT_EQ(conn.Execute(QStringLiteral("UPDATE daten SET Meter = Meter + ? WHERE dat_Id < ?"), {1, 3}), 2);
    EXPECT_EQ(conn.ExecuteScalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
    EXPECT_EQ(conn.ExecuteScalar(QStringLiteral("PRAGMA synchronous")).toInt(), 2);
    // Another program may hold the file for a moment: the connection waits instead of failing.
    EXPECT_EQ(conn.ExecuteScalar(QStringLiteral("PRAGMA busy_timeout")).toInt(), 5000);
    conn.SetBusyTimeout(250);
    EXPECT_EQ(conn.ExecuteScalar(QStringLiteral("PRAGMA busy_timeout")).toInt(), 250);
}

// What SQLite reports reaches the user as a German text naming the file; errors of the file
// itself are told apart from errors of a statement.
TEST_F(ConnectionTest, ErrorsAreReadableAndNameTheFile)
{
    struct Case {
        const char* sql;
        QString message;
        bool fileError;
    };
    const QString file = QStringLiteral("\"") + fileName + QStringLiteral("\"");
    for (const Case& c :
         {Case{"SELECT * FROM nix", QStringLiteral("Die Tabelle \"nix\" fehlt in der Datenbank ") + file + ".", false},
          Case{"SELECT nix FROM daten", QStringLiteral("Das Feld \"nix\" ist unbekannt."), false},
          Case{"UPDATE daten SET Meter = 1", QStringLiteral("Die Datenbank ") + file +
                                                  QStringLiteral(" wird gerade von einem anderen Programm verwendet."),
               true}}) {
        SCOPED_TRACE(c.sql);
        // For the file's error another program holds the file while the statement runs.
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open(fileName.toUtf8().constData(), &other), SQLITE_OK);
        if (c.fileError)
            sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        conn.SetBusyTimeout(0);
        try {
            conn.Execute(QString::fromLatin1(c.sql));
            ADD_FAILURE() << "no error";
        } catch (const EDatabaseFileError& e) {
            EXPECT_TRUE(c.fileError);
            EXPECT_EQ(e.Message(), c.message);
        } catch (const EDatabaseError& e) {
            EXPECT_FALSE(c.fileError);
            EXPECT_EQ(e.Message(), c.message);
        }
        if (c.fileError)
            sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
    }
}

}  // namespace
