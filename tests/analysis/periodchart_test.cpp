// The period chart's filling on an athlete database: one point per day, per block or per unit,
// one series per category in its table's order, the value axis' title and scale, the load-level
// bands under the pulse, and the failures of each grouping.
#include <gtest/gtest.h>

#include "analysis/periodchart.h"
#include "analysis/weekstat.h"
#include "analysis/zeitraumsql.h"
#include "platform/chart/chartmodel.h"
#include "platform/chart/chartscale.h"
#include "tests/core/dbserverfixture.h"

namespace {

constexpr int Laufen = 1;
constexpr int Radfahren = 2;
constexpr int Schwimmen = 3;

class PeriodChartTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        open();
    }
    void TearDown() override
    {
        DataModuleTest::TearDown();
        FormatSettings() = saved_;
    }

    static TDateTime day(int d, int month = 11) { return EncodeDate(2026, month, d); }

    // A unit on a day (a time of day may follow), of a sport, with metres, time, pulse and block.
    void unit(double datum, int sport, int metres, double zeit = 0.0, int puls = 0, int block = 0)
    {
        db.exec(QStringLiteral("INSERT INTO daten (Datum, Form, Zeit, Meter, Sportart, Belastungsart, "
                               "Belastungsstufe, Hoehendifferenz, Puls, Temperatur, trainingsblock) VALUES "
                               "(%1, 1, %2, %3, %4, 1, 1, 10, %5, 21, %6)")
                    .arg(datum, 0, 'f', 6)
                    .arg(zeit)
                    .arg(metres)
                    .arg(sport)
                    .arg(puls)
                    .arg(block));
    }
    void block(int id, const char* name, TDateTime created)
    {
        db.exec(QStringLiteral("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created, trb_sportart, trb_form) "
                               "VALUES (%1, '%2', %3, 1, 1)")
                    .arg(id)
                    .arg(QString::fromLatin1(name))
                    .arg(created));
    }

    PeriodChartRequest request(const QString& grouping, int y, TDateTime first, TDateTime last)
    {
        PeriodChartRequest r;
        r.grouping = grouping;
        r.marking = QStringLiteral("Sportart");
        r.y = y;
        r.unitName = QStringLiteral("Kilometer");
        r.firstDay = first;
        r.lastDay = last;
        r.condition = PeriodCondition(first, last, QStringLiteral("(1=1)"), QStringLiteral("(1=1)"), GermanFormatSettings());
        return r;
    }

    void fill(const PeriodChartRequest& r) { FillPeriodChart(chart, orvServer->orvDB, r); }

    static std::vector<double> point(const ChartModel& c, int p, int series = 3)
    {
        std::vector<double> v;
        for (int s = 0; s < series; ++s)
            v.push_back(c.DataValue(s, p));
        return v;
    }
    static bool noValues(const ChartModel& c, int p)
    {
        for (int s = 0; s < c.SeriesCount(); ++s)
            if (c.SeriesObject(s).HasValue(p))
                return false;
        return true;
    }

    ChartModel chart;

private:
    TFormatSettings saved_;
};

TEST_F(PeriodChartTest, DayGroupingHasAPointPerDayAndAValuePerCategoryOnDaysWithUnits)
{
    unit(day(2), Laufen, 10000);
    unit(day(2), Radfahren, 30000);
    unit(day(2) + 0.75, Laufen, 5000);  // an evening unit is the same day
    unit(day(4), Schwimmen, 2000);
    unit(day(9), Laufen, 8000);  // after the period
    PeriodChartRequest r = request(QStringLiteral("Tag"), pyDistance, day(1), day(5));
    r.unitFactor = 0.001;
    fill(r);

    EXPECT_TRUE(chart.Stacked());
    EXPECT_EQ(chart.SeriesCount(), 9) << "one series per sport";
    ASSERT_EQ(chart.PointCount(), 5);
    EXPECT_EQ(chart.AxisLabelText(AxisX, 0), QStringLiteral("01.11.2026"));
    EXPECT_EQ(chart.AxisLabelText(AxisX, 4), QStringLiteral("05.11.2026"));
    EXPECT_TRUE(noValues(chart, 0)) << "a day without units has no values";
    EXPECT_TRUE(noValues(chart, 2));
    EXPECT_EQ(point(chart, 1), (std::vector<double>{15.0, 30.0, 0.0})) << "sums per category, 0 where none";
    EXPECT_EQ(point(chart, 3), (std::vector<double>{0.0, 0.0, 2.0}));

    // Series follow the sports in order-number order; "Sonstige" (order 9, no colour) is last and white.
    EXPECT_EQ(chart.SeriesObject(0).SeriesLegend(), QStringLiteral("Laufen"));
    EXPECT_EQ(chart.SeriesObject(8).SeriesLegend(), QStringLiteral("Sonstige"));
    EXPECT_EQ(chart.SeriesObject(8).SeriesColor(), clWhite);

    const ChartAxis& y = chart.AxisObject(AxisMainY);
    EXPECT_EQ(y.AxisTitle(), QStringLiteral("Kilometer"));
    EXPECT_EQ(y.AxisMin(), 0.0);
    EXPECT_DOUBLE_EQ(y.AxisMax(), ComputeChartScale(0.0, 45.0, std::nullopt, std::nullopt, 0.0, false).max * 1.5)
        << "the upper end the data need, raised by half";
}

