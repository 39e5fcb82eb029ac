#include "keyboardwalk.h"

#include <QApplication>
#include <QAction>
#include <QKeyEvent>
#include <QToolButton>

void FocusWindowAt(QWidget* window, QWidget* start)
{
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    start->setFocus(Qt::TabFocusReason);
}

QList<QWidget*> TabWalk(QWidget* window, QWidget* start, bool backwards, int limit)
{
    FocusWindowAt(window, start);
    QList<QWidget*> walk;
    for (int i = 0; i < limit; ++i) {
        QWidget* focused = QApplication::focusWidget();
        // The focus stays where Tab was pressed in a grid that moves between its cells.
        const bool stays = !walk.isEmpty() && focused == walk.last();
        if (!stays && (!focused || walk.contains(focused) || !(focused == window || window->isAncestorOf(focused))))
            break;
        if (!stays)
            walk << focused;
        // A grid that moves between its cells on Tab is left with Ctrl+Tab.
        Qt::KeyboardModifiers modifiers = backwards ? Qt::ShiftModifier : Qt::NoModifier;
        if (stays)
            modifiers |= Qt::ControlModifier;
        PressKey(backwards ? Qt::Key_Backtab : Qt::Key_Tab, modifiers);
    }
    return walk;
}

namespace {

QString nameOf(const QWidget* w)
{
    QString name = w->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
        for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
            if (!p->objectName().isEmpty() && !p->objectName().startsWith(QLatin1String("qt_")))
                return p->objectName() + QLatin1Char('/') + QString::fromLatin1(w->metaObject()->className());
    return name.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : name;
}

bool holds(const QWidget* expected, const QWidget* focused)
{
    return expected == focused || expected->isAncestorOf(focused);
}

}  // namespace

std::string TabOrderProblem(const QList<QWidget*>& walk, const QList<QWidget*>& expected)
{
    QStringList went;
    for (const QWidget* w : walk)
        went << nameOf(w);
    int at = 0;  // position in the walk after the previous expected widget
    for (const QWidget* e : expected) {
        int found = -1;
        for (int i = 0; i < walk.size() && found < 0; ++i)
            if (holds(e, walk[i]))
                found = i;
        if (found < 0)
            return (QStringLiteral("%1 is never reached; the walk went: %2").arg(e->objectName(), went.join(" > ")))
                .toStdString();
        if (found < at)
            return (QStringLiteral("%1 is reached out of order; the walk went: %2").arg(e->objectName(), went.join(" > ")))
                .toStdString();
        at = found;
    }
    return {};
}

std::string KeyboardWalkProblem(QWidget* window, const QList<QWidget*>& expected)
{
    if (expected.isEmpty())
        return {};
    std::string problem = TabOrderProblem(TabWalk(window, expected.first()), expected);
    if (!problem.empty())
        return "Tab: " + problem;
    QList<QWidget*> reversed(expected.rbegin(), expected.rend());
    problem = TabOrderProblem(TabWalk(window, expected.last(), true), reversed);
    return problem.empty() ? problem : "Shift+Tab: " + problem;
}

void PressKey(int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        return;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    if (QWidget* now = QApplication::focusWidget())
        QApplication::sendEvent(now, &release);
}

bool PressKeyOrShortcut(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        return false;
    QKeyEvent override(QEvent::ShortcutOverride, key, modifiers);
    override.ignore();
    QApplication::sendEvent(target, &override);
    if (!override.isAccepted()) {
        const QKeySequence typed(QKeyCombination(modifiers, Qt::Key(key)));
        QWidget* window = target->window();
        QList<QAction*> actions = window->actions();
        actions += window->findChildren<QAction*>();
        for (QAction* a : actions) {
            if (a->isEnabled() && a->shortcuts().contains(typed) && a->shortcutContext() != Qt::WidgetShortcut) {
                a->trigger();
                return true;
            }
        }
    }
    PressKey(key, modifiers);
    return false;
}

void TypeKeys(const QString& text)
{
    for (QChar c : text) {
        int key = c.toUpper().unicode();
        if (c == QLatin1Char(','))
            key = Qt::Key_Comma;
        else if (c == QLatin1Char('.'))
            key = Qt::Key_Period;
        else if (c == QLatin1Char(':'))
            key = Qt::Key_Colon;
        PressKey(key, Qt::NoModifier, QString(c));
    }
}

QString ControlName(const QWidget* w)
{
    if (const auto* button = qobject_cast<const QToolButton*>(w))
        if (const QAction* a = button->defaultAction(); a && a->parent() && !a->parent()->objectName().isEmpty())
            return a->parent()->objectName();
    while (w && (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

QString FocusName()
{
    return ControlName(QApplication::focusWidget());
}

namespace {

void tabOnce(bool forward)
{
    if (forward)
        PressKey(Qt::Key_Tab);
    else
        PressKey(Qt::Key_Backtab, Qt::ShiftModifier);
}

}  // namespace

bool TabTo(const QString& name, bool forward, int limit)
{
    for (int i = 0; i < limit && FocusName() != name; ++i)
        tabOnce(forward);
    return FocusName() == name;
}

QStringList TabWalkNames(bool forward, int limit)
{
    const QString start = FocusName();
    QStringList order{start};
    for (int i = 0; i < limit; ++i) {
        tabOnce(forward);
        const QString now = FocusName();
        if (now == start)
            break;
        if (order.last() != now)
            order << now;
    }
    return order;
}
