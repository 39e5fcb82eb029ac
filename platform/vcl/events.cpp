#include "platform/vcl/events.h"

#include <QAbstractScrollArea>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include "platform/vcl/dbctrls.h"

TControlEvents::TControlEvents(QWidget* control) : QObject(control), control_(control)
{
    setObjectName(QStringLiteral("ControlEvents"));
    control->installEventFilter(this);
    // Mouse events of a list or a grid arrive at its viewport.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(control))
        area->viewport()->installEventFilter(this);
}

TControlEvents& Events(QWidget* control)
{
    if (auto* events = control->findChild<TControlEvents*>(QString(), Qt::FindDirectChildrenOnly))
        return *events;
    return *new TControlEvents(control);
}

bool TControlEvents::eventFilter(QObject* watched, QEvent* event)
{
    QObject* sender = control_;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (watched == control_ && OnEnter && movesWithinWindow(event))
            RunGuarded([&] { OnEnter(sender); });
        break;
    case QEvent::FocusOut:
        if (watched == control_ && OnExit && movesWithinWindow(event)) {
            // A data-aware control writes what the user typed into its field before its OnExit
            // runs, so the handler reads the new value; a value the field refuses (its error
            // already shown) keeps the handler from running on the old one.
            auto* fieldControl = dynamic_cast<TFieldControl*>(control_);
            if (fieldControl && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason &&
                !fieldControl->commit())
                break;
            RunGuarded([&] { OnExit(sender); });
        }
        break;
    case QEvent::KeyPress:
        return keyPress(event);
    case QEvent::MouseButtonDblClick:
        if (OnDblClick && fromClientArea(watched))
            RunGuarded([&] { OnDblClick(sender); });
        break;
    case QEvent::MouseButtonPress:
        if (OnMouseDown && fromClientArea(watched)) {
            auto* me = static_cast<QMouseEvent*>(event);
            const QPoint at = me->position().toPoint();
            RunGuarded([&] { OnMouseDown(sender, me->button(), me->modifiers(), at.x(), at.y()); });
        }
        break;
    case QEvent::Resize:
        if (watched == control_ && OnResize)
            RunGuarded([&] { OnResize(sender); });
        break;
    default:
        break;
    }
    return false;
}

bool TControlEvents::movesWithinWindow(QEvent* event) const
{
    // Another window or a popup taking the focus (the error box among them) is no exit, and its
    // return no entry. A window being hidden or freed moves the focus out of its controls after
    // hiding them: its handlers must not run then.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && control_->isVisible();
}

bool TControlEvents::fromClientArea(QObject* watched) const
{
    // A scroll area's client area is its viewport; a click that the viewport leaves unhandled
    // and passes on to the area itself is not counted twice.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(control_))
        return watched == area->viewport();
    return watched == control_;
}

bool TControlEvents::keyPress(QEvent* event)
{
    auto* ke = static_cast<QKeyEvent*>(event);
    if (OnKeyDown) {
        int key = ke->key();
        RunGuarded([&] { OnKeyDown(control_, key, ke->modifiers()); });
        if (key == 0)
            return true;
    }
    if (OnKeyPress) {
        const QChar typed = ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter
                                ? QChar(13)
                                : (ke->text().isEmpty() ? QChar() : ke->text().at(0));
        QChar key = typed;
        RunGuarded([&] { OnKeyPress(control_, key); });
        if (!typed.isNull() && key.isNull())
            return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------

TPageControlEvents::TPageControlEvents(QTabWidget* pages) : QObject(pages), pages_(pages)
{
    setObjectName(QStringLiteral("PageControlEvents"));
    pages->installEventFilter(this);
    pages->tabBar()->installEventFilter(this);
}

TPageControlEvents& PageControlEvents(QTabWidget* pages)
{
    if (auto* events = pages->findChild<TPageControlEvents*>(QString(), Qt::FindDirectChildrenOnly))
        return *events;
    return *new TPageControlEvents(pages);
}

bool TPageControlEvents::SelectPage(QWidget* page)
{
    if (!page || pages_->currentWidget() == page)
        return true;
    bool allow = true;
    if (OnChanging)
        OnChanging(pages_, allow);
    if (!allow)
        return false;
    pages_->setCurrentWidget(page);
    if (OnChange)
        OnChange(pages_);
    return true;
}

void TPageControlEvents::selectIndex(int index)
{
    RunGuarded([&] { SelectPage(pages_->widget(index)); });
}

bool TPageControlEvents::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    QTabBar* bar = pages_->tabBar();
    if (watched == bar) {
        if (type == QEvent::MouseButtonPress) {
            const int index = bar->tabAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            if (index >= 0 && index != pages_->currentIndex()) {
                selectIndex(index);
                return true;
            }
        } else if (type == QEvent::Wheel) {
            return true;
        } else if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Left || key == Qt::Key_Right) {
                const int index = pages_->currentIndex() + (key == Qt::Key_Left ? -1 : 1);
                if (index >= 0 && index < pages_->count())
                    selectIndex(index);
                return true;
            }
        }
    } else if (watched == pages_ && type == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        if ((ke->modifiers() & Qt::ControlModifier) &&
            (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab || ke->key() == Qt::Key_PageUp ||
             ke->key() == Qt::Key_PageDown)) {
            const bool back = ke->key() == Qt::Key_Backtab || ke->key() == Qt::Key_PageUp;
            const int n = pages_->count();
            selectIndex((pages_->currentIndex() + (back ? n - 1 : 1)) % n);
            return true;
        }
    }
    return false;
}
