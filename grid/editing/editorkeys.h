#pragma once
// The key events of the grid's editor controls, shared by the spin edit and the combo editor:
// a handler may swallow a key (Key 0) or change a typed character (#0 swallows it).
#include <QKeyEvent>

#include <functional>

#include "platform/vcl/events.h"

using TEditorKeyEvent = std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)>;

// Runs the handler guarded on the event's key; true when it swallowed the key.
inline bool KeySwallowed(const TEditorKeyEvent& handler, QObject* sender, QKeyEvent* event, int& key)
{
    if (handler)
        RunGuarded([&] { handler(sender, key, event->modifiers()); });
    if (key != 0)
        return false;
    event->accept();
    return true;
}

// Hands the event to the control's own handling (`base`) with `ch` typed in place of the event's
// character.
template <class Base>
void PassTypedChar(QKeyEvent* event, QChar ch, Base&& base)
{
    if (event->text() == QString(ch)) {
        base(event);
        return;
    }
    QKeyEvent changed(event->type(), event->key(), event->modifiers(), QString(ch), event->isAutoRepeat());
    base(&changed);
    event->setAccepted(changed.isAccepted());
}
