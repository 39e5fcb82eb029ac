// Colours, the geometry of the small cell drawings, picture recolouring and the layered-window
// transparency of extutil.h.
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "grid/display/extutil.h"

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
