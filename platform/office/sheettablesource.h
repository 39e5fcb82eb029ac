#pragma once
// The worksheets of a workbook as tables, named the way the database engine of the original
// program named them, so that saved field mappings (".imp") keep working:
//   - a sheet "Tabelle1" is the table "Tabelle1$";
//   - the first filled row gives the field names, a "." in them becoming "#" ("Min. Puls" is
//     the field "Min# Puls"); a blank or repeated header is "F" + the column's number counted
//     from 1 within the filled columns ("F6");
//   - the rows below it, up to the last filled row, are the records; each value keeps the kind
//     of its cell.
#include <memory>

#include "platform/office/sheetbook.h"
#include "platform/office/tablesource.h"

class SheetTableSource : public TableSource {
public:
    explicit SheetTableSource(SheetBook book) : book_(std::move(book)) {}

    QStringList TableNames() const override;
    OfficeResult<QStringList> FieldNames(const QString& table) const override;
    OfficeResult<TableRows> Rows(const QString& table) const override;
    // The sheet's row number (counted from 1, as the spreadsheet shows it) of the table's
    // first record, so that a message can name the row a value came from; 0 for an unknown
    // table.
    int FirstRecordRow(const QString& table) const;

    const SheetBook& Book() const { return book_; }

private:
    // The sheet of a table name: "Tabelle1$", also quoted ('Tabelle1$') or without the "$".
    const SheetData* sheetOf(const QString& table) const;

    SheetBook book_;
};

// Opens an Excel workbook (".xls" or ".xlsx", told apart by content, not by extension) as a
// table source.
OfficeResult<std::unique_ptr<TableSource>> OpenExcelSource(const QString& fileName);
