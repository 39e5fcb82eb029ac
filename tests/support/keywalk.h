#pragma once
// The keyboard as a user works a window: keys sent to the focused widget one by one, and the walk
// of Tab or Shift+Tab through the window's controls. A control is named as the window names it:
// a picker's or combo box's inner edit, a grid's cell editor and a page control's tab bar stand
// for their control, a tool bar button for its action.
#include <QApplication>
#include <QKeyEvent>
#include <QStringList>
#include <QToolButton>
#include <QWidget>

namespace keywalk {

inline QWidget* Focus()
{
    return QApplication::focusWidget();
}

inline QString ControlName(const QWidget* w)
{
    if (const auto* button = qobject_cast<const QToolButton*>(w))
        if (const QAction* a = button->defaultAction(); a && a->parent() && !a->parent()->objectName().isEmpty())
            return a->parent()->objectName();
    while (w && (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

inline QString FocusName()
{
    return ControlName(Focus());
}

inline void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(Focus(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(Focus(), &release);
}

inline void Tab()
{
    Key(Qt::Key_Tab);
}

inline void BackTab()
{
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
}

// Each character as its own key press: digits, letters and the separators with their key codes.
inline void Type(const QString& text)
{
    for (QChar c : text) {
        int key = 0;
        if (c.isDigit())
            key = Qt::Key_0 + c.digitValue();
        else if (c.isLetter() && c.toUpper().unicode() < 128)
            key = Qt::Key_A + (c.toUpper().unicode() - 'A');
        else if (c == QLatin1Char('.'))
            key = Qt::Key_Period;
        else if (c == QLatin1Char(','))
            key = Qt::Key_Comma;
        else if (c == QLatin1Char(':'))
            key = Qt::Key_Colon;
        else if (c == QLatin1Char(' '))
            key = Qt::Key_Space;
        Key(key, Qt::NoModifier, QString(c));
    }
}

// Presses Tab (Shift+Tab with `forward` false) until the named control has the focus; false when
// it is not reached within `limit` presses.
inline bool TabTo(const QString& name, bool forward = true, int limit = 60)
{
    for (int i = 0; i < limit && FocusName() != name; ++i)
        forward ? Tab() : BackTab();
    return FocusName() == name;
}

// Presses Tab (Shift+Tab with `forward` false) until the focus is back on the control it started
// on, and returns the controls it stood on, the start first. Stops after `limit` presses.
inline QStringList Walk(bool forward = true, int limit = 80)
{
    const QString start = FocusName();
    QStringList order{start};
    for (int i = 0; i < limit; ++i) {
        forward ? Tab() : BackTab();
        const QString now = FocusName();
        if (now == start)
            break;
        if (order.last() != now)
            order << now;
    }
    return order;
}

}  // namespace keywalk
