#include "controls/framedrawing.h"

#include <QImage>
#include <QPainter>

namespace {

// Top and left lines in tl, bottom and right lines in br, on the border of r.
void edgeRing(QPainter& p, const QRect& r, const QColor& tl, const QColor& br)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), tl);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), tl);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), br);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), br);
}

}  // namespace

QRect DrawEdge(QPainter& p, const QRect& r, EdgeKind kind, bool fillMiddle, bool flat)
{
    const QColor light = ToQColor(clBtnHighlight);
    const QColor shadow = ToQColor(clBtnShadow);
    const QColor dark = ToQColor(cl3DDkShadow);
    const QColor light3d = ToQColor(cl3DLight);
    QRect inner = r;
    const bool twoPixels = kind == EdgeKind::Raised || kind == EdgeKind::Sunken;
    if (flat) {
        FrameRect(p, r, shadow);
        inner = r.adjusted(1, 1, -1, -1);
        if (twoPixels) {
            FrameRect(p, inner, ToQColor(clBtnFace));
            inner = inner.adjusted(1, 1, -1, -1);
        }
    } else {
        switch (kind) {
        case EdgeKind::RaisedInner: edgeRing(p, r, light, shadow); break;
        case EdgeKind::SunkenOuter: edgeRing(p, r, shadow, light); break;
        case EdgeKind::Raised:
            edgeRing(p, r, light3d, dark);
            edgeRing(p, r.adjusted(1, 1, -1, -1), light, shadow);
            break;
        case EdgeKind::Sunken:
            edgeRing(p, r, shadow, light);
            edgeRing(p, r.adjusted(1, 1, -1, -1), dark, light3d);
            break;
        }
        inner = twoPixels ? r.adjusted(2, 2, -2, -2) : r.adjusted(1, 1, -1, -1);
    }
    if (fillMiddle && inner.isValid())
        p.fillRect(inner, ToQColor(clBtnFace));
    return inner;
}

QRect DrawPushButtonFrame(QPainter& p, const QRect& r, bool pushed)
{
    QRect face;
    if (pushed) {
        // A pushed button: a dark outer frame and the shadow inside it.
        FrameRect(p, r, ToQColor(cl3DDkShadow));
        FrameRect(p, r.adjusted(1, 1, -1, -1), ToQColor(clBtnShadow));
        face = r.adjusted(2, 2, -2, -2);
    } else {
        face = DrawEdge(p, r, EdgeKind::Raised);
    }
    if (face.isValid())
        p.fillRect(face, ToQColor(clBtnFace));
    return face;
}

void DrawFlatComboArrow(QPainter& p, const QRect& r, bool enabled)
{
    if (!r.isValid())
        return;
    p.fillRect(r, ToQColor(clBtnFace));
    // A small downward triangle of 7, 5, 3, 1 pixels in the middle of the button.
    const QColor c = enabled ? ToQColor(clBtnText) : ToQColor(clGrayText);
    const int cx = r.left() + (r.width() - 7) / 2;
    const int cy = r.top() + (r.height() - 4) / 2;
    for (int row = 0; row < 4; ++row)
        p.fillRect(QRect(cx + row, cy + row, 7 - 2 * row, 1), c);
}

void FrameRect(QPainter& p, const QRect& r, const QColor& color)
{
    edgeRing(p, r, color, color);
}

void DrawFocusFrame(QPainter& p, const QRect& r, const QColor& color)
{
    if (r.width() < 2 || r.height() < 2)
        return;
    // The dots run on the rectangle's border by the pixels' parity, so that sides and corners
    // join into one even pattern.
    auto dot = [&](int x, int y) {
        if ((x - r.left() + y - r.top()) % 2 == 0)
            p.fillRect(QRect(x, y, 1, 1), color);
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        dot(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        dot(r.left(), y);
        dot(r.right(), y);
    }
}

QBrush CheckerPatternBrush(TColor c1, TColor c2)
{
    QImage img(8, 8, QImage::Format_RGB32);
    const QRgb a = ToQColor(c1).rgb();
    const QRgb b = ToQColor(c2).rgb();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            img.setPixel(x, y, ((x + y) % 2 == 0) ? a : b);
    return QBrush(img);
}
