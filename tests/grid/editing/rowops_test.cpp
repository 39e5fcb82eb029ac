// Rows and columns in and out, cells emptied and equal cells merged: what moves with the rows
// (records, heights, hidden rows, flags, controls), the current row afterwards, the change notice,
// and blocks that reach past the grid's end.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QStringList>

#include "grid/display/extgrid.h"
#include "tests/support/qstringprinter.h"

namespace {

// A grid of 4 columns and one fixed row whose column 1 holds "r<row>".
struct OpsGrid {
    explicit OpsGrid(int rows = 10)
    {
        g.SetColCount(4);
        g.SetRowCount(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 4; ++c)
                g.SetCellText(c, r, c == 1 ? QStringLiteral("r%1").arg(r) : QStringLiteral("%1.%2").arg(c).arg(r));
        g.OnCellsChanged = [this](QObject*, const QRect& R) { changes.push_back(R); };
    }
    QStringList column(int c = 1) const
    {
        QStringList l;
        for (int r = 0; r < g.RowCount(); ++r)
            l << g.GetRawCell(c, r);
        return l;
    }
    TExtStringGrid g;
    std::vector<QRect> changes;
};

QStringList named(std::initializer_list<const char*> texts)
{
    QStringList l;
    for (const char* t : texts)
        l << QString::fromLatin1(t);
    return l;
}

void putCheckBox(TExtStringGrid& g, int c, int r)
{
    auto check = std::make_unique<TCellGraphic>();
    check->CellType = ctCheckBox;
    check->CellBoolean = true;
    g.SetCellGraphic(c, r, std::move(check));
}

TEST(GridRowOps, InsertedRowsAreEmptyAndEverythingBelowMovesWithItsRow)
{
    OpsGrid t;
    putCheckBox(t.g, 2, 1);
    t.g.SetRowHeights(1, 40);
    t.g.HideRows(5, 5);  // a hidden real row 5
    t.g.MouseActions.DisjunctRowSelect = true;
    t.g.SetRowSelect(2, true);
    t.g.SetRowModified(3, true);
    auto* edit = new QLineEdit(&t.g);
    t.g.CellControls().Add(edit);
    t.g.CellProperties(3, 4)->Control = edit;
    t.changes.clear();

    t.g.InsertRows(1, 2);

    EXPECT_EQ(t.g.RowCount(), 11);
    EXPECT_EQ(t.g.GetCellType(2, 3), ctCheckBox);  // the check box moved from row 1 to row 3
    EXPECT_EQ(t.g.GetCellType(2, 1), ctEmpty);
    for (int r : {1, 2}) {
        EXPECT_EQ(t.g.RowHeights(r), t.g.DefaultRowHeight());
        for (int c = 0; c < 4; ++c)
            EXPECT_TRUE(t.g.GetRawCell(c, r).isEmpty()) << c << "," << r;
    }
    EXPECT_EQ(t.g.RowHeights(3), 40);
    EXPECT_TRUE(t.g.GetRowSelect(4));
    EXPECT_FALSE(t.g.GetRowSelect(2));
    EXPECT_TRUE(t.g.IsRowModified(5));
    EXPECT_FALSE(t.g.IsRowModified(3));
    EXPECT_EQ(t.g.FindCellProperties(3, 6)->Control, edit);
    ASSERT_FALSE(t.changes.empty());
    EXPECT_EQ(t.changes.back().top(), 1);

    // The hidden row comes back at 7, between the rows that were its neighbours.
    EXPECT_TRUE(t.g.IsHiddenRow(7));
    t.g.UnHideRowsAll();
    EXPECT_EQ(t.column(), named({"r0", "", "", "r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "r9"}));
}

TEST(GridRowOps, ARowInsertedAtAHiddenRowsRealIndexPutsTheHiddenRowBehindIt)
{
    OpsGrid t;
    t.g.HideRows(4, 4);
    t.g.InsertRealRow(4);
    EXPECT_TRUE(t.g.IsHiddenRow(5));
    EXPECT_FALSE(t.g.IsHiddenRow(4));
    t.g.UnHideRowsAll();
    EXPECT_EQ(t.column().mid(3, 3), named({"r3", "", "r4"}));
}

TEST(GridRowOps, RemovedRowsKeepEveryOtherHeightAndTheHiddenRowsBetweenThemTheirOrder)
{
    OpsGrid t(12);
    for (int r = 1; r < 12; ++r)
        t.g.SetRowHeights(r, 20 + r);
    // Real row 4 is hidden between display rows 3 and 4 (real 3 and 5), real 9 further down.
    t.g.HideRows(4, 4);
    t.g.HideRows(9, 9);
    t.changes.clear();

    t.g.RemoveRows(3, 2);  // real rows 3 and 5

    EXPECT_EQ(t.g.RowCount(), 8);
    EXPECT_EQ(t.column(), named({"r0", "r1", "r2", "r6", "r7", "r8", "r10", "r11"}));
    const int heights[] = {t.g.DefaultRowHeight(), 21, 22, 26, 27, 28, 30, 31};
    for (int r = 1; r < 8; ++r)
        EXPECT_EQ(t.g.RowHeights(r), heights[r]) << r;
    // Real row 4 is real row 3 now (it lay between the two removed ones); 9 moved up by two.
    EXPECT_TRUE(t.g.IsHiddenRow(3));
    EXPECT_TRUE(t.g.IsHiddenRow(7));
    ASSERT_EQ(t.changes.size(), 1u);
    t.g.UnHideRowsAll();
    EXPECT_EQ(t.column(), named({"r0", "r1", "r2", "r4", "r6", "r7", "r8", "r9", "r10", "r11"}));
}

TEST(GridRowOps, RemovingTheCurrentLastDataRowBeforeAFooterMakesTheNewLastDataRowCurrent)
{
    OpsGrid t(6);
    t.g.SetFixedFooters(1);
    t.g.SetRow(4);
    t.g.RemoveRows(4, 1);
    EXPECT_EQ(t.g.RowCount(), 5);
    EXPECT_EQ(t.g.Row(), 3);
    EXPECT_EQ(t.g.GetRawCell(1, 4), QStringLiteral("r5"));  // the footer stays last
}

TEST(GridRowOps, BlocksThatReachPastTheEndAreClampedOrIgnored)
{
    struct Case {
        int from;  // relative to RowCount
        int count;
        int rowsLeft;
    } cases[] = {
        {0, 1, 10},    // RemoveRows(RowCount, 1): nothing
        {-1, 5, 9},    // RemoveRows(RowCount - 1, 5): the last row only
        {-3, 0, 10},   // no rows
        {-3, -2, 10},  // a negative count
        {-20, 1, 10},  // a negative row
    };
    for (const Case& c : cases) {
        OpsGrid t;
        t.g.RemoveRows(t.g.RowCount() + c.from, c.count);
        EXPECT_EQ(t.g.RowCount(), c.rowsLeft) << c.from << " " << c.count;
        OpsGrid u;
        const std::vector<TGridRowBlock> taken = u.g.RemoveRowsNoFree(u.g.RowCount() + c.from, c.count);
        EXPECT_EQ(u.g.RowCount(), c.rowsLeft) << "no free " << c.from << " " << c.count;
        EXPECT_EQ(int(taken.size()), 10 - c.rowsLeft);
    }
}

TEST(GridRowOps, RowsTakenWithoutFreeingComeBackWithTheirRecords)
{
    OpsGrid t;
    putCheckBox(t.g, 2, 3);
    t.g.SetRow(8);
    std::vector<TGridRowBlock> taken = t.g.RemoveRowsNoFree(3, 2);
    EXPECT_EQ(t.g.RowCount(), 8);
    EXPECT_EQ(t.g.Row(), 1);  // the current row is gone: FixedRows
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].Text(1), QStringLiteral("r3"));
    t.g.PutRows({5, 6}, std::move(taken));
    EXPECT_EQ(t.g.GetCellType(2, 5), ctCheckBox);
    EXPECT_EQ(t.column().mid(4, 4), named({"r6", "r3", "r4", "r7"}));
}

TEST(GridRowOps, RemovingEveryRowKeepsOneEmptyRow)
{
    OpsGrid t(4);
    t.g.RemoveRows(0, 4);
    EXPECT_EQ(t.g.RowCount(), 1);
    EXPECT_TRUE(t.g.GetRawCell(1, 0).isEmpty());
}

TEST(GridRowOps, RemovedRowsTakeTheirFlagsAndControlsWithThem)
{
    OpsGrid t;
    t.g.MouseActions.DisjunctRowSelect = true;
    t.g.SetRowSelect(2, true);
    t.g.SetRowSelect(6, true);
    auto* gone = new QLineEdit(&t.g);
    auto* stays = new QLineEdit(&t.g);
    t.g.CellControls().Add(gone);
    t.g.CellControls().Add(stays);
    t.g.CellProperties(3, 2)->Control = gone;
    t.g.CellProperties(3, 7)->Control = stays;
    QPointer<QLineEdit> watch = gone;

    t.g.RemoveSelectedRows();

    EXPECT_EQ(t.column(), named({"r0", "r1", "r3", "r4", "r5", "r7", "r8", "r9"}));
    EXPECT_EQ(t.g.RowSelectCount(), 0);
    EXPECT_TRUE(watch.isNull());  // the removed cell's control is freed
    EXPECT_EQ(t.g.CellControls().Count(), 1);
    EXPECT_EQ(t.g.FindCellProperties(3, 5)->Control, stays);
}

TEST(GridRowOps, AppendedRowsGoBeforeTheFloatingFooter)
{
    OpsGrid t(5);
    t.g.FloatingFooter.SetVisible(true);
    t.g.CellProperties(2, 4)->FooterCalc = 3;  // counts the data rows
    t.g.AutoInsertRow();
    EXPECT_EQ(t.g.RowCount(), 6);
    EXPECT_EQ(t.g.GetFloats(2, 5), 4.0);
    EXPECT_TRUE(t.g.GetRawCell(1, 4).isEmpty());
    EXPECT_EQ(t.g.GetRawCell(1, 3), QStringLiteral("r3"));
    t.g.FloatingFooter.SetVisible(false);
    t.g.AutoInsertRow();
    EXPECT_EQ(t.g.RowCount(), 7);
    EXPECT_TRUE(t.g.GetRawCell(1, 6).isEmpty());
}

TEST(GridRowOps, TheUnsortedOrderFollowsInsertedAndRemovedRows)
{
    OpsGrid t(6);
    // After a sort: the rows now at 1 .. 5 stood at 5, 3, 1, 4, 2.
    const int before[] = {0, 5, 3, 1, 4, 2};
    for (int v : before)
        t.g.RowIndexList().Add(v);
    t.g.InsertRows(2, 1);  // before the row that stood at 3
    const int inserted[] = {0, 6, 3, 4, 1, 5, 2};
    ASSERT_EQ(t.g.RowIndexList().Count(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(t.g.RowIndexList().Items(i), inserted[i]) << i;
    // Rows 1 and 4 (unsorted 6 and 1) go; one pass for rows that are not adjacent.
    t.g.MouseActions.DisjunctRowSelect = true;
    t.g.SetRowSelect(1, true);
    t.g.SetRowSelect(4, true);
    t.g.RemoveSelectedRows();
    const int removed[] = {0, 2, 3, 4, 1};
    ASSERT_EQ(t.g.RowIndexList().Count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(t.g.RowIndexList().Items(i), removed[i]) << i;
}

TEST(GridRowOps, AMergedAreaThatRowsWouldCutThroughIsSplitKeepingItsText)
{
    OpsGrid t;
    t.g.MergeCells(1, 2, 2, 3);  // columns 1-2, rows 2-4
    t.g.InsertRows(3, 1);
    t.g.MergeCells(1, 7, 1, 2);  // rows 7-8
    t.g.RemoveRows(8, 1);
    for (int r = 0; r < t.g.RowCount(); ++r)
        for (int c = 0; c < t.g.ColCount(); ++c) {
            EXPECT_FALSE(t.g.IsMergedCell(c, r)) << c << "," << r;
            EXPECT_EQ(t.g.BaseCell(c, r), (TGridCoord{c, r}));
        }
    EXPECT_EQ(t.g.GetRawCell(1, 2), QStringLiteral("r2"));
    EXPECT_EQ(t.g.GetRawCell(1, 7), QStringLiteral("r6"));

    OpsGrid cols;
    cols.g.MergeCells(1, 1, 3, 1);
    cols.g.InsertCols(2, 1);
    EXPECT_FALSE(cols.g.IsMergedCell(1, 1));
    EXPECT_EQ(cols.g.GetRawCell(1, 1), QStringLiteral("r1"));
}

TEST(GridColumnOps, InsertedColumnsAreEmptyAndTheFootersAreCalculatedAgain)
{
    OpsGrid t(5);
    t.g.SetColWidths(2, 90);
    t.g.FloatingFooter.SetVisible(true);
    // A footer the host computes by column number goes stale when its column moves unnoticed.
    t.g.FloatingFooter.OnCalcFooter = [](QObject*, int ACol, QString& Value) { Value = QStringLiteral("col %1").arg(ACol); };
    for (int r = 1; r < 4; ++r)
        t.g.SetInts(2, r, r * 10);
    t.g.CellProperties(2, 4)->FooterCalc = 1;
    t.g.CellProperties(3, 4)->FooterCalc = 7;
    t.g.UpdateFooter(-1);
    ASSERT_EQ(t.g.GetRawCell(3, 4), QStringLiteral("col 3"));
    t.changes.clear();

    t.g.InsertCols(2, 1);

    EXPECT_EQ(t.g.ColCount(), 5);
    EXPECT_EQ(t.g.ColWidths(2), t.g.DefaultColWidth());
    EXPECT_EQ(t.g.ColWidths(3), 90);
    for (int r = 0; r < 5; ++r)
        EXPECT_TRUE(t.g.GetRawCell(2, r).isEmpty()) << r;
    EXPECT_EQ(t.changes.size(), 1u);
    EXPECT_EQ(t.g.GetFloats(3, 4), 60.0);
    EXPECT_EQ(t.g.GetRawCell(4, 4), QStringLiteral("col 4"));
}

TEST(GridColumnOps, RemovedColumnsAreClampedAndHiddenRowsLoseTheirCellsToo)
{
    OpsGrid t;
    t.g.HideRows(3, 3);
    t.g.RemoveCols(1, 1);
    EXPECT_EQ(t.g.ColCount(), 3);
    EXPECT_EQ(t.g.GetRawCell(1, 1), QStringLiteral("2.1"));
    t.g.RemoveCols(t.g.ColCount(), 1);  // past the end: nothing
    t.g.RemoveCols(-1, 1);
    EXPECT_EQ(t.g.ColCount(), 3);
    t.g.RemoveCols(2, 9);  // clamped to the last column
    EXPECT_EQ(t.g.ColCount(), 2);
    // A column added later starts empty in the hidden row as well.
    t.g.InsertCols(2, 1);
    t.g.UnHideRowsAll();
    EXPECT_EQ(t.g.GetRawCell(1, 3), QStringLiteral("2.3"));
    EXPECT_TRUE(t.g.GetRawCell(2, 3).isEmpty());
}

TEST(GridClearing, ClearRectEmptiesTextsAndRecordsAndTellsOnce)
{
    OpsGrid t;
    putCheckBox(t.g, 2, 2);
    t.changes.clear();
    t.g.ClearRect(3, 4, 1, 2);  // given the wrong way round
    for (int r = 2; r <= 4; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_TRUE(t.g.GetRawCell(c, r).isEmpty());
    EXPECT_FALSE(t.g.HasCellProperties(2, 2));
    EXPECT_EQ(t.g.GetRawCell(0, 2), QStringLiteral("0.2"));
    ASSERT_EQ(t.changes.size(), 1u);
    EXPECT_EQ(t.changes[0], QRect(QPoint(1, 2), QPoint(3, 4)));
}

TEST(GridClearing, FlaggedRowsOrColumnsAreEmptiedWholeWithOneNotice)
{
    OpsGrid t;
    t.g.MouseActions.DisjunctRowSelect = true;
    t.g.SetRowSelect(2, true);
    t.g.SetRowSelect(4, true);
    t.changes.clear();
    t.g.ClearSelectedCells();
    EXPECT_EQ(t.column().mid(1, 4), QStringList({QStringLiteral("r1"), QString(), QStringLiteral("r3"), QString()}));
    EXPECT_TRUE(t.g.GetRawCell(0, 2).isEmpty());
    EXPECT_EQ(t.changes.size(), 1u);

    OpsGrid c;
    c.g.MouseActions.DisjunctColSelect = true;
    c.g.SetColSelect(2, true);
    c.g.ClearSelectedCells();
    EXPECT_EQ(c.column(2), QStringList(10, QString()));
    EXPECT_EQ(c.g.GetRawCell(1, 5), QStringLiteral("r5"));
}

TEST(GridClearing, ClearAllLeavesNoNodeNoHiddenRowAndNoText)
{
    OpsGrid t;
    t.g.AddNode(2, 4);
    t.g.ContractNode(2);
    ASSERT_GT(t.g.HiddenRowCount(), 0);
    t.g.ClearAll();
    EXPECT_EQ(t.g.NodeCount(), 0);
    EXPECT_EQ(t.g.HiddenRowCount(), 0);
    EXPECT_EQ(t.g.RowCount(), 10);
    for (int r = 0; r < 10; ++r)
        EXPECT_FALSE(t.g.IsNodeRow(r));
    EXPECT_EQ(t.column(), QStringList(10, QString()));

    // Rows the filter hid come back empty too.
    OpsGrid f;
    TFilterData& cond = f.g.Filter.Add();
    cond.Column = 1;
    cond.Condition = QStringLiteral("r1");
    f.g.SetFilterActive(true);
    ASSERT_GT(f.g.HiddenRowCount(), 0);
    f.g.ClearAll();
    EXPECT_EQ(f.g.HiddenRowCount(), 0);
    EXPECT_FALSE(f.g.FilterActive());
    EXPECT_EQ(f.column(), QStringList(10, QString()));
}

TEST(GridMerging, EqualCellsMergeByRunsAndLaterColumnsOnlyInsideEarlierAreas)
{
    OpsGrid t(7);
    const char* first[] = {"", "A", "A", "B", "B", "B", "C"};
    const char* second[] = {"", "x", "x", "x", "y", "y", "y"};
    for (int r = 0; r < 7; ++r) {
        t.g.SetCellText(1, r, QString::fromLatin1(first[r]));
        t.g.SetCellText(2, r, QString::fromLatin1(second[r]));
    }
    t.g.MergeEqualCells(1, true);
    EXPECT_EQ(t.g.CellSpan(1, 1), (TGridCoord{0, 1}));
    EXPECT_EQ(t.g.BaseCell(1, 5), (TGridCoord{1, 3}));
    EXPECT_EQ(t.g.CellSpan(1, 3), (TGridCoord{0, 2}));
    EXPECT_FALSE(t.g.IsMergedCell(1, 6));

    // Through the merge list: column 2's x x x splits at the border of A and B.
    t.g.UnMergeCol(1);
    EXPECT_FALSE(t.g.IsMergedCell(1, 1));
    t.g.MergeColumns().Add(1);
    t.g.MergeColumns().Add(2);
    EXPECT_EQ(t.g.CellSpan(2, 1), (TGridCoord{0, 1}));
    EXPECT_FALSE(t.g.IsMergedCell(2, 3));
    EXPECT_EQ(t.g.CellSpan(2, 4), (TGridCoord{0, 1}));
}

}  // namespace
