// The edit with a button, the unit edit and their speed button.
#include "grid/editing/esgedit.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "grid/display/extxpvs.h"
#include "grid/editing/editorframes.h"
#include "platform/vcl/events.h"

// ---------------------------------------------------------------------------------------------
// TExtSpeedButton

TExtSpeedButton::TExtSpeedButton(QWidget* parent) : QToolButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void TExtSpeedButton::SetIsWinXP(bool value)
{
    isWinXP_ = value;
    update();
}

void TExtSpeedButton::SetFlat(bool value)
{
    flat_ = value;
    update();
}

void TExtSpeedButton::SetGlyph(const QPixmap& glyph)
{
    glyph_ = GlyphWithTransparency(glyph);
    update();
}

void TExtSpeedButton::SetNumGlyphs(int value)
{
    numGlyphs_ = std::clamp(value, 1, 4);
    update();
}

void TExtSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const bool pressed = Pressed();
    QRect r = rect();
    bool framed = false;
    if (isWinXP_) {
        if (HTHEME theme = OpenThemeData(window(), QStringLiteral("button"))) {
            const int state = pressed ? themepart::PBS_PRESSED : hot_ ? themepart::PBS_HOT : themepart::PBS_NORMAL;
            framed = DrawThemeBackground(theme, p, themepart::BP_PUSHBUTTON, state, r);
            CloseThemeData(theme);
        }
    }
    if (!framed) {
        p.fillRect(r, ToQColor(clBtnFace));
        if (flat_)
            r = DrawEdge(p, r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
        else
            r = DrawEdge(p, r, pressed ? BDR_SUNKENOUTER | BDR_SUNKENINNER : EDGE_RAISED);
    }
    if (!glyph_.isNull()) {
        // Centred where it is narrower (lower) than the button, else at the edge.
        const QSize g = GlyphSize(glyph_, numGlyphs_);
        QPoint at(g.width() < width() ? (width() - g.width()) / 2 : 0,
                  g.height() < height() ? (height() - g.height()) / 2 : 0);
        if (pressed)
            at += QPoint(1, 1);
        DrawGlyph(p, glyph_, numGlyphs_, at, isEnabled(), pressed);
    }
    if (!text().isEmpty()) {
        const int offset = pressed ? 3 : 2;
        p.setPen(ToQColor(isEnabled() ? clBtnText : clGrayText));
        p.setFont(font());
        p.drawText(QRect(offset, offset, width(), height()), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text());
    }
}

void TExtSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const bool overPressed = isDown() && rect().contains(pos);
    QToolButton::mouseReleaseEvent(event);
    if (overPressed && OnMouseUp)
        RunGuarded([&] { OnMouseUp(this, event->button(), event->modifiers(), pos.x(), pos.y()); });
}

void TExtSpeedButton::enterEvent(QEnterEvent* event)
{
    hot_ = true;
    update();
    QToolButton::enterEvent(event);
}

void TExtSpeedButton::leaveEvent(QEvent* event)
{
    hot_ = false;
    update();
    QToolButton::leaveEvent(event);
}

// ---------------------------------------------------------------------------------------------
// TEsgEditButton

TEsgEditButton::TEsgEditButton(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    button_ = new TExtSpeedButton(this);
    button_->OnMouseUp = [this](QObject*, Qt::MouseButton mb, Qt::KeyboardModifiers, int x, int y) {
        buttonMouseUp(mb, QPoint(x, y));
    };
    button_->show();
    resize(20, 25);
    button_->setGeometry(rect());
}

void TEsgEditButton::SetBounds(int left, int top, int w, int h)
{
    setGeometry(left, top, std::max(w, 15), h);
    button_->setGeometry(rect());
}

void TEsgEditButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (width() < 15)
        resize(15, height());
    else
        button_->setGeometry(rect());
}

void TEsgEditButton::buttonMouseUp(Qt::MouseButton mouseButton, const QPoint&)
{
    if (mouseButton != Qt::LeftButton)
        return;
    if (OnClick)
        RunGuarded([this] { OnClick(this); });
    auto canTakeFocus = [](QWidget* w) {
        return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible();
    };
    QWidget* control = focusControl_.data();
    if (control && canTakeFocus(control) && !control->hasFocus())
        control->setFocus(Qt::MouseFocusReason);
    else if (canTakeFocus(this) && !hasFocus())
        setFocus(Qt::MouseFocusReason);
}

// ---------------------------------------------------------------------------------------------
// TEsgEditBtn

