#include "platform/chart/chartlayout.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/chart/chartmodel.h"
#include "platform/chart/chartscale.h"

namespace {

constexpr double Margin = 8.0;
constexpr double TickLength = 4.0;
constexpr double LabelGap = 3.0;
constexpr double BarGroupShare = 0.7;  // share of a category's width the bars of a point take
constexpr double HitRadius = 6.0;      // how near a click must come to a line point

// Fonts in points become pixel fonts at 96 pixels per inch, the screen's logical resolution.
QFont pixelFont(QFont f)
{
    if (f.pixelSize() <= 0)
        f.setPixelSize(std::max(1, int(std::lround(f.pointSizeF() * 96.0 / 72.0))));
    return f;
}

bool isNan(double v)
{
    return v != v;
}

QColor pointColor(const ChartSeries& s, int point)
{
    const TColor c = s.PointColor(point);
    return IsDefaultChartColor(c) ? s.DrawColor() : ToQColor(c);
}

QString categoryText(const ChartModel& chart, int point)
{
    QString t = chart.AxisObject(AxisX).AxisPointLabel(point);
    return t.isNull() ? QString::number(point + 1) : t;
}

// Every n-th label, so that labels needing `need` pixels fit ticks `spacing` pixels apart.
int labelStride(double need, double spacing)
{
    if (!(spacing > 0))
        return 1;
    return std::max(1, int(std::ceil(need / spacing - 1e-9)));
}

}  // namespace

ChartLayout::ChartLayout(const ChartModel& chart, const QRectF& r)
    : rect(r)
{
    titleFont = pixelFont(chart.TitleFont());
    labelFont = pixelFont(chart.LabelFont());
    backColor = ToQColor(chart.BackColor());
    plotBackColor = ToQColor(chart.PlotBackColor());
    titleColor = ToQColor(chart.TitleColor());
    pointCount = chart.PointCount();

    QRectF area = r.adjusted(Margin, Margin, -Margin, -Margin);
    layoutTitle(chart, area);

    for (int i = 0; i < chart.SeriesCount(); ++i) {
        const ChartSeries& s = chart.SeriesObject(i);
        if (!s.SeriesVisible())
            continue;
        if (s.EffectiveKind() == ChartKind::Pie) {
            pie = true;
            pieSeries = i;
        }
        break;
    }

    if (chart.LegendVisible())
        layoutLegend(chart, area);
    if (pie) {
        plotRect = area;
        layoutPie(chart, area);
        return;
    }
    layoutAxes(chart, area);
    layoutStripesAndConstants(chart);
    layoutBars(chart);
    layoutLines(chart);
    layoutPointLabels(chart);
}

void ChartLayout::layoutTitle(const ChartModel& chart, QRectF& area)
{
    const QFontMetricsF fm(titleFont);
    for (const QString& line : chart.Title()) {
        title.push_back({QRectF(area.left(), area.top(), area.width(), fm.height()), line});
        area.setTop(area.top() + fm.height());
    }
    if (!chart.Title().isEmpty())
        area.setTop(area.top() + 4.0);
}

void ChartLayout::layoutLegend(const ChartModel& chart, QRectF& area)
{
    struct Entry {
        QString text;
        QColor color;
    };
    std::vector<Entry> entries;
    if (pie) {
        const ChartSeries& s = chart.SeriesObject(pieSeries);
        for (int p = 0; p < s.PointCount(); ++p) {
            if (s.Value(p) > 0)
                entries.push_back({categoryText(chart, p), IsDefaultChartColor(s.PointColor(p)) ? ChartModel::PaletteColor(p)
                                                                                                : ToQColor(s.PointColor(p))});
        }
    } else {
        for (int i = 0; i < chart.SeriesCount(); ++i) {
            const ChartSeries& s = chart.SeriesObject(i);
            if (s.SeriesVisible() && !s.SeriesLegend().isEmpty())
                entries.push_back({s.SeriesLegend(), s.DrawColor()});
        }
    }
    if (entries.empty())
        return;

    const QFontMetricsF fm(labelFont);
    const double h = fm.height();
    const double box = std::round(h * 0.75);
    // Items flow in rows from left to right; each row is centred under the plot.
    std::vector<std::vector<ChartLegendItem>> rows(1);
    double x = 0.0;
    for (const Entry& e : entries) {
        const double w = box + 4.0 + fm.horizontalAdvance(e.text);
        if (x > 0 && x + w > area.width()) {
            rows.emplace_back();
            x = 0.0;
        }
        ChartLegendItem item;
        item.color = e.color;
        item.text = e.text;
        item.box = QRectF(x, (h - box) / 2.0, box, box);
        item.textRect = QRectF(x + box + 4.0, 0.0, w - box - 4.0, h);
        rows.back().push_back(item);
        x += w + 14.0;
    }
    const double height = rows.size() * (h + 2.0);
    const double top = area.bottom() - height;
    for (size_t r = 0; r < rows.size(); ++r) {
        const auto& row = rows[r];
        const double width = row.back().textRect.right();
        const double dx = area.left() + std::max(0.0, (area.width() - width) / 2.0);
        const double dy = top + r * (h + 2.0);
        for (ChartLegendItem item : row) {
            item.box.translate(dx, dy);
            item.textRect.translate(dx, dy);
            legend.push_back(item);
        }
    }
    area.setBottom(top - 6.0);
}

