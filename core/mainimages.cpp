#include "core/mainimages.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "core/mainactions.h"
#include "platform/vcl/imglist.h"

namespace {

const QColor kInk(40, 52, 72);
const QColor kBlue(52, 110, 190);
const QColor kOrange(240, 120, 30);
const QColor kGreen(60, 150, 70);
const QColor kRed(200, 50, 50);
const QColor kPaper(250, 250, 245);
const QColor kYellow(240, 200, 70);

// A sheet of paper with a folded corner.
void sheet(QPainter& p, const QColor& fill = kPaper)
{
    QPainterPath path;
    path.moveTo(3, 1.5);
    path.lineTo(10, 1.5);
    path.lineTo(13, 4.5);
    path.lineTo(13, 14.5);
    path.lineTo(3, 14.5);
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(10, 1.5), QPointF(10, 4.5));
    p.drawLine(QPointF(10, 4.5), QPointF(13, 4.5));
}

void folder(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kYellow);
    QPainterPath path;
    path.moveTo(1.5, 3.5);
    path.lineTo(6, 3.5);
    path.lineTo(7.5, 5);
    path.lineTo(14.5, 5);
    path.lineTo(14.5, 13.5);
    path.lineTo(1.5, 13.5);
    path.closeSubpath();
    p.drawPath(path);
}

void bars(QPainter& p, const QColor& c, std::initializer_list<int> heights)
{
    p.setPen(QPen(kInk, 1));
    p.drawLine(1, 14, 15, 14);
    int x = 2;
    for (int h : heights) {
        p.fillRect(QRect(x, 14 - h, 3, h), c);
        x += 4;
    }
}

void heart(QPainter& p, const QColor& c)
{
    QPainterPath path;
    path.moveTo(8, 14);
    path.cubicTo(1, 9, 0, 4, 4.5, 2.5);
    path.cubicTo(6.5, 2, 8, 4, 8, 5);
    path.cubicTo(8, 4, 9.5, 2, 11.5, 2.5);
    path.cubicTo(16, 4, 15, 9, 8, 14);
    p.setPen(QPen(c.darker(130), 1));
    p.setBrush(c);
    p.drawPath(path);
}

void clock(QPainter& p, const QColor& c)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(c, 1.5));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
}

void letter(QPainter& p, const QString& text, const QColor& c, int pixel = 9)
{
    QFont f;
    f.setPixelSize(pixel);
    f.setBold(true);
    p.setFont(f);
    p.setPen(c);
    p.drawText(QRect(0, 2, 16, 14), Qt::AlignCenter, text);
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& c)
{
    p.setPen(QPen(c, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d * 3 + n * 3);
    p.drawLine(to, to - d * 3 - n * 3);
}

void calendar(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 2.5, 13, 12));
    p.fillRect(QRectF(2, 3, 12, 3), kRed);
    p.setPen(QPen(kInk, 1));
    for (int y = 8; y <= 12; y += 2)
        for (int x = 4; x <= 12; x += 3)
            p.drawPoint(x, y);
}

