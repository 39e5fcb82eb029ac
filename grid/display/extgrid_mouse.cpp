// TExtStringGrid: presses, releases and double clicks (check boxes, radio groups and buttons in
// cells, nodes, anchors and embedded controls, header selections, header-click sorting, disjunct
// selections, auto-sizing a column), pointer movement (what the next press selects, cursors,
// header drags, sizing fixed columns and rows, drag start, anchors entered and left), hints, and
// the ticks of the grid's timer.
#include "grid/display/extgrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <algorithm>

#include "grid/display/esghtmle.h"
#include "grid/display/gridballoon.h"
#include "grid/display/gridbitmaps.h"
#include "grid/display/extutil.h"
#include "grid/display/gridservices.h"

namespace {

int rightOf(const QRect& r)
{
    return r.left() + r.width();
}

// Within this many pixels of a fixed column's or row's far border the pointer sizes it.
constexpr int kFixedSizingTolerance = 3;

}  // namespace

// --- small queries ------------------------------------------------------------------------------

bool TExtStringGrid::IsCellSelected(int ACol, int ARow) const
{
    if (MouseActions.DisjunctCellSelect)
        return std::find(selectedCells_.begin(), selectedCells_.end(), TGridCoord{ACol, ARow}) != selectedCells_.end();
    return Selection().Contains(ACol, ARow);
}

void TExtStringGrid::SetTypeAheadText(const QString& value)
{
    typeAheadText_ = value;
    tickCount_ = 0;
}

