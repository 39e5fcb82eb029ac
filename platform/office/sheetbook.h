#pragma once
// The cells of a workbook as the readers find them: its sheets in their order, each a grid of
// values. The table view (sheettablesource.h) and the grid's worksheet import read from here.
#include <QString>
#include <QVector>

#include "platform/office/tablevalue.h"

class SheetData {
public:
    explicit SheetData(QString name = QString()) : name_(std::move(name)) {}

    const QString& Name() const { return name_; }
    // Stores a value; empty values are not stored, so the extent covers filled cells only.
    void SetCell(int row, int column, const TableValue& value);
    // The value of a cell; an empty value outside the filled part.
    const TableValue& Cell(int row, int column) const;
    // One past the last row and column that hold a value.
    int RowCount() const { return int(rows_.size()); }
    int ColumnCount() const { return columns_; }
    // The smallest rectangle around every filled cell, counted from 0; false for an empty sheet.
    bool UsedRange(int& firstRow, int& firstColumn, int& lastRow, int& lastColumn) const;

private:
    QString name_;
    QVector<QVector<TableValue>> rows_;
    int columns_ = 0;
};

struct SheetBook {
    QVector<SheetData> sheets;
    bool date1904 = false;  // the file counts its dates from 1904 (already applied to the values)

    // Index of the sheet of that name (compared without case, as the spreadsheet program
    // does), -1 when there is none.
    int SheetIndex(const QString& name) const;
};
