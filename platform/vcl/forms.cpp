#include "platform/vcl/forms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAbstractScrollArea>
#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/testhooks.h"

namespace {

const char* const kModalResultProperty = "ModalResult";
const char* const kCancelProperty = "Cancel";
const char* const kDefaultProperty = "Default";
const char* const kConnectedProperty = "_orvModalResultConnected";
bool isDefaultButton(const QWidget* w)
{
    if (const auto* b = qobject_cast<const QPushButton*>(w); b && b->isDefault())
        return true;
    return w->property(kDefaultProperty).toBool();
}

bool isCancelButton(const QWidget* w)
{
    return w->property(kCancelProperty).toBool();
}

// The first visible button of the window (not of a window inside it) that the test picks.
QWidget* findDialogButton(const QWidget* window, bool (*is)(const QWidget*))
{
    if (!window)
        return nullptr;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->window() == window && is(w) && w->isVisibleTo(window))
            return w;
    return nullptr;
}

bool hasCloseBox(const QWidget* window)
{
    if (!window || !window->isWindow())
        return false;
    const Qt::WindowFlags flags = window->windowFlags();
    const Qt::WindowType type = window->windowType();
    if (type != Qt::Window && type != Qt::Dialog && type != Qt::Tool)
        return false;
    if (flags & Qt::FramelessWindowHint)
        return false;
    return !(flags & Qt::CustomizeWindowHint) || (flags & Qt::WindowCloseButtonHint);
}

bool isEnterKey(const QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    return mods == Qt::NoModifier && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter);
}

bool isEscapeKey(const QKeyEvent* e)
{
    return (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && e->key() == Qt::Key_Escape;
}

}  // namespace

QWidget* DefaultButton(const QWidget* window)
{
    return findDialogButton(window, isDefaultButton);
}

QWidget* CancelButton(const QWidget* window)
{
    return findDialogButton(window, isCancelButton);
}

bool PressDialogButton(QWidget* button)
{
    if (!button || !button->isEnabled())
        return false;
    if (auto* b = qobject_cast<QAbstractButton*>(button)) {
        b->click();
        return true;
    }
    return QMetaObject::invokeMethod(button, "Click");
}

