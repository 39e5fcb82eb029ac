// The combo editor with its flat look.
#include "grid/editing/esgcombo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

#include "grid/display/extxpvs.h"
#include "grid/editing/editorframes.h"
#include "grid/editing/editorkeys.h"
#include "platform/vcl/events.h"

// The list's items as the owner draws and measures them in the owner-drawn styles.
class TESGComboDelegate : public QStyledItemDelegate {
public:
    explicit TESGComboDelegate(TESGCustomCombo* combo) : QStyledItemDelegate(combo), combo_(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (!combo_->ownerDrawn() || !combo_->OnDrawItem) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        TOwnerDrawState state = 0;
        if (option.state & QStyle::State_Selected)
            state |= odSelected;
        if (option.state & QStyle::State_HasFocus)
            state |= odFocused;
        if (!(option.state & QStyle::State_Enabled))
            state |= odDisabled;
        painter->save();
        painter->fillRect(option.rect, option.palette.color(state & odSelected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(option.palette.color(state & odSelected ? QPalette::HighlightedText : QPalette::Text));
        RunGuarded([&] { combo_->OnDrawItem(combo_, index.row(), *painter, option.rect, state); });
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (combo_->style_ == csOwnerDrawFixed && combo_->itemHeight_ > 0) {
            size.setHeight(combo_->itemHeight_);
        } else if (combo_->style_ == csOwnerDrawVariable) {
            int height = combo_->itemHeight_ > 0 ? combo_->itemHeight_ : size.height();
            if (combo_->OnMeasureItem)
                RunGuarded([&] { combo_->OnMeasureItem(combo_, index.row(), height); });
            size.setHeight(height);
        }
        return size;
    }

private:
    TESGCustomCombo* combo_;
};

TESGCustomCombo::TESGCustomCombo(QWidget* parent) : QComboBox(parent)
{
    buttonWidth_ = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + 4;
    setMaxVisibleItems(8);
    setItemDelegate(new TESGComboDelegate(this));
    SetStyle(csDropDown);
    connect(this, QOverload<int>::of(&QComboBox::activated), this, [this](int) {
        if (OnClick)
            RunGuarded([this] { OnClick(this); });
        if (OnChange)
            RunGuarded([this] { OnChange(this); });
    });
    applyColor();
}

void TESGCustomCombo::SetButtonWidth(int value)
{
    if (value < 14 || value > 32)
        return;
    buttonWidth_ = value;
    placeEditField();
    update();
}

void TESGCustomCombo::SetStyle(TComboBoxStyle value)
{
    style_ = value;
    const bool editable = style_ == csDropDown || style_ == csSimple;
    if (editable != isEditable()) {
        setEditable(editable);
        if (QLineEdit* le = lineEdit()) {
            setInsertPolicy(QComboBox::NoInsert);
            setCompleter(nullptr);
            connect(le, &QLineEdit::textEdited, this, [this](const QString&) {
                if (OnChange)
                    RunGuarded([this] { OnChange(this); });
            });
        }
    }
    applyColor();
    placeEditField();
    update();
}

void TESGCustomCombo::SetFlat(bool value)
{
    if (value == flat_)
        return;
    flat_ = value;
    placeEditField();
    update();
}

void TESGCustomCombo::SetEtched(bool value)
{
    etched_ = value;
    update();
}

void TESGCustomCombo::SetFocusBorder(bool value)
{
    focusBorder_ = value;
    update();
}

void TESGCustomCombo::SetDropWidth(int value)
{
    dropWidth_ = value;
    if (value > 0)
        view()->setMinimumWidth(value);
}

int TESGCustomCombo::ItemHeight() const
{
    if (itemHeight_ > 0)
        return itemHeight_;
    return count() > 0 ? view()->sizeHintForRow(0) : fontMetrics().height() + 2;
}

void TESGCustomCombo::SetItemHeight(int value)
{
    if (value > 0)
        itemHeight_ = value;
}

QStringList TESGCustomCombo::Items() const
{
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items << itemText(i);
    return items;
}

void TESGCustomCombo::SetItems(const QStringList& items)
{
    const QString text = currentText();
    clear();
    addItems(items);
    if (sorted_)
        sortItems();
    if (isEditable())
        setEditText(text);
}

void TESGCustomCombo::SetSorted(bool value)
{
    sorted_ = value;
    if (sorted_)
        sortItems();
}

void TESGCustomCombo::sortItems()
{
    QStringList items = Items();
    std::stable_sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    if (items == Items())
        return;
    const QString text = currentText();
    blockSignals(true);
    clear();
    addItems(items);
    if (isEditable())
        setEditText(text);
    else
        setCurrentIndex(findText(text));
    blockSignals(false);
}

void TESGCustomCombo::SetText(const QString& value)
{
    if (isEditable())
        setEditText(value);
    else
        setCurrentIndex(findText(value));
}

unsigned TESGCustomCombo::GetVersionNr() const
{
    const unsigned major = 1, minor = 2, release = 0, build = 0;
    return ((major << 8 | minor) << 16) | (release << 8 | build);
}

QString TESGCustomCombo::Version() const
{
    const unsigned nr = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg(nr >> 24).arg((nr >> 16) & 0xFF).arg((nr >> 8) & 0xFF).arg(nr & 0xFF);
}

void TESGCustomCombo::SetColor(TColor value)
{
    color_ = value;
    parentColor_ = false;
    applyColor();
}

void TESGCustomCombo::SetParentColor(bool value)
{
    parentColor_ = value;
    applyColor();
}

TColor TESGCustomCombo::EffectiveColor() const
{
    if (parentColor_ && parentWidget())
        return FromQColor(parentWidget()->palette().color(parentWidget()->backgroundRole()));
    return color_;
}

void TESGCustomCombo::applyColor()
{
    const QColor c = ToQColor(EffectiveColor());
    QPalette pal = palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(g, QPalette::Base, c);
        pal.setColor(g, QPalette::Window, c);
    }
    setPalette(pal);
    if (QLineEdit* le = lineEdit())
        le->setPalette(pal);
    update();
}

void TESGCustomCombo::SetIsWinXP(bool value)
{
    isWinXP_ = value;
    update();
}

QRect TESGCustomCombo::ButtonRect() const
{
    return QRect(width() - buttonWidth_, 0, buttonWidth_, height());
}

bool TESGCustomCombo::Active() const
{
    return mouseIn_ || hasFocus();
}

void TESGCustomCombo::placeEditField()
{
    QLineEdit* le = lineEdit();
    if (!le)
        return;
    if (!flat_) {
        // The style's own place for the edit field.
        QResizeEvent same(size(), size());
        QComboBox::resizeEvent(&same);
        return;
    }
    // Inside the frames, left of the drop-down button.
    le->setGeometry(QRect(3, 3, std::max(0, width() - buttonWidth_ - 2 - 3 - 1), std::max(0, height() - 6)));
}

void TESGCustomCombo::resizeEvent(QResizeEvent* event)
{
    QComboBox::resizeEvent(event);
    placeEditField();
}

void TESGCustomCombo::showEvent(QShowEvent* event)
{
    QComboBox::showEvent(event);
    placeEditField();
}

void TESGCustomCombo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && flat_) {
        // A disabled flat combo shows its parent's colour; enabled again, its own.
        if (!isEnabled()) {
            savedColor_ = color_;
            savedParentColor_ = parentColor_;
            parentColor_ = true;
        } else {
            color_ = savedColor_;
            parentColor_ = savedParentColor_;
        }
        applyColor();
    }
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
        placeEditField();
}

