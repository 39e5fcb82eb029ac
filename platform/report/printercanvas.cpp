#include "platform/report/printercanvas.h"

#include <QCoreApplication>

#include <algorithm>

#include "platform/rtl/sysutils.h"

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("TPrinterCanvas", text);
}

constexpr double UnitsToMm(double units) { return units * MmPerInch / TPrinterCanvas::PixelsPerInch; }

int MmToUnits(double mm) { return int(mm * TPrinterCanvas::PixelsPerInch / MmPerInch + 0.5); }

}  // namespace

TPrinterCanvas::TPrinterCanvas() : font_(QStringLiteral("Arial"), 10) {}

TPrinterCanvas::~TPrinterCanvas() = default;

int TPrinterCanvas::PageWidth() const
{
    const double w = orientation_ == QPageLayout::Landscape ? A4HeightMm : A4WidthMm;
    return MmToUnits(w) - 2 * OriginOffset;
}

int TPrinterCanvas::PageHeight() const
{
    const double h = orientation_ == QPageLayout::Landscape ? A4WidthMm : A4HeightMm;
    return MmToUnits(h) - 2 * OriginOffset;
}

void TPrinterCanvas::BeginDoc()
{
    if (printing_)
        throw Exception(Tr("Es wird bereits gedruckt."));
    doc_ = TPreparedReport();
    doc_.title = title_;
    doc_.orientation = orientation_;
    doc_.pages.emplace_back();
    printing_ = true;
    pen_ = QPoint();
}

void TPrinterCanvas::checkPrinting() const
{
    if (!printing_)
        throw Exception(Tr("Es wird nicht gedruckt."));
}

TReportPage& TPrinterCanvas::page()
{
    checkPrinting();
    return doc_.pages.back();
}

void TPrinterCanvas::NewPage()
{
    checkPrinting();
    doc_.pages.emplace_back();
    pen_ = QPoint();
}

void TPrinterCanvas::EndDoc()
{
    checkPrinting();
    printing_ = false;
    PrintToTarget(doc_, target_);
}

void TPrinterCanvas::Abort()
{
    printing_ = false;
    doc_ = TPreparedReport();
}

void TPrinterCanvas::TextOut(int x, int y, const QString& text)
{
    TReportPage& p = page();
    const QSizeF size = MeasureText(font_, text);
    TPageItem it = TPageItem::textItem(QRectF(ToMm(x), ToMm(y), size.width(), size.height()), text, font_, fontColor_);
    it.clip = false;
    p.items.push_back(std::move(it));
    pen_ = QPoint(x + TextWidth(text), y);
}

int TPrinterCanvas::TextWidth(const QString& text) const
{
    return MmToUnits(MeasureText(font_, text).width());
}

int TPrinterCanvas::TextHeight(const QString&) const
{
    return MmToUnits(LineHeight(font_));
}

double TPrinterCanvas::penMm() const
{
    // Width 0 is the thinnest line the device draws; on paper a hairline of 1/600 inch.
    return UnitsToMm(std::max(1, penWidth_));
}

void TPrinterCanvas::MoveTo(int x, int y)
{
    pen_ = QPoint(x, y);
}

void TPrinterCanvas::LineTo(int x, int y)
{
    page().items.push_back(TPageItem::lineItem(QPointF(ToMm(pen_.x()), ToMm(pen_.y())), QPointF(ToMm(x), ToMm(y)),
                                               penColor_, penStyle_, penMm()));
    pen_ = QPoint(x, y);
}

void TPrinterCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    const QRectF r(QPointF(ToMm(std::min(x1, x2)), ToMm(std::min(y1, y2))),
                   QPointF(ToMm(std::max(x1, x2)), ToMm(std::max(y1, y2))));
    page().items.push_back(TPageItem::rectItem(r, !brushClear_, brushColor_, penStyle_, penColor_, penMm()));
}

void TPrinterCanvas::StretchDraw(const QRect& rect, const QImage& image)
{
    const QRectF r(QPointF(ToMm(rect.left()), ToMm(rect.top())),
                   QSizeF(UnitsToMm(rect.width()), UnitsToMm(rect.height())));
    page().items.push_back(TPageItem::imageItem(r, image));
}
