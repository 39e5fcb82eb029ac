#include "grid/editing/controleditors.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

#include "grid/display/extgrid.h"
#include "grid/display/gridservices.h"

namespace {

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Enter and Tab end a form control's editing; Tab goes on to the next control of the cell, or to
// the next cell with AdvanceAuto.
void endByKey(TExtStringGrid* grid, int key)
{
    const QPointer<TExtStringGrid> g(grid);
    const TExtStringGrid::TControlEditCell cell = grid->ControlEditCell();
    grid->CellControlEditDone();
    if (!g)
        return;
    grid->setFocus(Qt::OtherFocusReason);
    if (key == Qt::Key_Tab) {
        if (grid->Navigation.AdvanceAuto)
            grid->MoveCellFocus(Qt::NoModifier);
        else
            grid->ShowControlEditor(cell.Col, cell.Row, cell.ID);
    }
}

// Leaving the editor for another control (not for its own list) ends the editing.
void endByFocus(TExtStringGrid* grid, QWidget* editor, QFocusEvent* e)
{
    if (!grid || !grid->ControlEditCell().Active || e->reason() == Qt::PopupFocusReason ||
        e->reason() == Qt::ActiveWindowFocusReason)
        return;
    // Its own drop-down, a menu or another window is no leaving.
    QWidget* now = QApplication::focusWidget();
    if (now && (now == editor || editor->isAncestorOf(now) || now->window() != editor->window()))
        return;
    grid->CellControlEditDone();
}

bool claimsTab(QEvent* e)
{
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride)
        return false;
    auto* k = static_cast<QKeyEvent*>(e);
    return k->key() == Qt::Key_Tab && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

template <class T>
T* gridControl(TExtStringGrid& Grid, bool create)
{
    if (T* c = Grid.viewport()->findChild<T*>(QString(), Qt::FindDirectChildrenOnly))
        return c;
    return create ? new T(&Grid) : nullptr;
}

void hideEditor(TExtStringGrid& Grid, QWidget* w)
{
    const bool hadFocus = w->hasFocus() || w->isAncestorOf(QApplication::focusWidget());
    w->setVisible(false);
    if (hadFocus)
        Grid.setFocus(Qt::OtherFocusReason);
}

}  // namespace

TControlEdit::TControlEdit(TExtStringGrid* Grid) : TMaskEdit(Grid->viewport()), grid_(Grid)
{
    setFrame(false);
    setVisible(false);
}

bool TControlEdit::event(QEvent* e)
{
    // The edit takes Tab itself: it opens the cell's next control.
    if (claimsTab(e)) {
        if (e->type() == QEvent::ShortcutOverride) {
            e->accept();
            return true;
        }
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return TMaskEdit::event(e);
}

void TControlEdit::keyPressEvent(QKeyEvent* e)
{
    if (isEnter(e->key()) || e->key() == Qt::Key_Tab) {
        e->accept();
        endByKey(grid_, e->key());
        return;
    }
    TMaskEdit::keyPressEvent(e);
}

void TControlEdit::focusOutEvent(QFocusEvent* e)
{
    TMaskEdit::focusOutEvent(e);
    endByFocus(grid_, this, e);
}

TControlCombo::TControlCombo(TExtStringGrid* Grid) : TESGComboBox(Grid->viewport()), grid_(Grid)
{
    setVisible(false);
}

bool TControlCombo::event(QEvent* e)
{
    if (claimsTab(e)) {
        if (e->type() == QEvent::ShortcutOverride) {
            e->accept();
            return true;
        }
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return TESGComboBox::event(e);
}

void TControlCombo::keyPressEvent(QKeyEvent* e)
{
    if ((isEnter(e->key()) || e->key() == Qt::Key_Tab) && !view()->isVisible()) {
        e->accept();
        endByKey(grid_, e->key());
        return;
    }
    TESGComboBox::keyPressEvent(e);
}

void TControlCombo::focusOutEvent(QFocusEvent* e)
{
    TESGComboBox::focusOutEvent(e);
    endByFocus(grid_, this, e);
}

bool ShowGridControlEditor(TExtStringGrid& Grid, const TCellControlEdit& Edit)
{
    if (Edit.Type == QLatin1String("COMBO")) {
        TControlCombo* combo = gridControl<TControlCombo>(Grid, true);
        const TComboBoxStyle style = Edit.Editable ? csDropDown : csDropDownList;
        if (combo->Style() != style) {
            combo->SetStyle(style);
            // The dropped edit goes at once, not later with the focus.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        combo->SetItems(Edit.Items);
        combo->SetDropDownCount(Edit.DropCount);
        const int index = int(Edit.Items.indexOf(Edit.Value));
        combo->SetItemIndex(index);
        if (Edit.Editable)
            combo->SetText(Edit.Value);
        combo->setGeometry(Edit.Rect);
        combo->setVisible(true);
        combo->raise();
        combo->setFocus(Qt::OtherFocusReason);
        combo->showPopup();
        return true;
    }
    TControlEdit* edit = gridControl<TControlEdit>(Grid, true);
    edit->setEchoMode(Edit.Type == QLatin1String("PASSWORD") ? QLineEdit::Password : QLineEdit::Normal);
    edit->SetEditMask(Edit.Type == QLatin1String("MASK") ? Edit.Mask : QString());
    edit->setText(Edit.Value);
    edit->setGeometry(Edit.Rect);
    edit->setVisible(true);
    edit->raise();
    edit->setFocus(Qt::OtherFocusReason);
    return true;
}

bool EndGridControlEditor(TExtStringGrid& Grid, QString& Text)
{
    if (TControlEdit* edit = gridControl<TControlEdit>(Grid, false); edit && edit->isVisible()) {
        Text = edit->text();
        hideEditor(Grid, edit);
        return true;
    }
    if (TControlCombo* combo = gridControl<TControlCombo>(Grid, false); combo && combo->isVisible()) {
        Text = combo->currentText();
        combo->hidePopup();
        hideEditor(Grid, combo);
        return true;
    }
    return false;
}