void TESGCustomCombo::DrawDropButton(QPainter& p)
{
    if (isWinXP_) {
        if (HTHEME theme = OpenThemeData(window(), QStringLiteral("combobox"))) {
            const bool pressed = QApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton);
            DrawThemeBackground(theme, p, themepart::CP_DROPDOWNBUTTON, pressed ? 3 : 1,
                                ButtonRect().adjusted(1, 1, -1, -1));
            CloseThemeData(theme);
            return;
        }
    }
    DrawScrollArrowButton(p, ClassicDropButtonRect(), TArrowKind::Down, false, true, isEnabled());
}

QRect TESGCustomCombo::ClassicDropButtonRect() const
{
    return QRect(width() - buttonWidth_, 1, buttonWidth_, height() - 2).translated(-2, 1);
}


void TESGCustomCombo::drawBorders(QPainter& p)
{
    if (!flat_)
        return;
    const bool hot = Active();
    const TColor parentBrush =
        parentWidget() ? FromQColor(parentWidget()->palette().color(parentWidget()->backgroundRole())) : clBtnFace;
    const QColor outer = ToQColor(hot && focusBorder_ ? clBtnFace : parentBrush);
    const QColor inner = ToQColor(EffectiveColor());
    QRect r = rect();
    if (hot && focusBorder_) {
        r = DrawEdge(p, r, BDR_SUNKENOUTER);
        EditorFrameRect(p, r, outer);
        r.adjust(1, 1, -1, -1);
        EditorFrameRect(p, r, inner);
    } else {
        EditorFrameRect(p, r, outer);
        r.adjust(1, 1, -1, -1);
        EditorFrameRect(p, r, outer);
        r.adjust(1, 1, -1, -1);
        EditorFrameRect(p, r, inner);
    }
    if (style_ != csSimple)
        DrawDropButtonBorder(p);
}

