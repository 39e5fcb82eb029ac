#include "controls/uinavbar.h"

#include <QEnterEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

// ---------------------------------------------------------------------------------------------
// Rules

std::vector<TGradientStrip> GradientBandStrips(int length, TColor a, TColor b)
{
    const TColor ra = ColorToRGB(a);
    const TColor rb = ColorToRGB(b);
    if (length <= 0 || ra == rb)
        return {{0, std::max(length, 0), ra}};
    // Channels in hundredths, so that the steps between strips keep two decimals.
    const int aR = RedOf(ra) * 100, aG = GreenOf(ra) * 100, aB = BlueOf(ra) * 100;
    const int dR = RedOf(rb) * 100 - aR, dG = GreenOf(rb) * 100 - aG, dB = BlueOf(rb) * 100 - aB;
    const int n = std::max({std::abs(dR), std::abs(dG), std::abs(dB)}) / 100;
    // As many strips as there are colour steps, but never thinner than one pixel.
    const int s = n >= length ? 1 : (length + n - 1) / n;
    const int k = length / s;
    std::vector<TGradientStrip> strips;
    strips.reserve(size_t(k) + 1);
    for (int i = 0; i <= k; ++i) {
        const int start = i * s;
        const int len = std::max(0, std::min(s, length - start));
        const int r = (aR + ((dR * 100 / k) * i) / 100) / 100;
        const int g = (aG + ((dG * 100 / k) * i) / 100) / 100;
        const int bl = (aB + ((dB * 100 / k) * i) / 100) / 100;
        strips.push_back({start, len, RGBColor(r, g, bl)});
    }
    return strips;
}

std::vector<TGripPixel> GripPixels(const QSize& client, int units, bool vertical, TColor dark)
{
    const TColor d = ColorToRGB(dark);
    const TColor m = RGBColor((RedOf(d) + 255) / 2, (GreenOf(d) + 255) / 2, (BlueOf(d) + 255) / 2);
    const TColor w = clWhite;
    std::vector<TGripPixel> pixels;
    const int span = (4 * units - 2) / 2;
    for (int k = 0; k < units; ++k) {
        int x, y;
        if (vertical) {
            x = client.width() / 2 - 1;
            y = client.height() / 2 - span + 4 * k;
        } else {
            x = client.width() / 2 - span + 4 * k;
            y = client.height() / 2;
        }
        pixels.push_back({x, y - 1, d});
        pixels.push_back({x + 1, y - 1, d});
        pixels.push_back({x, y, d});
        pixels.push_back({x + 1, y, m});
        pixels.push_back({x + 2, y, w});
        pixels.push_back({x + 1, y + 1, w});
        pixels.push_back({x + 2, y + 1, w});
    }
    return pixels;
}

int GrayLevel(int red, int green, int blue)
{
    // 0.30 r + 0.59 g + 0.11 b in hundredths, rounded to the nearest integer (ties to even).
    const int v = 30 * red + 59 * green + 11 * blue;
    int q = v / 100;
    const int rem = v % 100;
    if (rem > 50 || (rem == 50 && q % 2 == 1))
        ++q;
    return q;
}

QImage MakeDisabledGlyph(const QImage& glyph)
{
    if (glyph.isNull())
        return QImage();
    QImage img = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int g = GrayLevel(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
            const TColor pale = MixWithWhite(RGBColor(g, g, g), 50);
            line[x] = qRgba(RedOf(pale), GreenOf(pale), BlueOf(pale), qAlpha(line[x]));
        }
    }
    return img;
}

int SplitterNeighbourSize(int newSize, int parentExtent, int reserve, bool bottomOrRight)
{
    if (newSize <= 1)
        return 1;
    int limit = parentExtent - reserve;
    if (bottomOrRight)
        --limit;
    // Never below one pixel, even when the parent has no room left.
    return std::max(1, std::min(newSize, limit));
}

// ---------------------------------------------------------------------------------------------
// Gradient

TUiNavGradient::TUiNavGradient(TUiNavCustomControl* owner)
    : owner_(owner), font_(QStringLiteral("MS Sans Serif"), 8)
{
}

void TUiNavGradient::Changed()
{
    if (owner_)
        owner_->update();
    if (adapter_)
        adapter_->Changed();
}

