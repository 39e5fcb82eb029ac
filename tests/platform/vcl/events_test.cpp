// The runtime's events bound to plain widgets: focus, keys with swallowing, mouse in a list's
// client area, resizing, guarded handlers, and the page control's question before a switch.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/events.h"
#include "tests/platform/vcl/vclfixture.h"
#include "tests/support/errorbox.h"

namespace {

class EventsTest : public VclTest {
protected:
    void SetUp() override
    {
        VclTest::SetUp();
        window.resize(300, 240);
        auto* layout = new QVBoxLayout(&window);
        first = new QLineEdit(&window);
        second = new QLineEdit(&window);
        list = new QListWidget(&window);
        list->addItems({"eins", "zwei"});
        for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(second), static_cast<QWidget*>(list)})
            layout->addWidget(w);
        window.show();
        QApplication::setActiveWindow(&window);
    }

    static void press(QWidget* w, int key, const QString& text = QString(), Qt::KeyboardModifiers mods = {})
    {
        QKeyEvent e(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(w, &e);
    }
    static void mouse(QWidget* w, QEvent::Type type, const QPoint& at)
    {
        QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }

    QWidget window;
    QLineEdit* first = nullptr;
    QLineEdit* second = nullptr;
    QListWidget* list = nullptr;
};

TEST_F(EventsTest, EnterAndExitFollowTheFocusAndEventsAreOnePerControl)
{
    second->setFocus();
    QStringList log;
    Events(first).OnEnter = [&](QObject* s) { log << "enter " + s->objectName(); };
    Events(first).OnExit = [&](QObject* s) { log << "exit " + s->objectName(); };
    first->setObjectName("first");
    EXPECT_EQ(&Events(first), &Events(first));
    first->setFocus();
    second->setFocus();
    first->setFocus();
    EXPECT_EQ(log, QStringList({"enter first", "exit first", "enter first"}));
}

TEST_F(EventsTest, KeyPressGivesTheCharacterAndSwallowsWhatTheHandlerClears)
{
    QList<int> typed;
    Events(first).OnKeyPress = [&](QObject*, QChar& key) {
        typed << key.unicode();
        if (key == QLatin1Char('x'))
            key = QChar();  // refused
    };
    first->setFocus();
    press(first, Qt::Key_A, "a");
    press(first, Qt::Key_X, "x");
    press(first, Qt::Key_Return);
    press(first, Qt::Key_Left);
    EXPECT_EQ(typed, QList<int>({'a', 'x', 13, 0}));
    EXPECT_EQ(first->text(), "a");

    // OnKeyDown comes first and swallows by clearing the key code.
    QStringList order;
    Events(second).OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers) {
        order << "down";
        if (key == Qt::Key_B)
            key = 0;
    };
    Events(second).OnKeyPress = [&](QObject*, QChar&) { order << "press"; };
    press(second, Qt::Key_C, "c");
    press(second, Qt::Key_B, "b");
    EXPECT_EQ(order, QStringList({"down", "press", "down"}));
    EXPECT_EQ(second->text(), "c");
}

TEST_F(EventsTest, MouseInAListsClientAreaCountsOnceWithViewportPositions)
{
    int dblClicks = 0;
    QList<QPoint> downs;
    Events(list).OnDblClick = [&](QObject* s) {
        EXPECT_EQ(s, list);
        ++dblClicks;
    };
    Events(list).OnMouseDown = [&](QObject* s, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
        EXPECT_EQ(s, list);
        EXPECT_EQ(button, Qt::LeftButton);
        downs << QPoint(x, y);
    };
    const QPoint onItem = list->visualItemRect(list->item(1)).center();
    const QPoint empty(5, list->viewport()->height() - 3);
    mouse(list->viewport(), QEvent::MouseButtonPress, onItem);
    mouse(list->viewport(), QEvent::MouseButtonPress, empty);  // the list leaves it unhandled
    mouse(list->viewport(), QEvent::MouseButtonDblClick, onItem);
    EXPECT_EQ(downs, QList<QPoint>({onItem, empty}));
    EXPECT_EQ(dblClicks, 1);
}

