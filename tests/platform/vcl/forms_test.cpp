// Modal forms: the result of the button the test presses, close queries, the close action, the
// failure of an unscripted ShowModal, and exceptions from button handlers.
#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/forms.h"
#include "tests/platform/vcl/ttestdialog.h"
#include "tests/platform/vcl/vclfixture.h"

namespace {

using FormsTest = VclTest;

TEST_F(FormsTest, ShowModalReturnsTheResultOfThePressedButton)
{
    struct Case {
        const char* button;
        TModalResult expected;
    };
    for (const Case& c : {Case{"OKBtn", mrOk}, Case{"CancelBtn", mrCancel}}) {
        TTestDialog dlg;
        EXPECT_EQ(dlg.created, 1);
        QString seen;
        ScriptedAnswers::onShowModal<TTestDialog>([&](TTestDialog& f) {
            EXPECT_TRUE(f.isVisible());
            f.ui.Edit1->setText(QStringLiteral("42"));
            f.findChild<QPushButton*>(QString::fromLatin1(c.button))->click();
        });
        dlg.OnShow = [&](QObject*) { seen = QStringLiteral("shown"); };
        EXPECT_EQ(dlg.ShowModal(), c.expected) << c.button;
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.ui.Edit1->text(), QStringLiteral("42"));
        EXPECT_EQ(seen, QStringLiteral("shown"));
    }
}

TEST_F(FormsTest, ClickHandlerCanOverruleTheButtonsResult)
{
    TTestDialog dlg;
    int clicks = 0;
    // First click: the handler keeps the window open (as a validating OK handler does).
    dlg.okClick = [&] {
        if (++clicks == 1)
            dlg.SetModalResult(mrNone);
    };
    ScriptedAnswers::onShowModal("TTestDialog", [&](TForm& f) {
        f.findChild<QPushButton*>("OKBtn")->click();
        EXPECT_EQ(f.ModalResult(), mrNone);
        f.findChild<QPushButton*>("OKBtn")->click();
    });
    EXPECT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_EQ(clicks, 2);
}

TEST_F(FormsTest, CloseQueryAndCloseActionCanKeepTheWindowOpen)
{
    TTestDialog dlg;
    int queries = 0;
    dlg.OnCloseQuery = [&](QObject*, bool& canClose) { canClose = ++queries > 1; };
    TCloseAction given = caNone;
    dlg.OnClose = [&](QObject*, TCloseAction& a) { given = a; };
    ScriptedAnswers::onShowModal("TTestDialog", [&](TForm& f) {
        f.Close();  // refused by the close query; the test then closes with Escape's button
    });
    const QStringList failures = capturedFailures([&] { EXPECT_EQ(dlg.ShowModal(), mrCancel); });
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains(QStringLiteral("left TTestDialog \"Testdialog\" open"))) << failures[0].toStdString();

    ScriptedAnswers::onShowModal("TTestDialog", [&](TForm& f) { f.reject(); });  // Escape
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    EXPECT_EQ(queries, 2);
    EXPECT_EQ(given, caHide);
}

TEST_F(FormsTest, ModelessCloseWithCaFreeDeletesTheForm)
{
    QPointer<TTestDialog> dlg = new TTestDialog;
    dlg->OnClose = [](QObject*, TCloseAction& a) { a = caFree; };
    dlg->Show();
    ASSERT_TRUE(dlg->isVisible());
    dlg->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dlg.isNull());
}

TEST_F(FormsTest, UnscriptedShowModalFailsTheTestAtOnce)
{
    TTestDialog dlg;
    TModalResult r = mrNone;
    const QStringList failures = capturedFailures([&] { r = dlg.ShowModal(); });
    EXPECT_EQ(r, mrCancel);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains(QStringLiteral("Unscripted ShowModal of TTestDialog"))) << failures[0].toStdString();
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(FormsTest, ModalFormHelperDeletesTheFormAndClearsItsVariable)
{
    TTestDialog* global = nullptr;
    QWidget owner;
    QPointer<TTestDialog> seen;
    {
        ModalForm<TTestDialog> f(global, &owner);
        seen = global;
        EXPECT_EQ(f->Owner(), &owner);
        ScriptedAnswers::onShowModal<TTestDialog>([](TTestDialog& d) { d.ui.OKBtn->click(); });
        EXPECT_EQ(f->ShowModal(), mrOk);
    }
    EXPECT_EQ(global, nullptr);
    EXPECT_TRUE(seen.isNull());
}

TEST_F(FormsTest, ExceptionInAButtonHandlerShowsTheErrorBoxAndTheProgramGoesOn)
{
    TTestDialog dlg;
    dlg.Show();
    ScriptedAnswers::pushMessageAnswer(mrOk);
    // A click as the event loop delivers it, so the exception travels the same way as in the program.
    QMetaObject::invokeMethod(dlg.ui.FailBtn, "click", Qt::QueuedConnection);
    processQueuedEvents();
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    const RecordedMessage box = ScriptedAnswers::lastMessage();
    EXPECT_EQ(box.Type, mtError);
    EXPECT_EQ(box.Text, QStringLiteral("Der Wert ist ungültig."));
    EXPECT_TRUE(box.Buttons == TMsgDlgButtons{mbOK});
    EXPECT_TRUE(dlg.isVisible());

    // The window still works: an EAbort stays silent, a second error is shown again.
    dlg.okClick = [] { ::Abort(); };
    QMetaObject::invokeMethod(dlg.ui.OKBtn, "click", Qt::QueuedConnection);
    processQueuedEvents();
    EXPECT_EQ(ScriptedAnswers::messages().size(), 1);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    QMetaObject::invokeMethod(dlg.ui.FailBtn, "click", Qt::QueuedConnection);
    processQueuedEvents();
    EXPECT_EQ(ScriptedAnswers::messages().size(), 2);
    dlg.Close();
}

