#include "platform/office/sheetbook.h"

#include <algorithm>

#include "platform/office/cellname.h"

namespace {

bool before(const SheetCell& a, int row, int column)
{
    return a.row < row || (a.row == row && a.column < column);
}

}  // namespace

void SheetData::SetCell(int row, int column, const TableValue& value)
{
    if (value.IsEmpty() || row < 0 || column < 0 || tooLarge_)
        return;
    if (row >= kSheetMaxRows || column >= kSheetMaxColumns || cells_.size() >= kMaxCells) {
        tooLarge_ = true;
        cells_ = {};
        ordered_ = true;
        columns_ = 0;
        return;
    }
    if (!cells_.isEmpty() && !before(cells_.last(), row, column))
        ordered_ = false;
    cells_.append(SheetCell{row, column, value});
    columns_ = std::max(columns_, column + 1);
}

void SheetData::order() const
{
    if (ordered_)
        return;
    // Stable, so that of two values of one cell the later stays.
    std::stable_sort(cells_.begin(), cells_.end(),
                     [](const SheetCell& a, const SheetCell& b) { return before(a, b.row, b.column); });
    QVector<SheetCell> unique;
    unique.reserve(cells_.size());
    for (SheetCell& c : cells_) {
        if (!unique.isEmpty() && unique.last().row == c.row && unique.last().column == c.column)
            unique.last() = std::move(c);
        else
            unique.append(std::move(c));
    }
    cells_ = std::move(unique);
    ordered_ = true;
}

const QVector<SheetCell>& SheetData::Cells() const
{
    order();
    return cells_;
}

const TableValue& SheetData::Cell(int row, int column) const
{
    static const TableValue empty;
    order();
    const auto c = std::lower_bound(cells_.cbegin(), cells_.cend(), 0, [&](const SheetCell& a, int) {
        return before(a, row, column);
    });
    return c != cells_.cend() && c->row == row && c->column == column ? c->value : empty;
}

int SheetData::RowCount() const
{
    order();
    return cells_.isEmpty() ? 0 : cells_.last().row + 1;
}

bool SheetData::UsedRange(int& firstRow, int& firstColumn, int& lastRow, int& lastColumn) const
{
    order();
    firstRow = -1;
    firstColumn = columns_;
    lastRow = -1;
    lastColumn = -1;
    if (cells_.isEmpty())
        return false;
    firstRow = cells_.first().row;
    lastRow = cells_.last().row;
    for (const SheetCell& c : cells_) {
        firstColumn = std::min(firstColumn, c.column);
        lastColumn = std::max(lastColumn, c.column);
    }
    return true;
}

int SheetBook::SheetIndex(const QString& name) const
{
    for (int i = 0; i < sheets.size(); ++i)
        if (sheets[i].Name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
