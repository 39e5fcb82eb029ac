#include "analysis/weekstat.h"

#include <QCoreApplication>
#include <QHash>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "core/language.h"
#include "core/orvtools.h"
#include "platform/db/connection.h"
#include "platform/db/dataset.h"
#include "platform/db/fields.h"
#include "platform/db/query.h"
#include "platform/report/printercanvas.h"
#include "platform/rtl/graphics.h"

QChar TWeek::Kind() const
{
    if (Planned && Done)
        return QLatin1Char('B');
    if (Planned)
        return QLatin1Char('P');
    return QLatin1Char('R');
}

namespace {

// The time-of-day part of a duration in milliseconds, as the runtime's time stamp gives it.
int64_t timeOfDayMs(double value)
{
    const double frac = std::fabs(value - std::trunc(value));
    return std::llround(frac * MSecsPerDay);
}

}  // namespace

std::vector<TWeek> FillWeeks(TConnection& db, const TWeekSettings& s, const std::function<void(int)>& progress)
{
    const double start = double(Trunc(s.Start));
    std::vector<TWeek> weeks(size_t(std::max(0, s.Weeks)));
    for (size_t i = 0; i < weeks.size(); ++i)
        weeks[i].From = start + 7.0 * double(i);
    if (weeks.empty())
        return weeks;

    // The few rows of the lookup tables, read once: sport names and the planning flag of forms.
    QHash<qint64, QString> sportNames;
    QHash<qint64, bool> planningForms;
    {
        TQuery q;
        q.SetConnection(&db);
        q.SetSQLText(QStringLiteral("SELECT Spo_Id, Spo_Name FROM sportart"));
        q.Open();
        for (; !q.Eof(); q.Next())
            sportNames.insert(q.FieldByName(QStringLiteral("Spo_Id"))->AsInteger(),
                              q.FieldByName(QStringLiteral("Spo_Name"))->AsString());
        q.Close();
        q.SetSQLText(QStringLiteral("SELECT For_Id, For_Planung FROM form"));
        q.Open();
        for (; !q.Eof(); q.Next())
            planningForms.insert(q.FieldByName(QStringLiteral("For_Id"))->AsInteger(),
                                 q.FieldByName(QStringLiteral("For_Planung"))->AsBoolean());
    }

    // The run's units in one pass, sorted into their weeks by the day of their date.
    TQuery q;
    q.SetConnection(&db);
    q.SetSQLText(QStringLiteral("SELECT Datum, Meter, Zeit, Hoehendifferenz, Sportart, Form FROM daten "
                                "WHERE Datum >= :von AND Datum < :bis"));
    q.ParamByName(QStringLiteral("von"))->SetValue(start);
    q.ParamByName(QStringLiteral("bis"))->SetValue(start + 7.0 * double(weeks.size()));
    q.Open();
    TField* datum = q.FieldByName(QStringLiteral("Datum"));
    TField* meter = q.FieldByName(QStringLiteral("Meter"));
    TField* zeit = q.FieldByName(QStringLiteral("Zeit"));
    TField* hoehe = q.FieldByName(QStringLiteral("Hoehendifferenz"));
    TField* sport = q.FieldByName(QStringLiteral("Sportart"));
    TField* form = q.FieldByName(QStringLiteral("Form"));
    for (; !q.Eof(); q.Next()) {
        const int64_t index = (Trunc(datum->AsFloat()) - int64_t(start)) / 7;
        if (index < 0 || index >= int64_t(weeks.size()))
            continue;
        if (s.SportFilter) {
            const auto name = sportNames.constFind(sport->IsNull() ? -1 : sport->AsInteger());
            if (name == sportNames.constEnd() || !s.Sports.contains(*name))
                continue;
        }
        // A form without a row is no planning form.
        const bool planned = !form->IsNull() && planningForms.value(form->AsInteger(), false);
        if (planned && !s.WithPlanning)
            continue;
        TWeek& w = weeks[size_t(index)];
        if (!meter->IsNull())
            w.Distance += double(meter->AsInteger()) * s.UnitCalc;
        if (!hoehe->IsNull())
            w.Height += hoehe->AsInteger();
        if (!zeit->IsNull())
            w.Ms += timeOfDayMs(zeit->AsFloat());
        w.Planned = w.Planned || planned;
        w.Done = w.Done || !planned;
    }
    if (progress)
        for (size_t i = 0; i < weeks.size(); ++i)
            progress(int(i) + 1);
    return weeks;
}

