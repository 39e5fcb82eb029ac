// The chart model as the windows fill it: data blocks, "no value" apart from 0, series settings
// that outlive refills, scales that follow the data until a window fixes them, and label texts
// with the windows' callbacks.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

#include "platform/chart/chartmodel.h"
#include "tests/support/qstringprinter.h"

namespace {

constexpr double Hour = 1.0 / 24.0;

// Counts how often the chart would be shown anew.
class CountingChart : public ChartModel {
public:
    int shown = 0;

protected:
    void Changed() override { ++shown; }
};

void fillValues(ChartModel& chart, const std::vector<std::vector<double>>& series)
{
    chart.OpenDataBlock(cbValues, int(series.size()), -1);
    for (size_t s = 0; s < series.size(); ++s)
        for (size_t p = 0; p < series[s].size(); ++p)
            chart.SetDataValue(int(s), int(p), series[s][p]);
    chart.CloseDataBlock(cbValues);
}

QString messageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EChartError& e) {
        return e.Message();
    }
    return QStringLiteral("(nothing raised)");
}

TEST(ChartModel, ValuesBlockSetsSeriesAndPointsAndKeepsNoValueApartFromZero)
{
    CountingChart chart;
    chart.OpenDataBlock(cbValues, 2, 4);
    chart.SetDataValue(0, 0, 5.0);
    chart.SetDataValue(1, 0, 0.0);
    chart.SetDataValue(1, 3, 7.5);
    EXPECT_EQ(chart.shown, 0) << "nothing is shown while the block is open";
    chart.CloseDataBlock(cbValues);
    EXPECT_EQ(chart.shown, 1);

    EXPECT_EQ(chart.SeriesCount(), 2);
    EXPECT_EQ(chart.PointCount(), 4);
    EXPECT_EQ(chart.DataValue(0, 0), 5.0);
    EXPECT_EQ(chart.DataValue(1, 0), 0.0);
    EXPECT_TRUE(chart.SeriesObject(1).HasValue(0));
    EXPECT_FALSE(chart.SeriesObject(0).HasValue(1)) << "a day without units has no value, not 0";
    EXPECT_TRUE(IsNoValue(chart.DataValue(0, 1)));
    EXPECT_TRUE(IsNoValue(chart.DataValue(5, 0)));

    // A new block starts the values afresh.
    chart.OpenDataBlock(cbValues, 1, 2);
    chart.CloseDataBlock(cbValues);
    EXPECT_EQ(chart.SeriesCount(), 1);
    EXPECT_EQ(chart.PointCount(), 2);
    EXPECT_FALSE(chart.SeriesObject(0).HasValue(0));
}

TEST(ChartModel, PointsGrowInABlockOpenedWithoutACount)
{
    ChartModel chart;
    chart.SetGallery(ChartKind::Line);
    chart.OpenDataBlock(cbValues, 7, -1);
    chart.OpenDataBlock(cbXValues, 7, -1);
    for (int p = 0; p < 3600; ++p) {
        chart.SetDataValue(1, p, 120 + p % 50);
        chart.SetXValue(1, p, p * 10.0);
    }
    chart.CloseDataBlock(cbXValues);
    chart.CloseDataBlock(cbValues);
    EXPECT_EQ(chart.PointCount(), 3600);
    EXPECT_EQ(chart.SeriesObject(1).XValue(3599), 35990.0);
    EXPECT_TRUE(chart.XAxisIsValueAxis());
    EXPECT_EQ(chart.SeriesObject(0).PointCount(), 0);
}

TEST(ChartModel, CallsOutsideTheBlockOrTheChartRaise)
{
    ChartModel chart;
    const QString noBlock = messageOf([&] { chart.SetDataValue(0, 0, 1.0); });
    EXPECT_TRUE(noBlock.startsWith(QStringLiteral("Kein Datenblock geöffnet"))) << noBlock.toStdString();
    chart.OpenDataBlock(cbValues, 2, 3);
    EXPECT_EQ(messageOf([&] { chart.SetDataValue(2, 0, 1.0); }), QStringLiteral("Ungültiger Index der Datenreihe: 2"));
    EXPECT_EQ(messageOf([&] { chart.SetDataValue(0, 3, 1.0); }), QStringLiteral("Ungültiger Punktindex: 3"));
    EXPECT_EQ(messageOf([&] { chart.SetDataValue(0, -1, 1.0); }), QStringLiteral("Ungültiger Punktindex: -1"));
    chart.CloseDataBlock(cbValues);
    EXPECT_THROW(chart.CloseDataBlock(cbValues), EChartError);
    EXPECT_THROW(chart.OpenDataBlock(5, 1, 1), EChartError);
    EXPECT_THROW(chart.AxisObject(3), EChartError);
    EXPECT_THROW(chart.SeriesObject(0).SetSeriesAxis(2), EChartError);
    EXPECT_THROW(chart.StripeObject(0), EChartError);
    chart.OpenDataBlock(cbColors, 2, 0);
    EXPECT_THROW(chart.SetPointColor(2, clRed), EChartError);
    chart.CloseDataBlock(cbColors);
}