TEsgEditBtn::TEsgEditBtn(QWidget* parent) : TEditorLineEdit(parent)
{
    button_ = new TEsgEditButton(this);
    button_->resize(18, 18);
    button_->setCursor(Qt::ArrowCursor);
    button_->SetFocusControl(this);
    button_->OnClick = [this](QObject*) { ClickButton(); };
    button_->show();
    setText(QStringLiteral("0"));
    setMinimumHeight(MinHeight());
    placeButton();
}

TEsgEditBtn::~TEsgEditBtn()
{
    // The holder is freed as a child; nothing reaches it through button_ on the way.
    button_->OnClick = nullptr;
}

void TEsgEditBtn::SetButtonWidth(int value)
{
    buttonWidth_ = value;
    button_->resize(value, button_->height());
    placeButton();
}

void TEsgEditBtn::SetRightAlign(bool value)
{
    rightAlign_ = value;
    setAlignment((value ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

void TEsgEditBtn::SetIsWinXP(bool value)
{
    isWinXP_ = value;
    button_->Button()->SetIsWinXP(value);
}

void TEsgEditBtn::SetBorderStyle(TEditBorderStyle value)
{
    setFrame(value == bsSingle);
    setMinimumHeight(MinHeight());
    placeButton();
}

void TEsgEditBtn::SetUnitSpaceWidth(int value)
{
    unitSpace_ = value;
    placeButton();
    update();
}

QRect TEsgEditBtn::ClientRect() const
{
    // The border takes two pixels on each side.
    return hasFrame() ? rect().adjusted(2, 2, -2, -2) : rect();
}

int TEsgEditBtn::MinHeight() const
{
    const int own = fontMetrics().height();
    const int system = QFontMetrics(QApplication::font()).height();
    return own + std::min(own, system) / 4 + (hasFrame() ? 4 : 0);
}

void TEsgEditBtn::ClickButton()
{
    if (OnClickBtn)
        OnClickBtn(this);
}

void TEsgEditBtn::KeyDown(int& key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_F4)
        ClickButton();
}

void TEsgEditBtn::placeButton()
{
    // The button stands at the client area's right edge (a pixel in from it) and the text keeps
    // clear of it and of the unit strip.
    const QRect client = ClientRect();
    const int bw = button_->width();
    button_->SetBounds(client.right() - bw, client.top(), bw, client.height() - 1);
    const int inset = hasFrame() ? 0 : 1;
    setTextMargins(inset, inset, button_->width() + 3 + unitSpace_, 0);
}

void TEsgEditBtn::resizeEvent(QResizeEvent* event)
{
    TEditorLineEdit::resizeEvent(event);
    placeButton();
}

void TEsgEditBtn::changeEvent(QEvent* event)
{
    TEditorLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        setMinimumHeight(MinHeight());
}

// ---------------------------------------------------------------------------------------------
// TEsgUnitEditBtn

TEsgUnitEditBtn::TEsgUnitEditBtn(QWidget* parent) : TEsgEditBtn(parent)
{
    SetUnitSpaceWidth(20);
    SetRightAlign(true);
}

void TEsgUnitEditBtn::SetUnitID(const QString& value)
{
    unitID_ = value;
    update();
}

QRect TEsgUnitEditBtn::UnitRect() const
{
    const QRect client = ClientRect();
    const int left = client.left() + client.width() - Button()->width() - 3 - UnitSpaceWidth();
    return QRect(left, client.top() + 2, UnitSpaceWidth(), client.height() - 2);
}

void TEsgUnitEditBtn::ClickButton()
{
    if (unitMenu_)
        unitMenu_->close();
    auto* menu = new QMenu(this);
    // Each entry carries its unit: what is picked is what was shown.
    for (const QString& unit : units_) {
        QAction* a = menu->addAction(unit);
        connect(a, &QAction::triggered, this, [this, unit] { SetUnitID(unit); });
    }
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    unitMenu_ = menu;
    const QRect client = ClientRect();
    menu->popup(mapToGlobal(QPoint(client.left() + client.width() - 15, client.top() + client.height())));
    // A menu without entries may not open at all; then it goes at once.
    if (!menu->isVisible())
        menu->deleteLater();
}

void TEsgUnitEditBtn::paintEvent(QPaintEvent* event)
{
    TEsgEditBtn::paintEvent(event);
    if (unitID_.isEmpty() || UnitSpaceWidth() <= 0)
        return;
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    p.drawText(UnitRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, unitID_);
}
