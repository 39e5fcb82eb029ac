#include "analysis/zeitraumsql.h"

#include <QStringDecoder>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

#include "analysis/analysisfiles.h"
#include "platform/db/dataset.h"
#include "platform/db/fields.h"

namespace {

const QChar Q = QLatin1Char('"');

// "(" + the fragments without the leading "or" + ")"; `none` when no id was ticked.
QString idCondition(const QList<int>& ids, const QString& column, const QString& none)
{
    QString s;
    for (int id : ids)
        s += QStringLiteral("or (") + column + QStringLiteral(" = ") + QString::number(id) + QStringLiteral(") ");
    s = s.isEmpty() ? none : s.mid(2);
    return QLatin1Char('(') + s + QLatin1Char(')');
}

}  // namespace

QString SportCondition(const QList<int>& sportIds)
{
    return idCondition(sportIds, QStringLiteral("Sportart"), QStringLiteral("Sportart = -2"));
}

QString FormCondition(const QList<int>& formIds)
{
    return idCondition(formIds, QStringLiteral("Form"), QStringLiteral("form = -2"));
}

QString PeriodCondition(TDateTime from, TDateTime to, const QString& sports, const QString& forms,
                        const TFormatSettings& fs)
{
    return QStringLiteral("CLng(datum)  between CLng(CDate(") + Q + DateToStr(from, fs) + Q +
           QStringLiteral(")) and CLng(CDate(") + Q + DateToStr(to, fs) + Q + QStringLiteral(")) ") +
           QStringLiteral(" and ") + sports + QStringLiteral(" and ") + forms;
}

QString sortFieldName(const QString& caption)
{
    static const struct {
        const char* caption;
        const char* field;
    } map[] = {{"Date", "Datum"},
               {"Discipline", "Sportart"},
               {"Form", "Form"},
               {"Location", "Ort"},
               {"Distance", "Meter"},
               {"Time", "Zeit"},
               {"HR Zone", "Belastungsstufe"},
               {"HR", "Puls"},
               {"Ascent", "Hoehendifferenz"},
               {"Starting time", "Startzeit"},
               {"Feeling", "Gefuehl"},
               {"GPI", "Gli"},
               {"Weight", "Gewicht"}};
    for (const auto& m : map)
        if (caption == QLatin1String(m.caption))
            return QString::fromLatin1(m.field);
    return caption;
}

QStringList ResultColumns(const TDataSet& result)
{
    QStringList columns;
    for (int i = 0; i < result.FieldCount(); ++i)
        if (result.Field(i)->FieldKind() == fkData)
            columns << result.Field(i)->FieldName();
    return columns;
}

std::optional<QString> SortExpression(const QString& text, const QStringList& columns)
{
    // An optional direction at the end; the rest is a column or an English caption of one
    // ("Starting time DESC").
    QString name = text.simplified();
    QString dir;
    const int blank = name.lastIndexOf(QLatin1Char(' '));
    if (blank > 0) {
        const QString last = name.mid(blank + 1).toUpper();
        if (last == QLatin1String("ASC") || last == QLatin1String("DESC")) {
            dir = last;
            name.truncate(blank);
        }
    }
    name = sortFieldName(name);
    const auto column = std::find_if(columns.cbegin(), columns.cend(), [&](const QString& c) {
        return c.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (column == columns.cend())
        return std::nullopt;
    return dir.isEmpty() ? *column : *column + QLatin1Char(' ') + dir;
}

QString QuickStatement(const QString& quickWhere, bool showBlocks, const QString& primary,
                       const QString& secondary)
{
    QString sql = QString::fromLatin1(kZeitraumSelect) + QStringLiteral(" WHERE ") + quickWhere;
    if (!showBlocks)
        sql += QStringLiteral(" and (dat_id > 0)") + QStringLiteral(" ORDER BY ") + primary + QStringLiteral(", ") +
               secondary;
    return sql;
}

TPeriod WeekPeriod(TDateTime today)
{
    today = DateOf(today);
    const int dow = DayOfWeek(today);  // Sunday = 1
    return {dow == 1 ? today - 6 : today - dow + 2, today};
}

TPeriod MonthPeriod(TDateTime today)
{
    today = DateOf(today);
    return {EncodeDate(YearOf(today), MonthOf(today), 1), today};
}

TPeriod YearPeriod(TDateTime today)
{
    const int year = YearOf(today);
    return {EncodeDate(year, 1, 1), EncodeDate(year, 12, 31)};
}

void TPeriodTotals::Add(int datId, double duration, int64_t height, int64_t meters)
{
    if (datId <= 0)
        return;
    ++Units;
    Milliseconds += Round(duration * 86400000.0) % 86400000;
    Height += height;
    Meters += meters;
}

TPeriodTotals SumResult(TDataSet& result)
{
    TPeriodTotals totals;
    TField* id = result.FieldByName(QStringLiteral("dat_Id"));
    TField* zeit = result.FieldByName(QStringLiteral("Zeit"));
    TField* height = result.FieldByName(QStringLiteral("Hoehendifferenz"));
    TField* meter = result.FieldByName(QStringLiteral("Meter"));
    auto number = [](TField* f) { return f->IsNull() ? int64_t(0) : int64_t(f->AsLargeInt()); };
    for (result.First(); !result.Eof(); result.Next())
        totals.Add(id->IsNull() ? 0 : id->AsInteger(), zeit->IsNull() ? 0.0 : zeit->AsFloat(), number(height),
                   number(meter));
    return totals;
}

QString DistanceTotalText(int64_t meters, double factor, const QString& unitName)
{
    return QString::number(Round(double(meters) * factor)) + QLatin1Char(' ') + unitName;
}

QString AverageDistanceText(const TPeriodTotals& totals, double factor, const QString& unitName)
{
    if (totals.Units == 0)
        return QStringLiteral("n/a");
    return QString::number(Trunc(double(totals.Meters / totals.Units) * factor)) + QLatin1Char(' ') + unitName;
}

QString AverageHeightText(const TPeriodTotals& totals)
{
    if (totals.Units == 0)
        return QStringLiteral("n/a");
    return QString::number(totals.Height / totals.Units);
}

QStringList CriteriaOperators()
{
    return {QStringLiteral("="),  QStringLiteral("<>"), QStringLiteral("<"),   QStringLiteral(">"),
            QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("like")};
}

QString CriterionLine(const QString& field, const QString& op, const QString& value)
{
    QString quoted = value;
    quoted.replace(Q, QStringLiteral("\"\""));
    return field + QStringLiteral("   ") + op + QStringLiteral("   ") + Q + quoted + Q;
}

QStringList CriteriaConditionLines(const QStringList& criteria)
{
    QStringList lines{QStringLiteral("WHERE")};
    for (int i = 0; i < criteria.size(); ++i)
        lines << (i == 0 ? criteria[i] : QStringLiteral("AND ") + criteria[i]);
    return lines;
}

QString FreeStatement(const QString& memoText)
{
    return QString::fromLatin1(kZeitraumSelect) + memoText;
}

QString ReadConditionFile(const QString& fileName)
{
    const QByteArray bytes = ReadWholeFile(fileName);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

void WriteConditionFile(const QString& fileName, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    WriteWholeFile(fileName, bytes);
}