TEST_F(EventsTest, HandlersRunGuardedAndResizeIsReported)
{
    second->setFocus();
    ErrorBoxRecorder errors;
    int resizes = 0;
    Events(list).OnResize = [&](QObject*) { ++resizes; };
    Events(first).OnEnter = [](QObject*) { throw Exception("Eingabe nicht möglich"); };
    Events(second).OnEnter = [](QObject*) { Abort(); };
    first->setFocus();
    second->setFocus();  // raises EAbort: silent
    EXPECT_EQ(errors.shown, QStringList({"Eingabe nicht möglich"}));
    list->resize(list->width() + 10, list->height());
    EXPECT_EQ(resizes, 1);

    struct Window {
        int clicks = 0;
        void Click(QObject*) { ++clicks; throw Exception("Fehler im Handler"); }
    } form;
    const std::function<void(QObject*)> handler = Handler(&form, &Window::Click);
    handler(nullptr);
    EXPECT_EQ(form.clicks, 1);
    EXPECT_EQ(errors.shown.last(), "Fehler im Handler");
}

TEST_F(EventsTest, AWindowGoingAwayRunsNoHandlersOfIt)
{
    struct Form : QWidget {
        int exits = 0;
        int resizes = 0;
        void EditExit(QObject*) { ++exits; }
        void OwnerResize(QObject*) { ++resizes; }
    };
    auto* form = new Form;
    auto* edit = new QLineEdit(form);
    new QVBoxLayout(form);
    form->layout()->addWidget(edit);
    Events(edit).OnExit = Handler(form, &Form::EditExit);
    Events(list).OnResize = Handler(form, &Form::OwnerResize);  // a widget of another window
    form->show();
    QApplication::setActiveWindow(form);
    edit->setFocus();
    list->resize(list->width() + 1, list->height());
    form->hide();  // the focus leaves the hidden edit: no exit
    EXPECT_EQ(form->exits, 0);
    EXPECT_EQ(form->resizes, 1);
    delete form;
    list->resize(list->width() + 1, list->height());  // the handler's window is gone
}

class PageControlTest : public VclTest {
protected:
    void SetUp() override
    {
        VclTest::SetUp();
        for (const char* name : {"Einheit", "Zwischenzeit", "Explorer"})
            pages.addTab(new QWidget, QString::fromLatin1(name));
        pages.resize(400, 200);
        pages.show();
        PageControlEvents(&pages).OnChanging = [this](QObject*, bool& allow) {
            log << "changing";
            if (refuse)
                allow = false;
            if (fail)
                throw Exception("Seite kann nicht gewechselt werden");
        };
        PageControlEvents(&pages).OnChange = [this](QObject*) { log << "change " + QString::number(pages.currentIndex()); };
    }
    void click(int index)
    {
        QTabBar* bar = pages.tabBar();
        const QPoint at = bar->tabRect(index).center();
        QMouseEvent e(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(bar, &e);
    }
    void key(QWidget* w, int k, Qt::KeyboardModifiers mods = {})
    {
        QKeyEvent e(QEvent::KeyPress, k, mods);
        QApplication::sendEvent(w, &e);
    }

    QTabWidget pages;
    QStringList log;
    bool refuse = false;
    bool fail = false;
};

TEST_F(PageControlTest, UserSwitchesAskFirstAndARefusalKeepsThePage)
{
    click(1);
    EXPECT_EQ(pages.currentIndex(), 1);
    refuse = true;
    click(2);
    key(pages.tabBar(), Qt::Key_Left);
    EXPECT_EQ(pages.currentIndex(), 1);
    refuse = false;
    key(pages.tabBar(), Qt::Key_Right);
    key(&pages, Qt::Key_Tab, Qt::ControlModifier);  // past the last page to the first
    key(&pages, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(pages.currentIndex(), 2);
    EXPECT_EQ(log, QStringList({"changing", "change 1", "changing", "changing", "changing", "change 2", "changing",
                                "change 0", "changing", "change 2"}));

    // The wheel switches nothing; the page shown asks nothing.
    log.clear();
    QWheelEvent wheel(QPointF(5, 5), pages.tabBar()->mapToGlobal(QPoint(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pages.tabBar(), &wheel);
    EXPECT_TRUE(PageControlEvents(&pages).SelectPage(pages.widget(2)));
    EXPECT_EQ(pages.currentIndex(), 2);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(PageControlTest, AnErrorWhileAskingKeepsThePageAndIsShown)
{
    ErrorBoxRecorder errors;
    fail = true;
    click(1);
    EXPECT_EQ(pages.currentIndex(), 0);
    EXPECT_EQ(errors.shown, QStringList({"Seite kann nicht gewechselt werden"}));
    EXPECT_THROW(PageControlEvents(&pages).SelectPage(pages.widget(1)), Exception);
    EXPECT_EQ(pages.currentIndex(), 0);
}

}  // namespace
