#pragma once
// A chart on paper and in files: printed pages, PDF files and pictures, all painted by the one
// renderer. A chart is laid out in a logical size (the widget's, or 1000 x 600 pixels) and scaled
// as a whole onto the page, so the page shows what the screen shows.
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <functional>

class ChartModel;
class QPagedPaintDevice;
class QWidget;

// The logical size of a chart without a widget.
QSizeF DefaultChartSize();

// Paints the chart onto the current page of a printer or PDF writer, scaled to the page's
// printable area with its proportions kept, at the top of the page. Raises EChartError when
// the device cannot be painted on (a PDF file that cannot be written).
void RenderChartOnPage(const ChartModel& chart, QPagedPaintDevice& device, const QSizeF& logicalSize);
// Writes the chart as a one-page PDF file (landscape for a wide chart).
void SaveChartPdf(const ChartModel& chart, const QString& fileName, const QSizeF& logicalSize = DefaultChartSize());
// The chart as a picture of the given size, and written to a file whose extension names the
// format ("png", "bmp", "jpg"); EChartError when the file cannot be written.
QImage RenderChartImage(const ChartModel& chart, const QSize& size);
void SaveChartImage(const ChartModel& chart, const QString& fileName, const QSize& size);

// Prints the chart: the print dialog chooses the printer; a cancelled dialog prints nothing.
// Returns whether a page was printed.
bool PrintChart(const ChartModel& chart, const QSizeF& logicalSize, QWidget* dialogParent = nullptr);

// The test seam of the print dialog: while set, PrintChart asks this function for the device to
// print on instead of showing the dialog; nullptr from it means "cancelled". An empty function
// brings the dialog back. While the UI layer's scripted answers are active and no target is
// set, PrintChart reports an unscripted dialog and prints nothing.
void SetChartPrintTarget(std::function<QPagedPaintDevice*()> target);
