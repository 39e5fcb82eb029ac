// The data module: its datasets and fields, opening and closing a database, the checks and
// repairs at open with the user's answers, and the failures of an open.
#include <QSet>

#include "tests/core/dbserverfixture.h"

namespace {

QString caption(const QString& path)
{
    return ApplicationTitle() + " - [" + path + "]";
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Components and fields.

TEST_F(DataModuleTest, DeclaresEveryDataSetAndDataSourceOnce)
{
    EXPECT_EQ(server.DataSets().size(), 34u);
    EXPECT_EQ(server.DataSources().size(), 26u);
    QSet<QString> names;
    for (TDataSet* ds : server.DataSets()) {
        names.insert(ds->Name().toLower());
        EXPECT_EQ(ds->Connection(), &server.orvDB) << ds->Name().toStdString();
    }
    EXPECT_EQ(names.size(), 34);
    for (TDataSource* s : server.DataSources())
        EXPECT_NE(s->DataSet(), nullptr) << s->Name().toStdString();
    EXPECT_EQ(server.FindDataSet("delete"), &server.delete_);
    EXPECT_EQ(server.FindDataSource("DSDATEN")->DataSet(), &server.daten);
    EXPECT_TRUE(server.StaticCursor(&server.daten));
    EXPECT_FALSE(server.StaticCursor(&server.trainblockman));
}

TEST_F(DataModuleTest, DatenHasItsFieldsInOrder)
{
    const QStringList expected = {
        "minkm", "kmh", "Tag", "dat_Id", "Datum", "Ort", "Form", "Startzeit", "Gefuehl", "Zeit",
        "Meter", "Wetter", "Wind", "Hoehendifferenz", "Bemerkungen", "Temperatur", "Puls",
        "Belastungsart", "Streckenbeschreibung", "Sportart", "Gli", "Gewicht", "Belastungsstufe",
        "User1", "User2", "Maxpuls", "Ruhepuls", "Erholungspuls", "Fett", "kcal", "platz",
        "trainingsblock", "SportName", "trbname", "lSpeed", "lDistance", "akplatz"};
    EXPECT_EQ(server.daten.FieldNames(), expected);

    struct Expect {
        const char* name;
        TFieldKind kind;
        bool required;
        const char* defaultText;
    };
    for (const Expect& e : {Expect{"minkm", fkCalculated, false, ""}, Expect{"SportName", fkLookup, false, ""},
                            Expect{"Datum", fkData, true, ""}, Expect{"Hoehendifferenz", fkData, true, "0"},
                            Expect{"Meter", fkData, false, ""}, Expect{"akplatz", fkData, false, "0"}}) {
        TField* f = server.daten.FieldByName(e.name);
        EXPECT_EQ(f->FieldKind(), e.kind) << e.name;
        EXPECT_EQ(f->Required(), e.required) << e.name;
        EXPECT_EQ(f->DefaultExpression(), QString(e.defaultText)) << e.name;
    }
    EXPECT_EQ(server.daten.FieldByName("Zeit")->DisplayFormat(), "hh:mm:ss");
    EXPECT_EQ(server.daten.FieldByName("Ort")->Size(), 30);
    EXPECT_TRUE(server.daten.FieldByName("dat_Id")->ReadOnly());
}

TEST_F(DataModuleTest, CreationTakesTheLocaleFormatsAndItsStartTimeMask)
{
    TFormatSettings fs = GermanFormatSettings();
    fs.ShortDateFormat = "dd.MM.yyyy";
    fs.ShortTimeFormat = "hh:mm";
    fs.TimePMString.clear();
    server.DataModuleCreate(fs);
    EXPECT_EQ(server.daten.FieldByName("Startzeit")->EditMask(), "!90:00:00;1;_");
    EXPECT_EQ(server.zeitraum.FieldByName("Datum")->DisplayFormat(), "dd.MM.yyyy");
    EXPECT_EQ(server.explorer.FieldByName("Datum")->DisplayFormat(), "dd.MM.yyyy");
    EXPECT_EQ(server.zeitraum.FieldByName("Startzeit")->DisplayFormat(), "hh:mm");

    fs.TimePMString = "PM";
    fs.ShortTimeFormat = "h:mm AMPM";
    server.DataModuleCreate(fs);
    EXPECT_EQ(server.daten.FieldByName("Startzeit")->EditMask(), "!90:00:00>LL;1;_");
    EXPECT_EQ(server.daten.FieldByName("Startzeit")->DisplayFormat(), "h:mm AMPM");
}

// ---------------------------------------------------------------------------------------------
// Opening and closing.

TEST_F(DataModuleTest, OpeningTheTemplateOpensItsDataSetsInOrder)
{
    QStringList opened;
    for (TDataSet* ds : server.DataSets()) {
        auto previous = ds->AfterOpen;
        ds->AfterOpen = [&opened, previous](TDataSet* d) {
            opened << d->Name();
            if (previous)
                previous(d);
        };
    }
    open();

    // A dataset opens the datasets of its lookup fields first: plan_daten its four lookups,
    // sportart the units of measure, daten the blocks.
    const QStringList expected = {
        "config", "belArt", "belStufe", "form", "distancespeed", "sportart", "plan_daten", "Plan",
        "bel5000m", "trainblock", "trainblockman", "trainblockman_detail", "daten",
        "datenblockdetail", "zeit", "explorer", "strecke", "strPunkte", "eqdaten", "equipment",
        "tools", "pDaten", "quickstat", "bestzeiten", "zeitAll", "tagebuch"};
    EXPECT_EQ(opened, expected);
    QStringList active = activeDataSets();
    QStringList wanted = TorvServer::OpenOrder();
    wanted << "distancespeed";
    active.sort();
    wanted.sort();
    EXPECT_EQ(active, wanted);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());  // a sound database asks nothing
    EXPECT_EQ(server.DatabasePath(), db.path());
    EXPECT_EQ(hooks.captions.last(), caption(db.path()));
}

TEST_F(DataModuleTest, OpeningMovesToTheNewestUnitAndLabelsTheFreeFields)
{
    db.exec("UPDATE CONFIG SET cfg_user1Label = 'Schuh', cfg_user2Label = 'Schritte';"
            "INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_created) VALUES (1, 'A', 45000), (2, 'B', 45100);"
            "INSERT INTO DATEN (Datum, Startzeit, Zeit, Meter, Sportart, Form, Belastungsart, "
            "Belastungsstufe, Hoehendifferenz, trainingsblock) VALUES "
            "(45101, 0.25, 0.02, 5000, 1, 1, 1, 1, 0, 2), (45101, 0.75, 0.02, 7000, 1, 1, 1, 1, 0, 2),"
            "(45001, 0.5, 0.02, 3000, 1, 1, 1, 1, 0, 1)");
    open();
    EXPECT_EQ(server.daten.FieldByName("Meter")->AsInteger(), 7000);
    EXPECT_TRUE(server.daten.Eof());
    EXPECT_EQ(server.daten.FieldByName("trbname")->AsString(), "B");
    EXPECT_EQ(server.trainblockman.FieldByName("trb_Name")->AsString(), "B");
    EXPECT_EQ(server.datenblockdetail.RecordCount(), 2);  // the units of the current unit's block
    EXPECT_EQ(server.zeitraum.FieldByName("User1")->DisplayLabel(), "Schuh");
    EXPECT_EQ(server.zeitraum.FieldByName("User2")->DisplayLabel(), "Schritte");
}

TEST_F(DataModuleTest, MissingLookupRowsShowEmptyNames)
{
    db.exec("INSERT INTO DATEN (Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
            "Hoehendifferenz, trainingsblock) VALUES (45000, 0.02, 5000, 77, 1, 1, 1, 0, 99)");
    open();
    EXPECT_EQ(server.daten.FieldByName("SportName")->AsString(), "");
    EXPECT_TRUE(server.daten.FieldByName("SportName")->IsNull());
    EXPECT_EQ(server.daten.FieldByName("trbname")->AsString(), "");
}

TEST_F(DataModuleTest, OpeningSportartOpensTheUnitsOfMeasure)
{
    server.orvDB.Open(db.path());
    server.sportart.Open();
    EXPECT_TRUE(server.distancespeed.Active());
    server.sportart.Locate("Spo_Id", 1);
    EXPECT_EQ(server.sportart.FieldByName("lDistance")->AsString(), "Kilometer");
    EXPECT_EQ(server.sportart.FieldByName("lSpeed")->AsString(), "Minuten pro Kilometer");
    // Each unit field finds only units of its kind: a speed unit named as distance shows nothing.
    server.sportart.Edit();
    server.sportart.FieldByName("Spo_distance")->SetAsInteger(1);
    server.sportart.FieldByName("Spo_speed")->SetAsInteger(5);
    EXPECT_TRUE(server.sportart.FieldByName("lDistance")->IsNull());
    EXPECT_TRUE(server.sportart.FieldByName("lSpeed")->IsNull());
    server.sportart.Cancel();
    server.orvDB.Close();
    EXPECT_FALSE(server.distancespeed.Active());
}

TEST_F(DataModuleTest, ClosingClosesEverythingAndIsSafeTwice)
{
    open();
    server.closeDatabase();
    EXPECT_TRUE(activeDataSets().isEmpty());
    EXPECT_FALSE(server.orvDB.Connected());
    EXPECT_TRUE(server.DatabasePath().isEmpty());
    EXPECT_EQ(hooks.captions.last(), ApplicationTitle());
    server.closeDatabase();
    EXPECT_FALSE(server.DatabaseOpen());
}

TEST_F(DataModuleTest, OpeningAnotherDatabaseClosesTheFirst)
{
    AthleteDatabase second("zweite.orv");
    second.exec("INSERT INTO DATEN (Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
                "Hoehendifferenz) VALUES (45000, 0.02, 4321, 1, 1, 1, 1, 0)");
    open();
    ASSERT_TRUE(server.openDatabase(second.path()));
    EXPECT_EQ(server.DatabasePath(), second.path());
    EXPECT_EQ(server.daten.FieldByName("Meter")->AsInteger(), 4321);
    EXPECT_EQ(hooks.captions.last(), caption(second.path()));
}

// The ways a file fails to open; each leaves nothing open, tells the caller why, and leaves the
// file as it was.
enum class BadFile { Missing, TextFile, Locked, ZeroBytes, ForeignDatabase, ReadOnlyFile, ReadOnlyFolder, Damaged };

// Puts the write permission of a file or folder back at the end of a test.
struct WritableAgain {
    QString path;
    ~WritableAgain()
    {
        if (!path.isEmpty())
            QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
    }
};

class OpenFailureTest : public DataModuleTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(OpenFailureTest, ShowsTheErrorAndLeavesNothingOpen)
{
    open();  // a sound database first: a failed open must close it too
    QString path = db.path();
    std::unique_ptr<ForeignLock> lock;
    WritableAgain writable;
    switch (GetParam()) {
    case BadFile::Missing: path = db.folder().file("fehlt.orv"); break;
    case BadFile::TextFile: path = db.folder().write("notiz.orv", "Das ist keine Datenbank.\n"); break;
    case BadFile::Locked:
        // Another program holds the file exclusively.
        server.closeDatabase();
        server.orvDB.SetBusyTimeout(50);
        lock = std::make_unique<ForeignLock>(path, true);
        break;
    case BadFile::ZeroBytes: path = db.folder().write("neu.orv", ""); break;
    case BadFile::ForeignDatabase: {
        // A SQLite database of another program.
        AthleteDatabase foreign{"fremd.orv"};
        foreign.exec("DROP TABLE DATEN");
        path = db.folder().file("fremd.orv");
        ASSERT_TRUE(QFile::copy(foreign.path(), path));
        break;
    }
    case BadFile::ReadOnlyFile:
        server.closeDatabase();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        writable.path = path;
        break;
    case BadFile::ReadOnlyFolder:
        server.closeDatabase();
        QFile::setPermissions(db.folder().path(), QFile::ReadOwner | QFile::ExeOwner);
        writable.path = db.folder().path();
        break;
    case BadFile::Damaged: {
        // Every page after the first overwritten: the tables are listed, their rows unreadable.
        server.closeDatabase();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        const qint64 page = 4096;
        f.seek(page);
        f.write(QByteArray(int(f.size() - page), '\x55'));
        break;
    }
    }
    const QByteArray before = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ScriptedAnswers::pushMessageAnswer(mrOk);
    EXPECT_FALSE(server.openDatabase(path));

    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    const RecordedMessage box = ScriptedAnswers::messages().first();
    EXPECT_EQ(box.Type, mtError);
    EXPECT_TRUE(box.Text.startsWith("Fehler beim Öffnen der Datenbank. ")) << box.Text.toStdString();
    EXPECT_GT(box.Text.size(), LoadStr(msg::DatabaseOpenError).size());  // the reason follows
    EXPECT_TRUE(activeDataSets().isEmpty()) << activeDataSets().join(",").toStdString();
    EXPECT_FALSE(server.orvDB.Connected());
    EXPECT_TRUE(server.DatabasePath().isEmpty());
    EXPECT_EQ(hooks.captions.last(), ApplicationTitle());
    lock.reset();
    QFile f(path);
    EXPECT_EQ(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(), before);

