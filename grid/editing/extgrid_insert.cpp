// TExtStringGrid, editing half: rows and columns in and out, cells emptied, equal cells merged.
//
// Whole rows move through the cell store's row blocks, so that texts, records, heights, nodes and
// the controls named by records go with their rows in one pass. What lives beside the store
// follows here: the hidden rows' real indices, the row and column selection flags, the modified
// flags, the column flags and widths of hidden columns, the sort columns. Every change ends with
// CellsChanged, which recalculates the footers and tells the companions.
#include "grid/display/extgrid.h"

#include <QPoint>
#include <QRect>

#include <algorithm>

namespace {

// Inserts N cleared entries at a place inside the flags; flags that end before it stay as they
// are (an entry never written reads as cleared).
template <class T>
void insertEntries(std::vector<T>& v, int at, int n, T fill)
{
    if (at >= 0 && at < int(v.size()))
        v.insert(v.begin() + at, size_t(n), fill);
}

// Removes the entries at the listed places (ascending) in one pass.
template <class T>
void eraseEntries(std::vector<T>& v, const std::vector<int>& at)
{
    if (at.empty() || at.front() >= int(v.size()))
        return;
    size_t w = size_t(at.front());
    size_t next = 0;
    for (size_t i = w; i < v.size(); ++i) {
        if (next < at.size() && size_t(at[next]) == i) {
            ++next;
            continue;
        }
        v[w++] = std::move(v[i]);
    }
    v.resize(w);
}

std::vector<int> runOf(int first, int count)
{
    std::vector<int> rows(size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        rows[size_t(i)] = first + i;
    return rows;
}

QRect cellsRect(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(std::max(left, right), std::max(top, bottom)));
}

// The modified flags as a plain vector and back; TIntList's insert and clear send no notice.
std::vector<int> listValues(const TIntList& list)
{
    std::vector<int> v(size_t(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        v[size_t(i)] = list.Items(i);
    return v;
}

void setListValues(TIntList& list, const std::vector<int>& v)
{
    list.Clear();
    for (size_t i = 0; i < v.size(); ++i)
        list.Insert(int(i), v[i]);
}

}  // namespace

// --- rows in --------------------------------------------------------------------------------------

void TExtStringGrid::editInsertRows(int ARow, int ARowCount)
{
    ARow = std::clamp(ARow, 0, RowCount());
    const int realAt = insertRealAt_ >= 0 ? insertRealAt_ : RealRowIndex(ARow);
    insertRealAt_ = -1;
    if (ARowCount <= 0)
        return;
    // Hidden rows at or behind the new rows' real place move behind them, so that each comes
    // back where it was among its neighbours.
    shiftHidden(realAt, ARowCount);
    insertEntries<char>(rowSelect_, MouseActions.RowSelectPersistent ? realAt : ARow, ARowCount, 0);
    if (ARow < rowModified_.Count()) {
        std::vector<int> modified = listValues(rowModified_);
        insertEntries(modified, ARow, ARowCount, 0);
        setListValues(rowModified_, modified);
    }
    // A merged area that the new rows would cut through is split: its text stays in its base.
    splitMergesAcrossRow(ARow);
    std::vector<int> at = runOf(ARow, ARowCount);
    std::vector<TGridRowBlock> blocks(at.size());
    for (TGridRowBlock& b : blocks)
        b.Height = DefaultRowHeight();
    PutRows(at, std::move(blocks));
    RowIndexRowsInserted(ARow, ARowCount);
    if (cellControls_.Count() > 0)
        UpdateFooterPanels();
    CellsChanged(cellsRect(0, ARow, ColCount() - 1, std::min(ARow + ARowCount, RowCount() - 1)));
}

void TExtStringGrid::AutoInsertRow()
{
    if (FloatingFooter.Visible()) {
        // The footer's row stays last.
        const int at = std::max(RowCount() - 1, 0);
        InsertRows(at, 1);
        if (FloatingFooter.FooterStyle() == fsFixedLastRow)
            ClearRowRange(at, 1);
    } else {
        InsertRows(RowCount(), 1);
        ClearRowRange(RowCount() - 1, 1);
    }
}

// --- rows out -------------------------------------------------------------------------------------

std::vector<TGridRowBlock> TExtStringGrid::removeRowSet(const std::vector<int>& Rows, bool AdjustHidden)
{
    std::vector<int> take = Rows;
    if (take.empty())
        return {};
    // The grid keeps one row: the first of the set stays, emptied.
    if (int(take.size()) >= RowCount()) {
        ClearRowCells(take.front());
        SetRowHeights(take.front(), DefaultRowHeight());
        take.erase(take.begin());
        if (take.empty())
            return {};
    }
    // Merged areas that reach past the removed rows are split first, so that no cell is left
    // naming a base that went.
    for (int r : take) {
        splitMergesAcrossRow(r);
        splitMergesAcrossRow(r + 1);
    }
    std::vector<int> reals(take.size());
    for (size_t i = 0; i < take.size(); ++i)
        reals[i] = RealRowIndex(take[i]);
    if (AdjustHidden && !hiddenRows_.empty()) {
        // Each hidden row moves up by the removed rows before it.
        size_t below = 0;
        for (TGridItem& item : hiddenRows_) {
            while (below < reals.size() && reals[below] < item.Idx)
                ++below;
            item.Idx -= int(below);
        }
    }
    if (MouseActions.RowSelectPersistent) {
        if (AdjustHidden)
            eraseEntries(rowSelect_, reals);
    } else {
        eraseEntries(rowSelect_, take);
    }
    if (!take.empty() && take.front() < rowModified_.Count()) {
        std::vector<int> modified = listValues(rowModified_);
        eraseEntries(modified, take);
        setListValues(rowModified_, modified);
    }
    rowIndexRowsRemoved(take);
    return TakeRows(take);
}

void TExtStringGrid::splitMergesAcrossRow(int ARow)
{
    // A cell below the top of its merged area means the area crosses the border above ARow.
    if (ARow <= 0 || ARow >= RowCount())
        return;
    for (int c = 0; c < ColCount() + HiddenColCount(); ++c) {
        const TCellProperties* p = FindCellProperties(c, ARow);
        if (p && !p->IsBaseCell && p->CellSpanY > 0)
            SplitCells(c, ARow);
    }
}

void TExtStringGrid::splitMergesAcrossCol(int ACol)
{
    if (ACol <= 0 || ACol >= ColCount())
        return;
    for (int r = 0; r < RowCount(); ++r) {
        const TCellProperties* p = FindCellProperties(ACol, r);
        if (p && !p->IsBaseCell && p->CellSpanX > 0)
            SplitCells(ACol, r);
    }
}

void TExtStringGrid::rowIndexRowsRemoved(const std::vector<int>& Rows)
{
    // The unsorted order loses the places of the removed rows; the others keep their order.
    // (An empty or out-of-step list is the sort's to rebuild.)
    const int oldCount = rowIndexList_.Count();
    if (oldCount == 0 || oldCount != RowCount() || Rows.empty())
        return;
    std::vector<int> values = listValues(rowIndexList_);
    std::vector<int> below(size_t(oldCount) + 1, 0);
    for (int r : Rows)
        if (const int v = values[size_t(r)]; v >= 0 && v < oldCount)
            below[size_t(v) + 1] = 1;
    for (size_t i = 1; i < below.size(); ++i)
        below[i] += below[i - 1];
    eraseEntries(values, Rows);
    for (int& v : values)
        if (v >= 0 && v < oldCount)
            v -= below[size_t(v)];
    setListValues(rowIndexList_, values);
}

void TExtStringGrid::dropControls(const std::vector<TGridRowBlock>& Blocks)
{
    // The controls of removed cells go with them.
    if (cellControls_.Count() == 0)
        return;
    for (const TGridRowBlock& b : Blocks) {
        const int cells = int(b.Texts().size());
        for (int c = 0; c < cells; ++c) {
            const TCellProperties* p = b.Properties(c);
            if (!p || !p->Control)
                continue;
            for (int i = 0; i < cellControls_.Count(); ++i)
                if (cellControls_.Items(i) == p->Control) {
                    cellControls_.Delete(i);
                    break;
                }
        }
    }
}

void TExtStringGrid::placeCurrentAfterRemoval(int KeptRow, int KeptTop, bool ToFixedRows)
{
    const int fixedRows = TCustomGrid::FixedRows();
    if (ToFixedRows) {
        if (KeptRow < RowCount()) {
            SetRow(std::max(KeptRow, std::min(fixedRows, RowCount() - 1)));
            SetTopRow(std::clamp(KeptTop, fixedRows, std::max(fixedRows, RowCount() - 1)));
        } else if (fixedRows < RowCount()) {
            SetRow(fixedRows);
            SetTopRow(fixedRows);
        }
        return;
    }
    const int lastData = RowCount() - FixedFooters() - 1;
    if (KeptRow > lastData) {
        if (lastData >= fixedRows)
            SetRow(lastData);
    } else if (KeptRow >= fixedRows) {
        SetRow(KeptRow);
        SetTopRow(std::clamp(KeptTop, fixedRows, std::max(fixedRows, RowCount() - 1)));
    }
}

void TExtStringGrid::DeleteRowBlock(int ARow, int ARowCount, bool AdjustHidden)
{
    if (ARowCount <= 0 || ARow < 0 || ARow >= RowCount())
        return;
    ARowCount = std::min(ARowCount, RowCount() - ARow);
    const int keptRow = Row();
    const int keptTop = TopRow();
    BeginUpdate();
    if (nodeCount_ > 0 && ColCount() > 1)
        SetCol(1);
    std::vector<TGridRowBlock> gone = removeRowSet(runOf(ARow, ARowCount), AdjustHidden);
    dropControls(gone);
    gone.clear();  // the removed rows' records are freed here
    placeCurrentAfterRemoval(keptRow, keptTop, false);
    EndUpdate();
    if (cellControls_.Count() > 0)
        UpdateFooterPanels();
    CellsChanged(cellsRect(0, ARow, ColCount() - 1, std::min(ARow + ARowCount, RowCount() - 1)));
}

void TExtStringGrid::editRemoveRows(int ARow, int ARowCount)
{
    DeleteRowBlock(ARow, ARowCount, true);
}

void TExtStringGrid::DeleteRowsWithControls(int ARow, int ARowCount)
{
    if (ARowCount <= 0 || ARow < 0 || ARow >= RowCount())
        return;
    // An open editor closes before its cell may go.
    if (EditorMode())
        HideEditor();
    RemoveRows(ARow, ARowCount);
    UpdateFooterPanels();
}

std::vector<TGridRowBlock> TExtStringGrid::RemoveRowsNoFree(int ARow, int ARowCount)
{
    if (ARowCount <= 0 || ARow < 0 || ARow >= RowCount())
        return {};
    ARowCount = std::min(ARowCount, RowCount() - ARow);
    const int keptRow = Row();
    const int keptTop = TopRow();
    BeginUpdate();
    std::vector<TGridRowBlock> taken = removeRowSet(runOf(ARow, ARowCount), true);
    // The rows are the caller's now; their controls stay out of sight until they come back.
    for (const TGridRowBlock& b : taken)
        for (int c = 0; c < int(b.Texts().size()); ++c)
            if (const TCellProperties* p = b.Properties(c); p && p->Control)
                p->Control->hide();
    placeCurrentAfterRemoval(keptRow, keptTop, true);
    EndUpdate();
    CellsChanged(cellsRect(0, ARow, ColCount() - 1, std::min(ARow + ARowCount, RowCount() - 1)));
    return taken;
}

void TExtStringGrid::RemoveSelectedRows()
{
    const int first = TCustomGrid::FixedRows();
    const int last = RowCount() - FixedFooters() - 1;
    const TGridRect s = Selection();
    std::vector<int> rows;
    for (int r = first; r <= last; ++r) {
        bool selected;
        if (MouseActions.DisjunctRowSelect) {
            const int index = MouseActions.RowSelectPersistent ? RealRowIndex(r) : r;
            selected = index < int(rowSelect_.size()) && rowSelect_[size_t(index)];
        } else {
            selected = r >= s.Top && r <= s.Bottom;
        }
        if (selected)
            rows.push_back(r);
    }
    if (rows.empty())
        return;
    const int keptRow = Row();
    const int keptTop = TopRow();
    BeginUpdate();
    std::vector<TGridRowBlock> gone = removeRowSet(rows, true);
    dropControls(gone);
    gone.clear();
    placeCurrentAfterRemoval(keptRow, keptTop, false);
    EndUpdate();
    if (cellControls_.Count() > 0)
        UpdateFooterPanels();
    CellsChanged(cellsRect(0, rows.front(), ColCount() - 1, RowCount() - 1));
}

// --- columns ----------------------------------------------------------------------------------------

void TExtStringGrid::clearHiddenRowCells(int ACol, int AColCount)
{
    for (TGridItem& item : hiddenRows_)
        for (int c = ACol; c < ACol + AColCount; ++c)
            item.Items.ClearCell(c);
}

void TExtStringGrid::editInsertCols(int ACol, int AColCount)
{
    if (AColCount <= 0)
        return;
    ACol = std::clamp(ACol, 0, ColCount());
    BeginUpdate();
    splitMergesAcrossCol(ACol);
    for (int i = 0; i < AColCount; ++i) {
        // The store keeps cells past the last column (hidden columns live there): the new
        // column starts empty in shown and hidden rows alike.
        SetColCount(ColCount() + 1);
        MoveColumn(ColCount() - 1, ACol);
        ClearColCells(ACol);
        clearHiddenRowCells(ACol, 1);
        SetColWidths(ACol, DefaultColWidth());
    }
    insertEntries<char>(hiddenCols_, ACol, AColCount, 0);
    insertEntries<int>(hiddenColWidths_, ACol, AColCount, DefaultColWidth());
    insertEntries<char>(colSelect_, ACol, AColCount, 0);
    if (SortSettings.Column >= ACol)
        SortSettings.Column += AColCount;
    merging_ = true;
    for (int i = 0; i < mergeColumns_.Count(); ++i)
        if (mergeColumns_.Items(i) >= ACol)
            mergeColumns_.SetItems(i, mergeColumns_.Items(i) + AColCount);
    merging_ = false;
    EndUpdate();
    // The columns behind the new ones moved: footers and companions hear of them all.
    CellsChanged(cellsRect(ACol, 0, ColCount() - 1, RowCount() - 1));
}

void TExtStringGrid::editRemoveCols(int ACol, int AColCount)
{
    if (AColCount <= 0 || ACol < 0 || ACol >= ColCount())
        return;
    AColCount = std::min(AColCount, ColCount() - ACol);
    BeginUpdate();
    // The grid keeps one column: the first of the block stays, emptied.
    if (AColCount >= ColCount()) {
        clearCells(ACol, 0, ACol, RowCount() - 1);
        clearHiddenRowCells(ACol, 1);
        ++ACol;
        --AColCount;
    }
    if (AColCount > 0) {
        splitMergesAcrossCol(ACol);
        splitMergesAcrossCol(ACol + AColCount);
        clearCells(ACol, 0, ACol + AColCount - 1, RowCount() - 1);
        clearHiddenRowCells(ACol, AColCount);
        for (int i = 0; i < AColCount; ++i) {
            MoveColumn(ACol, ColCount() - 1);
            SetColCount(ColCount() - 1);
        }
        const std::vector<int> gone = runOf(ACol, AColCount);
        eraseEntries(hiddenCols_, gone);
        eraseEntries(hiddenColWidths_, gone);
        eraseEntries(colSelect_, gone);
        // The sort columns followed the moves; those of removed columns now lie past the last one.
        for (int i = SortIndexes.Count() - 1; i >= 0; --i)
            if (TSortIndexList::ColumnOf(SortIndexes.Items(i)) >= ColCount())
                SortIndexes.Delete(i);
        if (SortSettings.Column >= ACol + AColCount)
            SortSettings.Column -= AColCount;
        else if (SortSettings.Column >= ACol)
            SortSettings.Column = -1;
        merging_ = true;
        for (int i = mergeColumns_.Count() - 1; i >= 0; --i) {
            const int c = mergeColumns_.Items(i);
            if (c >= ACol + AColCount)
                mergeColumns_.SetItems(i, c - AColCount);
            else if (c >= ACol)
                mergeColumns_.Delete(i);
        }
        merging_ = false;
    }
    EndUpdate();
    CellsChanged(cellsRect(ACol, 0, ColCount() - 1, RowCount() - 1));
}

// --- emptying cells ---------------------------------------------------------------------------------

void TExtStringGrid::clearCells(int ACol1, int ARow1, int ACol2, int ARow2)
{
    for (int r = ARow1; r <= ARow2; ++r)
        for (int c = ACol1; c <= ACol2; ++c) {
            const int real = RealColIndex(c);
            // The record goes first, so that the text is emptied in this cell and not in the base
            // of a merged area it belongs to.
            if (HasCellProperties(real, r))
                FreeCellObject(real, r);
            if (!RawCellRef(real, r).isEmpty())
                SetCellText(real, r, QString());
            if (real != c)
                RepaintCell(c, r);
        }
}

bool TExtStringGrid::clampRect(int& ACol1, int& ARow1, int& ACol2, int& ARow2) const
{
    if (ACol1 > ACol2)
        std::swap(ACol1, ACol2);
    if (ARow1 > ARow2)
        std::swap(ARow1, ARow2);
    ACol1 = std::max(ACol1, 0);
    ARow1 = std::max(ARow1, 0);
    ACol2 = std::min(ACol2, ColCount() + HiddenColCount() - 1);
    ARow2 = std::min(ARow2, RowCount() - 1);
    return ACol1 <= ACol2 && ARow1 <= ARow2;
}

void TExtStringGrid::editClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    if (!clampRect(ACol1, ARow1, ACol2, ARow2))
        return;
    clearCells(ACol1, ARow1, ACol2, ARow2);
    CellsChanged(cellsRect(ACol1, ARow1, ACol2, ARow2));
}

void TExtStringGrid::ClearRowRange(int ARow, int ARowCount)
{
    if (ARowCount > 0)
        ClearRect(0, ARow, ColCount() + HiddenColCount() - 1, ARow + ARowCount - 1);
}

void TExtStringGrid::ClearColRange(int ACol, int AColCount)
{
    if (AColCount > 0)
        ClearRect(ACol, 0, ACol + AColCount - 1, RowCount() - 1);
}

void TExtStringGrid::ClearSelectedCells()
{
    if (!MouseActions.DisjunctRowSelect && !MouseActions.DisjunctColSelect) {
        const TGridRect s = Selection();
        ClearRect(s.Left, s.Top, s.Right, s.Bottom);
        return;
    }
    // Flagged rows and columns are emptied without a notice each; one notice covers them all.
    QRect changed;
    if (MouseActions.DisjunctColSelect) {
        for (int c = TCustomGrid::FixedCols(); c < ColCount(); ++c)
            if (c < int(colSelect_.size()) && colSelect_[size_t(c)]) {
                clearCells(c, 0, c, RowCount() - 1);
                changed |= cellsRect(c, 0, c, RowCount() - 1);
            }
    }
    if (MouseActions.DisjunctRowSelect) {
        const int lastCol = ColCount() + HiddenColCount() - 1;
        for (int r = TCustomGrid::FixedRows(); r < RowCount(); ++r) {
            const int index = MouseActions.RowSelectPersistent ? RealRowIndex(r) : r;
            if (index < int(rowSelect_.size()) && rowSelect_[size_t(index)]) {
                clearCells(0, r, lastCol, r);
                changed |= cellsRect(0, r, ColCount() - 1, r);
            }
        }
    }
    if (!changed.isEmpty())
        CellsChanged(changed);
}

void TExtStringGrid::ClearAll()
{
    // Rows hidden by the filter or by nodes would come back with their old texts: every row
    // comes back first, and then everything is emptied.
    if (filterActive_)
        SetFilterActive(false);
    if (nodeCount_ > 0)
        RemoveAllNodes();
    UnHideRowsAll();
    BeginUpdate();
    ClearRect(0, 0, ColCount() + HiddenColCount() - 1, RowCount() - 1);
    EndUpdate();
    typeAheadText_.clear();
}

// --- merging equal cells ----------------------------------------------------------------------------

void TExtStringGrid::UnMergeCol(int ACol)
{
    if (ACol < 0 || ACol >= ColCount())
        return;
    // Every data row is visited, the last one too.
    int r = 0;
    while (r < RowCount() - FixedFooters()) {
        const TCellProperties* p = FindCellProperties(ACol, r);
        if (p && p->IsBaseCell && (p->CellSpanX > 0 || p->CellSpanY > 0)) {
            const int span = p->CellSpanY;
            SplitCells(ACol, r);
            r += span + 1;
        } else {
            ++r;
        }
    }
}

void TExtStringGrid::MergeEqualCells(int ACol, bool IgnoreSpans)
{
    if (ACol < 0 || ACol >= ColCount())
        return;
    const int last = RowCount() - 1 - FixedFooters();
    int start = TCustomGrid::FixedRows();
    while (start <= last) {
        const QString text = GetRawCell(ACol, start);
        int end = start;
        while (end + 1 <= last && RawCellRef(ACol, end + 1) == text && (IgnoreSpans || RowsShareSpans(end, end + 1)))
            ++end;
        if (end > start)
            MergeCells(ACol, start, 1, end - start + 1);
        start = end + 1;
    }
}

TIntList& TExtStringGrid::MergeColumns()
{
    if (!mergeHooked_) {
        mergeHooked_ = true;
        mergeColumns_.OnChange = [this](TIntList*, int, int) { mergeListChanged(); };
    }
    return mergeColumns_;
}

void TExtStringGrid::mergeListChanged()
{
    if (merging_)
        return;
    UnMergeAllColumns();
    MergeListedColumns();
}

void TExtStringGrid::UnMergeAllColumns()
{
    for (int c = 0; c < ColCount(); ++c)
        UnMergeCol(c);
}

void TExtStringGrid::MergeListedColumns()
{
    // Later columns merge only inside the areas of the earlier ones.
    for (int i = 0; i < mergeColumns_.Count(); ++i)
        MergeEqualCells(mergeColumns_.Items(i), i == 0);
}

// --- single cells -----------------------------------------------------------------------------------

bool TExtStringGrid::IsUnicodeCell(int ACol, int ARow) const
{
    return RawCellRef(ACol, ARow).startsWith(QLatin1String("|\\"));
}

void TExtStringGrid::SetDisplayCellText(int ACol, int ARow, const QString& Value)
{
    const int real = RealColIndex(ACol);
    SetCellText(real, ARow, Value);
    if (real != ACol)
        RepaintCell(ACol, ARow);
}
