#pragma once
// The weekly statistics without a window: a run of seven-day weeks from a start date with the
// summed distance, training time and height difference of the units in each week, the week's
// kind (done, planned or both), the totals over the run, the texts of the week table, the row
// cut "up to the current week", the figures of the weekly chart and the print of a period
// table. The monthly statistics print their table with the same print, cut their rows by the
// same rule and scale and label their chart as the weekly chart does.
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/rtl/sysutils.h"

class QColor;
class QPainter;
class QRect;
class TConnection;
class TDataSet;
class TPrinterCanvas;

struct TWeekSettings {
    TDateTime Start = 0;  // first day of week 1 (its time of day is ignored)
    int Weeks = 52;
    double UnitCalc = 1.0;  // metres x UnitCalc = distance in the chosen unit
    bool SportFilter = false;
    QStringList Sports;  // the ticked sport names; counted only while SportFilter is on
    bool WithPlanning = false;  // units of planning forms count only while this is on
};

struct TWeek {
    TDateTime From = 0;  // first day; the week ends on From + 6
    double Distance = 0;  // in the chosen unit
    int64_t Ms = 0;
    int Height = 0;
    bool Planned = false;  // holds a counted unit of a planning form
    bool Done = false;     // holds a counted unit of any other form
    // "R" done units only or none, "P" planned units only, "B" both.
    QChar Kind() const;
};

// The weeks of the run, from one query over the run's days. A unit counts in the week whose
// days hold its date, when its sport passes the filter and its form the planning test. A unit
// without a distance counts 0 m; a unit whose form has no row in the form table counts as done.
// `progress` is called with each week's number as it is finished.
std::vector<TWeek> FillWeeks(TConnection& db, const TWeekSettings& settings,
                             const std::function<void(int week)>& progress = {});

// The number of weeks as typed: a whole number above 0. EConvertError otherwise (the runtime's
// text for a non-number, a plain German one for 0 and below).
int WeekCountFromText(const QString& text);

// The first day of ISO week 1 of the year: the Monday of the week that holds 4 January.
TDateTime FirstDayOfIsoWeek1(int year);

// The rows a table of periods keeps "up to the current period": those of its periods that
// begin on or before today (at most all of them).
int RowsBeginningBy(const std::vector<TDateTime>& periodStarts, TDateTime today);

// The choices of the weekly and monthly statistics' settings: the sport names in the order of
// the sports table, and the distance units (unt_type 1) with the one the open configuration
// names for these statistics chosen, else the first (-1 without units). Read through clones, so
// that the tables' cursors stay where they are.
struct TStatChoices {
    QStringList Sports;
    QStringList Units;
    int ChosenUnit = -1;
};
TStatChoices ReadStatChoices(TDataSet& sports, TDataSet& distanceUnits, TDataSet& config);
// The factor of a distance unit by its name (metres x factor); 1 for a name the table lacks.
double DistanceUnitCalc(TDataSet& distanceUnits, const QString& unitName);

// The texts of a week row, columns 0 to 6 of the week table.
QStringList WeekRowTexts(const TWeek& week, int number);

// Duration text "h:mm:ss" (hours of any number of digits) as milliseconds.
int64_t TimeStrToMs(const QString& text);

// Totals and weekly averages over the rows' texts, for the labels of the totals page.
struct TWeekTotals {
    QString Distance;  // "#0"
    QString AvgDistance;  // "#0.00"
    QString Height;
    QString AvgHeight;
    QString Time;
    QString AvgTime;
};
// `rows` holds the texts of columns 1 (distance), 2 (time) and 3 (height) of each week row;
// the averages divide by `weeks` (above 0), empty weeks included.
TWeekTotals WeekTotals(const QList<QStringList>& rows, int weeks);

// A data cell of the weekly or monthly table, clipped to its rectangle: the selected row in
// black on light blue between two lines, any other in `textColor` on the grid's `background`.
void DrawPeriodCell(QPainter& canvas, const QRect& rect, const QString& text, bool selected,
                    const QColor& textColor, const QColor& background);

// The distance multiplier of the weekly and monthly charts: 1000 for a unit of kilometres or
// miles (factor up to 0.0011), so that the bars stand in metres, else 1.
double WeekChartDistanceMultiplier(double unitCalc);
// A label of the charts' time axis: a number of days as "h:mm:ss" with hours beyond 24.
QString WeekChartTimeLabel(double days);

// A period table on the printer canvas: title in 15 points bold, the line "Erstellt mit
// Orvalo 5" in 11 points italic below it, the underlined heading line and then one line per row,
// 29 rows a page; later pages carry the rows only, where the first page has them. Each line
// stands below the one before by its font's height, so that none overlaps the next.
struct TPeriodPrint {
    QString Title;
    QStringList Headings;   // one per column
    QList<int> Columns;     // x of each column in printer units
    QList<QStringList> Rows;
    // The columns stand at least where `Columns` puts them; with this on, a column moves right
    // as far as the widest text of the column before it needs, so that no texts overlap.
    bool WidenColumns = false;
};
void PrintPeriodTable(TPrinterCanvas& printer, const TPeriodPrint& print);
