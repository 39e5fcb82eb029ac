#include "controls/xpbutton.h"

#include "controls/framedrawing.h"
#include "platform/vcl/forms.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

// ---------------------------------------------------------------------------------------------
// Rules

int GlyphCountOfStrip(int width, int height)
{
    if (height <= 0 || width <= 0 || width % height != 0)
        return 0;
    const int n = width / height;
    return n > 4 ? 1 : n;
}

TDownWrite DecideDownWrite(int groupIndex, bool allowAllUp, bool currentDown, bool value)
{
    if (groupIndex == 0)
        value = false;
    if (value == currentDown)
        return {false, currentDown};
    if (currentDown && !allowAllUp)
        return {false, currentDown};
    return {true, value};
}

TButtonState DraggingState(bool down, bool inside)
{
    if (down)
        return bsExclusive;
    return inside ? bsDown : bsUp;
}

TButtonLayoutResult CalcButtonLayout(const QRect& client, const QPoint& offset, const QSize& glyphSize,
                                     const QSize& textSize, TButtonLayout layout, int margin, int spacing,
                                     bool rightToLeft)
{
    if (rightToLeft) {
        if (layout == blGlyphLeft)
            layout = blGlyphRight;
        else if (layout == blGlyphRight)
            layout = blGlyphLeft;
    }
    const int cw = client.width();
    const int ch = client.height();
    QPoint glyphPos;
    QPoint textPos;
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    if (horizontal) {
        glyphPos.setY((ch - glyphSize.height() + 1) / 2);
        textPos.setY((ch - textSize.height() + 1) / 2);
    } else {
        glyphPos.setX((cw - glyphSize.width() + 1) / 2);
        textPos.setX((cw - textSize.width() + 1) / 2);
    }
    if (textSize.width() == 0 || glyphSize.width() == 0)
        spacing = 0;

    const int extent = horizontal ? cw : ch;
    const int glyphExtent = horizontal ? glyphSize.width() : glyphSize.height();
    const int textExtent = horizontal ? textSize.width() : textSize.height();
    if (margin == -1) {
        if (spacing == -1) {
            margin = (extent - (glyphExtent + textExtent)) / 3;
            spacing = margin;
        } else {
            margin = (extent - (glyphExtent + spacing + textExtent) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = ((extent - (margin + glyphExtent)) - textExtent) / 2;
    }

    switch (layout) {
    case blGlyphLeft:
        glyphPos.setX(margin);
        textPos.setX(glyphPos.x() + glyphSize.width() + spacing);
        break;
    case blGlyphRight:
        glyphPos.setX(cw - margin - glyphSize.width());
        textPos.setX(glyphPos.x() - spacing - textSize.width());
        break;
    case blGlyphTop:
        glyphPos.setY(margin);
        textPos.setY(glyphPos.y() + glyphSize.height() + spacing);
        break;
    case blGlyphBottom:
        glyphPos.setY(ch - margin - glyphSize.height());
        textPos.setY(glyphPos.y() - spacing - textSize.height());
        break;
    }
    TButtonLayoutResult result;
    result.GlyphPos = glyphPos + client.topLeft() + offset;
    result.TextBounds = QRect(textPos + client.topLeft() + offset, textSize);
    return result;
}

bool IsAccelerator(QChar ch, const QString& caption)
{
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {  // "&&" is a plain ampersand
            ++i;
            continue;
        }
        return QString(caption[i + 1]).toCaseFolded() == QString(ch).toCaseFolded();
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Image lists

TGlyphList::TGlyphList(int width, int height) : width_(width), height_(height) {}

int TGlyphList::Add(const QImage& image)
{
    int slot = 0;
    while (slot < int(used_.size()) && used_[slot])
        ++slot;
    if (slot == int(used_.size())) {
        used_.push_back(false);
        images_.emplace_back();
    }
    images_[slot] = image;
    used_[slot] = true;
    ++count_;
    return slot;
}

void TGlyphList::Delete(int index)
{
    if (index < 0 || index >= int(used_.size()) || !used_[index])
        return;
    used_[index] = false;
    images_[index] = QImage();
    --count_;
}

namespace {
TGlyphCache* glyphCache = nullptr;
}

TGlyphCache* TGlyphCache::Instance()
{
    return glyphCache;
}

TGlyphCache::~TGlyphCache()
{
    for (TGlyphList* l : lists_)
        delete l;
}

TGlyphList* TGlyphCache::GetList(int width, int height)
{
    for (auto it = lists_.rbegin(); it != lists_.rend(); ++it)
        if ((*it)->Width() == width && (*it)->Height() == height)
            return *it;
    lists_.push_back(new TGlyphList(width, height));
    return lists_.back();
}

void TGlyphCache::ReturnList(TGlyphList* list)
{
    if (!list || list->Count() != 0)
        return;
    for (auto it = lists_.begin(); it != lists_.end(); ++it) {
        if (*it == list) {
            lists_.erase(it);
            delete list;
            return;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Button glyph

namespace {

QRgb rgbOf(TColor c)
{
    return ToQColor(c).rgb() | 0xFF000000u;
}

// Replaces every pixel of one colour by another (colours compared without alpha).
void replaceColor(QImage& img, QRgb from, QRgb to)
{
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] | 0xFF000000u) == (from | 0xFF000000u))
                line[x] = to;
    }
}

// Pixels of the mask colour become fully transparent, as the image list's mask does.
QImage masked(QImage img, QRgb maskColor)
{
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] | 0xFF000000u) == (maskColor | 0xFF000000u))
                line[x] = 0;
    }
    return img;
}

