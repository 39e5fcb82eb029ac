#include "platform/chart/chartwidget.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/chart/chartprint.h"
#include "platform/chart/chartrenderer.h"

ChartWidget::ChartWidget(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(60, 40);
}

ChartWidget::~ChartWidget() = default;

const ChartLayout& ChartWidget::Layout() const
{
    if (!layout_)
        layout_.emplace(*this, QRectF(rect()));
    return *layout_;
}

ChartHit ChartWidget::HitTest(const QPoint& pos) const
{
    return Layout().HitTest(QPointF(pos));
}

bool ChartWidget::PrintChart()
{
    return ::PrintChart(*this, QSizeF(size()), this);
}

bool ChartWidget::PrintChart(int, int)
{
    return PrintChart();
}

void ChartWidget::Changed()
{
    layout_.reset();
    update();
}

void ChartWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    ChartRenderer(*this).paint(painter, Layout());
}

void ChartWidget::mousePressEvent(QMouseEvent* event)
{
    const MouseEvent* handler = event->button() == Qt::RightButton  ? &OnRButtonDown
                                : event->button() == Qt::LeftButton ? &OnLButtonDown
                                                                    : nullptr;
    if (!handler || !*handler) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    const ChartHit hit = HitTest(pos);
    (*handler)(this, pos.x(), pos.y(), hit.series, hit.point);
}

void ChartWidget::resizeEvent(QResizeEvent* event)
{
    layout_.reset();
    QWidget::resizeEvent(event);
}
