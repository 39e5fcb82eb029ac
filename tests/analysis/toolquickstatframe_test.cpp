// The quick statistics in the main window's tool panel, on the program started as a user starts
// it: the week and the block of the current unit, the two groupings, the two series, the main
// window bringing the pane back, following the current unit, and units without a week or block.
#include <gtest/gtest.h>

#include "analysis/quickstatsql.h"
#include "analysis/toolquickstatframe.h"
#include "controls/xpbutton.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "platform/chart/chartwidget.h"
#include "platform/db/fields.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/keyboardwalk.h"
#include "tests/support/errorbox.h"
#include "traininglog/einheiteneingabe.h"

namespace {

class QuickStatPaneTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        savedSettings_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        FormatSettings() = savedSettings_;
    }

    void unit(const char* date, int level, int metres, int block = 1, int sport = 1, double days = 0.05)
    {
        db.exec(QStringLiteral("INSERT INTO daten (Datum, Startzeit, Form, Zeit, Meter, Sportart, Belastungsart, "
                               "Belastungsstufe, trainingsblock, Hoehendifferenz) VALUES (%1, 0.3, 1, %2, %3, %4, 1, %5, %6, 0)")
                    .arg(StrToDate(QString::fromLatin1(date), GermanFormatSettings()))
                    .arg(days, 0, 'g', 17)
                    .arg(metres)
                    .arg(sport)
                    .arg(level)
                    .arg(block));
    }
    void block(int id, const char* name)
    {
        db.exec(QStringLiteral("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created, trb_sportart, trb_form) "
                               "VALUES (%1, '%2', %3, 1, 1)")
                    .arg(id)
                    .arg(QString::fromUtf8(name))
                    .arg(EncodeDate(2004, 3, 1)));
    }

    void start()
    {
        StartProgram({db.path()});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
        MainForm->QuickStat1->trigger();
        ASSERT_EQ(MainForm->getTool(), "QuickStat");
    }

    static TtoolQuickstatFrm& pane() { return *toolQuickstatFrm; }
    static ChartWidget& chart() { return *toolQuickstatFrm->DBChart1; }
    static QString title() { return chart().Title().value(0); }
    // The bars of the visible series as "label=value".
    static QStringList bars()
    {
        const int s = chart().SeriesObject(QuickStatDistanceSeries).SeriesVisible() ? QuickStatDistanceSeries
                                                                                    : QuickStatTimeSeries;
        QStringList out;
        const ChartSeries& series = chart().SeriesObject(s);
        for (int p = 0; p < series.PointCount(); ++p)
            out << chart().AxisObject(AxisX).AxisPointLabel(p) + QLatin1Char('=') + FloatToStr(series.Value(p));
        return out;
    }
    static void moveTo(const char* date)
    {
        ASSERT_TRUE(orvServer->daten.Locate(QStringLiteral("Datum"),
                                            StrToDate(QString::fromLatin1(date), GermanFormatSettings())));
    }

    AthleteDatabase db;

private:
    TFormatSettings savedSettings_;
};

}  // namespace

TEST_F(QuickStatPaneTest, WeekRunsFromMondayToSundayAndFollowsTheCurrentUnit)
{
    unit("28.02.2004", 2, 4000);  // Saturday before
    unit("01.03.2004", 2, 1000);  // Monday
    unit("07.03.2004", 2, 2000);  // Sunday
    unit("08.03.2004", 3, 8000);  // the next Monday
    start();
    struct Case {
        const char* current;
        const char* title;
        QStringList bars;
    };
    for (const Case& c : {Case{"08.03.2004", "Woche: 08.03.2004 - 14.03.2004", {"GA2=8"}},
                          Case{"07.03.2004", "Woche: 01.03.2004 - 07.03.2004", {"GA1=3"}},
                          Case{"01.03.2004", "Woche: 01.03.2004 - 07.03.2004", {"GA1=3"}},
                          Case{"28.02.2004", "Woche: 23.02.2004 - 29.02.2004", {"GA1=4"}}}) {
        moveTo(c.current);  // each move refreshes the pane
        EXPECT_EQ(title(), c.title) << c.current;
        EXPECT_EQ(bars(), c.bars) << c.current;
    }
}