// The runtime's default mask colour of an image: its bottom-left pixel.
QRgb bottomLeft(const QImage& img)
{
    return img.isNull() ? 0 : img.pixel(0, img.height() - 1) | 0xFF000000u;
}

}  // namespace

TButtonGlyph::TButtonGlyph()
{
    if (!glyphCache)
        glyphCache = new TGlyphCache;
}

TButtonGlyph::~TButtonGlyph()
{
    Invalidate();
    if (glyphCache && glyphCache->Empty()) {
        delete glyphCache;
        glyphCache = nullptr;
    }
}

void TButtonGlyph::Invalidate()
{
    for (int& index : indexes_) {
        if (index >= 0 && list_)
            list_->Delete(index);
        index = -1;
    }
    if (list_ && glyphCache)
        glyphCache->ReturnList(list_);
    list_ = nullptr;
}

void TButtonGlyph::SetGlyph(const QImage& strip)
{
    Invalidate();
    // Strips of any depth (the forms hold 4-bit glyphs) are worked on as 32-bit images.
    original_ = strip.isNull() ? QImage() : strip.convertToFormat(QImage::Format_ARGB32);
    if (!original_.isNull() && original_.height() > 0) {
        transparentColor_ = FromQColor(QColor::fromRgb(bottomLeft(original_)));
        if (const int n = GlyphCountOfStrip(original_.width(), original_.height()))
            SetNumGlyphs(n);
    }
    if (OnChange)
        OnChange();
}

void TButtonGlyph::SetNumGlyphs(int n)
{
    if (n > 4)
        n = 4;
    if (n <= 0 || n == numGlyphs_)
        return;
    Invalidate();
    numGlyphs_ = n;
    if (OnChange)
        OnChange();
}

int TButtonGlyph::CreateButtonGlyph(TButtonState state)
{
    if (state == bsDown && numGlyphs_ < 3)
        state = bsUp;
    if (indexes_[state] != -1)
        return indexes_[state];
    if (original_.isNull() || original_.width() == 0 || original_.height() == 0)
        return -1;
    const int w = original_.width() / numGlyphs_;
    const int h = original_.height();
    if (w == 0)
        return -1;
    if (!list_) {
        if (!glyphCache)
            glyphCache = new TGlyphCache;
        list_ = glyphCache->GetList(w, h);
    }
    const int source = int(state) < numGlyphs_ ? int(state) : 0;
    QImage img = original_.copy(source * w, 0, w, h);
    const QRgb transparent = rgbOf(transparentColor_);
    int index;
    if (state != bsDisabled) {
        index = list_->Add(masked(img, transparent));
    } else if (numGlyphs_ > 1) {
        replaceColor(img, qRgb(255, 255, 255), rgbOf(clBtnHighlight));
        replaceColor(img, qRgb(128, 128, 128), rgbOf(clBtnShadow));
        replaceColor(img, transparent, rgbOf(clBtnFace));
        index = list_->Add(masked(img, bottomLeft(img)));
    } else {
        // Embossed look: the glyph's pixels (neither white nor transparent) painted in the
        // button highlight one pixel right and down, then in the button shadow in place.
        QImage emboss(w, h, QImage::Format_ARGB32);
        emboss.fill(rgbOf(clBtnFace));
        const QRgb white = qRgb(255, 255, 255);
        auto isGlyphPixel = [&](int x, int y) {
            const QRgb px = img.pixel(x, y) | 0xFF000000u;
            return px != white && px != transparent;
        };
        for (int pass = 0; pass < 2; ++pass) {
            const int d = pass == 0 ? 1 : 0;
            const QRgb color = rgbOf(pass == 0 ? clBtnHighlight : clBtnShadow);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if (isGlyphPixel(x, y) && x + d < w && y + d < h)
                        emboss.setPixel(x + d, y + d, color);
        }
        index = list_->Add(masked(emboss, bottomLeft(emboss)));
    }
    indexes_[state] = index;
    return index;
}