TEST_F(PeriodChartTest, TimeIsCountedInDaysWithHourTicksAndLabelsPastADay)
{
    unit(day(2), Laufen, 10000, 1.5);
    fill(request(QStringLiteral("Tag"), pyTime, day(1), day(3)));
    EXPECT_EQ(chart.DataValue(0, 1), 1.5);
    EXPECT_EQ(chart.AxisObject(AxisMainY).AxisTitle(), QStringLiteral("Zeit"));
    EXPECT_DOUBLE_EQ(chart.AxisObject(AxisMainY).TickStep(), 1.0 / 24.0);

    const struct {
        double days;
        const char* text;
    } labels[] = {{1.5, "36:00:00"}, {5.0 / 24.0, "5:00:00"}, {0.0, "0:00:00"}, {1.0 + 1.0 / 86400.0, "24:00:01"}};
    for (const auto& l : labels)
        EXPECT_EQ(WeekChartTimeLabel(l.days), QString::fromLatin1(l.text)) << l.days;
}

TEST_F(PeriodChartTest, WithoutGroupingEachUnitIsAPointSideBySide)
{
    unit(day(2), Laufen, 10000, 0.0, 140);
    unit(day(2), Radfahren, 30000, 0.0, 120);
    unit(day(3), Laufen, 6000, 0.0, 150);
    fill(request(QStringLiteral("keine"), pyPulse, day(1), day(5)));

    EXPECT_FALSE(chart.Stacked());
    ASSERT_EQ(chart.PointCount(), 3);
    EXPECT_EQ(chart.AxisLabelText(AxisX, 0), QStringLiteral("02.11.2026"));
    EXPECT_EQ(chart.AxisLabelText(AxisX, 1), QStringLiteral("02.11.2026")) << "two units of one day are two points";
    EXPECT_EQ(chart.AxisLabelText(AxisX, 2), QStringLiteral("03.11.2026"));
    EXPECT_EQ(chart.DataValue(0, 0), 140.0);
    EXPECT_EQ(chart.DataValue(1, 1), 120.0);
    EXPECT_FALSE(chart.SeriesObject(1).HasValue(0)) << "a unit has a value in its own sport's series only";
    EXPECT_EQ(chart.AxisObject(AxisMainY).AxisTitle(), QStringLiteral("Puls"));
    EXPECT_EQ(chart.StripeCount(), 0) << "no bands unless asked for";

    fill(request(QStringLiteral("keine"), pyTemperature, day(1), day(5)));
    EXPECT_EQ(chart.DataValue(0, 0), 21.0);
    EXPECT_EQ(chart.AxisObject(AxisMainY).AxisTitle(), QString());
}

TEST_F(PeriodChartTest, LoadLevelBandsOnlyUnderThePulseOfSportsWithoutGroupingWhenAskedFor)
{
    unit(day(2), Laufen, 10000, 0.0, 140);
    db.exec(QStringLiteral("UPDATE belStufe SET bel_Farbe = -1 WHERE bel_ID = 3"));
    PeriodChartRequest r = request(QStringLiteral("keine"), pyPulse, day(1), day(5));
    r.unitChoice = 1;
    fill(r);
    // Six levels: "Keine" and GA2 have no colour and give no band.
    ASSERT_EQ(chart.StripeCount(), 6);
    EXPECT_TRUE(chart.StripeObject(0).Shown());
    EXPECT_EQ(chart.StripeObject(0).StripeFrom(), 95.0);
    EXPECT_EQ(chart.StripeObject(0).StripeTo(), 132.0);
    EXPECT_EQ(chart.StripeObject(0).StripeColor(), TColor(13172680));
    EXPECT_EQ(chart.StripeObject(2).StripeFrom(), 167.0) << "GA2 is left out";
    EXPECT_FALSE(chart.StripeObject(4).Shown());
    EXPECT_FALSE(chart.StripeObject(5).Shown());

    const struct {
        const char* marking;
        const char* grouping;
        int y;
        int choice;
    } without[] = {{"Form", "keine", pyPulse, 1}, {"Sportart", "keine", pyPulse, 0},
                   {"Sportart", "keine", pyWeight, 1}, {"Sportart", "Tag", pyDistance, 1}};
    for (const auto& w : without) {
        ChartModel fresh;
        PeriodChartRequest other = request(QString::fromLatin1(w.grouping), w.y, day(1), day(5));
        other.marking = QString::fromLatin1(w.marking);
        other.unitChoice = w.choice;
        FillPeriodChart(fresh, orvServer->orvDB, other);
        EXPECT_EQ(fresh.StripeCount(), 0) << w.marking << " " << w.grouping << " " << w.y;
    }
}

