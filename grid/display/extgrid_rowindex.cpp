// TExtStringGrid: the row-index list, the unsorted order of the rows. Sorting fills it, every row
// swap of a sort exchanges two of its entries, and restoring the unsorted order reads it. Row
// inserts and removes keep it in step here, so that an order restored after them still puts every
// row where it stood before the first sort.
#include "grid/display/extgrid.h"

#include <algorithm>
#include <vector>

namespace {

void refill(TIntList& list, const std::vector<int>& values)
{
    list.Clear();
    for (int v : values)
        list.Add(v);
}

}  // namespace

void TExtStringGrid::RebuildRowIndex()
{
    std::vector<int> values(size_t(std::max(RowCount(), 0)));
    for (size_t r = 0; r < values.size(); ++r)
        values[r] = int(r);
    refill(rowIndexList_, values);
}

void TExtStringGrid::RowIndexRowsInserted(int ARow, int ACount)
{
    const int oldCount = rowIndexList_.Count();
    if (ACount <= 0 || oldCount == 0 || oldCount != RowCount() - ACount || ARow < 0 || ARow > oldCount)
        return;
    // The new rows take the unsorted place of the row they went in before; every place from
    // there on moves up by their number.
    const int base = ARow < oldCount ? rowIndexList_.Items(ARow) : oldCount;
    std::vector<int> values;
    values.reserve(size_t(oldCount + ACount));
    for (int r = 0; r < oldCount; ++r) {
        if (r == ARow)
            for (int k = 0; k < ACount; ++k)
                values.push_back(base + k);
        const int v = rowIndexList_.Items(r);
        values.push_back(v >= base ? v + ACount : v);
    }
    if (ARow == oldCount)
        for (int k = 0; k < ACount; ++k)
            values.push_back(base + k);
    refill(rowIndexList_, values);
}

void TExtStringGrid::RowIndexRowsRemoved(int ARow, int ACount)
{
    const int oldCount = rowIndexList_.Count();
    if (ACount <= 0 || oldCount == 0 || oldCount != RowCount() + ACount || ARow < 0 || ARow + ACount > oldCount)
        return;
    // The places the removed rows had are taken out of the numbering: each remaining place falls
    // by the number of removed places below it.
    std::vector<int> below(size_t(oldCount) + 1, 0);
    for (int r = ARow; r < ARow + ACount; ++r) {
        const int v = rowIndexList_.Items(r);
        if (v >= 0 && v < oldCount)
            below[size_t(v) + 1] = 1;
    }
    for (size_t i = 1; i < below.size(); ++i)
        below[i] += below[i - 1];
    std::vector<int> values;
    values.reserve(size_t(oldCount - ACount));
    for (int r = 0; r < oldCount; ++r) {
        if (r >= ARow && r < ARow + ACount)
            continue;
        const int v = rowIndexList_.Items(r);
        values.push_back(v >= 0 && v < oldCount ? v - below[size_t(v)] : v);
    }
    refill(rowIndexList_, values);
}
