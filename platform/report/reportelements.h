#pragma once
// What a band of a report holds: labels, data-bound texts, expressions (with sums, counts and
// averages), system data (page number, date), shapes (rectangles, lines) and pictures.
// Positions and sizes are in the report's units (see TReport::Units), relative to the band's
// top-left corner; frame and pen widths are in pixels of 1/96 inch whatever the units.
#include <QFont>
#include <QImage>
#include <QString>

#include <functional>
#include <vector>

#include "platform/report/reportexpr.h"
#include "platform/report/reportpage.h"
#include "platform/rtl/graphics.h"

class TDataSet;
class TReportBand;

// What an element sees while its band is printed.
struct TReportContext {
    TDataSet* dataSet = nullptr;  // the report's dataset (may be null)
    double unitMm = 1;            // millimetres per report unit
    int pageNumber = 1;
    int recordNo = 0;             // records printed so far in this run (the current one included)
    QString reportTitle;
};

// Placeholder for the page count, filled in once the last page is known.
inline constexpr QChar kPageCountMarker = QChar(0xFDD0);

// Lines along the edges of a label or a band.
struct TReportFrame {
    bool DrawTop = false;
    bool DrawBottom = false;
    bool DrawLeft = false;
    bool DrawRight = false;
    TColor Color = clBlack;
    Qt::PenStyle Style = Qt::SolidLine;
    double Width = 1;  // pixels of 1/96 inch

    bool Any() const { return DrawTop || DrawBottom || DrawLeft || DrawRight; }
    void SetAll(bool on) { DrawTop = DrawBottom = DrawLeft = DrawRight = on; }
    // The lines of the frame around a rectangle (mm).
    void Produce(const QRectF& rectMm, std::vector<TPageItem>& out) const;
};

// Pixels of 1/96 inch in millimetres.
inline constexpr double PixelMm = MmPerInch / 96.0;

class TReportElement {
public:
    TReportElement() = default;
    virtual ~TReportElement();
    TReportElement(const TReportElement&) = delete;
    TReportElement& operator=(const TReportElement&) = delete;

    const QString& Name() const { return name_; }
    void SetName(const QString& n) { name_ = n; }
    TReportBand* Band() const { return band_; }

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void SetLeft(double v) { left_ = v; }
    void SetTop(double v) { top_ = v; }
    void SetWidth(double v) { width_ = v; }
    void SetHeight(double v) { height_ = v; }
    void SetBounds(double left, double top, double width, double height);
    // A disabled element prints nothing.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }

    // Adds what the element prints to out; bandMm is the band's rectangle on the page.
    virtual void Produce(const TReportContext& ctx, const QRectF& bandMm, std::vector<TPageItem>& out) = 0;

private:
    friend class TReportBand;
    QString name_;
    TReportBand* band_ = nullptr;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool enabled_ = true;
};

// A text. With AutoSize (the default) it is as wide as its text, starting at Left; otherwise it
// fills Width x Height and its text is aligned in it and clipped to it. AlignToBand spans the
// band's width instead, so Alignment centres or right-aligns the text on the band.
class TReportLabel : public TReportElement {
public:
    TReportLabel();

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& c) { caption_ = c; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v) { autoSize_ = v; }
    bool AlignToBand() const { return alignToBand_; }
    void SetAlignToBand(bool v) { alignToBand_ = v; }
    // Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter (vertical flags may be added).
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment a) { alignment_ = a; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v) { wordWrap_ = v; }
    // A text wider than its box (not auto-sized, one line) ends in "…" where the box ends,
    // instead of being cut off mid-letter without a sign.
    bool ElideRight() const { return elideRight_; }
    void SetElideRight(bool v) { elideRight_ = v; }
    // Family, point size, bold, italic, underline. The default is Arial, 10 points.
    QFont& Font() { return font_; }
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& f) { font_ = f; }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor c) { fontColor_ = c; }
    // An opaque label fills its rectangle with Color.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { transparent_ = v; }
    TColor Color() const { return color_; }
    void SetColor(TColor c) { color_ = c; transparent_ = false; }
    TReportFrame& Frame() { return frame_; }
    const TReportFrame& Frame() const { return frame_; }

    // The text printed for the current record.
    virtual QString PrintText(const TReportContext& ctx);
    void Produce(const TReportContext& ctx, const QRectF& bandMm, std::vector<TPageItem>& out) override;

private:
    QString caption_;
    bool autoSize_ = true;
    bool alignToBand_ = false;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    bool wordWrap_ = false;
    bool elideRight_ = false;
    QFont font_;
    TColor fontColor_ = clBlack;
    bool transparent_ = true;
    TColor color_ = clWhite;
    TReportFrame frame_;
};

