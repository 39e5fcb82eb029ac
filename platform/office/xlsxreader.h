#pragma once
// Reader of Excel 2007 and later workbooks (".xlsx", Office Open XML) over libzip and
// QXmlStreamReader. Shared and inline strings become texts; numbers whose cell style has a
// date or time format become date-time values, counted in the workbook's date system (1900 or
// 1904). Damaged archives or XML give an error naming the part and the line and column.
#include <QString>

#include "platform/office/officeresult.h"
#include "platform/office/sheetbook.h"

class XlsxReader {
public:
    static OfficeResult<SheetBook> Read(const QString& fileName);
};
