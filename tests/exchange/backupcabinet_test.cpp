// What goes into a backup cabinet and what comes out of one: the open database under its own
// name and the listed files under their bare names, readable by outside tools; a failed backup
// keeps the earlier cabinet; the file list; the type labels; and the restore with its refusals
// (the open database, names that leave the target folder).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <sqlite3.h>

#include "exchange/backupcabinet.h"
#include "exchange/cabcomps.h"
#include "platform/db/clientdataset.h"
#include "tests/core/dbserverfixture.h"
#include "tests/support/messages.h"
#include "tests/support/testenv.h"

namespace {

QByteArray readAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

int runTool(const QString& program, const QStringList& args, QByteArray* output = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted() || !p.waitForFinished(120000))
        return -1;
    if (output)
        *output = p.readAll();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

bool haveTool(const char* name)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty();
}

#define REQUIRE_TOOL(name) ASSERT_TRUE(haveTool(name)) << name << " is missing: run scripts/install-deps"

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

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

class BackupTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        db.exec(
            "INSERT INTO DATEN (Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
            "Hoehendifferenz, Ort) VALUES (45101, 0.02, 5000, 1, 1, 1, 1, 0, 'Stadtpark'), "
            "(45102, 0.03, 9000, 1, 1, 1, 1, 0, 'Rheinufer')");
        open();
    }

    // Writes a backup of the open database with the given extra files.
    void backUp(const QStringList& extra, const QString& cabinet)
    {
        WriteBackupCabinet(server.orvDB, db.path(), extra, cabinet);
    }

    TempFolder out;
};

}  // namespace

TEST_F(BackupTest, DatabaseThenListedFilesUnderBareNamesReadByOutsideTools)
{
    REQUIRE_TOOL("cabextract");
    REQUIRE_TOOL("gcab");
    TempFolder a, b;
    const QString sql = a.write(QStringLiteral("filter.sql"), "WHERE Meter > 5000");
    const QString co5 = b.write(QStringLiteral("spalten.co5"), QByteArray(70000, 'c'));
    const QString mt5 = b.write(QStringLiteral("woche.mt5"), "<DATAPACKET/>");
    const QString cabinet = out.file(QStringLiteral("backup.cab"));
    backUp({sql, co5, mt5}, cabinet);

    const QStringList names = {"athlet.orv", "filter.sql", "spalten.co5", "woche.mt5"};
    EXPECT_EQ(CabinetEntryNames(cabinet), names);
    // The copy of the database was only a step on the way.
    EXPECT_FALSE(QFile::exists(BackupDatabaseCopyName(db.path())));
    EXPECT_EQ(filesIn(out.path()), QStringList({"backup.cab"}));

    QByteArray listing;
    ASSERT_EQ(runTool(QStringLiteral("gcab"), {QStringLiteral("-l"), cabinet}, &listing), 0) << listing.constData();
    QStringList listed;
    for (const QString& line : QString::fromUtf8(listing).split('\n', Qt::SkipEmptyParts))
        listed << line.section(' ', 0, 0);
    EXPECT_EQ(listed, names);

    // Both tools extract what we extract, byte for byte.
    const QString ours = out.file(QStringLiteral("ours"));
    RestoreBackupCabinet(cabinet, ours, QString());
    const QString theirs = out.file(QStringLiteral("cabextract"));
    const QString gcabs = out.file(QStringLiteral("gcab"));
    ASSERT_EQ(runTool(QStringLiteral("cabextract"), {QStringLiteral("-q"), QStringLiteral("-d"), theirs, cabinet}), 0);
    QDir().mkpath(gcabs);
    ASSERT_EQ(runTool(QStringLiteral("gcab"), {QStringLiteral("-x"), QStringLiteral("-C"), gcabs, cabinet}), 0);
    for (const QString& folder : {ours, theirs, gcabs}) {
        EXPECT_EQ(filesIn(folder), names) << folder.toStdString();
        EXPECT_EQ(readAll(folder + "/filter.sql"), readAll(sql));
        EXPECT_EQ(readAll(folder + "/spalten.co5"), readAll(co5));
        EXPECT_EQ(readAll(folder + "/woche.mt5"), readAll(mt5));
        EXPECT_EQ(readAll(folder + "/athlet.orv"), readAll(ours + "/athlet.orv"));
    }
    // The restored database is whole and holds every unit.
    EXPECT_EQ(valueIn(ours + "/athlet.orv", "PRAGMA integrity_check").toString(), QStringLiteral("ok"));
    EXPECT_EQ(valueIn(ours + "/athlet.orv", "SELECT count(*) FROM DATEN").toInt(), 2);
}

