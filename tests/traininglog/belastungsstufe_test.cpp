// The automatic load level: the pace against the athlete's 5000 m bands, the pulse against the
// load levels' heart-rate bounds, and the entry window's exits of "Zeit" and "Ø Puls" that set it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "core/main.h"
#include "tests/core/dbserverfixture.h"
#include "tests/core/programfixture.h"
#include "traininglog/belastungsstufe.h"
#include "traininglog/einheiteneingabe.h"

namespace {

TDateTime hms(int h, int m, int s, int ms = 0)
{
    return EncodeTime(h, m, s, ms);
}

// The band set for a 5000 m time of 00:20:00: thresholds 4:00, 5:00 and 6:00 per km give
// levels 4, 3 and 2 (the template's own set for that time is replaced).
void useExampleBands(const AthleteDatabase& db)
{
    const double twenty = 1200000 / 86400000.0;
    db.exec(QStringLiteral("DELETE FROM bel5000m WHERE be5_gesZeit = %1").arg(twenty, 0, 'g', 17));
    for (auto [sec, level] : {std::pair{240, 4}, {300, 3}, {360, 2}})
        db.exec(QStringLiteral("INSERT INTO bel5000m (be5_gesZeit, be5_zeit, be5_belStufe) VALUES (%1, %2, %3)")
                    .arg(twenty, 0, 'g', 17)
                    .arg(sec * 1000 / 86400000.0, 0, 'g', 17)
                    .arg(level));
}

class LoadLevelTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        useExampleBands(db);
        open();
    }
    // What the shared datasets look like, to see that the lookups leave them alone.
    QString sharedState()
    {
        return server.bel5000m.SQLText() + QLatin1Char('|') + server.belStufe.Filter() + QLatin1Char('|') +
               QString::number(server.belStufe.Filtered()) + QLatin1Char('|') +
               server.belStufe.FieldByName("bel_ID")->AsString() + QLatin1Char('|') +
               QString::number(server.bel5000m.RecNo()) + QLatin1Char('|') +
               QString::number(server.belStufe.RecordCount());
    }
};

TEST_F(LoadLevelTest, PaceFindsTheBandBelowIt)
{
    const struct {
        TDateTime pace;
        int level;
    } cases[] = {
        {hms(0, 5, 30), 3},
        {hms(0, 5, 0), 4},  // equal to a threshold: not that band
        {hms(0, 5, 0, 999), 4},  // the pace counts as the seconds it shows
        {hms(0, 5, 1), 3},
        {hms(0, 6, 30), 2},
        {hms(0, 3, 50), 0},
        {hms(0, 0, 0), 0},
        {hms(0, 0, 0, 400), 0},  // shows as 00:00:00
    };
    server.belStufe.Locate("bel_ID", 3);
    server.bel5000m.Next();
    const QString before = sharedState();
    const QVariant twenty = hms(0, 20, 0);
    for (const auto& c : cases)
        EXPECT_EQ(LoadLevelByPace(server.orvDB, twenty, c.pace), c.level) << FormatDateTime("hh:nn:ss.zzz", c.pace).toStdString();
    EXPECT_EQ(sharedState(), before);
}

TEST_F(LoadLevelTest, FiveKTimeMatchesToTheSecondAndMayBeMissing)
{
    // A 5000 m time that differs below a second from the band set's still finds it.
    EXPECT_EQ(LoadLevelByPace(server.orvDB, hms(0, 20, 0, 300), hms(0, 5, 30)), 3);
    EXPECT_EQ(LoadLevelByPace(server.orvDB, hms(0, 19, 59, 700), hms(0, 5, 30)), 3);
    // No band set for the time, or none set at all: 0, and no error.
    EXPECT_EQ(LoadLevelByPace(server.orvDB, hms(1, 30, 0), hms(0, 5, 30)), 0);
    EXPECT_EQ(LoadLevelByPace(server.orvDB, QVariant(), hms(0, 5, 30)), 0);
    EXPECT_EQ(LoadLevelByPace(server.orvDB, QVariant(QString()), hms(0, 5, 30)), 0);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
}

TEST_F(LoadLevelTest, PulseOnABoundLiesInTheLevelAndTheFirstInOrderWins)
{
    // Template bands: REKOM 95-132 (1), GA1 133-151 (2), GA2 152-166 (3), EB 167-178 (4), SB 179-220 (5).
    const QString before = sharedState();
    for (auto [pulse, level] : {std::pair{95, 1}, {132, 1}, {133, 2}, {151, 2}, {220, 5}, {94, 0}, {221, 0}})
        EXPECT_EQ(LoadLevelByPulse(server.orvDB, pulse), level) << pulse;
    EXPECT_EQ(sharedState(), before);

    // GA2 overlaps EB and now comes after it in the display order: EB wins, whatever the ids.
    server.orvDB.Execute(QStringLiteral("UPDATE belstufe SET bel_HFEnde = 170, bel_orderID = 9 WHERE bel_ID = 3"));
    EXPECT_EQ(LoadLevelByPulse(server.orvDB, 168), 4);
    EXPECT_EQ(LoadLevelByPulse(server.orvDB, 160), 3);
}

