// The Outbreaker import on the program started as a user starts it: the main window's action
// asks for the monitor's database, lists its trips by date, and "Import" writes the chosen trip
// as a unit with its heart-rate samples in one piece, or nothing at all.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "core/main.h"
#include "core/navigatorframe.h"
#include "core/navigatorlists.h"
#include "core/orvdbserver.h"
#include "exchange/outbreakerimport.h"
#include "platform/vcl/actnlist.h"
#include "tests/core/programfixture.h"
#include "tests/support/accessfixtures.h"
#include "tests/support/athletedb.h"
#include "tests/support/testenv.h"
#include "traininglog/belastungsstufe.h"
#include "traininglog/einheiteneingabe.h"

namespace {

TDateTime at(int y, int m, int d, int h, int min, int s)
{
    return EncodeDate(y, m, d) + EncodeTime(h, min, s, 0);
}

class OutbreakerImportTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        // The load level follows the pulse; 142 lies in the band of level 3.
        db.exec("UPDATE config SET cfg_belautocalc = 1, cfg_nachHF = 1");
        db.exec("UPDATE belstufe SET bel_HFStart = 130, bel_HFEnde = 150 WHERE bel_ID = 3");
        db.exec("INSERT INTO DATEN (dat_Id, Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
                "Hoehendifferenz, trainingsblock) VALUES (7, 39600, 0.02, 5000, 1, 1, 1, 1, 0, 0)");
        StartProgram({db.path()});
        ASSERT_NE(eingabe, nullptr);
        // Stored out of order: the evening trip first.
        Trip morning = MakeTrip(4, QStringLiteral("Morgenrunde"), at(2023, 5, 1, 7, 0, 5), 300);
        Trip evening = MakeTrip(9, QStringLiteral("Abendrunde"), at(2023, 5, 1, 19, 30, 0), 20);
        ASSERT_TRUE(WriteTripFile(file, {evening, morning}));
    }
    void TearDown() override
    {
        ToutImport::testStepHook = nullptr;
        ProgramTest::TearDown();
        FormatSettings() = saved_;
    }

    // Runs the main window's "Outbreaker-Import" on a file; `play` acts in the window.
    void run(const QString& fileName, std::function<void(ToutImport&)> play)
    {
        ScriptedAnswers::pushFileName(fileName);
        ScriptedAnswers::onShowModal<ToutImport>(std::move(play));
        MainForm->Action19->Execute();
    }

    int count(const QString& sql) const { return db.value(sql).toInt(); }
    int newUnit() const { return count(QStringLiteral("SELECT max(dat_Id) FROM DATEN")); }
    QString navigatorSelection() const
    {
        return navigatorFrm->StringGrid1->Cells(ocUnitId, navigatorFrm->StringGrid1->Row());
    }

    AthleteDatabase db;
    TempFolder files;
    QString file = files.file(QStringLiteral("trips.mdb"));
    TFormatSettings saved_;
};