void TExtStringGrid::SelectionChanged(int ALeft, int ATop, int ARight, int ABottom)
{
    if (OnSelectionChanged)
        OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

int TExtStringGrid::fixedBorderAt(int X, int Y, bool& columns) const
{
    // The far border of each fixed column (row), with the runtime's lines between them.
    int x = 0;
    for (int c = 0; c < TCustomGrid::FixedCols(); ++c) {
        x += ColWidths(c);
        if (std::abs(X - x) < kFixedSizingTolerance && Y >= 0) {
            columns = true;
            return c;
        }
    }
    int y = 0;
    for (int r = 0; r < TCustomGrid::FixedRows(); ++r) {
        y += RowHeights(r);
        if (std::abs(Y - y) < kFixedSizingTolerance && X >= 0) {
            columns = false;
            return r;
        }
    }
    return -1;
}

THTMLDrawResult TExtStringGrid::anchorAt(int ACol, int ARow, const QPoint& Pt)
{
    THTMLDrawResult result;
    const QString text = GetCellText(ACol, ARow);
    if (CellTextKind(text, EnableHTML) != ctkHTML)
        return result;
    TMeasureCanvas probe;
    TAlignment h = taLeftJustify;
    TVAlignment v = vtaTop;
    bool wrap = false;
    TColor to = clNone;
    TGridDrawState state;
    GetCellDrawSettings(probe, ACol, ARow, h, v, wrap, to, true, false, false, state);
    // The text's box as the painter lays it out: the cell less its line and margins.
    const QRect cell = MergedCellRect(ACol, ARow);
    THTMLDrawInput in;
    in.Rect = QRect(cell.left() + 1 + XYOffsetX - 1, cell.top() + 1 + XYOffsetY, cell.width() - 2 - 2 * XYOffsetX + 1,
                    cell.height() - 2 - XYOffsetY);
    in.Point = Pt;
    in.HitTestOnly = true;
    in.WordWrap = wrap;
    in.Images = &GridImages;
    in.PictureContainer = PictureContainer.data();
    return DrawHTMLText(probe, text, in);
}

// --- presses --------------------------------------------------------------------------------------

void TExtStringGrid::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    const TGridRect before = Selection();
    // Any press ends panning; the middle button starts it.
    if (panning_) {
        stopPanning();
        return;
    }
    if (Button == Qt::MiddleButton) {
        startPanning(QPoint(X, Y));
        return;
    }
    if (Button == Qt::LeftButton) {
        leftDown_ = true;
        if (!leftPress(Shift, X, Y)) {
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            // A user's sizing of a scrollable column or row: its end runs the sizing notices.
            const TGridState gs = GridState();
            if (gs == gsColSizing || gs == gsRowSizing) {
                TGridState probe = gsNormal;
                int index = -1;
                CalcSizingState(X, Y, probe, index);
                sizingColumns_ = gs == gsColSizing;
                sizingIndex_ = index;
                sizingStart_ = index < 0 ? 0 : sizingColumns_ ? ColWidths(index) : RowHeights(index);
            } else {
                const TGridCoord cell = MouseCoord(X, Y);
                // A click fires OnClickCell unless it is on a column border while columns size.
                const QRect r = cell.X >= 0 && cell.Y >= 0 ? MergedCellRect(cell.X, cell.Y) : QRect();
                const bool onBorder = (Options() & goColSizing) && !r.isNull() &&
                                      (X - r.left() < 4 || rightOf(r) - X < 4);
                if (cell.X >= 0 && cell.Y >= 0 && !onBorder && OnClickCell)
                    OnClickCell(this, cell.Y, RealColIndex(cell.X));
                if (MouseActions.DirectEdit && cell.X >= FixedCols() && cell.Y >= FixedRows() &&
                    CanEditCell(cell.X, cell.Y) && !HasActiveControl(cell.X, cell.Y))
                    ShowEditor();
            }
        }
    } else if (Button == Qt::RightButton) {
        TBaseGrid::MouseDown(Button, Shift, X, Y);
        const TGridCoord cell = MouseCoord(X, Y);
        if (cell.X >= 0 && cell.Y >= 0) {
            if (MouseActions.SelectOnRightClick) {
                MoveColRow(cell.X, cell.Y, true, true);
                if (MouseActions.DisjunctRowSelect && cell.Y < RowCount())
                    SetRowSelect(cell.Y, !GetRowSelect(cell.Y));
            }
            if (OnRightClickCell)
                OnRightClickCell(this, cell.Y, RealColIndex(cell.X));
            if (urlShow_ && URLEdit && IsURL(GetCellText(cell.X, cell.Y))) {
                MoveColRow(cell.X, cell.Y, true, true);
                ShowEditor();
            }
        }
    } else {
        TBaseGrid::MouseDown(Button, Shift, X, Y);
    }
    const TGridRect after = Selection();
    if (!(after == before))
        SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

bool TExtStringGrid::leftPress(Qt::KeyboardModifiers Shift, int X, int Y)
{
    buttonDownCell_ = {-1, -1};
    dragPending_ = false;
    pressPoint_ = QPoint(X, Y);
    const TGridCoord at = MouseCoord(X, Y);
    pressCell_ = at;
    if (at.X < 0 || at.Y < 0) {
        HideEditor();
        return FixedRowAlways;
    }
    const TGridCoord cell = BaseCell(at.X, at.Y);
    const int col = cell.X;
    const int row = cell.Y;
    const QRect rect = MergedCellRect(col, row);

    // Sizing a fixed column or row from its far border.
    bool columns = false;
    const int border = fixedBorderAt(X, Y, columns);
    if (border >= 0 && (columns ? MouseActions.SizeFixedCol : MouseActions.SizeFixedRow)) {
        fixedSizing_ = border;
        fixedSizingColumns_ = columns;
        return true;
    }
    const bool fixedCell = col < TCustomGrid::FixedCols() || row < TCustomGrid::FixedRows();
    if (fixedCell)
        HideEditor();
    // The floating footer's row stays the last one: it cannot be moved.
    if (col < TCustomGrid::FixedCols() && row == RowCount() - 1 && FloatingFooter.Visible() &&
        FloatingFooter.FooterStyle() == fsFixedLastRow)
        return true;

    // Nodes: the header node expands or contracts them all, a data node itself.
    if (col == 0 && IsNodeRow(row) && NodeGlyphHit(row, X)) {
        if (row < TCustomGrid::FixedRows()) {
            if (MouseActions.NodeAllExpandContract) {
                TCellGraphic* g = GetCellGraphic(0, row);
                if (g->CellBoolean)
                    ExpandAllNodes();
                else
                    ContractAllNodes();
                g->CellBoolean = !g->CellBoolean;
            }
            return true;
        }
        const int real = RealRowIndex(row);
        bool allow = true;
        if (!IsNodeContracted(row)) {
            if (OnBeforeContractNode)
                OnBeforeContractNode(this, row, real, allow);
            if (allow) {
                ContractNode(real);
                if (OnContractNode)
                    OnContractNode(this, row, real);
            }
        } else {
            if (OnBeforeExpandNode)
                OnBeforeExpandNode(this, row, real, allow);
            if (allow) {
                ExpandNode(real);
                if (OnExpandNode)
                    OnExpandNode(this, row, real);
            }
        }
        if (MouseActions.MoveRowOnNodeClick)
            SetRow(row);
        return true;
    }
    const bool dataCell = !fixedCell;
    if (dataCell && GetCellType(col, row) == ctRadio && CanEditCell(col, row)) {
        HideEditor();
        ClickRadioGroup(col, row, X - rect.left(), Y - rect.top());
        return true;
    }
    if (col == 0 && dataCell && groupColumn_ >= 0 && !MouseActions.RowSelect)
        return true;
    // A press on selected cells may become a drag once the pointer moves.
    if ((IsCellSelected(col, row) || (row < TCustomGrid::FixedRows() && !EnhRowColMove)) && !(Options() & goEditing) &&
        DragDropSettings.OleDropSource && !MouseActions.ColSelect && !MouseActions.AllSelect &&
        !((Options() & goColSizing) && (X - rect.left() < 4 || rightOf(rect) - X < 4))) {
        dragPending_ = true;
        if (OnClickCell)
            OnClickCell(this, row, RealColIndex(col));
        return true;
    }
    // A cell button goes down while the button is held.
    if (IsButtonCell(col, row)) {
        HideEditor();
        setFocus(Qt::MouseFocusReason);
        const TCellGraphic* g = GetCellGraphic(col, row);
        const int offset = int(std::lround(g->CellValue));
        QRect button(rect.left() + (offset & 0xFFFF), rect.top() + ((offset >> 16) & 0xFFFF), g->CellIndex & 0xFFFF,
                     (unsigned(g->CellIndex) >> 16) & 0xFFFF);
        if (g->CellHAlign == haFull)
            button.setWidth(rect.width());
        if (g->CellVAlign == vaFull)
            button.setHeight(rect.height());
        if (button.contains(X, Y) || (g->CellHAlign != haFull && g->CellVAlign != vaFull && button.isEmpty())) {
            GetCellGraphic(col, row)->CellBoolean = true;
            RepaintCell(col, row);
            buttonDownCell_ = {col, row};
            if (OnClickCell)
                OnClickCell(this, row, RealColIndex(col));
            return true;
        }
    }
    if (col < ColCount() && row < RowCount()) {
        if (MouseActions.DisjunctRowSelect && dataCell && !(col == 0 && MouseActions.HotmailRowSelect)) {
            const int index = MouseActions.RowSelectPersistent ? RealRowIndex(row) : row;
            if (Shift & Qt::ControlModifier)
                deselectOnRelease_ = GetRowSelect(index);
            else if (!(Shift & Qt::ShiftModifier))
                ClearRowSelect();
        }
        if (MouseActions.DisjunctColSelect && col >= TCustomGrid::FixedCols()) {
            if (Shift & Qt::ControlModifier)
                deselectOnRelease_ = GetColSelect(col);
            else
                ClearColSelect();
        }
        if (clickAnchor(col, row, X, Y))
            return true;
        if (clickHeaderSelection(col, row, Shift))
            return true;
        if (clickCheckBox(col, row, X, Y))
            return true;
        if (fixedCell) {
            const bool footerRow = FloatingFooter.Visible() && FloatingFooter.FooterStyle() == fsFixedLastRow &&
                                   row == RowCount() - 1;
            if (!footerRow && OnClickCell)
                OnClickCell(this, row, RealColIndex(col));
            // A press on a header may still size or move columns and rows: the runtime decides.
            TGridState state = gsNormal;
            int index = -1;
            CalcSizingState(X, Y, state, index);
            return state == gsNormal && !(Options() & (goColMoving | goRowMoving));
        }
    }
    return false;
}

bool TExtStringGrid::clickAnchor(int ACol, int ARow, int X, int Y)
{
    const QString text = GetCellText(ACol, ARow);
    const bool html = CellTextKind(text, EnableHTML) == ctkHTML;
    if (!urlShow_ && !html)
        return false;
    QString anchor;
    THTMLDrawResult hit;
    if (html) {
        hit = anchorAt(ACol, ARow, QPoint(X, Y));
        anchor = hit.AnchorVal;
        if (anchor.isEmpty()) {
            // A form without a control under the press selects only this cell.
            if (text.toUpper().contains(QLatin1String("<CONTROL"))) {
                MoveColRow(ACol, ARow, true, true);
                return true;
            }
            return false;
        }
    } else if (IsURL(text)) {
        anchor = text;
    } else {
        return false;
    }
    bool autoHandle = true;
    if (anchor == QLatin1String("ctrl") && (Options() & goEditing)) {
        // A control edit still open ends first; the text is read again after it.
        if (controlEditCell_.Active) {
            CellControlEditDone();
            hit = anchorAt(ACol, ARow, QPoint(X, Y));
        }
        const QString current = GetCellText(ACol, ARow);
        if (hit.ControlType == QLatin1String("BUTTON")) {
            controlEditCell_ = {ACol, ARow, hit.ControlID, hit.ControlType, false, hit.ControlValue};
            controlButtonDown_ = true;
            RepaintCell(ACol, ARow);
        }
        if (hit.ControlType == QLatin1String("CHECK")) {
            QString changed = current;
            SetControlValue(changed, hit.ControlID,
                            hit.ControlValue.toUpper() == QLatin1String("TRUE") ? QStringLiteral("FALSE")
                                                                                : QStringLiteral("TRUE"));
            SetCellText(ACol, ARow, changed);
        }
        if (OnControlClick)
            OnControlClick(this, ARow, RealColIndex(ACol), hit.ControlID, hit.ControlType, hit.ControlValue);
        // An edit, password, mask or list control opens its editor over it.
        EditCellControl(ACol, ARow, hit.ControlRect, hit.ControlID, hit.ControlType, hit.ControlValue);
        return true;
    }
    if (OnAnchorClick)
        OnAnchorClick(this, ARow, RealColIndex(ACol), anchor, autoHandle);
    if (!autoHandle || anchor == QLatin1String("ctrl"))
        return true;
    if (anchor.toUpper().startsWith(QLatin1String("CELL://"))) {
        int col = 0;
        int row = 0;
        // A cell outside the grid is no target.
        if (ParseRCReference(anchor.mid(7), col, row) && col >= 0 && col < ColCount() && row >= 0 && row < RowCount()) {
            SetRow(row);
            SetCol(col);
            ScrollInView(col, row);
        }
        return true;
    }
    // Only what names a scheme is opened.
    if (IsURL(anchor))
        OpenGridURL(anchor);
    return true;
}

bool TExtStringGrid::clickHeaderSelection(int ACol, int ARow, Qt::KeyboardModifiers Shift)
{
    if (!(Options() & goRangeSelect))
        return false;
    const int fc = TCustomGrid::FixedCols();
    const int fr = TCustomGrid::FixedRows();
    TGridRect sel;
    if (ACol < fc && ARow < fr && MouseActions.AllSelect && mouseSelectMode_ == msmAll) {
        sel = TGridRect{fc, fr, ColCount() - 1, RowCount() - 1};
        headerAnchor_ = -1;
    } else if (ACol < fc && ARow >= fr && MouseActions.RowSelect && mouseSelectMode_ == msmRow) {
        const int top = (Shift & Qt::ShiftModifier) ? Selection().Top : ARow;
        sel = TGridRect{fc, std::min(top, ARow), ColCount() - 1, std::max(top, ARow)};
        headerAnchor_ = (Shift & Qt::ShiftModifier) ? top : ARow;
        headerAnchorRows_ = true;
    } else if (ARow < fr && ACol >= fc && MouseActions.ColSelect && mouseSelectMode_ == msmColumn) {
        sel = TGridRect{ACol, fr, ACol, RowCount() - 1};
        headerAnchor_ = ACol;
        headerAnchorRows_ = false;
    } else {
        return false;
    }
    setFocus(Qt::MouseFocusReason);
    selectionSaved_ = false;
    HideEditor();
    SetSelection(sel);
    if (activeCellShow_)
        RepaintFixedHeaders(sel.Left, sel.Right, sel.Top, sel.Bottom);
    return true;
}

bool TExtStringGrid::clickCheckBox(int ACol, int ARow, int X, int Y)
{
    const TCellType kind = GetCellType(ACol, ARow);
    if (!IsCheckBoxCellType(kind))
        return false;
    bool canEdit = true;
    DoCanEditCell(ACol, ARow, canEdit);
    const bool dataCell = ACol >= TCustomGrid::FixedCols() && ARow >= TCustomGrid::FixedRows();
    const bool headerRow = ARow < TCustomGrid::FixedRows();
    const bool hotmail = ACol == 0 && MouseActions.HotmailRowSelect;
    if (!((dataCell && canEdit) || (headerRow && canEdit && MouseActions.CheckAllCheck) || hotmail))
        return false;
    if (!IsCheckBoxHit(ACol, ARow, X, Y))
        return false;
    HideEditor();
    setFocus(Qt::MouseFocusReason);
    selectionSaved_ = false;
    if (hotmail) {
        // The row box flips the row's flag and selects the row.
        ToggleCheckBox(ACol, ARow, false);
        SetSelection(TGridRect{TCustomGrid::FixedCols(), ARow, ColCount() - 1, ARow});
    } else {
        ToggleCheckBox(ACol, ARow, true);
    }
    bool state = false;
    GetCheckBoxState(ACol, ARow, state);
    if (!Navigation.AlwaysEdit && !hotmail && dataCell)
        MoveColRow(ACol, ARow, true, true);
    if (OnCheckBoxClick)
        OnCheckBoxClick(this, RealColIndex(ACol), ARow, state);
    if (HideFocusRect)
        RepaintCell(ACol, ARow);
    if (headerRow && MouseActions.CheckAllCheck)
        for (int r = TCustomGrid::FixedRows(); r < RowCount(); ++r)
            SetCheckBoxState(ACol, r, state);
    if (OnMouseDown)
        OnMouseDown(this, Qt::LeftButton, QApplication::keyboardModifiers(), X, Y);
    return true;
}

void TExtStringGrid::ClickRadioGroup(int ACol, int ARow, int X, int Y)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRadio || g->Options.isEmpty())
        return;
    if (ACol != Col() || ARow != Row())
        MoveColRow(ACol, ARow, true, true);
    const TControlStyle style = ControlLook.ControlStyle();
    const int radio = style == csClassic || style == csFlat ? ControlLook.RadioSize() : 16;
    QFont f = font();
    const int textHeight = GridTextMeasurer().LineHeight(f);
    int item = -1;
    if (!g->CellBoolean) {
        const int band = std::max(textHeight, radio);
        for (int i = 0; i < g->Options.size(); ++i)
            if (Y > 2 + i * band && Y <= 2 + (i + 1) * band)
                item = i;
    } else {
        int x = 2;
        for (int i = 0; i < g->Options.size(); ++i) {
            const int w = radio + GridTextMeasurer().TextWidth(f, g->Options[i]) + 4;
            if (X > x && X <= x + w)
                item = i;
            x += w;
        }
    }
    if (item < 0)
        return;
    if (g->CellIndex == -1)
        SetCellText(ACol, ARow, g->Options[item]);
    else {
        g->CellIndex = item;
        SetCellText(ACol, ARow, GetCellText(ACol, ARow));
    }
    if (OnRadioClick)
        OnRadioClick(this, RealColIndex(ACol), ARow, item);
}

