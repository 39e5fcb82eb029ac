#pragma once
// A printer canvas for prints that place their texts themselves (the weekly, monthly and march
// table prints): begin a document, write texts and draw lines at positions in printer units,
// start new pages, end the document; it then goes to the printer or into a PDF file.
//
//   TPrinterCanvas printer;                       // default printer; SetTarget for a PDF file
//   printer.BeginDoc();
//   printer.Font().setFamily("Tahoma"); printer.Font().setPointSize(15); printer.Font().setBold(true);
//   printer.TextOut(200, 80, "Wochenstatistik vom ...");
//   printer.NewPage();
//   printer.EndDoc();
//
// Printer units are 1/600 inch on every printer, so a print looks the same on each of them; the
// origin lies a quarter inch inside the sheet's top-left corner, where printers can print.
// Font sizes are points. The document only goes out at EndDoc: a print that fails halfway (or is
// aborted) prints nothing.
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPoint>
#include <QString>

#include "platform/report/reportpage.h"
#include "platform/report/reportprinter.h"

class TPrinterCanvas {
public:
    static constexpr int PixelsPerInch = 600;
    static constexpr int OriginOffset = PixelsPerInch / 4;  // printer units from the sheet's edge

    TPrinterCanvas();
    ~TPrinterCanvas();
    TPrinterCanvas(const TPrinterCanvas&) = delete;
    TPrinterCanvas& operator=(const TPrinterCanvas&) = delete;

    // Where EndDoc sends the document; set before BeginDoc.
    const TPrintTarget& Target() const { return target_; }
    void SetTarget(const TPrintTarget& t) { target_ = t; }
    QPageLayout::Orientation Orientation() const { return orientation_; }
    void SetOrientation(QPageLayout::Orientation o) { orientation_ = o; }
    // The print job's title.
    const QString& Title() const { return title_; }
    void SetTitle(const QString& t) { title_ = t; }

    // Starts the document on its first page. Exception when a document is already begun.
    void BeginDoc();
    void NewPage();
    // Sends the document to the target (Exception when that fails, or when none was begun); to
    // the printer with none installed, the print dialog asks for a PDF file (PrintPreparedReport).
    void EndDoc();
    // Drops the document: nothing is printed.
    void Abort();
    bool Printing() const { return printing_; }
    int PageNumber() const { return doc_.pageCount(); }
    // The printable area in printer units.
    int PageWidth() const;
    int PageHeight() const;

    // Text in the font (Arial 10 until changed) and its colour; x, y is the top-left corner of
    // the text.
    QFont& Font() { return font_; }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor c) { fontColor_ = c; }
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

    // Lines and rectangles with the pen (width in printer units, 0 the thinnest line); a
    // rectangle is filled with the brush colour unless the brush is clear.
    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor c) { penColor_ = c; }
    Qt::PenStyle PenStyle() const { return penStyle_; }
    void SetPenStyle(Qt::PenStyle s) { penStyle_ = s; }
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int w) { penWidth_ = w; }
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor c) { brushColor_ = c; brushClear_ = false; }
    bool BrushClear() const { return brushClear_; }
    void SetBrushClear(bool v) { brushClear_ = v; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    // A picture scaled into the rectangle.
    void StretchDraw(const QRect& rect, const QImage& image);

    // The pages written so far.
    const TPreparedReport& Document() const { return doc_; }
    // Printer units as millimetres on the sheet (the origin offset included).
    static double ToMm(int units) { return (units + OriginOffset) * MmPerInch / PixelsPerInch; }

private:
    void checkPrinting() const;
    TReportPage& page();
    double penMm() const;

    TPrintTarget target_;
    QPageLayout::Orientation orientation_ = QPageLayout::Portrait;
    QString title_;
    TPreparedReport doc_;
    bool printing_ = false;
    QFont font_;
    TColor fontColor_ = clBlack;
    TColor penColor_ = clBlack;
    Qt::PenStyle penStyle_ = Qt::SolidLine;
    int penWidth_ = 0;
    TColor brushColor_ = clWhite;
    bool brushClear_ = false;
    QPoint pen_;
};