void TUiNavGradient::SetActive(bool v) { active_ = v; Changed(); }
void TUiNavGradient::SetColor1(TColor v) { color1_ = v; Changed(); }
void TUiNavGradient::SetColor2(TColor v) { color2_ = v; Changed(); }
void TUiNavGradient::SetColor3(TColor v) { color3_ = v; Changed(); }
void TUiNavGradient::SetHorizontal(bool v) { horizontal_ = v; Changed(); }
void TUiNavGradient::SetPercent(int v) { percent_ = std::clamp(v, 1, 100); Changed(); }
void TUiNavGradient::SetParentGradient(bool v) { parentGradient_ = v; Changed(); }
void TUiNavGradient::SetShowBorder(bool v) { showBorder_ = v; Changed(); }
void TUiNavGradient::SetFont(const QFont& f) { font_ = f; Changed(); }
void TUiNavGradient::SetFontColor(TColor c) { fontColor_ = c; Changed(); }

void TUiNavGradient::Draw(QPainter& p, const QSize& client) const
{
    const int w = client.width();
    const int h = client.height();
    const int length = horizontal_ ? w : h;
    auto fill = [&](int start, int len, TColor c) {
        if (len <= 0)
            return;
        p.fillRect(horizontal_ ? QRect(start, 0, len, h) : QRect(0, start, w, len), ToQColor(c));
    };
    auto band = [&](int start, int len, TColor a, TColor b) {
        for (const TGradientStrip& s : GradientBandStrips(len, a, b))
            fill(start + s.Start, s.Length, s.Color);
    };
    if (percent_ >= 100) {
        if (color1_ != color2_)
            band(0, length, color1_, color2_);
        else
            fill(0, length, color1_);
        return;
    }
    const int first = std::max(1, length * percent_ / 100);
    if (color1_ != color2_)
        band(0, first, color1_, color2_);
    else
        fill(0, first, color1_);
    if (color2_ != color3_)
        band(first, length - first, color2_, color3_);
    else
        fill(first, length - first, color2_);
}

// ---------------------------------------------------------------------------------------------
// Custom control

TUiNavCustomControl::TUiNavCustomControl(QWidget* parent)
    : QWidget(parent), normal_(this), hot_(this), downGradient_(this)
{
    setMouseTracking(true);
}

TUiNavCustomControl::~TUiNavCustomControl() = default;

void TUiNavCustomControl::SetStyle(TUiNavStyle v)
{
    if (v == style_)
        return;
    style_ = v;
    update();
    for (QWidget* child : findChildren<QWidget*>())
        child->update();
}

void TUiNavCustomControl::SetParentStyle(bool v)
{
    if (v == parentStyle_)
        return;
    parentStyle_ = v;
    update();
}

void TUiNavCustomControl::SetBorderEdges(TUiNavBorderEdges v)
{
    if (v == borderEdges_)
        return;
    borderEdges_ = v;
    update();
}

void TUiNavCustomControl::SetBorderSize(int v)
{
    if (v == borderSize_)
        return;
    borderSize_ = v;
    update();
}

void TUiNavCustomControl::SetDown(bool v)
{
    if (v == down_)
        return;
    down_ = v;
    update();
}

void TUiNavCustomControl::SetGlyph(const QImage& strip)
{
    // The glyph is transparent where it has the colour of its bottom-left pixel.
    glyph_ = strip.isNull() ? QImage() : strip.convertToFormat(QImage::Format_ARGB32);
    if (!glyph_.isNull()) {
        const QRgb key = glyph_.pixel(0, glyph_.height() - 1) | 0xFF000000u;
        for (int y = 0; y < glyph_.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(glyph_.scanLine(y));
            for (int x = 0; x < glyph_.width(); ++x)
                if ((line[x] | 0xFF000000u) == key)
                    line[x] = 0;
        }
    }
    disabledGlyph_ = MakeDisabledGlyph(glyph_);
    update();
}

void TUiNavCustomControl::SetGlyphAlignment(TUiNavGlyphAlignment v) { glyphAlignment_ = v; update(); }
void TUiNavCustomControl::SetGlyphOffset(int v) { glyphOffset_ = v; update(); }
void TUiNavCustomControl::SetGripEnabled(bool v) { gripEnabled_ = v; update(); }
void TUiNavCustomControl::SetGripUnits(int v) { gripUnits_ = std::clamp(v, 0, 255); update(); }
void TUiNavCustomControl::SetGripIsVertical(bool v) { gripIsVertical_ = v; update(); }
void TUiNavCustomControl::SetShowBorder(bool v) { showBorder_ = v; update(); }