// --- releases -------------------------------------------------------------------------------------

void TExtStringGrid::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    const TGridRect before = Selection();
    if (Button == Qt::LeftButton) {
        leftDown_ = false;
        leftRelease(Shift, X, Y);
    } else {
        TBaseGrid::MouseUp(Button, Shift, X, Y);
    }
    const TGridRect after = Selection();
    if (!(after == before))
        SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

void TExtStringGrid::leftRelease(Qt::KeyboardModifiers Shift, int X, int Y)
{
    mouseSelectMode_ = msmNone;
    // A held-down BUTTON form control comes up.
    if (controlButtonDown_) {
        controlButtonDown_ = false;
        RepaintCell(controlEditCell_.Col, controlEditCell_.Row);
    }
    hideSizingHint();
    hideMoveImage();
    headerAnchor_ = -1;
    const TGridState runtimeState = GridState();

    // A fixed column (row) sized from its border takes the pointer's place, never less than 0.
    if (fixedSizing_ >= 0) {
        const int k = fixedSizing_;
        fixedSizing_ = -1;
        if (fixedSizingColumns_) {
            int left = 0;
            for (int c = 0; c < k; ++c)
                left += ColWidths(c);
            int width = std::max(0, X - left);
            SetColWidths(k, width);
            if (OnEndColumnSize)
                OnEndColumnSize(this, k);
            UpdateColumnSize(k, width);
            SetColWidths(k, std::max(0, width));
        } else {
            int top = 0;
            for (int r = 0; r < k; ++r)
                top += RowHeights(r);
            SetRowHeights(k, std::max(0, Y - top));
            if (OnEndRowSize)
                OnEndRowSize(this, k);
        }
        return;
    }

    // A cell button: released over a cell, it is clicked.
    if (buttonDownCell_.X >= 0) {
        const TGridCoord b = buttonDownCell_;
        buttonDownCell_ = {-1, -1};
        if (TCellGraphic* g = GetCellGraphic(b.X, b.Y))
            g->CellBoolean = false;
        RepaintCell(b.X, b.Y);
        bool enabled = Options() & goEditing;
        if (!ControlLook.NoDisabledButtonLook())
            DoCanEditCell(b.X, b.Y, enabled);
        const TGridCoord at = MouseCoord(X, Y);
        if (at.X >= 0 && at.Y >= 0 && (enabled || ControlLook.NoDisabledButtonLook()) && OnButtonClick)
            OnButtonClick(this, RealColIndex(b.X), b.Y);
        return;
    }

    const TGridCoord at = MouseCoord(X, Y);
    if (dragPending_) {
        dragPending_ = false;
        if (at.X >= TCustomGrid::FixedCols() && at.Y >= TCustomGrid::FixedRows()) {
            if (MouseActions.DisjunctRowSelect && DragDropSettings.OleDropSource) {
                if (Shift & Qt::ControlModifier) {
                    SetRowSelect(at.Y, !GetRowSelect(at.Y));
                    TBaseGrid::MouseUp(Qt::LeftButton, Shift, X, Y);
                    return;
                }
                ClearRowSelect();
            }
            if (Options() & goRowSelect)
                SetSelection(TGridRect{TCustomGrid::FixedCols(), at.Y, ColCount() - 1, at.Y});
            else
                SetSelection(TGridRect{at.X, at.Y, at.X, at.Y});
        }
    }
    if (MouseActions.DisjunctRowSelect && !(at.X == 0 && IsNodeRow(at.Y))) {
        const TGridRect s = Selection();
        for (int r = std::max(s.Top, TCustomGrid::FixedRows()); r <= s.Bottom && r < RowCount() - fixedFooters_; ++r)
            SetRowSelect(MouseActions.RowSelectPersistent ? RealRowIndex(r) : r, true);
        if (deselectOnRelease_ && at.Y >= TCustomGrid::FixedRows() && at.Y < RowCount() - fixedFooters_)
            SetRowSelect(MouseActions.RowSelectPersistent ? RealRowIndex(at.Y) : at.Y, false);
    }
    if (MouseActions.DisjunctColSelect) {
        const TGridRect s = Selection();
        for (int c = std::max(s.Left, TCustomGrid::FixedCols()); c <= s.Right; ++c)
            SetColSelect(c, true);
        if (deselectOnRelease_ && at.X >= TCustomGrid::FixedCols() && at.X < ColCount() - fixedRightCols_)
            SetColSelect(at.X, false);
    }
    deselectOnRelease_ = false;

    // Cells picked one by one.
    if (MouseActions.DisjunctCellSelect && at.X >= 0 && at.Y >= 0) {
        const TGridCoord b = BaseCell(at.X, at.Y);
        bool canSelect = true;
        if (OnSelectCell)
            OnSelectCell(this, b.X, b.Y, canSelect);
        if (canSelect) {
            if (!(Shift & Qt::ControlModifier)) {
                for (const TGridCoord& c : selectedCells_)
                    RepaintCell(c.X, c.Y);
                selectedCells_.assign(1, b);
            } else {
                const auto it = std::find(selectedCells_.begin(), selectedCells_.end(), b);
                if (it == selectedCells_.end())
                    selectedCells_.push_back(b);
                else
                    selectedCells_.erase(it);
            }
            const TGridRect s = Selection();
            if (s.Left != s.Right || s.Top != s.Bottom)
                for (int r = s.Top; r <= s.Bottom; ++r)
                    for (int c = s.Left; c <= s.Right; ++c)
                        if (!(TGridCoord{c, r} == b) &&
                            std::find(selectedCells_.begin(), selectedCells_.end(), TGridCoord{c, r}) == selectedCells_.end())
                            selectedCells_.push_back({c, r});
            RepaintCell(b.X, b.Y);
        }
    }

    TBaseGrid::MouseUp(Qt::LeftButton, Shift, X, Y);
    if ((runtimeState == gsColSizing || runtimeState == gsRowSizing) && sizingIndex_ >= 0) {
        endSizing(runtimeState == gsColSizing);
        return;
    }
    if (runtimeState != gsNormal && runtimeState != gsSelecting)
        return;
    if (at.X < 0 || at.Y < 0 || (at.X < TCustomGrid::FixedCols() && !SortSettings.FixedCols))
        return;
    const TCellType kind = GetCellType(at.X, at.Y);
    if (IsCheckBoxCellType(kind) && OnCheckBoxMouseUp) {
        bool state = false;
        GetCheckBoxState(at.X, at.Y, state);
        OnCheckBoxMouseUp(this, RealColIndex(at.X), at.Y, state);
    } else if (kind == ctRadio && OnRadioMouseUp) {
        OnRadioMouseUp(this, RealColIndex(at.X), at.Y, GetRadioIndex(at.X, at.Y));
    }
    // The filter glyph of a header belongs to the filter drop-down, not to sorting.
    if (at.Y == 0 && HasColumnFilter(RealColIndex(at.X)) && rightOf(MergedCellRect(at.X, at.Y)) - X <= 16)
        return;
    if (suppressHeaderClick_) {
        suppressHeaderClick_ = false;
        return;
    }
    headerClickSort(at.X, at.Y, X, Shift);
}