TEST_F(QuickStatPaneTest, GroupingKeepsTheViewAndTheMainWindowReturnsToWeekDistances)
{
    block(5, "Frühjahr");
    unit("01.03.2004", 2, 10000, 5, 1, 0.04);
    unit("09.03.2004", 3, 30000, 5, 2, 0.06);
    unit("10.03.2004", 2, 5000, 6, 1);
    start();
    moveTo("09.03.2004");
    pane().XPButton2->SetDown(true);
    pane().XPButton2->Click();
    EXPECT_EQ(title(), "Frühjahr");
    EXPECT_EQ(bars(), (QStringList{"GA1=10", "GA2=30"}));

    pane().XPButton4->SetDown(true);
    pane().XPButton4->Click();  // "Sportarten"
    EXPECT_TRUE(pane().XPButton2->Down());
    EXPECT_EQ(title(), "Frühjahr");
    EXPECT_EQ(bars(), (QStringList{"Laufen=10", "Radfahren=30"}));

    pane().XPButton6->SetDown(true);
    pane().XPButton6->Click();  // the time bars
    EXPECT_FALSE(chart().SeriesObject(QuickStatDistanceSeries).SeriesVisible());
    EXPECT_EQ(bars(), (QStringList{"Laufen=0,04", "Radfahren=0,06"}));
    EXPECT_EQ(chart().AxisObject(AxisSecondaryY).LabelKind(), AxisLabelKind::Time);

    pane().XPButton3->SetDown(true);
    pane().XPButton3->Click();  // back to the load levels, still the block
    EXPECT_EQ(title(), "Frühjahr");
    EXPECT_EQ(bars(), (QStringList{"GA1=0,04", "GA2=0,06"}));

    MainForm->setTool("QuickStat", false);
    EXPECT_TRUE(pane().XPButton1->Down());
    EXPECT_TRUE(pane().XPButton5->Down());
    EXPECT_TRUE(chart().SeriesObject(QuickStatDistanceSeries).SeriesVisible());
    EXPECT_FALSE(chart().SeriesObject(QuickStatTimeSeries).SeriesVisible());
    EXPECT_EQ(title(), "Woche: 08.03.2004 - 14.03.2004");
    EXPECT_EQ(bars(), (QStringList{"GA1=5", "GA2=30"}));
}

TEST_F(QuickStatPaneTest, EditingAUnitDoesNotRefreshUntilItIsSaved)
{
    unit("01.03.2004", 2, 1000);
    unit("09.03.2004", 2, 2000);
    start();
    EXPECT_EQ(title(), "Woche: 08.03.2004 - 14.03.2004");
    TTable& daten = orvServer->daten;
    daten.Edit();
    daten.FieldByName("Meter")->SetAsInteger(7000);
    daten.FieldByName("Datum")->SetAsDateTime(EncodeDate(2004, 3, 2));
    EXPECT_EQ(title(), "Woche: 08.03.2004 - 14.03.2004");
    EXPECT_EQ(bars(), QStringList{"GA1=2"});
    daten.Post();
    EXPECT_EQ(title(), "Woche: 01.03.2004 - 07.03.2004");
    EXPECT_EQ(bars(), QStringList{"GA1=8"});
}

TEST_F(QuickStatPaneTest, NoUnitOrANewUnitWithoutBlockShowsAnEmptyChart)
{
    ErrorBoxRecorder errors;
    start();  // no unit in the database
    EXPECT_EQ(title(), "");
    EXPECT_TRUE(bars().isEmpty());
    pane().XPButton2->SetDown(true);
    pane().XPButton2->Click();
    EXPECT_EQ(title(), "");
    EXPECT_TRUE(bars().isEmpty());

    // A new unit, not yet stored: its week has no units yet, and it has no block.
    TTable& daten = orvServer->daten;
    daten.Insert();
    daten.FieldByName("Datum")->SetAsDateTime(EncodeDate(2004, 3, 7));
    daten.FieldByName("trainingsblock")->Clear();
    pane().XPButton2->Click();
    EXPECT_EQ(title(), "");
    EXPECT_TRUE(bars().isEmpty());
    pane().XPButton1->SetDown(true);
    pane().XPButton1->Click();
    EXPECT_EQ(title(), "Woche: 01.03.2004 - 07.03.2004");
    EXPECT_TRUE(bars().isEmpty());
    daten.Cancel();
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(QuickStatPaneTest, DistanceAxisCountsInTheConfiguredUnitWithTheDecimalsItNeeds)
{
    unit("01.03.2004", 0, 100);  // "Keine": no colour of its own
    unit("02.03.2004", 1, 200);
    unit("03.03.2004", 2, 300);
    unit("04.03.2004", 3, 400);
    unit("05.03.2004", 4, 500);
    start();
    EXPECT_EQ(bars(), (QStringList{"Keine=0,1", "REKOM=0,2", "GA1=0,3", "GA2=0,4", "EB=0,5"}));
    const ChartAxis& axis = chart().AxisObject(AxisMainY);
    EXPECT_EQ(chart().AxisLabelText(AxisMainY, axis.TickStep() * 3), "0,3");
    EXPECT_TRUE(IsDefaultChartColor(chart().SeriesObject(0).PointColor(0)));
    EXPECT_EQ(chart().SeriesObject(0).PointColor(2), TColor(0x90EE90));
}

TEST_F(QuickStatPaneTest, TabWalksTheButtonsAndSpaceChoosesTheGrouping)
{
    block(5, "Frühjahr");
    unit("09.03.2004", 2, 10000, 5, 1, 0.04);
    unit("10.03.2004", 3, 30000, 5, 2, 0.06);
    start();
    moveTo("09.03.2004");
    TtoolQuickstatFrm& p = pane();
    EXPECT_EQ(KeyboardWalkProblem(&p, {p.XPButton1, p.XPButton2, p.XPButton3, p.XPButton4, p.XPButton5, p.XPButton6}),
              "");
    FocusWindowAt(MainForm, p.XPButton4);
    PressKey(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_TRUE(p.XPButton4->Down());
    EXPECT_EQ(bars(), (QStringList{"Laufen=10", "Radfahren=30"}));
}
