// The editor edit: its events and the refusals of a disabled editor.
#include "grid/editing/editorlineedit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMouseEvent>

#include "grid/editing/editorkeys.h"
#include "platform/vcl/events.h"

namespace {

// Keys that change the text without typing a character.
bool editsText(const QKeyEvent* event)
{
    static const QKeySequence::StandardKey edits[] = {
        QKeySequence::Delete,          QKeySequence::Backspace,       QKeySequence::Cut,
        QKeySequence::Paste,           QKeySequence::Undo,            QKeySequence::Redo,
        QKeySequence::DeleteEndOfWord, QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfLine,
        QKeySequence::DeleteCompleteLine};
    for (QKeySequence::StandardKey k : edits)
        if (event->matches(k))
            return true;
    return event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace;
}

}  // namespace

void PopupEditMenu(QLineEdit* edit, const QPoint& globalPos, bool editable)
{
    QMenu* menu = edit->createStandardContextMenu();
    if (!editable) {
        for (QAction* a : menu->actions())
            if (a->objectName() == QLatin1String("edit-cut") || a->objectName() == QLatin1String("edit-paste") ||
                a->objectName() == QLatin1String("edit-delete") || a->objectName() == QLatin1String("edit-undo") ||
                a->objectName() == QLatin1String("edit-redo"))
                a->setEnabled(false);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

TEditorLineEdit::TEditorLineEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this](const QString&) {
        if (OnChange)
            RunGuarded([this] { OnChange(this); });
    });
}

bool TEditorLineEdit::PreviewKey(QKeyEvent*, int&)
{
    return false;
}

void TEditorLineEdit::KeyDown(int&, Qt::KeyboardModifiers) {}

bool TEditorLineEdit::RefusesEditKey(const QKeyEvent* event) const
{
    return !editorEnabled_ && editsText(event);
}

bool TEditorLineEdit::KeyPressAccepts(QString& typed)
{
    if (!OnKeyPress)
        return true;
    for (QChar& ch : typed) {
        RunGuarded([&] { OnKeyPress(this, ch); });
        if (ch.isNull())
            return false;
    }
    return true;
}

bool TEditorLineEdit::AcceptTyped(QString& typed, Qt::KeyboardModifiers)
{
    return editorEnabled_ && KeyPressAccepts(typed);
}

bool TEditorLineEdit::SelectsAllOnEnter() const
{
    return autoSelect_ && !(QApplication::mouseButtons() & Qt::LeftButton);
}

void TEditorLineEdit::keyPressEvent(QKeyEvent* event)
{
    const int original = event->key();
    int key = original;
    auto swallowed = [&] { return original != 0 && key == 0; };
    if (PreviewKey(event, key) || swallowed()) {
        event->accept();
        return;
    }
    if (KeySwallowed(OnKeyDown, this, event, key))
        return;
    RunGuarded([&] { KeyDown(key, event->modifiers()); });
    if (swallowed() || RefusesEditKey(event) ||
        ((event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste)) && !CanCutOrPaste())) {
        event->accept();
        return;
    }
    QString typed = event->text();
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (typed.isEmpty() || shortcut || key == Qt::Key_Delete) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (!AcceptTyped(typed, event->modifiers())) {
        // Return and Escape go on to the window (its default and cancel buttons) even when the
        // edit types nothing for them.
        const bool windowKey = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
        event->setAccepted(!windowKey);
        return;
    }
    PassTypedText(event, typed, [this](QKeyEvent* e) { QLineEdit::keyPressEvent(e); });
}

void TEditorLineEdit::keyReleaseEvent(QKeyEvent* event)
{
    int key = event->key();
    if (!KeySwallowed(OnKeyUp, this, event, key))
        QLineEdit::keyReleaseEvent(event);
}

void TEditorLineEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // What an input method commits is typing: each character passes as a typed one.
    const QString commit = event->commitString();
    if (commit.isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent preedit(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&preedit);
    for (qsizetype i = 0; i < commit.size();) {
        const qsizetype n = commit.at(i).isHighSurrogate() && i + 1 < commit.size() ? 2 : 1;
        QString typed = commit.mid(i, n);
        if (AcceptTyped(typed, Qt::NoModifier))
            insert(typed);
        i += n;
    }
    event->accept();
}

void TEditorLineEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!FocusWithinWindow(event))
        return;
    if (OnEnter)
        RunGuarded([this] { OnEnter(this); });
    if (SelectsAllOnEnter())
        selectAll();
}

void TEditorLineEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (FocusWithinWindow(event) && OnExit)
        RunGuarded([this] { OnExit(this); });
}

void TEditorLineEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the selection: refused where pasting is.
    if (event->button() == Qt::MiddleButton && !CanCutOrPaste()) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        RunGuarded([this] { OnClick(this); });
}

void TEditorLineEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    if (OnDblClick)
        RunGuarded([this] { OnDblClick(this); });
}

void TEditorLineEdit::contextMenuEvent(QContextMenuEvent* event)
{
    PopupEditMenu(this, event->globalPos(), CanCutOrPaste());
}

// A drop is a paste by the mouse.
void TEditorLineEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (!CanCutOrPaste()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

void TEditorLineEdit::dragMoveEvent(QDragMoveEvent* event)
{
    if (!CanCutOrPaste()) {
        event->ignore();
        return;
    }
    QLineEdit::dragMoveEvent(event);
}

void TEditorLineEdit::dropEvent(QDropEvent* event)
{
    if (!CanCutOrPaste()) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}
