// Chart layouts as numbers: where ticks, bars, line points, stripes, constant lines and pie
// slices go, and what a click at a position hits.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/chart/chartlayout.h"
#include "platform/chart/chartmodel.h"
#include "tests/support/qstringprinter.h"

namespace {

const QRectF Area(0, 0, 600, 400);

void fillValues(ChartModel& chart, const std::vector<std::vector<double>>& series)
{
    chart.OpenDataBlock(cbValues, int(series.size()), -1);
    for (size_t s = 0; s < series.size(); ++s)
        for (size_t p = 0; p < series[s].size(); ++p)
            chart.SetDataValue(int(s), int(p), series[s][p]);
    chart.CloseDataBlock(cbValues);
}

const ChartBarLayout* findBar(const ChartLayout& l, int series, int point)
{
    for (const ChartBarLayout& b : l.bars) {
        if (b.series == series && b.point == point)
            return &b;
    }
    return nullptr;
}

TEST(ChartLayout, ValueAxisTicksAreEvenlySpacedFromBottomToTop)
{
    ChartModel chart;
    chart.SetLegendVisible(false);
    fillValues(chart, {{400, 1234, 800}});
    const ChartLayout l(chart, Area);
    const ChartAxisLayout& y = l.axes[AxisMainY];
    ASSERT_EQ(y.ticks.size(), 8u);  // 0, 200, ... 1400
    EXPECT_DOUBLE_EQ(y.ticks.front().pos, l.plotRect.bottom());
    EXPECT_DOUBLE_EQ(y.ticks.back().pos, l.plotRect.top());
    for (size_t i = 1; i < y.ticks.size(); ++i)
        EXPECT_NEAR(y.ticks[i - 1].pos - y.ticks[i].pos, l.plotRect.height() / 7.0, 1e-9);
    EXPECT_EQ(y.ticks[3].text, QStringLiteral("600"));
    EXPECT_FALSE(l.axes[AxisSecondaryY].visible);
    EXPECT_TRUE(Area.contains(l.plotRect));
    // Category axis: one tick per point at the middle of its slot.
    const ChartAxisLayout& x = l.axes[AxisX];
    ASSERT_EQ(x.ticks.size(), 3u);
    EXPECT_NEAR(x.ticks[1].pos, l.plotRect.center().x(), 1e-9);
}

TEST(ChartLayout, CrowdedTicksLabelOnlyEveryNth)
{
    ChartModel chart;
    chart.SetLegendVisible(false);
    std::vector<double> days(365, 10.0);
    fillValues(chart, {days});
    chart.AxisObject(0).SetAxisStep(0.5);
    const ChartLayout l(chart, QRectF(0, 0, 300, 120));
    const auto& xt = l.axes[AxisX].ticks;
    ASSERT_EQ(xt.size(), 365u);
    const auto labelled = std::count_if(xt.begin(), xt.end(), [](const ChartTick& t) { return t.labelled; });
    EXPECT_GT(labelled, 2);
    EXPECT_LT(labelled, 40);
    const auto& yt = l.axes[AxisMainY].ticks;
    const auto ylabelled = std::count_if(yt.begin(), yt.end(), [](const ChartTick& t) { return t.labelled; });
    EXPECT_LT(ylabelled, long(yt.size()));
}

TEST(ChartLayout, BarsSideBySideShareTheSlotAndStackedBarsSitOnEachOther)
{
    ChartModel chart;
    chart.SetLegendVisible(false);
    fillValues(chart, {{100, 200, ChartNoValue}, {50, 0, 300}});
    chart.AxisObject(0).SetAxisMax(400);
    {
        const ChartLayout l(chart, Area);
        const ChartBarLayout* a = findBar(l, 0, 0);
        const ChartBarLayout* b = findBar(l, 1, 0);
        ASSERT_TRUE(a && b);
        EXPECT_NEAR(a->rect.right(), b->rect.left(), 1e-9);
        EXPECT_NEAR(a->rect.width(), b->rect.width(), 1e-9);
        EXPECT_NEAR(a->rect.bottom(), l.MapValue(0, 0.0), 1e-9);
        EXPECT_NEAR(a->rect.height(), 2.0 * b->rect.height(), 1e-9);
        EXPECT_NEAR(a->rect.height(), l.plotRect.height() / 4.0, 1e-9);
        EXPECT_EQ(findBar(l, 0, 2), nullptr) << "a point without value has no bar";
        EXPECT_NE(findBar(l, 1, 1), nullptr) << "0 is a value";
        EXPECT_EQ(findBar(l, 1, 1)->rect.height(), 0.0);
    }
    chart.SetStacked(true);
    {
        const ChartLayout l(chart, Area);
        const ChartBarLayout* a = findBar(l, 0, 0);
        const ChartBarLayout* b = findBar(l, 1, 0);
        ASSERT_TRUE(a && b);
        EXPECT_NEAR(b->rect.bottom(), a->rect.top(), 1e-9);
        EXPECT_NEAR(a->rect.left(), b->rect.left(), 1e-9);
        EXPECT_NEAR(b->rect.top(), l.MapValue(0, 150.0), 1e-9);
    }
    chart.SeriesObject(0).SetSeriesVisible(false);
    {
        const ChartLayout l(chart, Area);
        EXPECT_EQ(findBar(l, 0, 0), nullptr);
        EXPECT_NEAR(findBar(l, 1, 0)->rect.bottom(), l.MapValue(0, 0.0), 1e-9);
    }
}

TEST(ChartLayout, BarsTakeTheirPointColourOrTheSeriesColour)
{
    ChartModel chart;
    chart.SeriesObject(0).SetSeriesColor(clBlue);
    fillValues(chart, {{1, 2, 3}});
    chart.SeriesObject(0).SetPointColor(1, RGBColor(10, 200, 30));
    const ChartLayout l(chart, Area);
    EXPECT_EQ(findBar(l, 0, 0)->color, QColor(0, 0, 255));
    EXPECT_EQ(findBar(l, 0, 1)->color, QColor(10, 200, 30));
}

TEST(ChartLayout, LinesBreakAtMissingValuesAndFollowXValues)
{
    ChartModel chart;
    chart.SetGallery(ChartKind::Line);
    chart.SeriesObject(0).SetSeriesAxis(1);
    chart.OpenDataBlock(cbValues, 2, -1);
    chart.OpenDataBlock(cbXValues, 2, -1);
    const double heights[] = {350, 360, ChartNoValue, 380, 390};
    for (int p = 0; p < 5; ++p) {
        chart.SetDataValue(0, p, heights[p]);
        chart.SetDataValue(1, p, 120 + p);
        chart.SetXValue(0, p, p * 1000.0);
        chart.SetXValue(1, p, p * 1000.0);
    }
    chart.CloseDataBlock(cbXValues);
    chart.CloseDataBlock(cbValues);
    const ChartLayout l(chart, Area);
    ASSERT_EQ(l.lines.size(), 2u);
    const ChartLineLayout& height = l.lines[0];
    EXPECT_EQ(height.segments.size(), 2u);
    EXPECT_TRUE(std::isnan(height.points[2].x()));
    EXPECT_TRUE(l.axes[AxisSecondaryY].visible);
    EXPECT_FALSE(l.axes[AxisX].category);
    EXPECT_NEAR(height.points[4].x(), l.MapValue(AxisX, 4000.0), 1e-9);
    EXPECT_NEAR(height.points[0].y(), l.MapValue(AxisSecondaryY, 350.0), 1e-9);
    EXPECT_NEAR(l.lines[1].points[0].y(), l.MapValue(AxisMainY, 120.0), 1e-9);
}

TEST(ChartLayout, AreasCloseDownToTheBaseLine)
{
    ChartModel chart;
    chart.SetGallery(ChartKind::Area);
    chart.SetLegendVisible(false);
    fillValues(chart, {{300, 450, 500, 420}});
    const ChartLayout l(chart, Area);
    ASSERT_EQ(l.lines.size(), 1u);
    ASSERT_EQ(l.lines[0].areas.size(), 1u);
    const QPolygonF& poly = l.lines[0].areas[0];
    ASSERT_EQ(poly.size(), 6);
    // Heights from 300 on: the axis starts above 0, so the area reaches the plot's bottom.
    EXPECT_NEAR(poly[4].y(), l.plotRect.bottom(), 1e-9);
    EXPECT_NEAR(poly[5].y(), l.plotRect.bottom(), 1e-9);
}

TEST(ChartLayout, StripesAndConstantLinesSitAtTheirValues)
{
    ChartModel chart;
    chart.SetGallery(ChartKind::Line);
    fillValues(chart, {{60, 200}});
    chart.OpenDataBlock(cbStripes, 3, 0);
    chart.StripeObject(0).SetStripeFrom(120);
    chart.StripeObject(0).SetStripeTo(140);
    chart.StripeObject(0).SetStripeColor(RGBColor(255, 255, 0));
    chart.StripeObject(1).SetStripeAxis(1);  // the secondary axis is not shown
    chart.StripeObject(1).SetStripeFrom(1);
    chart.StripeObject(1).SetStripeTo(2);
    chart.CloseDataBlock(cbStripes);
    chart.OpenDataBlock(cbConstants, 2, 0);
    chart.ConstantLineObject(0).SetLineValue(97);
    chart.ConstantLineObject(0).SetLineLabel(QStringLiteral("Durchschn. Gefälle"));
    chart.ConstantLineObject(1).SetLineValue(1000);  // beyond the scale
    chart.CloseDataBlock(cbConstants);

    const ChartLayout l(chart, Area);
    ASSERT_EQ(l.stripes.size(), 1u);
    EXPECT_NEAR(l.stripes[0].rect.top(), l.MapValue(0, 140), 1e-9);
    EXPECT_NEAR(l.stripes[0].rect.bottom(), l.MapValue(0, 120), 1e-9);
    EXPECT_EQ(l.stripes[0].rect.width(), l.plotRect.width());
    EXPECT_EQ(l.stripes[0].color, QColor(255, 255, 0));
    ASSERT_EQ(l.constants.size(), 1u);
    EXPECT_NEAR(l.constants[0].line.y1(), l.MapValue(0, 97), 1e-9);
    EXPECT_EQ(l.constants[0].color, QColor(255, 0, 0));
    EXPECT_EQ(l.constants[0].label, QStringLiteral("Durchschn. Gefälle"));
}

TEST(ChartLayout, PieSlicesRunClockwiseFromTwelveInProportion)
{
    ChartModel chart;
    chart.SetGallery(ChartKind::Pie);
    fillValues(chart, {{25, 0, 50, ChartNoValue, 25}});
    const ChartLayout l(chart, Area);
    ASSERT_TRUE(l.pie);
    ASSERT_EQ(l.slices.size(), 3u) << "zero and missing values give no slice";
    EXPECT_DOUBLE_EQ(l.slices[0].startAngle, 90.0);
    EXPECT_DOUBLE_EQ(l.slices[0].spanAngle, -90.0);
    EXPECT_EQ(l.slices[1].point, 2);
    EXPECT_DOUBLE_EQ(l.slices[1].startAngle, 0.0);
    EXPECT_DOUBLE_EQ(l.slices[1].spanAngle, -180.0);
    EXPECT_NEAR(l.pieRect.width(), l.pieRect.height(), 1e-9);
    EXPECT_EQ(l.legend.size(), 3u) << "the pie's legend names its slices";
}

TEST(ChartLayout, HitTestFindsBarsPointsAndSlicesAndNothingBeside)
{
    ChartModel bars;
    fillValues(bars, {{100, 200}, {150, 50}});
    const ChartLayout lb(bars, Area);
    const QRectF bar = findBar(lb, 1, 0)->rect;

    ChartModel lines;
    lines.SetGallery(ChartKind::Line);
    fillValues(lines, {{10, 20, 30}});
    const ChartLayout ll(lines, Area);
    const QPointF pt = ll.lines[0].points[1];

    ChartModel pie;
    pie.SetGallery(ChartKind::Pie);
    fillValues(pie, {{25, 75}});
    const ChartLayout lp(pie, Area);
    const QPointF c = lp.pieRect.center();
    const double r = lp.pieRect.width() / 4.0;

    struct Case {
        const ChartLayout& layout;
        QPointF pos;
        int series, point;
    };
    const Case cases[] = {
        {lb, bar.center(), 1, 0},
        {lb, QPointF(bar.center().x(), bar.top() - 3), -1, -1},
        {lb, lb.plotRect.topLeft() + QPointF(2, 2), -1, -1},
        {ll, pt + QPointF(3, -2), 0, 1},
        {ll, pt + QPointF(0, 20), -1, -1},
        {lp, c + QPointF(r, -r), 0, 0},   // upper right quarter: the first slice
        {lp, c + QPointF(-r, r), 0, 1},
        {lp, lp.pieRect.topLeft(), -1, -1},  // inside the square, outside the circle
    };
    for (const Case& k : cases) {
        const ChartHit hit = k.layout.HitTest(k.pos);
        EXPECT_EQ(hit.series, k.series) << k.pos.x() << "," << k.pos.y();
        EXPECT_EQ(hit.point, k.point) << k.pos.x() << "," << k.pos.y();
    }
}

TEST(ChartLayout, TitleAndLegendTakeRoomFromThePlot)
{
    ChartModel chart;
    fillValues(chart, {{1, 2}, {3, 4}});
    chart.SetLegendVisible(false);
    const QRectF bare = ChartLayout(chart, Area).plotRect;
    chart.SeriesObject(0).SetSeriesLegend(QStringLiteral("Meter"));
    chart.SeriesObject(1).SetSeriesLegend(QStringLiteral("Zeit"));
    chart.SetLegendVisible(true);
    chart.SetTitle({QStringLiteral("Woche: 01.03.2004 - 07.03.2004")});
    const ChartLayout l(chart, Area);
    EXPECT_GT(l.plotRect.top(), bare.top());
    EXPECT_LT(l.plotRect.bottom(), bare.bottom());
    ASSERT_EQ(l.legend.size(), 2u);
    EXPECT_EQ(l.legend[1].text, QStringLiteral("Zeit"));
    EXPECT_GT(l.legend[0].box.top(), l.plotRect.bottom());
    ASSERT_EQ(l.title.size(), 1u);
    EXPECT_LT(l.title[0].rect.bottom(), l.plotRect.top());
}

}  // namespace