TEST_F(PeriodChartTest, BlocksArePointsInCreationOrderAndSeriesFollowTheTablesOrderNotTheOrderNumbers)
{
    // Order numbers with a gap: Schwimmen is the third sport.
    db.exec(QStringLiteral("UPDATE sportart SET spo_orderId = spo_orderId + 10 WHERE spo_id > 3 OR spo_id = 0"));
    db.exec(QStringLiteral("UPDATE sportart SET spo_orderId = 5 WHERE spo_id = 3"));
    block(1, "Winter", day(20, 10));  // created before the period
    block(2, "Aufbau", day(3));
    block(3, "Tapering", day(3));  // the same day as another
    unit(day(2), Laufen, 10000, 0.0, 0, 1);
    unit(day(4), Schwimmen, 2000, 0.0, 0, 2);
    unit(day(4), Radfahren, 40000, 0.0, 0, 2);
    unit(day(5), Laufen, 7000, 0.0, 0, 3);
    unit(day(5), Laufen, 3000, 0.0, 0, 3);
    fill(request(QStringLiteral("Block"), pyDistance, day(1), day(10)));

    ASSERT_EQ(chart.PointCount(), 3);
    EXPECT_EQ(chart.AxisLabelText(AxisX, 0), QStringLiteral("20.10.2026 Winter"));
    EXPECT_EQ(chart.AxisLabelText(AxisX, 1), QStringLiteral("03.11.2026 Aufbau"));
    EXPECT_EQ(chart.AxisLabelText(AxisX, 2), QStringLiteral("03.11.2026 Tapering"));
    EXPECT_EQ(chart.DataValue(0, 0), 10000.0);
    EXPECT_EQ(chart.DataValue(1, 1), 40000.0);
    EXPECT_EQ(chart.DataValue(2, 1), 2000.0) << "order number 5 is the third series";
    EXPECT_EQ(chart.SeriesObject(2).SeriesLegend(), QStringLiteral("Schwimmen"));
    EXPECT_EQ(chart.DataValue(0, 2), 10000.0) << "a block of the same day keeps its own point";
    EXPECT_TRUE(chart.Stacked());

    // The unit-by-unit grouping places by the table's order as well.
    fill(request(QStringLiteral("keine"), pyDistance, day(1), day(10)));
    EXPECT_EQ(chart.DataValue(2, 1), 2000.0);
}

TEST_F(PeriodChartTest, APeriodEndingBeforeItBeginsHasNoValuesButColoursLegendsAndTitle)
{
    unit(day(2), Laufen, 10000);
    PeriodChartRequest r = request(QStringLiteral("Tag"), pyHeight, day(5), day(1));
    // The period window's sport list: Radfahren unticked.
    r.seriesShown = [](const QVariant& key) { return key.toInt() != Radfahren; };
    fill(r);
    EXPECT_EQ(chart.PointCount(), 0);
    EXPECT_EQ(chart.SeriesObject(0).SeriesLegend(), QStringLiteral("Laufen"));
    EXPECT_EQ(chart.SeriesObject(0).SeriesColor(), TColor(10017688));
    EXPECT_TRUE(chart.SeriesObject(0).SeriesVisible());
    EXPECT_FALSE(chart.SeriesObject(1).SeriesVisible());
    EXPECT_EQ(chart.AxisObject(AxisMainY).AxisTitle(), QStringLiteral("HDiff"));

    // Markings without a filter list leave every series shown.
    ChartModel levels;
    r.marking = QStringLiteral("Belastungsstufe");
    FillPeriodChart(levels, orvServer->orvDB, r);
    EXPECT_EQ(levels.SeriesObject(1).SeriesLegend(), QStringLiteral("REKOM"));
    EXPECT_TRUE(levels.SeriesObject(1).SeriesVisible());
}

TEST_F(PeriodChartTest, FailuresOfTheDayGroupingPassOnThoseWithoutGroupingAreToldAndTheColoursFollow)
{
    PeriodChartRequest r = request(QStringLiteral("Tag"), pyDistance, day(1), day(5));
    r.condition = QStringLiteral("nosuchfield = 1");
    EXPECT_ANY_THROW(fill(r));

    int told = 0;
    r.grouping = QStringLiteral("keine");
    r.onUnitsFailed = [&] { ++told; };
    fill(r);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(chart.SeriesObject(0).SeriesLegend(), QStringLiteral("Laufen"));
    EXPECT_EQ(chart.AxisObject(AxisMainY).AxisTitle(), QStringLiteral("Kilometer"));
}

}  // namespace
