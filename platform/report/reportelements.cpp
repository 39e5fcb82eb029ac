#include "platform/report/reportelements.h"

#include <QCoreApplication>

#include "platform/db/dataset.h"
#include "platform/vcl/jpeg.h"

void TReportFrame::Produce(const QRectF& r, std::vector<TPageItem>& out) const
{
    const double w = Width * PixelMm;
    if (DrawTop)
        out.push_back(TPageItem::lineItem(r.topLeft(), r.topRight(), Color, Style, w));
    if (DrawBottom)
        out.push_back(TPageItem::lineItem(r.bottomLeft(), r.bottomRight(), Color, Style, w));
    if (DrawLeft)
        out.push_back(TPageItem::lineItem(r.topLeft(), r.bottomLeft(), Color, Style, w));
    if (DrawRight)
        out.push_back(TPageItem::lineItem(r.topRight(), r.bottomRight(), Color, Style, w));
}

TReportElement::~TReportElement() = default;

void TReportElement::SetBounds(double left, double top, double width, double height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

// --- labels --------------------------------------------------------------------------------

namespace {

// The longest start of the text that fits the width (mm) with "…" after it; the text itself
// when it fits.
QString elidedText(const QFont& font, const QString& text, double widthMm)
{
    if (MeasureText(font, text).width() <= widthMm)
        return text;
    const QString dots = QString(QChar(0x2026));
    int lo = 0, hi = int(text.size());
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (MeasureText(font, text.left(mid) + dots).width() <= widthMm)
            lo = mid;
        else
            hi = mid - 1;
    }
    return text.left(lo).trimmed() + dots;
}

}  // namespace

TReportLabel::TReportLabel() : font_(QStringLiteral("Arial"), 10) {}

QString TReportLabel::PrintText(const TReportContext&)
{
    return caption_;
}

void TReportLabel::Produce(const TReportContext& ctx, const QRectF& band, std::vector<TPageItem>& out)
{
    const QString text = PrintText(ctx);
    const double u = ctx.unitMm;
    const double lineHeight = LineHeight(font_);
    const double height = Height() > 0 ? Height() * u : lineHeight;
    QRectF r;
    bool measured = false;
    if (alignToBand_) {
        r = QRectF(band.left(), band.top() + Top() * u, band.width(), height);
    } else if (autoSize_ && !wordWrap_) {
        r = QRectF(band.left() + Left() * u, band.top() + Top() * u, MeasureText(font_, text).width(),
                   std::max(lineHeight, height));
        measured = true;
    } else {
        r = QRectF(band.left() + Left() * u, band.top() + Top() * u, Width() * u, height);
    }
    if (!transparent_)
        out.push_back(TPageItem::rectItem(r, true, color_, Qt::NoPen));
    const QString shown = elideRight_ && !measured && !wordWrap_ ? elidedText(font_, text, r.width()) : text;
    TPageItem item = TPageItem::textItem(r, shown, font_, fontColor_, alignment_);
    item.wordWrap = wordWrap_;
    item.clip = !measured;
    item.autoWidth = measured && text.contains(kPageCountMarker);
    out.push_back(std::move(item));
    frame_.Produce(r, out);
}

TReportDBText::TReportDBText()
{
    SetAutoSize(false);
}

QString TReportDBText::PrintText(const TReportContext& ctx)
{
    TDataSet* ds = dataSet_ ? dataSet_ : ctx.dataSet;
    if (!ds || !ds->Active() || dataField_.isEmpty())
        return QString();
    return ds->FieldByName(dataField_)->DisplayText();
}

TReportExpr::TReportExpr()
{
    SetAutoSize(false);
}

QString TReportExpr::PrintText(const TReportContext& ctx)
{
    TDataSet* ds = ctx.dataSet && ctx.dataSet->Active() ? ctx.dataSet : nullptr;
    return TReportExpression::FormatValue(expression_.Value(ds), mask_);
}

