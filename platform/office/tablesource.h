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

class TableSource {
public:
    virtual ~TableSource() = default;

    // The tables in the order of the source.
    virtual QStringList TableNames() const = 0;
    // The field names of a table in their order; an error for a table the source lacks.
    virtual OfficeResult<QStringList> FieldNames(const QString& table) const = 0;
    // Every row of a table, each with one value per field in the order of FieldNames.
    virtual OfficeResult<TableRows> Rows(const QString& table) const = 0;
};
