// Backup and restore in the whole program: the database check's backup before a repair, and a
// user's round trip from the File menu through the start page's restore task to the restored
// database opened again.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/startframe.h"
#include "exchange/backupcabinet.h"
#include "exchange/dbrestoreu.h"
#include "exchange/dbsicherung.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"

namespace {

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QByteArray readAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

int intValueIn(const QString& file, const char* sql)
{
    sqlite3* db = nullptr;
    int result = -1;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
            result = sqlite3_column_int(stmt, 0);
        sqlite3_finalize(stmt);
    }
    sqlite3_close_v2(db);
    return result;
}

// A sport whose units are gone: the first check of every open finds it.
const char* const kFaultySport = "UPDATE sportart SET Spo_speed = 99, Spo_distance = 98 WHERE Spo_Id = 2";
const char* const kSpeedOfSport = "SELECT Spo_speed FROM sportart WHERE Spo_Id = 2";

}  // namespace

using BackupFlowTest = ProgramTest;

TEST_F(BackupFlowTest, YesToTheRepairQuestionBacksUpFirstThenRepairs)
{
    AthleteDatabase db;
    db.exec(kFaultySport);
    TempFolder out;
    const QString cabinet = out.file(QStringLiteral("vorher.cab"));
    StartProgram({});

    ScriptedAnswers::pushFileName(db.path());
    ScriptedAnswers::pushMessageAnswer(mrYes);  // back up first
    ScriptedAnswers::onShowModal<TdbSichern>([&](TdbSichern& w) {
        EXPECT_EQ(w.Label4->text(), db.path());
        ScriptedAnswers::pushFileName(cabinet);
        ScriptedAnswers::pushMessageAnswer(mrOk);  // "Sicherung abgeschlossen."
        w.Button2->click();
    });
    MainForm->FileOpen1->Execute();
    ASSERT_TRUE(MainForm->databaseOpen());
    EXPECT_EQ(db.value(kSpeedOfSport).toInt(), 1);

    // The backup holds the database as it was before the repair.
    const QString before = out.file(QStringLiteral("vorher"));
    RestoreBackupCabinet(cabinet, before, orvServer->DatabasePath());
    EXPECT_EQ(intValueIn(before + "/athlet.orv", kSpeedOfSport), 99);

    // Repaired for good: the next open asks nothing.
    MainForm->FileClose1->Execute();
    ScriptedAnswers::clear();
    ScriptedAnswers::pushFileName(db.path());
    MainForm->FileOpen1->Execute();
    EXPECT_TRUE(MainForm->databaseOpen());
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
}

TEST_F(BackupFlowTest, CancellingTheBackupLeavesTheFaultForTheNextOpen)
{
    AthleteDatabase db;
    db.exec(kFaultySport);
    StartProgram({});
    ScriptedAnswers::pushFileName(db.path());
    ScriptedAnswers::pushMessageAnswer(mrYes);
    ScriptedAnswers::onShowModal<TdbSichern>([](TdbSichern& w) { w.Button4->click(); });
    MainForm->FileOpen1->Execute();
    EXPECT_TRUE(MainForm->databaseOpen());
    EXPECT_EQ(db.value(kSpeedOfSport).toInt(), 99);
    EXPECT_EQ(filesIn(QFileInfo(db.path()).absolutePath()), QStringList({"athlet.orv"}));

    MainForm->FileClose1->Execute();
    ScriptedAnswers::clear();
    ScriptedAnswers::pushFileName(db.path());
    ScriptedAnswers::pushMessageAnswer(mrNo);  // asked again; repaired without a backup now
    MainForm->FileOpen1->Execute();
    EXPECT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(db.value(kSpeedOfSport).toInt(), 1);
}

TEST_F(BackupFlowTest, BackUpWithTwoFilesRestoreIntoANewFolderAndOpenTheRestoredDatabase)
{
    AthleteDatabase db;
    db.exec(
        "INSERT INTO DATEN (Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
        "Hoehendifferenz, Ort) VALUES (45101, 0.02, 5000, 1, 1, 1, 1, 0, 'Stadtpark'), "
        "(45102, 0.03, 9000, 1, 1, 1, 1, 0, 'Rheinufer'), (45103, 0.04, 12000, 1, 1, 1, 1, 0, 'Wald')");
    TempFolder mine;
    const QString view = mine.write(QStringLiteral("ansicht.co5"), QByteArray(5000, 'v'));
    const QString filter = mine.write(QStringLiteral("filter.sql"), "WHERE Meter > 6000");
    TempFolder out;
    const QString cabinet = out.file(QStringLiteral("anna.cab"));
    StartProgram({db.path()});
    ASSERT_TRUE(MainForm->databaseOpen());

    // Datei > Datenbank sichern.
    ScriptedAnswers::onShowModal<TdbSichern>([&](TdbSichern& w) {
        ScriptedAnswers::pushFileNames({view, filter});
        w.Button1->click();
        ScriptedAnswers::pushFileName(cabinet);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        w.Button2->click();
    });
    MainForm->Action23->Execute();
    ASSERT_TRUE(QFile::exists(cabinet));
    MainForm->FileClose1->Execute();

    // The start page's task "Datenbank rücksichern", into a folder that does not exist yet.
    const QString restored = out.file(QStringLiteral("wiederhergestellt"));
    ScriptedAnswers::onShowModal<TdbRestore>([&](TdbRestore& w) {
        ScriptedAnswers::pushFileName(cabinet);
        w.Button1->click();
        ScriptedAnswers::pushFolder(restored);
        w.Button5->click();
        ScriptedAnswers::pushMessageAnswer(mrOk);  // "Rücksicherung abgeschlossen."
        w.Button2->click();
    });
    startFrm->ListView1->item(2)->setSelected(true);
    startFrm->ListView1Click(startFrm->ListView1);
    EXPECT_EQ(filesIn(restored), QStringList({"ansicht.co5", "athlet.orv", "filter.sql"}));
    EXPECT_EQ(readAll(restored + "/ansicht.co5"), readAll(view));
    EXPECT_EQ(readAll(restored + "/filter.sql"), readAll(filter));

    ScriptedAnswers::pushFileName(restored + "/athlet.orv");
    MainForm->FileOpen1->Execute();
    ASSERT_TRUE(MainForm->databaseOpen());
    EXPECT_EQ(orvServer->DatabasePath(), restored + "/athlet.orv");
    EXPECT_EQ(orvServer->daten.RecordCount(), 3);
    EXPECT_EQ(orvServer->daten.FieldByName("Ort")->AsString(), QStringLiteral("Wald"));
}