QImage TButtonGlyph::StateImage(TButtonState state)
{
    const int index = CreateButtonGlyph(state);
    if (index < 0 || !list_)
        return QImage();
    return list_->Image(index);
}

// ---------------------------------------------------------------------------------------------
// Button

TXPButton::TXPButton(QWidget* parent) : QWidget(parent)
{
    resize(23, 22);
    setMouseTracking(true);
    glyph_.OnChange = [this] { update(); };
}

TXPButton::~TXPButton()
{
    glyph_.OnChange = nullptr;
}

void TXPButton::SetAllowAllUp(bool value)
{
    if (allowAllUp_ == value)
        return;
    allowAllUp_ = value;
    UpdateExclusive();
}

void TXPButton::SetGroupIndex(int value)
{
    if (groupIndex_ == value)
        return;
    groupIndex_ = value;
    UpdateExclusive();
}

void TXPButton::SetDown(bool value)
{
    const TDownWrite w = DecideDownWrite(groupIndex_, allowAllUp_, down_, value);
    if (!w.Changes)
        return;
    down_ = w.NewDown;
    if (down_) {
        if (state_ == bsUp)
            update();
        state_ = bsExclusive;
        UpdateExclusive();
    } else {
        state_ = bsUp;
        repaint();
    }
}

void TXPButton::UpdateExclusive()
{
    if (groupIndex_ == 0 || !parentWidget())
        return;
    const auto siblings = parentWidget()->findChildren<TXPButton*>(QString(), Qt::FindDirectChildrenOnly);
    for (TXPButton* b : siblings)
        b->ButtonPressed(groupIndex_, this);
}

void TXPButton::ButtonPressed(int group, TXPButton* sender)
{
    if (group != groupIndex_ || sender == this)
        return;
    if (sender->down_ && down_) {
        down_ = false;
        state_ = bsUp;
        update();
    }
    allowAllUp_ = sender->allowAllUp_;
}

void TXPButton::SetFlat(bool value)
{
    if (flat_ == value)
        return;
    flat_ = value;
    update();
}

void TXPButton::SetFrameColor(TColor value)
{
    if (frameColor_ == value)
        return;
    frameColor_ = value;
    update();
}

void TXPButton::SetGlyph(const QImage& strip)
{
    glyph_.SetGlyph(strip);
    PrepareCurrentImage();
    update();
}

void TXPButton::SetHighlightColor(TColor value)
{
    if (highlightColor_ == value)
        return;
    highlightColor_ = value;
    update();
}

void TXPButton::SetLayout(TButtonLayout value)
{
    if (layout_ == value)
        return;
    layout_ = value;
    update();
}

void TXPButton::SetMargin(int value)
{
    if (value == margin_ || value < -1)
        return;
    margin_ = value;
    update();
}

void TXPButton::SetNumGlyphs(int value)
{
    if (value <= 0)
        return;
    if (value > 4)
        value = 4;
    if (value == glyph_.NumGlyphs())
        return;
    glyph_.SetNumGlyphs(value);
    update();
}

void TXPButton::SetSpacing(int value)
{
    if (value == spacing_)
        return;
    spacing_ = value;
    update();
}

void TXPButton::SetTransparent(bool value)
{
    if (value == transparent_)
        return;
    transparent_ = value;
    // An opaque button paints every pixel of its face itself.
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
    update();
}

void TXPButton::SetCaption(const QString& value)
{
    if (value == caption_)
        return;
    caption_ = value;
    UpdateAccelerator();
    updateGeometry();  // a window fits its texts again (textfit.h)
    update();
}

