// The routines that read the database: units of measure by sport, block checks, the largest
// value of a field, and the compaction of a database file.
#include <QDir>
#include <QFileInfo>

#include "core/orvdatabase.h"
#include "tests/core/dbserverfixture.h"

// ---------------------------------------------------------------------------------------------
// Units of measure.

TEST_F(DataModuleTest, UnitsOfMeasureFollowTheSportsDistanceUnit)
{
    // Template: sport 1 (running) in kilometres, sport 3 (swimming) in metres.
    db.exec("INSERT INTO unit (unt_id, unt_type, unt_name, unt_shortname, unt_calc) VALUES (20, 1, 'Ohne Faktor', 'x', NULL);"
            "INSERT INTO sportart (Spo_Id, Spo_Name, Spo_speed, Spo_distance, Spo_orderID) VALUES (20, 'Test', 1, 20, 20)");
    open();
    EXPECT_DOUBLE_EQ(GetUnitDistance(1, 10500), 10.5);
    EXPECT_EQ(GetUnitName(1), "Kilometer");
    EXPECT_EQ(GetUnitShortName(1), "km");
    EXPECT_DOUBLE_EQ(GetUnitDistance(3, 1500), 1500.0);
    EXPECT_EQ(GetUnitShortName(3), "m");

    // A missing sport or a unit without a factor is a conversion error for the caller.
    EXPECT_THROW(GetUnitDistance(77, 1000), EConvertError);
    EXPECT_THROW(GetUnitName(77), EConvertError);
    EXPECT_THROW(GetUnitDistance(20, 1000), EConvertError);
    EXPECT_EQ(GetUnitName(20), "Ohne Faktor");
}

// ---------------------------------------------------------------------------------------------
// Training blocks.

TEST_F(DataModuleTest, BlockChecksLookAtTheUnitsOfTheBlock)
{
    db.exec("INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_created) VALUES (1, 'leer', 45000), "
            "(2, 'gleich', 45000), (3, 'später', 45000);"
            "INSERT INTO DATEN (Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
            "Hoehendifferenz, trainingsblock) VALUES (45000, 0.02, 1, 1, 1, 1, 1, 0, 2), "
            "(44990, 0.02, 1, 1, 1, 1, 1, 0, 3), (45001, 0.02, 1, 1, 1, 1, 1, 0, 3)");
    open();
    struct Case {
        int block;
        bool dateOk;
        bool empty;
    };
    for (const Case& c : {Case{1, true, true}, Case{2, true, false}, Case{3, false, false}}) {
        EXPECT_EQ(CheckBlockDate(c.block), c.dateOk) << c.block;
        EXPECT_EQ(IsBlockEmpty(c.block), c.empty) << c.block;
    }
}

TEST_F(DataModuleTest, MaxFieldValueReadsASecondCursor)
{
    db.exec("INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_created) VALUES (0, 'a', 1), (7, 'b', 2), (3, 'c', 3)");
    open();
    EXPECT_EQ(GetMaxFieldValue(server.tagebuch, "tgb_id"), 0);  // no rows
    server.trainblock.First();
    EXPECT_EQ(GetMaxFieldValue(server.trainblock, "trb_Id"), 7);
    EXPECT_EQ(server.trainblock.RecNo(), 1);  // the dataset did not move
    EXPECT_EQ(GetMaxFieldValue(server.belStufe, "bel_ID"), 5);
}

// ---------------------------------------------------------------------------------------------
// Compaction.

class CompactionTest : public ::testing::Test {
protected:
    AthleteDatabase db{"anna.orv"};
    QString pck() const { return db.folder().file("anna.pck"); }
};

TEST_F(CompactionTest, ShrinksTheDatabaseAfterDeletesAndKeepsItsRows)
{
    db.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
            "INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, Notitz) SELECT i % 50, i, i / 86400.0, "
            "'Messpunkt mit etwas Text' FROM n;"
            "DELETE FROM zeit WHERE zei_Id > 0");
    const qint64 before = QFileInfo(db.path()).size();
    const int units = db.value("SELECT count(*) FROM unit").toInt();

    CompactDatabase(db.path());

    EXPECT_LT(QFileInfo(db.path()).size(), before / 2);
    EXPECT_EQ(db.value("PRAGMA integrity_check").toString(), "ok");
    EXPECT_EQ(db.value("SELECT count(*) FROM zeit").toInt(), 400);
    EXPECT_EQ(db.value("SELECT count(*) FROM unit").toInt(), units);
    EXPECT_FALSE(QFileInfo::exists(pck()));
}

