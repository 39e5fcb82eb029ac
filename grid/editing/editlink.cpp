// The custom editor link, the rich-text cell editor and the cell editor of edCustom cells.
#include "grid/editing/editlink.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextCursor>

#include "grid/display/extcgrid.h"
#include "grid/display/extgrid.h"
#include "grid/display/extrichedit.h"
#include "grid/editing/celleditors.h"
#include "grid/editing/editorwrappers.h"

// --- the link -------------------------------------------------------------------------------------------

TEditLink::TEditLink(QObject* Owner) : QObject(Owner) {}

TEditLink::~TEditLink()
{
    if (watched_)
        watched_->removeEventFilter(this);
    delete popup_.data();
}

namespace {

// The popup of a link: hiding it (a click elsewhere closes a popup) tells the link.
class TLinkPopup : public QWidget {
public:
    explicit TLinkPopup(std::function<void()> hidden)
        : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint), hidden_(std::move(hidden))
    {
    }

protected:
    void hideEvent(QHideEvent* e) override
    {
        QWidget::hideEvent(e);
        if (hidden_)
            hidden_();
    }

private:
    std::function<void()> hidden_;
};

}  // namespace

QWidget* TEditLink::PopupForm()
{
    if (!popup_)
        popup_ = new TLinkPopup([this] { popupHidden(); });
    return popup_;
}

bool TEditLink::isGridKey(int Key) const
{
    switch (Key) {
    case Qt::Key_Up:
    case Qt::Key_Down: return !WantKeyUpDown;
    case Qt::Key_Left:
    case Qt::Key_Right: return !WantKeyLeftRight;
    case Qt::Key_Home:
    case Qt::Key_End: return !WantKeyHomeEnd;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return !WantKeyPriorNext;
    case Qt::Key_Return:
    case Qt::Key_Enter: return !WantKeyReturn;
    case Qt::Key_Escape: return !WantKeyEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return true;
    default: return false;
    }
}

void TEditLink::EditKeyDown(QObject*, int& Key, Qt::KeyboardModifiers Shift)
{
    if (!Grid || !isGridKey(Key))
        return;
    const QPointer<TExtStringGrid> grid(Grid);
    if (Key == Qt::Key_Escape) {
        // Editing ends with nothing written.
        Key = 0;
        Grid->CancelInplaceEditor();
        return;
    }
    const int key = Key;
    Key = 0;
    refocusing_ = true;
    grid->EditorKeyNavigate(key, Shift);
    refocusing_ = false;
}

void TEditLink::SetFocus(bool Value)
{
    QWidget* c = GetEditControl();
    if (!c) {
        if (!Value && Grid)
            Grid->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (Value) {
        c->setVisible(true);
        c->setEnabled(true);
        if (watched_ != c) {
            if (watched_)
                watched_->removeEventFilter(this);
            watched_ = c;
            c->installEventFilter(this);
        }
        c->setFocus(Qt::OtherFocusReason);
    } else if (Grid) {
        refocusing_ = true;
        Grid->setFocus(Qt::OtherFocusReason);
        refocusing_ = false;
    }
}

void TEditLink::SetRect(const QRect& R)
{
    QWidget* c = GetEditControl();
    if (!c)
        return;
    const int line = Grid ? Grid->GridLineWidth() : 1;
    c->setGeometry(R.left(), R.top(), R.width() - line, R.height() - line);
}

void TEditLink::SetVisible(bool Value)
{
    if (QWidget* c = GetEditControl())
        c->setVisible(Value);
}

bool TEditLink::eventFilter(QObject* o, QEvent* e)
{
    if (o != watched_ || !Grid || !Grid->EditorShown())
        return false;
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride)
        return false;
    auto* k = static_cast<QKeyEvent*>(e);
    // Tab moves between cells only while the grid has goTabs; otherwise it leaves the grid.
    if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && !(Grid->Options() & goTabs))
        return false;
    if (!isGridKey(k->key()))
        return false;
    if (e->type() == QEvent::ShortcutOverride) {
        e->accept();
        return true;
    }
    int key = k->key();
    EditKeyDown(o, key, k->modifiers());
    return key == 0;
}

