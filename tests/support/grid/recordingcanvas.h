#pragma once
// A canvas that draws nothing and keeps the list of what it was asked to draw, with the state
// (brush, pen, font) in force at each operation, so that paint tests check what a cell draws
// without a window or a screen.
#include <QImage>
#include <QStringList>

#include "grid/display/gridcanvas.h"

enum class CanvasOp {
    Fill,
    Gradient,
    Line,
    Polyline,
    Polygon,
    Rectangle,
    Frame,
    Ellipse,
    FocusRect,
    Text,
    TextOut,
    Pixmap,
    PushClip,
    PopClip,
    Custom
};

struct RecordedOp {
    CanvasOp kind = CanvasOp::Fill;
    QRect rect;                 // the operation's rectangle (a text's laid-out rectangle)
    TColor color = clNone;      // fill: brush; lines: pen; text: font colour; gradient: from
    TColor color2 = clNone;     // gradient: to; pixmap: transparent colour
    QString text;               // text operations; the name of a custom drawing
    TTextFlags flags = 0;       // text flags; gradient: steps; text out: angle
    QVector<QPoint> points;     // lines: both ends; polylines and polygons: every point
    QFont font;                 // text operations
    int penWidth = 0;           // lines and outlines
    bool horizontal = false;    // gradient direction
    QRect clip;                 // the clip in force (null: none)
    QImage image;               // pixmap: the picture drawn
};

class RecordingCanvas : public TGridCanvas {
public:
    // nullptr measures with the measurer installed for the tests.
    explicit RecordingCanvas(const TGridTextMeasurer* measurer = nullptr) : TGridCanvas(measurer) {}

    const QVector<RecordedOp>& Ops() const { return ops_; }
    void Clear() { ops_.clear(); }
    QVector<RecordedOp> OpsOf(CanvasOp kind) const;
    // The texts drawn by TextRect and TextOut, in order.
    QStringList Texts() const;

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
    RecordedOp& add(CanvasOp kind, const QRect& r);
    QVector<RecordedOp> ops_;
    QVector<QRect> clips_;
};
