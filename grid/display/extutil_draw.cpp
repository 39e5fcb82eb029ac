// Colours, the geometry of the small cell drawings and their drawing on a grid canvas, picture
// recolouring and the layered-window transparency of extutil.h.
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "grid/display/extutil.h"
#include "grid/display/gridbitmaps.h"
#include "grid/display/extxpvs.h"
#include "grid/display/gridcanvas.h"

namespace {

int channelAt(int from, int to, double share)
{
    return std::clamp(static_cast<int>(std::lround(from + (to - from) * share)), 0, 255);
}

TColor colorAt(TColor from, TColor to, double share)
{
    return RGBColor(channelAt(RedOf(from), RedOf(to), share), channelAt(GreenOf(from), GreenOf(to), share),
                    channelAt(BlueOf(from), BlueOf(to), share));
}

}  // namespace

TColor DarkerColor(TColor c)
{
    const TColor rgb = ColorToRGB(c);
    return RGBColor(RedOf(rgb) / 2, GreenOf(rgb) / 2, BlueOf(rgb) / 2);
}

TColor BlendColor(TColor from, TColor to, int pos, int from0, int to0)
{
    if (to == clNone || to0 == from0)
        return from;
    return colorAt(ColorToRGB(from), ColorToRGB(to), double(pos - from0) / double(to0 - from0));
}

std::vector<TGradientBand> GradientBands(TColor from, TColor to, int steps, bool horizontal, const QRect& r)
{
    std::vector<TGradientBand> bands;
    if (to == clNone || r.isEmpty())
        return bands;
    steps = std::max(steps, 1);
    const TColor a = ColorToRGB(from);
    const TColor b = ColorToRGB(to);
    const int length = horizontal ? r.width() : r.height();
    const int start = horizontal ? r.left() : r.top();
    const int end = start + length;  // one past the last pixel
    bands.reserve(steps);
    for (int i = 0; i < steps; ++i) {
        const int lo = start + static_cast<int>(std::lround(double(length) * i / steps));
        const int hi = std::min(end, start + static_cast<int>(std::lround(double(length) * (i + 1) / steps)) + 1);
        if (hi <= lo)
            continue;
        const QRect band = horizontal ? QRect(lo, r.top(), hi - lo, r.height()) : QRect(r.left(), lo, r.width(), hi - lo);
        bands.push_back({band, colorAt(a, b, double(i) / steps)});
    }
    return bands;
}

TProgressLayout ProgressLayout(const QRect& r, int min, int max, int value, int insetX, int insetY,
                               const QString& format)
{
    TProgressLayout l;
    l.Inner = r.adjusted(insetX, insetY, -insetX, -insetY);
    // An empty range shows an empty bar and 0 % rather than dividing by zero.
    const double share = max == min ? 0.0 : double(value - min) * 100.0 / double(max - min);
    l.Percent = static_cast<int>(std::clamp<long>(std::lround(share), 0, 100));
    const int width = std::max(0, l.Inner.width());
    const int barWidth = static_cast<int>(std::lround(width * l.Percent / 100.0));
    l.Bar = QRect(l.Inner.left(), l.Inner.top(), barWidth, l.Inner.height());
    l.Rest = QRect(l.Inner.left() + barWidth, l.Inner.top(), width - barWidth, l.Inner.height());
    l.Text = format.isEmpty() ? QString::number(l.Percent) + QLatin1Char('%')
                              : Format(format, {QVariant(value), QVariant(l.Percent)});
    return l;
}

TRangeLayout RangeIndicatorLayout(const QRect& r, double value, double range)
{
    TRangeLayout l;
    l.Inner = r.adjusted(2, 2, -2, -2);
    l.Positive = value >= 0;
    l.Text = FloatToStr(value);
    const int centre = l.Inner.left() + l.Inner.width() / 2;
    int length = 0;
    if (range > 0) {
        const double limited = std::clamp(value, -range, range);
        length = static_cast<int>(std::lround(std::fabs(limited) / range * (l.Inner.width() / 2)));
    }
    l.Bar = l.Positive ? QRect(centre, l.Inner.top(), length, l.Inner.height())
                       : QRect(centre - length, l.Inner.top(), length, l.Inner.height());
    return l;
}

std::vector<QPoint> ErrorZigZag(int x0, int x1, int y)
{
    std::vector<QPoint> points;
    for (int x = x0, i = 0; x <= x1; x += 2, ++i)
        points.emplace_back(x, i % 2 == 0 ? y : y + 2);
    return points;
}