void TUiNavCustomControl::SetTransparent(bool v)
{
    if (v == transparent_)
        return;
    transparent_ = v;
    update();
}

void TUiNavCustomControl::SetCaption(const QString& v)
{
    if (v == caption_)
        return;
    caption_ = v;
    update();
}

void TUiNavCustomControl::SetColor(TColor v)
{
    if (v == color_)
        return;
    color_ = v;
    // Children that take their parent's colour read it from the palette.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(color_));
    setPalette(pal);
    update();
}

void TUiNavCustomControl::SetFontColor(TColor v)
{
    if (v == fontColor_)
        return;
    fontColor_ = v;
    update();
}

TUiNavStyle TUiNavCustomControl::EffectiveStyle() const
{
    const TUiNavCustomControl* c = this;
    TUiNavStyle s = style_;
    while (c->parentStyle_) {
        const auto* p = qobject_cast<const TUiNavCustomControl*>(c->parentWidget());
        if (!p)
            break;
        c = p;
        s = p->style_;
    }
    return s;
}

TUiColorScheme TUiNavCustomControl::CurrentColorScheme() const
{
    TUiColorScheme scheme;
    if (EffectiveStyle() != stXPTheme || !GetSchemeColors(scheme))
        GetStandardColors(scheme);
    scheme.FontName = QStringLiteral("Default");
    scheme.FontSize = -1;
    scheme.DefaultFontStyle = true;
    if (OnCustomStyle)
        OnCustomStyle(const_cast<TUiNavCustomControl*>(this), scheme);
    return scheme;
}

void TUiNavCustomControl::UpdateStyle()
{
    SetStyle(EffectiveStyle());
    ApplyColorScheme(CurrentColorScheme());
}

const TUiNavGradient* TUiNavCustomControl::Resolve(const TUiNavGradient& own, int role) const
{
    const TUiNavGradient* g = &own;
    while (g->parentGradient_) {
        const auto* p = qobject_cast<const TUiNavCustomControl*>(g->owner_->parentWidget());
        if (!p)
            break;
        g = role == 0 ? &p->normal_ : role == 1 ? &p->hot_ : &p->downGradient_;
    }
    return g;
}

const TUiNavGradient* TUiNavCustomControl::CurrentGradient() const
{
    const TUiNavGradient* n = Resolve(normal_, 0);
    const TUiNavGradient* h = Resolve(hot_, 1);
    const TUiNavGradient* d = Resolve(downGradient_, 2);
    auto active = [](const TUiNavGradient* g) { return g->active_ ? g : nullptr; };
    if (isEnabled()) {
        if (!(pressed_ && hotState_) && !down_) {
            if (hotState_)
                return h->active_ ? h : active(n);
            return active(n);
        }
        return d->active_ ? d : active(n);
    }
    return active(down_ ? d : n);
}

void TUiNavCustomControl::Click()
{
    if (isEnabled() && OnClick)
        OnClick(this);
}

void TUiNavCustomControl::paintEvent(QPaintEvent*)
{
    UpdateStyle();
    const TUiNavGradient* g = CurrentGradient();
    QPainter p(this);
    const QFont& font = g ? g->font_ : this->font();
    const TColor fontColor = g ? g->fontColor_ : fontColor_;
    // A transparent control lets its parent's painting show through and draws only its glyph
    // and caption; the toolkit composes the parent underneath.
    if (transparent_ && (g == &normal_ || !g)) {
        DrawCaption(p, font, fontColor);
        return;
    }
    if (g)
        g->Draw(p, size());
    else
        p.fillRect(rect(), ToQColor(color_));
    if (showBorder_ && (!g || g->showBorder_) && borderSize_ > 0) {
        const QColor bc = ToQColor(borderColor_);
        const int w = width();
        const int h = height();
        if (borderEdges_ == beAll) {
            for (int i = 0; i < borderSize_; ++i) {
                const QRect r = rect().adjusted(i, i, -i, -i);
                p.fillRect(QRect(r.left(), r.top(), r.width(), 1), bc);
                p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bc);
                p.fillRect(QRect(r.left(), r.top(), 1, r.height()), bc);
                p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bc);
            }
        } else {
            for (int i = 0; i < borderSize_; ++i) {
                if (borderEdges_ & beLeft)
                    p.fillRect(QRect(i, 0, 1, h), bc);
                if (borderEdges_ & beRight)
                    p.fillRect(QRect(w - 1 - i, 0, 1, h), bc);
                if (borderEdges_ & beTop)
                    p.fillRect(QRect(0, i, w, 1), bc);
                if (borderEdges_ & beBottom)
                    p.fillRect(QRect(0, h - 1 - i, w, 1), bc);
            }
        }
    }
    DrawCaption(p, font, fontColor);
    if (gripEnabled_ && g)
        DrawGrip(p, *g);
}