TEST(ChartModel, SeriesSettingsOutliveRefillsAndMayComeFirst)
{
    ChartModel chart;
    // The weekly chart assigns the time series to the secondary axis before the first values.
    chart.SeriesObject(2).SetSeriesAxis(1);
    chart.SeriesObject(2).SetSeriesVisible(false);
    fillValues(chart, {{1, 2}, {3, 4}, {0.5, 0.25}});
    fillValues(chart, {{5, 6}, {7, 8}, {0.75, 0.5}});
    EXPECT_EQ(chart.SeriesObject(2).SeriesAxis(), 1);
    EXPECT_FALSE(chart.SeriesObject(2).SeriesVisible());
    EXPECT_FALSE(chart.AxisUsed(AxisSecondaryY)) << "a hidden series uses no axis";
    chart.SeriesObject(2).SetSeriesVisible(true);
    EXPECT_TRUE(chart.AxisUsed(AxisSecondaryY));
}

TEST(ChartModel, ColourBlockColoursPointsOfEverySeries)
{
    ChartModel chart;
    fillValues(chart, {{10, 20, 30}});
    chart.OpenDataBlock(cbColors, 3, 0);
    chart.SetPointColor(0, clRed);
    chart.SetPointColor(2, clChartDefault);
    chart.SeriesObject(0).SetSeriesColor(clGreen);
    chart.CloseDataBlock(cbColors);
    EXPECT_EQ(chart.SeriesObject(0).PointColor(0), clRed);
    EXPECT_TRUE(IsDefaultChartColor(chart.SeriesObject(0).PointColor(1)));
    EXPECT_TRUE(IsDefaultChartColor(chart.SeriesObject(0).PointColor(2)));
    EXPECT_EQ(chart.SeriesObject(0).DrawColor(), QColor(0, 0x80, 0));
    chart.SeriesObject(0).SetSeriesColor(TColor(-1));
    EXPECT_EQ(chart.SeriesObject(0).DrawColor(), ChartModel::PaletteColor(0));
}

TEST(ChartModel, StripesAndConstantLinesComeInBlocksAndClearByMask)
{
    ChartModel chart;
    chart.OpenDataBlock(cbStripes, 3, 0);
    chart.StripeObject(0).SetStripeFrom(120);
    chart.StripeObject(0).SetStripeTo(140);
    chart.StripeObject(0).SetStripeColor(clYellow);
    chart.CloseDataBlock(cbStripes);
    EXPECT_EQ(chart.StripeCount(), 3);
    EXPECT_TRUE(chart.StripeObject(0).Shown());
    EXPECT_FALSE(chart.StripeObject(1).Shown()) << "the block's remaining stripes stay unset";

    chart.OpenDataBlock(cbConstants, 1, 0);
    chart.ConstantLineObject(0).SetLineValue(97);
    chart.ConstantLineObject(0).SetLineLabel(QStringLiteral("Durchschn. Gefälle"));
    chart.CloseDataBlock(cbConstants);
    fillValues(chart, {{1, 2}});

    chart.ClearData(ccConstants);
    EXPECT_EQ(chart.ConstantLineCount(), 0);
    EXPECT_EQ(chart.StripeCount(), 3);
    chart.ClearData(ccStripes | ccValues);
    EXPECT_EQ(chart.StripeCount(), 0);
    EXPECT_EQ(chart.PointCount(), 0);
}

