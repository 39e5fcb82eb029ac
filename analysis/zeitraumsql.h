#pragma once
// The period statistics without widgets: the statement of the quick query built from the settings
// panel, the sort texts a user may type, the period presets, the totals over a result and the
// texts the window and its info box show, and the criteria lines of the criteria dialog.
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

#include "platform/rtl/sysutils.h"

class TDataSet;

// The statement every query of the window starts with; the free condition follows it.
inline constexpr char kZeitraumSelect[] = "SELECT * FROM zeitraumstat ";

// "( (Sportart = 1) or (Sportart = 3) )" for the ticked sports; "(Sportart = -2)" when none is
// ticked, which matches no unit.
QString SportCondition(const QList<int>& sportIds);
// The same over the training forms: "( (Form = 2) )", "(form = -2)" when none is ticked.
QString FormCondition(const QList<int>& formIds);

// The period condition without "WHERE": both days inclusive, written in the format settings the
// database reads them back with, then the sport and form conditions.
QString PeriodCondition(TDateTime from, TDateTime to, const QString& sports, const QString& forms,
                        const TFormatSettings& fs);

// The sort box's caption as the English language module words it, mapped to the column it
// stands for ("Date" gives "Datum"); any other text comes back unchanged.
QString sortFieldName(const QString& caption);

// The data fields of a result in their order: the columns a condition or a sort may name
// (calculated and lookup fields have no column).
QStringList ResultColumns(const TDataSet& result);

// A sort text the user typed or chose, checked against the columns of the result: a column name,
// optionally followed by ASC or DESC (case ignored). Gives the text for ORDER BY, or nothing for
// anything else, which the window treats like a column the database does not know.
std::optional<QString> SortExpression(const QString& text, const QStringList& columns);

// The quick query's full statement: the select, the period condition and, while block rows are
// hidden, the block filter and the two sort expressions.
QString QuickStatement(const QString& quickWhere, bool showBlocks, const QString& primary,
                       const QString& secondary);

// The period presets, from the day the user presses them.
struct TPeriod {
    TDateTime From = 0;
    TDateTime To = 0;
};
// Monday of the current week to today (a Sunday belongs to the week that began six days before).
TPeriod WeekPeriod(TDateTime today);
// First of the current month to today.
TPeriod MonthPeriod(TDateTime today);
// The whole current calendar year.
TPeriod YearPeriod(TDateTime today);

// The totals of a result: training units only (a block's summary row repeats its units' figures).
struct TPeriodTotals {
    int32_t Units = 0;
    int64_t Milliseconds = 0;
    int64_t Height = 0;
    int64_t Meters = 0;

    // Adds one row; rows with dat_Id <= 0 (blocks) add nothing. A duration counts only its part
    // below one day, to the nearest millisecond.
    void Add(int datId, double duration, int64_t height, int64_t meters);
};
// Walks the open result from its first row and sums it (fields dat_Id, Zeit, Hoehendifferenz,
// Meter; Null counts as 0). The cursor is left on the last row.
TPeriodTotals SumResult(TDataSet& result);

// "16 km": the metres in the unit, rounded half to even, and the unit's short name.
QString DistanceTotalText(int64_t meters, double factor, const QString& unitName);
// The info box's averages; "n/a" when the result holds no unit.
QString AverageDistanceText(const TPeriodTotals& totals, double factor, const QString& unitName);
QString AverageHeightText(const TPeriodTotals& totals);

// The operators of the criteria dialog, in its list's order.
QStringList CriteriaOperators();
// One criterion line: field, operator and the value in double quotes, three blanks around the
// operator. A double quote inside the value is doubled, so that the value stays one text.
QString CriterionLine(const QString& field, const QString& op, const QString& value);
// The condition memo's lines for a list of criteria: "WHERE", the first criterion, then "AND "
// before each further one.
QStringList CriteriaConditionLines(const QStringList& criteria);
// The free condition's full statement: the select and the memo's text, line breaks kept.
QString FreeStatement(const QString& memoText);

// Condition files ".sql": the lines of a condition, each ended by CR LF, in UTF-8. Reading also
// takes the files of older versions written in the Windows code page (a text that is no valid
// UTF-8 is read as Latin-1). Failures raise EFOpenError or EFCreateError; a file is written
// whole or not at all.
QString ReadConditionFile(const QString& fileName);
void WriteConditionFile(const QString& fileName, const QStringList& lines);