void ChartLayout::layoutPie(const ChartModel& chart, const QRectF& area)
{
    const ChartSeries& s = chart.SeriesObject(pieSeries);
    double total = 0.0;
    for (int p = 0; p < s.PointCount(); ++p) {
        if (s.Value(p) > 0)
            total += s.Value(p);
    }
    const QFontMetricsF fm(labelFont);
    // Room around the pie for the slice labels when they are shown.
    double room = 0.0;
    if (s.PointLabels()) {
        for (int p = 0; p < s.PointCount(); ++p) {
            if (s.Value(p) > 0)
                room = std::max(room, fm.horizontalAdvance(chart.PointLabelText(pieSeries, p)) + 8.0);
        }
    }
    const double d = std::max(0.0, std::min(area.width() - 2.0 * room, area.height() - 2.0 * fm.height()) * 0.95);
    pieRect = QRectF(area.center().x() - d / 2.0, area.center().y() - d / 2.0, d, d);
    if (!(total > 0))
        return;
    double angle = 90.0;
    for (int p = 0; p < s.PointCount(); ++p) {
        const double v = s.Value(p);
        if (!(v > 0))
            continue;
        ChartSliceLayout slice;
        slice.point = p;
        slice.startAngle = angle;
        slice.spanAngle = -v / total * 360.0;
        slice.color = IsDefaultChartColor(s.PointColor(p)) ? ChartModel::PaletteColor(p) : ToQColor(s.PointColor(p));
        angle += slice.spanAngle;
        slices.push_back(slice);
        if (s.PointLabels()) {
            const QString text = chart.PointLabelText(pieSeries, p);
            if (text.trimmed().isEmpty())
                continue;
            const double mid = (slice.startAngle + slice.spanAngle / 2.0) * std::numbers::pi / 180.0;
            const double rr = d / 2.0 + 6.0;
            const QPointF at(pieRect.center().x() + rr * std::cos(mid), pieRect.center().y() - rr * std::sin(mid));
            const double w = fm.horizontalAdvance(text);
            const double left = std::cos(mid) >= 0 ? at.x() : at.x() - w;
            pointLabels.push_back({QRectF(left, at.y() - fm.height() / 2.0, w, fm.height()), text});
        }
    }
}

