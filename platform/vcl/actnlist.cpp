#include "platform/vcl/actnlist.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QThread>
#include <QToolBar>
#include <QToolButton>

#include "platform/vcl/imglist.h"

namespace {

// Runs the action updates when the event loop is about to wait after it has handled events that
// can change what the actions depend on. Painting, layout and the updates' own effects on menus
// and tool bars do not count, so an idle loop stays idle.
class IdleUpdater : public QObject {
public:
    static IdleUpdater& instance()
    {
        static IdleUpdater* u = new IdleUpdater;
        return *u;
    }

    QList<TActionList*> lists;
    int count = 0;

    void attach()
    {
        if (attached_ || !QCoreApplication::instance())
            return;
        attached_ = true;
        QCoreApplication::instance()->installEventFilter(this);
        if (auto* d = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread()))
            connect(d, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
                if (dirty_)
                    run();
            });
    }

    void run()
    {
        if (running_)
            return;
        running_ = true;
        dirty_ = false;
        ++count;
        // A handler may delete a list (closing a window); work on guarded copies.
        QList<QPointer<TActionList>> copy;
        for (TActionList* l : lists)
            copy.append(l);
        for (const auto& l : copy)
            if (l)
                l->UpdateActions();
        running_ = false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (!running_ && !dirty_ && changesState(e->type()))
            dirty_ = true;
        return QObject::eventFilter(watched, e);
    }

private:
    static bool changesState(QEvent::Type t)
    {
        switch (t) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::Close:
        case QEvent::MetaCall:
        case QEvent::DeferredDelete:
        case QEvent::Drop:
            return true;
        default:
            return t >= QEvent::User && t <= QEvent::MaxUser;
        }
    }

    bool attached_ = false;
    bool dirty_ = true;
    bool running_ = false;
};