QSize TXPButton::sizeHint() const
{
    return QSize(std::max(23, TextFitWidth()), 22);
}

int TXPButton::TextFitWidth() const
{
    if (caption_.isEmpty())
        return 0;
    const QImage& strip = glyph_.Glyph();
    const int glyph = strip.isNull() ? 0 : strip.width() / std::max(1, glyph_.NumGlyphs());
    const int text = fontMetrics().boundingRect(QRect(), Qt::TextShowMnemonic, caption_).width();
    // The frame (two pixels on each side), the glyph with its spacing and a margin on both sides.
    const int margins = 2 * std::max(0, margin_) + 4;
    return text + (glyph > 0 ? glyph + std::max(0, spacing_) : 0) + margins + 2;
}

void TXPButton::SetColor(TColor value)
{
    if (value == color_)
        return;
    color_ = value;
    update();
}

void TXPButton::UpdateAccelerator()
{
    if (shortcutId_ != 0) {
        releaseShortcut(shortcutId_);
        shortcutId_ = 0;
    }
    const QKeySequence seq = QKeySequence::mnemonic(caption_);
    if (!seq.isEmpty())
        shortcutId_ = grabShortcut(seq);
}

void TXPButton::Click()
{
    if (OnClick)
        OnClick(this);
}

void TXPButton::Press()
{
    if (!isEnabled())
        return;
    if (groupIndex_ != 0)
        SetDown(!down_);
    Click();
}

void TXPButton::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // Return goes to the window's default button where it has one (the form's dialog keys).
    if (mods == Qt::NoModifier && !event->isAutoRepeat() &&
        (event->key() == Qt::Key_Space || (enter && !DefaultButton(window())))) {
        Press();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TXPButton::DialogChar(QChar ch)
{
    if (IsAccelerator(ch, caption_) && isEnabled() && isVisible() && parentWidget() &&
        parentWidget()->isVisible()) {
        Click();
        return true;
    }
    return false;
}

bool TXPButton::Inside(const QPoint& pt) const
{
    return pt.x() >= 0 && pt.x() < width() && pt.y() >= 0 && pt.y() < height();
}

void TXPButton::PrepareCurrentImage()
{
    glyph_.CreateButtonGlyph(isEnabled() ? bsUp : bsDisabled);
}

void TXPButton::mousePressEvent(QMouseEvent* event)
{
    const QPoint pt = event->position().toPoint();
    if (OnMouseDown)
        OnMouseDown(this, event->button(), event->modifiers(), pt.x(), pt.y());
    if (event->button() == Qt::LeftButton && isEnabled()) {
        if (!down_) {
            state_ = bsDown;
            update();
        }
        dragging_ = true;
    }
}

void TXPButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pt = event->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(this, event->modifiers(), pt.x(), pt.y());
    if (dragging_) {
        const TButtonState s = DraggingState(down_, Inside(pt));
        if (s != state_) {
            state_ = s;
            update();
        }
    } else if (!mouseInControl_) {
        UpdateTracking();
    }
}

void TXPButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pt = event->position().toPoint();
    if (OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(), pt.x(), pt.y());
    if (!dragging_)
        return;
    dragging_ = false;
    const bool doClick = Inside(pt);
    if (groupIndex_ == 0) {
        state_ = bsUp;
        mouseInControl_ = false;
        if (doClick)
            update();
    } else if (doClick) {
        SetDown(!down_);
        if (down_)
            repaint();
    } else {
        if (down_)
            state_ = bsExclusive;
        repaint();
    }
    if (doClick)
        Click();
    UpdateTracking();
}

void TXPButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click counts as a second press for the latching logic; OnDblClick only while down.
    mousePressEvent(event);
    if (down_ && OnDblClick)
        OnDblClick(this);
}

void TXPButton::UpdateTracking()
{
    if (!flat_ || !isEnabled())
        return;
    const QWidget* under = QApplication::widgetAt(QCursor::pos());
    mouseInControl_ = under != this;
    if (mouseInControl_)
        MouseLeave();
    else
        MouseEnter();
}

void TXPButton::MouseEnter()
{
    if (flat_ && !mouseInControl_ && isEnabled() && QWidget::mouseGrabber() == nullptr) {
        mouseInControl_ = true;
        repaint();
    }
}

