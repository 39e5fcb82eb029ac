#pragma once
// Durations of the calculators. Times are typed into masked fields ("!90:00:00;1;_": two hour
// digits, the first one optional, minutes and seconds) and shown as "hh:mm:ss". Inside, a
// duration is a whole number of milliseconds, so that equal times compare equal and sums and
// differences carry no rounding.
#include <QString>

#include <cstdint>

#include "platform/rtl/sysutils.h"

// The largest duration the two hour digits of the masks can show: 99:59:59.
inline constexpr int64_t kMaxMaskDurationMs = ((99 * 60 + 59) * 60 + 59) * 1000LL + 999;

// A masked field's text ("01:30:00", " 0:14:00") as milliseconds. Hours 0 to 99, minutes and
// seconds 0 to 59; blanks around a part are allowed. EConvertError "'<text>' ist keine gültige
// Zeit" (the runtime's conversion error) when the text is not such a time, e.g. the empty mask.
int64_t MaskTextToMs(const QString& text);
bool TryMaskTextToMs(const QString& text, int64_t& ms);

// A duration as a date-time value (fraction of a day) to the nearest millisecond, and back.
int64_t DurationToMs(TDateTime duration);
TDateTime MsToDuration(int64_t ms);

// Milliseconds as "hh:mm:ss", the fraction of a second dropped (never rounded up). A duration of
// 24 hours or more keeps its full hours; a negative one shows with a minus sign ("-00:00:05").
// EConvertError (the runtime's time-encoding error) beyond 99:59:59, which no mask can show.
QString MsToMaskText(int64_t ms);
// A real number of milliseconds (a product or quotient of a duration) taken to the nearest
// millisecond first, then shown as MsToMaskText does.
QString MsToMaskText(double ms);
