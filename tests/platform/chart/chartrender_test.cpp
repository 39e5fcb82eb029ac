// Painted charts: colours at known places of rendered pictures, the widget's clicks, PDF and
// picture files, and printing through the test seam of the print dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPdfWriter>

#include "platform/chart/chartlayout.h"
#include "platform/chart/chartprint.h"
#include "platform/chart/chartrenderer.h"
#include "platform/chart/chartwidget.h"
#include "platform/vcl/testhooks.h"
#include "tests/support/testenv.h"

namespace {

void fillValues(ChartModel& chart, const std::vector<std::vector<double>>& series)
{
    chart.OpenDataBlock(cbValues, int(series.size()), -1);
    for (size_t s = 0; s < series.size(); ++s)
        for (size_t p = 0; p < series[s].size(); ++p)
            chart.SetDataValue(int(s), int(p), series[s][p]);
    chart.CloseDataBlock(cbValues);
}

QColor pixel(const QImage& image, const QPointF& at)
{
    return image.pixelColor(at.toPoint());
}

TEST(ChartRender, BarsStripesAndSlicesShowTheirColours)
{
    const QSize size(500, 300);
    ChartModel bars;
    bars.SeriesObject(0).SetSeriesColor(RGBColor(200, 30, 30));
    fillValues(bars, {{100, 250, 180}});
    bars.SeriesObject(0).SetPointColor(2, RGBColor(20, 140, 60));  // colour per bar
    bars.OpenDataBlock(cbStripes, 1, 0);
    bars.StripeObject(0).SetStripeFrom(200);
    bars.StripeObject(0).SetStripeTo(240);
    bars.StripeObject(0).SetStripeColor(RGBColor(255, 240, 160));
    bars.CloseDataBlock(cbStripes);
    const QImage image = RenderChartImage(bars, size);
    const ChartLayout l(bars, QRectF(QPointF(0, 0), QSizeF(size)));
    auto bar = [&](int p) {
        for (const ChartBarLayout& b : l.bars)
            if (b.point == p)
                return b.rect;
        return QRectF();
    };
    EXPECT_EQ(pixel(image, bar(0).center()), QColor(200, 30, 30));
    EXPECT_EQ(pixel(image, bar(2).center()), QColor(20, 140, 60));
    ASSERT_EQ(l.stripes.size(), 1u);
    // Beside the bars, inside the stripe.
    const QPointF inStripe(l.plotRect.left() + 3, l.stripes[0].rect.center().y());
    EXPECT_EQ(pixel(image, inStripe), QColor(255, 240, 160));
    EXPECT_EQ(pixel(image, QPointF(l.plotRect.left() + 3, l.MapValue(0, 30))), QColor(Qt::white));

    ChartModel pie;
    pie.SetGallery(ChartKind::Pie);
    fillValues(pie, {{30, 70}});
    pie.SeriesObject(0).SetPointColor(1, RGBColor(40, 90, 200));
    const QImage pieImage = RenderChartImage(pie, size);
    const ChartLayout lp(pie, QRectF(QPointF(0, 0), QSizeF(size)));
    const QPointF c = lp.pieRect.center();
    const double r = lp.pieRect.width() / 4.0;
    EXPECT_EQ(pixel(pieImage, c + QPointF(r * 0.7, -r * 0.7)), ChartModel::PaletteColor(0));
    EXPECT_EQ(pixel(pieImage, c + QPointF(-r, r * 0.3)), QColor(40, 90, 200));

    // A white slice (a category without a colour) keeps an edge against the white background.
    pie.SeriesObject(0).SetPointColor(0, clWhite);
    const QImage whiteSlice = RenderChartImage(pie, size);
    const double edge = lp.pieRect.width() / 2.0;
    EXPECT_EQ(pixel(whiteSlice, c + QPointF(r * 0.7, -r * 0.7)), QColor(Qt::white));
    bool edgeShows = false;
    for (double d = edge - 2.0; d <= edge + 1.0; d += 0.5)
        edgeShows = edgeShows || pixel(whiteSlice, c + QPointF(d * 0.7071, -d * 0.7071)) != QColor(Qt::white);
    EXPECT_TRUE(edgeShows);
}

TEST(ChartRender, BackgroundPictureFillsThePlot)
{
    ChartModel chart;
    chart.SetLegendVisible(false);
    fillValues(chart, {{ChartNoValue, ChartNoValue}});
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(QColor(0, 128, 128));
    chart.SetBackgroundPicture(picture);
    const QImage image = RenderChartImage(chart, QSize(300, 200));
    const ChartLayout l(chart, QRectF(0, 0, 300, 200));
    EXPECT_EQ(pixel(image, l.plotRect.center() + QPointF(7, 5)), QColor(0, 128, 128));
    EXPECT_EQ(pixel(image, QPointF(2, 2)), QColor(Qt::white));
}

TEST(ChartRender, WidgetReportsTheClickedSeriesAndPoint)
{
    ChartWidget w;
    w.resize(400, 300);
    fillValues(w, {{10, 40}, {30, 20}});
    struct Click {
        Qt::MouseButton button;
        int x, y, serie, point;
    };
    std::vector<Click> clicks;
    w.OnRButtonDown = [&](ChartWidget*, int x, int y, int s, int p) { clicks.push_back({Qt::RightButton, x, y, s, p}); };
    w.OnLButtonDown = [&](ChartWidget*, int x, int y, int s, int p) { clicks.push_back({Qt::LeftButton, x, y, s, p}); };
    auto press = [&](Qt::MouseButton button, QPoint at) {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(at), w.mapToGlobal(QPointF(at)), button, button, Qt::NoModifier);
        QApplication::sendEvent(&w, &e);
    };
    QPoint onBar;
    for (const ChartBarLayout& b : w.Layout().bars)
        if (b.series == 1 && b.point == 1)
            onBar = b.rect.center().toPoint();
    press(Qt::RightButton, onBar);
    press(Qt::RightButton, QPoint(3, 3));
    press(Qt::LeftButton, onBar);
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks[0].serie, 1);
    EXPECT_EQ(clicks[0].point, 1);
    EXPECT_EQ(clicks[0].x, onBar.x());
    EXPECT_EQ(clicks[1].serie, -1) << "a click beside every point hits nothing";
    EXPECT_EQ(clicks[1].point, -1);
    EXPECT_EQ(clicks[2].button, Qt::LeftButton);

    // The widget paints what the layout says, and follows changes of the model.
    w.SeriesObject(1).SetSeriesColor(RGBColor(0, 0, 255));
    const QImage shot = w.grab().toImage();
    EXPECT_EQ(pixel(shot, QPointF(onBar)), QColor(0, 0, 255));
    // Hidden, the series leaves its place to the other one.
    w.SeriesObject(1).SetSeriesVisible(false);
    EXPECT_EQ(w.HitTest(onBar).series, 0);
}

