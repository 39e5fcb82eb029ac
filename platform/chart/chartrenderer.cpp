#include "platform/chart/chartrenderer.h"

#include "platform/chart/chartmodel.h"

namespace {

const QColor AxisColor(90, 90, 90);
const QColor GridColor(222, 222, 222);
const QColor TextColor(40, 40, 40);

}  // namespace

ChartLayout ChartRenderer::render(QPainter& painter, const QRectF& rect) const
{
    ChartLayout layout(chart_, rect);
    paint(painter, layout);
    return layout;
}

void ChartRenderer::paint(QPainter& painter, const ChartLayout& layout) const
{
    painter.save();
    painter.setClipRect(layout.rect);
    painter.fillRect(layout.rect, layout.backColor);

    painter.setFont(layout.titleFont);
    painter.setPen(layout.titleColor);
    for (const ChartTextLayout& t : layout.title)
        painter.drawText(t.rect, Qt::AlignCenter | Qt::TextSingleLine, t.text);

    if (layout.pie) {
        paintPie(painter, layout);
    } else {
        painter.fillRect(layout.plotRect, layout.plotBackColor);
        if (!chart_.BackgroundPicture().isNull())
            painter.drawImage(layout.plotRect, chart_.BackgroundPicture());
        for (const ChartBandLayout& b : layout.stripes)
            painter.fillRect(b.rect, b.color);
        // Grid lines of the main value axis (or of the secondary one when it carries everything).
        const int gridAxis = chart_.AxisUsed(AxisMainY) || !layout.axes[AxisSecondaryY].visible ? AxisMainY : AxisSecondaryY;
        if (chart_.AxisObject(gridAxis).GridLines()) {
            painter.setPen(QPen(GridColor, 0));
            for (const ChartTick& t : layout.axes[gridAxis].ticks)
                painter.drawLine(QPointF(layout.plotRect.left(), t.pos), QPointF(layout.plotRect.right(), t.pos));
        }
        if (chart_.AxisObject(AxisX).GridLines() && !layout.axes[AxisX].category) {
            painter.setPen(QPen(GridColor, 0));
            for (const ChartTick& t : layout.axes[AxisX].ticks)
                painter.drawLine(QPointF(t.pos, layout.plotRect.top()), QPointF(t.pos, layout.plotRect.bottom()));
        }
        paintSeries(painter, layout);
        painter.setFont(layout.labelFont);
        for (const ChartConstantLayout& c : layout.constants) {
            painter.setPen(QPen(c.color, 1.0, c.style));
            painter.drawLine(c.line);
            painter.drawText(c.labelRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, c.label);
        }
        paintAxes(painter, layout);
    }

    painter.setFont(layout.labelFont);
    painter.setPen(TextColor);
    for (const ChartTextLayout& t : layout.pointLabels)
        painter.drawText(t.rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, t.text);
    for (const ChartLegendItem& item : layout.legend) {
        painter.fillRect(item.box, item.color);
        painter.setPen(QPen(AxisColor, 0));
        painter.drawRect(item.box);
        painter.setPen(TextColor);
        painter.drawText(item.textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, item.text);
    }
    painter.restore();
}

void ChartRenderer::paintSeries(QPainter& painter, const ChartLayout& layout) const
{
    painter.save();
    painter.setClipRect(layout.plotRect.adjusted(-1, -1, 1, 1), Qt::IntersectClip);
    // Areas first, so that bars and lines stay visible in front of them.
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const ChartLineLayout& l : layout.lines) {
        if (!l.area)
            continue;
        QColor fill = l.color;
        fill.setAlpha(170);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        for (const QPolygonF& poly : l.areas)
            painter.drawPolygon(poly);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const ChartBarLayout& b : layout.bars) {
        if (b.rect.height() <= 0 || b.rect.width() <= 0)
            continue;
        painter.fillRect(b.rect, b.color);
        if (b.rect.width() >= 4 && b.rect.height() >= 2) {
            painter.setPen(QPen(b.color.darker(140), 0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(b.rect);
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    for (const ChartLineLayout& l : layout.lines) {
        QPen pen(l.color, l.width, l.style);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        for (const QPolygonF& run : l.segments) {
            if (run.size() == 1)
                painter.drawPoint(run.first());
            else
                painter.drawPolyline(run);
        }
    }
    painter.restore();
}

void ChartRenderer::paintAxes(QPainter& painter, const ChartLayout& layout) const
{
    const QRectF& plot = layout.plotRect;
    painter.setFont(layout.labelFont);
    painter.setPen(QPen(AxisColor, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);

    const ChartAxisLayout& x = layout.axes[AxisX];
    for (const ChartTick& t : x.ticks) {
        painter.setPen(QPen(AxisColor, 0));
        painter.drawLine(QPointF(t.pos, plot.bottom()), QPointF(t.pos, plot.bottom() + 4.0));
        if (!t.labelled)
            continue;
        painter.setPen(TextColor);
        painter.drawText(QRectF(t.pos - 200.0, plot.bottom() + 6.0, 400.0, 40.0),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, t.text);
    }
    for (int a : {AxisMainY, AxisSecondaryY}) {
        const ChartAxisLayout& y = layout.axes[a];
        if (!y.visible)
            continue;
        const bool left = a == AxisMainY;
        const double edge = left ? plot.left() : plot.right();
        for (const ChartTick& t : y.ticks) {
            painter.setPen(QPen(AxisColor, 0));
            painter.drawLine(QPointF(edge, t.pos), QPointF(left ? edge - 4.0 : edge + 4.0, t.pos));
            if (!t.labelled)
                continue;
            painter.setPen(TextColor);
            const QRectF r = left ? QRectF(edge - 1007.0, t.pos - 20.0, 1000.0, 40.0)
                                  : QRectF(edge + 7.0, t.pos - 20.0, 1000.0, 40.0);
            painter.drawText(r, (left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine, t.text);
        }
    }
    painter.setPen(TextColor);
    for (int a : {AxisMainY, AxisSecondaryY}) {
        const ChartAxisLayout& y = layout.axes[a];
        if (!y.visible || y.title.isEmpty())
            continue;
        // Titles of value axes read upwards on the left and downwards on the right.
        painter.save();
        const QRectF& r = y.titleRect;
        painter.translate(r.center());
        painter.rotate(a == AxisMainY ? -90.0 : 90.0);
        painter.drawText(QRectF(-r.height() / 2.0, -r.width() / 2.0, r.height(), r.width()),
                         Qt::AlignCenter | Qt::TextSingleLine, y.title);
        painter.restore();
    }
    if (!x.title.isEmpty())
        painter.drawText(x.titleRect, Qt::AlignCenter | Qt::TextSingleLine, x.title);
}

void ChartRenderer::paintPie(QPainter& painter, const ChartLayout& layout) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const ChartSliceLayout& s : layout.slices) {
        // White lines part the slices; a slice as light as the background gets a grey edge so
        // that it still shows (categories without a colour of their own are drawn white).
        painter.setPen(QPen(s.color.lightness() > 235 ? QColor(160, 160, 160) : QColor(Qt::white), 1.0));
        painter.setBrush(s.color);
        if (s.spanAngle <= -359.999)
            painter.drawEllipse(layout.pieRect);
        else
            painter.drawPie(layout.pieRect, int(std::lround(s.startAngle * 16.0)), int(std::lround(s.spanAngle * 16.0)));
    }
    painter.restore();
}