TEST(ChartModel, ScalesFollowTheVisibleDataUntilAWindowFixesThem)
{
    ChartModel chart;
    chart.SetGallery(ChartKind::Bar);
    fillValues(chart, {{400, 1234, 800}, {50, 5000, 10}});
    EXPECT_EQ(chart.AxisObject(0).AxisMin(), 0.0) << "bars stand on 0";
    EXPECT_EQ(chart.AxisObject(0).AxisMax(), 5000.0);

    chart.SeriesObject(1).SetSeriesVisible(false);
    EXPECT_EQ(chart.AxisObject(0).AxisMax(), 1400.0) << "a hidden series leaves the scale";

    // The period chart raises the maximum the control chose by half and fixes the minimum.
    chart.AxisObject(0).SetAxisMax(chart.AxisObject(0).AxisMax() * 1.5);
    chart.AxisObject(0).SetAxisMin(0.0);
    EXPECT_EQ(chart.AxisObject(0).AxisMax(), 2100.0);
    chart.SeriesObject(1).SetSeriesVisible(true);
    fillValues(chart, {{10, 20, 30}, {1, 2, 3}});
    EXPECT_EQ(chart.AxisObject(0).AxisMax(), 2100.0) << "a fixed end stays through refills";
    chart.AxisObject(0).ScaleAxisMax(2.0);
    EXPECT_EQ(chart.AxisObject(0).AxisMax(), 4200.0);

    chart.AxisObject(0).AxisRescale();
    EXPECT_EQ(chart.AxisObject(0).AxisMax(), 30.0);
    EXPECT_FALSE(chart.AxisObject(0).MaxFixed());
}

TEST(ChartModel, StackedBarsScaleToTheirSumsAndLinesNeedNotReachZero)
{
    ChartModel chart;
    chart.SetStacked(true);
    fillValues(chart, {{400, 100}, {700, 50}, {-300, -10}});
    EXPECT_EQ(chart.AxisObject(0).AxisMax(), 1200.0) << "up to the highest stack, 1100";
    EXPECT_EQ(chart.AxisObject(0).AxisMin(), -400.0);

    ChartModel lines;
    lines.SetGallery(ChartKind::Line);
    lines.SeriesObject(0).SetSeriesAxis(1);
    fillValues(lines, {{345, 420, 380}, {120, 180, 150}});
    EXPECT_EQ(lines.AxisObject(1).AxisMin(), 340.0);
    EXPECT_EQ(lines.AxisObject(1).AxisMax(), 420.0);
    EXPECT_EQ(lines.AxisObject(0).AxisMin(), 120.0);
    // The heart-rate graph lowers a secondary minimum above 20 by 20.
    lines.AxisObject(1).SetAxisMin(lines.AxisObject(1).AxisMin() - 20.0);
    EXPECT_EQ(lines.AxisObject(1).AxisMin(), 320.0);
    EXPECT_EQ(lines.AxisObject(1).AxisMax(), 420.0);
}

TEST(ChartModel, AFixedStepGivesTheTicksAndDurationScalesRoundToClockUnits)
{
    ChartModel chart;
    chart.SetGallery(ChartKind::Line);
    fillValues(chart, {{0.0, 0.3, 0.2}});
    chart.AxisObject(0).SetLabelKind(AxisLabelKind::Time);
    EXPECT_NEAR(chart.AxisObject(0).TickStep(), Hour, 1e-12);
    EXPECT_NEAR(chart.AxisObject(0).AxisMax(), 8 * Hour, 1e-12);
    chart.AxisObject(0).SetAxisStep(0.0416669);
    EXPECT_EQ(chart.AxisObject(0).TickStep(), 0.0416669);
}

TEST(ChartModel, AxisLabelsAreNumbersTimesOrCategoryTexts)
{
    ChartModel chart;
    chart.SetLabelFormatSettings(GermanFormatSettings());
    fillValues(chart, {{0.5, 1.5, 2.25}});
    chart.AxisObject(0).SetAxisStep(0.25);
    EXPECT_EQ(chart.AxisLabelText(0, 1.75), QStringLiteral("1,75"));
    chart.SetLabelFormatSettings(USFormatSettings());
    EXPECT_EQ(chart.AxisLabelText(0, 1.75), QStringLiteral("1.75"));
    chart.AxisObject(0).SetAxisLabelFormat(QStringLiteral("0.0"));
    EXPECT_EQ(chart.AxisLabelText(0, 1.75), QStringLiteral("1.8"));

    chart.AxisObject(1).SetLabelKind(AxisLabelKind::Time);
    EXPECT_EQ(chart.AxisLabelText(1, 1.5), QStringLiteral("36:00:00"));
    chart.AxisObject(1).SetTimeFormat(QStringLiteral("h:mm"));
    EXPECT_EQ(chart.AxisLabelText(1, 1.5 + Hour / 2), QStringLiteral("36:30"));

    // Category axis: a point's own label, else its number from 1.
    chart.AxisObject(2).SetAxisPointLabel(0, QStringLiteral("11.04"));
    chart.AxisObject(2).SetAxisPointLabel(2, QString());
    EXPECT_EQ(chart.AxisLabelText(2, 0), QStringLiteral("11.04"));
    EXPECT_EQ(chart.AxisLabelText(2, 1), QStringLiteral("2"));
    EXPECT_EQ(chart.AxisLabelText(2, 2), QStringLiteral("")) << "a label set empty stays empty";
}

