#include "controls/uiofficeedit2000.h"

#include <QEvent>
#include <QPainter>

TUiCustomEdit2000::TUiCustomEdit2000(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this](const QString&) {
        if (OnChange)
            OnChange(this);
    });
}

void TUiCustomEdit2000::SetFlat(bool value)
{
    if (value == flat_)
        return;
    flat_ = value;
    // The flat border is painted by the box itself, three pixels wide.
    setFrame(!flat_);
    if (flat_)
        setTextMargins(2, 1, 2, 1);
    else
        setTextMargins(0, 0, 0, 0);
    update();
}

void TUiCustomEdit2000::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (!flat_)
        return;
    QPainter p(this);
    DrawFlatInputFrame(p, rect(), Hot());
}

void TUiCustomEdit2000::enterEvent(QEnterEvent* event)
{
    QLineEdit::enterEvent(event);
    TrackFlatInputMouse(this, mouseInControl_, true);
}

void TUiCustomEdit2000::leaveEvent(QEvent* event)
{
    QLineEdit::leaveEvent(event);
    TrackFlatInputMouse(this, mouseInControl_, false);
}

void TUiCustomEdit2000::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    update();
}

void TUiCustomEdit2000::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    update();
}

void TUiCustomEdit2000::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && flat_)
        colors_.EnabledChanged(this, isEnabled());
}
