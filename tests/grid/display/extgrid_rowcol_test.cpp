// The row and column model: hidden rows and the mapping both ways, nodes, the filter, grouping,
// the saved selection, scrolling a cell into view and the current-row notice.
#include <gtest/gtest.h>

#include <QStringList>

#include "grid/display/extgrid.h"
#include "tests/support/qstringprinter.h"

namespace {

// A grid of 4 columns, one fixed row and column, whose column 1 holds "r<real row>".
struct RowGrid {
    explicit RowGrid(int rows = 12)
    {
        g.SetColCount(4);
        g.SetRowCount(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 4; ++c)
                g.SetCellText(c, r, c == 1 ? QStringLiteral("r%1").arg(r) : QStringLiteral("%1.%2").arg(c).arg(r));
    }
    // The texts of one column, shown rows only.
    QStringList column(int c = 1) const
    {
        QStringList l;
        for (int r = 0; r < g.RowCount(); ++r)
            l << g.GetRawCell(c, r);
        return l;
    }
    QStringList all() const
    {
        QStringList l;
        for (int r = 0; r < g.RowCount(); ++r)
            for (int c = 0; c < g.ColCount(); ++c)
                l << g.GetRawCell(c, r);
        return l;
    }
    TExtStringGrid g;
};

QStringList rowsNamed(std::initializer_list<int> rows)
{
    QStringList l;
    for (int r : rows)
        l << QStringLiteral("r%1").arg(r);
    return l;
}

TEST(GridRowModel, WithNothingHiddenTheMappingsAreIdentity)
{
    RowGrid t;
    for (int i : {0, 1, 5, 11, 600}) {
        EXPECT_EQ(t.g.RealRowIndex(i), i);
        EXPECT_EQ(t.g.DisplayRowIndex(i), i);
        EXPECT_EQ(t.g.RealColIndex(i), i);
        EXPECT_EQ(t.g.RealToDisplCol(i), i);
        EXPECT_FALSE(t.g.IsHiddenColumn(i));
    }
    EXPECT_EQ(t.g.RealRowIndex(-1), -1);
    EXPECT_EQ(t.g.HiddenRowCount(), 0);
}

TEST(GridRowModel, HidingAnOverlappingRangeHidesOnlyTheNewRowsAndAllComeBackWithHeightsAndRecords)
{
    RowGrid t;
    t.g.SetRowHeights(5, 40);
    t.g.SetRowHeights(7, 33);
    auto check = std::make_unique<TCellGraphic>();
    check->CellType = ctCheckBox;
    check->CellBoolean = true;
    t.g.SetCellGraphic(2, 4, std::move(check));
    t.g.SetRow(9);

    t.g.HideRows(3, 5);
    t.g.HideRows(4, 7);
    EXPECT_EQ(t.g.HiddenRowCount(), 5);
    EXPECT_EQ(t.g.Row(), 4);  // the current row stays on its row
    EXPECT_EQ(t.column(), rowsNamed({0, 1, 2, 8, 9, 10, 11}));
    // Both mappings agree with the shown rows; a hidden row maps to the place it would take.
    const int reals[] = {0, 1, 2, 8, 9, 10, 11};
    for (int d = 0; d < 7; ++d) {
        EXPECT_EQ(t.g.RealRowIndex(d), reals[d]) << d;
        EXPECT_EQ(t.g.DisplayRowIndex(reals[d]), d) << d;
    }
    EXPECT_EQ(t.g.DisplayRowIndex(6), 3);
    ASSERT_TRUE(t.g.IsHiddenRow(4));
    QString text;
    t.g.GetRealCellText(1, 6, text);
    EXPECT_EQ(text, "r6");
    t.g.GetRealCellText(1, 9, text);
    EXPECT_EQ(text, "r9");

    t.g.UnHideRows(3, 7);
    EXPECT_EQ(t.g.HiddenRowCount(), 0);
    EXPECT_EQ(t.column(), rowsNamed({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(t.g.RowHeights(5), 40);
    EXPECT_EQ(t.g.RowHeights(7), 33);
    EXPECT_EQ(t.g.RowHeights(6), t.g.DefaultRowHeight());
    EXPECT_EQ(t.g.Row(), 9);
    const TCellGraphic* g = t.g.GetCellGraphic(2, 4);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->CellType, ctCheckBox);
    EXPECT_TRUE(g->CellBoolean);
}

TEST(GridRowModel, UnHidingStartsOnlyAtAHiddenRowAndHidingAHiddenRangeChangesNothing)
{
    RowGrid t;
    t.g.HideRows(4, 6);
    t.g.UnHideRows(3, 8);  // row 3 is shown: nothing comes back
    EXPECT_EQ(t.g.HiddenRowCount(), 3);
    t.g.HideRows(4, 6);
    EXPECT_EQ(t.g.RowCount(), 9);
    t.g.HideRows(9, 10);
    t.g.UnHideRowsAll();
    EXPECT_EQ(t.column(), rowsNamed({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(GridRowModel, RemovingAndInsertingRealRowsMoveTheHiddenRowsBehindThem)
{
    RowGrid t;
    t.g.HideRows(6, 7);
    t.g.RemoveRealRow(2);
    EXPECT_TRUE(t.g.IsHiddenRow(5));
    EXPECT_TRUE(t.g.IsHiddenRow(6));
    t.g.RemoveRealRow(5);  // a hidden row goes with its record
    EXPECT_EQ(t.g.HiddenRowCount(), 1);
    t.g.InsertRealRow(1);
    t.g.UnHideRowsAll();
    EXPECT_EQ(t.column(), QStringList({"r0", "", "r1", "r3", "r4", "r5", "r7", "r8", "r9", "r10", "r11"}));
}

TEST(GridRowModel, TheDataAreaFollowsTheSaveFixedCellsSwitch)
{
    RowGrid t;
    t.g.SetFixedFooters(1);
    t.g.SetFixedRightCols(1);
    EXPECT_EQ(std::vector<int>({t.g.FirstDataCol(), t.g.FirstDataRow(), t.g.LastDataCol(), t.g.LastDataRow(),
                                t.g.DataColCount(), t.g.DataRowCount()}),
              std::vector<int>({0, 0, 3, 11, 4, 12}));
    t.g.SaveFixedCells = false;
    EXPECT_EQ(std::vector<int>({t.g.FirstDataCol(), t.g.FirstDataRow(), t.g.LastDataCol(), t.g.LastDataRow(),
                                t.g.DataColCount(), t.g.DataRowCount()}),
              std::vector<int>({1, 1, 2, 10, 2, 10}));
}

TEST(GridNodes, SpanZeroReachesTheNextNodeAndContractingHidesTheChildren)
{
    RowGrid t;
    t.g.AddNode(2, 0);
    t.g.AddNode(6, 3);
    EXPECT_EQ(t.g.NodeCount(), 2);
    EXPECT_EQ(t.g.NodeLevel(2), 1);
    EXPECT_EQ(t.g.NodeLevel(3), -1);  // not a node row
    EXPECT_EQ(t.g.NodeSpan(6), 3);
    EXPECT_EQ(t.g.NodeSpan(7), -1);
    EXPECT_EQ(t.g.Col(), 1);

    t.g.ContractNode(2);
    EXPECT_TRUE(t.g.IsNodeContracted(2));
    EXPECT_EQ(t.column(), rowsNamed({0, 1, 2, 6, 7, 8, 9, 10, 11}));
    t.g.ExpandNode(2);
    EXPECT_EQ(t.g.HiddenRowCount(), 0);
    EXPECT_FALSE(t.g.IsNodeContracted(2));
    EXPECT_EQ(t.g.ParentNodeRow(4), 2);
    EXPECT_EQ(t.g.ParentNodeRow(7), 6);
    EXPECT_EQ(t.g.ParentNodeRow(9), -1);
}

TEST(GridNodes, ExpandOneLeavesExactlyOneNodeOpen)
{
    RowGrid t(20);
    for (int n : {1, 5, 9, 13})
        t.g.AddNode(n, 4);
    t.g.ContractAllNodes();
    t.g.CellNode.SetExpandOne(true);
    t.g.ExpandNode(5);
    t.g.ExpandNode(9);
    int open = 0;
    for (int r = 0; r < t.g.RowCount(); ++r)
        if (t.g.IsNodeRow(r) && !t.g.IsNodeContracted(r))
            ++open;
    EXPECT_EQ(open, 1);
    EXPECT_EQ(t.column(), rowsNamed({0, 1, 5, 9, 10, 11, 12, 13, 17, 18, 19}));
}

TEST(GridNodes, ContractingAndExpandingAllGivesIdenticalCells)
{
    RowGrid t(30);
    const QStringList before = t.all();
    t.g.AddNode(1, 5);
    t.g.AddNode(2, 2);  // nested
    t.g.AddNode(10, 0);
    t.g.AddNode(20, 4);
    t.g.ContractNode(2);
    t.g.ContractAllNodes();
    EXPECT_EQ(t.column(), rowsNamed({0, 1, 6, 7, 8, 9, 10, 20, 24, 25, 26, 27, 28, 29}));
    t.g.ExpandAllNodes();
    EXPECT_EQ(t.all(), before);
    t.g.RemoveAllNodes();
    EXPECT_EQ(t.g.NodeCount(), 0);
    EXPECT_FALSE(t.g.IsNodeRow(1));
    EXPECT_EQ(t.g.FindCellProperties(0, 3)->NodeLevel, 0);
}

TEST(GridNodes, ASpanBeyondTheDataRowsIsCutAtTheLastRow)
{
    RowGrid t;
    t.g.AddNode(8, 50);
    EXPECT_EQ(t.g.NodeSpan(8), 4);
    t.g.ContractNode(8);
    EXPECT_EQ(t.g.RowCount(), 9);
    EXPECT_EQ(t.g.HiddenRowCount(), 3);
    t.g.ExpandNode(8);
    EXPECT_EQ(t.g.RowCount(), 12);
}

TEST(GridNodes, ChildRowsGrowAndShrinkTheirNode)
{
    RowGrid t;
    t.g.AddNode(2, 3);
    t.g.InsertChildRow(3, 1);
    EXPECT_EQ(t.g.NodeSpan(2), 4);
    EXPECT_EQ(t.g.GetRawCell(1, 4), "");
    EXPECT_EQ(t.g.FindCellProperties(0, 4)->NodeLevel, 1);
    t.g.RemoveChildRow(4);
    EXPECT_EQ(t.g.NodeSpan(2), 3);
    EXPECT_EQ(t.column(), rowsNamed({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(GridNodes, TheGlyphBandLiesAtTheNodesIndent)
{
    RowGrid t;
    t.g.AddNode(2, 3);
    t.g.CellNode.SetNodeIndent(12);
    EXPECT_FALSE(t.g.NodeGlyphHit(2, 0));
    EXPECT_TRUE(t.g.NodeGlyphHit(2, 6));
    EXPECT_FALSE(t.g.NodeGlyphHit(2, 12));
    EXPECT_FALSE(t.g.NodeGlyphHit(3, 6));
}

TEST(GridFilter, AFailingShortConditionHidesTheRowWithoutTestingTheRest)
{
    RowGrid t;
    int asked = 0;
    t.g.OnGetDisplText = [&](QObject*, int c, int, QString&) {
        if (c == 2)
            ++asked;
    };
    TFilterData& first = t.g.Filter.Add();
    first.Column = 1;
    first.Condition = "r1*";  // r1, r10, r11
    first.Data = fcNormal;
    first.Operation = foSHORT;
    TFilterData& second = t.g.Filter.Add();
    second.Column = 2;
    second.Condition = "*";
    second.Operation = foAND;
    std::vector<int> progress;
    t.g.OnFilterProgress = [&](QObject*, int p) { progress.push_back(p); };

    t.g.SetFilterActive(true);
    EXPECT_EQ(t.column(), rowsNamed({0, 1, 10, 11}));
    EXPECT_EQ(asked, 3);  // only the rows that passed the first condition
    EXPECT_EQ(progress.size(), 12u);
    EXPECT_EQ(progress.back(), 100);

    t.g.SetFilterActive(false);
    EXPECT_EQ(t.column(), rowsNamed({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(t.g.FixedRows(), 1);
}

struct FilterCase {
    const char* text;
    const char* prefix;
    const char* suffix;
    const char* condition;
    bool passes;
};

TEST(GridFilter, PrefixAndSuffixAreCutBeforeMatching)
{
    const FilterCase cases[] = {
        {"EUR 12", "EUR ", "", "12", true},
        {"12 km", "", " km", "12", true},
        {"12 km km", "", " km", "12 km km", true},  // the suffix also stands earlier: kept
        {"13", "", "", ">10 & <20", true},
        {"25", "", "", ">10 & <20", false},
    };
    for (const FilterCase& c : cases) {
        RowGrid t(3);
        t.g.SetCellText(2, 1, c.text);
        TFilterData& f = t.g.Filter.Add();
        f.Column = 2;
        f.Prefix = c.prefix;
        f.Suffix = c.suffix;
        f.Condition = c.condition;
        EXPECT_EQ(t.g.MatchFilter(1), c.passes) << c.text;
    }
}

TEST(GridFilter, SwitchingItOnWithAContractedNodeAndOffKeepsTheOrder)
{
    RowGrid t;
    const QStringList before = t.all();
    t.g.AddNode(2, 3);
    t.g.ContractNode(2);
    TFilterData& f = t.g.Filter.Add();
    f.Column = 1;
    f.Condition = "!r8";
    f.Data = fcNormal;
    t.g.SetFilterActive(true);
    EXPECT_EQ(t.column(), rowsNamed({0, 1, 2, 5, 6, 7, 9, 10, 11}));
    t.g.SetFilterActive(false);
    EXPECT_EQ(t.all(), before);

    // A second pass over rows already filtered, beside a contracted node, hides more, and everything
    // comes back in place.
    t.g.SetFilterActive(true);
    t.g.ContractNode(2);
    TFilterData& more = t.g.Filter.Add();
    more.Column = 1;
    more.Condition = "!r1*";
    more.Data = fcNormal;
    more.Operation = foAND;
    t.g.ApplyFilter();
    EXPECT_EQ(t.column(), rowsNamed({0, 2, 5, 6, 7, 9}));
    EXPECT_TRUE(t.g.IsHiddenRow(10));
    EXPECT_EQ(t.g.RealRowIndex(5), 9);
    t.g.SetFilterActive(false);
    EXPECT_EQ(t.all(), before);
}

TEST(GridGrouping, GroupAndUnGroupRestoreTheColumnItsTextsAndWidth)
{
    for (int col : {2, 0}) {
        RowGrid t(7);
        if (col == 0)
            t.g.SetFixedCols(0);
        const char* kinds[] = {"Kopf", "Lauf", "Rad", "Lauf", "Rad", "Rad", "Schwimmen"};
        for (int r = 0; r < 7; ++r)
            t.g.SetCellText(col, r, kinds[r]);
        t.g.SetColWidths(col, 77);
        t.g.SortSettings.AutoSortForGrouping = false;
        const QStringList before = t.all();

        t.g.Group(col);
        EXPECT_EQ(t.g.ColCount(), 3) << col;
        EXPECT_EQ(t.g.NodeCount(), 5) << col;  // Lauf, Rad, Lauf, Rad, Schwimmen
        EXPECT_EQ(t.g.RowCount(), 12) << col;
        t.g.UnGroup();
        EXPECT_EQ(t.g.GroupColumn(), -1);
        EXPECT_EQ(t.g.ColCount(), 4) << col;
        EXPECT_EQ(t.g.ColWidths(col), 77) << col;
        EXPECT_EQ(t.all(), before) << col;
    }
}

TEST(GridGrouping, SummaryAddsOneRowPerGroupAndSortingMakesOneGroupPerValue)
{
    RowGrid t(7);
    const char* kinds[] = {"Kopf", "Lauf", "Rad", "Lauf", "Rad", "Rad", "Schwimmen"};
    for (int r = 0; r < 7; ++r)
        t.g.SetCellText(2, r, kinds[r]);
    t.g.Grouping.Summary = true;
    t.g.Grouping.HeaderColor = clYellow;
    t.g.Group(2);
    // 6 data rows, 3 groups: a header and a summary row each.
    EXPECT_EQ(t.g.RowCount(), 13);
    EXPECT_EQ(t.g.NodeCount(), 3);
    EXPECT_EQ(t.g.GetRawCell(1, 1), "Lauf");
    EXPECT_EQ(t.g.NodeSpan(1), 3);
    EXPECT_EQ(t.g.GetCellGraphic(0, 4)->CellType, ctSummary);
    EXPECT_EQ(t.g.FindCellProperties(2, 1)->BrushColor(), clYellow);
    t.g.UnGroup();
    EXPECT_EQ(t.g.RowCount(), 7);
    EXPECT_EQ(t.column(2), QStringList({"Kopf", "Lauf", "Lauf", "Rad", "Rad", "Rad", "Schwimmen"}));
}

TEST(GridGrouping, InPlaceGroupingKeepsTheColumnAndComesBack)
{
    RowGrid t(6);
    const char* kinds[] = {"Kopf", "A", "A", "B", "B", "B"};
    for (int r = 0; r < 6; ++r)
        t.g.SetCellText(1, r, kinds[r]);
    const QStringList before = t.all();
    t.g.GroupInPlace(1);
    EXPECT_EQ(t.g.RowCount(), 8);
    EXPECT_EQ(t.g.ColCount(), 4);
    EXPECT_EQ(t.g.GetRawCell(2, 1), "A");
    EXPECT_EQ(t.g.GetRawCell(1, 2), "");
    t.g.UnGroupInPlace(1);
    EXPECT_EQ(t.all(), before);
}

TEST(GridView, ScrollInViewMovesOnlyForCellsOutOfView)
{
    RowGrid t(200);
    t.g.resize(300, 200);
    const int left = t.g.LeftCol();
    const int top = t.g.TopRow();
    t.g.ScrollInView(1, 2);
    EXPECT_EQ(t.g.LeftCol(), left);
    EXPECT_EQ(t.g.TopRow(), top);
    t.g.ScrollInView(1, 150);
    EXPECT_EQ(t.g.Row(), 150);
    EXPECT_EQ(t.g.TopRow(), 150 - t.g.VisibleRowCount() / 2);

    RowGrid small(3);
    small.g.resize(300, 400);
    small.g.ScrollInView(1, 2);
    EXPECT_EQ(small.g.TopRow(), small.g.FixedRows());
    EXPECT_EQ(small.g.LeftCol(), small.g.FixedCols());
}

TEST(GridView, SavedSelectionComesBackOrFallsToTheFirstCell)
{
    RowGrid t;
    t.g.SetSelection(TGridRect{2, 3, 3, 5});
    t.g.SaveSelection();
    EXPECT_TRUE(t.g.SelectionSaved());
    t.g.RestoreSelection();
    EXPECT_EQ(t.g.Selection(), (TGridRect{2, 3, 3, 5}));

    t.g.SaveSelection();
    t.g.SetRowCount(3);
    t.g.RestoreSelection();
    EXPECT_FALSE(t.g.SelectionSaved());
    EXPECT_EQ(t.g.Selection(), (TGridRect{1, 1, 1, 1}));
}

TEST(GridView, SetRowReportsEachNewRowOnceAndNotDuringAnUpdate)
{
    RowGrid t;
    std::vector<std::pair<int, int>> seen;
    t.g.OnRowUpdate = [&](QObject*, int from, int to) { seen.emplace_back(from, to); };
    t.g.SetRow(3);
    t.g.SetRow(3);
    t.g.BeginUpdate();
    t.g.SetRow(5);
    t.g.EndUpdate();
    t.g.SetRow(6);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{-1, 3}, {3, 6}}));
    EXPECT_EQ(t.g.Row(), 6);
}

}  // namespace
