#include "grid/editing/editorframes.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

#include "platform/rtl/graphics.h"

namespace {

// One ring: top and left in one colour, bottom and right in the other.
QRect ring(QPainter& p, const QRect& r, TColor topLeft, TColor bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return r;
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), ToQColor(topLeft));
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), ToQColor(topLeft));
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), ToQColor(bottomRight));
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), ToQColor(bottomRight));
    return r.adjusted(1, 1, -1, -1);
}

// The glyph's shape in one colour (for the embossed disabled look).
QPixmap glyphInColor(const QPixmap& glyph, const QColor& color)
{
    QPixmap out(glyph.size());
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setClipRegion(QRegion(glyph.mask()));
    p.fillRect(out.rect(), color);
    return out;
}

}  // namespace

QRect DrawEdge(QPainter& p, const QRect& r, unsigned edge)
{
    QRect inner = r;
    if (edge & BDR_RAISEDOUTER)
        inner = ring(p, inner, cl3DLight, cl3DDkShadow);
    else if (edge & BDR_SUNKENOUTER)
        inner = ring(p, inner, clBtnShadow, clBtnHighlight);
    if (edge & BDR_RAISEDINNER)
        inner = ring(p, inner, clBtnHighlight, clBtnShadow);
    else if (edge & BDR_SUNKENINNER)
        inner = ring(p, inner, cl3DDkShadow, cl3DLight);
    return inner;
}

void EditorFrameRect(QPainter& p, const QRect& r, const QColor& color)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.save();
    p.setPen(color);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.restore();
}

void DrawArrow(QPainter& p, const QRect& r, TArrowKind kind, const QColor& color)
{
    // A triangle of 4 rows (7 pixels at its base), or smaller in a small rectangle.
    const bool vertical = kind == TArrowKind::Up || kind == TArrowKind::Down;
    const int room = vertical ? std::min(r.width(), r.height() * 2) : std::min(r.height(), r.width() * 2);
    const int half = std::clamp((room - 2) / 2, 1, 3);
    const QPoint c = r.center();
    QPolygon tri;
    switch (kind) {
    case TArrowKind::Up:
        tri << QPoint(c.x() - half, c.y() + half / 2 + 1) << QPoint(c.x() + half, c.y() + half / 2 + 1)
            << QPoint(c.x(), c.y() - half + half / 2 + 1);
        break;
    case TArrowKind::Down:
        tri << QPoint(c.x() - half, c.y() - half / 2) << QPoint(c.x() + half, c.y() - half / 2)
            << QPoint(c.x(), c.y() + half - half / 2);
        break;
    case TArrowKind::Left:
        tri << QPoint(c.x() + half / 2 + 1, c.y() - half) << QPoint(c.x() + half / 2 + 1, c.y() + half)
            << QPoint(c.x() - half + half / 2 + 1, c.y());
        break;
    case TArrowKind::Right:
        tri << QPoint(c.x() - half / 2, c.y() - half) << QPoint(c.x() - half / 2, c.y() + half)
            << QPoint(c.x() + half - half / 2, c.y());
        break;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(color);
    p.setBrush(color);
    p.drawPolygon(tri);
    p.restore();
}

void DrawScrollArrowButton(QPainter& p, const QRect& r, TArrowKind kind, bool pushed, bool flat, bool enabled)
{
    p.fillRect(r, ToQColor(clBtnFace));
    QRect face = r;
    if (flat) {
        EditorFrameRect(p, r, ToQColor(clBtnShadow));
        face = r.adjusted(1, 1, -1, -1);
    } else {
        face = DrawEdge(p, r, pushed ? BDR_SUNKENOUTER : EDGE_RAISED);
    }
    if (pushed)
        face.translate(1, 1);
    if (!enabled)
        DrawArrow(p, face.translated(1, 1), kind, ToQColor(clBtnHighlight));
    DrawArrow(p, face, kind, ToQColor(enabled ? clBtnText : clGrayText));
}

QPixmap GlyphWithTransparency(const QPixmap& glyph)
{
    if (glyph.isNull() || glyph.hasAlphaChannel())
        return glyph;
    const QImage img = glyph.toImage();
    QPixmap out = glyph;
    out.setMask(QBitmap::fromImage(img.createMaskFromColor(img.pixel(0, img.height() - 1), Qt::MaskInColor)));
    return out;
}

QSize GlyphSize(const QPixmap& strip, int numGlyphs)
{
    return QSize(strip.width() / std::max(numGlyphs, 1), strip.height());
}

void DrawGlyph(QPainter& p, const QPixmap& strip, int numGlyphs, const QPoint& topLeft, bool enabled, bool down)
{
    if (strip.isNull())
        return;
    numGlyphs = std::max(numGlyphs, 1);
    const QSize size = GlyphSize(strip, numGlyphs);
    int index = !enabled ? 1 : down ? 2 : 0;
    if (index >= numGlyphs)
        index = 0;
    QPixmap glyph = strip.copy(index * size.width(), 0, size.width(), size.height());
    if (!enabled && numGlyphs < 2) {
        p.drawPixmap(topLeft + QPoint(1, 1), glyphInColor(glyph, ToQColor(clBtnHighlight)));
        glyph = glyphInColor(glyph, ToQColor(clBtnShadow));
    }
    p.drawPixmap(topLeft, glyph);
}
