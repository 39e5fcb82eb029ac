// Series fed from a query: one point per row with value, label and colour from fields, refilled
// after every open and emptied on close.
#include <gtest/gtest.h>

#include "platform/chart/chartdatalink.h"
#include "platform/chart/chartlayout.h"
#include "platform/chart/chartmodel.h"
#include "platform/db/connection.h"
#include "platform/db/query.h"
#include "tests/support/qstringprinter.h"

namespace {

class ChartDataLinkTest : public testing::Test {
protected:
    void SetUp() override
    {
        conn.OpenInMemory();
        conn.Execute(QStringLiteral("CREATE TABLE summen (xvalue INTEGER, name TEXT, farbe TEXT, meter DOUBLE)"));
        // Colours as a DLookup returns them: texts of numbers, -1 for "no colour", or nothing.
        conn.Execute(QStringLiteral("INSERT INTO summen VALUES (3, 'Rad', '65280', 42000), (1, 'Lauf', '255', 12000),"
                                    " (2, 'Schwimmen', '-1', NULL), (4, 'Sonstiges', NULL, 0)"));
        query.SetConnection(&conn);
        query.SetSQLText(QStringLiteral("SELECT * FROM summen"));
        source.SetDataSet(&query);
    }

    void bind(ChartDataLink& link)
    {
        link.SetValueField(QStringLiteral("meter"));
        link.SetLabelField(QStringLiteral("name"));
        link.SetColorField(QStringLiteral("farbe"));
        link.SetXField(QStringLiteral("xvalue"));
        link.SetDataSource(&source);
    }

