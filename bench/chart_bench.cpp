// Speed of the chart layer: a heart-rate graph of an hour's samples (3,600 points of a line
// series over elapsed time) filled through data blocks and painted at 1000 x 600 must take
// well under 300 ms together.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cmath>

#include "platform/chart/chartmodel.h"
#include "platform/chart/chartrenderer.h"
#include "platform/chart/chartwidget.h"

namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "chart_bench";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

constexpr int Samples = 3600;

// One sample per second: the pulse over elapsed time, as the heart-rate graph fills it.
void fillHeartRate(ChartModel& chart)
{
    chart.SetGallery(ChartKind::Line);
    chart.OpenDataBlock(cbValues, 1, -1);
    chart.OpenDataBlock(cbXValues, 1, -1);
    for (int p = 0; p < Samples; ++p) {
        chart.SetDataValue(0, p, 130.0 + 25.0 * std::sin(p / 300.0) + 5.0 * std::sin(p / 13.0));
        chart.SetXValue(0, p, p / 86400.0);
    }
    chart.CloseDataBlock(cbXValues);
    chart.CloseDataBlock(cbValues);
    chart.AxisObject(AxisX).SetLabelKind(AxisLabelKind::Time);
    chart.AxisObject(AxisMainY).SetAxisMax(chart.AxisObject(AxisMainY).AxisMax() * 1.2);
}

void BM_FillAndPaint3600Samples(benchmark::State& state)
{
    ensureApplication();
    QImage image(1000, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        ChartModel chart;
        fillHeartRate(chart);
        QPainter painter(&image);
        ChartRenderer(chart).render(painter, QRectF(0, 0, 1000, 600));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FillAndPaint3600Samples)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same through the widget, as the window shows it.
void BM_WidgetFillAndPaint3600Samples(benchmark::State& state)
{
    ensureApplication();
    for (auto _ : state) {
        ChartWidget widget;
        widget.resize(1000, 600);
        fillHeartRate(widget);
        const QPixmap shot = widget.grab();
        benchmark::DoNotOptimize(shot.cacheKey());
    }
}
BENCHMARK(BM_WidgetFillAndPaint3600Samples)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
