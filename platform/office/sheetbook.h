#pragma once
// The cells of a workbook as the readers find them: its sheets in their order, each holding only
// the cells the file fills (a sheet with one value in its last cell holds that one cell). The
// table view (sheettablesource.h) and the grid's worksheet import read from here.
#include <QString>
#include <QVector>

#include "platform/office/tablevalue.h"

struct SheetCell {
    int row = 0;
    int column = 0;
    TableValue value;
};

class SheetData {
public:
    // More filled cells than this (a real sheet of 100,000 rows and 40 columns holds 4 million)
    // make the sheet too large for the import: their memory is never taken.
    static constexpr qint64 kMaxCells = qint64(1) << 22;

    explicit SheetData(QString name = QString()) : name_(std::move(name)) {}

    const QString& Name() const { return name_; }
    // Stores a value; empty values are not stored, so the extent covers filled cells only. A
    // later value of the same cell replaces the earlier one. A cell beyond the sheet's rows and
    // columns, or beyond kMaxCells filled cells, makes the sheet too large: its cells are
    // dropped and no more are kept.
    void SetCell(int row, int column, const TableValue& value);
    // The value of a cell; an empty value where nothing is stored.
    const TableValue& Cell(int row, int column) const;
    // One past the last row and column that hold a value.
    int RowCount() const;
    int ColumnCount() const { return columns_; }
    // The smallest rectangle around every filled cell, counted from 0; false for an empty sheet.
    bool UsedRange(int& firstRow, int& firstColumn, int& lastRow, int& lastColumn) const;
    // Every filled cell, row by row, each row left to right.
    const QVector<SheetCell>& Cells() const;
    bool TooLarge() const { return tooLarge_; }

private:
    // Readers give the cells row by row, left to right, and they are appended as they come; a
    // file that gives them in another order is put in order once, when the cells are first read.
    void order() const;

    QString name_;
    mutable QVector<SheetCell> cells_;
    mutable bool ordered_ = true;
    int columns_ = 0;
    bool tooLarge_ = false;
};

struct SheetBook {
    QVector<SheetData> sheets;
    bool date1904 = false;  // the file counts its dates from 1904 (already applied to the values)
    // The sheet the workbook was saved with on top, as an index of sheets (0 where the file
    // names none, or names a chart sheet).
    int activeSheet = 0;

    // Index of the sheet of that name (compared without case, as the spreadsheet program
    // does), -1 when there is none.
    int SheetIndex(const QString& name) const;
};
