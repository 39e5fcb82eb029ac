#include "traininglog/plannerfill.h"

#include "core/language.h"
#include "core/messageids.h"
#include "core/orvtools.h"
#include "platform/db/connection.h"
#include "platform/db/fields.h"
#include "platform/db/query.h"
#include "platform/rtl/graphics.h"
#include "traininglog/orvcalendar.h"

TDateTime MondayOf(TDateTime day)
{
    const TDateTime d = DateOf(day);
    return d + 1 - DayOfTheWeek(d);
}

QString JetDateLiteral(TDateTime day)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(day, y, m, d);
    return QStringLiteral("#%1/%2/%3#").arg(m).arg(d).arg(y);
}

QString MonthLineText(const QString& sportName, int meter, bool planned)
{
    const QString text = sportName + QStringLiteral(" - ") + QString::number(meter / 1000) + QStringLiteral(" km");
    return planned ? QStringLiteral("* ") + text : text;
}

TPlannerPeriod MonthWeekRow(TDateTime firstOfMonth, int row)
{
    const TDateTime first = DateOf(firstOfMonth);
    const TDateTime sunday1 = first + 7 - DayOfTheWeek(first);
    if (row <= 1)
        return {first, sunday1};
    const TDateTime monday = sunday1 + 7 * (row - 2) + 1;
    return {monday, monday + 6};
}

namespace {

// The units of the month with their sport and form, by start time. Only the columns the lines
// need; the inner joins leave out units whose sport or form has no row.
const char* const kMonthUnitsSql =
    "Select daten.Datum, daten.Meter, spo_name, spo_farbe, for_planung from (daten inner join sportart on "
    "(daten.sportart = sportart.spo_id)) inner join form on (daten.form = form.for_id) "
    "where daten.Datum >= :von and daten.Datum < :bis order by startzeit";

const char* const kWeekTotalsSql =
    "SELECT Count(*) AS anzahl, Sum(meter) AS sMeter, Sum(zeit) AS sZeit FROM daten "
    "WHERE daten.Datum >= :von And daten.Datum < :bis";

void bindPeriod(TQuery& q, TDateTime from, TDateTime toExclusive)
{
    q.ParamByName(QStringLiteral("von"))->SetAsDateTime(from);
    q.ParamByName(QStringLiteral("bis"))->SetAsDateTime(toExclusive);
}

}  // namespace

void FillMonthCalendar(TORVCalendar& calendar, TConnection& connection, TDateTime start, const TDistanceUnit& unit)
{
    const TColor background = FromQColor(calendar.Color());
    for (int day = 1; day <= 31; ++day)
        for (int line = 1; line <= TORVCalendar::kLinesPerDay; ++line)
            calendar.DayLines(line, day) = TORVCalendarLine{QString(), background};
    for (int week = 1; week <= TORVCalendar::kWeekRows; ++week)
        for (int text = 1; text <= TORVCalendar::kWeekTexts; ++text)
            calendar.WeekLines(week, text).clear();

    int year = 0, month = 0, startDay = 0;
    DecodeDate(start, year, month, startDay);
    const TDateTime first = EncodeDate(year, month, 1);
    const int days = DaysInAMonth(year, month);

    // The query lives for this fill only; it is freed on every path.
    TQuery q;
    q.SetConnection(&connection);
    q.SetSQLText(QString::fromLatin1(kMonthUnitsSql));
    bindPeriod(q, first, first + days);
    q.Open();
    {
        TField* datum = q.FieldByName(QStringLiteral("Datum"));
        TField* meter = q.FieldByName(QStringLiteral("Meter"));
        TField* name = q.FieldByName(QStringLiteral("spo_name"));
        TField* color = q.FieldByName(QStringLiteral("spo_farbe"));
        TField* planned = q.FieldByName(QStringLiteral("for_planung"));
        int used[32] = {};
        for (q.First(); !q.Eof(); q.Next()) {
            const int day = DayOf(datum->AsDateTime());
            if (day < 1 || day > days || used[day] >= TORVCalendar::kLinesPerDay)
                continue;  // only the first five units of a day are shown
            TORVCalendarLine& line = calendar.DayLines(++used[day], day);
            line.Text = MonthLineText(name->AsString(), meter->AsInteger(), !planned->IsNull() && planned->AsBoolean());
            const int c = color->IsNull() ? -1 : color->AsInteger();
            if (c >= 0)  // a negative colour keeps the calendar's
                line.Color = TColor(c);
        }
    }
    q.Close();

    q.SetSQLText(QString::fromLatin1(kWeekTotalsSql));
    for (int row = 1; row <= TORVCalendar::kWeekRows; ++row) {
        const TPlannerPeriod period = MonthWeekRow(first, row);
        bindPeriod(q, period.From, period.To + 1);
        q.Open();
        const int count = q.FieldByName(QStringLiteral("anzahl"))->AsInteger();
        TField* sMeter = q.FieldByName(QStringLiteral("sMeter"));
        TField* sZeit = q.FieldByName(QStringLiteral("sZeit"));
        const double meters = sMeter->IsNull() ? 0.0 : sMeter->AsFloat();
        // Times are whole milliseconds: rounding keeps a sum of day fractions from reading one
        // millisecond short ("3:29:59" for seven half hours).
        const double zeit = sZeit->IsNull() ? 0.0 : sZeit->AsFloat();
        q.Close();
        calendar.WeekLines(row, 1) = LoadStr(msg::PlannerUnits) + QStringLiteral(": ") + QString::number(count);
        calendar.WeekLines(row, 2) = LoadStr(msg::DistanceTitle) + QStringLiteral(": ") +
                                     FormatFloat(QStringLiteral("#0.#"), meters * unit.Calc) + QStringLiteral(" ") +
                                     unit.ShortName;
        calendar.WeekLines(row, 3) =
            LoadStr(msg::PlannerTime) + QStringLiteral(": ") + MsToTimeStr(Round(zeit * MSecsPerDay));
    }

    calendar.UpdateCalendar();
    calendar.SetCalendarDate(start);
}
