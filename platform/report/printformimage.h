#pragma once
// Printing a window's picture on one page, as the runtime's form printing did: the picture
// (QWidget::grab() of the window, or any image) at the top left of the printable area, either at
// the size it has on a 96-dpi screen (shrunk when the page is too small) or scaled to fill the
// page, its proportions kept. To the printer or, with a file name, into a PDF file.
//
//   PrintFormImage(this);                                          // default printer
//   PrintFormImage(this, {"/tmp/tempo.pdf", {}}, poPrintToFit);   // a PDF file
#include <QImage>
#include <QPageLayout>

#include "platform/report/reportpage.h"
#include "platform/report/reportprinter.h"

class QWidget;

enum TPrintScale {
    poProportional,  // the size on the screen, shrunk to fit the page when larger
    poPrintToFit,    // as large as the page allows
};

// The page with the picture, for the outputs and for tests.
TPreparedReport FormImagePage(const QImage& image, TPrintScale scale = poProportional,
                              QPageLayout::Orientation orientation = QPageLayout::Portrait);
void PrintFormImage(const QImage& image, const TPrintTarget& target = TPrintTarget(),
                    TPrintScale scale = poProportional, QPageLayout::Orientation orientation = QPageLayout::Portrait);
// The window's current picture (what it shows now; change colours or hide bars before calling).
void PrintFormImage(QWidget* form, const TPrintTarget& target = TPrintTarget(), TPrintScale scale = poProportional,
                    QPageLayout::Orientation orientation = QPageLayout::Portrait);
