#include "traininglog/managerglyphs.h"

#include <QPainter>
#include <QPolygonF>

QImage ManagerGlyph(TManagerGlyph kind)
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor dark(40, 52, 72), green(30, 130, 60), red(190, 40, 40);
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    auto triangle = [&p](bool left, qreal x) {
        if (left)
            p.drawPolygon(QPolygonF({QPointF(x + 6, 3), QPointF(x + 6, 13), QPointF(x, 8)}));
        else
            p.drawPolygon(QPolygonF({QPointF(x, 3), QPointF(x, 13), QPointF(x + 6, 8)}));
    };
    auto sheet = [&p](qreal x, qreal y) {
        p.setPen(QPen(QColor(90, 100, 120), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(x + 0.5, y + 0.5, 8, 10));
        p.setPen(Qt::NoPen);
    };
    switch (kind) {
    case mgFirst:
        p.drawRect(QRectF(3, 3, 2, 10));
        triangle(true, 6);
        break;
    case mgPrior: triangle(true, 5); break;
    case mgNext: triangle(false, 5); break;
    case mgLast:
        triangle(false, 4);
        p.drawRect(QRectF(11, 3, 2, 10));
        break;
    case mgNew:
        sheet(1, 1);
        p.setBrush(green);
        p.drawRect(QRectF(10, 6, 2.5, 9));
        p.drawRect(QRectF(6.75, 9.25, 9, 2.5));
        break;
    case mgDelete:
        p.setBrush(red);
        p.drawRect(QRectF(2, 6.75, 12, 2.5));
        break;
    case mgDeleteAll:
        p.setBrush(red);
        for (qreal y : {3.5, 7.0, 10.5})
            p.drawRect(QRectF(2, y, 12, 2));
        break;
    case mgPost:
        p.setPen(QPen(green, 2.4));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    case mgCancel:
        p.setPen(QPen(red, 2.4));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case mgHelp: {
        p.setBrush(QColor(40, 90, 180));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        QFont f;
        f.setPixelSize(12);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case mgAddUnits:
        sheet(1, 4);
        sheet(4, 1);
        p.setBrush(green);
        p.drawRect(QRectF(10, 6, 2.5, 9));
        p.drawRect(QRectF(6.75, 9.25, 9, 2.5));
        break;
    }
    return img;
}