QString shortHint(const QString& hint)
{
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString longHint(const QString& hint)
{
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

// Keeps a menu item with its own caption in step with its action.
void follow(QAction* item, TAction* action)
{
    auto apply = [item, action] {
        QAction* src = action->qaction();
        item->setEnabled(src->isEnabled());
        item->setVisible(src->isVisible());
        item->setCheckable(src->isCheckable());
        item->setChecked(src->isChecked());
        if (item->icon().cacheKey() != src->icon().cacheKey())
            item->setIcon(src->icon());
        item->setShortcut(src->shortcut());
        item->setStatusTip(src->statusTip());
    };
    // The item shows the action's shortcut, but the key belongs to the action: a second owner
    // in the same window would make the key ambiguous and neither would run. Only while its
    // menu is open does the item take the key itself.
    item->setShortcutContext(Qt::WidgetShortcut);
    apply();
    QObject::connect(action, &TAction::Changed, item, apply);
    QObject::connect(item, &QAction::triggered, action, [action, item] {
        action->Execute();
        item->setChecked(action->Checked());
    });
}

}  // namespace

TAction::TAction(TActionList* list, const QString& name) : QObject(list), list_(list), qaction_(new QAction(this))
{
    setObjectName(name);
    if (list_)
        list_->actions_.append(this);
    connect(qaction_, &QAction::triggered, this, [this] { Execute(); });
    sync();
}

TAction::~TAction()
{
    if (list_)
        list_->actions_.removeOne(this);
}

QString TAction::plainCaption() const
{
    QString s = caption_;
    s.replace(QLatin1String("&&"), QLatin1String("\x01"));
    s.remove(QLatin1Char('&'));
    s.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return s;
}

void TAction::SetCaption(const QString& v)
{
    caption_ = v;
    sync();
}

void TAction::SetShortCut(const QKeySequence& v)
{
    shortCut_ = v;
    sync();
}

void TAction::SetImageIndex(int v)
{
    imageIndex_ = v;
    iconDirty_ = true;
    sync();
}

void TAction::SetHint(const QString& v)
{
    hint_ = v;
    sync();
}

void TAction::SetChecked(bool v)
{
    checked_ = v;
    sync();
}

void TAction::SetAutoCheck(bool v)
{
    autoCheck_ = v;
    sync();
}

void TAction::SetEnabled(bool v)
{
    if (enabled_ == v)
        return;
    enabled_ = v;
    sync();
}

void TAction::SetVisible(bool v)
{
    if (visible_ == v)
        return;
    visible_ = v;
    sync();
}

void TAction::sync()
{
    qaction_->setText(caption_);
    qaction_->setShortcut(shortCut_);
    const QString tip = hint_.isEmpty() ? plainCaption() : shortHint(hint_);
    qaction_->setToolTip(tip);
    qaction_->setStatusTip(longHint(hint_));
    qaction_->setCheckable(autoCheck_ || checked_ || qaction_->isCheckable());
    qaction_->setChecked(checked_);
    // As the runtime, an action nobody handles is shown disabled.
    const bool handled = OnExecute || (list_ && list_->OnExecute);
    qaction_->setEnabled(enabled_ && handled);
    qaction_->setVisible(visible_);
    if (iconDirty_) {
        iconDirty_ = false;
        qaction_->setIcon(list_ && list_->Images() ? list_->Images()->GetIcon(imageIndex_) : QIcon());
    }
    emit Changed();
}

bool TAction::Update()
{
    bool handled = false;
    if (list_ && list_->OnUpdate)
        list_->OnUpdate(this, handled);
    if (!handled && OnUpdate) {
        OnUpdate(this);
        handled = true;
    }
    // Handlers may have been assigned since the last change; keep the shown state current.
    sync();
    return handled;
}

bool TAction::Execute()
{
    const QPointer<TAction> self(this);
    Update();
    if (!enabled_) {
        qaction_->setChecked(checked_);
        return false;
    }
    if (autoCheck_)
        SetChecked(!checked_);
    else
        qaction_->setChecked(checked_);
    bool handled = false;
    if (list_ && list_->OnExecute)
        list_->OnExecute(this, handled);
    if (!self)
        return handled;
    if (!handled && OnExecute) {
        OnExecute(this);
        handled = true;
    }
    return handled;
}

TActionList::TActionList(QObject* Owner) : QObject(Owner)
{
    IdleUpdater& u = IdleUpdater::instance();
    u.attach();
    u.lists.append(this);
}

TActionList::~TActionList()
{
    IdleUpdater::instance().lists.removeOne(this);
    // The actions are children and go with the list; they must not touch it any more.
    for (TAction* a : actions_)
        a->list_ = nullptr;
    actions_.clear();
}

void TActionList::SetImages(TImageList* images)
{
    images_ = images;
    auto refresh = [this] {
        for (TAction* a : actions_) {
            a->iconDirty_ = true;
            a->sync();
        }
    };
    refresh();
    if (images_)
        connect(images_, &TImageList::Changed, this, refresh);
}

TAction* TActionList::FindAction(const QString& name) const
{
    for (TAction* a : actions_)
        if (a->Name() == name)
            return a;
    return nullptr;
}

void TActionList::UpdateActions()
{
    const QList<QPointer<TAction>> copy(actions_.begin(), actions_.end());
    for (const auto& a : copy)
        if (a)
            a->Update();
}

QAction* AddActionItem(QMenu* menu, TAction* action, const QString& caption)
{
    if (caption.isEmpty()) {
        menu->addAction(action->qaction());
        return action->qaction();
    }
    auto* item = new QAction(caption, menu);
    follow(item, action);
    menu->addAction(item);
    return item;
}

QAction* AddActionButton(QToolBar* bar, TAction* action)
{
    bar->addAction(action->qaction());
    return action->qaction();
}

QToolBar* CreateActionToolBar(QWidget* panel, const QString& name)
{
    auto* bar = new QToolBar(panel);
    bar->setObjectName(name);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setMovable(false);
    bar->setGeometry(panel->rect());
    return bar;
}

namespace {

// Opens the drop-down menu of a focused tool button on Alt+Down or F4, as the system opens a
// drop-down: Space runs the button's own action, so without this the menu's items could only be
// reached with the mouse. The menu pops up below the button without blocking; it takes the
// arrow keys, Return and Escape from there.
class DropDownKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* button = qobject_cast<QToolButton*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool opens = (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier)) ||
                           (key->key() == Qt::Key_F4 && key->modifiers() == Qt::NoModifier);
        if (!button || !opens || !button->isEnabled() || !button->menu())
            return false;
        QMenu* menu = button->menu();
        menu->popup(button->mapToGlobal(QPoint(0, button->height())));
        if (!menu->actions().isEmpty())
            menu->setActiveAction(menu->actions().first());
        return true;
    }
};

}  // namespace

QList<QWidget*> LetKeyboardReachButtons(QToolBar* bar)
{
    QList<QWidget*> buttons;
    for (QAction* a : bar->actions())
        if (QWidget* button = bar->widgetForAction(a); button && !a->isSeparator()) {
            button->setFocusPolicy(Qt::StrongFocus);
            if (qobject_cast<QToolButton*>(button))
                button->installEventFilter(new DropDownKeys(button));
            buttons << button;
        }
    return buttons;
}

void UpdateAllActions()
{
    IdleUpdater::instance().run();
}

int IdleUpdateCount()
{
    return IdleUpdater::instance().count;
}
