#pragma once
// The form base: windows built from .ui files that are shown modally and return a modal result,
// close through Close() with the close-query and close events, and frames hosted in other windows.
//
// How a form of the program is written:
//   class TstrManager : public TForm {
//   public:
//       explicit TstrManager(QWidget* Owner) : TForm(Owner) { ui.setupUi(this); ... FormCreate(this); }
//       ~TstrManager() override { FormDestroy(this); }
//   };
// A form's constructor calls its FormCreate handler at its end and its destructor calls
// FormDestroy: C++ cannot call into a derived class from the base's constructor or destructor.
// OnShow, OnHide, OnClose and OnCloseQuery are events of the base.
//
// Buttons close a modal form through their modal result: give the button the dynamic property
// "ModalResult" (an int, settable in Qt Designer) or call SetButtonModalResult. As in the runtime
// the button's own click handlers run first and may overrule the result (SetModalResult(mrNone)
// keeps the window open); the window closes after the click has been handled.
//
// The dialog keys, once for every form: the focused control sees Escape and Return first and passes
// on what it does not use (an edit that was changed takes Escape back to the stored value, a
// multi-line box and an open cell editor keep Return); then the form takes them:
//   - Escape clicks the cancel button (dynamic property "Cancel" true); without one it closes the
//     window as its close box does, on a window that has a close box (a frameless window keeps it).
//   - Return and Enter click the default button: a QPushButton with its "default" property, or any
//     button with the dynamic property "Default" true (the flat buttons; and push buttons where a
//     window has one default button on each page of a page control, as the toolkit keeps only
//     one "default" per window); a disabled default button swallows the key. A focused push
//     button takes Return for itself, as in the runtime.
// Buttons other than QAbstractButton are clicked through their invokable Click() (a flat button
// pressed as the mouse presses it).
//
// Tests never wait for a modal window: see platform/vcl/testhooks.h (onShowModal).
#include <QDialog>
#include <QWidget>

#include <functional>

class QAbstractButton;

using TModalResult = int;

inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

// What happens to a form that is being closed (OnClose may change it).
enum TCloseAction { caNone, caHide, caFree, caMinimize };

class TForm : public QDialog {
    Q_OBJECT
public:
    explicit TForm(QWidget* Owner = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~TForm() override;

    QWidget* Owner() const { return parentWidget(); }
    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    bool Visible() const { return isVisible(); }

    // Shows the window modally and returns the modal result that closed it. In tests the
    // scripted callback for this form plays the user (testhooks.h); without one the test fails
    // and the result is mrCancel.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    // Setting a result other than mrNone while the form is modal closes it once the current
    // event has been handled (after the close query); mrNone keeps it open.
    void SetModalResult(TModalResult result);
    bool IsModal() const { return modal_; }

    // Shows the window modelessly.
    void Show();
    void Hide() { hide(); }
    // Closes the window: a modal form gets mrCancel; otherwise OnCloseQuery may refuse, OnClose
    // chooses the close action (default caHide, caFree deletes the form later).
    void Close();
    // Asks OnCloseQuery whether the window may close.
    bool CloseQuery();

    std::function<void(QObject* Sender)> OnShow;
    std::function<void(QObject* Sender)> OnHide;
    std::function<void(QObject* Sender, TCloseAction& Action)> OnClose;
    std::function<void(QObject* Sender, bool& CanClose)> OnCloseQuery;

public slots:
    // Escape: clicks the button marked "Cancel", else closes a window that has a close box.
    void reject() override;
    void accept() override { SetModalResult(mrOk); }

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ScriptedAnswers;
    friend void SetButtonModalResult(QAbstractButton* button, TModalResult result);
    void connectModalButtons();
    void connectModalButton(QAbstractButton* button);
    void checkModalResult();  // closes the modal form when a result is set and the queries allow
    void finishModal();

    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool scripted_ = false;  // modal run played by a test callback (no event loop of its own)
    bool checkQueued_ = false;
    quint64 modalRun_ = 0;
    quint64 resultSerial_ = 0;  // counts SetModalResult calls; see connectModalButton
};

// Gives a button a modal result: clicking it closes its modal form with that result.
void SetButtonModalResult(QAbstractButton* button, TModalResult result);

// The window's default and cancel buttons as the dialog keys find them (visible ones only);
// nullptr without one.
QWidget* DefaultButton(const QWidget* window);
QWidget* CancelButton(const QWidget* window);
// Clicks a dialog button of any class (see above); false when it is disabled or cannot be clicked.
bool PressDialogButton(QWidget* button);
// Puts the focus on the first control inside `container` that Tab stops on, in its window's tab
// order (the field a user types into first); false when there is none.
bool FocusFirstField(QWidget* container);
// Whether Escape does something in this window: a cancel button, or a close box to close it by.
bool WindowTakesEscape(const QWidget* window);

// A frame: a panel of controls built from a .ui file and hosted in another window.
class TFrame : public QWidget {
    Q_OBJECT
public:
    explicit TFrame(QWidget* Owner = nullptr);
    QWidget* Owner() const { return parentWidget(); }
    bool Visible() const { return isVisible(); }
    void SetVisible(bool v) { setVisible(v); }
};

// --- form scaling ----------------------------------------------------------------------------
// The runtime's ScaleBy: the control keeps its place and scales its size by num/den; every child
// below it scales its place and size; fonts scale with them. Only plain containers (panels,
// frames, group boxes) pass the scaling on: a compound control (combo box, date and time box,
// memo, list, grid) lays out its inner parts itself when it is resized, and scaling those again
// would push its edit part over its drop-down button.
void ScaleBy(QWidget* control, int num, int den);
// The width of the screen in pixels, as forms laid out for one screen width compare with it.
int ScreenWidth();
// Replaces the screen's width for tests; an empty source gives the screen's own again.
void SetScreenWidthSource(std::function<int()> source);

// A window created by an action, kept in its global variable while it is shown modally and
// deleted afterwards (also when something throws):
//   ModalForm<TstrManager> f(strManager, MainForm);
//   if (f->ShowModal() == mrOk) use(f->selectedIds);
// When the scope ends the form is deleted and strManager is null again.
template <class F>
class ModalForm {
public:
    template <class... Args>
    explicit ModalForm(F*& global, Args&&... args) : global_(global)
    {
        global_ = new F(std::forward<Args>(args)...);
    }
    ~ModalForm()
    {
        F* f = global_;
        global_ = nullptr;
        delete f;
    }
    ModalForm(const ModalForm&) = delete;
    ModalForm& operator=(const ModalForm&) = delete;

    F* operator->() const { return global_; }
    F& operator*() const { return *global_; }
    F* get() const { return global_; }

private:
    F*& global_;
};
