#pragma once
// Keyboard walks of a window: the focus chain followed with Tab or Shift+Tab as a user presses
// them, and keys typed into the focused widget, all sent as key events.
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <initializer_list>
#include <string>

// Gives `window` the focus as the system does when it is shown and puts it on `start`.
void FocusWindowAt(QWidget* window, QWidget* start);

// Presses Tab (or Shift+Tab) on the focused widget until the focus comes back to a widget it
// already had, or leaves `window`; returns the focused widgets in the order they were reached,
// `start` first. A widget that keeps the focus on Tab (a grid going through its cells) is left
// with Ctrl+Tab, as the runtime leaves such controls.
QList<QWidget*> TabWalk(QWidget* window, QWidget* start, bool backwards = false, int limit = 100);

// Checks a walk against the widgets a user must reach, in the order he must reach them. A
// widget counts as reached when it or a widget inside it (the edit of a combo box, a
// picker's field) had the focus. Returns "" when all are reached in order, else a message
// naming the widget skipped or out of order and the walk as it went.
std::string TabOrderProblem(const QList<QWidget*>& walk, const QList<QWidget*>& expected);

// Walks forwards from the first expected widget and backwards from the last one and checks
// both against `expected` (read backwards for Shift+Tab).
std::string KeyboardWalkProblem(QWidget* window, const QList<QWidget*>& expected);

// Sends one key press (and release) to the focused widget.
void PressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {});
// A key as the keyboard delivers it, short-cuts included: the focused widget is first asked
// whether it takes the key itself (the shortcut override); when it does not, an enabled action of
// its window with that key as its short-cut is triggered instead of the key press. Returns
// whether a short-cut took the key.
bool PressKeyOrShortcut(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types the characters of `text` into the focused widget, one key event each.
void TypeKeys(const QString& text);

// Walks by control name, as a window names its controls: a picker's or combo box's inner edit,
// a grid's cell editor and a page control's tab bar stand for their control, a tool bar button
// for its action.
QString ControlName(const QWidget* w);
QString FocusName();
// Presses Tab (Shift+Tab with `forward` false) until the named control has the focus; false when
// it is not reached within `limit` presses.
bool TabTo(const QString& name, bool forward = true, int limit = 60);
// Presses Tab (Shift+Tab with `forward` false) until the focus is back on the control it started
// on, and returns the names of the controls it stood on, the start first.
QStringList TabWalkNames(bool forward = true, int limit = 80);