// The display text of a field of the current record (the report's dataset unless DataSet is set).
class TReportDBText : public TReportLabel {
public:
    TReportDBText();
    const QString& DataField() const { return dataField_; }
    void SetDataField(const QString& f) { dataField_ = f; }
    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* ds) { dataSet_ = ds; }
    QString PrintText(const TReportContext& ctx) override;

private:
    QString dataField_;
    TDataSet* dataSet_ = nullptr;
};

// The value of an expression (reportexpr.h), formatted with Mask ("#," whole numbers with thousand
// separators). Sums, counts and averages run over the detail rows printed so far; in a group
// footer they start over after each group.
class TReportExpr : public TReportLabel {
public:
    TReportExpr();
    const TReportExpression& Expression() const { return expression_; }
    // EReportExpression when the text is not an expression.
    void SetExpression(const QString& text) { expression_.SetText(text); }
    const QString& Mask() const { return mask_; }
    void SetMask(const QString& m) { mask_ = m; }

    // Which detail rows go into the sums, counts and averages: all while unset, else those for
    // which the filter gives true (it reads the current record of the dataset, null without one).
    void SetRowFilter(std::function<bool(TDataSet*)> filter) { rowFilter_ = std::move(filter); }

    void Reset() { expression_.Reset(); }
    void Accumulate(TDataSet* ds)
    {
        if (!rowFilter_ || rowFilter_(ds))
            expression_.Accumulate(ds);
    }
    QVariant Value(const TReportContext& ctx) const { return expression_.Value(ctx.dataSet); }
    QString PrintText(const TReportContext& ctx) override;

private:
    TReportExpression expression_;
    QString mask_;
    std::function<bool(TDataSet*)> rowFilter_;
};

enum TSysDataKind {
    sdPageNumber,   // Caption is a format: %1 the page number ("Seite %1")
    sdPageOfPages,  // %1 the page number, %2 the page count ("Seite %1 von %2")
    sdDate,         // Caption + today's date (short date format)
    sdTime,         // Caption + the time of day
    sdDateTime,     // Caption + date and time
    sdReportTitle,  // Caption + the report's title
    sdDetailNo,     // Caption + the number of the detail record
};

class TReportSysData : public TReportLabel {
public:
    explicit TReportSysData(TSysDataKind kind = sdPageNumber);
    TSysDataKind Data() const { return kind_; }
    // Sets the kind and, for the page kinds, its default format.
    void SetData(TSysDataKind kind);
    QString PrintText(const TReportContext& ctx) override;

private:
    TSysDataKind kind_ = sdPageNumber;
};

enum TShapeType { stRectangle, stEllipse, stHorLine, stVertLine };

// A rectangle, an ellipse or a line (across the middle of the shape's box).
class TReportShape : public TReportElement {
public:
    explicit TReportShape(TShapeType shape = stRectangle);
    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType s) { shape_ = s; }
    bool Filled() const { return filled_; }
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor c) { brushColor_ = c; filled_ = true; }
    void SetFilled(bool v) { filled_ = v; }
    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor c) { penColor_ = c; }
    Qt::PenStyle PenStyle() const { return penStyle_; }
    void SetPenStyle(Qt::PenStyle s) { penStyle_ = s; }
    double PenWidth() const { return penWidth_; }  // pixels of 1/96 inch
    void SetPenWidth(double w) { penWidth_ = w; }

    void Produce(const TReportContext& ctx, const QRectF& bandMm, std::vector<TPageItem>& out) override;

private:
    TShapeType shape_;
    bool filled_ = false;
    TColor brushColor_ = clWhite;
    TColor penColor_ = clBlack;
    Qt::PenStyle penStyle_ = Qt::SolidLine;
    double penWidth_ = 1;
};

// A picture scaled into its box, keeping its proportions unless KeepAspect is off. With a
// DataField the picture is the field's blob (JPEG or any format Qt reads) of the current record.
class TReportImage : public TReportElement {
public:
    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& img) { picture_ = img; }
    const QString& DataField() const { return dataField_; }
    void SetDataField(const QString& f) { dataField_ = f; }
    bool KeepAspect() const { return keepAspect_; }
    void SetKeepAspect(bool v) { keepAspect_ = v; }

    void Produce(const TReportContext& ctx, const QRectF& bandMm, std::vector<TPageItem>& out) override;

private:
    QImage picture_;
    QString dataField_;
    bool keepAspect_ = true;
};