void ChartLayout::layoutAxes(const ChartModel& chart, const QRectF& area)
{
    const QFontMetricsF fm(labelFont);
    const double lineH = fm.height();

    // Which axes show and their ticks with texts; positions follow once the plot is known.
    axes[AxisMainY].visible = true;
    axes[AxisSecondaryY].visible = chart.AxisUsed(AxisSecondaryY);
    axes[AxisX].visible = true;
    axes[AxisX].category = !chart.XAxisIsValueAxis();
    double labelWidth[3] = {0.0, 0.0, 0.0};
    for (int a = 0; a < 3; ++a) {
        ChartAxisLayout& al = axes[a];
        if (!al.visible)
            continue;
        const ChartAxis& ax = chart.AxisObject(a);
        al.min = ax.AxisMin();
        al.max = ax.AxisMax();
        al.title = ax.AxisTitle();
        if (a == AxisX && al.category) {
            al.min = -0.5;
            al.max = std::max(pointCount, 1) - 0.5;
            for (int p = 0; p < pointCount; ++p)
                al.ticks.push_back({double(p), 0.0, chart.AxisLabelText(AxisX, p), true});
        } else {
            const ChartScale scale{std::min(al.min, al.max), std::max(al.min, al.max), ax.TickStep()};
            for (double v : ChartTicks(scale))
                al.ticks.push_back({v, 0.0, chart.AxisLabelText(a, v), true});
        }
        for (const ChartTick& t : al.ticks)
            labelWidth[a] = std::max(labelWidth[a], fm.horizontalAdvance(t.text));
    }

    QRectF plot = area;
    plot.setTop(plot.top() + lineH / 2.0);
    plot.setLeft(plot.left() + labelWidth[AxisMainY] + TickLength + LabelGap +
                 (axes[AxisMainY].title.isEmpty() ? 0.0 : lineH + 4.0));
    if (axes[AxisSecondaryY].visible) {
        plot.setRight(plot.right() - labelWidth[AxisSecondaryY] - TickLength - LabelGap -
                      (axes[AxisSecondaryY].title.isEmpty() ? 0.0 : lineH + 4.0));
    } else {
        // Half of the last X label may stand beyond the plot.
        const double lastHalf = axes[AxisX].ticks.empty() ? 0.0 : fm.horizontalAdvance(axes[AxisX].ticks.back().text) / 2.0;
        plot.setRight(plot.right() - std::max(4.0, lastHalf));
    }
    plot.setBottom(plot.bottom() - TickLength - LabelGap - lineH -
                   (axes[AxisX].title.isEmpty() ? 0.0 : lineH + 2.0));
    if (plot.width() < 1.0)
        plot.setWidth(1.0);
    if (plot.height() < 1.0)
        plot.setHeight(1.0);
    plotRect = plot;

    for (int a = 0; a < 3; ++a) {
        ChartAxisLayout& al = axes[a];
        if (!al.visible)
            continue;
        for (ChartTick& t : al.ticks)
            t.pos = MapValue(a, t.value);
        if (al.ticks.size() > 1) {
            const double spacing = std::fabs(al.ticks[1].pos - al.ticks[0].pos);
            const double need = a == AxisX ? labelWidth[AxisX] + 8.0 : lineH;
            const int stride = labelStride(need, spacing);
            for (size_t i = 0; i < al.ticks.size(); ++i)
                al.ticks[i].labelled = i % size_t(stride) == 0;
        }
    }
    if (!axes[AxisMainY].title.isEmpty())
        axes[AxisMainY].titleRect = QRectF(area.left(), plot.top(), lineH, plot.height());
    if (axes[AxisSecondaryY].visible && !axes[AxisSecondaryY].title.isEmpty())
        axes[AxisSecondaryY].titleRect = QRectF(area.right() - lineH, plot.top(), lineH, plot.height());
    if (!axes[AxisX].title.isEmpty())
        axes[AxisX].titleRect = QRectF(plot.left(), plot.bottom() + TickLength + LabelGap + lineH + 2.0, plot.width(), lineH);
}

double ChartLayout::MapValue(int axis, double value) const
{
    const ChartAxisLayout& al = axes[axis];
    const double span = al.max != al.min ? al.max - al.min : 1.0;
    const double f = (value - al.min) / span;
    if (axis == AxisX)
        return plotRect.left() + f * plotRect.width();
    return plotRect.bottom() - f * plotRect.height();
}