void TEditLink::BeginEdit(TExtStringGrid& AGrid, int RealCol, int ARow)
{
    Grid = &AGrid;
    editCell_ = {RealCol, ARow};
}

void TEditLink::EndEdit()
{
    ending_ = true;
    if (watched_)
        watched_->removeEventFilter(this);
    QWidget* c = GetEditControl();
    const bool hadFocus = c && (c->hasFocus() || c->isAncestorOf(QApplication::focusWidget()));
    if (EditStyle == esInplace)
        SetVisible(false);
    if (c)
        c->setVisible(false);
    watched_ = nullptr;
    if (EditStyle == esPopup && popup_) {
        DestroyEditor();
        popup_->hide();
    }
    if (hadFocus && Grid)
        Grid->setFocus(Qt::OtherFocusReason);
    ending_ = false;
}

void TEditLink::HideEditLink()
{
    if (!Grid)
        return;
    // Commit: the value goes into the cell (when changed), then editing ends.
    Grid->HideInplaceEditor();
    if (EditStyle == esPopup && popup_ && popup_->isVisible())
        EndEdit();
}

void TEditLink::popupHidden()
{
    // The popup closed itself (a click elsewhere): editing ends with the value written.
    if (ending_ || !Grid || !Grid->EditorShown() || Grid->CurrentEditor() != edCustom)
        return;
    if (refocusing_)
        return;
    HideEditLink();
}

// --- the cell editors ----------------------------------------------------------------------------------

namespace {

// edRichEdit: the grid's editing rich edit over the cell; its row grows while the user types.
class TRichCellEditor : public TCellEditor {
public:
    explicit TRichCellEditor(TExtStringGrid& Grid) : grid_(&Grid), edit_(new TExtRichEdit(Grid.viewport()))
    {
        edit_->Grid = &Grid;
        edit_->setFrameShape(QFrame::NoFrame);
        // Tab leaves the cell (between the cells with goTabs), as from every other editor.
        edit_->setTabChangesFocus(true);
        edit_->setVisible(false);
        edit_->setEnabled(false);
        InstallEditorKeys(Grid, edit_, TWrapperStyle::RichEdit);
        edit_->OnRequestResize = [this](TExtRichEdit*, int, int h) { grow(h); };
        edit_->OnKeyDownAfter = [this](TExtRichEdit*, QKeyEvent* e) {
            // Up and Down go on to the grid when cells hold one line.
            if (grid_ && (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) && !grid_->WordWrap() &&
                !grid_->Multilinecells && grid_->EditorShown())
                grid_->EditorKeyNavigate(e->key(), e->modifiers());
        };
        QObject::connect(edit_, &QTextEdit::selectionChanged, edit_, [this] {
            if (grid_ && grid_->OnRichEditSelectionChange)
                grid_->OnRichEditSelectionChange(grid_);
        });
    }
    ~TRichCellEditor() override = default;

    QWidget* Show(TExtStringGrid& Grid, const TEditorPlace& Place) override
    {
        cellTop_ = Place.Cell.top();
        edit_->ResizeSuppressed = true;
        edit_->setGeometry(Place.Bounds);
        edit_->document()->setDocumentMargin(2);
        QPalette p = edit_->palette();
        p.setColor(QPalette::Base, ToQColor(ColorToRGB(Place.Color)));
        edit_->setPalette(p);
        edit_->setFont(Grid.font());
        const TGridCoord b = Grid.BaseCell(Place.RealCol, Place.Row);
        Grid.CellToRichEdit(b.X, b.Y, edit_);
        if (Grid.Navigation.EditSelectAll) {
            // Selected from the end back to the start, so that typing over it takes the format of
            // the text's first character.
            QTextCursor all(edit_->document());
            all.movePosition(QTextCursor::End);
            all.movePosition(QTextCursor::Start, QTextCursor::KeepAnchor);
            edit_->setTextCursor(all);
        }
        edit_->setEnabled(true);
        edit_->setVisible(true);
        edit_->raise();
        edit_->setFocus(Qt::OtherFocusReason);
        edit_->ResizeSuppressed = false;
        return edit_;
    }
    QString Value(TExtStringGrid&) override { return edit_->SaveRichText(); }
    void Hide() override
    {
        if (!edit_)
            return;
        const bool hadFocus = edit_->hasFocus();
        edit_->setVisible(false);
        edit_->setEnabled(false);
        if (hadFocus && grid_)
            grid_->setFocus(Qt::OtherFocusReason);
    }

private:
    // The row grows to the height the text asks for (and 5 pixels), never past the grid's
    // client area.
    void grow(int requested)
    {
        if (!grid_ || !edit_->isVisible() || edit_->ResizeSuppressed || !grid_->SizeWhileTyping.Height)
            return;
        const int row = grid_->Row();
        if (requested > grid_->RowHeights(row) && cellTop_ + requested <= grid_->viewport()->height()) {
            edit_->resize(edit_->width(), requested + 4);
            grid_->SetRowHeights(row, requested + 5);
            if (grid_->OnEndRowSize)
                grid_->OnEndRowSize(grid_, row);
        }
    }