TEST_F(CompactionTest, ReplacesAStaleCompactFile)
{
    db.folder().write("anna.pck", "alter Rest einer früheren Kompression");
    CompactDatabase(db.path());
    EXPECT_EQ(db.value("PRAGMA integrity_check").toString(), "ok");
    EXPECT_FALSE(QFileInfo::exists(pck()));
}

TEST_F(CompactionTest, ADatabaseInUseStaysUntouched)
{
    const QByteArray original = db.bytes();
    {
        ForeignLock lock(db.path(), false);
        EXPECT_THROW(CompactDatabase(db.path()), EDatabaseError);
    }
    EXPECT_EQ(db.bytes(), original);
    EXPECT_FALSE(QFileInfo::exists(pck()));
}

TEST_F(CompactionTest, FilesThatAreNoDatabaseFail)
{
    EXPECT_THROW(CompactDatabase(db.folder().file("fehlt.orv")), EDatabaseError);
    EXPECT_FALSE(QFileInfo::exists(db.folder().file("fehlt.pck")));

    const QString text = db.folder().write("text.orv", "keine Datenbank");
    EXPECT_THROW(CompactDatabase(text), EDatabaseError);
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keine Datenbank"));
    EXPECT_FALSE(QFileInfo::exists(db.folder().file("text.pck")));
}

// The database's name never decides over its life: a database named like the compaction file,
// a ".pck" name linked to the database, and a database reached through a link are all compacted
// and kept.
TEST(CompactionNamesTest, NoDerivedNameRemovesTheDatabase)
{
    struct Case {
        const char* database;     // the file the template is copied to
        const char* link;         // a symbolic link made beside it ("" for none)
        bool compactThroughLink;  // compact by the link's name
    };
    for (const Case& c : {Case{"x.pck", "", false}, Case{"anna.orv", "anna.pck", false},
                          Case{"anna.orv", "zugang.orv", true}, Case{"anna", "anna.pck", false}}) {
        SCOPED_TRACE(c.database + std::string(" ") + c.link);
        AthleteDatabase db{QString::fromLatin1(c.database)};
        db.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) "
                "INSERT INTO zeit (zei_Id, Meter, Zwischenzeit) SELECT i % 50, i, i / 86400.0 FROM n;"
                "DELETE FROM zeit WHERE zei_Id > 0");
        const QString link = db.folder().file(QString::fromLatin1(c.link));
        if (*c.link) {
            ASSERT_TRUE(QFile::link(db.path(), link));
        }
        const qint64 before = QFileInfo(db.path()).size();

        CompactDatabase(c.compactThroughLink ? link : db.path());

        ASSERT_TRUE(QFileInfo(db.path()).isFile());
        EXPECT_FALSE(QFileInfo(db.path()).isSymLink());
        EXPECT_LT(QFileInfo(db.path()).size(), before);
        EXPECT_EQ(db.value("PRAGMA integrity_check").toString(), "ok");
        EXPECT_EQ(db.value("SELECT count(*) FROM zeit").toInt(), 100);
        if (*c.link) {
            EXPECT_TRUE(QFileInfo(link).isSymLink());
        }
        EXPECT_EQ(QDir(db.folder().path()).entryList(QDir::Files | QDir::Hidden).size(), *c.link ? 2 : 1);
    }
}

TEST_F(CompactionTest, RemovesTheCopyAKilledRunLeftBehind)
{
    const QString stale = db.folder().write("anna.orv.~pckQ3xY7a", "halb geschriebene Kopie");
    const QString other = db.folder().write("berta.orv.~pckQ3xY7a", "Kopie einer anderen Datenbank");
    CompactDatabase(db.path());
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_TRUE(QFileInfo::exists(other));
    EXPECT_EQ(db.value("PRAGMA integrity_check").toString(), "ok");
}

TEST(CompactFileNameTest, ReplacesTheExtension)
{
    EXPECT_EQ(CompactFileName("/d/anna.orv"), "/d/anna.pck");
    EXPECT_EQ(CompactFileName("/d/a.b.orv"), "/d/a.b.pck");
    EXPECT_EQ(CompactFileName("/d.x/anna"), "/d.x/anna.pck");
}
