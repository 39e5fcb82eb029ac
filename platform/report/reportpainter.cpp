#include "platform/report/reportpainter.h"

#include <QPaintDevice>

#include <algorithm>

namespace {

QPen PenOf(const TPageItem& it, double pxPerMm)
{
    if (it.penStyle == Qt::NoPen)
        return QPen(Qt::NoPen);
    QPen pen(ToQColor(it.penColor));
    pen.setStyle(it.penStyle);
    pen.setWidthF(std::max(1.0, it.penWidth * pxPerMm));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

}  // namespace

void PaintReportPage(QPainter& painter, const TReportPage& page)
{
    const QPaintDevice* device = painter.device();
    const double sx = device->logicalDpiX() / MmPerInch;
    const double sy = device->logicalDpiY() / MmPerInch;
    auto px = [&](const QRectF& mm) {
        return QRectF(mm.left() * sx, mm.top() * sy, mm.width() * sx, mm.height() * sy);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const TPageItem& it : page.items) {
        switch (it.kind) {
        case TPageItem::Text: {
            if (it.text.isEmpty())
                break;
            painter.setFont(PageFont(it.font));
            painter.setPen(ToQColor(it.fontColor));
            int flags = int(it.alignment);
            if (!(flags & Qt::AlignVertical_Mask))
                flags |= Qt::AlignTop;
            flags |= it.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
            if (!it.clip)
                flags |= Qt::TextDontClip;
            painter.drawText(px(it.rect), flags, it.text);
            break;
        }
        case TPageItem::Line:
            painter.setPen(PenOf(it, sx));
            painter.drawLine(QPointF(it.rect.left() * sx, it.rect.top() * sy),
                             QPointF(it.rect.right() * sx, it.rect.bottom() * sy));
            break;
        case TPageItem::Rect:
        case TPageItem::Ellipse:
            painter.setPen(PenOf(it, sx));
            painter.setBrush(it.filled ? QBrush(ToQColor(it.brushColor)) : QBrush(Qt::NoBrush));
            if (it.kind == TPageItem::Rect)
                painter.drawRect(px(it.rect));
            else
                painter.drawEllipse(px(it.rect));
            painter.setBrush(Qt::NoBrush);
            break;
        case TPageItem::Image:
            if (!it.image.isNull())
                painter.drawImage(px(it.rect), it.image);
            break;
        }
    }
    painter.restore();
}

QImage RenderReportPage(const TPreparedReport& report, int pageIndex, int dpi)
{
    const QSizeF mm = report.paperSize();
    QImage img(qMax(1, qRound(mm.width() * dpi / MmPerInch)), qMax(1, qRound(mm.height() * dpi / MmPerInch)),
               QImage::Format_RGB32);
    img.setDotsPerMeterX(qRound(dpi / 0.0254));
    img.setDotsPerMeterY(qRound(dpi / 0.0254));
    img.fill(Qt::white);
    if (pageIndex >= 0 && pageIndex < report.pageCount()) {
        QPainter p(&img);
        PaintReportPage(p, report.pages[size_t(pageIndex)]);
    }
    return img;
}
