#pragma once
// Paints a chart with QPainter: the same call serves the widget, printed pages, PDF files and
// pictures. The renderer lays the chart out for the rectangle and paints that layout; it never
// changes the model.
#include <QPainter>
#include <QRectF>

#include "platform/chart/chartlayout.h"

class ChartModel;

class ChartRenderer {
public:
    explicit ChartRenderer(const ChartModel& chart) : chart_(chart) {}

    // Lays the chart out for rect (in the painter's logical coordinates) and paints it.
    ChartLayout render(QPainter& painter, const QRectF& rect) const;
    // Paints a layout made for this chart.
    void paint(QPainter& painter, const ChartLayout& layout) const;

private:
    void paintAxes(QPainter& painter, const ChartLayout& layout) const;
    void paintSeries(QPainter& painter, const ChartLayout& layout) const;
    void paintPie(QPainter& painter, const ChartLayout& layout) const;

    const ChartModel& chart_;
};
