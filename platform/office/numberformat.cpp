#include "platform/office/numberformat.h"

#include <cmath>

namespace {

// Days from 1899-12-30 (day 0 of the 1900 date system) to 1904-01-01 (day 0 of the 1904 one).
constexpr double kDays1904 = 1462;

}  // namespace

TDateTime SerialToDateTime(double serial, NumberFormatKind kind, bool date1904)
{
    // A time format shows a time or a duration: it keeps its value in either date system.
    // Serial numbers of the 1900 system are TDateTime values as they are; those below 61 (the
    // first two months of 1900) are kept too, so durations of a day or more stay durations.
    if (date1904 && kind != NumberFormatKind::Time)
        return serial + kDays1904;
    return serial;
}

bool IsDateTimeSerial(double serial)
{
    // 0001-01-01 is day -693593, 9999-12-31 day 2958465 (plus the 1904 offset).
    return std::isfinite(serial) && serial > -693594 && serial < 2958467;
}

NumberFormatKind ClassifyBuiltinNumberFormat(int id)
{
    if ((id >= 14 && id <= 17) || (id >= 27 && id <= 36) || (id >= 50 && id <= 58))
        return NumberFormatKind::Date;
    if ((id >= 18 && id <= 21) || (id >= 45 && id <= 47))
        return NumberFormatKind::Time;
    if (id == 22)
        return NumberFormatKind::DateTime;
    return NumberFormatKind::Number;
}

NumberFormatKind ClassifyNumberFormat(const QString& code)
{
    bool date = false;
    bool time = false;
    bool month = false;
    // Only the first section (positive numbers) counts; quoted texts, escaped characters,
    // padding and fill characters and bracketed colours or conditions show no date parts,
    // while the elapsed-time brackets [h], [mm], [ss] do.
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u';')
            break;
        if (c == u'"') {
            const qsizetype end = code.indexOf(u'"', i + 1);
            if (end < 0)
                break;
            i = end;
            continue;
        }
        if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
            continue;
        }
        if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i + 1);
            if (end < 0)
                break;
            const QString inner = code.mid(i + 1, end - i - 1).toLower();
            if (!inner.isEmpty() && (inner.count(u'h') == inner.size() || inner.count(u'm') == inner.size() ||
                                     inner.count(u's') == inner.size()))
                time = true;
            i = end;
            continue;
        }
        if (code.mid(i, 5).compare(QLatin1StringView("AM/PM"), Qt::CaseInsensitive) == 0) {
            time = true;
            i += 4;
            continue;
        }
        if (code.mid(i, 3).compare(QLatin1StringView("A/P"), Qt::CaseInsensitive) == 0) {
            time = true;
            i += 2;
            continue;
        }
        switch (c.toLower().unicode()) {
        case u'y':
        case u'd':
            date = true;
            break;
        case u'h':
        case u's':
            time = true;
            break;
        case u'm':
            month = true;
            break;
        default:
            break;
        }
    }
    // "m" stands for minutes next to hours or seconds, else for the month.
    if (month && !time)
        date = true;
    if (date && time)
        return NumberFormatKind::DateTime;
    if (date)
        return NumberFormatKind::Date;
    if (time)
        return NumberFormatKind::Time;
    return NumberFormatKind::Number;
}