void TUiNavCustomControl::DrawGrip(QPainter& p, const TUiNavGradient& g)
{
    for (const TGripPixel& px : GripPixels(size(), gripUnits_, gripIsVertical_, g.color2_))
        p.fillRect(QRect(px.X, px.Y, 1, 1), ToQColor(px.Color));
}

void TUiNavCustomControl::DrawCaption(QPainter& p, const QFont& font, TColor fontColor)
{
    const int w = width();
    const int h = height();
    QRect glyphRect;
    if (glyph_.isNull()) {
        glyphRect = QRect(glyphAlignment_ == gaLeft ? 0 : w - borderSize_, 0, 0, 0);
    } else {
        const int left = glyphAlignment_ == gaLeft ? borderSize_ + glyphOffset_
                                                   : w - (glyph_.width() + borderSize_ + glyphOffset_);
        const int top = (h - 2 * borderSize_) / 2 - glyph_.height() / 2 + 1;
        glyphRect = QRect(left, top, glyph_.width(), glyph_.height());
        p.drawImage(glyphRect.topLeft(), isEnabled() ? glyph_ : disabledGlyph_);
    }
    if (!CanShowCaption() || caption_.trimmed().isEmpty())
        return;
    p.setFont(font);
    const TColor color = isEnabled() ? fontColor : MixWithWhite(fontColor, 50);
    p.setPen(ToQColor(color));
    int left, right;
    if (glyphAlignment_ == gaLeft) {
        left = glyphRect.left() + glyphRect.width() + 3;
        right = w - borderSize_ - 3;
    } else {
        left = 3;
        right = glyphRect.left() - 3;
    }
    const QFontMetrics fm(font);
    const int top = (h - 2 * borderSize_) / 2 - std::abs(QFontInfo(font).pixelSize()) / 2 - 1;
    const QRect textRect(left, top, std::max(0, right - left), fm.height());
    // A caption too long for its room ends with an ellipsis.
    const QString text = fm.elidedText(caption_, Qt::ElideRight, textRect.width());
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextExpandTabs, text);
}

bool TUiNavCustomControl::ShowsForMouse() const
{
    return isEnabled() && isVisible() && parentWidget() && parentWidget()->isVisible();
}

void TUiNavCustomControl::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (!ShowsForMouse())
        return;
    if (hot_.active_) {
        hotState_ = true;
        update();
    }
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TUiNavCustomControl::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!ShowsForMouse())
        return;
    if (hot_.active_) {
        hotState_ = false;
        update();
    }
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TUiNavCustomControl::mousePressEvent(QMouseEvent* event)
{
    if (!isEnabled())
        return;
    if (event->button() == Qt::LeftButton && downGradient_.active_) {
        pressed_ = true;
        update();
    }
    const QPoint pt = event->position().toPoint();
    if (OnMouseDown)
        OnMouseDown(this, event->button(), event->modifiers(), pt.x(), pt.y());
}

void TUiNavCustomControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (!isEnabled())
        return;
    const QPoint pt = event->position().toPoint();
    if (event->button() == Qt::LeftButton && downGradient_.active_) {
        pressed_ = false;
        // Released outside the control: it is no longer under the mouse either.
        if (pt.x() < 0 || pt.y() < 0 || pt.x() > width() || pt.y() > height())
            hotState_ = false;
        update();
    }
    if (OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(), pt.x(), pt.y());
    if (event->button() == Qt::LeftButton && rect().contains(pt))
        Click();
}

void TUiNavCustomControl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pt = event->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(this, event->modifiers(), pt.x(), pt.y());
}

void TUiNavCustomControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
    if (isEnabled() && OnDblClick)
        OnDblClick(this);
}

