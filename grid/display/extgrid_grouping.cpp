// TExtStringGrid: grouping by a column. Each run of one value in the column gets a header row
// that is a node over its rows (and, with Grouping.Summary, a summary row after them); the grouped
// column leaves the grid (Group) or stays with its cells emptied (GroupInPlace), and comes back
// with its texts and width when the grouping is undone. Header and summary graphics carry the
// grouped column, so that undoing removes exactly the rows grouping added.
#include "grid/display/extgrid.h"

#include <algorithm>

// --- grouping -----------------------------------------------------------------------------------

namespace {

// The groups of a column over the data rows: where each run of one value starts, and its length.
struct GroupRun {
    int start;
    int length;
    QString value;
};

}  // namespace

void TExtStringGrid::styleGroupRow(int ARow, bool Summary)
{
    const TColor color = Summary ? Grouping.SummaryColor : Grouping.HeaderColor;
    const TColor colorTo = Summary ? Grouping.SummaryColorTo : Grouping.HeaderColorTo;
    const TColor textColor = Summary ? Grouping.SummaryTextColor : Grouping.HeaderTextColor;
    const bool merge = Summary ? Grouping.MergeSummary : Grouping.MergeHeader;
    const int headerCol = std::min(1, ColCount() - 1);
    const int from = merge ? headerCol : 0;
    if (merge && ColCount() - headerCol > 1)
        MergeCells(headerCol, ARow, ColCount() - headerCol, 1);
    for (int c = from; c < ColCount(); ++c) {
        TCellProperties* p = nullptr;
        if (color != clNone || colorTo != clNone || textColor != clNone)
            p = CellProperties(c, ARow);
        if (!p)
            continue;
        if (color != clNone)
            p->SetBrushColor(color);
        if (colorTo != clNone)
            p->SetBrushColorTo(colorTo);
        if (textColor != clNone)
            p->FontColor = textColor;
    }
}

void TExtStringGrid::markGroupRow(int ARow, int ACol, int Span)
{
    // A header row is a node over its group (Span rows); Span 0 makes a summary row. Either
    // carries the grouped column.
    if (Span > 0) {
        styleGroupRow(ARow, false);
        AddNode(RealRowIndex(ARow), Span);
    } else {
        SetSummaryRow(RealRowIndex(ARow));
        styleGroupRow(ARow, true);
    }
    GetCellGraphic(0, ARow)->Payload = ACol;
}

void TExtStringGrid::QSort()
{
    const int col = SortSettings.Column;
    int first = FixedRows();
    int last = RowCount() - FixedFooters() - 1;
    if (last - first < 1)
        return;
    // A spare last row keeps the fixed rows fixed while the data rows are out.
    InsertRows(RowCount(), 1);
    std::vector<int> rows;
    for (int r = first; r <= last; ++r)
        rows.push_back(r);
    std::vector<TGridRowBlock> blocks = TakeRows(rows);
    const bool descending = SortSettings.Direction == sdDescending;
    std::stable_sort(blocks.begin(), blocks.end(), [col, descending](const TGridRowBlock& a, const TGridRowBlock& b) {
        const int c = QString::compare(a.Text(col), b.Text(col));
        return descending ? c > 0 : c < 0;
    });
    PutRows(rows, std::move(blocks));
    TakeRows({RowCount() - 1});
}

void TExtStringGrid::Group(int ACol)
{
    if (ACol < FixedCols() || ACol >= ColCount())
        return;
    if (groupColumn_ >= 0)
        UnGroup();
    BeginUpdate();
    rememberGroupColumn(ACol);
    if (SortSettings.AutoSortForGrouping) {
        SortSettings.Column = ACol;
        QSort();
    }
    std::vector<GroupRun> runs;
    for (int r = FixedRows(); r <= RowCount() - FixedFooters() - 1; ++r) {
        const QString value = GetRawCell(ACol, r);
        if (runs.empty() || value != runs.back().value)
            runs.push_back({r, 0, value});
        ++runs.back().length;
    }
    // The grouped column goes first, so that a merged header row never spans it.
    RemoveCols(ACol, 1);
    const int headerCol = std::min(ACol == 0 ? 0 : 1, ColCount() - 1);
    std::vector<int> at;
    int shift = 0;
    for (const GroupRun& run : runs) {
        at.push_back(run.start + shift++);
        if (Grouping.Summary)
            at.push_back(run.start + shift++ + run.length);
    }
    putBlankRows(at);
    size_t k = 0;
    for (const GroupRun& run : runs) {
        const int header = at[k++];
        SetCellText(headerCol, header, run.value);
        markGroupRow(header, ACol, run.length + 1);
        if (Grouping.Summary)
            markGroupRow(at[k++], ACol, 0);
    }
    if (FixedRows() < RowCount())
        SetRow(FixedRows());
    EndUpdate();
}