QImage ReplaceTopLeftColor(const QImage& picture, TColor color)
{
    if (picture.isNull())
        return picture;
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = out.pixel(0, 0);
    const QRgb replacement = ToQColor(color).rgba();
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (line[x] == key)
                line[x] = replacement;
    }
    return out;
}

bool SetLayeredWindowAlpha(QWidget* window, TColor /*colorKey*/, int alpha, unsigned flags)
{
    if (!window)
        return false;
    // A colour key has no toolkit counterpart: only the alpha is applied.
    if (flags & LWA_ALPHA)
        window->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
    return true;
}

bool UpdateLayeredWindowEx(QWidget* window, const QPoint* position, const QSize* size, int alpha, unsigned flags)
{
    if (!window)
        return false;
    if (position)
        window->move(*position);
    if (size)
        window->resize(*size);
    return SetLayeredWindowAlpha(window, clNone, alpha, flags);
}

// ---------------------------------------------------------------------------------------------
// Drawing on a grid canvas.

void DrawGradient(TGridCanvas& canvas, TColor from, TColor to, int steps, bool horizontal, const QRect& r)
{
    if (to != clNone)
        canvas.FillGradient(r, from, to, steps, horizontal);
}

void DrawProgress(TGridCanvas& canvas, const QRect& r, const TProgressColors& colors, int min, int max, int value,
                  int insetX, int insetY, const QString& format)
{
    const TProgressLayout l = ProgressLayout(r, min, max, value, insetX, insetY, format);
    if (l.Inner.isEmpty())
        return;
    const TGridBrush saved = canvas.Brush;
    const TColor savedFont = canvas.FontColor;
    canvas.Brush.Style = bsSolid;
    for (const auto& [part, color] : {std::pair{l.Bar, colors.Bar}, std::pair{l.Rest, colors.Back}}) {
        if (part.isEmpty())
            continue;
        canvas.Brush.Color = color;
        canvas.FillRect(part);
    }
    // The text is drawn twice, each time clipped to one part, so that it changes colour where
    // the bar ends.
    canvas.Brush.Style = bsClear;
    const TTextFlags centred = tfCenter | tfVCenter | tfSingleLine;
    for (const auto& [part, color] : {std::pair{l.Bar, colors.BarText}, std::pair{l.Rest, colors.BackText}}) {
        if (part.isEmpty())
            continue;
        canvas.PushClip(part);
        canvas.FontColor = color;
        canvas.TextRect(l.Inner, l.Text, centred);
        canvas.PopClip();
    }
    canvas.Brush.Style = bsSolid;
    if (colors.Frame != clNone) {
        canvas.Brush.Color = colors.Frame;
        canvas.FrameRect(l.Inner);
    }
    canvas.Brush.Color = saved.Color;
    canvas.FrameRect(l.Inner.adjusted(-1, -1, 1, 1));
    canvas.Brush = saved;
    canvas.FontColor = savedFont;
}

QVector<QPoint> PieSlicePoints(const QRect& r, int percent)
{
    QVector<QPoint> points;
    const int p = std::clamp(percent, 0, 100);
    if (p == 0 || r.isEmpty())
        return points;
    const double cx = r.left() + r.width() / 2.0;
    const double cy = r.top() + r.height() / 2.0;
    const double rx = r.width() / 2.0;
    const double ry = r.height() / 2.0;
    const double end = 2.0 * M_PI * p / 100.0;
    const int steps = std::max(2, static_cast<int>(std::ceil(p * 72.0 / 100.0)));  // every 5 degrees at most
    points.append(QPoint(qRound(cx), qRound(cy)));
    for (int i = 0; i <= steps; ++i) {
        const double a = end * i / steps;
        points.append(QPoint(qRound(cx + rx * std::sin(a)), qRound(cy - ry * std::cos(a))));
    }
    return points;
}

void DrawProgressPie(TGridCanvas& canvas, const QRect& r, TColor color, int percent)
{
    const TGridBrush savedBrush = canvas.Brush;
    const TGridPen savedPen = canvas.Pen;
    canvas.Pen = TGridPen{0x808080, 1, Qt::SolidLine};
    canvas.Brush.Style = bsClear;
    canvas.Ellipse(r);
    const QPoint centre(r.left() + r.width() / 2, r.top() + r.height() / 2);
    canvas.Line(centre, QPoint(centre.x(), r.top()));
    const QVector<QPoint> slice = PieSlicePoints(r, percent);
    if (!slice.isEmpty()) {
        canvas.Brush = TGridBrush{color, bsSolid};
        canvas.Polygon(slice);
        canvas.Line(centre, slice.back());
    }
    canvas.Brush = savedBrush;
    canvas.Pen = savedPen;
}

