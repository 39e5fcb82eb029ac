#pragma once
// A source of tables for the import wizard: the worksheets of a workbook, or the tables of a
// database file. The wizard lists the tables, maps the fields of one by name and copies its
// rows value by value, converting each value into its target field itself.
#include <QString>
#include <QStringList>
#include <QVector>

#include "platform/office/officeresult.h"
#include "platform/office/tablevalue.h"

using TableRows = QVector<QVector<TableValue>>;

// One record as the import copies it: the values of the fields it asked for, and the record's
// number as the user finds it in the source (a sheet's row number, or the record's position in
// the table counted from 1).
struct TableRecord {
    int number = 0;
    QVector<TableValue> values;
};
using TableRecords = QVector<TableRecord>;

class TableSource {
public:
    virtual ~TableSource() = default;

    // The tables in the order of the source.
    virtual QStringList TableNames() const = 0;
    // The field names of a table in their order; an error for a table the source lacks.
    virtual OfficeResult<QStringList> FieldNames(const QString& table) const = 0;
    // Every row of a table, each with one value per field in the order of FieldNames.
    virtual OfficeResult<TableRows> Rows(const QString& table) const = 0;
    // The records of a table that hold a value in at least one of `fields` (positions in the
    // order of FieldNames), in order, each with the values of those fields only. A position
    // the table lacks reads as empty.
    virtual OfficeResult<TableRecords> Records(const QString& table, const QVector<int>& fields) const;
};