void draw(QPainter& p, int index)
{
    switch (index) {
    case imgNew:
        sheet(p);
        p.setPen(QPen(kOrange, 2));
        p.drawLine(8, 7, 8, 12);
        p.drawLine(5, 10, 11, 10);
        break;
    case imgOpen: folder(p); break;
    case imgClose:
        folder(p);
        p.setPen(QPen(kRed, 2));
        p.drawLine(6, 7, 11, 12);
        p.drawLine(11, 7, 6, 12);
        break;
    case imgImport:
        sheet(p);
        arrow(p, QPointF(8, 4), QPointF(8, 12), kGreen);
        break;
    case imgCompact:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue.lighter(150));
        p.drawEllipse(QRectF(2.5, 1.5, 11, 4));
        p.drawRect(QRectF(2.5, 3.5, 11, 10));
        arrow(p, QPointF(8, 6), QPointF(8, 12), kInk);
        break;
    case imgBackup:
    case imgRestore:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue.lighter(150));
        p.drawRect(QRectF(1.5, 6.5, 13, 8));
        if (index == imgBackup)
            arrow(p, QPointF(8, 1), QPointF(8, 11), kGreen);
        else
            arrow(p, QPointF(8, 11), QPointF(8, 1), kOrange);
        break;
    case imgPrint:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(190, 190, 190));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        break;
    case imgExit:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(180, 130, 80));
        p.drawRect(QRectF(3.5, 1.5, 8, 13));
        arrow(p, QPointF(7, 8), QPointF(15, 8), kRed);
        break;
    case imgCopy:
        p.translate(-1.5, -1);
        sheet(p);
        p.translate(3, 2);
        sheet(p);
        break;
    case imgPaste:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(180, 130, 80));
        p.drawRect(QRectF(2.5, 2.5, 10, 12));
        p.translate(3, 3);
        p.scale(0.75, 0.75);
        sheet(p);
        break;
    case imgTemplate:
        sheet(p, QColor(230, 240, 255));
        letter(p, QStringLiteral("M"), kBlue);
        break;
    case imgPeriodStat: bars(p, kBlue, {5, 9, 7}); break;
    case imgWeekStat: bars(p, kGreen, {7, 4, 10}); break;
    case imgMonthStat: bars(p, kOrange, {3, 8, 11}); break;
    case imgAnalysis:
        bars(p, kBlue, {4, 6, 8});
        p.setPen(QPen(kRed, 1.5));
        p.drawLine(2, 8, 7, 4);
        p.drawLine(7, 4, 14, 2);
        break;
    case imgTrainingTimes: clock(p, kGreen); break;
    case imgTempoflex: clock(p, kOrange); break;
    case imgThreshold: clock(p, kRed); break;
    case imgPlan:
        calendar(p);
        p.setPen(QPen(kGreen, 2));
        p.drawLine(5, 10, 7, 12);
        p.drawLine(7, 12, 12, 7);
        break;
    case imgLexicon:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue);
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        p.fillRect(QRectF(4, 3, 8, 3), kPaper);
        break;
    case imgTimeCalc:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        p.fillRect(QRectF(4, 3, 8, 3), kGreen.lighter(160));
        for (int y = 8; y <= 12; y += 2)
            for (int x = 5; x <= 11; x += 3)
                p.fillRect(QRect(x - 1, y, 2, 1), kInk);
        break;
    case imgMarch:
        sheet(p);
        p.setPen(QPen(kInk, 1));
        for (int y = 6; y <= 12; y += 2)
            p.drawLine(5, y, 11, y);
        break;
    case imgBestTimes:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kYellow);
        p.drawPolygon(QPolygonF({QPointF(8, 1), QPointF(10, 6), QPointF(15, 6.5), QPointF(11, 10),
                                 QPointF(12.5, 15), QPointF(8, 12), QPointF(3.5, 15), QPointF(5, 10),
                                 QPointF(1, 6.5), QPointF(6, 6)}));
        break;
    case imgBodyMass:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue.lighter(140));
        p.drawEllipse(QRectF(5.5, 1, 5, 5));
        p.drawRoundedRect(QRectF(4.5, 7, 7, 8), 2, 2);
        break;
    case imgMaxPulse: heart(p, kRed); break;
    case imgPulseBands:
        heart(p, kOrange);
        break;
    case imgTimeCalculation:
        clock(p, kBlue);
        break;
    case imgPerformance:
        bars(p, kGreen, {3, 6, 12});
        break;
    case imgCalendar: calendar(p); break;
    case imgRoutes:
        p.setPen(QPen(kGreen, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawPolyline(QPolygonF({QPointF(2, 13), QPointF(6, 6), QPointF(10, 11), QPointF(14, 3)}));
        p.setBrush(kRed);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(14, 3), 2, 2);
        break;
    case imgEquipment:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kOrange);
        p.drawPolygon(QPolygonF({QPointF(1.5, 12.5), QPointF(1.5, 8.5), QPointF(6, 8.5), QPointF(8, 4.5),
                                 QPointF(11, 4.5), QPointF(14.5, 10), QPointF(14.5, 12.5)}));
        break;
    case imgBlocks:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue.lighter(150));
        p.drawRect(QRectF(1.5, 8.5, 6, 6));
        p.setBrush(kGreen.lighter(150));
        p.drawRect(QRectF(8.5, 8.5, 6, 6));
        p.setBrush(kOrange.lighter(130));
        p.drawRect(QRectF(5, 1.5, 6, 6));
        break;
    case imgHrm:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRoundedRect(QRectF(1.5, 3.5, 13, 9), 3, 3);
        p.setPen(QPen(kRed, 1.5));
        p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(6, 8), QPointF(7, 5), QPointF(9, 11),
                                  QPointF(10, 8), QPointF(13, 8)}));
        break;
    case imgOptions:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(170, 170, 180));
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        p.setBrush(kPaper);
        p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
        break;
    case imgHelp:
        p.setPen(QPen(kBlue.darker(130), 1));
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        letter(p, QStringLiteral("?"), Qt::white, 11);
        break;
    case imgManual:
        sheet(p);
        letter(p, QStringLiteral("H"), kRed, 8);
        break;
    case imgAbout:
        p.setPen(QPen(kBlue.darker(130), 1));
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        letter(p, QStringLiteral("i"), Qt::white, 11);
        break;
    default: break;
    }
}

}  // namespace

QPixmap MainImage(int index, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    draw(p, index);
    return pm;
}

void FillMainImages(TImageList* list)
{
    list->Clear();
    for (int i = 0; i < imgCount; ++i)
        list->Add(MainImage(i, list->Width()));
}

QPixmap BannerPicture(int width, int height, const QString& title)
{
    QPixmap pm(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, width, 0);
    g.setColorAt(0, QColor(18, 40, 82));
    g.setColorAt(1, QColor(34, 86, 150));
    p.fillRect(pm.rect(), g);
    p.setPen(QPen(QColor(240, 110, 30), 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(width * 0.6, height - 10.0), QPointF(width - 20.0, 12.0));
    if (!title.isEmpty()) {
        QFont f;
        f.setPixelSize(26);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(14, 0, width, height), Qt::AlignLeft | Qt::AlignVCenter, title);
    }
    return pm;
}