    // The reason in German, with the file's name; never SQLite's own English.
    const char* const reasons[] = {"wurde nicht gefunden", "ist keine gültige Datenbank",
                                   "wird gerade von einem anderen Programm verwendet", "ist keine Athleten-Datenbank",
                                   "ist keine Athleten-Datenbank", "kann nur gelesen werden: Die Datei ist schreibgeschützt.",
                                   "kann nur gelesen werden: In den Ordner", "ist beschädigt"};
    EXPECT_TRUE(box.Text.contains(QString::fromUtf8(reasons[int(GetParam())]))) << box.Text.toStdString();
    EXPECT_TRUE(box.Text.contains(path)) << box.Text.toStdString();
    for (const char* english : {"database", "table", "readonly", "malformed", "locked"})
        EXPECT_FALSE(box.Text.contains(QLatin1String(english))) << box.Text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(BadFiles, OpenFailureTest,
                         ::testing::Values(BadFile::Missing, BadFile::TextFile, BadFile::Locked, BadFile::ZeroBytes,
                                           BadFile::ForeignDatabase, BadFile::ReadOnlyFile, BadFile::ReadOnlyFolder,
                                           BadFile::Damaged));

// ---------------------------------------------------------------------------------------------
// Checks and repairs at open.

namespace {

struct CheckCase {
    const char* name;
    int message;
    const char* fault;     // SQL that puts the fault into the template
    const char* repaired;  // SQL that gives 1 once the fault is mended
};

const char* const kUnit =
    "INSERT INTO DATEN (dat_Id, Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
    "Hoehendifferenz) VALUES ";

const CheckCase kCheckCases[] = {
    {"Sportart", 65383, "UPDATE sportart SET Spo_speed = 99, Spo_distance = 98 WHERE Spo_Id = 2",
     "SELECT Spo_speed = 1 AND Spo_distance = 5 FROM sportart WHERE Spo_Id = 2"},
    {"Hoehendifferenz", 65386, "(1, 45000, 0.02, 5000, 1, 1, 1, 1, NULL)",
     "SELECT Hoehendifferenz = 0 FROM DATEN WHERE dat_Id = 1"},
    {"Meter", 65387, "(1, 45000, 0.02, NULL, 1, 1, 1, 1, 0)", "SELECT Meter = 0 FROM DATEN WHERE dat_Id = 1"},
    // One day and two hours becomes two hours.
    {"Zeit", 65388, "(1, 45000, 1 + 7200000 / 86400000.0, 5000, 1, 1, 1, 1, 0)",
     "SELECT abs(Zeit - 7200000 / 86400000.0) < 1e-9 FROM DATEN WHERE dat_Id = 1"},
};

QString faultSql(const CheckCase& c)
{
    const QString fault = QString::fromLatin1(c.fault);
    return fault.startsWith('(') ? kUnit + fault : fault;
}

QString question(int message)
{
    return LoadStr(message) + "\n\r" + LoadStr(msg::AskBackupFirst);
}

}  // namespace

class CheckAnswerTest : public DataModuleTest,
                        public ::testing::WithParamInterface<std::tuple<CheckCase, TModalResult>> {};

TEST_P(CheckAnswerTest, RepairsAfterYesOrNoAndAsksAgainAfterCancel)
{
    const auto [check, answer] = GetParam();
    db.exec(faultSql(check));
    ScriptedAnswers::pushMessageAnswer(answer);
    open();

    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Type, mtInformation);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Buttons, mbYesNoCancel);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Text, question(check.message));
    EXPECT_EQ(hooks.backups, answer == mrYes ? 1 : 0);
    EXPECT_EQ(db.value(check.repaired).toInt(), answer == mrCancel ? 0 : 1);

    // The next open asks again exactly when the fault stayed.
    ScriptedAnswers::clear();
    if (answer == mrCancel)
        ScriptedAnswers::pushMessageAnswer(mrCancel);
    open();
    EXPECT_EQ(ScriptedAnswers::messages().size(), answer == mrCancel ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Checks, CheckAnswerTest,
                         ::testing::Combine(::testing::ValuesIn(kCheckCases),
                                            ::testing::Values(mrYes, mrNo, mrCancel)),
                         [](const auto& testInfo) {
                             const TModalResult a = std::get<1>(testInfo.param);
                             return std::string(std::get<0>(testInfo.param).name) +
                                    (a == mrYes ? "_Yes" : a == mrNo ? "_No" : "_Cancel");
                         });

