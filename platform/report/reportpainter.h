#pragma once
// Draws laid-out pages with QPainter: one routine for the preview, the printer, PDF files and
// PNG pictures. Millimetres become device pixels by the device's own resolution, and point sizes
// of fonts follow the same resolution, so a page keeps its proportions on every device.
#include <QImage>
#include <QPainter>

#include "platform/report/reportpage.h"

// Paints a page onto the painter's device, the sheet's top-left corner at the device origin.
void PaintReportPage(QPainter& painter, const TReportPage& page);

// A page as a picture at the given resolution, white paper under it.
QImage RenderReportPage(const TPreparedReport& report, int pageIndex, int dpi = 96);
