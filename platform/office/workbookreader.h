#pragma once
// Reads an Excel workbook of either format. The file's first bytes decide: a compound file is
// an Excel 97-2003 workbook, a zip archive an Excel 2007 one; anything else is no workbook.
#include <QString>

#include "platform/office/officeresult.h"
#include "platform/office/sheetbook.h"

OfficeResult<SheetBook> ReadWorkbook(const QString& fileName);