TEST(ChartRender, PdfAndPictureFilesAreWritten)
{
    TempFolder dir;
    ChartModel chart;
    chart.SetTitle({QStringLiteral("Monatsstatistik")});
    chart.SeriesObject(0).SetSeriesLegend(QStringLiteral("km"));
    fillValues(chart, {{12.5, 30, 22}});
    const QString pdf = dir.file(QStringLiteral("chart.pdf"));
    SaveChartPdf(chart, pdf);
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(4) == "%PDF");
    EXPECT_GT(f.size(), 1000);

    const QString png = dir.file(QStringLiteral("chart.png"));
    SaveChartImage(chart, png, QSize(320, 200));
    const QImage back(png);
    EXPECT_EQ(back.size(), QSize(320, 200));

    EXPECT_THROW(SaveChartPdf(chart, dir.file(QStringLiteral("fehlt/chart.pdf"))), EChartError);
    EXPECT_THROW(SaveChartImage(chart, dir.file(QStringLiteral("fehlt/chart.png")), QSize(10, 10)), EChartError);
}

TEST(ChartRender, PrintingGoesToTheScriptedTargetOrReportsAnUnscriptedDialog)
{
    TempFolder dir;
    ChartWidget w;
    w.resize(600, 360);
    fillValues(w, {{1, 2, 3}});
    const QString pdf = dir.file(QStringLiteral("druck.pdf"));
    QPdfWriter writer(pdf);
    SetChartPrintTarget([&]() -> QPagedPaintDevice* { return &writer; });
    EXPECT_TRUE(w.PrintChart());
    QPdfWriter second(dir.file(QStringLiteral("druck2.pdf")));
    SetChartPrintTarget([&]() -> QPagedPaintDevice* { return &second; });
    EXPECT_TRUE(w.PrintChart(29443, 0)) << "the windows' print flags print the whole chart";
    SetChartPrintTarget([]() -> QPagedPaintDevice* { return nullptr; });
    EXPECT_FALSE(w.PrintChart()) << "a cancelled dialog prints nothing";
    SetChartPrintTarget({});
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(4) == "%PDF");

    // Without a target the print dialog would wait for a user: the scripted answers report it.
    QStringList unanswered;
    ScriptedAnswers::activate([&](const QString& m) { unanswered << m; });
    EXPECT_FALSE(w.PrintChart());
    ScriptedAnswers::activate([](const QString& m) { ADD_FAILURE() << m.toStdString(); });
    EXPECT_EQ(unanswered.size(), 1);
}

}  // namespace