TEST(ChartModel, LabelCallbacksTurnTicksIntoTheWindowsTexts)
{
    ChartModel chart;
    fillValues(chart, {{150, 200}, {1, 2}});
    bool paceFormat = false;
    std::vector<int> axesAsked;
    // The heart-rate graph's two readings on its primary axis.
    chart.OnGetAxisLabel = [&](ChartModel*, int nAxis, double value, QString& text) {
        axesAsked.push_back(nAxis);
        if (nAxis != 0)
            return;
        const double v = value - 100.0;
        if (paceFormat)
            text = FormatDateTime(QStringLiteral("hh:nn:ss"), v / 10.0 / 1440.0) + QStringLiteral(" / ") + text;
        else
            text = text + QStringLiteral(" / ") + QString::number(v);
    };
    EXPECT_EQ(chart.AxisLabelText(0, 150), QStringLiteral("150 / 50"));
    paceFormat = true;
    EXPECT_EQ(chart.AxisLabelText(0, 150), QStringLiteral("00:05:00 / 150"));
    EXPECT_EQ(chart.AxisLabelText(2, 1), QStringLiteral("2"));
    EXPECT_EQ(axesAsked, (std::vector<int>{0, 0, 2}));

    chart.SeriesObject(0).SetPointLabels(true);
    EXPECT_EQ(chart.PointLabelText(0, 1), QStringLiteral("200"));
    EXPECT_EQ(chart.PointLabelText(0, 5), QStringLiteral(""));
    chart.OnGetPointLabel = [](ChartModel*, int nSerie, int nPoint, QString& text) {
        text = nPoint == 0 ? QStringLiteral("Wende") : QStringLiteral(" ");
    };
    EXPECT_EQ(chart.PointLabelText(0, 0), QStringLiteral("Wende"));
}

TEST(ChartModel, WindowSettingsAreKeptAndARefreshWithFlagsShowsTheChartAnew)
{
    CountingChart chart;
    EXPECT_EQ(chart.Gallery(), ChartKind::Bar) << "a new chart draws bars";
    EXPECT_TRUE(chart.LegendVisible());

    // The period chart's preparation: spacing and style bits on the category axis, integer
    // settings on the main axis, read back as set.
    ChartAxis& x = chart.AxisObject(AxisX);
    x.SetAxisStyle(x.AxisStyle() | 2);
    x.SetAxisSpacing(16.0);
    chart.AxisObject(0).SetAxisIntSetting1(-1);
    chart.AxisObject(0).SetAxisIntSetting2(-1);
    chart.SetOptionsIntSetting(100);
    EXPECT_EQ(x.AxisStyle(), 2);
    EXPECT_EQ(x.AxisSpacing(), 16.0);
    EXPECT_EQ(chart.AxisObject(0).AxisIntSetting1(), -1);
    EXPECT_EQ(chart.AxisObject(0).AxisIntSetting2(), -1);
    EXPECT_EQ(chart.OptionsIntSetting(), 100);

    fillValues(chart, {{100, 700}});
    chart.AxisObject(0).SetAxisMax(50.0);
    chart.AxisObject(0).AxisRescale();
    const int before = chart.shown;
    chart.RefreshChart(0x0FFFFFFF);
    EXPECT_EQ(chart.shown, before + 1);
    EXPECT_EQ(chart.AxisObject(0).AxisMax(), 700.0) << "the rescaled axis follows the data again";
}

TEST(ChartModel, ErrorsSpeakEnglishUnderTheEnglishModule)
{
    // The build compiles the module beside the program's binary.
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral("chart_en"),
                             QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/lang"))));
    QCoreApplication::installTranslator(&english);
    ChartModel chart;
    chart.OpenDataBlock(cbValues, 1, 1);
    const QString serie = messageOf([&] { chart.SetDataValue(3, 0, 1.0); });
    const QString point = messageOf([&] { chart.SetDataValue(0, 4, 1.0); });
    const QString block = messageOf([&] { chart.SetXValue(0, 0, 1.0); });
    const QString axis = messageOf([&] { chart.AxisObject(7); });
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(serie, QStringLiteral("Invalid series index: 3"));
    EXPECT_EQ(point, QStringLiteral("Invalid point index: 4"));
    EXPECT_EQ(block, QStringLiteral("No data block open for: SetXValue"));
    EXPECT_EQ(axis, QStringLiteral("Invalid axis: 7"));
}

}  // namespace