    TConnection conn;
    TQuery query;
    TDataSource source;
    ChartModel chart;
};

TEST_F(ChartDataLinkTest, OpeningFillsOnePointPerRowInTheXFieldsOrder)
{
    ChartDataLink link(chart, 0);
    bind(link);
    EXPECT_EQ(chart.PointCount(), 0) << "a closed query gives no points";
    query.Open();
    ASSERT_EQ(chart.PointCount(), 4);
    const ChartSeries& s = chart.SeriesObject(0);
    EXPECT_EQ(s.Value(0), 12000.0);
    EXPECT_FALSE(s.HasValue(1)) << "a null sum is no value";
    EXPECT_EQ(s.Value(2), 42000.0);
    EXPECT_EQ(s.Value(3), 0.0);
    EXPECT_EQ(chart.AxisLabelText(AxisX, 0), QStringLiteral("Lauf"));
    EXPECT_EQ(chart.AxisLabelText(AxisX, 2), QStringLiteral("Rad"));
    EXPECT_EQ(s.PointColor(0), clRed);
    EXPECT_TRUE(IsDefaultChartColor(s.PointColor(1)));
    EXPECT_EQ(s.PointColor(2), clLime);
    EXPECT_TRUE(IsDefaultChartColor(s.PointColor(3)));
    EXPECT_EQ(query.RecNo(), 1) << "reading the rows does not move the query";
}

TEST_F(ChartDataLinkTest, ReopeningRefillsAndClosingEmpties)
{
    ChartDataLink link(chart, 0);
    bind(link);
    query.Open();
    conn.Execute(QStringLiteral("DELETE FROM summen WHERE xvalue > 1"));
    query.Close();
    EXPECT_EQ(chart.PointCount(), 0);
    query.Open();
    EXPECT_EQ(chart.PointCount(), 1);
    conn.Execute(QStringLiteral("INSERT INTO summen VALUES (0, 'Ski', '16711680', 500)"));
    query.Requery();
    ASSERT_EQ(chart.PointCount(), 2);
    EXPECT_EQ(chart.AxisLabelText(AxisX, 0), QStringLiteral("Ski"));
    EXPECT_EQ(chart.SeriesObject(0).PointColor(0), clBlue);
}

TEST_F(ChartDataLinkTest, AnAreaOverXValuesPlacesItsPointsAtTheirDistance)
{
    // A height profile: heights over the metres of the points, the points in any stored order.
    conn.Execute(QStringLiteral("CREATE TABLE punkte (Meter INTEGER, Hoehe INTEGER)"));
    conn.Execute(QStringLiteral("INSERT INTO punkte VALUES (5200, 62), (0, 60), (2500, 55), (NULL, 70)"));
    TQuery points;
    points.SetConnection(&conn);
    points.SetSQLText(QStringLiteral("SELECT * FROM punkte"));
    TDataSource ds;
    ds.SetDataSet(&points);
    chart.SetGallery(ChartKind::Area);
    ChartDataLink link(chart, 0);
    link.SetValueField(QStringLiteral("Hoehe"));
    link.SetXField(QStringLiteral("Meter"));
    link.SetLabelField(QStringLiteral("Meter"));
    link.SetXValues(true);
    link.SetDataSource(&ds);
    points.Open();
    const ChartSeries& s = chart.SeriesObject(0);
    ASSERT_EQ(s.PointCount(), 4);
    EXPECT_TRUE(chart.XAxisIsValueAxis());
    EXPECT_EQ(s.XValue(0), 0.0);
    EXPECT_EQ(s.XValue(1), 2500.0);
    EXPECT_EQ(s.XValue(2), 5200.0);
    EXPECT_EQ(s.Value(1), 55.0);
    EXPECT_TRUE(IsNoValue(s.XValue(3))) << "a point without a distance comes last, without X value";
    // The X scale covers the distances and the area reaches them.
    EXPECT_LE(chart.AxisObject(AxisX).AxisMin(), 0.0);
    EXPECT_GE(chart.AxisObject(AxisX).AxisMax(), 5200.0);
    const ChartLayout l(chart, QRectF(0, 0, 600, 300));
    ASSERT_EQ(l.lines.size(), 1u);
    ASSERT_FALSE(l.lines[0].areas.empty());
    EXPECT_NEAR(l.lines[0].points[2].x(), l.MapValue(AxisX, 5200.0), 1e-9);
    EXPECT_NEAR(l.lines[0].points[1].x(), l.MapValue(AxisX, 2500.0), 1e-9);

    // Without XValues the same link keeps the points evenly spaced by their order.
    link.SetXValues(false);
    link.Refill();
    EXPECT_FALSE(chart.XAxisIsValueAxis());
    EXPECT_EQ(s.Value(0), 60.0);
}

TEST_F(ChartDataLinkTest, TwoSeriesOnOneQueryAndSwitchingTheSource)
{
    // The quick statistics: distance and time from one query, one of them shown at a time.
    ChartDataLink meter(chart, 0);
    ChartDataLink zeit(chart, 1);
    bind(meter);
    zeit.SetValueField(QStringLiteral("xvalue"));
    zeit.SetDataSource(&source);
    chart.SeriesObject(1).SetSeriesAxis(1);
    chart.SeriesObject(1).SetSeriesVisible(false);
    query.Open();
    EXPECT_EQ(chart.SeriesCount(), 2);
    EXPECT_EQ(chart.SeriesObject(1).Value(0), 3.0) << "without an X field the query's order stands";
    EXPECT_FALSE(chart.AxisUsed(AxisSecondaryY));

    // The calendar-week tool points its series at another open query.
    TQuery other;
    other.SetConnection(&conn);
    other.SetSQLText(QStringLiteral("SELECT 9 AS xvalue, 'Stufe 1' AS name, '0' AS farbe, 777.0 AS meter"));
    other.Open();
    TDataSource otherSource;
    otherSource.SetDataSet(&other);
    meter.SetDataSource(&otherSource);
    ASSERT_EQ(chart.SeriesObject(0).PointCount(), 1);
    EXPECT_EQ(chart.SeriesObject(0).Value(0), 777.0);
    EXPECT_EQ(chart.AxisLabelText(AxisX, 0), QStringLiteral("Stufe 1"));
    EXPECT_EQ(chart.SeriesObject(0).PointColor(0), clBlack) << "0 is black, not the default";
}

TEST_F(ChartDataLinkTest, AMissingFieldRaisesTheDatasetsError)
{
    ChartDataLink link(chart, 0);
    link.SetValueField(QStringLiteral("kilometer"));
    query.Open();
    try {
        link.SetDataSource(&source);
        FAIL() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("kilometer"))) << e.Message().toStdString();
    }
}

TEST(ChartColorOfValue, NumbersAndNumberTextsAreColoursTheRestIsDefault)
{
    struct Case {
        QVariant value;
        TColor color;
    };
    const Case cases[] = {
        {QVariant(255), clRed},
        {QVariant(QStringLiteral("65280")), clLime},
        {QVariant(QStringLiteral(" 16711680 ")), clBlue},
        {QVariant(0), clBlack},
        {QVariant(-1), clChartDefault},
        {QVariant(QStringLiteral("-1")), clChartDefault},
        {QVariant(), clChartDefault},
        {QVariant(QStringLiteral("rot")), clChartDefault},
        {QVariant(2.5), clChartDefault},
        {QVariant(qint64(0x1FFFFFFFF)), clChartDefault},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChartColorOfValue(c.value), c.color) << c.value.toString().toStdString();
}

}  // namespace
