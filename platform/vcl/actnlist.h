#pragma once
// Actions and action lists: each user command is an action with caption, shortcut, image, hint,
// checked, enabled and visible state and its OnExecute handler; menus and tool bars are built from
// the actions and follow their state. The enabled state is recomputed at idle time: when the event
// loop has handled a burst of events (user input, queued calls) and is about to wait, every action
// list's OnUpdate and every action's OnUpdate run once (bursts are coalesced into one update).
//
//   auto* list = new TActionList(this);
//   auto* open = new TAction(list, "FileOpen1");
//   open->SetCaption("Ö&ffnen"); open->SetShortCut(QKeySequence("Ctrl+O"));
//   open->OnExecute = [this](QObject* s) { FileOpen1Execute(s); };
//   open->OnUpdate = [this](QObject*) { open->SetEnabled(...); };
//   AddActionItem(menuFile, open);  AddActionButton(toolBar, open);
#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QMenu;
class QToolBar;
class QWidget;
class TActionList;
class TImageList;

class TAction : public QObject {
    Q_OBJECT
public:
    explicit TAction(TActionList* list, const QString& name = QString());
    ~TAction() override;

    TActionList* ActionList() const { return list_; }
    QString Name() const { return objectName(); }

    QString Caption() const { return caption_; }
    void SetCaption(const QString& v);
    QString Category() const { return category_; }
    void SetCategory(const QString& v) { category_ = v; }
    QKeySequence ShortCut() const { return shortCut_; }
    void SetShortCut(const QKeySequence& v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    // "Short|Long": the short part is the tool tip, the long part the status text.
    QString Hint() const { return hint_; }
    void SetHint(const QString& v);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    int Tag() const { return tag_; }
    void SetTag(int v) { tag_ = v; }

    std::function<void(QObject* Sender)> OnExecute;
    std::function<void(QObject* Sender)> OnUpdate;

    // As the runtime: updates the action first; when it is enabled, toggles an auto-check action
    // and runs the action list's OnExecute and then OnExecute. False when disabled or unhandled.
    bool Execute();
    // Runs the action list's OnUpdate and, unless that handled it, the action's OnUpdate.
    // False when nobody handles the update.
    bool Update();

    // The Qt action that menus and tool bars show; triggering it executes the action.
    QAction* qaction() const { return qaction_; }
    // The caption without the accelerator "&".
    QString plainCaption() const;

signals:
    void Changed();

private:
    friend class TActionList;
    void sync();

    TActionList* list_;
    QAction* qaction_;
    QString caption_;
    QString category_;
    QKeySequence shortCut_;
    int imageIndex_ = -1;
    QString hint_;
    bool checked_ = false;
    bool autoCheck_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    int tag_ = 0;
    bool iconDirty_ = true;
};

class TActionList : public QObject {
    Q_OBJECT
public:
    explicit TActionList(QObject* Owner = nullptr);
    ~TActionList() override;

    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    const QList<TAction*>& Actions() const { return actions_; }
    TAction* FindAction(const QString& name) const;

    // Called for each action before its own handlers; set Handled to skip them.
    std::function<void(TAction* Action, bool& Handled)> OnUpdate;
    std::function<void(TAction* Action, bool& Handled)> OnExecute;

    // Updates every action of the list once.
    void UpdateActions();

private:
    friend class TAction;
    TImageList* images_ = nullptr;
    QList<TAction*> actions_;
};

// Adds an action to a menu. A caption given here replaces the action's own caption in this menu
// only (the item still follows the action's state). Returns the menu item.
QAction* AddActionItem(QMenu* menu, TAction* action, const QString& caption = QString());
// Adds an action to a tool bar as a button; returns the tool bar's item.
QAction* AddActionButton(QToolBar* bar, TAction* action);
// The runtime's action tool bar on a panel: small pictures only (16 x 16), fixed in place,
// covering the panel.
QToolBar* CreateActionToolBar(QWidget* panel, const QString& name);
// Lets Tab stop on each button of a tool bar (Space presses the focused one, as on any tool
// button; Alt+Down or F4 opens a button's drop-down menu); returns the buttons in tool bar order.
QList<QWidget*> LetKeyboardReachButtons(QToolBar* bar);

// Runs the idle update of every action list now (what the event loop does when it is idle).
void UpdateAllActions();
// Number of idle updates run so far (lets tests see that bursts are coalesced).
int IdleUpdateCount();