TEST_F(OutbreakerImportTest, TheChosenTripBecomesAUnitWithItsSamples)
{
    UpdateAllActions();
    ASSERT_TRUE(MainForm->Action19->Enabled());
    run(file, [](ToutImport& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("outImport"));
        // By date, though the file holds the evening trip first.
        ASSERT_EQ(f.master.RecordCount(), 2);
        EXPECT_EQ(f.master.FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Morgenrunde"));
        EXPECT_TRUE(f.Button4->isEnabled());
        f.Button4->click();
    });
    const int unit = newUnit();
    ASSERT_NE(unit, 7);
    const QString where = QStringLiteral(" FROM DATEN WHERE dat_Id = %1").arg(unit);
    EXPECT_EQ(db.value(QStringLiteral("SELECT Ort || '|' || Bemerkungen || '|' || Meter || '|' || Puls || '|' || "
                                      "Maxpuls || '|' || Ruhepuls || '|' || Hoehendifferenz || '|' || Sportart") + where)
                  .toString(),
              QStringLiteral("Morgenrunde|Lauf 4|1000|142|171|55|85|0"));
    EXPECT_EQ(db.value(QStringLiteral("SELECT Datum") + where).toInt(), int(EncodeDate(2023, 5, 1)));
    EXPECT_EQ(db.value(QStringLiteral("SELECT round(Startzeit * 86400)") + where).toInt(), 7 * 3600 + 5);
    EXPECT_EQ(db.value(QStringLiteral("SELECT round(Zeit * 86400)") + where).toInt(), 3600 + 2 * 60 + 33);
    // Derived from the pulse as for a typed unit.
    const int level = LoadLevelByPulse(orvServer->orvDB, 142);
    EXPECT_NE(level, 0);
    EXPECT_EQ(db.value(QStringLiteral("SELECT Belastungsstufe") + where).toInt(), level);

    const QString samples = QStringLiteral(" FROM zeit WHERE zei_Id = %1 AND zei_hrm = 1").arg(unit);
    EXPECT_EQ(db.value(QStringLiteral("SELECT count(*) || '/' || min(meter) || '/' || max(meter)") + samples).toString(),
              QStringLiteral("300/14/4200"));
    // The 46th record: 90 s after the start, pulse 120 + 45 % 40, altitude 100 + 45 % 25.
    EXPECT_EQ(db.value(QStringLiteral("SELECT round(Zwischenzeit * 86400) || '/' || puls || '/' || HDiff") + samples +
                       QStringLiteral(" AND meter = 644"))
                  .toString(),
              QStringLiteral("90.0/125/120"));
    // The new unit is the current one, in the navigator too; every switch is back.
    EXPECT_EQ(orvServer->daten.FieldByName(QStringLiteral("dat_Id"))->AsInteger(), unit);
    EXPECT_EQ(navigatorSelection(), QString::number(unit));
    EXPECT_TRUE(eingabe->zwFillEnabled);
    EXPECT_TRUE(orvServer->ZeitCalculation());
    EXPECT_TRUE(bool(orvServer->daten.AfterPost));
}

