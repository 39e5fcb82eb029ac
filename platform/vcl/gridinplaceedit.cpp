// The grid's inplace editor: the edit box over the current cell, its list and ellipsis button
// variant, and how TCustomGrid shows, hides and places it.
#include "platform/vcl/grids.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QToolButton>

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// TInplaceEdit

TInplaceEdit::TInplaceEdit(TCustomGrid* grid) : QLineEdit(grid->viewport()), grid_(grid)
{
    setFrame(false);
    hide();
}

void TInplaceEdit::UpdateContents()
{
    const int col = grid_->Col();
    const int row = grid_->Row();
    originalText_ = grid_->GetEditText(col, row);
    setInputMask(EditMaskToInputMask(grid_->GetEditMask(col, row)));
    const int limit = grid_->GetEditLimit();
    setMaxLength(limit > 0 ? limit : 32767);
    setText(originalText_);
    setModified(false);
    setFont(grid_->font());
}

void TInplaceEdit::Move(const QRect& rect)
{
    setGeometry(rect);
    if (!isVisible())
        show();
}

bool TInplaceEdit::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) {
            // With goTabs the grid moves between cells on Tab, so the edit must not pass the focus on.
            if (grid_->Options() & goTabs) {
                keyPressEvent(ke);
                return true;
            }
            // Otherwise Tab leaves the grid as it does from the grid itself. The edit, made when
            // first needed, stands at the end of the window's Tab order, so the key goes to the
            // grid once the edit has handed it the focus (which ends editing, keeping the text).
            if (!(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                grid_->setFocus(Qt::TabFocusReason);
                QKeyEvent again(ke->type(), ke->key(), ke->modifiers(), ke->text());
                QCoreApplication::sendEvent(grid_, &again);
                return true;
            }
        }
    }
    return QLineEdit::event(e);
}

void TInplaceEdit::keyPressEvent(QKeyEvent* e)
{
    int key = e->key();
    const Qt::KeyboardModifiers shift = e->modifiers();
    switch (key) {
    case Qt::Key_Escape:
        setText(originalText_);
        setModified(false);
        grid_->CancelEditor();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        QChar ch = QLatin1Char('\r');
        if (grid_->Options() & goAlwaysShowEditor) {
            grid_->HideEditor();
            grid_->ShowEditor();
        } else {
            grid_->KeyPress(ch);
        }
        return;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        grid_->KeyDown(key, shift);
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (grid_->Options() & goTabs) {
            grid_->KeyDown(key, shift);
            return;
        }
        break;
    default:
        break;
    }
    if (!(shift & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        for (QChar c : e->text())
            if (c.isPrint() && !grid_->CanEditAcceptKey(c)) {
                QApplication::beep();
                e->accept();
                return;
            }
    QLineEdit::keyPressEvent(e);
}

void TInplaceEdit::TypeChar(QChar ch)
{
    insert(QString(ch));
    setModified(true);
}

void TInplaceEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    // Leaving the editor for another control ends editing and keeps what was typed; a popup
    // (a context menu) or another window takes the focus only for a while.
    if (e->reason() == Qt::PopupFocusReason || e->reason() == Qt::ActiveWindowFocusReason ||
        grid_->editorBusy_ || !isVisible())
        return;
    // The editor's own drop-down list keeps the editing going.
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w == this)
            return;
    if (grid_->Options() & goAlwaysShowEditor) {
        if (isModified()) {
            grid_->SetEditText(grid_->Col(), grid_->Row(), text());
            setModified(false);
        }
    } else {
        grid_->HideEditor();
    }
    if (grid_->focusLeftGrid(e->reason()))
        grid_->DoExit();
}

// ---------------------------------------------------------------------------------------------
// TInplaceEditList

TInplaceEditList::TInplaceEditList(TCustomGrid* grid) : TInplaceEdit(grid)
{
    button_ = new QToolButton(this);
    button_->setCursor(Qt::ArrowCursor);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->hide();
    connect(button_, &QToolButton::clicked, this, [this] { buttonClicked(); });
}

void TInplaceEditList::SetEditStyle(TEditStyle value)
{
    editStyle_ = value;
    button_->setVisible(value != esSimple);
    button_->setText(value == esEllipsis ? QStringLiteral("...") : QString());
    button_->setArrowType(value == esPickList ? Qt::DownArrow : Qt::NoArrow);
    const int w = value == esSimple ? 0 : button_->sizeHint().width();
    setTextMargins(0, 0, w, 0);
    resizeEvent(nullptr);
}

void TInplaceEditList::resizeEvent(QResizeEvent* e)
{
    if (e)
        TInplaceEdit::resizeEvent(e);
    const int w = std::min(button_->sizeHint().width(), height() + 4);
    button_->setGeometry(width() - w, 0, w, height());
}

void TInplaceEditList::buttonClicked()
{
    if (editStyle_ == esPickList) {
        if (ListVisible())
            CloseUp(false);
        else
            DropDown();
    } else if (editStyle_ == esEllipsis && OnEditButtonClick) {
        OnEditButtonClick();
    }
}

bool TInplaceEditList::ListVisible() const
{
    return list_ && list_->isVisible();
}