void TUiNavCustomControl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) {
            pressed_ = false;
            hotState_ = false;
        }
        update();
    }
    QWidget::changeEvent(event);
}

// ---------------------------------------------------------------------------------------------
// Panel

TUiNavPanel::TUiNavPanel(QWidget* parent) : TUiNavCustomControl(parent) {}

void TUiNavPanel::SetPanelType(TUiNavPanelType v)
{
    panelType_ = v;
    // Each type brings its own border and grip defaults.
    switch (v) {
    case ptDefault:
    case ptVGradient:
    case ptHGradient:
        borderEdges_ = beAll;
        showBorder_ = false;
        gripEnabled_ = false;
        break;
    case ptTitle:
    case ptDivider:
        borderEdges_ = beBottom;
        showBorder_ = true;
        gripEnabled_ = false;
        break;
    case ptButton:
    case ptButtonGradient:
        borderEdges_ = beAll;
        showBorder_ = true;
        normal_.showBorder_ = false;
        gripEnabled_ = false;
        break;
    case ptSplitter:
        borderEdges_ = 0;
        showBorder_ = false;
        gripEnabled_ = true;
        gripUnits_ = 10;
        break;
    }
    update();
}

void TUiNavPanel::ApplyColorScheme(const TUiColorScheme& s)
{
    dividerLineColor_ = s.PanelGradientEnd;
    borderColor_ = s.BorderColor;
    hot_.active_ = false;
    downGradient_.active_ = false;

    // The type's own font unless the scheme names one.
    auto typeFont = [&](const QString& name, int size, TFontStyles styles) {
        QFont f = font();
        f.setFamily(s.FontName.compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0 ? name : s.FontName);
        f.setPointSize(s.FontSize == -1 ? size : s.FontSize);
        const TFontStyles st = s.DefaultFontStyle ? styles : s.FontStyle;
        f.setBold(st & fsBold);
        f.setItalic(st & fsItalic);
        f.setUnderline(st & fsUnderline);
        f.setStrikeOut(st & fsStrikeOut);
        if (f != font())
            setFont(f);
    };
    auto vertical = [](TUiNavGradient& g, TColor c1, TColor c2) {
        g.active_ = true;
        g.horizontal_ = false;
        g.color1_ = c1;
        g.color2_ = c2;
        g.percent_ = 100;
    };
    auto takePanelFont = [this] {
        normal_.font_ = font();
        normal_.fontColor_ = FontColor();
    };
    const QString sansSerif = QStringLiteral("MS Sans Serif");

    switch (panelType_) {
    case ptDefault:
        showCaption_ = false;
        normal_.active_ = false;
        if (Color() != s.PanelColor)
            SetColor(s.PanelColor);
        break;
    case ptVGradient:
        showCaption_ = false;
        SetFontColor(s.FontColor);
        typeFont(sansSerif, 8, 0);
        vertical(normal_, s.PanelColor, s.PanelGradientEnd);
        break;
    case ptHGradient:
        showCaption_ = false;
        SetFontColor(s.FontColor);
        typeFont(sansSerif, 8, 0);
        vertical(normal_, s.PanelGradientEnd, s.PanelColor);
        normal_.horizontal_ = true;
        break;
    case ptTitle:
        showCaption_ = true;
        SetFontColor(s.TitleFontColor);
        typeFont(QStringLiteral("Arial"), 12, fsBold);
        vertical(normal_, s.TitleStart, s.TitleEnd);
        takePanelFont();
        break;
    case ptDivider:
        showCaption_ = true;
        SetFontColor(s.FontColor);
        typeFont(sansSerif, 8, 0);
        vertical(normal_, s.PanelColor, s.PanelGradientEnd);
        takePanelFont();
        break;
    case ptButton:
    case ptButtonGradient:
        showCaption_ = true;
        SetFontColor(s.FontColor);
        typeFont(sansSerif, 8, 0);
        if (panelType_ == ptButton)
            vertical(normal_, s.PanelColor, s.PanelColor);
        else
            vertical(normal_, s.ButtonGradientStart, s.ButtonGradientEnd);
        normal_.showBorder_ = false;
        vertical(hot_, s.HotStart, s.HotEnd);
        hot_.showBorder_ = true;
        vertical(downGradient_, s.DownStart, s.DownEnd);
        downGradient_.showBorder_ = true;
        takePanelFont();
        break;
    case ptSplitter:
        showCaption_ = false;
        vertical(normal_, s.SplitterStart, s.SplitterEnd);
        normal_.horizontal_ = gripIsVertical_;
        takePanelFont();
        break;
    }
}

