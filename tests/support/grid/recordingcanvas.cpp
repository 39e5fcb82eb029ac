#include "tests/support/grid/recordingcanvas.h"

RecordedOp& RecordingCanvas::add(CanvasOp kind, const QRect& r)
{
    RecordedOp op;
    op.kind = kind;
    op.rect = r;
    op.clip = clips_.isEmpty() ? QRect() : clips_.back();
    ops_.append(op);
    return ops_.back();
}

QVector<RecordedOp> RecordingCanvas::OpsOf(CanvasOp kind) const
{
    QVector<RecordedOp> out;
    for (const RecordedOp& op : ops_)
        if (op.kind == kind)
            out.append(op);
    return out;
}

QStringList RecordingCanvas::Texts() const
{
    QStringList out;
    for (const RecordedOp& op : ops_)
        if (op.kind == CanvasOp::Text || op.kind == CanvasOp::TextOut)
            out << op.text;
    return out;
}

void RecordingCanvas::FillRect(const QRect& r)
{
    if (Brush.Style == bsClear || Brush.Color == clNone || r.isEmpty())
        return;
    add(CanvasOp::Fill, r).color = Brush.Color;
}

void RecordingCanvas::FillGradient(const QRect& r, TColor from, TColor to, int steps, bool horizontal)
{
    RecordedOp& op = add(CanvasOp::Gradient, r);
    op.color = from;
    op.color2 = to;
    op.flags = TTextFlags(steps);
    op.horizontal = horizontal;
}

void RecordingCanvas::Line(QPoint from, QPoint to)
{
    RecordedOp& op = add(CanvasOp::Line, QRect(from, to).normalized());
    op.points = {from, to};
    op.color = Pen.Color;
    op.penWidth = Pen.Width;
}

void RecordingCanvas::Polyline(const QVector<QPoint>& points)
{
    RecordedOp& op = add(CanvasOp::Polyline, QRect());
    op.points = points;
    op.color = Pen.Color;
    op.penWidth = Pen.Width;
}

void RecordingCanvas::Polygon(const QVector<QPoint>& points)
{
    RecordedOp& op = add(CanvasOp::Polygon, QRect());
    op.points = points;
    op.color = Brush.Color;
    op.color2 = Pen.Color;
    op.penWidth = Pen.Width;
}

void RecordingCanvas::Rectangle(const QRect& r)
{
    RecordedOp& op = add(CanvasOp::Rectangle, r);
    op.color = Brush.Style == bsClear ? clNone : Brush.Color;
    op.color2 = Pen.Color;
    op.penWidth = Pen.Width;
}

void RecordingCanvas::FrameRect(const QRect& r)
{
    add(CanvasOp::Frame, r).color = Brush.Color;
}

void RecordingCanvas::Ellipse(const QRect& r)
{
    RecordedOp& op = add(CanvasOp::Ellipse, r);
    op.color = Brush.Style == bsClear ? clNone : Brush.Color;
    op.color2 = Pen.Color;
}

void RecordingCanvas::DrawFocusRect(const QRect& r)
{
    add(CanvasOp::FocusRect, r);
}

QRect RecordingCanvas::TextRect(const QRect& bounds, const QString& text, TTextFlags flags)
{
    const TGridTextLayout layout = Measurer().Layout(Font, bounds, text, flags);
    if (flags & tfCalcRect)
        return layout.rect;
    RecordedOp& op = add(CanvasOp::Text, layout.rect);
    op.text = text;
    op.flags = flags;
    op.font = Font;
    op.color = FontColor;
    op.color2 = Brush.Style == bsClear ? clNone : Brush.Color;
    return layout.rect;
}

void RecordingCanvas::TextOut(int x, int y, const QString& text, int angle)
{
    RecordedOp& op = add(CanvasOp::TextOut, QRect(x, y, TextWidth(text), TextHeight()));
    op.text = text;
    op.flags = TTextFlags(angle);
    op.font = Font;
    op.color = FontColor;
}

void RecordingCanvas::DrawPixmap(const QRect& target, const QPixmap& pixmap, TColor transparent)
{
    RecordedOp& op = add(CanvasOp::Pixmap, target);
    op.color2 = transparent;
    op.image = pixmap.toImage();
}

void RecordingCanvas::PushClip(const QRect& r)
{
    add(CanvasOp::PushClip, r);
    clips_.append(clips_.isEmpty() ? r : clips_.back().intersected(r));
}

void RecordingCanvas::PopClip()
{
    add(CanvasOp::PopClip, QRect());
    if (!clips_.isEmpty())
        clips_.removeLast();
}

void RecordingCanvas::Custom(const QRect& r, const QString& what, const std::function<void(QPainter&)>&)
{
    add(CanvasOp::Custom, r).text = what;
}