void TInplaceEditList::DropDown()
{
    if (editStyle_ != esPickList || pickList_.isEmpty() || ListVisible())
        return;
    if (!list_) {
        list_ = new QListWidget(this);
        list_->setWindowFlags(Qt::Popup);
        list_->setFocusPolicy(Qt::NoFocus);
        list_->installEventFilter(this);
        list_->viewport()->installEventFilter(this);
        connect(list_, &QListWidget::itemClicked, this, [this] { CloseUp(true); });
    }
    list_->clear();
    list_->addItems(pickList_);
    const auto found = list_->findItems(text(), Qt::MatchFixedString);
    list_->setCurrentRow(found.isEmpty() ? 0 : list_->row(found.first()));
    const int rows = std::min<int>(int(pickList_.size()), 7);
    const int h = rows * list_->sizeHintForRow(0) + 2 * list_->frameWidth();
    list_->setGeometry(QRect(mapToGlobal(QPoint(0, height())), QSize(width(), h)));
    list_->show();
    list_->setFocus();
}

void TInplaceEditList::CloseUp(bool Accept)
{
    if (!ListVisible())
        return;
    QListWidgetItem* item = list_->currentItem();
    list_->hide();
    setFocus();
    if (Accept && item && item->text() != text()) {
        setText(item->text());
        setModified(true);
    }
}

bool TInplaceEditList::eventFilter(QObject* watched, QEvent* e)
{
    if (list_ && (watched == list_ || watched == list_->viewport()) && e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        switch (ke->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            CloseUp(true);
            return true;
        case Qt::Key_Escape:
            CloseUp(false);
            return true;
        default:
            break;
        }
    }
    return TInplaceEdit::eventFilter(watched, e);
}

void TInplaceEditList::TypeChar(QChar ch)
{
    if (!listOnly_ || pickList_.isEmpty()) {
        TInplaceEdit::TypeChar(ch);
        return;
    }
    const int keep = hasSelectedText() ? selectionStart() : cursorPosition();
    const QString typed = text().left(keep) + ch;
    for (const QString& entry : pickList_) {
        if (entry.startsWith(typed, Qt::CaseInsensitive)) {
            setText(entry);
            setSelection(entry.size(), typed.size() - entry.size());
            setModified(true);
            return;
        }
    }
    QApplication::beep();
}

void TInplaceEditList::keyPressEvent(QKeyEvent* e)
{
    const bool altDown = e->key() == Qt::Key_Down && (e->modifiers() & Qt::AltModifier);
    if (editStyle_ == esPickList && (altDown || e->key() == Qt::Key_F4)) {
        DropDown();
        return;
    }
    if (editStyle_ == esEllipsis && e->key() == Qt::Key_Return && (e->modifiers() & Qt::ControlModifier)) {
        buttonClicked();
        return;
    }
    if (listOnly_ && !pickList_.isEmpty() && !e->text().isEmpty() &&
        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && e->text().at(0).isPrint()) {
        for (QChar c : e->text())
            TypeChar(c);
        e->accept();
        return;
    }
    TInplaceEdit::keyPressEvent(e);
}

// --- the inplace editor -----------------------------------------------------------------------

void TCustomGrid::SetEditorMode(bool value)
{
    if (value)
        ShowEditor();
    else
        HideEditor();
}

bool TCustomGrid::CanEditShow()
{
    return (options_ & goEditing) && !(options_ & goRowSelect) && Col() >= FixedCols() && Row() >= FixedRows();
}

TInplaceEdit* TCustomGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

void TCustomGrid::ShowEditor()
{
    if (editorBusy_ || !CanEditShow())
        return;
    ClampInView(Col(), Row());
    if (!editor_)
        editor_ = CreateEditor();
    editorMode_ = true;
    editor_->UpdateContents();
    placeEditor();
    editor_->setFocus(Qt::OtherFocusReason);
    editor_->selectAll();
    InvalidateCell(Col(), Row());
}

void TCustomGrid::ShowEditorChar(QChar ch)
{
    ShowEditor();
    if (!editorMode_ || !editor_)
        return;
    editor_->selectAll();
    if (ch == QLatin1Char('\b')) {
        editor_->del();
        editor_->setModified(true);
    } else {
        editor_->TypeChar(ch);
    }
}

void TCustomGrid::HideEditor()
{
    if (!editorMode_ || editorBusy_)
        return;
    editorBusy_ = true;
    if (editor_ && editor_->isModified()) {
        // A refused value keeps the editor open with what the user typed.
        try {
            SetEditText(Col(), Row(), editor_->text());
        } catch (...) {
            editorBusy_ = false;
            throw;
        }
        editor_->setModified(false);
    }
    editorMode_ = false;
    if (editor_) {
        const bool hadFocus = editor_->hasFocus();
        editor_->hide();
        if (hadFocus)
            setFocus(Qt::OtherFocusReason);
    }
    InvalidateCell(Col(), Row());
    editorBusy_ = false;
    EditorHidden();
}

void TCustomGrid::CancelEditor()
{
    if (!editorMode_)
        return;
    editorBusy_ = true;
    if (editor_) {
        editor_->setModified(false);
        if (!(options_ & goAlwaysShowEditor)) {
            const bool hadFocus = editor_->hasFocus();
            editor_->hide();
            if (hadFocus)
                setFocus(Qt::OtherFocusReason);
        }
    }
    editorMode_ = (options_ & goAlwaysShowEditor) && editor_ && editor_->isVisible();
    InvalidateCell(Col(), Row());
    editorBusy_ = false;
    EditorHidden();
}

void TCustomGrid::placeEditor()
{
    if (!editorMode_ || !editor_)
        return;
    const QRect r = CellRect(Col(), Row());
    if (r.isEmpty())
        editor_->hide();
    else
        editor_->Move(r);
}
