#include "platform/report/reportpage.h"

#include <QFontMetricsF>
#include <QPageSize>

namespace {

// Text is measured at a fine resolution on an image of its own: the widget screen's resolution
// would make the layout depend on the display.
constexpr int kMeasureDpi = 1200;

const QImage& MeasureDevice()
{
    static const QImage device = [] {
        QImage img(1, 1, QImage::Format_RGB32);
        img.setDotsPerMeterX(qRound(kMeasureDpi / 0.0254));
        img.setDotsPerMeterY(qRound(kMeasureDpi / 0.0254));
        return img;
    }();
    return device;
}

constexpr double PxToMm(double px) { return px * MmPerInch / kMeasureDpi; }

}  // namespace

TPageItem TPageItem::textItem(const QRectF& rect, const QString& text, const QFont& font, TColor color,
                              Qt::Alignment alignment)
{
    TPageItem it;
    it.kind = Text;
    it.rect = rect;
    it.text = text;
    it.font = font;
    it.fontColor = color;
    it.alignment = alignment;
    return it;
}

TPageItem TPageItem::lineItem(QPointF from, QPointF to, TColor color, Qt::PenStyle style, double widthMm)
{
    TPageItem it;
    it.kind = Line;
    it.rect = QRectF(from, to);
    it.penColor = color;
    it.penStyle = style;
    it.penWidth = widthMm;
    return it;
}

TPageItem TPageItem::rectItem(const QRectF& rect, bool filled, TColor brush, Qt::PenStyle pen, TColor penColor,
                              double penWidthMm)
{
    TPageItem it;
    it.kind = Rect;
    it.rect = rect;
    it.filled = filled;
    it.brushColor = brush;
    it.penStyle = pen;
    it.penColor = penColor;
    it.penWidth = penWidthMm;
    return it;
}

TPageItem TPageItem::imageItem(const QRectF& rect, const QImage& image)
{
    TPageItem it;
    it.kind = Image;
    it.rect = rect;
    it.image = image;
    return it;
}

QStringList TReportPage::texts() const
{
    QStringList l;
    for (const TPageItem& it : items)
        if (it.kind == TPageItem::Text)
            l << it.text;
    return l;
}

std::vector<TPlacedBand> TReportPage::bandsOf(TBandType type) const
{
    std::vector<TPlacedBand> l;
    for (const TPlacedBand& b : bands)
        if (b.type == type)
            l.push_back(b);
    return l;
}

QSizeF TPreparedReport::paperSize() const
{
    return orientation == QPageLayout::Landscape ? QSizeF(A4HeightMm, A4WidthMm) : QSizeF(A4WidthMm, A4HeightMm);
}

QPageLayout TPreparedReport::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

QFont PageFont(const QFont& font)
{
    QFont f(font);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

QSizeF MeasureText(const QFont& font, const QString& text)
{
    const QFontMetricsF fm(PageFont(font), &MeasureDevice());
    return QSizeF(PxToMm(fm.horizontalAdvance(text)), PxToMm(fm.height()));
}

double LineHeight(const QFont& font)
{
    const QFontMetricsF fm(PageFont(font), &MeasureDevice());
    return PxToMm(fm.height());
}
