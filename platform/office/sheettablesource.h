#pragma once
// The worksheets of a workbook as tables, named the way the database engine of the original
// program named them, so that saved field mappings (".imp") keep working:
//   - a sheet "Tabelle1" is the table "Tabelle1$";
//   - the first filled row gives the field names, a "." in them becoming "#" ("Min. Puls" is
//     the field "Min# Puls"); a blank or repeated header is "F" + the column's number counted
//     from 1 within the filled columns ("F6");
//   - the rows below it, up to the last filled row, are the records; each value keeps the kind
//     of its cell;
//   - a sheet holding more than the import takes (SheetData::TooLarge) is refused by name.
#include <memory>

#include "platform/office/sheetbook.h"
#include "platform/office/tablesource.h"

class SheetTableSource : public TableSource {
public:
    explicit SheetTableSource(SheetBook book) : book_(std::move(book)) {}

    QStringList TableNames() const override;
    OfficeResult<QStringList> FieldNames(const QString& table) const override;
    // Every row as wide as the used range; refused for a sheet whose used range is larger than
    // the import takes (one value in its last cell spans the whole sheet).
    OfficeResult<TableRows> Rows(const QString& table) const override;
    // Only the cells the sheet holds are read, so that a sheet with a few filled rows and one
    // value far out costs what its filled rows cost; numbered by the sheet's rows from 1.
    OfficeResult<TableRecords> Records(const QString& table, const QVector<int>& fields) const override;

    const SheetBook& Book() const { return book_; }

private:
    // The sheet of a table name: "Tabelle1$", also quoted ('Tabelle1$') or without the "$"; an
    // error for a table the book lacks or a sheet too large.
    OfficeResult<const SheetData*> sheetOf(const QString& table) const;

    SheetBook book_;
};

// Opens an Excel workbook (".xls" or ".xlsx", told apart by content, not by extension) as a
// table source.
OfficeResult<std::unique_ptr<TableSource>> OpenExcelSource(const QString& fileName);
