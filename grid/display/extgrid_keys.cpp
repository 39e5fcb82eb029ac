// TExtStringGrid: the keyboard. Space and Enter act on check boxes, radio groups and buttons; Home
// and End by row; nodes open and close with Right and Left; Tab moves between the editable cells;
// declared-fixed cells are skipped; Down on the last row may append one; Insert, Delete and
// Ctrl+A; disjunct row and column selection; Enter advances to the next editable cell; Escape
// puts the text back; typed letters find a row.
#include "grid/display/extgrid.h"
#include "grid/display/gridservices.h"

#include <QApplication>

#include <algorithm>

#include "grid/display/extutil.h"

namespace {

bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: return true;
    default: return false;
    }
}

}  // namespace

int TExtStringGrid::firstNavigableCol() const
{
    return TCustomGrid::FixedCols() == 0 && groupColumn_ >= 0 ? 1 : TCustomGrid::FixedCols();
}

int TExtStringGrid::lastDataRowIndex() const
{
    return FloatingFooter.Visible() && RowCount() > 2 ? RowCount() - 2 : RowCount() - 1 - fixedFooters_;
}

void TExtStringGrid::KeyDown(int& Key, Qt::KeyboardModifiers Shift)
{
    if (panning_) {
        stopPanning();
        Key = 0;
        return;
    }
    const TGridRect before = Selection();
    const int oldRow = Row();
    const int leftCol = LeftCol();
    const bool ctrl = Shift & Qt::ControlModifier;
    const bool shift = Shift & Qt::ShiftModifier;
    const bool alt = Shift & Qt::AltModifier;
    const int fr = TCustomGrid::FixedRows();
    auto handled = [&] {
        if (OnKeyDown) {
            int k = Key;
            OnKeyDown(this, k, Shift);
        }
        Key = 0;
        const TGridRect after = Selection();
        if (!(after == before))
            SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
    };

    // F2: editing starts with range-select editing; a form in the cell keeps the key.
    if (Key == Qt::Key_F2) {
        if (MouseActions.RangeSelectAndEdit && !(Options() & goEditing) && CanEditCell(Col(), Row()))
            SetOptions(Options() | goEditing);
        if ((Options() & goEditing) && HasHTMLControlsIn(GetCellText(Col(), Row()))) {
            ShowControlEditor(Col(), Row());
            Key = 0;
            return;
        }
    }
    // Space and Enter act on the cell's control.
    if ((Key == Qt::Key_Space || Key == Qt::Key_Return || Key == Qt::Key_Enter) && HasActiveControl(Col(), Row())) {
        bool canEdit = true;
        DoCanEditCell(Col(), Row(), canEdit);
        if (canEdit) {
            const TGridCoord b = BaseCell(Col(), Row());
            const TCellType kind = GetCellType(b.X, b.Y);
            if (Key == Qt::Key_Space && IsCheckBoxCellType(kind)) {
                ToggleCheckBox(b.X, b.Y, true);
                bool state = false;
                GetCheckBoxState(b.X, b.Y, state);
                if (OnCheckBoxClick)
                    OnCheckBoxClick(this, RealColIndex(b.X), b.Y, state);
            } else if (Key == Qt::Key_Space && kind == ctRadio) {
                TCellGraphic* g = GetCellGraphic(b.X, b.Y);
                if (!g->Options.isEmpty()) {
                    int current = g->CellIndex >= 0 ? g->CellIndex : int(g->Options.indexOf(GetCellText(b.X, b.Y)));
                    const int next = current + 1 >= g->Options.size() || current < 0 ? 0 : current + 1;
                    if (g->CellIndex >= 0)
                        g->CellIndex = next;
                    SetCellText(b.X, b.Y, g->Options[next]);
                    if (OnRadioClick)
                        OnRadioClick(this, RealColIndex(b.X), b.Y, next);
                }
            } else if (kind == ctButton || kind == ctBitButton) {
                if (OnButtonClick)
                    OnButtonClick(this, RealColIndex(b.X), b.Y);
            }
            RepaintCell(b.X, b.Y);
        }
    }
    // Home and End by row, or along the row with row selection.
    if (Key == Qt::Key_Home || Key == Qt::Key_End) {
        const bool home = Key == Qt::Key_Home;
        const bool single = FixedRowAlways && RowCount() == 1;
        if (!single && Navigation.HomeEndKey == heFirstLastRow) {
            const int target = home ? fr : lastDataRowIndex();
            SetRow(target);
            SnapToBaseCell();
            if (!home && fixedFooters_ > 0 && !FloatingFooter.Visible())
                SetTopRow(std::max(fr, RowCount() - VisibleRowCount()));
            const int top = std::min(target, oldRow);
            const int bottom = std::max(target, oldRow);
            if (MouseActions.DisjunctRowSelect) {
                if (!shift) {
                    ClearRowSelect();
                    const TGridRect s = Selection();
                    for (int r = s.Top; r <= s.Bottom; ++r)
                        SetRowSelect(r, true);
                } else {
                    SetSelection(TGridRect{0, top, ColCount() - 1, bottom});
                    for (int r = top; r <= bottom; ++r)
                        SetRowSelect(r, true);
                }
            } else if (shift) {
                SetSelection(TGridRect{Selection().Left, top, Selection().Right, bottom});
            }
            handled();
            return;
        }
        if (!single && (Options() & goRowSelect)) {
            const int col = home ? firstNavigableCol() : ColCount() - 1;
            SetCol(col);
            SnapToBaseCell();
            SetLeftCol(home ? firstNavigableCol() : std::max(firstNavigableCol(), ColCount() - VisibleColCount()));
            handled();
            return;
        }
    }
    // Right and Left open and close a node whose first cell is merged.
    if ((Key == Qt::Key_Right || Key == Qt::Key_Left) && IsNodeRow(Row()) && IsMergedCell(0, Row())) {
        if (Key == Qt::Key_Right)
            ExpandNode(RealRowIndex(Row()));
        else
            ContractNode(RealRowIndex(Row()));
    }
    if (Key == Qt::Key_Tab && (Options() & goTabs)) {
        MoveCellFocus(Shift);
        Key = 0;
        return;
    }
    if (Key == Qt::Key_Backtab && (Options() & goTabs)) {
        MoveCellFocus(Shift | Qt::ShiftModifier);
        Key = 0;
        return;
    }
    // Cells the application declares fixed are passed over.
    if (Navigation.SkipFixedCells && (Key == Qt::Key_Left || Key == Qt::Key_Right || Key == Qt::Key_Up || Key == Qt::Key_Down)) {
        const bool rtl = layoutDirection() == Qt::RightToLeft;
        const int dx = Key == Qt::Key_Left ? (rtl ? 1 : -1) : Key == Qt::Key_Right ? (rtl ? -1 : 1) : 0;
        const int dy = Key == Qt::Key_Up ? -1 : Key == Qt::Key_Down ? 1 : 0;
        const int c0 = Col() + dx;
        const int r0 = Row() + dy;
        const bool inside = dx != 0 ? (c0 >= TCustomGrid::FixedCols() && c0 < ColCount() - fixedRightCols_)
                                    : (r0 >= fr && r0 < RowCount() - fixedFooters_);
        if (inside && IsFixedCell(RealColIndex(c0), r0)) {
            int c = c0;
            int r = r0;
            while (((dx != 0 && c >= TCustomGrid::FixedCols() && c < ColCount() - fixedRightCols_) ||
                    (dy != 0 && r >= fr && r < RowCount() - fixedFooters_)) &&
                   IsFixedCell(RealColIndex(c), r)) {
                c += dx;
                r += dy;
            }
            const bool found = dx != 0 ? (c >= TCustomGrid::FixedCols() && c < ColCount() - fixedRightCols_)
                                       : (r >= fr && r < RowCount() - fixedFooters_);
            if (found)
                FocusCell(c, r, true);
            handled();
            return;
        }
    }
    // Down on the last data row may append a row.
    if (Key == Qt::Key_Down && Row() == lastDataRowIndex() && Navigation.AppendOnArrowDown) {
        bool canAdd = true;
        DoCanAddRow(canAdd);
        if (canAdd) {
            InsertRows(lastDataRowIndex() + 1, 1);
            if (FloatingFooter.Visible() || fixedFooters_ > 0)
                SetRow(lastDataRowIndex());
            if (OnAutoAddRow)
                OnAutoAddRow(this, lastDataRowIndex());
        }
    }
    // Clipboard keys: their events here, the work in the editing half.
    if (Navigation.AllowClipboardShortCuts) {
        std::function<void(QObject*, bool&)>* event = nullptr;
        if ((ctrl && Key == Qt::Key_X) || (shift && Key == Qt::Key_Delete))
            event = &OnClipboardCut;
        else if ((ctrl && Key == Qt::Key_C) || (ctrl && Key == Qt::Key_Insert))
            event = &OnClipboardCopy;
        else if ((ctrl && Key == Qt::Key_V) || (shift && Key == Qt::Key_Insert))
            event = &OnClipboardPaste;
        if (event) {
            bool allow = true;
            if (*event)
                (*event)(this, allow);
            if (TGridEditingServices* s = GridEditingServices(); s && allow) {
                if (event == &OnClipboardCut)
                    s->ClipboardCut(*this);
                else if (event == &OnClipboardCopy)
                    s->ClipboardCopy(*this);
                else
                    s->ClipboardPaste(*this);
            }
            handled();
            return;
        }
    }
    if (Key == Qt::Key_Insert && !ctrl && !shift && !alt && Navigation.AllowInsertRow) {
        bool canInsert = true;
        DoCanInsertRow(Row(), canInsert);
        if (canInsert) {
            if (Navigation.InsertPosition == pInsertAfter) {
                const int at = RowCount() == fr && FixedRowAlways ? Row() : Row() + 1;
                InsertRows(at, 1);
                if (Row() + 1 < RowCount())
                    SetRow(Row() + 1);
            } else {
                InsertRows(Row(), 1);
            }
        }
        Key = 0;
        return;
    }
    if (ctrl && Key == Qt::Key_A && (Options() & (goRowSelect | goRangeSelect))) {
        SetSelection(TGridRect{firstNavigableCol(), fr, ColCount() - fixedRightCols_ - 1, RowCount() - fixedFooters_ - 1});
        if (MouseActions.DisjunctRowSelect)
            for (int r = fr; r < RowCount() - fixedFooters_; ++r)
                SetRowSelect(r, true);
        handled();
        return;
    }
    if (Key == Qt::Key_Delete && !alt && Navigation.AllowDeleteRow && RowCount() - fr - fixedFooters_ > 0) {
        bool canDelete = true;
        if (OnCanDeleteRow)
            OnCanDeleteRow(this, Row(), canDelete);
        if (canDelete) {
            const bool last = Row() == RowCount() - 1;
            RemoveRows(Row(), 1);
            if (FloatingFooter.Visible() && last && Row() > fr)
                SetRow(Row() - 1);
        }
        Key = 0;
        return;
    }

    const int navigationKey = Key;
    TBaseGrid::KeyDown(Key, Shift);
    if (Navigation.KeepHorizScroll && (Options() & goRowSelect) &&
        (navigationKey == Qt::Key_PageUp || navigationKey == Qt::Key_PageDown || navigationKey == Qt::Key_Up ||
         navigationKey == Qt::Key_Down))
        SetLeftCol(leftCol);
    if (isNavigationKey(navigationKey)) {
        if (MouseActions.DisjunctRowSelect) {
            if (!shift && !ctrl)
                ClearRowSelect();
            if (!shift) {
                SetRowSelect(MouseActions.RowSelectPersistent ? RealRowIndex(Row()) : Row(), true);
            } else {
                const TGridRect s = Selection();
                for (int r = s.Top; r <= s.Bottom; ++r)
                    SetRowSelect(MouseActions.RowSelectPersistent ? RealRowIndex(r) : r, true);
            }
        }
        if (MouseActions.DisjunctColSelect) {
            if (!shift && !ctrl)
                ClearColSelect();
            if (!shift) {
                SetColSelect(Col(), true);
            } else {
                const TGridRect s = Selection();
                for (int c = s.Left; c <= s.Right; ++c)
                    SetColSelect(c, true);
            }
        }
    }
    if (navigationKey == Qt::Key_Space) {
        if (MouseActions.DisjunctRowSelect)
            SetRowSelect(Row(), !GetRowSelect(Row()));
        if (MouseActions.DisjunctColSelect)
            SetColSelect(Col(), !GetColSelect(Col()));
    }
    const TGridRect after = Selection();
    if (!(after == before))
        SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

bool TExtStringGrid::HasHTMLControlsIn(const QString& text)
{
    return text.toUpper().contains(QLatin1String("<CONTROL"));
}

void TExtStringGrid::KeyPress(QChar& Key)
{
    // Escape never goes further; with editing started the text comes back.
    if (Key.unicode() == 27) {
        if ((Options() & goEditing) && EditorMode())
            CancelEditor();
        Key = QChar();
        return;
    }
    if (Navigation.AllowClipboardShortCuts && (QApplication::keyboardModifiers() & Qt::ControlModifier) &&
        (Key.unicode() == 3 || Key.unicode() == 22 || Key.unicode() == 24)) {
        Key = QChar();
        return;
    }
    if (Key == QLatin1Char('\r')) {
        const int realCol = RealColIndex(Col());
        if (Navigation.AdvanceOnEnter || HasActiveControl(Col(), Row())) {
            AdvanceCell(Col(), Row(), false, false, true);
            if (HasActiveControl(RealToDisplCol(realCol), Row())) {
                if (OnKeyPress)
                    OnKeyPress(this, Key);
                Key = QChar();
                return;
            }
            if (Navigation.AdvanceOnEnter) {
                Key = QChar();
                return;
            }
        }
    }
    // A cell with a control takes no typed characters.
    if (HasActiveControl(Col(), Row()) && Key != QLatin1Char('\r')) {
        Key = QChar();
        return;
    }
    // Type-ahead: the letters typed find a row.
    if (!(Options() & goEditing) && Navigation.AutoGotoWhenSorted && Key.unicode() >= 8) {
        if (Navigation.AutoGotoIncremental) {
            if (Key == QLatin1Char('\b'))
                typeAheadText_.chop(1);
            else
                typeAheadText_ += Key;
            tickCount_ = 0;
        } else {
            typeAheadText_ = Key;
        }
        const int found = LookupRow(typeAheadText_.toUpper());
        if (found >= 0)
            SetRow(found);
        else
            typeAheadText_.clear();
    }
    // A character that opens an editor becomes the editor's first input.
    const bool starts = (Options() & goEditing) && !EditorMode() && !editorShown_ && Key.unicode() >= 32;
    if (starts)
        startChar_ = Key;
    TBaseGrid::KeyPress(Key);
    if (starts)
        startChar_ = QChar();
}

int TExtStringGrid::LookupRow(const QString& Text)
{
    // The first data row whose text in the sort column begins with the text.
    const int col = std::clamp(SortSettings.Column, 0, std::max(0, ColCount() - 1));
    for (int r = TCustomGrid::FixedRows(); r < RowCount() - fixedFooters_; ++r)
        if (GetDisplayText(col, r).toUpper().startsWith(Text))
            return r;
    return -1;
}

void TExtStringGrid::MoveCellFocus(Qt::KeyboardModifiers Shift)
{
    int key = Qt::Key_Tab;
    if (OnKeyDown) {
        OnKeyDown(this, key, Shift);
        if (key != Qt::Key_Tab)
            return;
    }
    const int fr = TCustomGrid::FixedRows();
    const int first = firstNavigableCol();
    const int lastCol = ColCount() - 1 - fixedRightCols_;
    const int lastRow = RowCount() - 1 - fixedFooters_;
    const bool back = Shift & Qt::ShiftModifier;
    const bool leftRight = Navigation.TabAdvanceDirection == adLeftRight;
    int c = Col();
    int r = Row();
    bool leave = false;
    if (!back && leftRight) {
        const int span = CellSpan(c, r).X;
        int found = -1;
        for (int k = c + span + 1; k <= lastCol; ++k)
            if (CanEditCell(k, r)) {
                found = k;
                break;
            }
        if (found >= 0) {
            c = found;
        } else {
            int next = first;
            for (int k = first; k <= lastCol; ++k)
                if (CanEditCell(k, r < lastRow ? r + 1 : fr)) {
                    next = k;
                    break;
                }
            c = next;
            if (r >= lastRow) {
                r = fr;
                leave = Navigation.TabToNextAtEnd;
            } else {
                ++r;
            }
        }
    } else if (!back) {
        const int span = CellSpan(c, r).Y;
        if (r + span + 1 <= lastRow) {
            r += span + 1;
        } else {
            r = fr;
            if (c >= lastCol) {
                c = first;
                leave = Navigation.TabToNextAtEnd;
            } else {
                ++c;
            }
        }
    } else if (leftRight) {
        int found = -1;
        for (int k = c - 1; k >= first; --k)
            if (CanEditCell(k, r)) {
                found = k;
                break;
            }
        if (found >= 0) {
            c = found;
        } else {
            r = r > fr ? r - 1 : lastRow;
            c = lastCol;
            for (int k = lastCol; k >= first; --k)
                if (CanEditCell(k, r)) {
                    c = k;
                    break;
                }
        }
    } else {
        if (r > fr) {
            --r;
        } else {
            r = lastRow;
            c = c > first ? c - 1 : lastCol;
        }
    }
    FocusCell(c, r, true);
    if (leave && parentWidget()) {
        // The focus goes on to the next control of the window.
        QWidget::focusNextPrevChild(true);
        return;
    }
    if (Navigation.AlwaysEdit)
        setFocus(Qt::TabFocusReason);
}

void TExtStringGrid::AdvanceCell(int ACol, int ARow, bool Force, bool OpenEditor, bool Forward)
{
    if (!Navigation.AdvanceOnEnter && !Force)
        return;
    if (MouseActions.RangeSelectAndEdit && !(Options() & goEditing))
        SetOptions(Options() | goEditing);
    const int fr = TCustomGrid::FixedRows();
    const int first = firstNavigableCol();
    const int lastCol = ColCount() - 1 - fixedRightCols_;
    const int lastDataRow = RowCount() - 1 - fixedFooters_;
    const bool leftRight = Navigation.AdvanceDirection == adLeftRight;
    int c = ACol;
    int r = ARow;
    // One step in the advance order; false when it ends the advance.
    auto step = [&](int& sc, int& sr) {
        if (Forward && leftRight) {
            const int span = std::max(0, CellSpan(sc, sr).X);
            if (sc + span >= lastCol) {
                if (sr >= lastDataRow && Navigation.AdvanceInsert) {
                    bool canAdd = true;
                    DoCanAddRow(canAdd);
                    sc = first;
                    if (canAdd) {
                        InsertRows(lastDataRow + 1, 1);
                        sr = sr + 1;
                        if (OnAutoAddRow)
                            OnAutoAddRow(this, RowCount() - 1 - fixedFooters_);
                    }
                } else if (sr >= lastDataRow) {
                    sr = fr;
                    sc = first;
                } else {
                    sc = first;
                    ++sr;
                }
            } else {
                sc = sc + 1 + span;
            }
        } else if (Forward) {
            if (sr >= lastDataRow) {
                sr = fr;
                sc = sc + 1 >= ColCount() - fixedRightCols_ ? first : sc + 1;
            } else {
                ++sr;
            }
        } else if (leftRight) {
            if (sc > first) {
                --sc;
            } else if (sr > fr) {
                --sr;
                sc = lastCol;
            } else {
                sr = lastDataRow;
                sc = lastCol;
            }
        } else {
            if (sr > fr) {
                --sr;
            } else if (sc > first) {
                --sc;
                sr = lastDataRow;
            } else {
                sc = lastCol;
                sr = lastDataRow;
            }
        }
    };
    // The cells that cannot be edited are passed over, at most once round the grid: with no
    // editable cell the current cell stays.
    const long long cells = (long long)(ColCount() + 1) * (RowCount() + 1);
    long long walked = 0;
    do {
        step(c, r);
        ++walked;
    } while (!CanEditCell(c, r) && walked <= cells && !(c == ACol && r == ARow));
    if (!CanEditCell(c, r))
        return;
    bool allow = true;
    if (OnAutoAdvance)
        OnAutoAdvance(this, ARow, ACol, r, c, allow);
    if (!allow)
        return;
    if (OnCellChanging)
        OnCellChanging(this, ARow, ACol, r, c, allow);
    if (!allow)
        return;
    c = std::clamp(c, 0, ColCount() - 1);
    r = std::clamp(r, 0, RowCount() - 1);
    // OnCellChanging was asked above: the move does not ask it again.
    const bool suppressed = cellChangingSuppressed_;
    cellChangingSuppressed_ = true;
    FocusCell(c, r, true);
    cellChangingSuppressed_ = suppressed;
    if (OpenEditor && !HasActiveControl(c, r) && CanEditCell(c, r))
        ShowEditor();
}
