// The date-time routines of sysutils.h. A TDateTime is split into whole days and milliseconds of
// the day after rounding to the millisecond, as the runtime does, so that a value a hair below
// midnight reads as the next day at 00:00 and not as 23:59:59.999. Before 1899-12-30 the whole
// part is negative and the fraction still counts forward from midnight (-1.25 is 1899-12-29 06:00).
#include "platform/rtl/sysutils.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int64_t kMSecsPerDay = 86400000;
// Days from 1970-01-01 back to the runtime's day zero, 1899-12-30.
constexpr int64_t kDayZeroFromUnix = -25569;

// Proleptic Gregorian day count relative to 1970-01-01.
int64_t DaysFromCivil(int64_t y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

// Whole days and milliseconds of the day of a TDateTime.
struct DayAndTime {
    int64_t days = 0;
    int64_t msec = 0;
};

DayAndTime Split(TDateTime dt)
{
    if (!std::isfinite(dt) || std::fabs(dt) > 1e7)
        return {};
    const int64_t ms = Round(dt * MSecsPerDay);
    return {ms / kMSecsPerDay, std::llabs(ms) % kMSecsPerDay};
}

// A date and a time of day joined the runtime's way: the time counts forward from the day's
// midnight, for negative dates too.
TDateTime Compose(int64_t days, int64_t msec)
{
    const double time = msec / MSecsPerDay;
    return days >= 0 ? days + time : days - time;
}

}  // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int DaysInMonth(TDateTime dt)
{
    int y, m, d;
    DecodeDate(dt, y, m, d);
    return DaysInAMonth(y, m);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month))
        return false;
    result = static_cast<double>(DaysFromCivil(year, month, day) - kDayZeroFromUnix);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime result;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError(QCoreApplication::translate("SysUtils", "Ungültiges Argument für Datumskodierung"));
    return result;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result)
{
    if (hour < 0 || hour >= 24 || min < 0 || min >= 60 || sec < 0 || sec >= 60 || msec < 0 || msec >= 1000)
        return false;
    // Whole milliseconds divided once, so equal times give equal doubles.
    result = (hour * 3600000 + min * 60000 + sec * 1000 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    TDateTime result;
    if (!TryEncodeTime(hour, min, sec, msec, result))
        throw EConvertError(QCoreApplication::translate("SysUtils", "Ungültiges Argument für Zeitkodierung"));
    return result;
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day)
{
    CivilFromDays(Split(dt).days + kDayZeroFromUnix, year, month, day);
}

void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec)
{
    const int64_t ms = Split(dt).msec;
    hour = static_cast<int>(ms / 3600000);
    min = static_cast<int>(ms / 60000 % 60);
    sec = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

int YearOf(TDateTime dt)
{
    int y, m, d;
    DecodeDate(dt, y, m, d);
    return y;
}

int MonthOf(TDateTime dt)
{
    int y, m, d;
    DecodeDate(dt, y, m, d);
    return m;
}

int DayOf(TDateTime dt)
{
    int y, m, d;
    DecodeDate(dt, y, m, d);
    return d;
}

TDateTime IncDay(TDateTime dt, int days)
{
    const DayAndTime parts = Split(dt);
    return Compose(parts.days + days, parts.msec);
}

TDateTime IncMonth(TDateTime dt, int months)
{
    const DayAndTime parts = Split(dt);
    int y, m, d;
    CivilFromDays(parts.days + kDayZeroFromUnix, y, m, d);
    int64_t total = static_cast<int64_t>(y) * 12 + (m - 1) + months;
    const int64_t ny = total >= 0 ? total / 12 : (total - 11) / 12;
    const int nm = static_cast<int>(total - ny * 12) + 1;
    const int nd = std::min(d, DaysInAMonth(static_cast<int>(ny), nm));
    const TDateTime date = EncodeDate(static_cast<int>(ny), nm, nd);
    return Compose(static_cast<int64_t>(date), parts.msec);
}

int DayOfWeek(TDateTime dt)
{
    // Day zero, 1899-12-30, was a Saturday (7).
    const int64_t days = Split(dt).days;
    return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

int DayOfTheWeek(TDateTime dt)
{
    return (DayOfWeek(dt) + 5) % 7 + 1;
}

int WeekOfTheYear(TDateTime dt, int& year)
{
    // ISO 8601: a week belongs to the year that holds its Thursday.
    const int64_t days = Split(dt).days;
    const int64_t thursday = days + (4 - DayOfTheWeek(static_cast<double>(days)));
    int m, d;
    CivilFromDays(thursday + kDayZeroFromUnix, year, m, d);
    const int64_t jan1 = DaysFromCivil(year, 1, 1) - kDayZeroFromUnix;
    return static_cast<int>((thursday - jan1) / 7 + 1);
}

int WeekOfTheYear(TDateTime dt)
{
    int year;
    return WeekOfTheYear(dt, year);
}

TDateTime DateOf(TDateTime dt)
{
    return static_cast<double>(Split(dt).days);
}

TDateTime TimeOf(TDateTime dt)
{
    return Split(dt).msec / MSecsPerDay;
}