    QPointer<TExtStringGrid> grid_;
    QPointer<TExtRichEdit> edit_;
    int cellTop_ = 0;
};

// edCustom: the grid's link (a column grid's column may name its own).
class TCustomCellEditor : public TCellEditor {
public:
    explicit TCustomCellEditor(TExtStringGrid&) {}

    bool Available(TExtStringGrid& Grid) override { return linkFor(Grid, Grid.RealColIndex(Grid.Col())) != nullptr; }

    QWidget* Show(TExtStringGrid& Grid, const TEditorPlace& Place) override
    {
        TEditLink* link = linkFor(Grid, Place.RealCol);
        if (!link)
            return nullptr;
        Grid.EditLink = link;
        link_ = link;
        link->BeginEdit(Grid, Place.RealCol, Place.Row);
        if (link->EditStyle == esPopup) {
            if (link->AutoPopupWidth)
                link->PopupWidth = Place.Cell.width();
            QWidget* form = link->PopupForm();
            const QPoint at = link->PopupLeft != -1 && link->PopupTop != -1
                                  ? QPoint(link->PopupLeft, link->PopupTop)
                                  : Grid.viewport()->mapToGlobal(Place.Cell.topLeft());
            form->setGeometry(at.x(), at.y(), link->PopupWidth, link->PopupHeight);
            form->show();
            link->CreateEditor(form);
            link->SetRect(QRect(0, 0, link->PopupWidth, link->PopupHeight));
        } else {
            link->CreateEditor(Grid.viewport());
            link->SetRect(Place.Cell);
        }
        link->SetVisible(true);
        link->SetCellProps(Place.Color, Grid.font());
        link->SetProperties();
        if (Grid.OnGetEditorProp)
            Grid.OnGetEditorProp(&Grid, Place.RealCol, Place.Row, link);
        link->SetEditorValue(Place.EditText);
        link->SetFocus(true);
        return link->GetEditControl();
    }
    QString Value(TExtStringGrid&) override { return link_ ? link_->GetEditorValue() : QString(); }
    void Hide() override
    {
        if (link_)
            link_->EndEdit();
    }

private:
    static TEditLink* linkFor(TExtStringGrid& Grid, int RealCol)
    {
        if (auto* cg = dynamic_cast<TExtColumnGrid*>(&Grid); cg && RealCol >= 0 && RealCol < cg->Columns().Count())
            if (auto* own = qobject_cast<TEditLink*>(cg->Columns().Items(RealCol)->EditLink.data()))
                return own;
        return Grid.EditLink;
    }

    QPointer<TEditLink> link_;
};

}  // namespace

void RegisterSpecialCellEditors()
{
    RegisterCellEditor(edRichEdit, [](TExtStringGrid& g, TEditorType) -> std::unique_ptr<TCellEditor> {
        return std::make_unique<TRichCellEditor>(g);
    });
    RegisterCellEditor(edCustom, [](TExtStringGrid& g, TEditorType) -> std::unique_ptr<TCellEditor> {
        return std::make_unique<TCustomCellEditor>(g);
    });
}
