#include "platform/report/printformimage.h"

#include <QPixmap>
#include <QWidget>

#include "platform/report/printercanvas.h"
#include "platform/report/reportelements.h"

TPreparedReport FormImagePage(const QImage& image, TPrintScale scale, QPageLayout::Orientation orientation)
{
    TPreparedReport report;
    report.orientation = orientation;
    report.pages.emplace_back();
    if (image.isNull())
        return report;
    const double margin = TPrinterCanvas::ToMm(0);
    const QSizeF paper = report.paperSize();
    const QSizeF area(paper.width() - 2 * margin, paper.height() - 2 * margin);
    // The picture's size on a 96-dpi screen (a high-resolution grab counts by its logical size).
    QSizeF size = image.deviceIndependentSize() * PixelMm;
    if (scale == poPrintToFit || size.width() > area.width() || size.height() > area.height())
        size = size.scaled(area, Qt::KeepAspectRatio);
    report.pages.back().items.push_back(TPageItem::imageItem(QRectF(QPointF(margin, margin), size), image));
    return report;
}

void PrintFormImage(const QImage& image, const TPrintTarget& target, TPrintScale scale,
                    QPageLayout::Orientation orientation)
{
    PrintToTarget(FormImagePage(image, scale, orientation), target);
}

void PrintFormImage(QWidget* form, const TPrintTarget& target, TPrintScale scale, QPageLayout::Orientation orientation)
{
    TPreparedReport report = FormImagePage(form->grab().toImage(), scale, orientation);
    report.title = form->windowTitle();
    PrintToTarget(report, target);
}