void TXPButton::MouseLeave()
{
    if (flat_ && mouseInControl_ && isEnabled() && !dragging_) {
        mouseInControl_ = false;
        update();
    }
}

void TXPButton::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    MouseEnter();
}

void TXPButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    MouseLeave();
}

void TXPButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
        // A disabled button cannot be hovered; enabling looks up the pointer again.
        if (!isEnabled())
            mouseInControl_ = false;
        PrepareCurrentImage();
        UpdateTracking();
        update();
        break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        // System colours changed: the disabled and masked images are made again.
        glyph_.Invalidate();
        glyph_.CreateButtonGlyph(state_);
        update();
        break;
    case QEvent::FontChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

bool TXPButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(event);
        if (se->shortcutId() == shortcutId_) {
            const QString keys = se->key().toString();
            if (!keys.isEmpty() && DialogChar(keys.back()))
                return true;
        }
    }
    return QWidget::event(event);
}

void TXPButton::paintEvent(QPaintEvent*)
{
    if (!isEnabled()) {
        state_ = bsDisabled;
        dragging_ = false;
    } else if (state_ == bsDisabled) {
        state_ = (down_ && groupIndex_ != 0) ? bsExclusive : bsUp;
    }
    QPainter p(this);
    p.setFont(font());
    QRect r = rect();
    const bool pushed = state_ == bsDown || state_ == bsExclusive;
    if (flat_) {
        if (pushed || (mouseInControl_ && state_ != bsDisabled)) {
            DrawEdge(p, r, pushed ? EdgeKind::SunkenOuter : EdgeKind::RaisedInner, !transparent_);
            if (mouseInControl_) {
                // Hovered: the highlight fill inside a frame replaces the edge.
                p.fillRect(r, ToQColor(highlightColor_));
                FrameRect(p, r, ToQColor(frameColor_));
            }
        } else if (!transparent_) {
            p.fillRect(r, ToQColor(color_));
        }
        r.adjust(1, 1, -1, -1);
    } else {
        r = DrawPushButtonFrame(p, r, pushed);
    }
    QPoint offset(0, 0);
    if (pushed) {
        if (state_ == bsExclusive && (!flat_ || !mouseInControl_))
            p.fillRect(r, CheckerPatternBrush(clBtnFace, clBtnHighlight));
        offset = QPoint(1, 1);
    }
    DrawGlyphAndCaption(p, r, offset);
    // The keyboard focus: a dotted frame just inside the border, over glyph and caption, so that
    // Tab shows where it went; a button without the focus looks as it always did.
    if (hasFocus() && isEnabled()) {
        const QRect focus = flat_ ? rect().adjusted(2, 2, -2, -2) : r.adjusted(1, 1, -1, -1);
        DrawFocusFrame(p, focus, ToQColor(clBtnText));
    }
}

void TXPButton::DrawGlyphAndCaption(QPainter& p, const QRect& client, const QPoint& offset)
{
    const QImage& strip = glyph_.Glyph();
    const QSize glyphSize = strip.isNull() ? QSize(0, 0) : QSize(strip.width() / glyph_.NumGlyphs(), strip.height());
    QSize textSize(0, 0);
    const QFontMetrics fm(font());
    if (!caption_.isEmpty())
        textSize = fm.boundingRect(QRect(0, 0, client.width(), 0), Qt::TextShowMnemonic, caption_).size();
    const TButtonLayoutResult lay = CalcButtonLayout(client, offset, glyphSize, textSize, layout_, margin_,
                                                     spacing_, layoutDirection() == Qt::RightToLeft);
    // Glyph
    if (!strip.isNull() && glyphSize.width() > 0 && glyphSize.height() > 0) {
        const QImage img = glyph_.StateImage(state_);
        if (!img.isNull()) {
            if (!transparent_ && state_ != bsExclusive)
                p.fillRect(QRect(lay.GlyphPos, glyphSize), ToQColor(clBtnFace));
            p.drawImage(lay.GlyphPos, img);
        }
    }
    // Caption
    if (caption_.isEmpty())
        return;
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (state_ == bsDisabled) {
        p.setPen(ToQColor(clBtnHighlight));
        p.drawText(lay.TextBounds.translated(1, 1), flags, caption_);
        p.setPen(ToQColor(clBtnShadow));
        p.drawText(lay.TextBounds, flags, caption_);
    } else {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(lay.TextBounds, flags, caption_);
    }
}
