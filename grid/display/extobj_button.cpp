// TExtGridButton: the grid's flat button with glyphs per state, background gradients per state,
// hot tracking, latching in groups of its parent, toggling by itself and a drop-down strip; and
// its link to an action.
#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOptionButton>

#include "grid/display/extobj.h"
#include "grid/display/extutil.h"
#include "grid/display/extxpvs.h"
#include "grid/display/gridcanvas.h"
#include "platform/vcl/actnlist.h"

namespace {

constexpr int kDropDownWidth = 12;

}  // namespace

// --- the action link -------------------------------------------------------------------------------

TExtGridButtonActionLink::TExtGridButtonActionLink(TExtGridButton* button, TAction* action)
    : button_(button), action_(action)
{
    if (action)
        connect(action, &TAction::Changed, this, [this] { Update(); });
    Update();
}

TAction* TExtGridButtonActionLink::Action() const
{
    return action_.data();
}

void TExtGridButtonActionLink::Update()
{
    if (!action_)
        return;
    button_->SetCaption(action_->Caption());
    button_->SetDown(action_->Checked());
    button_->setEnabled(action_->Enabled());
    button_->setToolTip(action_->Hint().section(QLatin1Char('|'), 0, 0));
}

// --- the button ------------------------------------------------------------------------------------

TExtGridButton::TExtGridButton(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    resize(23, 22);
}

TExtGridButton::~TExtGridButton() = default;

TAction* TExtGridButton::Action() const
{
    return actionLink_ ? actionLink_->Action() : nullptr;
}

void TExtGridButton::SetAction(TAction* value)
{
    actionLink_.reset();
    if (value)
        actionLink_ = std::make_unique<TExtGridButtonActionLink>(this, value);
}

void TExtGridButton::SetAllowAllUp(bool value)
{
    if (allowAllUp_ == value)
        return;
    allowAllUp_ = value;
    updateExclusive();
}

void TExtGridButton::SetGroupIndex(int value)
{
    if (groupIndex_ == value)
        return;
    groupIndex_ = value;
    updateExclusive();
}

void TExtGridButton::SetAutoThemeAdapt(bool value)
{
    autoThemeAdapt_ = value;
    if (value)
        ThemeAdapt();
}

void TExtGridButton::ThemeAdapt()
{
    const int scheme = CurrentXPColorScheme();
    if (scheme == 0) {
        Color = clBtnFace;
        ColorTo = clNone;
        ColorHot = 0x00EED2C1;
        ColorHotTo = clNone;
        ColorDown = 0x00E2B598;
        ColorDownTo = clNone;
        ColorChecked = 0x00E8E6E1;
        ColorCheckedTo = clNone;
        BorderDownColor = 0x00C56A31;
        BorderHotColor = 0x00C56A31;
    } else {
        static const TColor from[] = {0, 0x00FDEADA, 0x00CFF0EA, 0x00ECE2E1};
        static const TColor to[] = {0, 0x00E4AE88, 0x008CC0B1, 0x00B39698};
        Color = from[scheme];
        ColorTo = to[scheme];
        ColorHot = 0x00CCF4FF;
        ColorHotTo = 0x0091D0FF;
        ColorDown = 0x004E91FE;
        ColorDownTo = 0x008ED3FF;
        ColorChecked = 0x008ED3FF;
        ColorCheckedTo = 0x0055ADFF;
        BorderDownColor = clBlack;
        BorderHotColor = clBlack;
    }
    BorderColor = clNone;
    Rounded = false;
    flat_ = true;
    update();
}

void TExtGridButton::SetDown(bool value)
{
    if (Style == tasCheck) {
        down_ = value;
        update();
        return;
    }
    if (value == down_)
        return;
    // A latched button comes up only when its group lets every button be up.
    if (down_ && !allowAllUp_)
        return;
    down_ = value;
    state_ = value ? 3 : 0;
    update();
    if (value)
        updateExclusive();
}

void TExtGridButton::updateExclusive()
{
    if (groupIndex_ == 0 || !parentWidget())
        return;
    for (TExtGridButton* b : parentWidget()->findChildren<TExtGridButton*>(Qt::FindDirectChildrenOnly))
        if (b != this)
            b->ButtonPressed(groupIndex_, this);
}

