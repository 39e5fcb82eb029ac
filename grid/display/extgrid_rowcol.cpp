// TExtStringGrid: the mapping between display rows and columns (what the grid shows) and real
// ones (their place with nothing hidden). Until rows or columns can be hidden the two agree.
#include "grid/display/extgrid.h"

int TExtStringGrid::RealToDisplCol(int ACol) const
{
    return ACol;
}

int TExtStringGrid::RealColIndex(int ACol) const
{
    return ACol;
}

int TExtStringGrid::RealRowIndex(int ARow) const
{
    return ARow < 0 ? -1 : ARow;
}

int TExtStringGrid::DisplayRowIndex(int ARow) const
{
    return ARow;
}

int TExtStringGrid::HiddenColCount() const
{
    return 0;
}

int TExtStringGrid::HiddenRowCount() const
{
    return 0;
}

bool TExtStringGrid::IsHiddenColumn(int) const
{
    return false;
}
