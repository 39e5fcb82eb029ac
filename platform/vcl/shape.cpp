#include "platform/vcl/shape.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

TShape::TShape(QWidget* parent) : QWidget(parent) {}

void TShape::SetShape(TShapeType value)
{
    if (value == shape_)
        return;
    shape_ = value;
    update();
}

void TShape::SetBrushColor(TColor value)
{
    // Owners recolour shapes before every paint of a panel: only a real change repaints.
    if (value == brushColor_)
        return;
    brushColor_ = value;
    update();
}

void TShape::SetPenColor(TColor value)
{
    if (value == penColor_)
        return;
    penColor_ = value;
    update();
}

void TShape::SetPenStyle(TPenStyle value)
{
    if (value == penStyle_)
        return;
    penStyle_ = value;
    update();
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const bool outline = penStyle_ != psClear;
    p.setPen(outline ? QPen(ToQColor(penColor_)) : QPen(Qt::NoPen));
    p.setBrush(ToQColor(brushColor_));
    // The outline lies inside the control, as the runtime draws it.
    QRect r = rect().adjusted(0, 0, outline ? -1 : 0, outline ? -1 : 0);
    if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
        const int side = std::min(r.width(), r.height());
        r = QRect(r.left() + (r.width() - side) / 2, r.top() + (r.height() - side) / 2, side, side);
    }
    switch (shape_) {
    case stRectangle:
    case stSquare:
        p.drawRect(r);
        break;
    case stRoundRect:
    case stRoundSquare: {
        const qreal radius = std::min(r.width(), r.height()) / 4.0;
        p.setRenderHint(QPainter::Antialiasing);
        p.drawRoundedRect(r, radius, radius);
        break;
    }
    case stEllipse:
    case stCircle:
        p.setRenderHint(QPainter::Antialiasing);
        p.drawEllipse(r);
        break;
    }
}

void TShape::mousePressEvent(QMouseEvent* e)
{
    if (dragMode_ != dmAutomatic || e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    pressed_ = true;
    pressPos_ = e->position().toPoint();
}

void TShape::mouseMoveEvent(QMouseEvent* e)
{
    if (!pressed_ || (e->position().toPoint() - pressPos_).manhattanLength() < QApplication::startDragDistance()) {
        QWidget::mouseMoveEvent(e);
        return;
    }
    pressed_ = false;
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("application/x-orvalo-control"), objectName().toUtf8());
    drag->setMimeData(mime);
    drag->setPixmap(grab());
    drag->exec(Qt::MoveAction);
}

void TShape::mouseReleaseEvent(QMouseEvent* e)
{
    pressed_ = false;
    QWidget::mouseReleaseEvent(e);
}