TEST_F(BackupTest, TwoListedFilesOfOneNameAreBothStored)
{
    REQUIRE_TOOL("cabextract");
    TempFolder a, b;
    const QString first = a.write(QStringLiteral("filter.sql"), "WHERE Meter > 5000");
    const QString second = b.write(QStringLiteral("filter.sql"), "WHERE Meter < 1000");
    const QString cabinet = out.file(QStringLiteral("backup.cab"));
    backUp({first, second}, cabinet);
    EXPECT_EQ(CabinetEntryNames(cabinet), QStringList({"athlet.orv", "filter.sql", "filter.sql"}));
    QByteArray listing;
    ASSERT_EQ(runTool(QStringLiteral("cabextract"), {QStringLiteral("-l"), cabinet}, &listing), 0);
    EXPECT_EQ(listing.count("| filter.sql"), 2) << listing.constData();
    // Extracted, the later one stands under the name.
    RestoreBackupCabinet(cabinet, out.file(QStringLiteral("ziel")), QString());
    EXPECT_EQ(readAll(out.file(QStringLiteral("ziel/filter.sql"))), QByteArray("WHERE Meter < 1000"));
}

TEST_F(BackupTest, AnEmptyListStoresTheDatabaseAloneAndAnEarlierBackupIsReplaced)
{
    const QString cabinet = out.write(QStringLiteral("backup.cab"), "eine alte Sicherung");
    backUp({}, cabinet);
    EXPECT_EQ(CabinetEntryNames(cabinet), QStringList({"athlet.orv"}));
    const QString target = out.file(QStringLiteral("ziel"));
    RestoreBackupCabinet(cabinet, target, db.path());
    EXPECT_EQ(filesIn(target), QStringList({"athlet.orv"}));
    EXPECT_EQ(valueIn(target + "/athlet.orv", "SELECT Ort FROM DATEN ORDER BY Datum DESC").toString(),
              QStringLiteral("Rheinufer"));
}

TEST_F(BackupTest, AFailedBackupKeepsTheEarlierCabinetAndLeavesNothingBehind)
{
    const QString cabinet = out.write(QStringLiteral("backup.cab"), "eine alte Sicherung");
    const QString gone = out.file(QStringLiteral("geloescht.sql"));
    const QString message = messageOf<ECabinet>([&] { backUp({gone}, cabinet); });
    EXPECT_TRUE(message.startsWith(
        QStringLiteral("Fehler beim Öffnen einer Datei, die im Cabinet gespeichert werden soll [0x0001]")))
        << message.toStdString();
    // The file that is gone is named.
    EXPECT_TRUE(message.endsWith(QStringLiteral("Datei: \"%1\"").arg(gone))) << message.toStdString();
    EXPECT_EQ(readAll(cabinet), QByteArray("eine alte Sicherung"));
    EXPECT_EQ(filesIn(out.path()), QStringList({"backup.cab"}));
    EXPECT_FALSE(QFile::exists(BackupDatabaseCopyName(db.path())));

    // The cabinet may not take the place of the database it saves.
    const QByteArray before = db.bytes();
    EXPECT_TRUE(messageOf([&] { backUp({}, db.path()); }).contains(QStringLiteral("ist die geöffnete Datenbank")));
    EXPECT_EQ(db.bytes(), before);
    // Nor that of the working copy, which would vanish with it.
    EXPECT_TRUE(messageOf([&] { backUp({}, BackupDatabaseCopyName(db.path())); }).contains(QStringLiteral("temp.~orv")));
    EXPECT_EQ(filesIn(QFileInfo(db.path()).absolutePath()), QStringList({"athlet.orv"}));
}

TEST_F(BackupTest, RestoreReplacesFilesOfTheSameNamesButNeverTheOpenDatabase)
{
    const QString extra = out.write(QStringLiteral("muster.mt5"), "neue Vorlage");
    const QString cabinet = out.file(QStringLiteral("backup.cab"));
    backUp({extra}, cabinet);

    // A folder with older files of the same names, one of them read-only.
    TempFolder target;
    target.write(QStringLiteral("athlet.orv"), "alte Datenbank");
    const QString old = target.write(QStringLiteral("muster.mt5"), "alte Vorlage");
    QFile::setPermissions(old, QFile::ReadOwner);
    RestoreBackupCabinet(cabinet, target.path(), db.path());
    EXPECT_EQ(readAll(old), QByteArray("neue Vorlage"));
    EXPECT_EQ(valueIn(target.file("athlet.orv"), "SELECT count(*) FROM DATEN").toInt(), 2);

    // Into the open database's own folder: refused before anything is written, with its name.
    const QString dbFolder = QFileInfo(db.path()).absolutePath();
    const QByteArray before = db.bytes();
    const QString message = messageOf([&] { RestoreBackupCabinet(cabinet, dbFolder, db.path()); });
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(db.path()))) << message.toStdString();
    EXPECT_EQ(db.bytes(), before);
    EXPECT_EQ(filesIn(dbFolder), QStringList({"athlet.orv"}));
    // The data module still reads it.
    server.daten.Refresh();
    EXPECT_EQ(server.daten.RecordCount(), 2);
}