// A key pressed in a control of a shown window, as the keyboard delivers it.
void pressIn(QWidget* control, int key)
{
    QWidget* window = control->window();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    control->setFocus(Qt::TabFocusReason);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &press);
}

TEST_F(FormsTest, EscapeCancelsOrClosesAWindowWithACloseBoxAndLeavesAFramelessOneAlone)
{
    // With a cancel button Escape presses it; without one it closes the window as its close box.
    TTestDialog withCancel;
    int cancels = 0;
    QObject::connect(withCancel.ui.CancelBtn, &QPushButton::clicked, [&] { ++cancels; });
    withCancel.Show();
    pressIn(withCancel.ui.Edit1, Qt::Key_Escape);
    EXPECT_EQ(cancels, 1);

    struct Case {
        Qt::WindowFlags flags;
        bool closes;
    } cases[] = {{Qt::Dialog, true},
                 {Qt::Window, true},
                 {Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint, false},  // no close box
                 {Qt::Dialog | Qt::FramelessWindowHint, false}};
    for (const Case& c : cases) {
        TForm form(nullptr, c.flags);
        auto* edit = new QLineEdit(&form);
        form.Show();
        pressIn(edit, Qt::Key_Escape);
        EXPECT_EQ(!form.isVisible(), c.closes) << int(c.flags);
        form.hide();
    }

    // A form lying inside another window passes Escape on to that window.
    int outerKeys = 0;
    struct Outer : QWidget {
        int* keys;
        void keyPressEvent(QKeyEvent*) override { ++*keys; }
    };
    Outer host;
    host.keys = &outerKeys;
    auto* inner = new TForm(&host);
    inner->setWindowFlags(Qt::Widget);
    auto* edit = new QLineEdit(inner);
    host.show();
    inner->show();
    pressIn(edit, Qt::Key_Escape);
    EXPECT_EQ(outerKeys, 1);
    EXPECT_TRUE(inner->isVisible());
}

TEST_F(FormsTest, ReturnPressesTheDefaultButtonOfThePageShownAndOfACalendar)
{
    // One default button on each page of a page control, as the calculators have them.
    TForm form;
    auto* layout = new QVBoxLayout(&form);
    auto* pages = new QTabWidget(&form);
    layout->addWidget(pages);
    QList<QLineEdit*> edits;
    QList<int> clicks(3, 0);
    for (int i = 0; i < 3; ++i) {
        auto* page = new QWidget;
        auto* edit = new QLineEdit(page);
        auto* button = new QPushButton(QStringLiteral("Berechnen"), page);
        button->move(0, 30);
        button->setDefault(true);
        button->setProperty("Default", true);  // the toolkit keeps one "default" per window
        QObject::connect(button, &QPushButton::clicked, [&clicks, i] { ++clicks[i]; });
        pages->addTab(page, QString::number(i));
        edits << edit;
    }
    auto* calendar = new QCalendarWidget(&form);
    layout->addWidget(calendar);
    auto* memo = new QPlainTextEdit(&form);
    layout->addWidget(memo);
    form.Show();
    for (int i = 0; i < 3; ++i) {
        pages->setCurrentIndex(i);
        pressIn(edits[i], Qt::Key_Return);
        EXPECT_EQ(clicks[i], 1) << "page " << i;
    }
    EXPECT_EQ(clicks, (QList<int>{1, 1, 1}));
    // The calendar takes Return for itself in the toolkit; in a dialog it belongs to the button.
    pages->setCurrentIndex(1);
    pressIn(calendar->findChild<QAbstractItemView*>(), Qt::Key_Return);
    EXPECT_EQ(clicks, (QList<int>{1, 2, 1}));
    // A multi-line box keeps Return for its new line.
    pressIn(memo, Qt::Key_Return);
    EXPECT_EQ(clicks, (QList<int>{1, 2, 1}));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("\n"));
    form.hide();
}

TEST_F(FormsTest, ScaleByScalesContainersThroughAndLeavesCompoundControlsToThemselves)
{
    QWidget page;
    page.resize(400, 200);
    QFont font = page.font();
    font.setPointSizeF(8);
    page.setFont(font);
    auto* panel = new QFrame(&page);
    panel->setGeometry(10, 20, 200, 100);
    auto* inner = new QWidget(panel);
    inner->setGeometry(4, 6, 50, 21);
    auto* combo = new QComboBox(panel);
    combo->setEditable(true);
    combo->setGeometry(60, 6, 100, 21);

    ScaleBy(&page, 3, 2);
    EXPECT_EQ(page.pos(), QPoint(0, 0)) << "the control itself keeps its place";
    EXPECT_EQ(page.size(), QSize(600, 300));
    EXPECT_DOUBLE_EQ(page.font().pointSizeF(), 12.0);
    EXPECT_EQ(panel->geometry(), QRect(15, 30, 300, 150));
    EXPECT_EQ(inner->geometry(), QRect(6, 9, 75, 32)) << "31.5 rounds half to even";
    EXPECT_EQ(combo->geometry(), QRect(90, 9, 150, 32));
    // The combo lays out its edit part itself: scaled again, it would cover the drop-down button.
    EXPECT_LT(combo->lineEdit()->geometry().right(), combo->width() - 10);
    // Its drop-down list, a window of its own, shows its rows in the scaled font too.
    EXPECT_DOUBLE_EQ(combo->view()->font().pointSizeF(), 12.0);

    SetScreenWidthSource([] { return 1024; });
    EXPECT_EQ(ScreenWidth(), 1024);
    SetScreenWidthSource({});
    EXPECT_GT(ScreenWidth(), 0);
}

}  // namespace
