#pragma once
// What the quick-statistics pane computes without a window: the statement of the data module's
// query `quickstat` (totals per load level or per sport of a week or a training block), the week
// of a date with its title, and the bars filled from the query's rows.
//
//   q.SQL() = QuickStatStatement(bySport, QuickStatWeekSource(week));
//   q.Open();
//   FillQuickStatChart(*DBChart1, q, unitFactor);
#include <QString>
#include <QStringList>

#include "platform/rtl/sysutils.h"

class ChartModel;
class TDataSet;

// The three lines of the statement: the select line by the grouping (load level, or sport under
// the same column names), the source line, the group line.
QStringList QuickStatStatement(bool bySport, const QString& source);

// The week (Monday to Sunday) of a date, both days in the user's short date format.
struct TQuickStatWeek {
    QString From;
    QString To;
};
TQuickStatWeek QuickStatWeekOf(TDateTime date);
// The units of the week, compared as whole days.
QString QuickStatWeekSource(const TQuickStatWeek& week);
// The chart title of the week: "Woche: 01.03.2004 - 07.03.2004".
QString QuickStatWeekTitle(const TQuickStatWeek& week);
// The units of a training block.
QString QuickStatBlockSource(qint64 block);

// The series of the pane: 0 the distances, 1 the times.
inline constexpr int QuickStatDistanceSeries = 0;
inline constexpr int QuickStatTimeSeries = 1;

// Fills both series from the open query, one bar per row in the ascending order of the group key,
// labelled with the group's name and coloured with its colour (-1 or none: the chart's colour).
// The distances are charted in the configured unit (metres × unitFactor), so that the distance
// axis counts in that unit with the decimals its ticks need; times are days. A closed query
// empties the chart.
void FillQuickStatChart(ChartModel& chart, TDataSet& quickstat, double unitFactor);
