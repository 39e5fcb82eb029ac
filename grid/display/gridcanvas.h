#pragma once
// The grid's drawing seams. Every cell is drawn through a TGridCanvas, so that painting runs
// without a window: QPainterCanvas draws on the screen (or any paint device), a recording canvas
// in the tests keeps the list of operations. Text is measured and laid out by a
// TGridTextMeasurer; the default one asks the font's metrics, tests install one of fixed pitch so
// that figures do not depend on the fonts installed.
//
// The canvas keeps the runtime canvas's state (font and font colour, brush, pen) as plain
// members that the painter sets before each operation, and offers the operations the grid's
// painters use. Rectangles are QRects: a fill covers exactly the rectangle's pixels.
#include <QFont>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>

#include <functional>

#include "platform/rtl/graphics.h"

class QPainter;

// Text layout flags (they combine: one horizontal, one vertical placement and any options).
enum TTextFlag : unsigned {
    tfLeft = 0x0,
    tfCenter = 0x1,
    tfRight = 0x2,
    tfTop = 0x0,
    tfVCenter = 0x4,
    tfBottom = 0x8,
    tfWordBreak = 0x10,     // break lines between words to fit the width
    tfSingleLine = 0x20,    // one line: line breaks in the text do not break it
    tfNoClip = 0x100,       // drawing is not clipped to the rectangle
    tfCalcRect = 0x400,     // only measure: nothing is drawn, the rectangle starts at the top-left
    tfEndEllipsis = 0x8000  // a line too wide ends in "..." within the width
};
using TTextFlags = unsigned;

// One laid-out line: its text (ellipsis included) and where it stands.
struct TGridTextLine {
    QString text;
    QRect rect;
};

struct TGridTextLayout {
    QRect rect;  // the union of the lines (at the top-left of the bounds for tfCalcRect)
    QVector<TGridTextLine> lines;
};

class TGridTextMeasurer {
public:
    virtual ~TGridTextMeasurer();
    virtual int TextWidth(const QFont& font, const QString& text) const = 0;
    // Height of one line: the height of "gh" in the font.
    virtual int LineHeight(const QFont& font) const = 0;
    // Lays the text out in the bounds: lines split at line breaks (unless tfSingleLine), broken
    // between words with tfWordBreak (a word wider than the bounds keeps a line of its own), cut
    // with "..." with tfEndEllipsis, each line placed by the horizontal flags and the block by
    // the vertical ones.
    TGridTextLayout Layout(const QFont& font, const QRect& bounds, const QString& text, TTextFlags flags) const;
    // The longest start of `text` that fits `width` with "..." appended, and the ellipsis.
    QString Elide(const QFont& font, const QString& text, int width) const;
};

// Measures with the font's metrics.
class TDefaultTextMeasurer : public TGridTextMeasurer {
public:
    int TextWidth(const QFont& font, const QString& text) const override;
    int LineHeight(const QFont& font) const override;
};

// The measurer the grid uses: the default one unless another is installed (tests). The caller
// keeps an installed measurer alive; nullptr puts the default back.
const TGridTextMeasurer& GridTextMeasurer();
void SetGridTextMeasurer(const TGridTextMeasurer* measurer);

struct TGridBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

struct TGridPen {
    TColor Color = clBlack;
    int Width = 1;
    Qt::PenStyle Style = Qt::SolidLine;
};

class TGridCanvas {
public:
    // nullptr measures with GridTextMeasurer().
    explicit TGridCanvas(const TGridTextMeasurer* measurer = nullptr);
    virtual ~TGridCanvas();
    TGridCanvas(const TGridCanvas&) = delete;
    TGridCanvas& operator=(const TGridCanvas&) = delete;

    QFont Font;
    TColor FontColor = clWindowText;
    TGridBrush Brush;
    TGridPen Pen;

    const TGridTextMeasurer& Measurer() const { return measurer_ ? *measurer_ : GridTextMeasurer(); }
    int TextWidth(const QString& text) const { return Measurer().TextWidth(Font, text); }
    int TextHeight() const { return Measurer().LineHeight(Font); }