void DrawRangeIndicator(TGridCanvas& canvas, const QRect& r, double value, TColor posColor, TColor negColor,
                        bool showValue, double range)
{
    const TRangeLayout l = RangeIndicatorLayout(r, value, range);
    const TGridBrush saved = canvas.Brush;
    if (!l.Bar.isEmpty()) {
        canvas.Brush = TGridBrush{l.Positive ? posColor : negColor, bsSolid};
        canvas.FillRect(l.Bar);
    }
    if (showValue) {
        canvas.Brush.Style = bsClear;
        canvas.TextRect(l.Inner, l.Text, tfCenter | tfVCenter | tfSingleLine);
    }
    canvas.Brush = saved;
}

void DrawErrorUnderline(TGridCanvas& canvas, const QRect& r, const QString& text, int from, int length, int offset)
{
    if (length <= 0 || from < 0 || from >= text.size())
        return;
    // Laid out as a single-line edit lays out its text: from the left edge after the edit's
    // margin, the first line at the top.
    constexpr int kEditMargin = 2;
    const int x0 = r.left() + kEditMargin + offset + canvas.TextWidth(text.left(from));
    const int x1 = x0 + canvas.TextWidth(text.mid(from, length));
    const int y = r.top() + canvas.TextHeight();
    const TGridPen saved = canvas.Pen;
    canvas.Pen = TGridPen{clRed, 2, Qt::SolidLine};
    const std::vector<QPoint> zig = ErrorZigZag(x0, x1, y);
    canvas.Polyline(QVector<QPoint>(zig.begin(), zig.end()));
    canvas.Pen = saved;
}

void DrawDropDownButton(TGridCanvas& canvas, QWidget* window, const QRect& r, bool themed)
{
    const QRect button(r.left() + r.width() - 16, r.top(), 16, r.height());
    if (themed && DrawThemedPart(canvas, window, QStringLiteral("combobox"), themepart::CP_DROPDOWNBUTTON, 1, button))
        return;
    // The classic flat combo button: a face with a shadow frame and a small black arrow.
    const TGridBrush savedBrush = canvas.Brush;
    const TGridPen savedPen = canvas.Pen;
    canvas.Brush = TGridBrush{clBtnFace, bsSolid};
    canvas.FillRect(button);
    canvas.Brush.Color = clBtnShadow;
    canvas.FrameRect(button);
    const QPoint c = button.center();
    canvas.Brush.Color = clBtnText;
    canvas.Pen = TGridPen{clBtnText, 1, Qt::SolidLine};
    canvas.Polygon({QPoint(c.x() - 3, c.y() - 1), QPoint(c.x() + 3, c.y() - 1), QPoint(c.x(), c.y() + 2)});
    canvas.Brush = savedBrush;
    canvas.Pen = savedPen;
}

void DrawTransparentBitmap(TGridCanvas& canvas, const QPixmap& bitmap, TColor color, const QRect& r)
{
    if (bitmap.isNull())
        return;
    canvas.DrawPixmap(r, QPixmap::fromImage(ReplaceTopLeftColor(bitmap.toImage(), color)));
}

QPixmap GridResourceBitmap(const QString& name)
{
    // The program's resources do not change while it runs: each name is looked up once (cells
    // ask for their check box and sort glyph bitmaps on every repaint).
    static QHash<QString, QPixmap> found;
    if (const auto it = found.constFind(name); it != found.constEnd())
        return *it;
    const QPixmap resource(QStringLiteral(":/grid/") + name);
    const QPixmap bitmap = resource.isNull() ? DrawnGridBitmap(name) : resource;
    found.insert(name, bitmap);
    return bitmap;
}

void DrawResourceBitmap(TGridCanvas& canvas, const QString& name, TColor color, const QRect& r)
{
    const QPixmap bitmap = GridResourceBitmap(name);
    if (bitmap.isNull())
        return;
    // A bitmap that brings its own transparency is drawn as it is.
    if (color == clNone || bitmap.hasAlphaChannel())
        canvas.DrawPixmap(r, bitmap);
    else
        DrawTransparentBitmap(canvas, bitmap, color, r);
}
