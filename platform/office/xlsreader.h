#pragma once
// Reader of Excel workbooks of the versions 2 to 2003 (".xls"). Dates and times come back as
// date-time values, whatever date system the workbook counts in. BiffReader reads the common
// Excel 97-2003 files; the rest (older versions, files it cannot make sense of) go to FreeXL,
// which runs in a child process, so a damaged workbook that makes it crash or hang is reported
// as damaged and never takes the program down.
#include <QString>

#include "platform/office/officeresult.h"
#include "platform/office/sheetbook.h"

class XlsReader {
public:
    static OfficeResult<SheetBook> Read(const QString& fileName);
};