// The entry window on the program started as the user starts it, with the example bands and the
// template's load levels.
class AutoLoadLevelTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        useExampleBands(db);
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        FormatSettings() = saved_;
    }
    void start(bool autoCalc, bool byPulse)
    {
        db.exec(QStringLiteral("UPDATE config SET cfg_belautocalc = %1, cfg_nachHF = %2, cfg_5000m = %3")
                    .arg(int(autoCalc))
                    .arg(int(byPulse))
                    .arg(1200000 / 86400000.0, 0, 'g', 17));
        StartProgram({db.path()});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
        QApplication::setActiveWindow(MainForm);
        // A new run of 10 km with load level "Keine".
        eingabe->DataSetInsert1->Execute();
        TDataSet& d = orvServer->daten;
        ASSERT_EQ(d.State(), dsInsert);
        d.FieldByName("Sportart")->SetAsInteger(orvServer->sportart.Lookup("Spo_Name", "Laufen", "Spo_Id").toInt());
        d.FieldByName("Meter")->SetAsInteger(10000);
        d.FieldByName("Belastungsstufe")->SetAsInteger(0);
    }
    // Types into an edit box and leaves it for the next one, as the user does with Tab.
    static void typeAndLeave(QLineEdit* edit, const QString& text, QWidget* next)
    {
        edit->setFocus();
        edit->selectAll();
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
        }
        next->setFocus();
    }
    int level() const { return orvServer->daten.FieldByName("Belastungsstufe")->AsInteger(); }

    AthleteDatabase db;

private:
    TFormatSettings saved_;
};

TEST_F(AutoLoadLevelTest, LeavingTimeSetsTheLevelByPaceInPaceMode)
{
    start(true, false);
    typeAndLeave(eingabe->DBEdit6, "00:55:00", eingabe->DBEdit1);  // 5:30 per km
    EXPECT_EQ(level(), 3);
    typeAndLeave(eingabe->DBEdit6, "00:50:00", eingabe->DBEdit1);  // 5:00, on the threshold
    EXPECT_EQ(level(), 4);
    typeAndLeave(eingabe->DBEdit6, "00:38:20", eingabe->DBEdit1);  // 3:50, faster than every band
    EXPECT_EQ(level(), 0);
    // Leaving "Ø Puls" in pace mode changes nothing.
    orvServer->daten.FieldByName("Belastungsstufe")->SetAsInteger(5);
    typeAndLeave(eingabe->DBEdit10, "140", eingabe->DBEdit1);
    EXPECT_EQ(level(), 5);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << messageTexts().join("\n").toStdString();
}

TEST_F(AutoLoadLevelTest, LeavingPulseSetsTheLevelByHeartRateInHeartRateMode)
{
    start(true, true);
    typeAndLeave(eingabe->DBEdit10, "151", eingabe->DBEdit1);
    EXPECT_EQ(level(), 2);
    typeAndLeave(eingabe->DBEdit10, "152", eingabe->DBEdit1);
    EXPECT_EQ(level(), 3);
    // Leaving "Zeit" in heart-rate mode changes nothing.
    typeAndLeave(eingabe->DBEdit6, "00:55:00", eingabe->DBEdit1);
    EXPECT_EQ(level(), 3);
}

TEST_F(AutoLoadLevelTest, NothingHappensWhenSwitchedOffOrWhileBrowsing)
{
    start(false, false);
    typeAndLeave(eingabe->DBEdit6, "00:55:00", eingabe->DBEdit1);
    EXPECT_EQ(level(), 0);
    orvServer->daten.Cancel();
    // In browse state the exits write nothing, even with the switch on.
    orvServer->config.Edit();
    orvServer->config.FieldByName("cfg_belautocalc")->SetAsBoolean(true);
    orvServer->config.Post();
    eingabe->DBEdit6Exit(eingabe->DBEdit6);
    eingabe->DBEdit10Exit(eingabe->DBEdit10);
    EXPECT_EQ(orvServer->daten.State(), dsBrowse);
}

TEST_F(AutoLoadLevelTest, AnEmptyFiveKTimeGivesNoLevelAndNoError)
{
    db.exec("UPDATE config SET cfg_5000m = NULL");
    StartProgram({db.path()});
    ASSERT_TRUE(eingabe && eingabe->isVisible());
    EXPECT_EQ(eingabe->get5000BelStufe(EncodeTime(0, 5, 30, 0)), 0);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
}

}  // namespace