int WeekCountFromText(const QString& text)
{
    const int n = StrToInt(text.trimmed());
    if (n <= 0)
        throw EConvertError(QCoreApplication::translate(
            "TWochenstat", "Die Anzahl der Wochen muss eine ganze Zahl größer als 0 sein."));
    return n;
}

TDateTime FirstDayOfIsoWeek1(int year)
{
    const TDateTime jan4 = EncodeDate(year, 1, 4);
    // DayOfWeek counts from Sunday = 1; Monday is day 0 of the ISO week.
    const int fromMonday = (DayOfWeek(jan4) + 5) % 7;
    return jan4 - fromMonday;
}

int RowsBeginningBy(const std::vector<TDateTime>& periodStarts, TDateTime today)
{
    const int64_t day = Trunc(today);
    int rows = 0;
    for (TDateTime start : periodStarts)
        if (Trunc(start) <= day)
            ++rows;
    return rows;
}

TStatChoices ReadStatChoices(TDataSet& sports, TDataSet& distanceUnits, TDataSet& config)
{
    const QVariant configuredUnit =
        config.Active() ? config.FieldByName(QStringLiteral("cfg_wochenmonatUnt"))->Value() : QVariant();
    TStatChoices choices;
    TDataSet sportRows;
    sportRows.Clone(sports);
    for (sportRows.First(); !sportRows.Eof(); sportRows.Next())
        choices.Sports << sportRows.FieldByName(QStringLiteral("Spo_Name"))->AsString();
    TDataSet units;
    units.Clone(distanceUnits);
    units.SetFilter(QStringLiteral("unt_type = 1"));
    units.SetFiltered(true);
    int chosen = 0;
    for (units.First(); !units.Eof(); units.Next()) {
        if (!configuredUnit.isNull() &&
            units.FieldByName(QStringLiteral("unt_id"))->AsInteger() == configuredUnit.toInt())
            chosen = int(choices.Units.size());
        choices.Units << units.FieldByName(QStringLiteral("unt_name"))->AsString();
    }
    choices.ChosenUnit = choices.Units.isEmpty() ? -1 : chosen;
    return choices;
}

double DistanceUnitCalc(TDataSet& distanceUnits, const QString& unitName)
{
    const QVariant calc = distanceUnits.Lookup(QStringLiteral("unt_name"), unitName, QStringLiteral("unt_calc"));
    return calc.isNull() ? 1.0 : calc.toDouble();
}

void DrawPeriodCell(QPainter& canvas, const QRect& rect, const QString& text, bool selected,
                    const QColor& textColor, const QColor& background)
{
    constexpr TColor kSelectedRow = 14073525;  // RGB(181,190,214)
    canvas.save();
    const int baseline = rect.top() + 2 + canvas.fontMetrics().ascent();
    canvas.setClipRect(rect);
    canvas.fillRect(rect, selected ? ToQColor(kSelectedRow) : background);
    canvas.setPen(selected ? QColor(Qt::black) : textColor);
    canvas.drawText(rect.left() + 2, baseline, text);
    if (selected) {
        canvas.drawLine(rect.left(), rect.top(), rect.right(), rect.top());
        canvas.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    }
    canvas.restore();
}

QStringList WeekRowTexts(const TWeek& week, int number)
{
    return {LoadStr(msg::WeekRow) + QStringLiteral(": ") + QString::number(number),
            FloatToStr(week.Distance),
            MsToTimeStr(week.Ms),
            QString::number(week.Height),
            DateToStr(week.From),
            DateToStr(week.From + 6),
            QString(week.Kind())};
}

int64_t TimeStrToMs(const QString& text)
{
    const int len = int(text.size());
    if (len < 7)
        throw EConvertError(QCoreApplication::translate("TWochenstat", "'%1' ist keine gültige Zeit").arg(text));
    const int64_t seconds = StrToInt(text.mid(len - 2, 2));
    const int64_t minutes = StrToInt(text.mid(len - 5, 2));
    const int64_t hours = StrToInt64(text.left(len - 6));
    return hours * 3600000 + minutes * 60000 + seconds * 1000;
}