void TExtStringGrid::headerClickSort(int ACol, int ARow, int X, Qt::KeyboardModifiers Shift)
{
    if (ARow != SortSettings.Row() || pressCell_.Y != ARow || TCustomGrid::FixedRows() == 0 || !SortSettings.Show() ||
        RowCount() <= 2)
        return;
    const QRect r = MergedCellRect(ACol, ARow);
    if ((Options() & goColSizing) && (X - r.left() <= 3 || rightOf(r) - X <= 3))
        return;
    bool doSort = true;
    const int col = RealColIndex(ACol);
    if (OnCanSort)
        OnCanSort(this, col, doSort);
    if (!doSort) {
        RepaintCell(ACol, ARow);
        return;
    }
    HideEditor();
    // The sort itself belongs to the editing half.
    if (TGridEditingServices* services = GridEditingServices())
        services->SortByHeaderClick(*this, col, Shift & Qt::ShiftModifier);
    if (OnClickSort)
        OnClickSort(this, col);
}

// --- double clicks ----------------------------------------------------------------------------------

void TExtStringGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        TBaseGrid::mouseDoubleClickEvent(e);
        return;
    }
    const QPoint p = e->position().toPoint();
    TGridCoord at = MouseCoord(p.x(), p.y());
    const int lastRight = FixedColsWidth() + int(ColumnOffset(ColCount()) - ColumnOffset(LeftCol()));
    if (at.X < 0 && p.x() >= lastRight && !FixedRowAlways)
        at = {ColCount() - 1, 0};
    if (at.X >= 0 && at.Y >= 0 && at.Y < TCustomGrid::FixedRows() && (Options() & goColSizing) &&
        MouseActions.AutoSizeColOnDblClick) {
        const QRect r = MergedCellRect(at.X, at.Y);
        int col = -1;
        if (p.x() - r.left() < 4 && at.X - 1 >= TCustomGrid::FixedCols())
            col = at.X - 1;
        else if (p.x() - r.left() < 4)
            col = -2;  // the column to the left is fixed: nothing is sized
        else if (rightOf(r) - p.x() < 4)
            col = at.X;
        if (col != -1) {
            if (col >= 0) {
                suppressHeaderClick_ = true;
                bool allow = true;
                if (OnColumnSize)
                    OnColumnSize(this, col, allow);
                if (allow) {
                    AutoSizeColumn(col);
                    if (OnEndColumnSize)
                        OnEndColumnSize(this, col);
                }
            }
            return;
        }
    }
    TBaseGrid::mouseDoubleClickEvent(e);
    if (at.X >= 0 && at.Y >= 0 && OnDblClickCell)
        OnDblClickCell(this, at.Y, RealColIndex(at.X));
}

