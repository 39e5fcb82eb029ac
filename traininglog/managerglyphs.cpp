#include "traininglog/managerglyphs.h"

#include <QPainter>
#include <QPolygonF>

#include "platform/vcl/dbactns.h"

QImage ManagerGlyph(TManagerGlyph kind)
{
    // The glyphs the managers share with the standard dataset actions are the actions' own.
    switch (kind) {
    case mgFirst: return DataSetActionGlyph(daFirst).toImage();
    case mgPrior: return DataSetActionGlyph(daPrior).toImage();
    case mgNext: return DataSetActionGlyph(daNext).toImage();
    case mgLast: return DataSetActionGlyph(daLast).toImage();
    case mgDelete: return DataSetActionGlyph(daDelete).toImage();
    case mgPost: return DataSetActionGlyph(daPost).toImage();
    case mgCancel: return DataSetActionGlyph(daCancel).toImage();
    default: break;
    }
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor green(30, 130, 60), red(190, 40, 40);
    p.setPen(Qt::NoPen);
    auto sheet = [&p](qreal x, qreal y) {
        p.setPen(QPen(QColor(90, 100, 120), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(x + 0.5, y + 0.5, 8, 10));
        p.setPen(Qt::NoPen);
    };
    switch (kind) {
    case mgNew:
        sheet(1, 1);
        p.setBrush(green);
        p.drawRect(QRectF(10, 6, 2.5, 9));
        p.drawRect(QRectF(6.75, 9.25, 9, 2.5));
        break;
    case mgDeleteAll:
        p.setBrush(red);
        for (qreal y : {3.5, 7.0, 10.5})
            p.drawRect(QRectF(2, y, 12, 2));
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
    case mgRefresh:
        // A circling arrow.
        p.setPen(QPen(QColor(30, 100, 170), 2));
        p.drawArc(QRectF(3, 3, 10, 10), 60 * 16, 280 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 100, 170));
        p.drawPolygon(QPolygonF({QPointF(9, 1), QPointF(14, 4), QPointF(9, 7)}));
        break;
    case mgView:
        // A list beside a form, drawn sharp.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QColor(30, 100, 170));
        p.setBrush(Qt::white);
        p.drawRect(1, 2, 13, 11);
        for (int y = 5; y <= 11; y += 3)
            p.drawLine(3, y, 12, y);
        break;
    case mgRoutePlanner:
        // A small route with a flag.
        p.setPen(QPen(QColor(40, 130, 60), 2));
        p.drawPolyline(QPolygonF({QPointF(2, 14), QPointF(6, 9), QPointF(10, 11), QPointF(13, 5)}));
        p.setPen(QPen(QColor(190, 40, 40), 1.5));
        p.drawLine(QPointF(13, 5), QPointF(13, 1));
        p.setBrush(QColor(190, 40, 40));
        p.drawPolygon(QPolygonF({QPointF(13, 1), QPointF(16, 2.5), QPointF(13, 4)}));
        break;
    default: break;
    }
    return img;
}
