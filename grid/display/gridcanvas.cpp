#include "grid/display/gridcanvas.h"

#include <memory>
#include <vector>

#include <QBitmap>
#include <QHash>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QStaticText>

#include <algorithm>
#include <cstdlib>

#include "grid/display/extutil.h"

namespace {

const QString kEllipsis = QStringLiteral("...");

const TGridTextMeasurer* installedMeasurer = nullptr;

// The paragraphs of a text: split at CR LF, LF or CR; for one line, line breaks are dropped.
QStringList paragraphs(const QString& text, bool singleLine)
{
    if (singleLine) {
        QString s = text;
        s.remove(QLatin1Char('\r'));
        s.remove(QLatin1Char('\n'));
        return {s};
    }
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s.split(QLatin1Char('\n'));
}

// Breaks one paragraph between words so that each line fits `width`; the blank at a break is
// dropped, a word wider than the width keeps a line of its own.
QStringList wrap(const TGridTextMeasurer& m, const QFont& font, const QString& para, int width)
{
    QStringList out;
    QString cur;
    bool started = false;
    for (const QString& word : para.split(QLatin1Char(' '))) {
        if (!started) {
            cur = word;
            started = true;
            continue;
        }
        const QString candidate = cur + QLatin1Char(' ') + word;
        if (m.TextWidth(font, candidate) <= width) {
            cur = candidate;
        } else {
            out << cur;
            cur = word;
        }
    }
    out << cur;
    return out;
}

// The last pixel before `to` on the way from `from`: lines leave their end point out.
QPoint endBefore(QPoint from, QPoint to)
{
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    if (std::abs(dx) >= std::abs(dy)) {
        const int sx = dx > 0 ? 1 : -1;
        const int steps = std::abs(dx);
        return {to.x() - sx, from.y() + (steps > 1 ? int(double(dy) * (steps - 1) / steps) : 0)};
    }
    const int sy = dy > 0 ? 1 : -1;
    const int steps = std::abs(dy);
    return {from.x() + (steps > 1 ? int(double(dx) * (steps - 1) / steps) : 0), to.y() - sy};
}

Qt::BrushStyle qtBrushStyle(TBrushStyle s)
{
    switch (s) {
    case bsSolid: return Qt::SolidPattern;
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

}  // namespace

TGridTextMeasurer::~TGridTextMeasurer() = default;

QString TGridTextMeasurer::Elide(const QFont& font, const QString& text, int width) const
{
    if (TextWidth(font, text) <= width)
        return text;
    // The widths grow with the length: search the longest start that fits with the ellipsis.
    int lo = 0;
    int hi = int(text.size());
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (TextWidth(font, text.left(mid) + kEllipsis) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return text.left(lo) + kEllipsis;
}

TGridTextLayout TGridTextMeasurer::Layout(const QFont& font, const QRect& bounds, const QString& text,
                                          TTextFlags flags) const
{
    const bool singleLine = flags & tfSingleLine;
    const int lineHeight = LineHeight(font);
    QStringList lines;
    for (const QString& para : paragraphs(text, singleLine)) {
        if ((flags & tfWordBreak) && !singleLine)
            lines << wrap(*this, font, para, bounds.width());
        else
            lines << para;
    }
    if (flags & tfEndEllipsis) {
        for (QString& line : lines)
            line = Elide(font, line, bounds.width());
    }
    QVector<int> widths;
    int maxWidth = 0;
    for (const QString& line : lines) {
        widths << TextWidth(font, line);
        maxWidth = std::max(maxWidth, widths.back());
    }
    const int height = int(lines.size()) * lineHeight;

    // Measuring keeps the top-left; drawing places the block by the flags.
    QRect area = bounds;
    int top = bounds.top();
    if (flags & tfCalcRect) {
        area = QRect(bounds.topLeft(), QSize(maxWidth, height));
    } else if (flags & tfBottom) {
        top = bounds.top() + bounds.height() - height;
    } else if (flags & tfVCenter) {
        top = bounds.top() + (bounds.height() - height) / 2;
    }
    TGridTextLayout layout;
    for (int i = 0; i < lines.size(); ++i) {
        int left = area.left();
        if (flags & tfRight)
            left = area.left() + area.width() - widths[i];
        else if (flags & tfCenter)
            left = area.left() + (area.width() - widths[i]) / 2;
        const QRect r(left, top + i * lineHeight, widths[i], lineHeight);
        layout.lines.append({lines[i], r});
        layout.rect = i == 0 ? r : layout.rect.united(r);
    }
    return layout;
}

int TDefaultTextMeasurer::TextWidth(const QFont& font, const QString& text) const
{
    // Shaping a text costs far more than finding its width again: a repaint measures the same
    // cell texts and words as the one before. The last few fonts keep their metrics and the
    // widths they measured; a font's widths are dropped together once there are many.
    struct FontWidths {
        QFont font;
        QFontMetrics metrics;
        QHash<QString, int> widths;
    };
    static std::vector<std::unique_ptr<FontWidths>> fonts;
    // The font asked last comes first: a run of texts mostly keeps its font.
    FontWidths* slot = nullptr;
    for (size_t i = 0; i < fonts.size(); ++i)
        if (fonts[i]->font == font) {
            if (i > 0)
                std::swap(fonts[0], fonts[i]);
            slot = fonts[0].get();
            break;
        }
    if (!slot) {
        // The font used least lately gives way.
        if (fonts.size() >= 8)
            fonts.pop_back();
        fonts.insert(fonts.begin(), std::make_unique<FontWidths>(FontWidths{font, QFontMetrics(font), {}}));
        slot = fonts[0].get();
    }
    if (const auto it = slot->widths.constFind(text); it != slot->widths.constEnd())
        return *it;
    const int width = slot->metrics.horizontalAdvance(text);
    if (slot->widths.size() >= 4096)
        slot->widths.clear();
    slot->widths.insert(text, width);
    return width;
}

int TDefaultTextMeasurer::LineHeight(const QFont& font) const
{
    // Measured once per font: every cell and every piece of mark-up asks for it. The few fonts
    // of a grid are compared directly (a font's key costs more than the comparison).
    static std::vector<std::pair<QFont, int>> heights;
    for (const auto& [f, h] : heights)
        if (f == font)
            return h;
    const int h = QFontMetrics(font).boundingRect(QStringLiteral("gh")).height();
    if (heights.size() >= 32)
        heights.erase(heights.begin());
    heights.emplace_back(font, h);
    return h;
}

const TGridTextMeasurer& GridTextMeasurer()
{
    static const TDefaultTextMeasurer defaultMeasurer;
    return installedMeasurer ? *installedMeasurer : defaultMeasurer;
}

void SetGridTextMeasurer(const TGridTextMeasurer* measurer)
{
    installedMeasurer = measurer;
}

TGridCanvas::TGridCanvas(const TGridTextMeasurer* measurer) : measurer_(measurer) {}

TGridCanvas::~TGridCanvas() = default;

// ---------------------------------------------------------------------------------------------

QPainterCanvas::QPainterCanvas(QPainter& painter, const TGridTextMeasurer* measurer)
    : TGridCanvas(measurer), painter_(painter)
{
    Font = painter.font();
}

QPainterCanvas::~QPainterCanvas()
{
    while (clipDepth_ > 0)
        PopClip();
}

void QPainterCanvas::applyPen()
{
    if (Pen.Style == Qt::NoPen || Pen.Color == clNone) {
        painter_.setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(Pen.Color), Pen.Width, Pen.Style);
    pen.setCosmetic(Pen.Width <= 1);
    painter_.setPen(pen);
}

void QPainterCanvas::applyBrush()
{
    if (Brush.Style == bsClear || Brush.Color == clNone)
        painter_.setBrush(Qt::NoBrush);
    else
        painter_.setBrush(QBrush(ToQColor(Brush.Color), qtBrushStyle(Brush.Style)));
}

void QPainterCanvas::FillRect(const QRect& r)
{
    if (Brush.Style == bsClear || Brush.Color == clNone || r.isEmpty())
        return;
    painter_.fillRect(r, QBrush(ToQColor(Brush.Color), qtBrushStyle(Brush.Style)));
}

void QPainterCanvas::FillGradient(const QRect& r, TColor from, TColor to, int steps, bool horizontal)
{
    if (r.isEmpty())
        return;
    if (to == clNone) {
        painter_.fillRect(r, ToQColor(from));
        return;
    }
    for (const TGradientBand& band : GradientBands(from, to, steps, horizontal, r))
        painter_.fillRect(band.Rect, ToQColor(band.Color));
}

void QPainterCanvas::Line(QPoint from, QPoint to)
{
    if (from == to)
        return;
    const QPoint last = endBefore(from, to);
    // The grid lines: a thin solid line across or down covers exactly the pixels of the
    // rectangle between its ends, and filling that costs a fraction of stroking it.
    if ((from.x() == to.x() || from.y() == to.y()) && Pen.Width <= 1 && Pen.Style == Qt::SolidLine &&
        Pen.Color != clNone && !painter_.testRenderHint(QPainter::Antialiasing) &&
        painter_.worldTransform().type() <= QTransform::TxTranslate &&
        painter_.compositionMode() == QPainter::CompositionMode_SourceOver) {
        painter_.fillRect(QRect(QPoint(std::min(from.x(), last.x()), std::min(from.y(), last.y())),
                                QPoint(std::max(from.x(), last.x()), std::max(from.y(), last.y()))),
                          ToQColor(Pen.Color));
        return;
    }
    applyPen();
    painter_.drawLine(from, last);
}

void QPainterCanvas::Polyline(const QVector<QPoint>& points)
{
    if (points.size() < 2)
        return;
    applyPen();
    QVector<QPoint> pts = points;
    pts.back() = endBefore(points[points.size() - 2], points.back());
    painter_.drawPolyline(pts.constData(), int(pts.size()));
}

void QPainterCanvas::Polygon(const QVector<QPoint>& points)
{
    if (points.size() < 2)
        return;
    applyPen();
    applyBrush();
    painter_.drawPolygon(points.constData(), int(points.size()));
}

void QPainterCanvas::Rectangle(const QRect& r)
{
    if (r.isEmpty())
        return;
    FillRect(r);
    applyPen();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(r.adjusted(0, 0, -1, -1));
}

void QPainterCanvas::FrameRect(const QRect& r)
{
    if (r.isEmpty() || Brush.Color == clNone)
        return;
    const QColor c = ToQColor(Brush.Color);
    painter_.fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
    painter_.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
    painter_.fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
    painter_.fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
}

void QPainterCanvas::Ellipse(const QRect& r)
{
    if (r.isEmpty())
        return;
    applyPen();
    applyBrush();
    painter_.drawEllipse(r.adjusted(0, 0, -1, -1));
}

void QPainterCanvas::DrawFocusRect(const QRect& r)
{
    if (r.isEmpty())
        return;
    // A dotted frame that inverts what lies below, so that it shows on every background.
    painter_.save();
    painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen pen(Qt::white, 1, Qt::DotLine);
    pen.setCosmetic(true);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(r.adjusted(0, 0, -1, -1));
    painter_.restore();
}

QRect QPainterCanvas::TextRect(const QRect& bounds, const QString& text, TTextFlags flags)
{
    const TGridTextLayout layout = Measurer().Layout(Font, bounds, text, flags);
    if (flags & tfCalcRect)
        return layout.rect;
    const bool clip = !(flags & tfNoClip);
    if (clip)
        PushClip(bounds);
    for (const TGridTextLine& line : layout.lines)
        FillRect(line.rect);
    painter_.setFont(Font);
    painter_.setPen(ToQColor(FontColor));
    for (const TGridTextLine& line : layout.lines) {
        if (!drawPreparedLine(line))
            painter_.drawText(line.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                              line.text);
    }
    if (clip)
        PopClip();
    return layout.rect;
}

bool QPainterCanvas::drawPreparedLine(const TGridTextLine& line)
{
    // A text drawn again (every repaint draws the same cells) keeps its shaped glyphs. The
    // prepared form gives the same pixels as drawText for left-to-right text without control
    // characters, in a font with no line under, over or through it, on a raster device drawn
    // unturned and unscaled at the line's vertical centre; everything else takes drawText.
    const QPaintDevice* device = painter_.device();
    if (!device || line.text.isEmpty() || Font.underline() || Font.strikeOut() || Font.overline() ||
        painter_.worldTransform().type() > QTransform::TxTranslate)
        return false;
    const int type = device->devType();
    if (type != QInternal::Image && type != QInternal::Pixmap && type != QInternal::Widget)
        return false;
    for (const QChar c : line.text) {
        const char16_t u = c.unicode();
        const bool plain = (u >= 0x20 && u < 0x7F) || (u >= 0xA0 && u < 0x0590) || (u >= 0x2010 && u < 0x2028) ||
                           (u >= 0x2030 && u < 0x205F) || (u >= 0x20A0 && u < 0x2190);
        if (!plain)
            return false;
    }
    struct Prepared {
        QFont font;
        int dpi = 0;
        qreal height = 0;
        QHash<QString, QStaticText> texts;
    };
    static std::vector<std::unique_ptr<Prepared>> fonts;
    const int dpi = device->logicalDpiY();
    Prepared* slot = nullptr;
    for (const auto& f : fonts)
        if (f->dpi == dpi && f->font == Font) {
            slot = f.get();
            break;
        }
    if (!slot) {
        if (fonts.size() >= 8)
            fonts.erase(fonts.begin());
        fonts.push_back(std::make_unique<Prepared>(Prepared{Font, dpi, QFontMetricsF(Font, device).height(), {}}));
        slot = fonts.back().get();
    }
    auto it = slot->texts.find(line.text);
    if (it == slot->texts.end()) {
        if (slot->texts.size() >= 2048)
            slot->texts.clear();
        QStaticText prepared;
        prepared.setTextFormat(Qt::PlainText);
        prepared.setText(line.text);
        it = slot->texts.insert(line.text, prepared);
    }
    painter_.drawStaticText(QPointF(line.rect.left(), line.rect.top() + (line.rect.height() - slot->height) / 2.0),
                            *it);
    return true;
}

void QPainterCanvas::TextOut(int x, int y, const QString& text, int angle)
{
    const QRect r(0, 0, TextWidth(text), TextHeight());
    painter_.save();
    painter_.translate(x, y);
    if (angle != 0)
        painter_.rotate(-angle / 10.0);
    FillRect(r);
    painter_.setFont(Font);
    painter_.setPen(ToQColor(FontColor));
    painter_.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip, text);
    painter_.restore();
}

void QPainterCanvas::DrawPixmap(const QRect& target, const QPixmap& pixmap, TColor transparent)
{
    if (pixmap.isNull() || target.isEmpty())
        return;
    if (transparent == clNone) {
        painter_.drawPixmap(target, pixmap);
        return;
    }
    QPixmap masked = pixmap;
    masked.setMask(pixmap.createMaskFromColor(ToQColor(transparent), Qt::MaskInColor));
    painter_.drawPixmap(target, masked);
}

void QPainterCanvas::PushClip(const QRect& r)
{
    const bool clipped = painter_.hasClipping();
    painter_.save();
    painter_.setClipRect(r, clipped ? Qt::IntersectClip : Qt::ReplaceClip);
    ++clipDepth_;
}

void QPainterCanvas::PopClip()
{
    if (clipDepth_ == 0)
        return;
    painter_.restore();
    --clipDepth_;
}

void QPainterCanvas::Custom(const QRect&, const QString&, const std::function<void(QPainter&)>& paint)
{
    painter_.save();
    paint(painter_);
    painter_.restore();
}

QRect TMeasureCanvas::TextRect(const QRect& bounds, const QString& text, TTextFlags flags)
{
    return Measurer().Layout(Font, bounds, text, flags).rect;
}
