#include "traininglog/managerglyphs.h"

#include <QPainter>

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
    default: break;
    }
    return img;
}
