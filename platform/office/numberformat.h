#pragma once
// Number formats of the spreadsheet files: whether a cell shows a number, a date, a time of day
// or duration, or both, and the date-time value of a serial number under either date system.
#include <QString>

#include "platform/rtl/sysutils.h"

enum class NumberFormatKind { Number, Date, Time, DateTime };

// Judged from the format's code ("dd.mm.yyyy", "[h]:mm:ss", "0.00").
NumberFormatKind ClassifyNumberFormat(const QString& code);
// Judged from the number of a built-in format, which the files name without its code.
NumberFormatKind ClassifyBuiltinNumberFormat(int id);
// The date-time value of a cell's serial number shown with a format of that kind, in a
// workbook counting from 1900 or from 1904.
TDateTime SerialToDateTime(double serial, NumberFormatKind kind, bool date1904);
// Whether a serial number can be a date-time at all: finite and within the years 1 to 9999.
// The spreadsheet shows other numbers in a date format as "####"; they stay numbers.
bool IsDateTimeSerial(double serial);