    // Fills the rectangle with the brush (nothing for bsClear or clNone).
    virtual void FillRect(const QRect& r) = 0;
    // Fills the rectangle in `steps` bands (at least 1) from `from` towards `to`, left to right
    // when `horizontal`, else top to bottom; each band one pixel longer than its step (the bands
    // of GradientBands in extutil.h).
    virtual void FillGradient(const QRect& r, TColor from, TColor to, int steps, bool horizontal) = 0;
    // A line with the pen from `from` to `to`, the end point excluded (as the runtime's LineTo).
    virtual void Line(QPoint from, QPoint to) = 0;
    // Lines through the points, the last point excluded.
    virtual void Polyline(const QVector<QPoint>& points) = 0;
    // The polygon filled with the brush and outlined with the pen.
    virtual void Polygon(const QVector<QPoint>& points) = 0;
    // The rectangle filled with the brush and outlined with the pen, inside its bounds.
    virtual void Rectangle(const QRect& r) = 0;
    // A frame one pixel wide in the brush colour, inside the rectangle.
    virtual void FrameRect(const QRect& r) = 0;
    // The ellipse inside the rectangle, filled with the brush and outlined with the pen.
    virtual void Ellipse(const QRect& r) = 0;
    // A dotted focus frame inside the rectangle.
    virtual void DrawFocusRect(const QRect& r) = 0;
    // Lays the text out (see TGridTextMeasurer::Layout) and draws it in the font and font
    // colour, on the brush unless the brush is clear; answers the rectangle the text takes.
    // Nothing is drawn with tfCalcRect.
    virtual QRect TextRect(const QRect& bounds, const QString& text, TTextFlags flags) = 0;
    // One line of text with its top-left at (x, y), turned by `angle` tenths of a degree
    // counter-clockwise around that point.
    virtual void TextOut(int x, int y, const QString& text, int angle = 0) = 0;
    // The pixmap stretched into the rectangle; pixels of the transparent colour are left out.
    virtual void DrawPixmap(const QRect& target, const QPixmap& pixmap, TColor transparent = clNone) = 0;
    // Drawing is clipped to the rectangle (within the clip already set) until PopClip.
    virtual void PushClip(const QRect& r) = 0;
    virtual void PopClip() = 0;
    // Drawing that needs the painter itself (styled controls, rich text): `paint` runs with the
    // canvas's painter, clipped as the canvas is; `what` names it for recordings.
    virtual void Custom(const QRect& r, const QString& what, const std::function<void(QPainter&)>& paint) = 0;

private:
    const TGridTextMeasurer* measurer_;
};

// Draws on a QPainter (a widget's paint event, an image, a printer).
class QPainterCanvas : public TGridCanvas {
public:
    explicit QPainterCanvas(QPainter& painter, const TGridTextMeasurer* measurer = nullptr);
    ~QPainterCanvas() override;

    QPainter& Painter() { return painter_; }

    void FillRect(const QRect& r) override;
    void FillGradient(const QRect& r, TColor from, TColor to, int steps, bool horizontal) override;
    void Line(QPoint from, QPoint to) override;
    void Polyline(const QVector<QPoint>& points) override;
    void Polygon(const QVector<QPoint>& points) override;
    void Rectangle(const QRect& r) override;
    void FrameRect(const QRect& r) override;
    void Ellipse(const QRect& r) override;
    void DrawFocusRect(const QRect& r) override;
    QRect TextRect(const QRect& bounds, const QString& text, TTextFlags flags) override;
    void TextOut(int x, int y, const QString& text, int angle = 0) override;
    void DrawPixmap(const QRect& target, const QPixmap& pixmap, TColor transparent = clNone) override;
    void PushClip(const QRect& r) override;
    void PopClip() override;
    void Custom(const QRect& r, const QString& what, const std::function<void(QPainter&)>& paint) override;

private:
    void applyPen();
    void applyBrush();
    // Draws one laid-out line from its prepared glyphs; false where only drawText draws it alike.
    bool drawPreparedLine(const TGridTextLine& line);
    QPainter& painter_;
    int clipDepth_ = 0;
};

// A canvas that draws nothing: it lays text out (TextRect answers the rectangle the text would
// take), for measuring cells and for hit tests.
class TMeasureCanvas : public TGridCanvas {
public:
    using TGridCanvas::TGridCanvas;
    void FillRect(const QRect&) override {}
    void FillGradient(const QRect&, TColor, TColor, int, bool) override {}
    void Line(QPoint, QPoint) override {}
    void Polyline(const QVector<QPoint>&) override {}
    void Polygon(const QVector<QPoint>&) override {}
    void Rectangle(const QRect&) override {}
    void FrameRect(const QRect&) override {}
    void Ellipse(const QRect&) override {}
    void DrawFocusRect(const QRect&) override {}
    QRect TextRect(const QRect& bounds, const QString& text, TTextFlags flags) override;
    void TextOut(int, int, const QString&, int) override {}
    void DrawPixmap(const QRect&, const QPixmap&, TColor) override {}
    void PushClip(const QRect&) override {}
    void PopClip() override {}
    void Custom(const QRect&, const QString&, const std::function<void(QPainter&)>&) override {}
};
