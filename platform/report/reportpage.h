#pragma once
// The laid-out pages of a print: what stands where on each sheet, in millimetres from the sheet's
// top-left corner. Band reports, the printer canvas and form pictures all end up here, and every
// output (preview, printer, PDF, HTML, text, PNG) reads these pages, so a print looks the same
// wherever it goes.
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

#include "platform/rtl/graphics.h"

inline constexpr double MmPerInch = 25.4;
// The paper the layer prints on: A4.
inline constexpr double A4WidthMm = 210.0;
inline constexpr double A4HeightMm = 297.0;

// The kinds of band of a band report, in the order they stand on a page.
enum TBandType {
    btTitle,         // once, at the top of the first page
    btPageHeader,    // at the top of every page
    btColumnHeader,  // below the title and the page header, on every page
    btGroupHeader,   // when the value of its expression changes
    btDetail,        // once per record of the dataset
    btGroupFooter,   // when its group ends
    btSummary,       // once, after the last record
    btPageFooter,    // at the bottom of every page
};

// One thing drawn on a page.
struct TPageItem {
    enum Kind { Text, Line, Rect, Ellipse, Image };
    Kind kind = Text;
    // Where it stands (mm). A line runs from rect.topLeft() to rect.bottomRight().
    QRectF rect;

    // Text: drawn inside rect, clipped to it, in the font (point sizes) and colour.
    QString text;
    QFont font;
    TColor fontColor = clBlack;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = false;
    bool clip = true;        // text is clipped to rect (an auto-sized text is not: rect is its own size)
    bool autoWidth = false;  // rect's width follows the text when page counts are filled in

    // Rectangles and ellipses: the fill; lines, rectangles and ellipses: the outline.
    bool filled = false;
    TColor brushColor = clWhite;
    Qt::PenStyle penStyle = Qt::NoPen;
    TColor penColor = clBlack;
    double penWidth = 0.25;  // mm

    // Image: scaled into rect.
    QImage image;

    static TPageItem textItem(const QRectF& rect, const QString& text, const QFont& font,
                              TColor color = clBlack, Qt::Alignment alignment = Qt::AlignLeft);
    static TPageItem lineItem(QPointF from, QPointF to, TColor color, Qt::PenStyle style, double widthMm);
    static TPageItem rectItem(const QRectF& rect, bool filled, TColor brush, Qt::PenStyle pen,
                              TColor penColor = clBlack, double penWidthMm = 0.25);
    static TPageItem imageItem(const QRectF& rect, const QImage& image);
};

// Where a band landed: for tests and for the page numbers of a report.
struct TPlacedBand {
    TBandType type = btDetail;
    QString name;
    double top = 0;     // mm from the sheet's top edge
    double height = 0;  // mm
    int recordNo = 0;   // detail bands: the record's number in the run (from 1); others 0
};

struct TReportPage {
    std::vector<TPageItem> items;
    std::vector<TPlacedBand> bands;

    // The texts of the page in the order they were placed.
    QStringList texts() const;
    // The bands of one kind, in order.
    std::vector<TPlacedBand> bandsOf(TBandType type) const;
};

// A print ready for output.
struct TPreparedReport {
    QString title;  // the print job's and the document's title
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    std::vector<TReportPage> pages;

    int pageCount() const { return int(pages.size()); }
    // The sheet's size in mm as it lies (landscape: 297 x 210).
    QSizeF paperSize() const;
    QPageLayout pageLayout() const;
};

// Text measured the way the pages are drawn (no hinting, so that every resolution agrees), in mm.
QSizeF MeasureText(const QFont& font, const QString& text);
// The height of one line of the font, in mm.
double LineHeight(const QFont& font);
// The font as every output draws it: hinting off, so that sizes do not depend on the resolution.
QFont PageFont(const QFont& font);