TEST_F(OutbreakerImportTest, TheRowChosenWithTheKeyboardIsImported)
{
    run(file, [](ToutImport& f) {
        f.DBGrid1->setFocus();
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(f.DBGrid1, &down);
        EXPECT_EQ(f.master.FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Abendrunde"));
        f.Button4->click();
    });
    EXPECT_EQ(db.value(QStringLiteral("SELECT Ort FROM DATEN WHERE dat_Id = %1").arg(newUnit())).toString(),
              QStringLiteral("Abendrunde"));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM zeit WHERE zei_Id = %1").arg(newUnit())), 20);
}

TEST_F(OutbreakerImportTest, TimesAreValuesWhateverTheUserFormats)
{
    FormatSettings().ShortTimeFormat = QStringLiteral("hh:mm");
    FormatSettings().LongTimeFormat = QStringLiteral("hh:mm");
    FormatSettings().ShortDateFormat = QStringLiteral("dd.MM.yy");
    // A trip over midnight, started in 1999 (a two-digit year must not move it).
    Trip late = MakeTrip(1, QStringLiteral("Nachtlauf"), at(1999, 12, 31, 23, 59, 30), 3, 75);
    late.netTime = QStringLiteral("0.02.30");
    ASSERT_TRUE(WriteTripFile(file, {late}));
    run(file, [](ToutImport& f) { f.Button4->click(); });
    const int unit = newUnit();
    const QString where = QStringLiteral(" FROM DATEN WHERE dat_Id = %1").arg(unit);
    EXPECT_EQ(db.value(QStringLiteral("SELECT Datum") + where).toInt(), int(EncodeDate(1999, 12, 31)));
    EXPECT_EQ(db.value(QStringLiteral("SELECT round(Startzeit * 86400)") + where).toInt(), 86400 - 30);
    EXPECT_EQ(db.value(QStringLiteral("SELECT round(Zeit * 86400)") + where).toInt(), 150);
    // 23:59:30, 00:00:45, 00:02:00: since the start, across the day's end.
    EXPECT_EQ(db.value(QStringLiteral("SELECT group_concat(round(Zwischenzeit * 86400), ' ') FROM zeit "
                                      "WHERE zei_Id = %1 ORDER BY meter")
                           .arg(unit))
                  .toString(),
              QStringLiteral("0.0 75.0 150.0"));

    struct {
        const char* text;
        bool ok;
        int64_t ms;
    } const netTimes[] = {{"1.02.33", true, 3753000}, {"0.45", true, 2700000}, {"", true, 0},
                          {"25.00.01", true, 90001000}, {"1.62.00", false, 0}, {"abc", false, 0}};
    for (const auto& c : netTimes) {
        int64_t ms = -1;
        EXPECT_EQ(OutbreakerNetTime(QString::fromLatin1(c.text), ms), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(ms, c.ms) << c.text;
        }
    }
    EXPECT_EQ(OutbreakerSplitMs(at(2023, 5, 2, 0, 0, 45), EncodeTime(23, 59, 30, 0)), 75000);
    EXPECT_EQ(OutbreakerSplitMs(at(2023, 5, 1, 10, 1, 30), EncodeTime(10, 0, 0, 0)), 90000);
}

TEST_F(OutbreakerImportTest, AFailureMidwayLeavesNothingAndEverythingWorksAfter)
{
    const int units = count(QStringLiteral("SELECT count(*) FROM DATEN"));
    const int rows = count(QStringLiteral("SELECT count(*) FROM zeit"));
    ToutImport::testStepHook = [](int i) {
        if (i == 150)
            throw EDatabaseError(QStringLiteral("Datenträger voll"));
    };
    ScriptedAnswers::pushMessageAnswer(mrOk);
    run(file, [](ToutImport& f) {
        f.Button4->click();
        EXPECT_TRUE(f.isVisible());  // the window stays for another try or "Abbrechen"
        f.Button1->click();
    });
    const RecordedMessage m = ScriptedAnswers::lastMessage();
    EXPECT_EQ(m.Type, mtError);
    EXPECT_TRUE(m.Text.contains(QStringLiteral("Datenträger voll"))) << m.Text.toStdString();
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM DATEN")), units);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM zeit")), rows);
    EXPECT_FALSE(orvServer->orvDB.InTransaction());
    EXPECT_TRUE(bool(orvServer->daten.AfterPost));
    EXPECT_TRUE(bool(orvServer->dsDaten.OnDataChange));
    EXPECT_FALSE(orvServer->daten.ControlsDisabled());
    EXPECT_TRUE(eingabe->zwFillEnabled);
    EXPECT_TRUE(orvServer->ZeitCalculation());

    // The same import goes through afterwards, and the navigator follows it.
    ToutImport::testStepHook = nullptr;
    run(file, [](ToutImport& f) { f.Button4->click(); });
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM DATEN")), units + 1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM zeit")), rows + 300);
    EXPECT_EQ(navigatorSelection(), QString::number(newUnit()));
}

TEST_F(OutbreakerImportTest, WithoutAReadableFileThereIsNothingToImport)
{
    // The file dialog cancelled: an empty list, "Import" disabled.
    run(QString(), [](ToutImport& f) {
        EXPECT_EQ(f.master.RecordCount(), 0);
        EXPECT_FALSE(f.Button4->isEnabled());
        f.Button1->click();
    });
    // No Access file: said so, with the file's name.
    const QString text = files.write(QStringLiteral("kein.mdb"), QByteArray(9000, 'x'));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    run(text, [](ToutImport& f) {
        EXPECT_FALSE(f.Button4->isEnabled());
        f.Button1->click();
    });
    const RecordedMessage m = ScriptedAnswers::lastMessage();
    EXPECT_EQ(m.Type, mtError);
    EXPECT_TRUE(m.Text.contains(QStringLiteral("kein.mdb"))) << m.Text.toStdString();
    EXPECT_EQ(newUnit(), 7);
}

}  // namespace