void ChartLayout::layoutStripesAndConstants(const ChartModel& chart)
{
    for (int i = 0; i < chart.StripeCount(); ++i) {
        const ChartStripe& st = chart.StripeObject(i);
        if (!st.Shown())
            continue;
        const int a = st.StripeAxis();
        if (a == AxisSecondaryY && !axes[a].visible)
            continue;
        const double p1 = MapValue(a, st.StripeFrom());
        const double p2 = MapValue(a, st.StripeTo());
        QRectF band = a == AxisX ? QRectF(std::min(p1, p2), plotRect.top(), std::fabs(p2 - p1), plotRect.height())
                                 : QRectF(plotRect.left(), std::min(p1, p2), plotRect.width(), std::fabs(p2 - p1));
        band = band.intersected(plotRect);
        if (band.isEmpty())
            continue;
        const QColor color = IsDefaultChartColor(st.StripeColor()) ? QColor(230, 230, 230) : ToQColor(st.StripeColor());
        stripes.push_back({band, color});
    }

    const QFontMetricsF fm(labelFont);
    for (int i = 0; i < chart.ConstantLineCount(); ++i) {
        const ChartConstantLine& c = chart.ConstantLineObject(i);
        const int a = c.LineAxis();
        if (!c.Shown() || (a == AxisSecondaryY && !axes[a].visible))
            continue;
        const double p = MapValue(a, c.LineValue());
        ChartConstantLayout cl;
        cl.color = IsDefaultChartColor(c.LineColor()) ? QColor(Qt::red) : ToQColor(c.LineColor());
        cl.style = c.LineStyle();
        cl.label = c.LineLabel();
        const double w = fm.horizontalAdvance(cl.label);
        if (a == AxisX) {
            if (p < plotRect.left() - 0.5 || p > plotRect.right() + 0.5)
                continue;
            cl.line = QLineF(p, plotRect.top(), p, plotRect.bottom());
            cl.labelRect = QRectF(p + 3.0, plotRect.top() + 2.0, w, fm.height());
        } else {
            if (p < plotRect.top() - 0.5 || p > plotRect.bottom() + 0.5)
                continue;
            cl.line = QLineF(plotRect.left(), p, plotRect.right(), p);
            // The label sits above the line at its right end, below it near the plot's top.
            const double y = p - fm.height() - 1.0 < plotRect.top() ? p + 1.0 : p - fm.height() - 1.0;
            cl.labelRect = QRectF(plotRect.right() - w - 4.0, y, w, fm.height());
        }
        constants.push_back(cl);
    }
}

void ChartLayout::layoutBars(const ChartModel& chart)
{
    std::vector<int> barSeries;
    for (int i = 0; i < chart.SeriesCount(); ++i) {
        const ChartSeries& s = chart.SeriesObject(i);
        if (s.SeriesVisible() && s.EffectiveKind() == ChartKind::Bar)
            barSeries.push_back(i);
    }
    if (barSeries.empty() || pointCount == 0)
        return;
    const double slot = plotRect.width() / pointCount;
    const double group = slot * BarGroupShare;
    const bool stacked = chart.Stacked();
    const double barWidth = stacked ? group : group / double(barSeries.size());
    for (int p = 0; p < pointCount; ++p) {
        const double left = plotRect.left() + p * slot + (slot - group) / 2.0;
        // Stacks per value axis: positive parts grow up from 0, negative parts down.
        double up[2] = {0.0, 0.0};
        double down[2] = {0.0, 0.0};
        for (size_t k = 0; k < barSeries.size(); ++k) {
            const ChartSeries& s = chart.SeriesObject(barSeries[k]);
            const double v = s.Value(p);
            if (IsNoValue(v))
                continue;
            const int a = s.SeriesAxis();
            const ChartAxisLayout& al = axes[a];
            double from;
            double to;
            if (stacked) {
                double& base = v >= 0 ? up[a] : down[a];
                from = base;
                to = base + v;
                base = to;
            } else {
                from = std::clamp(0.0, std::min(al.min, al.max), std::max(al.min, al.max));
                to = v;
            }
            const double y1 = MapValue(a, from);
            const double y2 = MapValue(a, to);
            const double x = stacked ? left : left + double(k) * barWidth;
            QRectF bar(x, std::min(y1, y2), barWidth, std::fabs(y2 - y1));
            bar = bar.intersected(plotRect.adjusted(0, -0.01, 0, 0.01));
            bars.push_back({barSeries[k], p, bar, pointColor(s, p)});
        }
    }
}

