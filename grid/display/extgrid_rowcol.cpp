// TExtStringGrid: the row and column model. Rows can be hidden (by the caller, a contracted node,
// the filter) and come back with their cells, records and heights; the grid maps between display
// indices (what it shows) and real ones (the place a row or column has with nothing hidden).
//
// Hidden rows are held sorted by real index, so that each mapping is a binary search and whole
// batches (the filter, contracting every node) move in one pass over the rows.
#include "grid/display/extgrid.h"

#include <QPoint>

#include <algorithm>

#include "grid/display/extutil.h"
#include "grid/display/gridservices.h"

// --- mapping ----------------------------------------------------------------------------------

int TExtStringGrid::hiddenBelow(int ARow) const
{
    return int(std::lower_bound(hiddenRows_.begin(), hiddenRows_.end(), ARow,
                                [](const TGridItem& item, int row) { return item.Idx < row; }) -
               hiddenRows_.begin());
}

int TExtStringGrid::RealRowIndex(int ARow) const
{
    if (ARow < 0)
        return -1;
    // The k-th hidden row has Idx - k shown rows before it, a count that never falls along the
    // store: the hidden rows before the display row are those where it is at most ARow.
    int lo = 0;
    int hi = int(hiddenRows_.size());
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (hiddenRows_[size_t(mid)].Idx - mid <= ARow)
            lo = mid + 1;
        else
            hi = mid;
    }
    return ARow + lo;
}

int TExtStringGrid::DisplayRowIndex(int ARow) const
{
    return ARow - hiddenBelow(ARow);
}

bool TExtStringGrid::IsHiddenColumn(int ACol) const
{
    return ACol >= 0 && ACol < int(hiddenCols_.size()) && hiddenCols_[size_t(ACol)];
}

int TExtStringGrid::RealColIndex(int ACol) const
{
    if (hiddenColCount_ == 0 || ACol < 0)
        return ACol;
    // Columns beyond the flags are shown, so the walk always ends.
    int shown = 0;
    for (int c = 0;; ++c) {
        if (IsHiddenColumn(c))
            continue;
        if (shown == ACol)
            return c;
        ++shown;
    }
}

int TExtStringGrid::RealToDisplCol(int ACol) const
{
    if (hiddenColCount_ == 0)
        return ACol;
    int hidden = 0;
    for (int c = 0; c < ACol && c < int(hiddenCols_.size()); ++c)
        hidden += hiddenCols_[size_t(c)] ? 1 : 0;
    return ACol - hidden;
}

// --- hidden rows ------------------------------------------------------------------------------

const TGridItem* TExtStringGrid::HiddenRowItem(int ARow) const
{
    const int i = hiddenBelow(ARow);
    return i < int(hiddenRows_.size()) && hiddenRows_[size_t(i)].Idx == ARow ? &hiddenRows_[size_t(i)] : nullptr;
}

void TExtStringGrid::storeHidden(const std::vector<int>& realRows, std::vector<TGridRowBlock>&& blocks)
{
    // Merge the new records (ascending real rows) into the sorted store in one pass.
    std::vector<TGridItem> merged;
    merged.reserve(hiddenRows_.size() + realRows.size());
    size_t old = 0;
    for (size_t i = 0; i < realRows.size(); ++i) {
        while (old < hiddenRows_.size() && hiddenRows_[old].Idx < realRows[i])
            merged.push_back(std::move(hiddenRows_[old++]));
        TGridItem item;
        item.Idx = realRows[i];
        item.Height = blocks[i].Height;
        item.Items = std::move(blocks[i]);
        merged.push_back(std::move(item));
    }
    while (old < hiddenRows_.size())
        merged.push_back(std::move(hiddenRows_[old++]));
    hiddenRows_ = std::move(merged);
}

void TExtStringGrid::HideRows(int FromRow, int ToRow)
{
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, RowCount() + HiddenRowCount() - 1);
    if (FromRow > ToRow)
        return;
    // The shown rows of the range form one run of display rows from the first row's place.
    std::vector<int> reals;
    for (int r = FromRow; r <= ToRow; ++r)
        if (!IsHiddenRow(r))
            reals.push_back(r);
    if (reals.empty())
        return;
    const int first = DisplayRowIndex(reals.front());
    std::vector<int> displ(reals.size());
    for (size_t i = 0; i < reals.size(); ++i)
        displ[i] = first + int(i);
    storeHidden(reals, TakeRows(displ));
    UpdateFooterPanels();
}

