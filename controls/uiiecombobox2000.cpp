#include "controls/uiiecombobox2000.h"

#include "controls/framedrawing.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>

bool FindCompletion(const QString& typed, const QStringList& items, QString& completeWith)
{
    // Case folding compares every letter without case, umlauts and accented letters included.
    const QString key = typed.toCaseFolded();
    for (const QString& item : items) {
        if (item.size() < typed.size())
            continue;
        if (item.left(typed.size()).toCaseFolded() == key) {
            completeWith = item.mid(typed.size());
            return true;
        }
    }
    return false;
}

TUiIECustomComboBox2000::TUiIECustomComboBox2000(QWidget* parent) : QComboBox(parent)
{
    buttonWidth_ = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + 2;
    SetStyle(csDropDown);
    setMouseTracking(true);
    // The list-only style reports a choice of the user as a change.
    connect(this, QOverload<int>::of(&QComboBox::activated), this, [this](int) {
        if (style_ == csDropDownList)
            Change();
    });
}

void TUiIECustomComboBox2000::SetFlat(bool value)
{
    if (value == flat_)
        return;
    flat_ = value;
    PlaceEditField();
    update();
}

void TUiIECustomComboBox2000::SetStyle(TComboBoxStyle value)
{
    style_ = value;
    const bool editable = style_ != csDropDownList;
    if (editable == isEditable())
        return;
    setEditable(editable);
    if (QLineEdit* le = lineEdit()) {
        // The box completes by its own rules; the toolkit's completer and item insertion are off.
        setCompleter(nullptr);
        setInsertPolicy(QComboBox::NoInsert);
        connect(le, &QLineEdit::textEdited, this, [this](const QString&) { Change(); });
        PlaceEditField();
    }
}

void TUiIECustomComboBox2000::SetText(const QString& value)
{
    if (lineEdit())
        setEditText(value);
    else
        setCurrentIndex(findText(value));
}

QStringList TUiIECustomComboBox2000::Items() const
{
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items << itemText(i);
    return items;
}

int TUiIECustomComboBox2000::SelStart() const
{
    const QLineEdit* le = lineEdit();
    if (!le)
        return 0;
    return le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
}

int TUiIECustomComboBox2000::SelLength() const
{
    const QLineEdit* le = lineEdit();
    return le ? le->selectedText().size() : 0;
}

bool TUiIECustomComboBox2000::Hot() const
{
    return mouseInControl_ || hasFocus();
}

void TUiIECustomComboBox2000::Change()
{
    if (OnChange)
        OnChange(this);
    DoCompletion();
}

void TUiIECustomComboBox2000::DoCompletion()
{
    if (!complete_)
        return;
    if (style_ != csDropDown && style_ != csSimple)
        return;
    // Deleting never completes again, or the user could not shorten the text.
    if (lastKey_ == Qt::Key_Backspace || lastKey_ == Qt::Key_Delete)
        return;
    QLineEdit* le = lineEdit();
    if (!le)
        return;
    const QString typed = le->text();
    if (typed.size() < minLengthComplete_ || count() == 0)
        return;
    QString completeWith;
    if (!FindCompletion(typed, Items(), completeWith))
        return;
    bool doComplete = true;
    if (OnComplete)
        OnComplete(this, lastKey_, completeWith, doComplete);
    if (!doComplete)
        return;
    const QString text = typed + completeWith;
    le->setText(text);
    le->setSelection(typed.size(), text.size() - typed.size());
}

void TUiIECustomComboBox2000::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    if (OnKeyDown)
        OnKeyDown(this, key, event->modifiers());
    lastKey_ = key;
    if (key == 0) {
        event->accept();
        return;
    }
    if (key != event->key()) {
        QKeyEvent changed(event->type(), key, event->modifiers(), event->text());
        QComboBox::keyPressEvent(&changed);
        return;
    }
    QComboBox::keyPressEvent(event);
}

QRect TUiIECustomComboBox2000::ButtonRect() const
{
    return QRect(width() - buttonWidth_, 0, buttonWidth_, height());
}

void TUiIECustomComboBox2000::PlaceEditField()
{
    QLineEdit* le = lineEdit();
    if (!le || !flat_)
        return;
    // Inside the three border rings, left of the drop-down button.
    le->setGeometry(QRect(3, 3, width() - buttonWidth_ - 3 - 2, height() - 6));
}