void TUiNavPanel::paintEvent(QPaintEvent* event)
{
    TUiNavCustomControl::paintEvent(event);
    if (panelType_ == ptDivider && (borderEdges_ & beTop)) {
        QPainter p(this);
        p.fillRect(QRect(0, 0, width(), 1), ToQColor(dividerLineColor_));
    }
}

// ---------------------------------------------------------------------------------------------
// Splitter

TUiNavSplitter::TUiNavSplitter(QWidget* parent) : TUiNavCustomControl(parent)
{
    resize(width(), 7);
    SetAlignTo(aTop);
    gripEnabled_ = true;
    gripUnits_ = 10;
    dragging_ = false;
}

void TUiNavSplitter::SetAlignTo(TUiNavSplitterAlign v)
{
    alignTo_ = v;
    static const TAlign aligns[] = {alTop, alBottom, alLeft, alRight};
    SetControlAlign(this, aligns[v]);
    const bool sideways = v == aLeft || v == aRight;
    cursor_ = sideways ? crSizeWE : crSizeNS;
    setCursor(sideways ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    SetGripIsVertical(sideways);
}

void TUiNavSplitter::ApplyColorScheme(const TUiColorScheme& s)
{
    normal_.active_ = true;
    normal_.horizontal_ = gripIsVertical_;
    normal_.color1_ = s.SplitterStart;
    normal_.color2_ = s.SplitterEnd;
    normal_.percent_ = 100;
}

void TUiNavSplitter::mousePressEvent(QMouseEvent* event)
{
    const QPoint pt = event->position().toPoint();
    dragging_ = true;
    startPos_ = gripIsVertical_ ? pt.x() : pt.y();
}

void TUiNavSplitter::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    const QPoint pt = event->position().toPoint();
    const bool vertical = alignTo_ == aTop || alignTo_ == aBottom;
    // The splitter moves with its neighbour, so each move resizes by the remaining distance.
    ResizeNeighbour(vertical ? pt.y() - startPos_ : pt.x() - startPos_);
}

void TUiNavSplitter::mouseReleaseEvent(QMouseEvent*)
{
    dragging_ = false;
}

void TUiNavSplitter::ResizeNeighbour(int delta)
{
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    std::vector<QWidget*> controls;
    for (QObject* o : parent->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow())
            controls.push_back(w);
    const bool vertical = alignTo_ == aTop || alignTo_ == aBottom;
    const bool bottomOrRight = alignTo_ == aBottom || alignTo_ == aRight;
    for (QWidget* c : controls) {
        if (c == this)
            continue;
        const TAlign a = ControlAlign(c);
        const QRect g = c->geometry();
        const QRect me = geometry();
        int newSize;
        if (alignTo_ == aTop && a == alTop && g.top() + g.height() == me.top())
            newSize = g.height() + delta;
        else if (alignTo_ == aBottom && a == alBottom && g.top() == me.top() + me.height())
            newSize = g.height() - delta;
        else if (alignTo_ == aLeft && a == alLeft && g.left() + g.width() == me.left())
            newSize = g.width() + delta;
        else if (alignTo_ == aRight && a == alRight && g.left() == me.left() + me.width())
            newSize = g.width() - delta;
        else
            continue;
        // Room for every other control that is not client-aligned, the splitter included.
        int reserve = vertical ? 2 : 9;
        for (QWidget* other : controls)
            if (other != c && ControlAlign(other) != alClient)
                reserve += vertical ? other->height() : other->width();
        const int size = SplitterNeighbourSize(newSize, vertical ? parent->height() : parent->width(), reserve,
                                               bottomOrRight);
        QRect ng = g;
        switch (alignTo_) {
        case aTop: ng.setHeight(size); break;
        case aBottom: ng.setTop(g.top() + g.height() - size); break;
        case aLeft: ng.setWidth(size); break;
        case aRight: ng.setLeft(g.left() + g.width() - size); break;
        }
        c->setGeometry(ng);
        AlignControls(parent);
        c->repaint();
    }
    repaint();
}
