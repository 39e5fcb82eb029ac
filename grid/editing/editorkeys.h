#pragma once
// The key and focus events of the grid's editor controls, shared by the spin edit, the edits with
// a button and the combo editors: a handler may swallow a key (Key 0) or change a typed character
// (#0 swallows it).
#include <QFocusEvent>
#include <QKeyEvent>

#include <functional>
#include <utility>

#include "platform/vcl/events.h"

using TEditorKeyEvent = std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)>;

// Runs the handler guarded on the event's key; true when it swallowed the key (set it to 0). An
// event without a key code (a character typed without a key of its own) is not swallowed.
inline bool KeySwallowed(const TEditorKeyEvent& handler, QObject* sender, QKeyEvent* event, int& key)
{
    const int original = key;
    if (handler)
        RunGuarded([&] { handler(sender, key, event->modifiers()); });
    if (key != 0 || original == 0)
        return false;
    event->accept();
    return true;
}

// Hands the event to the control's own handling (`base`) with `typed` in place of the event's
// text.
template <class Base>
void PassTypedText(QKeyEvent* event, const QString& typed, Base&& base)
{
    if (event->text() == typed) {
        base(event);
        return;
    }
    QKeyEvent changed(event->type(), event->key(), event->modifiers(), typed, event->isAutoRepeat());
    base(&changed);
    event->setAccepted(changed.isAccepted());
}

template <class Base>
void PassTypedChar(QKeyEvent* event, QChar ch, Base&& base)
{
    PassTypedText(event, QString(ch), std::forward<Base>(base));
}

// The focus moving between controls of the window: not to or from a popup or another window.
// Only these moves are the controls' enter and exit.
inline bool FocusWithinWindow(const QFocusEvent* event)
{
    return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}