bool FocusFirstField(QWidget* container)
{
    if (!container)
        return false;
    const QWidget* window = container->window();
    for (QWidget* w = container->nextInFocusChain(); w && w != container; w = w->nextInFocusChain()) {
        if (container->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
            w->isVisibleTo(window) && !w->focusProxy()) {
            w->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}

bool WindowTakesEscape(const QWidget* window)
{
    // Only the dialog base closes a window on Escape; another window (the main window) keeps the
    // key for its controls unless it has a cancel button.
    if (!qobject_cast<const TForm*>(window))
        return qobject_cast<const QDialog*>(window) && CancelButton(window);
    return CancelButton(window) || hasCloseBox(window);
}

TForm::TForm(QWidget* Owner, Qt::WindowFlags flags) : QDialog(Owner, flags) {}

TForm::~TForm() = default;

TModalResult TForm::ShowModal()
{
    connectModalButtons();
    modalResult_ = mrNone;
    modal_ = true;
    ++modalRun_;
    struct ModalGuard {
        TForm* f;
        ~ModalGuard()
        {
            f->modal_ = false;
            f->scripted_ = false;
        }
    } guard{this};

    if (ScriptedAnswers::active()) {
        scripted_ = true;
        show();
        const QPointer<TForm> self(this);
        const std::optional<bool> played = ScriptedAnswers::playShowModal(*this);
        if (!self)
            return mrCancel;
        if (!played.value_or(false)) {
            hide();
            modalResult_ = mrCancel;
            return mrCancel;
        }
        checkModalResult();
        if (isVisible()) {
            ScriptedAnswers::reportFailure(QStringLiteral("The test callback left %1 \"%2\" open")
                                               .arg(QString::fromLatin1(metaObject()->className()), windowTitle()));
            hide();
            modalResult_ = mrCancel;
        }
        return modalResult_;
    }

    exec();
    // The window may have been hidden without a result (Hide() during the modal loop).
    return modalResult_;
}

void TForm::SetModalResult(TModalResult result)
{
    modalResult_ = result;
    ++resultSerial_;
    if (!modal_ || result == mrNone || scripted_ || checkQueued_)
        return;
    // The runtime closes a modal window when its message loop sees the result, after the event
    // that set it; a click handler can still take it back.
    checkQueued_ = true;
    const quint64 run = modalRun_;
    QMetaObject::invokeMethod(
        this,
        [this, run] {
            checkQueued_ = false;
            if (modal_ && run == modalRun_)
                checkModalResult();
        },
        Qt::QueuedConnection);
}

void TForm::checkModalResult()
{
    if (!modal_ || modalResult_ == mrNone)
        return;
    if (!CloseQuery()) {
        modalResult_ = mrNone;
        return;
    }
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == caNone) {
        modalResult_ = mrNone;
        return;
    }
    finishModal();
}

void TForm::finishModal()
{
    if (scripted_)
        hide();
    else
        done(modalResult_);
}

void TForm::Show()
{
    connectModalButtons();
    show();
    raise();
}

void TForm::Close()
{
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    switch (action) {
    case caNone:
        break;
    case caHide:
        hide();
        break;
    case caMinimize:
        showMinimized();
        break;
    case caFree:
        hide();
        deleteLater();
        break;
    }
}

bool TForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::reject()
{
    if (QWidget* cancel = CancelButton(this))
        PressDialogButton(cancel);
    else if (hasCloseBox(this))
        Close();
}

void TForm::keyPressEvent(QKeyEvent* e)
{
    // Only a window has dialog keys; a form placed inside another window passes them on.
    if (isWindow() && isEscapeKey(e) && WindowTakesEscape(this)) {
        reject();
        e->accept();
        return;
    }
    if (isWindow() && isEnterKey(e)) {
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if (focused && focused->window() == this && focused->isEnabled()) {
            focused->click();
            e->accept();
            return;
        }
        if (QWidget* button = DefaultButton(this)) {
            PressDialogButton(button);
            e->accept();
            return;
        }
    }
    e->ignore();
}

bool TForm::eventFilter(QObject* watched, QEvent* event)
{
    // A month calendar takes Return for itself though it does nothing with it; in a dialog with a
    // default button Return belongs to that button.
    if (event->type() == QEvent::KeyPress && isEnterKey(static_cast<QKeyEvent*>(event))) {
        if (QWidget* button = DefaultButton(this)) {
            PressDialogButton(button);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm::showEvent(QShowEvent* e)
{
    // Only a button the window marks as its default takes Return from the other controls: the
    // toolkit would otherwise make the first push button of a dialog without one its default
    // (the "H" button of a date, a "Durchsuchen") and let the focus move that role about. A
    // focused push button still takes Return for itself (keyPressEvent).
    if (isWindow())
        for (QPushButton* b : findChildren<QPushButton*>())
            if (b->window() == this)
                b->setAutoDefault(false);
    for (QCalendarWidget* calendar : findChildren<QCalendarWidget*>())
        if (auto* view = calendar->findChild<QAbstractItemView*>())
            view->installEventFilter(this);
    QDialog::showEvent(e);
    if (OnShow && !e->spontaneous())
        OnShow(this);
}

void TForm::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    if (OnHide && !e->spontaneous())
        OnHide(this);
}

void TForm::closeEvent(QCloseEvent* e)
{
    // The window's close box goes through the same close logic as Close().
    e->ignore();
    Close();
}

void TForm::connectModalButtons()
{
    for (QAbstractButton* b : findChildren<QAbstractButton*>())
        if (b->property(kModalResultProperty).isValid())
            connectModalButton(b);
}

void TForm::connectModalButton(QAbstractButton* button)
{
    if (button->property(kConnectedProperty).toBool())
        return;
    button->setProperty(kConnectedProperty, true);
    // The button's result applies unless one of its click handlers (which run before this slot,
    // between "released" and "clicked") set a result of its own.
    auto serialAtRelease = std::make_shared<quint64>(0);
    connect(button, &QAbstractButton::released, this, [this, serialAtRelease] { *serialAtRelease = resultSerial_; });
    connect(button, &QAbstractButton::clicked, this, [this, button, serialAtRelease] {
        if (resultSerial_ == *serialAtRelease)
            SetModalResult(button->property(kModalResultProperty).toInt());
    });
}

void SetButtonModalResult(QAbstractButton* button, TModalResult result)
{
    button->setProperty(kModalResultProperty, result);
    for (QWidget* w = button->parentWidget(); w; w = w->parentWidget()) {
        if (auto* form = qobject_cast<TForm*>(w)) {
            form->connectModalButton(button);
            break;
        }
    }
}

TFrame::TFrame(QWidget* Owner) : QWidget(Owner) {}

// ---------------------------------------------------------------------------------------------
// Form scaling

namespace {

int mulDiv(int value, int num, int den)
{
    return int(Round(double(value) * num / den));
}

bool isContainer(const QWidget* w)
{
    if (w->metaObject() == &QWidget::staticMetaObject || qobject_cast<const QGroupBox*>(w))
        return true;
    return qobject_cast<const QFrame*>(w) && !qobject_cast<const QAbstractScrollArea*>(w) &&
           !qobject_cast<const QLabel*>(w);
}

void scaleChildren(QWidget* parent, int num, int den)
{
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow())
            continue;
        const QRect g = w->geometry();
        w->setGeometry(mulDiv(g.x(), num, den), mulDiv(g.y(), num, den), mulDiv(g.width(), num, den),
                       mulDiv(g.height(), num, den));
        // A drop-down list is a window of its own that inherits no font: it takes the scaled
        // font of its box, or its rows would stay small next to the scaled labels.
        if (auto* combo = qobject_cast<QComboBox*>(w))
            combo->view()->setFont(combo->font());
        if (isContainer(w))
            scaleChildren(w, num, den);
    }
}

std::function<int()>& screenWidthSource()
{
    static std::function<int()> source;
    return source;
}

}  // namespace

void ScaleBy(QWidget* control, int num, int den)
{
    control->resize(mulDiv(control->width(), num, den), mulDiv(control->height(), num, den));
    QFont f = control->font();
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * num / den);
    else
        f.setPixelSize(mulDiv(f.pixelSize(), num, den));
    control->setFont(f);
    scaleChildren(control, num, den);
}

int ScreenWidth()
{
    if (screenWidthSource())
        return screenWidthSource()();
    // 0 without a screen: nothing is scaled for it.
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

void SetScreenWidthSource(std::function<int()> source)
{
    screenWidthSource() = std::move(source);
}
