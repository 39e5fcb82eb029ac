#pragma once
// The chart on a window: a widget that is a chart model as well, so a window fills it with the
// model's calls (ChartFX1->OpenDataBlock(...)), and that paints the model's layout and reports
// clicks as the series and point under the mouse. Forms place it under the chart component's
// name (objectName "ChartFX1", "DBChart1"). A new chart draws bars and shows its legend.
#include <QWidget>

#include <functional>
#include <optional>

#include "platform/chart/chartlayout.h"
#include "platform/chart/chartmodel.h"

class ChartWidget : public QWidget, public ChartModel {
    Q_OBJECT
public:
    explicit ChartWidget(QWidget* parent = nullptr);
    ~ChartWidget() override;

    // The layout for the widget's current size, as painted.
    const ChartLayout& Layout() const;
    // What lies under a position in widget pixels.
    ChartHit HitTest(const QPoint& pos) const;
    // Prints the chart as it looks in the widget, through the print dialog. The flags and the
    // second argument windows pass name what to print; the chart always prints all of itself.
    bool PrintChart();
    bool PrintChart(int flags, int);

    // Mouse buttons pressed on the chart: the position in widget pixels and the series and point
    // under it, -1 and -1 beside every point.
    using MouseEvent = std::function<void(ChartWidget* sender, int x, int y, int nSerie, int nPoint)>;
    MouseEvent OnLButtonDown;
    MouseEvent OnRButtonDown;

protected:
    void Changed() override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    mutable std::optional<ChartLayout> layout_;
};
