// Actions: execution rules, menus and tool bars that follow the action, and the idle update.
#include <QEventLoop>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "platform/vcl/actnlist.h"
#include "platform/vcl/imglist.h"
#include "tests/platform/vcl/vclfixture.h"

namespace {

using ActionsTest = VclTest;

// Lets the event loop run until it is idle once, as after the user's input.
void runUntilIdle()
{
    // First what is pending, then one wait; a timer (not a queued call, which counts as work)
    // ends the loop once it has waited.
    QCoreApplication::processEvents();
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(0);
    loop.exec();
}

TEST_F(ActionsTest, IdleUpdateDisablesMenuItemAndToolButton)
{
    TActionList list;
    TAction action(&list, QStringLiteral("FileClose1"));
    action.SetCaption(QStringLiteral("Sch&ließen"));
    action.OnExecute = [](QObject*) {};
    bool databaseOpen = true;
    int updates = 0;
    action.OnUpdate = [&](QObject*) {
        ++updates;
        action.SetEnabled(databaseOpen);
    };
    QMenu menu;
    QToolBar bar;
    QAction* item = AddActionItem(&menu, &action);
    AddActionButton(&bar, &action);
    bar.show();
    auto* button = qobject_cast<QToolButton*>(bar.widgetForAction(action.qaction()));
    ASSERT_NE(button, nullptr);
    runUntilIdle();
    EXPECT_TRUE(item->isEnabled());
    EXPECT_TRUE(button->isEnabled());

    databaseOpen = false;
    updates = 0;
    // Two bursts of events before the loop waits: one update.
    QCoreApplication::postEvent(&bar, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&bar, new QEvent(QEvent::User));
    runUntilIdle();
    EXPECT_EQ(updates, 1);
    EXPECT_FALSE(item->isEnabled());
    EXPECT_FALSE(button->isEnabled());

    // An idle loop with nothing new to handle does not update again.
    const int before = IdleUpdateCount();
    runUntilIdle();
    EXPECT_EQ(IdleUpdateCount(), before);
}

TEST_F(ActionsTest, ExecuteRunsOnlyEnabledHandledActions)
{
    TActionList list;
    TAction action(&list);
    int runs = 0;
    EXPECT_FALSE(action.Execute());  // no handler
    EXPECT_FALSE(action.qaction()->isEnabled());
    action.OnExecute = [&](QObject* sender) {
        EXPECT_EQ(sender, &action);
        ++runs;
    };
    action.OnUpdate = [&](QObject*) { action.SetEnabled(false); };
    EXPECT_FALSE(action.Execute());  // the update before executing disables it
    EXPECT_EQ(runs, 0);
    action.OnUpdate = nullptr;
    action.SetEnabled(true);
    action.qaction()->trigger();  // menu item or shortcut
    EXPECT_EQ(runs, 1);

    // The list's handlers come first and can take the update over.
    list.OnUpdate = [](TAction* a, bool& handled) {
        a->SetVisible(false);
        handled = true;
    };
    action.OnUpdate = [](QObject*) { ADD_FAILURE() << "handled by the list"; };
    UpdateAllActions();
    EXPECT_FALSE(action.qaction()->isVisible());
}

TEST_F(ActionsTest, AutoCheckTogglesAndHintsSplit)
{
    TActionList list;
    TAction action(&list);
    action.SetAutoCheck(true);
    action.OnExecute = [](QObject*) {};
    action.Execute();
    EXPECT_TRUE(action.Checked());
    EXPECT_TRUE(action.qaction()->isChecked());
    action.qaction()->trigger();
    EXPECT_FALSE(action.Checked());

    action.SetCaption(QStringLiteral("Ö&ffnen"));
    EXPECT_EQ(action.qaction()->toolTip(), QStringLiteral("Öffnen"));
    action.SetHint(QStringLiteral("Neu|Neue Datei erstellen"));
    EXPECT_EQ(action.qaction()->toolTip(), QStringLiteral("Neu"));
    EXPECT_EQ(action.qaction()->statusTip(), QStringLiteral("Neue Datei erstellen"));
}

TEST_F(ActionsTest, MenuCaptionOverrideFollowsTheAction)
{
    TActionList list;
    TImageList images;
    QPixmap red(16, 16);
    red.fill(Qt::red);
    images.Add(red);
    list.SetImages(&images);
    TAction action(&list);
    action.SetCaption(QStringLiteral("Blockmanager"));
    action.SetImageIndex(0);
    int runs = 0;
    action.OnExecute = [&](QObject*) { ++runs; };
    QMenu menu;
    QAction* item = AddActionItem(&menu, &action, QStringLiteral("B&lockmanager"));
    EXPECT_EQ(item->text(), QStringLiteral("B&lockmanager"));
    EXPECT_EQ(action.qaction()->text(), QStringLiteral("Blockmanager"));
    EXPECT_FALSE(item->icon().isNull());
    action.SetEnabled(false);
    EXPECT_FALSE(item->isEnabled());
    action.SetEnabled(true);
    item->trigger();
    EXPECT_EQ(runs, 1);
}

}  // namespace