void TExtStringGrid::HideRowList(const std::vector<int>& Rows)
{
    if (Rows.empty())
        return;
    std::vector<int> reals(Rows.size());
    for (size_t i = 0; i < Rows.size(); ++i)
        reals[i] = RealRowIndex(Rows[i]);
    storeHidden(reals, TakeRows(Rows));
    UpdateFooterPanels();
}

void TExtStringGrid::UnHideRows(int FromRow, int ToRow)
{
    if (FromRow > ToRow || !IsHiddenRow(FromRow))
        return;
    const size_t begin = size_t(hiddenBelow(FromRow));
    const size_t end = size_t(hiddenBelow(ToRow + 1));
    // Every record of the range comes back, so each lands at its Idx less the rows still hidden
    // before the range.
    std::vector<int> at;
    std::vector<TGridRowBlock> blocks;
    at.reserve(end - begin);
    blocks.reserve(end - begin);
    for (size_t i = begin; i < end; ++i) {
        at.push_back(hiddenRows_[i].Idx - int(begin));
        hiddenRows_[i].Items.Height = hiddenRows_[i].Height;
        blocks.push_back(std::move(hiddenRows_[i].Items));
    }
    hiddenRows_.erase(hiddenRows_.begin() + std::ptrdiff_t(begin), hiddenRows_.begin() + std::ptrdiff_t(end));
    PutRows(at, std::move(blocks));
    UpdateFooterPanels();
}

void TExtStringGrid::UnHideRowsAll()
{
    if (hiddenRows_.empty())
        return;
    std::vector<int> at;
    std::vector<TGridRowBlock> blocks;
    at.reserve(hiddenRows_.size());
    blocks.reserve(hiddenRows_.size());
    for (TGridItem& item : hiddenRows_) {
        at.push_back(item.Idx);
        item.Items.Height = item.Height;
        blocks.push_back(std::move(item.Items));
    }
    hiddenRows_.clear();
    PutRows(at, std::move(blocks));
    UpdateFooterPanels();
}

void TExtStringGrid::GetRealCellText(int ACol, int ARow, QString& Text) const
{
    if (const TGridItem* item = HiddenRowItem(ARow))
        Text = item->Text(ACol);
    else
        Text = GetRawCell(ACol, DisplayRowIndex(ARow));
}

void TExtStringGrid::shiftHidden(int FromReal, int Delta)
{
    for (size_t i = size_t(hiddenBelow(FromReal)); i < hiddenRows_.size(); ++i)
        hiddenRows_[i].Idx += Delta;
}

void TExtStringGrid::RemoveRealRow(int ARow)
{
    // A hidden row goes with its record; a shown one with its display row.
    const int i = hiddenBelow(ARow);
    if (i < int(hiddenRows_.size()) && hiddenRows_[size_t(i)].Idx == ARow)
        hiddenRows_.erase(hiddenRows_.begin() + i);
    else
        TakeRows({DisplayRowIndex(ARow)});
    shiftHidden(ARow + 1, -1);
}

void TExtStringGrid::InsertRealRow(int ARow)
{
    // The new row takes the real index itself: a hidden row of that index moves behind it.
    const int displ = DisplayRowIndex(ARow);
    insertRealAt_ = ARow;
    InsertRows(displ, 1);
}

// --- data area --------------------------------------------------------------------------------

int TExtStringGrid::FirstDataCol() const
{
    return SaveFixedCells ? 0 : FixedCols();
}

int TExtStringGrid::FirstDataRow() const
{
    return SaveFixedCells ? 0 : FixedRows();
}

int TExtStringGrid::LastDataCol() const
{
    return SaveFixedCells ? ColCount() - 1 : ColCount() - FixedRightCols() - 1;
}

int TExtStringGrid::LastDataRow() const
{
    return SaveFixedCells ? RowCount() - 1 : RowCount() - FixedFooters() - 1;
}

int TExtStringGrid::DataColCount() const
{
    return SaveFixedCells ? ColCount() : ColCount() - FixedCols() - FixedRightCols();
}