void TExtGridButton::ButtonPressed(int Group, TExtGridButton* Sender)
{
    if (Group != groupIndex_ || Sender == this)
        return;
    if (Sender->down_ && down_) {
        down_ = false;
        state_ = 0;
        if (TAction* a = Action())
            a->SetChecked(false);
        update();
    }
    allowAllUp_ = Sender->allowAllUp_;
}

void TExtGridButton::SetCaption(const QString& value)
{
    caption_ = value;
    updateShortcut();
    update();
}

void TExtGridButton::updateShortcut()
{
    if (shortcutId_ != 0)
        releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence key = QKeySequence::mnemonic(caption_);
    if (!key.isEmpty())
        shortcutId_ = grabShortcut(key, Qt::WindowShortcut);
}

void TExtGridButton::SetFlat(bool value)
{
    flat_ = value;
    update();
}

void TExtGridButton::SetMargin(int value)
{
    if (value < -1 || value == margin_)
        return;
    margin_ = value;
    update();
}

int TExtGridButton::GreyLevel(int R, int G, int B)
{
    const int a = int(std::lround((R + G + B) / 3.0));
    return a / 2 + 96;
}

void TExtGridButton::SetGlyph(const QPixmap& value)
{
    glyph_ = value;
    if (GlyphDisabled.isNull() && !value.isNull()) {
        QImage img = value.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = line[x];
                const int g = GreyLevel(qRed(c), qGreen(c), qBlue(c));
                line[x] = qRgba(g, g, g, qAlpha(c));
            }
        }
        GlyphDisabled = QPixmap::fromImage(img);
    }
    buildShade();
    update();
}

void TExtGridButton::buildShade()
{
    shade_ = QPixmap();
    if (!Shaded || glyph_.isNull())
        return;
    // The glyph's silhouette in one colour, transparent where the glyph is.
    QImage img = glyph_.toImage().convertToFormat(QImage::Format_ARGB32);
    const QColor shadow = ToQColor(clBtnShadow);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = qAlpha(line[x]) ? qRgba(shadow.red(), shadow.green(), shadow.blue(), qAlpha(line[x])) : 0;
    }
    shade_ = QPixmap::fromImage(img);
}

QPixmap TExtGridButton::CurrentGlyph() const
{
    auto orGlyph = [this](const QPixmap& p) { return p.isNull() ? glyph_ : p; };
    if (!isEnabled())
        return orGlyph(GlyphDisabled);
    if (state_ == 2 || state_ == 3 || (Style == tasCheck && down_))
        return orGlyph(GlyphDown);
    if (hot_)
        return orGlyph(GlyphHot);
    return glyph_;
}

void TExtGridButton::CalcLayout(const QRect& Client, const QPoint& Offset, QPoint& GlyphPos, QRect& TextBounds) const
{
    TGridGlyphLayout layout = Layout;
    if (layoutDirection() == Qt::RightToLeft) {
        if (layout == gglGlyphLeft)
            layout = gglGlyphRight;
        else if (layout == gglGlyphRight)
            layout = gglGlyphLeft;
    }
    const QSize glyph = glyph_.isNull() ? QSize(0, 0) : glyph_.size();
    const QString caption = ShowCaption ? caption_ : QString();
    const QString shown = QString(caption).remove(QLatin1Char('&'));
    const TGridTextMeasurer& m = GridTextMeasurer();
    const QSize text = shown.isEmpty() ? QSize(0, 0) : QSize(m.TextWidth(font(), shown), m.LineHeight(font()));
    const bool horizontal = layout == gglGlyphLeft || layout == gglGlyphRight;
    const int clientExtent = horizontal ? Client.width() : Client.height();
    const int glyphExtent = horizontal ? glyph.width() : glyph.height();
    const int textExtent = horizontal ? text.width() : text.height();
    int spacing = (glyph_.isNull() || shown.isEmpty()) ? 0 : Spacing;
    int margin = margin_;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (clientExtent - glyphExtent - textExtent) / 3;
            spacing = margin;
        } else {
            margin = (clientExtent - (glyphExtent + spacing + textExtent) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (clientExtent - margin - glyphExtent - textExtent) / 2;
    }
    QPoint g;
    QPoint t;
    if (horizontal) {
        g.setY((Client.height() - glyph.height() + 1) / 2);
        t.setY((Client.height() - text.height() + 1) / 2);
        if (layout == gglGlyphLeft) {
            g.setX(margin);
            t.setX(margin + glyph.width() + spacing);
        } else {
            g.setX(Client.width() - margin - glyph.width());
            t.setX(g.x() - spacing - text.width());
        }
    } else {
        g.setX((Client.width() - glyph.width() + 1) / 2);
        t.setX((Client.width() - text.width() + 1) / 2);
        if (layout == gglGlyphTop) {
            g.setY(margin);
            t.setY(margin + glyph.height() + spacing);
        } else {
            g.setY(Client.height() - margin - glyph.height());
            t.setY(g.y() - spacing - text.height());
        }
    }
    GlyphPos = Client.topLeft() + g + Offset;
    TextBounds = QRect(Client.topLeft() + t + Offset, text);
}

