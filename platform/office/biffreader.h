#pragma once
// Reader of the cell records of Excel 97-2003 workbooks (BIFF8 in a compound file): shared and
// inline strings, numbers, Booleans and formula results; numbers whose cell format shows a date
// or time become date-time values, with their full value (a duration of 36 hours stays 36
// hours). It reads the common files fast and exactly; what it does not understand (an older
// BIFF version, records that do not add up) it leaves to FreeXL (see XlsReader).
#include <QByteArray>
#include <QString>

#include <optional>

#include "platform/office/officeresult.h"
#include "platform/office/sheetbook.h"

class BiffReader {
public:
    // The workbook, the error of a password-protected one, or nothing when the file is to be
    // left to the other reader.
    static std::optional<OfficeResult<SheetBook>> Read(const QString& fileName, const QByteArray& file);
};