void TUiIECustomComboBox2000::resizeEvent(QResizeEvent* event)
{
    QComboBox::resizeEvent(event);
    PlaceEditField();
}

void TUiIECustomComboBox2000::paintEvent(QPaintEvent* event)
{
    if (!flat_) {
        QComboBox::paintEvent(event);
        return;
    }
    QPainter p(this);
    const int cw = width();
    const int ch = height();
    p.fillRect(rect(), ToQColor(colors_.Effective(this)));
    if (style_ != csSimple) {
        DrawFlatComboArrow(p, QRect(cw - buttonWidth_, 0, buttonWidth_, ch).adjusted(1, 1, -1, -1), isEnabled());
    }
    // The list-only box shows the chosen item itself; an editable one has its edit field.
    if (!lineEdit()) {
        const QRect textRect(3, 3, cw - buttonWidth_ - 5, ch - 6);
        const bool selected = hasFocus() && !view()->isVisible();
        if (selected)
            p.fillRect(textRect, palette().color(QPalette::Highlight));
        p.setPen(!isEnabled()          ? ToQColor(clGrayText)
                 : selected           ? palette().color(QPalette::HighlightedText)
                                      : palette().color(QPalette::Text));
        p.drawText(textRect.adjusted(2, 0, -1, 0), Qt::AlignVCenter | Qt::AlignLeft, currentText());
    }
    const bool hot = Hot();
    DrawFlatInputFrame(p, rect(), hot);
    if (style_ == csSimple)
        return;
    // The frame of the drop-down button, leaving the arrow inside it alone.
    QRect button = rect();
    button.setLeft(cw - buttonWidth_ - 2);
    button.adjust(2, 2, -2, -2);
    const QRect arrow(cw - buttonWidth_ + 4, 4, buttonWidth_ - 8, ch - 8);
    if (hot) {
        p.save();
        p.setClipRegion(QRegion(button).subtracted(QRegion(arrow)));
        DrawEdge(p, button, EdgeKind::Raised, false, ButtonPressed());
        p.restore();
    } else {
        button.adjust(1, 1, -1, -1);
        p.save();
        p.setClipRegion(QRegion(button).subtracted(QRegion(arrow)));
        p.fillRect(button, ToQColor(clBtnFace));
        p.restore();
    }
}

void TUiIECustomComboBox2000::showPopup()
{
    if (OnDropDown)
        OnDropDown(this);
    buttonState_ = 3;
    update();
    QComboBox::showPopup();
}

void TUiIECustomComboBox2000::hidePopup()
{
    QComboBox::hidePopup();
    buttonState_ = 0;
    update();
}

void TUiIECustomComboBox2000::mousePressEvent(QMouseEvent* event)
{
    if (view()->isVisible()) {
        buttonState_ = 3;
        update();
    }
    QComboBox::mousePressEvent(event);
}

void TUiIECustomComboBox2000::TrackButton(const QPoint& pt)
{
    if ((buttonState_ & 2) == 0)
        return;
    if ((buttonState_ & 1) && !ButtonRect().contains(pt)) {
        buttonState_ &= ~1;
        update();
    }
}

void TUiIECustomComboBox2000::mouseMoveEvent(QMouseEvent* event)
{
    TrackButton(event->position().toPoint());
    QComboBox::mouseMoveEvent(event);
}

void TUiIECustomComboBox2000::mouseReleaseEvent(QMouseEvent* event)
{
    TrackButton(QPoint(-1, -1));
    QComboBox::mouseReleaseEvent(event);
}

void TUiIECustomComboBox2000::enterEvent(QEnterEvent* event)
{
    QComboBox::enterEvent(event);
    TrackFlatInputMouse(this, mouseInControl_, true);
}

void TUiIECustomComboBox2000::leaveEvent(QEvent* event)
{
    QComboBox::leaveEvent(event);
    TrackFlatInputMouse(this, mouseInControl_, false);
}

void TUiIECustomComboBox2000::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    update();
}

void TUiIECustomComboBox2000::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    update();
}

void TUiIECustomComboBox2000::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && flat_)
        colors_.EnabledChanged(this, isEnabled());
}