// --- system data ---------------------------------------------------------------------------

TReportSysData::TReportSysData(TSysDataKind kind)
{
    SetData(kind);
}

void TReportSysData::SetData(TSysDataKind kind)
{
    kind_ = kind;
    if (kind == sdPageNumber)
        SetCaption(QCoreApplication::translate("TReportSysData", "Seite %1"));
    else if (kind == sdPageOfPages)
        SetCaption(QCoreApplication::translate("TReportSysData", "Seite %1 von %2"));
}

QString TReportSysData::PrintText(const TReportContext& ctx)
{
    const QString page = QString::number(ctx.pageNumber);
    QString c = Caption();
    switch (kind_) {
    case sdPageNumber:
        return c.contains(QLatin1String("%1")) ? c.replace(QLatin1String("%1"), page) : c + page;
    case sdPageOfPages:
        if (!c.contains(QLatin1String("%1")))
            c += QLatin1String("%1");
        return c.replace(QLatin1String("%1"), page).replace(QLatin1String("%2"), QString(kPageCountMarker));
    case sdDate:
        return c + DateToStr(Date());
    case sdTime:
        return c + TimeToStr(Time());
    case sdDateTime:
        return c + DateTimeToStr(Now());
    case sdReportTitle:
        return c + ctx.reportTitle;
    case sdDetailNo:
        return c + QString::number(ctx.recordNo);
    }
    return c;
}

// --- shapes and pictures -------------------------------------------------------------------

TReportShape::TReportShape(TShapeType shape) : shape_(shape) {}

void TReportShape::Produce(const TReportContext& ctx, const QRectF& band, std::vector<TPageItem>& out)
{
    const double u = ctx.unitMm;
    const QRectF r(band.left() + Left() * u, band.top() + Top() * u, Width() * u, Height() * u);
    const double pen = penWidth_ * PixelMm;
    switch (shape_) {
    case stRectangle:
    case stEllipse: {
        TPageItem it = TPageItem::rectItem(r, filled_, brushColor_, penStyle_, penColor_, pen);
        if (shape_ == stEllipse)
            it.kind = TPageItem::Ellipse;
        out.push_back(std::move(it));
        break;
    }
    case stHorLine:
        out.push_back(TPageItem::lineItem(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()),
                                          penColor_, penStyle_, pen));
        break;
    case stVertLine:
        out.push_back(TPageItem::lineItem(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()),
                                          penColor_, penStyle_, pen));
        break;
    }
}

void TReportImage::Produce(const TReportContext& ctx, const QRectF& band, std::vector<TPageItem>& out)
{
    QImage picture = picture_;
    if (!dataField_.isEmpty()) {
        picture = QImage();
        if (ctx.dataSet && ctx.dataSet->Active()) {
            const QByteArray bytes = ctx.dataSet->FieldByName(dataField_)->AsBytes();
            if (IsJpeg(bytes)) {
                try {
                    picture = JpegToImage(bytes);
                } catch (const EJPEG&) {
                    // A broken picture of one record leaves its box empty; the print goes on.
                }
            } else if (!bytes.isEmpty()) {
                picture = QImage::fromData(bytes);
            }
        }
    }
    if (picture.isNull())
        return;
    const double u = ctx.unitMm;
    QRectF r(band.left() + Left() * u, band.top() + Top() * u, Width() * u, Height() * u);
    if (r.width() <= 0 || r.height() <= 0)  // no box: the picture's own size on a 96-dpi screen
        r.setSize(QSizeF(picture.width() * PixelMm, picture.height() * PixelMm));
    if (keepAspect_) {
        QSizeF s = QSizeF(picture.size()).scaled(r.size(), Qt::KeepAspectRatio);
        r = QRectF(r.left() + (r.width() - s.width()) / 2, r.top() + (r.height() - s.height()) / 2, s.width(),
                   s.height());
    }
    out.push_back(TPageItem::imageItem(r, picture));
}