int TExtStringGrid::DataRowCount() const
{
    return SaveFixedCells ? RowCount() : RowCount() - FixedRows() - FixedFooters();
}

// --- rows and columns as blocks ---------------------------------------------------------------

void TExtStringGrid::InsertRows(int ARow, int ARowCount)
{
    if (TGridEditingServices* s = GridEditingServices(); s && s->InsertRows(*this, ARow, ARowCount)) {
        insertRealAt_ = -1;
        return;
    }
    const int realAt = insertRealAt_ >= 0 ? insertRealAt_ : RealRowIndex(std::clamp(ARow, 0, RowCount()));
    insertRealAt_ = -1;
    if (ARowCount <= 0)
        return;
    ARow = std::clamp(ARow, 0, RowCount());
    shiftHidden(realAt, ARowCount);
    std::vector<int> at(static_cast<size_t>(ARowCount));
    std::vector<TGridRowBlock> blocks(static_cast<size_t>(ARowCount));
    for (int i = 0; i < ARowCount; ++i) {
        at[size_t(i)] = ARow + i;
        blocks[size_t(i)].Height = DefaultRowHeight();
    }
    PutRows(at, std::move(blocks));
}

void TExtStringGrid::RemoveRows(int ARow, int ARowCount)
{
    if (TGridEditingServices* s = GridEditingServices(); s && s->RemoveRows(*this, ARow, ARowCount))
        return;
    if (ARowCount <= 0 || ARow < 0 || ARow >= RowCount())
        return;
    ARowCount = std::min(ARowCount, RowCount() - ARow);
    if (ARowCount >= RowCount()) {
        ClearRowCells(ARow);
        --ARowCount;
        ++ARow;
        if (ARowCount == 0)
            return;
    }
    if (!hiddenRows_.empty())
        shiftHidden(RealRowIndex(ARow) + 1, -ARowCount);
    std::vector<int> rows(static_cast<size_t>(ARowCount));
    for (int i = 0; i < ARowCount; ++i)
        rows[size_t(i)] = ARow + i;
    TakeRows(rows);  // the taken rows and their records go here
}

void TExtStringGrid::InsertCols(int ACol, int AColCount)
{
    if (TGridEditingServices* s = GridEditingServices(); s && s->InsertCols(*this, ACol, AColCount))
        return;
    for (int i = 0; i < AColCount; ++i) {
        SetColCount(ColCount() + 1);
        MoveColumn(ColCount() - 1, ACol);
        ClearColCells(ACol);
    }
}

void TExtStringGrid::RemoveCols(int ACol, int AColCount)
{
    if (TGridEditingServices* s = GridEditingServices(); s && s->RemoveCols(*this, ACol, AColCount))
        return;
    for (int i = 0; i < AColCount && ACol < ColCount() && ColCount() > 1; ++i) {
        ClearColCells(ACol);
        MoveColumn(ACol, ColCount() - 1);
        SetColCount(ColCount() - 1);
    }
}

void TExtStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    if (TGridEditingServices* s = GridEditingServices(); s && s->ClearRect(*this, ACol1, ARow1, ACol2, ARow2))
        return;
    for (int r = ARow1; r <= ARow2; ++r)
        for (int c = ACol1; c <= ACol2; ++c)
            ClearCellAndObject(c, r);
}

// --- nodes ------------------------------------------------------------------------------------

namespace {

TCellGraphic* nodeGraphic(TCellGraphic* g)
{
    return g && g->CellType == ctNode ? g : nullptr;
}

}  // namespace

bool TExtStringGrid::IsNodeRow(int DisplRow)
{
    return DisplRow >= 0 && nodeGraphic(GetCellGraphic(0, DisplRow));
}

bool TExtStringGrid::IsNodeContracted(int DisplRow)
{
    const TCellGraphic* g = DisplRow >= 0 ? nodeGraphic(GetCellGraphic(0, DisplRow)) : nullptr;
    return g && g->CellBoolean;
}

int TExtStringGrid::NodeSpan(int DisplRow)
{
    const TCellGraphic* g = DisplRow >= 0 ? nodeGraphic(GetCellGraphic(0, DisplRow)) : nullptr;
    return g ? g->CellIndex : -1;
}

void TExtStringGrid::AdjustNodeSpan(int DisplRow, int Delta)
{
    if (TCellGraphic* g = DisplRow >= 0 ? nodeGraphic(GetCellGraphic(0, DisplRow)) : nullptr)
        g->CellIndex += Delta;
}