TEST_F(DataModuleTest, YesWithoutABackupLeavesTheFault)
{
    db.exec(faultSql(kCheckCases[3]));
    hooks.backupSucceeds = false;
    ScriptedAnswers::pushMessageAnswer(mrYes);
    open();
    EXPECT_EQ(hooks.backups, 1);
    EXPECT_EQ(db.value(kCheckCases[3].repaired).toInt(), 0);
}

TEST_F(DataModuleTest, AllFourChecksAskInTheirOrder)
{
    db.exec(faultSql(kCheckCases[0]));
    db.exec(QString(kUnit) + "(1, 45000, 1.5, NULL, 1, 1, 1, 1, NULL)");
    for (int i = 0; i < 4; ++i)
        ScriptedAnswers::pushMessageAnswer(i == 1 ? mrCancel : mrNo);  // Cancel on check 2
    open();
    ASSERT_EQ(ScriptedAnswers::messages().size(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ScriptedAnswers::messages()[i].Text, question(kCheckCases[i].message));
    EXPECT_EQ(db.value(kCheckCases[0].repaired).toInt(), 1);
    EXPECT_TRUE(db.value("SELECT Hoehendifferenz FROM DATEN").isNull());
    EXPECT_EQ(db.value("SELECT Meter FROM DATEN").toInt(), 0);
    EXPECT_DOUBLE_EQ(db.value("SELECT Zeit FROM DATEN").toDouble(), 0.5);
}

// A repair that fails is rolled back, reported, and the later checks still run; the fourth
// repair is reported like the others.
class FailingRepairTest : public DataModuleTest, public ::testing::WithParamInterface<int> {};

TEST_P(FailingRepairTest, IsRolledBackAndReported)
{
    const int failing = GetParam();
    db.exec(faultSql(kCheckCases[0]));
    db.exec(QString(kUnit) + "(1, 45000, 1 + 7200000 / 86400000.0, NULL, 1, 1, 1, 1, NULL)");
    // The second statement of the sport repair fails, so the first must be undone too.
    const char* const triggers[] = {
        "CREATE TRIGGER broken BEFORE UPDATE OF Spo_distance ON sportart BEGIN SELECT RAISE(ABORT, 'kaputt'); END",
        "CREATE TRIGGER broken BEFORE UPDATE OF Hoehendifferenz ON DATEN BEGIN SELECT RAISE(ABORT, 'kaputt'); END",
        "CREATE TRIGGER broken BEFORE UPDATE OF Meter ON DATEN BEGIN SELECT RAISE(ABORT, 'kaputt'); END",
        "CREATE TRIGGER broken BEFORE UPDATE OF Zeit ON DATEN BEGIN SELECT RAISE(ABORT, 'kaputt'); END",
    };
    db.exec(triggers[failing]);
    for (int i = 0; i < 4; ++i) {
        ScriptedAnswers::pushMessageAnswer(mrNo);
        if (i == failing)
            ScriptedAnswers::pushMessageAnswer(mrOk);  // the error box after the question
    }
    open();

    const auto& boxes = ScriptedAnswers::messages();
    ASSERT_EQ(boxes.size(), 5);
    EXPECT_EQ(boxes[failing + 1].Type, mtError);
    EXPECT_TRUE(boxes[failing + 1].Text.startsWith(LoadStr(msg::DatabaseUpdateError))) << boxes[failing + 1].Text.toStdString();
    EXPECT_TRUE(boxes[failing + 1].Text.contains("kaputt"));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(db.value(kCheckCases[i].repaired).toInt(), i == failing ? 0 : 1) << "check " << i + 1;
    if (failing == 0) {
        EXPECT_EQ(db.value("SELECT Spo_speed FROM sportart WHERE Spo_Id = 2").toInt(), 99);
    }
    EXPECT_FALSE(server.orvDB.InTransaction());
    EXPECT_TRUE(server.daten.Active());
}

INSTANTIATE_TEST_SUITE_P(Repairs, FailingRepairTest, ::testing::Values(0, 1, 2, 3));

TEST_F(DataModuleTest, ACheckThatCannotReadTheStoredValuesIsReportedAndTheDatabaseOpens)
{
    db.exec(QString(kUnit) + "(1, 45000, 'abc', 5000, 1, 1, 1, 1, 0)");
    ScriptedAnswers::pushMessageAnswer(mrOk);
    open();
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    const RecordedMessage box = ScriptedAnswers::messages().first();
    EXPECT_EQ(box.Type, mtWarning);
    EXPECT_TRUE(box.Text.contains(LoadStr(msg::RepairDurations))) << box.Text.toStdString();  // which check
    EXPECT_TRUE(box.Text.contains("Die Datenbank wird ohne diese Prüfung geöffnet.")) << box.Text.toStdString();
    EXPECT_TRUE(server.daten.Active());
    EXPECT_EQ(server.daten.FieldByName("dat_Id")->AsInteger(), 1);
    EXPECT_EQ(db.value("SELECT Zeit FROM DATEN").toString(), "abc");  // nothing changed behind the user's back
}

// ---------------------------------------------------------------------------------------------
// Rows written through the datasets.

TEST_F(DataModuleTest, DeletingOldBlocksKeepsUsedBlocksAlsoBesideUnitsWithoutBlock)
{
    db.exec("INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_created) VALUES (1, 'leer', 45000), (2, 'voll', 45000);"
            "INSERT INTO DATEN (Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
            "Hoehendifferenz, trainingsblock) VALUES (45000, 0.02, 1, 1, 1, 1, 1, 0, 2), (45000, 0.02, 1, 1, 1, 1, 1, 0, NULL)");
    open();
    server.del_OldTB.ExecSQL();
    EXPECT_EQ(db.value("SELECT group_concat(trb_Id) FROM TRAININGSBLOCK").toString(), "2");
}

TEST_F(DataModuleTest, KeylessRowsAreWrittenOneByOne)
{
    // Two split rows and two equipment links that are equal in every column.
    db.exec("INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, Puls) VALUES (1, 1000, 0.003, 150), (1, 1000, 0.003, 150);"
            "INSERT INTO EQDATEN (EqIndex, EinheiIndex) VALUES (1, 1), (1, 1)");
    open();
    server.zeitAll.First();
    server.zeitAll.Edit();
    server.zeitAll.FieldByName("Puls")->SetAsInteger(160);
    server.zeitAll.Post();
    EXPECT_EQ(db.value("SELECT group_concat(Puls) FROM (SELECT Puls FROM zeit ORDER BY Puls)").toString(), "150,160");

    server.eqdaten.First();
    server.eqdaten.Delete();
    EXPECT_EQ(db.value("SELECT count(*) FROM EQDATEN").toInt(), 1);
}

// ---------------------------------------------------------------------------------------------
// The period statistics read the saved query through `zeitraum` with its declared fields.

TEST_F(DataModuleTest, PeriodStatisticsReadUnitsAndBlockRowsFromTheSavedQuery)
{
    db.exec("INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_form, trb_sportart, trb_created) "
            "VALUES (4, 'Woche', 1, 1, 45000);"
            "INSERT INTO DATEN (dat_Id, Datum, Startzeit, Zeit, Meter, Sportart, Form, Belastungsart, "
            "Belastungsstufe, Hoehendifferenz, trainingsblock) VALUES "
            "(1, 45002, 0.5, 0.02, 8000, 1, 1, 1, 2, 10, 4), (2, 45001, 0.5, 0.03, 12000, 1, 1, 1, 2, 20, 4),"
            "(3, 45001, 0.7, 0.03, 30000, 2, 1, 1, 2, 0, NULL), (4, 45100, 0.5, 0.03, 5000, 1, 1, 1, 2, 0, NULL)");
    open();
    const QString Q = "\"";
    const QString where = " WHERE CLng(datum)  between CLng(CDate(" + Q + DateToStr(45000) + Q +
                          ")) and CLng(CDate(" + Q + DateToStr(45010) + Q + ")) " +
                          " and ( (Sportart = 1) )" + " and ( (Form = 1) )";
    auto ids = [this] {
        QStringList list;
        for (server.zeitraum.First(); !server.zeitraum.Eof(); server.zeitraum.Next())
            list << server.zeitraum.FieldByName("dat_Id")->AsString();
        return list;
    };

    // Blocks shown: the saved query's own order, the block's summary row first.
    server.zeitraum.SetSQLText("SELECT * FROM zeitraumstat " + where);
    server.zeitraum.Open();
    EXPECT_EQ(ids(), QStringList({"-4", "2", "1"}));
    server.zeitraum.First();
    EXPECT_EQ(server.zeitraum.FieldByName("Meter")->AsInteger(), 20000);
    EXPECT_EQ(server.zeitraum.FieldByName("Ort")->AsString(), "Woche");
    server.zeitraum.Next();
    EXPECT_EQ(server.zeitraum.FieldByName("Spo_Name")->AsString(), "Laufen");
    EXPECT_EQ(server.zeitraum.FieldByName("distance")->AsString(), "12 km");
    server.zeitraum.Close();

    // Blocks hidden, sorted by the user's fields.
    server.zeitraum.SetSQLText("SELECT * FROM zeitraumstat " + where + " and (dat_id > 0) ORDER BY Meter, Datum");
    server.zeitraum.Open();
    EXPECT_EQ(ids(), QStringList({"1", "2"}));
}

// A block's summed time may pass a day: shown with all its hours, and its speed and pace come
// from the whole time (the wrapped 17:54:12 would give 45,9 km/h and 00:01:18 min/km).
TEST_F(DataModuleTest, PeriodStatisticsShowABlockOfMoreThanADayWithAllItsHours)
{
    db.exec("INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_form, trb_sportart, trb_created) "
            "VALUES (5, 'Radreise', 1, 2, 45000);"
            "INSERT INTO DATEN (dat_Id, Datum, Startzeit, Zeit, Meter, Sportart, Form, Belastungsart, "
            "Belastungsstufe, Hoehendifferenz, trainingsblock) VALUES "
            "(1, 45001, 0.3, 20.0 / 24, 400000, 2, 1, 1, 2, 0, 5), "
            "(2, 45002, 0.3, (21 * 3600 + 54 * 60 + 12) / 86400.0, 421000, 2, 1, 1, 2, 0, 5)");
    open();
    server.zeitraum.SetSQLText("SELECT * FROM zeitraumstat");
    server.zeitraum.Open();
    ASSERT_TRUE(server.zeitraum.Locate("dat_Id", -5));
    EXPECT_EQ(server.zeitraum.FieldByName("Zeit")->DisplayText(), "41:54:12");
    EXPECT_NEAR(server.zeitraum.FieldByName("kmh")->AsFloat(), 821.0 / (150852 / 3600.0), 1e-9);  // 19,6
    EXPECT_EQ(server.zeitraum.FieldByName("minkm")->DisplayText(), "00:03:03");
    EXPECT_EQ(server.zeitraum.FieldByName("lSpeed")->AsString(), "00:03:03 min/km");
    // A unit below a day keeps its time of day and the pace of calcPace.
    ASSERT_TRUE(server.zeitraum.Locate("dat_Id", 1));
    EXPECT_EQ(server.zeitraum.FieldByName("Zeit")->DisplayText(), "20:00:00");
    EXPECT_EQ(server.zeitraum.FieldByName("minkm")->AsDateTime(),
              server.calcPace(server.zeitraum.FieldByName("Zeit")->AsFloat(), 400000, 2));
    EXPECT_NEAR(server.zeitraum.FieldByName("kmh")->AsFloat(), 20.0, 1e-9);
}