void TExtStringGrid::UnGroup()
{
    // Column 0 too, when there are no fixed columns: the grouped column always comes back.
    if (groupColumn_ < 0)
        return;
    const int col = groupColumn_;
    BeginUpdate();
    ExpandAllNodes();
    InsertCols(col, 1);
    SetColWidths(col, groupWidth_);
    if (TCustomGrid::FixedRows() > 0)
        SetCellText(col, 0, groupHeader_);
    // Column 0 moved right when the column came back in front of it.
    removeGroupRows(col, col == 0 ? 1 : 0, col == 1 ? 2 : 1);
    groupColumn_ = -1;
    EndUpdate();
}

void TExtStringGrid::GroupInPlace(int ACol)
{
    if (ACol < FixedCols() || ACol >= ColCount())
        return;
    BeginUpdate();
    rememberGroupColumn(ACol);
    std::vector<GroupRun> runs;
    for (int r = FixedRows(); r <= RowCount() - FixedFooters() - 1; ++r) {
        if (IsNodeRow(r))
            continue;
        if (const TCellGraphic* g = GetCellGraphic(0, r); g && g->CellType == ctSummary)
            continue;
        const QString value = GetRawCell(ACol, r);
        if (runs.empty() || value != runs.back().value || runs.back().start + runs.back().length != r)
            runs.push_back({r, 0, value});
        ++runs.back().length;
    }
    std::vector<int> at;
    int shift = 0;
    for (const GroupRun& run : runs)
        at.push_back(run.start + shift++);
    if (Grouping.Summary && !runs.empty())
        at.push_back(runs.back().start + runs.back().length + shift);
    putBlankRows(at);
    const int textCol = std::min(ACol + 1, ColCount() - 1);
    for (size_t i = 0; i < runs.size(); ++i) {
        const int header = at[i];
        SetCellText(textCol, header, runs[i].value);
        for (int r = header + 1; r <= header + runs[i].length; ++r)
            SetCellText(ACol, r, QString());
        markGroupRow(header, ACol, runs[i].length + 1);
    }
    if (Grouping.Summary && !runs.empty())
        markGroupRow(at.back(), ACol, 0);
    if (FixedRows() < RowCount())
        SetRow(FixedRows());
    EndUpdate();
}

void TExtStringGrid::UnGroupInPlace(int ACol)
{
    BeginUpdate();
    ExpandAllNodes();
    removeGroupRows(ACol, 0, std::min(ACol + 1, ColCount() - 1));
    if (groupColumn_ == ACol)
        groupColumn_ = -1;
    EndUpdate();
}

void TExtStringGrid::removeGroupRows(int ACol, int NodeCol, int TextCol)
{
    // The header and summary rows grouping made go; every other data row gets its group's value
    // back in the grouped column and leaves the group's node.
    std::vector<int> drop;
    QString value;
    for (int r = FixedRows(); r <= RowCount() - FixedFooters() - 1; ++r) {
        const TCellGraphic* g = GetCellGraphic(NodeCol, r);
        const bool ours = g && g->Payload.isValid() && g->Payload.toInt() == ACol;
        if (ours && g->CellType == ctNode) {
            value = GetRawCell(TextCol, r);
            nodeCount_ = std::max(nodeCount_ - 1, 0);
            drop.push_back(r);
        } else if (ours && g->CellType == ctSummary) {
            drop.push_back(r);
        } else {
            SetCellText(ACol, r, value);
            if (TCellProperties* p = FindCellProperties(NodeCol, r))
                p->NodeLevel = std::max(0, p->NodeLevel - 1);
        }
    }
    if (!drop.empty() && int(drop.size()) < RowCount())
        TakeRows(drop);
}

void TExtStringGrid::rememberGroupColumn(int ACol)
{
    groupColumn_ = ACol;
    groupWidth_ = ColWidths(ACol);
    groupHeader_ = TCustomGrid::FixedRows() > 0 ? GetRawCell(ACol, 0) : QString();
}

void TExtStringGrid::putBlankRows(const std::vector<int>& At)
{
    std::vector<TGridRowBlock> blocks(At.size());
    for (TGridRowBlock& b : blocks)
        b.Height = DefaultRowHeight();
    PutRows(At, std::move(blocks));
}