void TESGCustomCombo::DrawDropButtonBorder(QPainter& p)
{
    if (isWinXP_)
        return;
    // The button's edge: from the button's left less 2 to the right edge less 1, from 2 down to
    // the bottom.
    const int cw = width();
    const QRect button(cw - buttonWidth_ - 2, 2, buttonWidth_ + 1, height() - 2);
    DrawEdge(p, button, etched_ ? EDGE_ETCHED : EDGE_RAISED);
}

void TESGCustomCombo::paintEvent(QPaintEvent* event)
{
    if (!flat_) {
        QComboBox::paintEvent(event);
        return;
    }
    QPainter p(this);
    if (style_ != csSimple) {
        p.fillRect(rect(), ToQColor(EffectiveColor()));
        DrawDropButton(p);
    }
    if (!lineEdit()) {
        // A list-only box shows the chosen item itself.
        const QRect textRect(3, 3, std::max(0, width() - buttonWidth_ - 6), std::max(0, height() - 6));
        const bool selected = hasFocus() && !view()->isVisible();
        if (ownerDrawn() && OnDrawItem) {
            p.save();
            p.setClipRect(textRect);
            TOwnerDrawState state =
                odComboBoxEdit | (selected ? odSelected | odFocused : 0u) | (isEnabled() ? 0u : unsigned(odDisabled));
            if (selected)
                p.fillRect(textRect, palette().color(QPalette::Highlight));
            RunGuarded([&] { OnDrawItem(this, currentIndex(), p, textRect, state); });
            p.restore();
        } else {
            if (selected)
                p.fillRect(textRect, palette().color(QPalette::Highlight));
            p.setPen(!isEnabled() ? ToQColor(clGrayText)
                     : selected   ? palette().color(QPalette::HighlightedText)
                                  : palette().color(QPalette::Text));
            p.drawText(textRect.adjusted(2, 0, -1, 0), Qt::AlignVCenter | Qt::AlignLeft, currentText());
        }
    }
    drawBorders(p);
}

void TESGCustomCombo::enterEvent(QEnterEvent* event)
{
    QComboBox::enterEvent(event);
    if (!mouseIn_ && isEnabled()) {
        mouseIn_ = true;
        update();
    }
    if (autoFocus_)
        setFocus(Qt::MouseFocusReason);
}

void TESGCustomCombo::leaveEvent(QEvent* event)
{
    QComboBox::leaveEvent(event);
    if (mouseIn_ && isEnabled()) {
        mouseIn_ = false;
        update();
    }
}

void TESGCustomCombo::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    update();
    if (FocusWithinWindow(event) && OnEnter)
        RunGuarded([this] { OnEnter(this); });
}

void TESGCustomCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    update();
    if (FocusWithinWindow(event) && OnExit)
        RunGuarded([this] { OnExit(this); });
}

void TESGCustomCombo::mousePressEvent(QMouseEvent* event)
{
    // The flat button stands where the style would not look for it.
    if (flat_ && isEditable() && style_ != csSimple && event->button() == Qt::LeftButton &&
        event->position().x() >= width() - buttonWidth_ - 2) {
        showPopup();
        event->accept();
        return;
    }
    QComboBox::mousePressEvent(event);
}

void TESGCustomCombo::mouseDoubleClickEvent(QMouseEvent* event)
{
    QComboBox::mouseDoubleClickEvent(event);
    if (OnDblClick)
        RunGuarded([this] { OnDblClick(this); });
}

void TESGCustomCombo::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    if (KeySwallowed(OnKeyDown, this, event, key))
        return;
    const QString typed = event->text();
    QChar ch = typed.size() == 1 ? typed.at(0) : QChar();
    if (!ch.isNull() && OnKeyPress && !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        RunGuarded([&] { OnKeyPress(this, ch); });
        if (ch.isNull()) {
            event->accept();
            return;
        }
        PassTypedChar(event, ch, [this](QKeyEvent* e) { QComboBox::keyPressEvent(e); });
        return;
    }
    QComboBox::keyPressEvent(event);
}

void TESGCustomCombo::keyReleaseEvent(QKeyEvent* event)
{
    int key = event->key();
    if (!KeySwallowed(OnKeyUp, this, event, key))
        QComboBox::keyReleaseEvent(event);
}

void TESGCustomCombo::showPopup()
{
    if (OnDropDown)
        RunGuarded([this] { OnDropDown(this); });
    QComboBox::showPopup();
    update(ButtonRect());
}

void TESGCustomCombo::hidePopup()
{
    QComboBox::hidePopup();
    update(ButtonRect());
}
