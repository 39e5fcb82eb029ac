#include "traininglog/planmonth.h"

#include <cmath>

#include "platform/db/query.h"

QPoint PlanMonthCell(TDateTime first, TDateTime day)
{
    const int column = DayOfTheWeek(day);
    // The lines start on Mondays: the offset of the first day in its week counts in.
    const int line = (DayOfTheWeek(first) - 1 + int(std::floor(day) - std::floor(first))) / 7;
    return QPoint(kPlanMonthLeft + kPlanMonthColumn * (column - 1), kPlanMonthTop + kPlanMonthLine * line);
}

QStringList PlanMonthWeekLabels(TDateTime first, const QString& prefix)
{
    const TDateTime monday = std::floor(first) - (DayOfTheWeek(first) - 1);
    QStringList labels;
    for (int i = 0; i < kPlanMonthWeekLabels; ++i)
        labels << prefix + QString::number(WeekOfTheYear(monday + 7 * i));
    return labels;
}

TPlanMonthSheet PlanMonthSheet(TConnection* db, int planId, TDateTime first)
{
    TPlanMonthSheet sheet;
    first = std::floor(first);
    const int days = DaysInMonth(first);
    for (int i = 0; i < days; ++i)
        sheet.Days.push_back({first + i, PlanMonthCell(first, first + i)});
    if (!db || planId < 0)
        return sheet;

    TQuery units;
    units.SetConnection(db);
    units.SetReadOnly(true);
    // Only numbers go into the statement: the plan's key and the month's bounds as date values.
    units.SetSQLText(QStringLiteral(
                         "SELECT daten.Datum, belstufe.bel_Farbe, sportart.Spo_Name\r\n"
                         "FROM ((plan_daten INNER JOIN daten ON plan_daten.pld_DatenID = daten.dat_Id)\r\n"
                         "LEFT JOIN belstufe ON daten.Belastungsstufe = belstufe.bel_ID)\r\n"
                         "LEFT JOIN sportart ON daten.Sportart = sportart.Spo_Id\r\n"
                         "WHERE plan_daten.pld_PlanID = %1 AND daten.Datum >= %2 AND daten.Datum < %3\r\n"
                         "ORDER BY daten.Datum, plan_daten.pld_ID")
                         .arg(planId)
                         .arg(first, 0, 'f', 1)
                         .arg(first + days, 0, 'f', 1));
    units.Open();
    TField* datum = units.FieldByName(QStringLiteral("Datum"));
    TField* colour = units.FieldByName(QStringLiteral("bel_Farbe"));
    TField* sport = units.FieldByName(QStringLiteral("Spo_Name"));
    TDateTime day = -1;
    int n = 0;
    for (; !units.Eof(); units.Next()) {
        const TDateTime d = std::floor(datum->AsDateTime());
        n = d == day ? n + 1 : 0;
        day = d;
        const QPoint cell = PlanMonthCell(first, d);
        TPlanMonthBox box;
        box.Day = d;
        box.Rect = QRect(cell.x(), cell.y() + kPlanMonthBoxTop + kPlanMonthBoxStep * n, kPlanMonthBoxWidth,
                         kPlanMonthBoxHeight);
        // A load level without a colour (-1) or a unit without a load level leaves the box white.
        box.Filled = !colour->IsNull() && colour->AsInteger() != -1;
        box.Color = box.Filled ? TColor(colour->AsInteger()) : clWhite;
        box.Sport = sport->AsString();
        box.SportPos = QPoint(cell.x() + 4, cell.y() + 22 + kPlanMonthBoxStep * n);
        sheet.Boxes.push_back(box);
    }
    units.Close();
    return sheet;
}