// --- pointer movement -------------------------------------------------------------------------------

void TExtStringGrid::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    const TGridRect before = Selection();
    const TGridCoord at = MouseCoord(X, Y);
    const bool leftDown = leftDown_;
    const int fc = TCustomGrid::FixedCols();
    const int fr = TCustomGrid::FixedRows();

    // Dragging from the pressed cell to another turns an edit-on-click into a range selection.
    if (leftDown && MouseActions.RangeSelectAndEdit && (Options() & goEditing) && !(at == pressCell_))
        SetOptions(Options() & ~TGridOptions(goEditing));

    // The list-view look tracks the header cell under the pointer.
    if (look_ == glListView && !(at == hotCell_)) {
        const TGridCoord old = hotCell_;
        hotCell_ = at;
        auto fixedCell = [&](TGridCoord c) { return c.X >= 0 && c.Y >= 0 && (c.X < fc || c.Y < fr); };
        if (fixedCell(old))
            RepaintCell(old.X, old.Y);
        if (fixedCell(at))
            RepaintCell(at.X, at.Y);
    }

    // Dragging along the row (column) headers selects whole rows (columns).
    if (headerAnchor_ >= 0 && leftDown) {
        if (headerAnchorRows_ && MouseActions.RowSelect && at.Y >= fr && at.Y < RowCount() - fixedFooters_) {
            SetSelection(TGridRect{fc, std::max(fr, std::min(headerAnchor_, at.Y)), ColCount() - 1,
                                   std::max(headerAnchor_, at.Y)});
            if (Y > viewport()->height() - 4 && TopRow() + VisibleRowCount() < RowCount())
                SetTopRow(TopRow() + 1);
            else if (Y < FixedRowsHeight() && TopRow() > fr)
                SetTopRow(TopRow() - 1);
        } else if (!headerAnchorRows_ && MouseActions.ColSelect && at.X >= fc) {
            SetSelection(TGridRect{std::min(headerAnchor_, at.X), fr, std::max(headerAnchor_, at.X), RowCount() - 1});
        }
    }

    // A drag starts only once the pointer has moved more than 3 pixels from the press.
    if (dragPending_ && at.X >= 0 && at.Y >= 0 && DragDropSettings.OleDropSource &&
        (std::abs(X - pressPoint_.x()) > 3 || std::abs(Y - pressPoint_.y()) > 3)) {
        dragPending_ = false;
        bool allow = true;
        if (OnOleDrag)
            OnOleDrag(this, at.Y, RealColIndex(at.X), GetCellText(at.X, at.Y), allow);
        if (!allow) {
            // A refused drag leaves the press to select: a range from the pressed cell to the
            // pointer (the runtime's move below extends it).
            const TGridCoord pressed = MouseCoord(pressPoint_.x(), pressPoint_.y());
            BeginRangeSelection(pressed.X, pressed.Y);
        } else {
            if (OnOleDragStart)
                OnOleDragStart(this, at.Y, RealColIndex(at.X));
            // A header cell dragged as a column shows its picture at its place while the drag
            // runs; the image goes with the drag's end.
            const bool columnDrag = at.Y < TCustomGrid::FixedRows() && DragDropSettings.OleColumnDragDrop;
            if (columnDrag)
                showHeaderImage(at.X, at.Y, viewport()->mapToGlobal(CellRect(at.X, at.Y).topLeft()));
            if (TGridEditingServices* services = GridEditingServices())
                services->StartCellDrag(*this, at.X, at.Y);
            if (columnDrag)
                hideMoveImage();
        }
    }

    // What the next press selects, and the cursor for it.
    bool cursorSet = false;
    mouseSelectMode_ = msmNone;
    bool columns = false;
    const bool onFixedBorder = fixedBorderAt(X, Y, columns) >= 0 &&
                               (columns ? MouseActions.SizeFixedCol : MouseActions.SizeFixedRow);
    TGridState sizing = gsNormal;
    int sizingIndex = -1;
    CalcSizingState(X, Y, sizing, sizingIndex);
    if (SelectionHandleRect().contains(QPoint(X, Y)))
        mouseSelectMode_ = msmResize;
    else if (at.X >= 0 && at.Y >= 0 && !onFixedBorder) {
        if (at.X < fc && at.Y < fr && MouseActions.AllSelect)
            mouseSelectMode_ = msmAll;
        else if (at.Y < fr && at.X >= fc && MouseActions.ColSelect && sizing != gsColSizing)
            mouseSelectMode_ = msmColumn;
        else if (at.X < fc && (at.Y >= fr || headerAnchor_ >= 0) && MouseActions.RowSelect && sizing != gsRowSizing &&
                 !(at.X == 0 && IsNodeRow(at.Y) && NodeGlyphHit(at.Y, X)))
            mouseSelectMode_ = msmRow;
    }
    if (fixedSizing_ >= 0 || onFixedBorder) {
        viewport()->setCursor(fixedSizingColumns_ || columns ? Qt::SplitHCursor : Qt::SplitVCursor);
        cursorSet = true;
    } else if (mouseSelectMode_ != msmNone && GridState() != gsColSizing && GridState() != gsRowSizing) {
        viewport()->setCursor(GridCursor(mouseSelectMode_ == msmColumn ? 8011 : mouseSelectMode_ == msmRow ? 8010 : 8012));
        cursorSet = true;
    }

    // Links: the hand over a link, and OnAnchorEnter / OnAnchorExit as the pointer passes them.
    if (at.X >= 0 && at.Y >= 0 && !cursorSet) {
        const QString text = GetCellText(at.X, at.Y);
        QString anchor;
        if (CellTextKind(text, EnableHTML) == ctkHTML) {
            const THTMLDrawResult hit = anchorAt(at.X, at.Y, QPoint(X, Y));
            if (!hit.AnchorVal.isEmpty() && hit.AnchorVal != QLatin1String("ctrl"))
                anchor = hit.AnchorVal;
            const int link = anchor.isEmpty() ? -1 : hit.MouseLink;
            if (!(hoverCell_ == at) || link != hoverLink_) {
                const TGridCoord old = hoverCell_;
                hoverCell_ = at;
                hoverLink_ = link;
                RepaintCell(old.X, old.Y);
                RepaintCell(at.X, at.Y);
            }
        } else if (urlShow_ && IsURL(text) && at.X >= fc && at.Y >= fr) {
            viewport()->setCursor(Qt::PointingHandCursor);
            cursorSet = true;
        }
        if (!anchor.isEmpty()) {
            viewport()->setCursor(Qt::PointingHandCursor);
            cursorSet = true;
            if (anchor != activeAnchor_) {
                activeAnchor_ = anchor;
                if (OnAnchorEnter)
                    OnAnchorEnter(this, at.Y, RealColIndex(at.X), anchor);
            }
        }
        if (anchor.isEmpty() && !activeAnchor_.isEmpty()) {
            const QString left = activeAnchor_;
            activeAnchor_.clear();
            if (OnAnchorExit)
                OnAnchorExit(this, at.Y, RealColIndex(at.X), left);
        }
    }
    if (!cursorSet && GridState() == gsNormal)
        viewport()->unsetCursor();

    // A balloon shown for another cell goes; one with its own delay waits for the new cell.
    if (balloon_ && !(at == balloonCell_)) {
        const bool wasShown = balloonShown_;
        if (wasShown) {
            balloon_->Pop();
            balloonShown_ = false;
        }
        balloonCell_ = at;
        const int delay = wasShown && balloon_->ReshowDelay() >= 0 ? balloon_->ReshowDelay() : balloon_->InitialDelay();
        if (delay >= 0 && at.X >= 0 && at.Y >= 0)
            balloonTimer_.start(delay);
    }

    const int leftCol = LeftCol();
    if (fixedSizing_ < 0)
        TBaseGrid::MouseMove(Shift, X, Y);
    if (Navigation.KeepHorizScroll && leftDown && GridState() != gsColMoving && LeftCol() != leftCol)
        SetLeftCol(leftCol);
    // The width (height) the column (row) being sized takes, beside it.
    if (HintShowSizing && leftDown && (fixedSizing_ >= 0 || (sizingIndex_ >= 0 && (GridState() == gsColSizing ||
                                                                                  GridState() == gsRowSizing))))
        showSizingHint(X, Y);
    if (GridState() == gsColMoving || GridState() == gsRowMoving) {
        // The handler is asked on every move; a refusal ends the move and nothing moves.
        bool allow = true;
        if (GridState() == gsColMoving && OnColumnMove)
            OnColumnMove(this, RealColIndex(at.X), allow);
        else if (GridState() == gsRowMoving && OnRowMove)
            OnRowMove(this, at.Y, allow);
        if (!allow) {
            CancelGridMove();
            hideMoveImage();
        } else if (EnhRowColMove && fixedSizing_ < 0 && (QPoint(X, Y) - pressPoint_).manhattanLength() > 0) {
            showMoveImage(X, Y);
        }
    }
    const TGridRect after = Selection();
    if (!(after == before))
        SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

