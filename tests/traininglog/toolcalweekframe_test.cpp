// The calendar-week chart tool: the distance per sport or load level of a period as coloured
// bars, or the per-sport sums as a table, with or without planned units.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "platform/db/fields.h"
#include "platform/rtl/sysutils.h"
#include "tests/core/dbserverfixture.h"
#include "tests/support/messages.h"
#include "traininglog/toolcalweekframe.h"

namespace {

class CalWeekChartTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        FormatSettings() = GermanFormatSettings();
    }
    // A unit on a day of March 2004 (form 3 is the planning form "Geplant").
    void unit(int id, int day, int sport, int form, int meter, int level = 1)
    {
        db.exec(QString("INSERT INTO DATEN (dat_Id, Datum, Form, Zeit, Meter, Hoehendifferenz, Belastungsart, Sportart, "
                        "Belastungsstufe, trainingsblock) VALUES (%1, %2, %3, 0.02, %4, 0, 1, %5, %6, 1)")
                    .arg(id)
                    .arg(QString::number(EncodeDate(2004, 3, day), 'g', 17))
                    .arg(form)
                    .arg(meter)
                    .arg(sport)
                    .arg(level));
    }
    static TDateTime march(int day) { return EncodeDate(2004, 3, day); }
};

}  // namespace

TEST_F(CalWeekChartTest, BarsPerSportInTheSportsColours)
{
    unit(1, 8, 1, 1, 10000);   // Monday: running
    unit(2, 10, 2, 1, 40000);  // cycling
    unit(3, 14, 1, 2, 5000);   // Sunday: running again
    unit(4, 15, 1, 1, 7000);   // the next Monday: outside the week
    unit(5, 3, 4, 1, 3000);    // the week before
    open();
    TtoolCalWeekFrm frame;
    frame.Refresh(march(8), march(8) + 6);

    ChartWidget& chart = *frame.DBChart1;
    const ChartSeries& bars = chart.SeriesObject(0);
    ASSERT_EQ(bars.PointCount(), 2);
    EXPECT_DOUBLE_EQ(bars.Value(0), 15000.0);  // running, the lower id first
    EXPECT_DOUBLE_EQ(bars.Value(1), 40000.0);
    EXPECT_EQ(chart.AxisObject(AxisX).AxisPointLabel(0), "Laufen");
    EXPECT_EQ(chart.AxisObject(AxisX).AxisPointLabel(1), "Radfahren");
    EXPECT_EQ(bars.PointColor(0), TColor(0x98DB98));
    EXPECT_EQ(bars.PointColor(1), TColor(0x78C8FF));
    EXPECT_EQ(chart.Title(), QStringList{"Sportart"});
    EXPECT_FALSE(chart.LegendVisible());

    // By load level: one bar for level 1, titled so.
    frame.XPButton2->SetDown(true);
    frame.XPButton2->Click();
    EXPECT_EQ(chart.Title(), QStringList{"Belastungsstufe"});
    ASSERT_EQ(chart.SeriesObject(0).PointCount(), 1);
    EXPECT_DOUBLE_EQ(chart.SeriesObject(0).Value(0), 55000.0);
    EXPECT_EQ(chart.AxisObject(AxisX).AxisPointLabel(0), "REKOM");

    // "txt" shows the per-sport sums, also after the load levels.
    frame.XPButton3->SetDown(true);
    frame.XPButton3->Click();
    EXPECT_TRUE(frame.Panel2->isVisibleTo(&frame));
    EXPECT_EQ(frame.DBGrid1->DataSource(), &frame.dsSportart);
    EXPECT_EQ(frame.qSportart.RecordCount(), 2);
    frame.XPButton1->SetDown(true);
    frame.XPButton1->Click();
    EXPECT_FALSE(frame.Panel2->isVisibleTo(&frame));
    EXPECT_EQ(chart.SeriesObject(0).PointCount(), 2);

    // Space presses a button as the mouse does: down, then its view.
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(frame.XPButton2, &space);
    EXPECT_TRUE(frame.XPButton2->Down());
    EXPECT_EQ(chart.Title(), QStringList{"Belastungsstufe"});
}

TEST_F(CalWeekChartTest, PlanningSwitchAndEmptyPeriods)
{
    unit(1, 10, 1, 3, 12345);  // the week's only unit is planned
    unit(2, 20, 2, 1, 20000);
    open();
    TtoolCalWeekFrm frame;
    frame.Refresh(march(8), march(14));
    EXPECT_EQ(frame.DBChart1->SeriesObject(0).PointCount(), 1);

    // Cleared: the planned unit counts no more; the frame reads its period anew.
    frame.CheckBox1->click();
    EXPECT_FALSE(frame.CheckBox1->isChecked());
    EXPECT_EQ(frame.DBChart1->SeriesObject(0).PointCount(), 0);
    EXPECT_EQ(frame.qSportart.RecordCount(), 0);
    EXPECT_EQ(frame.qBelStufe.RecordCount(), 0);

    // A planner that owns the refresh is asked instead.
    int asked = 0;
    frame.OnPlanningChanged = [&] { ++asked; };
    frame.CheckBox1->click();
    EXPECT_EQ(asked, 1);

    // A month: both units; the dates go in as values, whatever the short date format says.
    FormatSettings().ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    FormatSettings().DateSeparator = QLatin1Char('/');
    frame.Refresh(march(1), march(31));
    EXPECT_EQ(frame.DBChart1->SeriesObject(0).PointCount(), 2);
    frame.Refresh(EncodeDate(2004, 2, 1), EncodeDate(2004, 2, 29));
    EXPECT_EQ(frame.DBChart1->SeriesObject(0).PointCount(), 0);
}

TEST_F(CalWeekChartTest, EnglishModuleTranslatesTheFrame)
{
    EnglishModule english("toolcalweekframe_en");
    ASSERT_TRUE(english.loaded());
    TtoolCalWeekFrm frame;
    EXPECT_EQ(frame.CheckBox1->text(), "with &planning");
    EXPECT_EQ(frame.XPButton2->toolTip(), "Load level");
    EXPECT_EQ(frame.DBGrid1->Columns()[1]->Title().Caption(), "Distance");
}
