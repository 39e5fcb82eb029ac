#pragma once
// The monthly statistics without a window: a run of consecutive calendar months from a start
// month with the summed distance, training time and height difference of the units in each
// month, as the texts of the month table, and the totals over the run. The sums come from one
// grouped query over the athlete's units (one row per calendar month); each month of the run
// picks its row through the query's filter. The row cut "up to the current month" and the print
// are those of the weekly statistics (`RowsBeginningBy`, `PrintPeriodTable`).
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <vector>

#include "platform/rtl/sysutils.h"

class TQuery;

struct TMonthSettings {
    int StartMonth = 1;  // 1 to 12
    int Year = 0;        // year of the start month
    int Months = 12;
    double UnitCalc = 1.0;  // metres x UnitCalc = distance in the chosen unit
    bool SportFilter = false;
    QList<double> SportIds;  // the ticked sports' ids in list order; used only while SportFilter is on
    bool WithPlanning = false;  // planned units (and units whose form has no row) count only while this is on
};

struct TMonth {
    int Month = 1;
    int Year = 0;
    TDateTime First = 0;  // the month's first day
    QString Distance;     // column 1: in the chosen unit
    QString Time;         // column 2: "h:mm:ss"
    QString Height;       // column 3: metres
    QString Ms;           // the hidden value: the time in milliseconds as a decimal text
    // Column 0: the first day as "mmmm.yy" in the user's month names.
    QString Name() const;
    // The texts of the month table's row: columns 0 to 3, the empty column 4 and the hidden value.
    QStringList RowTexts() const;
};

struct TMonthRun {
    std::vector<TMonth> Months;
    int64_t Metres = 0;   // distance total, whole metres
    int64_t Height = 0;   // height total, whole metres
    int64_t Seconds = 0;  // time total, whole seconds
};

// Month and year of month r (from 1) of a run from `startMonth` in `year`.
void MonthOfRun(int startMonth, int year, int r, int& month, int& y);

// The query's condition with its " Where ", or empty: the ticked sports (when the filter is on
// and any is ticked), then, without planning, the form's planning flag.
QString MonthQueryCondition(const TMonthSettings& settings);
// The grouped query over the units that pass the condition.
QString MonthQuerySQL(const QString& condition);

// Runs the grouped query on `query` (which keeps its persistent fields) and computes the months
// of the run. The query stays open with the last month's filter on. A month whose sums are
// empty shows "0" (a month without units "00:00:00", "0", "0"). EConvertError for a month that
// is no valid date.
TMonthRun FillMonths(TQuery& query, const TMonthSettings& settings);

// The number of months as typed: a whole number above 0. EConvertError otherwise (the runtime's
// text for a non-number, a plain German one for 0 and below).
int MonthCountFromText(const QString& text);

// A month's summed metres in the chosen unit; empty for an empty sum.
QString MonthDistanceText(const QVariant& metres, double unitCalc);

// The texts of the totals: time "h:mm:ss", distance in the chosen unit, height in metres.
struct TMonthTotals {
    QString Time;
    QString Distance;
    QString Height;
};
TMonthTotals MonthTotals(const TMonthRun& run, double unitCalc);

// The first days of the run's months, for the row cut.
std::vector<TDateTime> MonthStarts(const TMonthRun& run);

// Chart figures of a month row: the time axis's value in days from the hidden millisecond text,
// and the point's label "mm.yy".
double MonthChartDays(const QString& msText);
QString MonthChartLabel(const TMonth& month);