int TExtStringGrid::NodeLevel(int DisplRow)
{
    if (!IsNodeRow(DisplRow))
        return -1;
    const TCellProperties* p = FindCellProperties(0, DisplRow);
    return p ? p->NodeLevel : 0;
}

int TExtStringGrid::childEnd(int DisplRow)
{
    // The last display row of the node's span: span rows from the node row, or up to the next
    // node row (the last row) for span 0.
    const int span = NodeSpan(DisplRow);
    if (span > 0)
        return std::min(DisplRow + span - 1, RowCount() - 1);
    int r = DisplRow + 1;
    while (r < RowCount() && !IsNodeRow(r))
        ++r;
    return r - 1;
}

void TExtStringGrid::AddNode(int ARow, int Span)
{
    const int displ = DisplayRowIndex(ARow);
    if (displ < 0 || displ >= RowCount())
        return;
    // The span stays inside the data rows: contracting never hides rows that do not exist.
    const int dataEnd = std::max(displ + 1, RowCount() - FixedFooters());
    if (Span > 0)
        Span = std::min(Span, dataEnd - displ);
    auto g = std::make_unique<TCellGraphic>();
    g->CellType = ctNode;
    g->CellIndex = Span;
    g->CellBoolean = false;
    g->CellAngle = displ;
    g->CellHAlign = TCellHAlign(3);
    g->CellVAlign = TCellVAlign(2);
    g->Payload = -1;
    SetCellGraphic(0, displ, std::move(g));
    const int last = childEnd(displ);
    for (int r = displ; r <= last; ++r)
        CellProperties(0, r)->NodeLevel += 1;
    if (nodeCount_ == 0)
        RepaintNodeColumn();
    ++nodeCount_;
    if (Col() == 0 && ColCount() > 1)
        SetCol(1);
}

void TExtStringGrid::RemoveNode(int ARow)
{
    const int displ = DisplayRowIndex(ARow);
    if (!IsNodeRow(displ))
        return;
    ExpandNode(ARow);
    const int d = DisplayRowIndex(ARow);
    const int last = childEnd(d);
    for (int r = d; r <= last; ++r)
        if (TCellProperties* p = FindCellProperties(0, r))
            p->NodeLevel = std::max(0, p->NodeLevel - 1);
    if (TCellProperties* p = FindCellProperties(0, d))
        p->Graphic.reset();
    --nodeCount_;
    RepaintNodeColumn();
}

void TExtStringGrid::RemoveAllNodes()
{
    // Each node opens on its own, so that rows hidden otherwise (the filter) stay hidden; nested
    // nodes go too, so that no node is left uncounted.
    const bool expandOne = CellNode.ExpandOne();
    CellNode.SetExpandOne(false);
    int r = 0;
    while (r < RowCount()) {
        if (!IsNodeRow(r)) {
            ++r;
            continue;
        }
        ExpandNode(RealRowIndex(r));
        const int last = childEnd(r);
        for (int i = r; i <= last; ++i)
            if (TCellProperties* p = FindCellProperties(0, i))
                p->NodeLevel = 0;
        if (TCellProperties* p = FindCellProperties(0, r))
            p->Graphic.reset();
        nodeCount_ = std::max(nodeCount_ - 1, 0);
        ++r;
    }
    CellNode.SetExpandOne(expandOne);
    RepaintNodeColumn();
}

void TExtStringGrid::ContractNode(int ARow)
{
    const int displ = DisplayRowIndex(ARow);
    TCellGraphic* g = displ >= 0 && displ < RowCount() ? nodeGraphic(GetCellGraphic(0, displ)) : nullptr;
    if (!g || g->CellBoolean)
        return;
    g->CellBoolean = true;
    const int last = childEnd(displ);
    if (last <= displ)
        return;
    // A contracted node inside has its rows hidden already; they come back with this node's.
    for (int r = displ + 1; r <= last; ++r)
        if (TCellGraphic* inner = nodeGraphic(GetCellGraphic(0, r)))
            inner->CellBoolean = false;
    BeginUpdate();
    HideRows(ARow + 1, RealRowIndex(last));
    EndUpdate();
    UpdateFooterColumn(-1);
}

