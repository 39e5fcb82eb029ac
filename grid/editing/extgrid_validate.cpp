// The validation and change notice of an edited value: the cell's text when editing began, the
// checker's correction, OnCellValidate, the write, and then the notices (the footer, the checker's
// marks, the companions, OnCellsChanged), so that what is summed and announced is what the cell
// holds. A refused value puts the text from before editing back and opens the editor again.
#include <QPointer>

#include "grid/display/extgrid.h"
#include "grid/display/extutil.h"
#include "grid/editing/celleditors.h"
#include "grid/editing/esgcheck.h"

void TExtStringGrid::BeginEditValue(int ACol, int ARow)
{
    editCol_ = ACol;
    editRow_ = ARow;
    const TGridCoord b = BaseCell(RealColIndex(ACol), ARow);
    editText_ = GetRawCell(b.X, b.Y);
    editModified_ = IsRowModified(ARow);
}

bool TExtStringGrid::CommitEditValue(const QString& Value)
{
    return commitValue(Value, false);
}

bool TExtStringGrid::CommitEditValueWide(const QString& Value)
{
    return commitValue(Value, true);
}

bool TExtStringGrid::commitValue(const QString& Value, bool Wide)
{
    // A commit while another one runs (a handler that moves the focus) does nothing.
    if (!editAllowed_ || validating_)
        return true;
    if (editCol_ < 0 || editRow_ < 0)
        BeginEditValue(Col(), Row());
    editAllowed_ = false;
    validating_ = true;
    const QPointer<TExtStringGrid> alive(this);
    const int col = editCol_;
    const int row = editRow_;
    const int realCol = RealColIndex(col);
    const QString before = Wide ? CellWideText(editText_) : editText_;
    bool valid = true;
    QString value = Value;

    auto write = [&](const QString& text) {
        TBaseGrid::SetEditText(realCol, row, Wide ? WideCellTextOf(text) : text);
    };

    if (value != before || AlwaysValidate) {
        if (!Wide && ShowModified.Enabled && TCustomGrid::FixedCols() > 0 && value != before) {
            SetRowModified(row, true);
            RepaintCell(0, row);
        }
        // A handler's focus change must not advance the grid meanwhile.
        const bool advance = Navigation.AdvanceOnEnter;
        Navigation.AdvanceOnEnter = false;
        TExtStringGridCheck* checker = Wide ? nullptr : CellChecker();
        if (checker && checker->AutoCorrect)
            value = checker->Correct(realCol, row, value);
        const QString offered = value;
        try {
            if (!Wide && OnCellValidate)
                OnCellValidate(this, realCol, row, value, valid);
            if (Wide && OnCellValidateWide)
                OnCellValidateWide(this, realCol, row, value, valid);
        } catch (...) {
            if (alive) {
                Navigation.AdvanceOnEnter = advance;
                validating_ = false;
                editAllowed_ = true;
            }
            throw;
        }
        if (!alive)
            return valid;
        if (valid) {
            // First the value, then the notices of it.
            write(value);
            if ((checker = Wide ? nullptr : CellChecker()) && checker->AutoMarkError) {
                const QString marked = checker->MarkError(realCol, row, value);
                if (marked != value)
                    write(marked);
            }
            for (TGridCompanion* c : std::vector<TGridCompanion*>(companions_))
                c->GridCellValidated(realCol, row, value);
            UpdateFooterColumn(realCol);
            CellsChanged(QRect(col, row, 1, 1));
        }
        Navigation.AdvanceOnEnter = advance;
        if (!valid) {
            // The text from before editing comes back, or the handler's correction of it.
            write(value == offered ? before : value);
            if (!Wide)
                SetRowModified(row, editModified_);
            ++rejections_;
            reopenPending_ = true;
        }
    }
    BeginEditValue(Col(), Row());
    validating_ = false;
    editAllowed_ = true;
    if (reopenPending_ && hostDepth_ == 0 && !EditorBusy())
        reopenRejected();
    return valid;
}

void TExtStringGrid::reopenRejected()
{
    reopenPending_ = false;
    if (editCol_ < 0 || editRow_ < 0)
        return;
    const int col = editCol_;
    const int row = editRow_;
    // The special editor closes without writing; the cell is current again and edited anew.
    if (editorShown_ && currentEditor_ != edNormal && !IsTextEditorKind(currentEditor_))
        HideSpecialEditor(*this);
    editorShown_ = false;
    if (Col() != col || Row() != row) {
        ++hostDepth_;
        selectingBack_ = true;
        FocusCell(col, row, true);
        selectingBack_ = false;
        --hostDepth_;
    }
    if (EditorMode())
        CancelEditor();
    ShowEditor();
}

void TExtStringGrid::CellsChanged(const QRect& R)
{
    if (OnCellsChanged)
        OnCellsChanged(this, R);
    for (TGridCompanion* c : std::vector<TGridCompanion*>(companions_))
        c->GridCellsChanged(R);
    UpdateFooterColumn(-1);
}
