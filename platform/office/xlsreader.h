#pragma once
// Reader of Excel 97-2003 workbooks (".xls", BIFF8 in a compound file) over FreeXL. Dates and
// times come back as date-time values, whatever date system the workbook counts in. FreeXL
// runs in a child process, so a damaged workbook that makes it crash or hang is reported as
// damaged and never takes the program down.
#include <QString>

#include "platform/office/officeresult.h"
#include "platform/office/sheetbook.h"

class XlsReader {
public:
    static OfficeResult<SheetBook> Read(const QString& fileName);
};