void TExtGridButton::PaintButton(TGridCanvas& Canvas)
{
    QRect client = rect();
    if (DropDownButton)
        client.setRight(client.right() - kDropDownWidth);
    int state = state_;
    if (Style == tasCheck && down_ && state == 0)
        state = 3;
    if (flat_) {
        TColor from = Color;
        TColor to = ColorTo;
        TColor border = BorderColor;
        if (state == 2) {
            from = ColorDown;
            to = ColorDownTo;
            border = BorderDownColor;
        } else if (state == 3) {
            from = ColorChecked;
            to = ColorCheckedTo;
            border = BorderDownColor;
        } else if (hot_) {
            from = ColorHot;
            to = ColorHotTo;
            border = BorderHotColor;
        }
        if (to != clNone) {
            DrawGradient(Canvas, from, to, 16, false, rect());
        } else {
            Canvas.Brush = TGridBrush{from, bsSolid};
            Canvas.FillRect(rect());
        }
        if (border != clNone) {
            Canvas.Pen = TGridPen{border, 1, Qt::SolidLine};
            if (Rounded) {
                const QRect r = rect().adjusted(0, 0, -1, -1);
                Canvas.Custom(rect(), QStringLiteral("rounded frame"), [r, border](QPainter& p) {
                    p.setPen(ToQColor(border));
                    p.setBrush(Qt::NoBrush);
                    p.drawRoundedRect(r, 4, 4);
                });
            } else {
                Canvas.Brush = TGridBrush{border, bsSolid};
                Canvas.FrameRect(rect());
            }
        }
    } else if (AutoXPStyle && ThemedDrawing()) {
        DrawThemedPart(Canvas, this, QStringLiteral("button"), 1, state >= 2 ? 3 : hot_ ? 2 : 1, rect());
    } else {
        const bool pushed = state >= 2;
        Canvas.Custom(rect(), pushed ? QStringLiteral("button pushed") : QStringLiteral("button"),
                      [this, pushed](QPainter& p) {
                          QStyleOptionButton opt;
                          opt.initFrom(this);
                          opt.rect = rect();
                          opt.state |= pushed ? QStyle::State_Sunken : QStyle::State_Raised;
                          style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &opt, &p, this);
                      });
    }
    if (DropDownButton) {
        const int x = width() - kDropDownWidth;
        Canvas.Pen = TGridPen{clGray, 1, Qt::SolidLine};
        Canvas.Line({x, 2}, {x, height() - 2});
        const int cx = x + kDropDownWidth / 2;
        const int cy = height() / 2;
        Canvas.Brush = TGridBrush{isEnabled() ? clBlack : clGray, bsSolid};
        Canvas.Pen = TGridPen{isEnabled() ? clBlack : clGray, 1, Qt::SolidLine};
        Canvas.Polygon({{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}});
    }

    const QPoint offset = (!flat_ && state >= 2) ? QPoint(1, 1) : QPoint(0, 0);
    QPoint glyphPos;
    QRect textBounds;
    CalcLayout(client, offset, glyphPos, textBounds);
    const QPixmap glyph = CurrentGlyph();
    if (!glyph.isNull()) {
        if (Shaded && hot_ && state < 2 && !shade_.isNull())
            Canvas.DrawPixmap(QRect(glyphPos + QPoint(2, 2), shade_.size()), shade_);
        Canvas.DrawPixmap(QRect(glyphPos, glyph.size()), glyph);
    }
    if (ShowCaption && !caption_.isEmpty()) {
        Canvas.Font = font();
        Canvas.Brush.Style = bsClear;
        const QString shown = QString(caption_).remove(QLatin1Char('&'));
        if (!isEnabled()) {
            Canvas.FontColor = clBtnHighlight;
            Canvas.TextRect(textBounds.translated(1, 1), shown, tfLeft | tfTop | tfSingleLine | tfNoClip);
            Canvas.FontColor = clBtnShadow;
        } else {
            Canvas.FontColor = clBtnText;
        }
        Canvas.TextRect(textBounds, shown, tfLeft | tfTop | tfSingleLine | tfNoClip);
    }
}

void TExtGridButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QPainterCanvas canvas(p);
    PaintButton(canvas);
}

void TExtGridButton::Click()
{
    if (OnClick)
        OnClick(this);
    else if (TAction* a = Action())
        a->Execute();
}

void TExtGridButton::setHot(bool value, bool fire)
{
    if (value) {
        QWidget* grabber = QWidget::mouseGrabber();
        if (flat_ && isEnabled() && !dragging_ && (!grabber || grabber == this) && !hot_) {
            hot_ = true;
            update();
        }
        if (fire && OnMouseEnter)
            OnMouseEnter(this);
    } else {
        if (hot_) {
            hot_ = false;
            update();
        }
        if (fire && OnMouseLeave)
            OnMouseLeave(this);
    }
}

void TExtGridButton::mousePressEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    if (e->button() == Qt::LeftButton && isEnabled()) {
        if (DropDownButton && at.x() > width() - kDropDownWidth) {
            state_ = 0;
            hot_ = false;
            update();
            if (OnDropDown)
                OnDropDown(this);
            if (DropDownMenu)
                DropDownMenu->popup(mapToGlobal(QPoint(0, height())));
        } else {
            if (state_ != 3)
                state_ = 2;
            dragging_ = true;
            update();
        }
    }
    if (OnMouseDown)
        OnMouseDown(this, e->button(), e->modifiers(), at.x(), at.y());
}

void TExtGridButton::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    if (dragging_) {
        int state = 0;
        if (down_)
            state = 3;
        else if (rect().contains(at))
            state = 2;
        if (Style == tasCheck && down_)
            state = 2;
        if (state != state_) {
            state_ = state;
            update();
        }
    } else if (!hot_ && rect().contains(at)) {
        setHot(true, false);
    }
    if (OnMouseMove)
        OnMouseMove(this, e->modifiers(), at.x(), at.y());
}

void TExtGridButton::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    if (dragging_) {
        dragging_ = false;
        const bool inside = at.x() >= 0 && at.x() < width() && at.y() >= 0 && at.y() <= height();
        if (groupIndex_ != 0) {
            if (inside)
                SetDown(!down_);
            state_ = down_ ? 3 : 0;
        } else {
            state_ = 0;
            hot_ = false;
            if (Style == tasCheck && inside)
                down_ = !down_;
        }
        update();
        if (inside)
            Click();
        // The hot look follows the pointer again.
        setHot(inside, true);
    }
    if (OnMouseUp)
        OnMouseUp(this, e->button(), e->modifiers(), at.x(), at.y());
}

void TExtGridButton::mouseDoubleClickEvent(QMouseEvent* e)
{
    mousePressEvent(e);
    if (down_ && OnDblClick)
        OnDblClick(this);
}

void TExtGridButton::enterEvent(QEnterEvent*)
{
    setHot(true, true);
}

void TExtGridButton::leaveEvent(QEvent*)
{
    setHot(false, true);
}

void TExtGridButton::changeEvent(QEvent* e)
{
    switch (e->type()) {
    case QEvent::EnabledChange:
    case QEvent::FontChange:
        update();
        break;
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
        if (autoThemeAdapt_)
            ThemeAdapt();
        break;
    default:
        break;
    }
    QWidget::changeEvent(e);
}

bool TExtGridButton::event(QEvent* e)
{
    if (e->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(e);
        if (se->shortcutId() == shortcutId_) {
            if (isEnabled() && isVisible() && parentWidget() && parentWidget()->isVisible())
                Click();
            return true;
        }
    }
    return QWidget::event(e);
}
