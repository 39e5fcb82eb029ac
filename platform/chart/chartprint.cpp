#include "platform/chart/chartprint.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

#include "platform/chart/chartmodel.h"
#include "platform/chart/chartrenderer.h"
#include "platform/vcl/testhooks.h"

namespace {

std::function<QPagedPaintDevice*()>& printTarget()
{
    static std::function<QPagedPaintDevice*()> target;
    return target;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("Chart", text);
}

// A wide chart goes onto a landscape page.
void orientFor(QPagedPaintDevice& device, const QSizeF& logicalSize)
{
    device.setPageOrientation(logicalSize.width() > logicalSize.height() ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
}

// Paints the chart at the top of the printable area, scaled as a whole; false when the device
// cannot be painted on.
bool paintOnPage(const ChartModel& chart, QPagedPaintDevice& device, const QSizeF& logicalSize)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QSizeF size = logicalSize.isEmpty() ? QSizeF(1000.0, 600.0) : logicalSize;
    // The painter starts at the printable area's top left corner, in device pixels.
    const double scale = std::min(device.width() / size.width(), device.height() / size.height());
    painter.scale(scale, scale);
    ChartRenderer(chart).render(painter, QRectF(QPointF(0, 0), size));
    return painter.end();
}

}  // namespace

QSizeF DefaultChartSize()
{
    return QSizeF(1000.0, 600.0);
}

void RenderChartOnPage(const ChartModel& chart, QPagedPaintDevice& device, const QSizeF& logicalSize)
{
    if (!paintOnPage(chart, device, logicalSize))
        throw EChartError(tr("Das Diagramm kann nicht ausgegeben werden."));
}

void SaveChartPdf(const ChartModel& chart, const QString& fileName, const QSizeF& logicalSize)
{
    QPdfWriter writer(fileName);
    writer.setTitle(tr("Diagramm"));
    writer.setCreator(QCoreApplication::applicationName());
    orientFor(writer, logicalSize);
    // The writer opens its file only when painting begins.
    if (!paintOnPage(chart, writer, logicalSize))
        throw EChartError(tr("Die Datei %1 kann nicht geschrieben werden.").arg(fileName));
}

QImage RenderChartImage(const ChartModel& chart, const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    ChartRenderer(chart).render(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

void SaveChartImage(const ChartModel& chart, const QString& fileName, const QSize& size)
{
    const QImage image = RenderChartImage(chart, size).convertToFormat(QImage::Format_RGB32);
    const QByteArray format = QFileInfo(fileName).suffix().toLower().toLatin1();
    if (!image.save(fileName, format.isEmpty() ? "png" : format.constData()))
        throw EChartError(tr("Die Datei %1 kann nicht geschrieben werden.").arg(fileName));
}

bool PrintChart(const ChartModel& chart, const QSizeF& logicalSize, QWidget* dialogParent)
{
    if (printTarget()) {
        QPagedPaintDevice* device = printTarget()();
        if (!device)
            return false;
        RenderChartOnPage(chart, *device, logicalSize);
        return true;
    }
    if (ScriptedAnswers::active()) {
        ScriptedAnswers::reportFailure(QStringLiteral("Druckdialog des Diagramms ohne vorbereitete Antwort"));
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(tr("Diagramm"));
    orientFor(printer, logicalSize);
    QPrintDialog dialog(&printer, dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    RenderChartOnPage(chart, printer, logicalSize);
    return true;
}

void SetChartPrintTarget(std::function<QPagedPaintDevice*()> target)
{
    printTarget() = std::move(target);
}