TWeekTotals WeekTotals(const QList<QStringList>& rows, int weeks)
{
    double d = 0;
    int64_t h = 0;
    int64_t t = 0;
    for (const QStringList& r : rows) {
        d += StrToFloat(r.value(0));
        t += TimeStrToMs(r.value(1));
        h += StrToInt(r.value(2));
    }
    TWeekTotals totals;
    totals.Distance = FormatFloat(QStringLiteral("#0"), d);
    totals.AvgDistance = FormatFloat(QStringLiteral("#0.00"), d / weeks);
    totals.Height = QString::number(h);
    totals.AvgHeight = QString::number(h / weeks);
    totals.Time = MsToTimeStr(t);
    totals.AvgTime = MsToTimeStr(t / weeks);
    return totals;
}

double WeekChartDistanceMultiplier(double unitCalc)
{
    return unitCalc <= 0.0011 ? 1000.0 : 1.0;
}

QString WeekChartTimeLabel(double days)
{
    const double whole = std::trunc(days);
    const int64_t ms = int64_t(whole) * 24 * 60 * 60 * 1000 + std::llround(std::fabs(days - whole) * MSecsPerDay);
    return MsToTimeStr(ms);
}

void PrintPeriodTable(TPrinterCanvas& printer, const TPeriodPrint& print)
{
    printer.SetTitle(print.Title);
    printer.BeginDoc();
    try {
        // The lines stand one below the other by the height of their fonts, so that the title,
        // the subtitle and the table never overlap whatever font the system puts in for Tahoma.
        // The table begins 300 units down, lower only when the two lines above need the room.
        constexpr int titleY = 80;
        constexpr int lineGap = 12;  // half a millimetre of air between the lines
        QFont& font = printer.Font();
        font.setFamily(QStringLiteral("Tahoma"));
        font.setPointSize(15);
        font.setBold(true);
        printer.TextOut(200, titleY, print.Title);
        const int subtitleY = titleY + printer.TextHeight(print.Title) + lineGap;
        font.setPointSize(11);
        font.setBold(false);
        font.setItalic(true);
        const QString subtitle = QCoreApplication::translate("TPeriodPrint", "Erstellt mit Orvalo 5");
        printer.TextOut(200, subtitleY, subtitle);
        const int headingY = std::max(300, subtitleY + printer.TextHeight(subtitle) + 2 * lineGap);
        font.setItalic(false);
        QList<int> columns = print.Columns;
        if (print.WidenColumns) {
            constexpr int gap = 60;  // 2.5 mm between the widest text and the next column
            for (int c = 0; c + 1 < columns.size(); ++c) {
                int widest = 0;
                font.setUnderline(true);
                if (c < print.Headings.size())
                    widest = printer.TextWidth(print.Headings[c]);
                font.setUnderline(false);
                for (const QStringList& row : print.Rows)
                    if (c < row.size())
                        widest = std::max(widest, printer.TextWidth(row[c]));
                columns[c + 1] = std::max(columns[c + 1], columns[c] + widest + gap);
            }
        }
        font.setUnderline(true);
        for (int c = 0; c < print.Headings.size() && c < columns.size(); ++c)
            printer.TextOut(columns[c], headingY, print.Headings[c]);
        font.setUnderline(false);
        int line = 1;
        for (const QStringList& row : print.Rows) {
            // A page holds 29 rows; the next page begins with its first row, so that a table
            // that fills its last page exactly leaves no empty page behind it.
            if (line == 30) {
                printer.NewPage();
                line = 1;
            }
            // Every page places its rows as the first one does, one per 100 units below the heading.
            const int y = headingY + line * 100;
            for (int c = 0; c < row.size() && c < columns.size(); ++c)
                printer.TextOut(columns[c], y, row[c]);
            ++line;
        }
        printer.EndDoc();
    } catch (...) {
        if (printer.Printing())
            printer.Abort();
        throw;
    }
}