void TExtStringGrid::ExpandNode(int ARow)
{
    int displ = DisplayRowIndex(ARow);
    if (!IsNodeRow(displ))
        return;
    BeginUpdate();
    if (CellNode.ExpandOne()) {
        // Every other expanded node is contracted first, except those that hold this one.
        for (int r = FixedRows(); r < RowCount(); ++r) {
            if (!IsNodeRow(r) || IsNodeContracted(r))
                continue;
            const int real = RealRowIndex(r);
            if (real == ARow)
                continue;
            const int last = childEnd(r);
            if (real < ARow && RealRowIndex(last) >= ARow)
                continue;
            ContractNode(real);
        }
        displ = DisplayRowIndex(ARow);
    }
    TCellGraphic* g = nodeGraphic(GetCellGraphic(0, displ));
    if (g && g->CellBoolean) {
        g->CellBoolean = false;
        // The children end where the span ends (counted in real rows), or before the next shown
        // node row for span 0.
        int lastReal;
        if (g->CellIndex > 0) {
            lastReal = ARow + g->CellIndex - 1;
        } else {
            int r = displ + 1;
            while (r < RowCount() && !IsNodeRow(r))
                ++r;
            lastReal = (r < RowCount() ? RealRowIndex(r) : RowCount() + HiddenRowCount()) - 1;
        }
        const bool rowSelect = Options() & goRowSelect;
        const int keptRow = Row();
        const int keptTop = TopRow();
        if (rowSelect)
            SetOptions(Options() & ~TGridOptions(goRowSelect));
        UnHideRows(ARow + 1, lastReal);
        if (rowSelect) {
            SetOptions(Options() | goRowSelect);
            TCustomGrid::SetRow(std::min(keptRow, RowCount() - 1));
            SetTopRow(std::min(keptTop, RowCount() - 1));
        }
    }
    EndUpdate();
    UpdateFooterColumn(-1);
}

void TExtStringGrid::ExpandAllNodes()
{
    UnHideRowsAll();
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (TCellGraphic* g = nodeGraphic(GetCellGraphic(0, r)))
            g->CellBoolean = false;
    UpdateFooterColumn(-1);
}

void TExtStringGrid::ContractAllNodes()
{
    BeginUpdate();
    ExpandAllNodes();
    std::vector<int> rows;
    int r = FixedRows();
    while (r < RowCount()) {
        TCellGraphic* g = nodeGraphic(GetCellGraphic(0, r));
        if (!g) {
            ++r;
            continue;
        }
        g->CellBoolean = true;
        const int last = childEnd(r);
        for (int i = r + 1; i <= last; ++i)
            rows.push_back(i);
        r = last + 1;
    }
    HideRowList(rows);
    EndUpdate();
    UpdateFooterColumn(-1);
}

int TExtStringGrid::ParentNodeRow(int ARow)
{
    if (nodeCount_ == 0)
        return -1;
    const int displ = DisplayRowIndex(ARow);
    const bool isNode = IsNodeRow(displ);
    const int startLevel = isNode ? NodeLevel(displ) : 65535;
    for (int r = displ; r >= FixedRows(); --r) {
        if (!IsNodeRow(r) || NodeLevel(r) >= startLevel)
            continue;
        const int real = RealRowIndex(r);
        const int span = NodeSpan(r);
        const bool reaches = span > 0 ? real + span - 1 >= ARow : r == displ || childEnd(r) >= displ;
        if (reaches)
            return real;
    }
    return isNode ? ARow : -1;
}

bool TExtStringGrid::NodeGlyphHit(int DisplRow, int X)
{
    if (!IsNodeRow(DisplRow))
        return false;
    const int level = NodeLevel(DisplRow);
    const int indent = CellNode.NodeIndent();
    if (layoutDirection() == Qt::RightToLeft)
        return X >= width() - 2 - level * indent && X < width() - (level - 1) * indent;
    return X > (level - 1) * indent && X < level * indent;
}

