#pragma once
// What the appointment planner reads from the athlete's database, without a window: the dates
// of its week and month views, the entry lines of a month's days and the totals of its week
// rows, written into the month calendar control.
#include <QString>

#include "platform/rtl/sysutils.h"

class TConnection;
class TORVCalendar;

// The Monday of the week of a day (weeks run Monday to Sunday).
TDateTime MondayOf(TDateTime day);

// A date as a literal of a filter or of Jet SQL, "#3/14/2004#": month, day and year in this
// fixed order, whatever the user's date format, so that the engine never reads day and month
// swapped.
QString JetDateLiteral(TDateTime day);

// The entry line of a unit in the month view: "Laufen - 12 km", "* " in front for a planned
// unit; whole kilometres, rounded down.
QString MonthLineText(const QString& sportName, int meter, bool planned);

// The days of week row 1..6 of a month's calendar (both included): row 1 runs from the first of
// the month to its first Sunday, the others from Monday to Sunday; rows 5 and 6 may reach into
// the next month.
struct TPlannerPeriod {
    TDateTime From;
    TDateTime To;
};
TPlannerPeriod MonthWeekRow(TDateTime firstOfMonth, int row);

// The distance unit of the week totals: its factor from metres and its short name.
struct TDistanceUnit {
    double Calc = 0.001;
    QString ShortName = QStringLiteral("km");
};

// Fills the month calendar for the month of `start`: the first five units of each day by start
// time (units whose sport or training form has no row are left out), coloured in the sport's
// colour, and the three totals of each week row (units, distance in `unit`, time). Then the
// calendar shows that month with `start` as its current day. A database error leaves the
// calendar with the lines written so far and reaches the caller.
void FillMonthCalendar(TORVCalendar& calendar, TConnection& connection, TDateTime start, const TDistanceUnit& unit);