void ChartLayout::layoutLines(const ChartModel& chart)
{
    const bool valueX = !axes[AxisX].category;
    const double slot = pointCount > 0 ? plotRect.width() / pointCount : plotRect.width();
    for (int i = 0; i < chart.SeriesCount(); ++i) {
        const ChartSeries& s = chart.SeriesObject(i);
        const ChartKind kind = s.EffectiveKind();
        if (!s.SeriesVisible() || (kind != ChartKind::Line && kind != ChartKind::Area))
            continue;
        ChartLineLayout line;
        line.series = i;
        line.color = s.DrawColor();
        line.style = s.LineStyle();
        line.width = s.LineWidth();
        line.area = kind == ChartKind::Area;
        const int a = s.SeriesAxis();
        const ChartAxisLayout& al = axes[a];
        const double baseY = MapValue(a, std::clamp(0.0, std::min(al.min, al.max), std::max(al.min, al.max)));
        const int n = s.PointCount();
        line.points.resize(size_t(n));
        QPolygonF run;
        auto closeRun = [&]() {
            if (run.isEmpty())
                return;
            if (line.area) {
                QPolygonF poly = run;
                poly << QPointF(run.last().x(), baseY) << QPointF(run.first().x(), baseY);
                line.areas.push_back(poly);
            }
            line.segments.push_back(run);
            run.clear();
        };
        for (int p = 0; p < n; ++p) {
            const double v = s.Value(p);
            if (IsNoValue(v)) {
                line.points[size_t(p)] = QPointF(ChartNoValue, ChartNoValue);
                closeRun();
                continue;
            }
            double x;
            if (valueX) {
                const double xv = s.HasXValues() && !IsNoValue(s.XValue(p)) ? s.XValue(p) : double(p);
                x = MapValue(AxisX, xv);
            } else {
                x = plotRect.left() + (p + 0.5) * slot;
            }
            const QPointF pt(x, MapValue(a, v));
            line.points[size_t(p)] = pt;
            run << pt;
        }
        closeRun();
        lines.push_back(std::move(line));
    }
}

void ChartLayout::layoutPointLabels(const ChartModel& chart)
{
    const QFontMetricsF fm(labelFont);
    auto place = [&](int serie, int point, const QPointF& at, bool below) {
        const QString text = chart.PointLabelText(serie, point);
        if (text.trimmed().isEmpty())
            return;
        const double w = fm.horizontalAdvance(text);
        const double y = below ? at.y() + 2.0 : at.y() - fm.height() - 2.0;
        pointLabels.push_back({QRectF(at.x() - w / 2.0, y, w, fm.height()), text});
    };
    for (const ChartBarLayout& b : bars) {
        const ChartSeries& s = chart.SeriesObject(b.series);
        if (s.PointLabels())
            place(b.series, b.point, s.Value(b.point) >= 0 ? QPointF(b.rect.center().x(), b.rect.top())
                                                          : QPointF(b.rect.center().x(), b.rect.bottom()),
                  s.Value(b.point) < 0);
    }
    for (const ChartLineLayout& l : lines) {
        if (!chart.SeriesObject(l.series).PointLabels())
            continue;
        for (size_t p = 0; p < l.points.size(); ++p) {
            if (!isNan(l.points[p].x()))
                place(l.series, int(p), l.points[p], false);
        }
    }
}

ChartHit ChartLayout::HitTest(const QPointF& pos) const
{
    if (pie) {
        const QPointF c = pieRect.center();
        const double dx = pos.x() - c.x();
        const double dy = c.y() - pos.y();
        if (std::hypot(dx, dy) > pieRect.width() / 2.0)
            return {};
        double angle = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
        for (const ChartSliceLayout& s : slices) {
            // How far clockwise from the slice's start the position lies.
            double along = std::fmod(s.startAngle - angle, 360.0);
            if (along < 0)
                along += 360.0;
            if (along <= -s.spanAngle)
                return {pieSeries, s.point};
        }
        return {};
    }
    for (auto it = bars.rbegin(); it != bars.rend(); ++it) {
        if (it->rect.contains(pos))
            return {it->series, it->point};
    }
    ChartHit best;
    double bestDistance = HitRadius * HitRadius;
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        for (size_t p = 0; p < it->points.size(); ++p) {
            const QPointF& pt = it->points[p];
            if (isNan(pt.x()))
                continue;
            const double dx = pt.x() - pos.x();
            const double dy = pt.y() - pos.y();
            const double d = dx * dx + dy * dy;
            if (d < bestDistance) {
                bestDistance = d;
                best = {it->series, int(p)};
            }
        }
    }
    return best;
}
