#include "analysis/monthstat.h"

#include <QCoreApplication>

#include <cmath>

#include "core/orvtools.h"
#include "platform/db/fields.h"
#include "platform/db/query.h"

namespace {

// The runtime's rounding: halves go to the even neighbour.
int64_t roundEven(double v)
{
    return int64_t(std::nearbyint(v));
}

}  // namespace

QString TMonth::Name() const
{
    return FormatDateTime(QStringLiteral("mmmm.yy"), First);
}

QStringList TMonth::RowTexts() const
{
    return {Name(), Distance, Time, Height, QString(), Ms};
}

void MonthOfRun(int startMonth, int year, int r, int& month, int& y)
{
    month = startMonth - 1 + r;
    y = year;
    while (month > 12) {
        month -= 12;
        ++y;
    }
}

QString MonthQueryCondition(const TMonthSettings& s)
{
    QString cond;
    if (s.SportFilter) {
        for (double id : s.SportIds) {
            if (!cond.isEmpty())
                cond += QStringLiteral(" or ");
            cond += QStringLiteral("((daten.Sportart)=") + FloatToStr(id) + QStringLiteral(")");
        }
        if (!cond.isEmpty())
            cond = QStringLiteral("(") + cond + QStringLiteral(")");
    }
    if (!s.WithPlanning) {
        if (!cond.isEmpty())
            cond += QStringLiteral(" and ");
        // A unit whose form has no row gets no planning flag from the outer join and is left out.
        cond += QStringLiteral(" ([form].[for_planung] = false) ");
    }
    if (!cond.isEmpty())
        cond = QStringLiteral(" Where ") + cond;
    return cond;
}

QString MonthQuerySQL(const QString& condition)
{
    return QStringLiteral("SELECT Month([Datum]) AS Monat, Year([datum]) AS Jahr, Sum(daten.Zeit) AS SummevonZeit, ") +
           QStringLiteral(" Sum (daten.meter) AS SummevonMeter, ") +
           QStringLiteral(" Sum(daten.Hoehendifferenz) AS SummevonHoehendifferenz ") + QStringLiteral("FROM (") +
           QStringLiteral("Select * from daten left outer join form on (daten.form = form.for_id) ") + condition +
           QStringLiteral(")") + QStringLiteral("GROUP BY Month([Datum]), Year([datum]) ");
}

TMonthRun FillMonths(TQuery& query, const TMonthSettings& s)
{
    // The run's dates first: a year that gives no valid date fails before the query runs.
    TMonthRun run;
    run.Months.resize(size_t(std::max(0, s.Months)));
    for (int r = 1; r <= int(run.Months.size()); ++r) {
        TMonth& month = run.Months[size_t(r - 1)];
        MonthOfRun(s.StartMonth, s.Year, r, month.Month, month.Year);
        month.First = EncodeDate(month.Year, month.Month, 1);
    }

    query.Close();
    query.SQL().clear();
    query.SetFiltered(false);
    query.SetSQLText(MonthQuerySQL(MonthQueryCondition(s)));
    query.Open();
    query.First();
    TField* zeit = query.FieldByName(QStringLiteral("SummevonZeit"));
    TField* meter = query.FieldByName(QStringLiteral("SummevonMeter"));
    TField* hoehe = query.FieldByName(QStringLiteral("SummevonHoehendifferenz"));
    for (TMonth& month : run.Months) {
        query.SetFilter(QStringLiteral("(Monat = %1) and (Jahr = %2)").arg(month.Month).arg(month.Year));
        query.SetFiltered(true);
        if (query.IsEmpty()) {
            month.Time = QStringLiteral("00:00:00");
            month.Distance = QStringLiteral("0");
            month.Height = QStringLiteral("0");
            month.Ms = QStringLiteral("0");
            continue;
        }
        // Units without a time, distance or height give empty sums: they count 0, so that the
        // table shows numbers the chart and the totals can read.
        const double t = 86400.0 * (zeit->IsNull() ? 0.0 : zeit->AsFloat());
        month.Time = MsToTimeStr(roundEven(t * 1000));
        month.Distance = MonthDistanceText(meter->Value(), s.UnitCalc);
        if (month.Distance.isEmpty())
            month.Distance = QStringLiteral("0");
        month.Height = hoehe->IsNull() ? QStringLiteral("0") : FloatToStr(hoehe->AsFloat());
        month.Ms = FloatToStr(t * 1000);
        if (!meter->IsNull())
            run.Metres += roundEven(meter->AsFloat());
        if (!hoehe->IsNull())
            run.Height = roundEven(double(run.Height) + hoehe->AsFloat());
        run.Seconds += roundEven(t);
    }
    return run;
}

int MonthCountFromText(const QString& text)
{
    const int n = StrToInt(text.trimmed());
    if (n <= 0)
        throw EConvertError(QCoreApplication::translate(
            "Tjahresstat", "Die Anzahl der Monate muss eine ganze Zahl größer als 0 sein."));
    return n;
}

QString MonthDistanceText(const QVariant& metres, double unitCalc)
{
    if (metres.isNull() || metres.toString().isEmpty())
        return QString();
    return FloatToStr(double(roundEven(metres.toDouble())) * unitCalc);
}

TMonthTotals MonthTotals(const TMonthRun& run, double unitCalc)
{
    return {MsToTimeStr(run.Seconds * 1000), FloatToStr(double(run.Metres) * unitCalc), QString::number(run.Height)};
}

std::vector<TDateTime> MonthStarts(const TMonthRun& run)
{
    std::vector<TDateTime> starts;
    starts.reserve(run.Months.size());
    for (const TMonth& m : run.Months)
        starts.push_back(m.First);
    return starts;
}

double MonthChartDays(const QString& msText)
{
    return StrToFloat(msText) / 1000 / 60 / 60 / 24;
}

QString MonthChartLabel(const TMonth& month)
{
    return FormatDateTime(QStringLiteral("mm.yy"), month.First);
}
