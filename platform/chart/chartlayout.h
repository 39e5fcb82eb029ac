#pragma once
// Where everything of a chart goes in a rectangle: plot area, ticks and their labels, bars,
// line points, pie slices, stripes, constant lines, point labels, legend and title. The
// renderer paints exactly this, the widget's clicks are tested against it, and tests check it
// as numbers. Sizes are in the painter's logical pixels; fonts given in points count 96 pixels
// per inch, so a chart scaled onto a printed page looks as it does on the screen.
#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <vector>

class ChartModel;

// What a click hit: a series and a point, or nothing (-1, -1).
struct ChartHit {
    int series = -1;
    int point = -1;
    bool Nothing() const { return series < 0; }
};

struct ChartTick {
    double value = 0.0;
    double pos = 0.0;  // y of a value axis, x of the X axis
    QString text;
    bool labelled = true;  // crowded ticks show every n-th label only
};

struct ChartAxisLayout {
    bool visible = false;
    bool category = false;  // the X axis counting points rather than values
    double min = 0.0;
    double max = 1.0;
    std::vector<ChartTick> ticks;
    QString title;
    QRectF titleRect;  // unrotated; the titles of value axes are drawn turned by 90 degrees
};

struct ChartBarLayout {
    int series = -1;
    int point = -1;
    QRectF rect;
    QColor color;
};

struct ChartLineLayout {
    int series = -1;
    QColor color;
    Qt::PenStyle style = Qt::SolidLine;
    double width = 1.5;
    bool area = false;
    std::vector<QPolygonF> segments;  // runs of points with values; a point without one breaks
    std::vector<QPolygonF> areas;     // the segments closed down to the base line
    std::vector<QPointF> points;      // every point's position; x is NaN for a point without value
};

struct ChartSliceLayout {
    int point = -1;
    double startAngle = 0.0;  // degrees, counter-clockwise from 3 o'clock as QPainter counts
    double spanAngle = 0.0;   // negative: the slices run clockwise from 12 o'clock
    QColor color;
};

struct ChartBandLayout {
    QRectF rect;
    QColor color;
};

struct ChartConstantLayout {
    QLineF line;
    QColor color;
    Qt::PenStyle style = Qt::SolidLine;
    QString label;
    QRectF labelRect;
};

struct ChartTextLayout {
    QRectF rect;
    QString text;
};

struct ChartLegendItem {
    QRectF box;
    QRectF textRect;
    QColor color;
    QString text;
};

class ChartLayout {
public:
    ChartLayout() = default;
    ChartLayout(const ChartModel& chart, const QRectF& rect);

    // The pixel coordinate of a value: y on the value axes 0 and 1, x on the X axis (on a
    // category axis the value is a point index and maps to the point's centre).
    double MapValue(int axis, double value) const;
    // What lies under a position: a bar, a pie slice, or a line point within a few pixels.
    ChartHit HitTest(const QPointF& pos) const;

    QRectF rect;
    QRectF plotRect;
    QFont titleFont;  // the fonts in pixel sizes
    QFont labelFont;
    QColor backColor;
    QColor plotBackColor;
    QColor titleColor;

    std::vector<ChartTextLayout> title;
    ChartAxisLayout axes[3];
    std::vector<ChartBandLayout> stripes;
    std::vector<ChartBarLayout> bars;
    std::vector<ChartLineLayout> lines;
    std::vector<ChartConstantLayout> constants;
    std::vector<ChartTextLayout> pointLabels;
    std::vector<ChartLegendItem> legend;

    bool pie = false;
    int pieSeries = -1;
    QRectF pieRect;
    std::vector<ChartSliceLayout> slices;

    int pointCount = 0;

private:
    void layoutTitle(const ChartModel& chart, QRectF& area);
    void layoutLegend(const ChartModel& chart, QRectF& area);
    void layoutPie(const ChartModel& chart, const QRectF& area);
    void layoutAxes(const ChartModel& chart, const QRectF& area);
    void layoutStripesAndConstants(const ChartModel& chart);
    void layoutBars(const ChartModel& chart);
    void layoutLines(const ChartModel& chart);
    void layoutPointLabels(const ChartModel& chart);
};