void TExtStringGrid::InsertChildRow(int ARow, int Offset)
{
    const int parent = ParentNodeRow(ARow);
    int level = 0;
    if (parent >= 0) {
        // The parent and every node that holds it grow by the new row and open.
        int node = parent;
        while (node >= 0) {
            const int d = DisplayRowIndex(node);
            if (NodeSpan(d) > 0)
                AdjustNodeSpan(d, 1);
            ExpandNode(node);
            const int up = ParentNodeRow(node);
            if (up == node)
                break;
            node = up;
        }
        level = NodeLevel(DisplayRowIndex(parent));
    }
    const int displ = std::clamp(DisplayRowIndex(ARow) + Offset, 0, RowCount());
    const int real = displ < RowCount() ? RealRowIndex(displ) : RowCount() + HiddenRowCount();
    insertRealAt_ = real;
    InsertRows(displ, 1);
    if (parent >= 0)
        CellProperties(0, displ)->NodeLevel = level;
}

void TExtStringGrid::RemoveChildRow(int ARow)
{
    const int displ = DisplayRowIndex(ARow);
    if (displ < 0 || displ >= RowCount() || IsHiddenRow(ARow))
        return;
    const int parent = ParentNodeRow(ARow);
    if (parent >= 0 && parent != ARow) {
        int node = parent;
        while (node >= 0) {
            const int d = DisplayRowIndex(node);
            if (NodeSpan(d) > 1)
                AdjustNodeSpan(d, -1);
            ExpandNode(node);
            const int up = ParentNodeRow(node);
            if (up == node)
                break;
            node = up;
        }
    }
    RemoveRows(DisplayRowIndex(ARow), 1);
}

void TExtStringGrid::SetSummaryRow(int ARow)
{
    auto g = std::make_unique<TCellGraphic>();
    g->CellType = ctSummary;
    SetCellGraphic(0, DisplayRowIndex(ARow), std::move(g));
}

void TExtStringGrid::RepaintNodeColumn()
{
    if (UpdateCount() > 0)
        return;
    for (int r = TopRow(); r <= TopRow() + VisibleRowCount() && r < RowCount(); ++r)
        TCustomGrid::InvalidateCell(0, r);
}

void TExtStringGrid::DoColumnMoved(int FromIndex, int ToIndex)
{
    MoveColumn(FromIndex, ToIndex);
}

void TExtStringGrid::DoRowMoved(int FromIndex, int ToIndex)
{
    MoveRow(FromIndex, ToIndex);
}

// --- filter -----------------------------------------------------------------------------------

void TExtStringGrid::SetFilterActive(bool value)
{
    // The footers follow the rows shown, also when the value stays.
    if (value == filterActive_) {
        UpdateFooterColumn(-1);
        return;
    }
    filterActive_ = value;
    if (value) {
        filterFixedRows_ = TCustomGrid::FixedRows();
        BeginUpdate();
        ApplyFilter();
        EndUpdate();
        selectionSaved_ = false;
    } else {
        BeginUpdate();
        ExpandAllNodes();
        if (filterFixedRows_ < RowCount())
            SetFixedRows(filterFixedRows_);
        EndUpdate();
        if (selectionSaved_)
            RestoreSelection();
    }
    UpdateFooterColumn(-1);
}

void TExtStringGrid::ApplyFilter()
{
    const int first = FixedRows();
    const int last = RowCount() - FixedFooters() - 1;
    const int total = std::max(0, last - first + 1);
    std::vector<int> rows;
    for (int r = first; r <= last; ++r) {
        if (!MatchFilter(r))
            rows.push_back(r);
        if (OnFilterProgress)
            OnFilterProgress(this, int(double(r - first + 1) / total * 100 + 0.5));
    }
    if (OnFilterProgress && total > 0)
        OnFilterProgress(this, 100);
    // The grid keeps at least one row.
    if (int(rows.size()) >= RowCount())
        rows.erase(rows.begin());
    HideRowList(rows);
}

bool TExtStringGrid::MatchFilter(int ARow)
{
    bool result = true;
    for (int i = 0; i < Filter.Count(); ++i) {
        const TFilterData& f = Filter.Items(i);
        QString text = f.Data == fcNormal ? GetRawCell(f.Column, ARow) : GetCellText(f.Column, ARow);
        if (!f.Prefix.isEmpty() && text.startsWith(f.Prefix))
            text.remove(0, f.Prefix.size());
        if (!f.Suffix.isEmpty()) {
            const int at = text.indexOf(f.Suffix);
            if (at >= 0 && at + f.Suffix.size() == text.size())
                text.truncate(at);
        }
        bool match = false;
        try {
            match = MatchCondition(f.Condition, text, !f.CaseSensitive);
        } catch (const std::exception&) {
            match = false;
        }
        switch (f.Operation) {
        case foSHORT:
            result = match;
            break;
        case foNONE:
            result = match;
            break;
        case foAND:
            result = result && match;
            break;
        case foXOR:
            result = result != match;
            break;
        case foOR:
            result = result || match;
            break;
        }
        if (f.Operation == foSHORT && !result)
            break;
    }
    return result;
}