void TExtStringGrid::leaveEvent(QEvent* e)
{
    TBaseGrid::leaveEvent(e);
    if (hotCell_.X >= 0) {
        const TGridCoord old = hotCell_;
        hotCell_ = {-1, -1};
        if (old.Y >= 0 && (old.X < TCustomGrid::FixedCols() || old.Y < TCustomGrid::FixedRows()))
            RepaintCell(old.X, old.Y);
    }
    balloonTimer_.stop();
    if (hoverCell_.X >= 0) {
        const TGridCoord old = hoverCell_;
        hoverCell_ = {-1, -1};
        hoverLink_ = -1;
        RepaintCell(old.X, old.Y);
    }
}

// --- hints --------------------------------------------------------------------------------------------

QString TExtStringGrid::CellHint(const QPoint& Pt)
{
    const TGridCoord at = MouseCoord(Pt.x(), Pt.y());
    if (at.X < 0 || at.Y < 0)
        return QString();
    const int col = at.X;
    const int row = at.Y;
    QString hint;
    const QString text = GetCellText(col, row);
    if (AnchorHint && CellTextKind(text, EnableHTML) == ctkHTML) {
        const THTMLDrawResult hit = anchorAt(col, row, Pt);
        if (!hit.AnchorVal.isEmpty() && hit.AnchorVal != QLatin1String("ctrl")) {
            QString anchor = hit.AnchorTitle.isEmpty() ? hit.AnchorVal : hit.AnchorTitle;
            if (OnAnchorHint)
                OnAnchorHint(this, row, RealColIndex(col), anchor);
            hint = anchor;
        }
    }
    QString comment;
    if (GetCellComment(col, row, comment))
        hint = comment;
    const bool dataCell = col >= TCustomGrid::FixedCols() && col < ColCount() - fixedRightCols_ &&
                          row >= TCustomGrid::FixedRows() && row < RowCount() - fixedFooters_;
    auto cellText = [&] {
        const int kind = CellTextKind(text, EnableHTML);
        if (kind == ctkWide)
            return CellTextToWide(text.toLatin1());
        if (kind == ctkHTML && !HTMLHint)
            return StripHTML(text);
        return text;
    };
    if (HintShowCells && dataCell)
        hint = cellText();
    else if (HintShowLargeText && dataCell) {
        const QSize need = CellTextSize(col, row, false);
        const QRect r = MergedCellRect(col, row);
        if (need.width() > r.width() || need.height() > r.height())
            hint = cellText();
    }
    if (!(FloatingFooter.Visible() && row == RowCount() - 1))
        DoGridHint(RealColIndex(col), row, hint);
    return hint;
}

