#pragma once
// The time calculator's arithmetic: two durations added or subtracted, a duration multiplied or
// divided by a decimal number.
#include <QString>

#include "platform/rtl/sysutils.h"

// The result of "=" for the operator "+", "-", "*" or "/" as "hh:mm:ss" (the fraction of a second
// dropped; full hours up to 99:59:59; a negative difference with a minus sign). Only the fields
// the operator needs are read; the factor with the given format settings. EConvertError for a
// field that is no time or number, a division by zero or a result past 99:59:59.
QString CalculateTimes(const QString& op, const QString& time1, const QString& time2, const QString& factor,
                       const TFormatSettings& fs);
QString CalculateTimes(const QString& op, const QString& time1, const QString& time2, const QString& factor);
