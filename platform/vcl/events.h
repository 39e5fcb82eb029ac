#pragma once
// The runtime's events for the windows, written once here instead of in each form:
//
// - A handler guard: every handler the runtime calls runs guarded, so that an exception it
//   raises reaches the standard error box (EAbort silently) and never the toolkit.
//       XPButton1->OnClick = Handler(this, &Teingabe::XPButton1Click);
// - The events every control has (OnEnter, OnExit, OnKeyDown, OnKeyPress, OnDblClick,
//   OnMouseDown, OnResize), bound to any widget of a .ui form:
//       Events(DBEdit1).OnEnter = Handler(this, &Teingabe::DBEdit1Enter);
// - The page control's OnChanging and OnChange around page switches the user starts:
//       PageControlEvents(PageControl2).OnChanging = [this](QObject* s, bool& a) { ... };
//
// A form never filters the toolkit's events for these itself.
#include <QObject>
#include <QPointer>

#include <exception>
#include <functional>
#include <type_traits>

#include "platform/rtl/application.h"

class QEvent;
class QTabWidget;
class QWidget;

// Runs a handler as the runtime runs an event handler: an exception goes to the error box.
template <class F>
void RunGuarded(F&& handler)
{
    try {
        handler();
    } catch (...) {
        HandleException(std::current_exception());
    }
}

// An event handler bound to a member function of a window, run guarded. Bound to a widget of
// another window (the owner's work area, say), it calls nothing once its own window is gone.
template <class C, class... A>
std::function<void(A...)> Handler(C* self, void (C::*handler)(A...))
{
    if constexpr (std::is_base_of_v<QObject, C>) {
        return [window = QPointer<C>(self), handler](A... args) {
            if (C* w = window.data())
                RunGuarded([&] { (w->*handler)(args...); });
        };
    } else {
        return [self, handler](A... args) { RunGuarded([&] { (self->*handler)(args...); }); };
    }
}

// The events of one control. Created on first use by Events() and owned by the control.
// - OnEnter / OnExit: the keyboard focus moves into / out of the control within its window.
//   Another window or a popup taking the focus (a message box, a drop-down list) and the focus
//   coming back from it are neither; nor is a control losing it because it or its window is
//   hidden or freed.
// - OnKeyDown: a key goes down; Key is the toolkit's key code. Setting it to 0 swallows the key.
// - OnKeyPress: after OnKeyDown; Key is the character typed, #13 for Return and Enter, #0 for a
//   key that types none. Setting a character to #0 swallows it.
// - OnDblClick, OnMouseDown (with the button and the position in the control's client area):
//   the control still does its own handling afterwards.
// - OnResize: the control's size changed.
// A scroll area's viewport reports as the control itself. Every handler runs guarded.
class TControlEvents : public QObject {
    Q_OBJECT
public:
    std::function<void(QObject* Sender)> OnEnter;
    std::function<void(QObject* Sender)> OnExit;
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
    std::function<void(QObject* Sender, QChar& Key)> OnKeyPress;
    std::function<void(QObject* Sender)> OnDblClick;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>
        OnMouseDown;
    std::function<void(QObject* Sender)> OnResize;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend TControlEvents& Events(QWidget* control);
    explicit TControlEvents(QWidget* control);
    bool keyPress(QEvent* event);
    bool fromClientArea(QObject* watched) const;
    bool movesWithinWindow(QEvent* event) const;

    QWidget* control_;
};

// The events of a control (the same object on every call).
TControlEvents& Events(QWidget* control);

// A page control's events. OnChanging runs before a page switch the user starts (a click on a
// tab, the arrow keys on the tabs, Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageUp and Ctrl+PageDown) and
// may refuse it; OnChange runs after every switch it allowed. The mouse wheel over the tabs
// switches nothing. An exception raised by OnChanging refuses the switch and goes to the error
// box: bind OnChanging without a guard of its own, so that the exception reaches here.
class TPageControlEvents : public QObject {
    Q_OBJECT
public:
    std::function<void(QObject* Sender, bool& AllowChange)> OnChanging;
    std::function<void(QObject* Sender)> OnChange;

    // Switches to a page as the user does (OnChanging first, then OnChange); false when the
    // switch was refused. Nothing happens for the page already shown (true).
    bool SelectPage(QWidget* page);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend TPageControlEvents& PageControlEvents(QTabWidget* pages);
    explicit TPageControlEvents(QTabWidget* pages);
    void selectIndex(int index);

    QTabWidget* pages_;
};

// The events of a page control (the same object on every call).
TPageControlEvents& PageControlEvents(QTabWidget* pages);
