// The row-index list keeps the unsorted order of the rows in step with rows inserted and removed
// after a sort.
#include <gtest/gtest.h>

#include "grid/display/extgrid.h"
#include "tests/support/qstringprinter.h"

namespace {

QString listOf(TExtStringGrid& g)
{
    return g.RowIndexList().StrValue();
}

// Six rows; rows 1 and 4, then 2 and 5 swapped as a sort swaps them.
void makeSwapped(TExtStringGrid& g)
{
    g.SetColCount(2);
    g.SetRowCount(6);
    g.RebuildRowIndex();
    g.SwapRows(1, 4);
    g.SwapRows(2, 5);
    ASSERT_EQ(listOf(g), QStringLiteral("0,4,5,3,1,2"));
}

}  // namespace

TEST(GridRowIndex, InsertedRowsStandBeforeTheirNeighbourInTheUnsortedOrderToo)
{
    struct Case {
        int at, count;
        const char* expected;
    };
    // The row inserted before the row now at `at` takes that row's unsorted place; appended rows
    // go to the end.
    const Case cases[] = {
        {1, 1, "0,4,5,6,3,1,2"},    // before the row of place 4
        {4, 2, "0,6,7,5,1,2,3,4"},  // before the row of place 1
        {0, 1, "0,1,5,6,4,2,3"},    // before everything
        {6, 2, "0,4,5,3,1,2,6,7"},  // appended
    };
    for (const Case& c : cases) {
        TExtStringGrid g;
        makeSwapped(g);
        g.InsertRows(c.at, c.count);
        g.RowIndexRowsInserted(c.at, c.count);
        EXPECT_EQ(listOf(g), QString::fromLatin1(c.expected)) << "insert at " << c.at;
    }
}

TEST(GridRowIndex, RemovedRowsLeaveAGaplessOrder)
{
    TExtStringGrid g;
    makeSwapped(g);
    // Rows now at 1 and 2 had places 4 and 5.
    g.RemoveRows(1, 2);
    g.RowIndexRowsRemoved(1, 2);
    EXPECT_EQ(listOf(g), QStringLiteral("0,3,1,2"));
    g.RemoveRows(0, 1);
    g.RowIndexRowsRemoved(0, 1);
    EXPECT_EQ(listOf(g), QStringLiteral("2,0,1"));
}

TEST(GridRowIndex, AnEmptyOrOutOfStepListIsLeftAlone)
{
    TExtStringGrid g;
    g.SetRowCount(5);
    g.InsertRows(2, 1);
    g.RowIndexRowsInserted(2, 1);
    EXPECT_EQ(g.RowIndexList().Count(), 0) << "nothing sorted yet";
    g.RebuildRowIndex();
    g.SetRowCount(8);  // grown without telling the list
    g.InsertRows(1, 1);
    g.RowIndexRowsInserted(1, 1);
    EXPECT_EQ(listOf(g), QStringLiteral("0,1,2,3,4,5")) << "an out-of-step list is rebuilt by the next sort";
}
