#include "platform/office/sheetbook.h"

#include <algorithm>

void SheetData::SetCell(int row, int column, const TableValue& value)
{
    if (value.IsEmpty() || row < 0 || column < 0)
        return;
    if (row >= rows_.size())
        rows_.resize(row + 1);
    QVector<TableValue>& r = rows_[row];
    if (column >= r.size())
        r.resize(column + 1);
    r[column] = value;
    columns_ = std::max(columns_, column + 1);
}

const TableValue& SheetData::Cell(int row, int column) const
{
    static const TableValue empty;
    if (row < 0 || row >= rows_.size() || column < 0)
        return empty;
    const QVector<TableValue>& r = rows_[row];
    return column < r.size() ? r[column] : empty;
}

bool SheetData::UsedRange(int& firstRow, int& firstColumn, int& lastRow, int& lastColumn) const
{
    firstRow = -1;
    firstColumn = columns_;
    lastRow = -1;
    lastColumn = -1;
    for (int r = 0; r < rows_.size(); ++r) {
        const QVector<TableValue>& row = rows_[r];
        for (int c = 0; c < row.size(); ++c) {
            if (row[c].IsEmpty())
                continue;
            if (firstRow < 0)
                firstRow = r;
            lastRow = r;
            firstColumn = std::min(firstColumn, c);
            lastColumn = std::max(lastColumn, c);
        }
    }
    return firstRow >= 0;
}

int SheetBook::SheetIndex(const QString& name) const
{
    for (int i = 0; i < sheets.size(); ++i)
        if (sheets[i].Name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