bool TExtStringGrid::event(QEvent* e)
{
    // A new desktop theme: with AutoThemeAdapt the grid takes its colours.
    if (e->type() == QEvent::ThemeChange && autoThemeAdapt_)
        AdaptToTheme();
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const QPoint pt = viewport()->mapFromGlobal(help->globalPos());
        // The balloon takes the place of the hints; with a delay of its own its timer shows it.
        if (balloon_) {
            if (balloon_->InitialDelay() < 0)
                showBalloon(pt);
            return true;
        }
        const QString hint = CellHint(pt);
        if (hint.isEmpty()) {
            QToolTip::hideText();
            e->ignore();
        } else {
            const TGridCoord at = MouseCoord(pt.x(), pt.y());
            const QRect r = MergedCellRect(at.X, at.Y);
            QToolTip::showText(viewport()->mapToGlobal(QPoint(r.left(), r.top() + r.height() + 6)),
                               HTMLHint ? hint : hint.toHtmlEscaped(), this);
        }
        return true;
    }
    return TBaseGrid::event(e);
}

// --- the grid's timer -----------------------------------------------------------------------------------

void TExtStringGrid::GridTimerTick()
{
    if (Navigation.AutoGotoIncremental && ++tickCount_ >= 4) {
        typeAheadText_.clear();
        tickCount_ = 0;
    }
    if (Hovering && isActiveWindow()) {
        const QPoint pt = viewport()->mapFromGlobal(QCursor::pos());
        if (viewport()->rect().contains(pt) && QApplication::widgetAt(QCursor::pos()) == viewport()) {
            const TGridCoord at = MouseCoord(pt.x(), pt.y());
            if (at.X >= TCustomGrid::FixedCols() && at.Y >= TCustomGrid::FixedRows()) {
                setFocus(Qt::OtherFocusReason);
                FocusCell(at.X, at.Y, true);
            }
        }
    }
    if (EnableBlink) {
        blinkOn_ = !blinkOn_;
        const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
        const int lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
        auto repaintBlinking = [&](int c, int r) {
            if (GetCellText(c, r).contains(QLatin1String("<BLI"), Qt::CaseInsensitive))
                InvalidateCell(c, r);
        };
        for (int r = 0; r <= lastRow; ++r) {
            if (r >= TCustomGrid::FixedRows() && r < TopRow())
                continue;
            for (int c = 0; c <= lastCol; ++c) {
                if (c >= TCustomGrid::FixedCols() && c < LeftCol())
                    continue;
                repaintBlinking(c, r);
            }
        }
    }
}