TEST(BackupRestore, ForeignNamesThatLeaveTheFolderAreRefusedBeforeAnythingIsWritten)
{
    for (const char* bad : {"..\\evil.txt", "../evil.txt", "/tmp/x", "C:\\x.txt", "a\\..\\..\\evil.txt"}) {
        TempFolder dir;
        const QString source = dir.write(QStringLiteral("src"), "Inhalt");
        const QString cabinet = dir.file(QStringLiteral("fremd.cab"));
        TCabWriter w;
        w.SetCompressionType(cctMsZip);
        w.Open(cabinet);
        w.AddFile(source, QStringLiteral("harmlos.txt"));
        w.AddFile(source, QString::fromLatin1(bad));
        w.Close(true);

        const QString target = dir.file(QStringLiteral("ziel/unten"));
        const QString message = messageOf<ECabinet>([&] { RestoreBackupCabinet(cabinet, target, QString()); });
        EXPECT_TRUE(message.contains(QString::fromLatin1(bad))) << bad << ": " << message.toStdString();
        EXPECT_FALSE(QFileInfo::exists(target)) << bad;
        EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("ziel/evil.txt")))) << bad;
        EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("evil.txt")))) << bad;
    }
}

TEST(BackupRestore, EntriesOfEveryCabinetOfASetAreChecked)
{
    TempFolder dir;
    QStringList expected;
    TCabWriter w;
    w.SetCompressionType(cctMsZip);
    w.SetCabinetFileCountThreshold(2);
    w.Open(dir.file(QStringLiteral("backup.cab")));
    for (int i = 1; i <= 5; ++i) {
        const QString name = QStringLiteral("datei%1.sql").arg(i);
        w.AddFile(dir.write(QStringLiteral("src") + QString::number(i), QByteArray(i * 1000, char('a' + i))), name);
        expected << name;
    }
    w.Close(true);
    EXPECT_EQ(CabinetEntryNames(dir.file(QStringLiteral("backup.cab"))), expected);
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("backup2.cab"))));

    // The open database named by the third cabinet is refused as well.
    const QString target = dir.file(QStringLiteral("ziel"));
    QDir().mkpath(target);
    const QString openDb = target + QStringLiteral("/datei5.sql");
    QFile f(openDb);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(messageOf([&] { RestoreBackupCabinet(dir.file("backup.cab"), target, openDb); })
                    .contains(QStringLiteral("datei5.sql")));
    EXPECT_EQ(filesIn(target), QStringList({"datei5.sql"}));
    RestoreBackupCabinet(dir.file(QStringLiteral("backup.cab")), target, QString());
    EXPECT_EQ(filesIn(target), expected);
}

TEST(BackupRestore, MissingOrDamagedCabinetsRaiseTheReadersTexts)
{
    TempFolder dir;
    const QString target = dir.file(QStringLiteral("ziel"));
    EXPECT_TRUE(messageOf<ECabinet>([&] { RestoreBackupCabinet(dir.file("fehlt.cab"), target, QString()); })
                    .startsWith(QStringLiteral("Cabinet nicht gefunden [0x0001]")));
    const QString junk = dir.write(QStringLiteral("kaputt.cab"), "MSCF und dann nichts mehr");
    EXPECT_TRUE(messageOf<ECabinet>([&] { RestoreBackupCabinet(junk, target, QString()); }).contains(QStringLiteral("[0x000")));
    EXPECT_FALSE(QFileInfo::exists(target) && !filesIn(target).isEmpty());
}

TEST(BackupFileList, TypeLabelsByExactExtension)
{
    const struct {
        const char* file;
        const char* label;
    } cases[] = {
        {"/a/b/woche.mt5", "Musterdatei"}, {"x.chd", "Chartdatei"},    {"bericht.qrp", "Reportdatei"},
        {"filter.sql", "SQL-Abfrage"},     {"excel.imp", "Importvorlage"}, {"ansicht.co5", "Spaltendatei"},
        {"FILTER.SQL", "unbekannt"},       {"filter.Sql", "unbekannt"},  {"ohne", "unbekannt"},
        {"archiv.sql.bak", "unbekannt"},   {".sql", "SQL-Abfrage"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BackupFileTypeLabel(QString::fromLatin1(c.file)), QString::fromUtf8(c.label)) << c.file;
}

TEST(BackupFileList, SavedAndLoadedAgainInOrderWithLongPaths)
{
    TempFolder dir;
    const QStringList files = {QStringLiteral("/home/anna/Orvalo/filter.sql"),
                               QStringLiteral("/home/anna/Orvalo/ansicht.co5"),
                               QStringLiteral("/home/anna/Orvalo/filter.sql"),
                               QStringLiteral("/home/anna/") + QString(300, QLatin1Char('x')) + QStringLiteral("/ä ö.mt5")};
    TClientDataSet cds;
    SaveFileList(cds, files, dir.file(QStringLiteral("liste.xml")));
    EXPECT_TRUE(readAll(dir.file(QStringLiteral("liste.xml"))).contains("vol_name"));
    TClientDataSet other;
    EXPECT_EQ(LoadFileList(other, dir.file(QStringLiteral("liste.xml"))), files);
    // Saving again replaces the rows.
    SaveFileList(cds, files.mid(1, 1), dir.file(QStringLiteral("liste.xml")));
    EXPECT_EQ(LoadFileList(other, dir.file(QStringLiteral("liste.xml"))), files.mid(1, 1));
}