// --- selection, scrolling, the current row -------------------------------------------------------

void TExtStringGrid::SaveSelection()
{
    savedSelection_ = Selection();
    selectionSaved_ = true;
    repaintGrid();
}

void TExtStringGrid::RestoreSelection()
{
    selectionSaved_ = false;
    if (savedSelection_.Top < RowCount() && savedSelection_.Left < ColCount() &&
        savedSelection_.Bottom < RowCount() && savedSelection_.Right < ColCount() &&
        savedSelection_.Top >= TCustomGrid::FixedRows() && savedSelection_.Left >= TCustomGrid::FixedCols()) {
        SetSelection(savedSelection_);
    } else {
        const int col = FixedColAlways && TCustomGrid::FixedCols() >= ColCount() ? 0 : TCustomGrid::FixedCols();
        const int row = FixedRowAlways && TCustomGrid::FixedRows() >= RowCount() ? 0 : TCustomGrid::FixedRows();
        if (col < ColCount() && row < RowCount())
            SetSelection(TGridRect{col, row, col, row});
    }
    repaintGrid();
}

void TExtStringGrid::ScrollInView(int ACol, int ARow)
{
    if (ACol < 0 || ACol >= ColCount() || ARow < 0 || ARow >= RowCount())
        return;
    const int visCols = VisibleColCount();
    const int visRows = VisibleRowCount();
    int left = LeftCol();
    int top = TopRow();
    if (ACol < left || ACol >= left + visCols) {
        if (ACol >= TCustomGrid::FixedCols())
            SetCol(ACol);
        left = std::max(ACol - visCols / 2, TCustomGrid::FixedCols());
    }
    if (ARow < top || ARow >= top + visRows) {
        if (ARow >= TCustomGrid::FixedRows())
            SetRow(ARow);
        top = std::max(ARow - visRows / 2, TCustomGrid::FixedRows());
    }
    // Never above the first scrolling row or column, also when every row or column fits.
    left = std::max(std::min(left, ColCount() - visCols + TCustomGrid::FixedCols()), TCustomGrid::FixedCols());
    top = std::max(std::min(top, RowCount() - visRows + TCustomGrid::FixedRows()), TCustomGrid::FixedRows());
    if (left != LeftCol())
        SetLeftCol(left);
    if (top != TopRow())
        SetTopRow(top);
}

void TExtStringGrid::SetRow(int value)
{
    TCustomGrid::SetRow(value);
    if (value != lastReportedRow_ && OnRowUpdate && UpdateCount() == 0) {
        const int old = lastReportedRow_;
        lastReportedRow_ = value;
        OnRowUpdate(this, old, value);
    }
}

void TExtStringGrid::ScreenToCell(const QPoint& Pt, int& ACol, int& ARow) const
{
    const QPoint p = viewport()->mapFromGlobal(Pt);
    MouseToCell(p.x(), p.y(), ACol, ARow);
}

// --- cell kinds kept with the model ----------------------------------------------------------------

bool TExtStringGrid::IsRadioCell(int ACol, int ARow, int& Index)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRadio)
        return false;
    Index = g->CellIndex;
    return true;
}

int TExtStringGrid::GetRadioIndex(int ACol, int ARow)
{
    const TGridCoord b = BaseCell(ACol, ARow);
    int index = 0;
    return IsRadioCell(b.X, b.Y, index) ? index : 0;
}

bool TExtStringGrid::HasRadio(int ACol, int ARow)
{
    const TGridCoord b = BaseCell(ACol, ARow);
    int index = 0;
    return IsRadioCell(b.X, b.Y, index);
}

bool TExtStringGrid::IsRotated(int ACol, int ARow, int& Angle)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRotated)
        return false;
    Angle = g->CellAngle;
    return true;
}
