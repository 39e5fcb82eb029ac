#include "platform/db/jetsqlfunctions.h"

#include <QCoreApplication>
#include <QDate>
#include <QLocale>
#include <QVariant>

#include <cmath>
#include <optional>

#include <sqlite3.h>

#include "platform/db/jetsql.h"
#include "platform/db/jetsqlrewriter.h"

namespace jetsql {

namespace {

const QDate kEpoch(1899, 12, 30);

// A TDateTime split as the runtime splits it: whole days (towards zero) and the time of day
// (the fraction's absolute value, so -1.25 is the day before the epoch at 06:00).
struct Parts {
    QDate date;
    int ms = 0;  // milliseconds of the day
};

Parts split(double v)
{
    Parts p;
    double days = std::trunc(v);
    qint64 ms = qint64(std::llround(std::fabs(v - days) * MSecsPerDay));
    if (ms >= qint64(MSecsPerDay)) {
        ms -= qint64(MSecsPerDay);
        days += v < 0 ? -1 : 1;
    }
    p.date = kEpoch.addDays(qint64(days));
    p.ms = int(ms);
    return p;
}

double join(const QDate& d, qint64 ms)
{
    const double days = double(kEpoch.daysTo(d));
    return days < 0 ? days - ms / MSecsPerDay : days + ms / MSecsPerDay;
}

// Sunday = 1 ... Saturday = 7, as Weekday gives it with the default first day.
int sundayFirst(const QDate& d) { return d.dayOfWeek() % 7 + 1; }

int weekdayFrom(const QDate& d, int firstDay)
{
    if (firstDay < 1 || firstDay > 7)
        firstDay = 1;
    return (sundayFirst(d) - firstDay + 7) % 7 + 1;
}

// Week of the year: firstWeek 1 = the week of 1 January, 2 = the first week with four days,
// 3 = the first full week.
int weekOfYear(const QDate& d, int firstDay, int firstWeek)
{
    auto week1Start = [&](int year) {
        const QDate jan1(year, 1, 1);
        const int offset = weekdayFrom(jan1, firstDay) - 1;
        QDate start = jan1.addDays(-offset);
        if ((firstWeek == 2 && 7 - offset < 4) || (firstWeek == 3 && offset != 0))
            start = start.addDays(7);
        return start;
    };
    QDate start = week1Start(d.year());
    if (d < start)
        start = week1Start(d.year() - 1);
    else if (firstWeek != 1 && d >= week1Start(d.year() + 1))
        return 1;
    return int(start.daysTo(d) / 7) + 1;
}

QString text(sqlite3_value* v)
{
    const auto* t = reinterpret_cast<const char16_t*>(sqlite3_value_text16(v));
    return t ? QString::fromUtf16(t, sqlite3_value_bytes16(v) / 2) : QString();
}

void resultText(sqlite3_context* ctx, const QString& s)
{
    sqlite3_result_text16(ctx, s.utf16(), int(s.size() * 2), SQLITE_TRANSIENT);
}

void resultError(sqlite3_context* ctx, const QString& s)
{
    const QByteArray u = s.toUtf8();
    sqlite3_result_error(ctx, u.constData(), u.size());
}

void resultNumber(sqlite3_context* ctx, double v)
{
    if (v == std::floor(v) && std::fabs(v) < 9e15)
        sqlite3_result_int64(ctx, qint64(v));
    else
        sqlite3_result_double(ctx, v);
}

bool isNull(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; }

// A value as a number: numbers stand as they are; a text is read as a number first where
// numberText says so, else or then as a date (a number of days to Jet's conversions, read as
// CDate reads it). Other text sets a type mismatch, Null a Null result; both give nullopt.
std::optional<double> toDouble(sqlite3_context* ctx, sqlite3_value* v, bool numberText)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return sqlite3_value_double(v);
    case SQLITE_TEXT: {
        double d = 0;
        if (numberText && TextToNumber(text(v), FormatSettings(), d))
            return d;
        if (TextToDateTime(text(v), FormatSettings(), d))
            return d;
        resultError(ctx, TypeMismatchMessage());
        return std::nullopt;
    }
    default:
        sqlite3_result_null(ctx);
        return std::nullopt;
    }
}

// A value as a date: numbers are days, texts are read as CDate reads them.
std::optional<double> toDate(sqlite3_context* ctx, sqlite3_value* v) { return toDouble(ctx, v, false); }

std::optional<double> toNumber(sqlite3_context* ctx, sqlite3_value* v) { return toDouble(ctx, v, true); }

// Banker's rounding of the runtime (half to even).
double roundEven(double v) { return std::nearbyint(v); }

// --- conversions ---------------------------------------------------------------------------
void fnCDate(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (auto d = toDate(ctx, a[0]))
        sqlite3_result_double(ctx, *d);
}

void fnCDbl(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (auto d = toNumber(ctx, a[0]))
        sqlite3_result_double(ctx, *d);
}

void fnCLng(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (auto d = toNumber(ctx, a[0])) {
        const double r = roundEven(*d);
        if (r > 2147483647.0 || r < -2147483648.0)
            return resultError(ctx, QCoreApplication::translate("JetSql", "Überlauf"));
        sqlite3_result_int64(ctx, qint64(r));
    }
}

// A parameter compared with a number column: numbers pass, numeric text is read, other text
// is a type conflict (Jet reports it rather than matching nothing).
void fnCNum(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (sqlite3_value_type(a[0]) == SQLITE_TEXT) {
        double d = 0;
        if (!TextToNumber(text(a[0]), FormatSettings(), d))
            return resultError(ctx, TypeMismatchMessage());
        return resultNumber(ctx, d);
    }
    sqlite3_result_value(ctx, a[0]);
}

void fnCBool(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        return sqlite3_result_null(ctx);
    if (sqlite3_value_type(a[0]) == SQLITE_TEXT) {
        const QString t = text(a[0]).trimmed();
        if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || t.compare(QLatin1String("wahr"), Qt::CaseInsensitive) == 0)
            return sqlite3_result_int(ctx, 1);
        if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || t.compare(QLatin1String("falsch"), Qt::CaseInsensitive) == 0)
            return sqlite3_result_int(ctx, 0);
    }
    if (auto d = toNumber(ctx, a[0]))
        sqlite3_result_int(ctx, *d != 0 ? 1 : 0);
}

void fnInt(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (auto d = toNumber(ctx, a[0]))
        resultNumber(ctx, std::floor(*d));
}

void fnFix(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (auto d = toNumber(ctx, a[0]))
        resultNumber(ctx, std::trunc(*d));
}

void fnRound(sqlite3_context* ctx, int n, sqlite3_value** a)
{
    auto d = toNumber(ctx, a[0]);
    if (!d)
        return;
    const int places = n > 1 ? sqlite3_value_int(a[1]) : 0;
    const double f = std::pow(10.0, places);
    // Scaled through 15 significant digits, so that 2.345 rounds as the decimal it shows.
    const double r = roundEven(QString::number(*d * f, 'g', 15).toDouble()) / f;
    if (places == 0)
        resultNumber(ctx, r);
    else
        sqlite3_result_double(ctx, r);
}

void fnStr(sqlite3_context* ctx, int, sqlite3_value** a)
{
    const bool isDate = sqlite3_value_int(a[1]) != 0;
    switch (sqlite3_value_type(a[0])) {
    case SQLITE_NULL:
        return resultText(ctx, QString());
    case SQLITE_INTEGER:
        if (!isDate)
            return resultText(ctx, QString::number(sqlite3_value_int64(a[0])));
        [[fallthrough]];
    case SQLITE_FLOAT: {
        const double v = sqlite3_value_double(a[0]);
        return resultText(ctx, isDate ? DateTimeText(v, FormatSettings()) : NumberText(v, FormatSettings()));
    }
    case SQLITE_TEXT:
        return sqlite3_result_value(ctx, a[0]);
    default:
        return resultText(ctx, QString());
    }
}

void fnFormat(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        return sqlite3_result_null(ctx);
    QVariant v;
    switch (sqlite3_value_type(a[0])) {
    case SQLITE_INTEGER:
        v = qint64(sqlite3_value_int64(a[0]));
        break;
    case SQLITE_FLOAT:
        v = sqlite3_value_double(a[0]);
        break;
    default:
        v = text(a[0]);
    }
    resultText(ctx, FormatValue(v, text(a[1]), sqlite3_value_int(a[2]) != 0, FormatSettings()));
}

bool isAscii(const unsigned char* s, int n)
{
    for (int i = 0; i < n; ++i)
        if (s[i] >= 0x80)
            return false;
    return true;
}

unsigned char asciiLower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// The LIKE matching of `sn` text characters against `pn` pattern characters: '%' matches any
// run, '_' one character, any other pattern character the text character `same` finds equal.
// Iterative, backtracking to the last '%'.
template <class PatternAt, class Same>
bool likeMatches(int sn, int pn, PatternAt p, Same same)
{
    int si = 0, pi = 0, starP = -1, starS = 0;
    while (si < sn) {
        if (pi < pn && (p(pi) == '_' || (p(pi) != '%' && same(si, pi)))) {
            ++si;
            ++pi;
        } else if (pi < pn && p(pi) == '%') {
            starP = pi++;
            starS = si;
        } else if (starP >= 0) {
            pi = starP + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < pn && p(pi) == '%')
        ++pi;
    return pi == pn;
}

// LikeMatch for text and pattern that are both ASCII, on the bytes SQLite holds: case folding of
// ASCII is lowering its letters, so the answer is the same without two strings made per row
// (a search over a long history runs this once per unit and keystroke).
bool asciiLikeMatch(const unsigned char* s, int sn, const unsigned char* p, int pn)
{
    return likeMatches(sn, pn, [p](int i) { return p[i]; },
                       [s, p](int si, int pi) { return asciiLower(p[pi]) == asciiLower(s[si]); });
}

void fnLike(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]) || isNull(a[1]))
        return sqlite3_result_null(ctx);
    const unsigned char* s = sqlite3_value_text(a[0]);
    const int sn = sqlite3_value_bytes(a[0]);
    const unsigned char* p = sqlite3_value_text(a[1]);
    const int pn = sqlite3_value_bytes(a[1]);
    if (s && p && isAscii(s, sn) && isAscii(p, pn))
        return sqlite3_result_int(ctx, asciiLikeMatch(s, sn, p, pn) ? 1 : 0);
    sqlite3_result_int(ctx, LikeMatch(text(a[0]), text(a[1])) ? 1 : 0);
}

// --- arithmetic ----------------------------------------------------------------------------
void fnPow(sqlite3_context* ctx, int, sqlite3_value** a)
{
    auto x = toNumber(ctx, a[0]);
    if (!x)
        return;
    auto y = toNumber(ctx, a[1]);
    if (!y)
        return;
    sqlite3_result_double(ctx, std::pow(*x, *y));
}

// Mod and '\' round both operands to whole numbers first, as Jet does.
void fnIntOp(sqlite3_context* ctx, sqlite3_value** a, bool modulo)
{
    auto x = toNumber(ctx, a[0]);
    if (!x)
        return;
    auto y = toNumber(ctx, a[1]);
    if (!y)
        return;
    const qint64 l = qint64(roundEven(*x)), r = qint64(roundEven(*y));
    if (r == 0)
        return resultError(ctx, QCoreApplication::translate("JetSql", "Division durch Null"));
    sqlite3_result_int64(ctx, modulo ? l % r : l / r);
}
void fnMod(sqlite3_context* ctx, int, sqlite3_value** a) { fnIntOp(ctx, a, true); }
void fnIntDiv(sqlite3_context* ctx, int, sqlite3_value** a) { fnIntOp(ctx, a, false); }

void fnAbs(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (auto d = toNumber(ctx, a[0]))
        resultNumber(ctx, std::fabs(*d));
}
void fnSgn(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (auto d = toNumber(ctx, a[0]))
        sqlite3_result_int(ctx, *d > 0 ? 1 : *d < 0 ? -1 : 0);
}
void fnSqr(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (auto d = toNumber(ctx, a[0]))
        sqlite3_result_double(ctx, std::sqrt(*d));
}
void fnVal(sqlite3_context* ctx, int, sqlite3_value** a)
{
    // Val reads the leading number of a text with '.' as decimal point, 0 when there is none.
    const QString s = text(a[0]).trimmed();
    int i = 0;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+')))
        ++i;
    while (i < s.size() && (s[i].isDigit() || s[i] == QLatin1Char('.')))
        ++i;
    bool ok = false;
    const double d = QLocale::c().toDouble(s.left(i), &ok);
    resultNumber(ctx, ok ? d : 0);
}

// --- dates ---------------------------------------------------------------------------------
template <int Part>
void fnDatePartOf(sqlite3_context* ctx, int n, sqlite3_value** a)
{
    auto d = toDate(ctx, a[0]);
    if (!d)
        return;
    const Parts p = split(*d);
    int r = 0;
    switch (Part) {
    case 0: r = p.date.year(); break;
    case 1: r = p.date.month(); break;
    case 2: r = p.date.day(); break;
    case 3: r = weekdayFrom(p.date, n > 1 ? sqlite3_value_int(a[1]) : 1); break;
    case 4: r = p.ms / 3600000; break;
    case 5: r = p.ms / 60000 % 60; break;
    case 6: r = p.ms / 1000 % 60; break;
    }
    sqlite3_result_int(ctx, r);
}

void fnDatePart(sqlite3_context* ctx, int n, sqlite3_value** a)
{
    const QString iv = text(a[0]).toLower();
    auto d = toDate(ctx, a[1]);
    if (!d)
        return;
    const Parts p = split(*d);
    const int firstDay = n > 2 && !isNull(a[2]) ? sqlite3_value_int(a[2]) : 1;
    const int firstWeek = n > 3 && !isNull(a[3]) ? sqlite3_value_int(a[3]) : 1;
    int r = 0;
    if (iv == QLatin1String("yyyy"))
        r = p.date.year();
    else if (iv == QLatin1String("q"))
        r = (p.date.month() - 1) / 3 + 1;
    else if (iv == QLatin1String("m"))
        r = p.date.month();
    else if (iv == QLatin1String("y"))
        r = p.date.dayOfYear();
    else if (iv == QLatin1String("d"))
        r = p.date.day();
    else if (iv == QLatin1String("w"))
        r = weekdayFrom(p.date, firstDay);
    else if (iv == QLatin1String("ww"))
        r = weekOfYear(p.date, firstDay, firstWeek);
    else if (iv == QLatin1String("h"))
        r = p.ms / 3600000;
    else if (iv == QLatin1String("n"))
        r = p.ms / 60000 % 60;
    else if (iv == QLatin1String("s"))
        r = p.ms / 1000 % 60;
    else
        return resultError(ctx, QCoreApplication::translate("JetSql", "Ungültiges Intervall '%1'").arg(iv));
    sqlite3_result_int(ctx, r);
}

QDate addMonthsClamped(const QDate& d, int months) { return d.addMonths(months); }

void fnDateAdd(sqlite3_context* ctx, int, sqlite3_value** a)
{
    const QString iv = text(a[0]).toLower();
    auto nOpt = toNumber(ctx, a[1]);
    if (!nOpt)
        return;
    auto d = toDate(ctx, a[2]);
    if (!d)
        return;
    const qint64 n = qint64(std::trunc(*nOpt));
    const Parts p = split(*d);
    double r = *d;
    if (iv == QLatin1String("yyyy"))
        r = join(addMonthsClamped(p.date, int(n * 12)), p.ms);
    else if (iv == QLatin1String("q"))
        r = join(addMonthsClamped(p.date, int(n * 3)), p.ms);
    else if (iv == QLatin1String("m"))
        r = join(addMonthsClamped(p.date, int(n)), p.ms);
    else if (iv == QLatin1String("y") || iv == QLatin1String("d") || iv == QLatin1String("w"))
        r = join(p.date.addDays(n), p.ms);
    else if (iv == QLatin1String("ww"))
        r = join(p.date.addDays(7 * n), p.ms);
    else if (iv == QLatin1String("h") || iv == QLatin1String("n") || iv == QLatin1String("s")) {
        const qint64 unit = iv == QLatin1String("h") ? 3600000 : iv == QLatin1String("n") ? 60000 : 1000;
        const qint64 total = qint64(kEpoch.daysTo(p.date)) * qint64(MSecsPerDay) + p.ms + n * unit;
        const qint64 day = total >= 0 ? total / qint64(MSecsPerDay) : -((-total + qint64(MSecsPerDay) - 1) / qint64(MSecsPerDay));
        r = join(kEpoch.addDays(day), total - day * qint64(MSecsPerDay));
    } else
        return resultError(ctx, QCoreApplication::translate("JetSql", "Ungültiges Intervall '%1'").arg(iv));
    sqlite3_result_double(ctx, r);
}

void fnDateDiff(sqlite3_context* ctx, int n, sqlite3_value** a)
{
    const QString iv = text(a[0]).toLower();
    auto d1 = toDate(ctx, a[1]);
    if (!d1)
        return;
    auto d2 = toDate(ctx, a[2]);
    if (!d2)
        return;
    const Parts p1 = split(*d1), p2 = split(*d2);
    const qint64 days = p1.date.daysTo(p2.date);
    qint64 r = 0;
    if (iv == QLatin1String("yyyy"))
        r = p2.date.year() - p1.date.year();
    else if (iv == QLatin1String("q"))
        r = (p2.date.year() * 4 + (p2.date.month() - 1) / 3) - (p1.date.year() * 4 + (p1.date.month() - 1) / 3);
    else if (iv == QLatin1String("m"))
        r = (p2.date.year() * 12 + p2.date.month()) - (p1.date.year() * 12 + p1.date.month());
    else if (iv == QLatin1String("y") || iv == QLatin1String("d"))
        r = days;
    else if (iv == QLatin1String("w"))
        r = days / 7;
    else if (iv == QLatin1String("ww")) {
        // Number of first days of the week between the two dates.
        const int firstDay = n > 3 && !isNull(a[3]) ? sqlite3_value_int(a[3]) : 1;
        const QDate s1 = p1.date.addDays(-(weekdayFrom(p1.date, firstDay) - 1));
        const QDate s2 = p2.date.addDays(-(weekdayFrom(p2.date, firstDay) - 1));
        r = s1.daysTo(s2) / 7;
    } else if (iv == QLatin1String("h"))
        r = days * 24 + p2.ms / 3600000 - p1.ms / 3600000;
    else if (iv == QLatin1String("n"))
        r = days * 1440 + p2.ms / 60000 - p1.ms / 60000;
    else if (iv == QLatin1String("s"))
        r = days * 86400 + p2.ms / 1000 - p1.ms / 1000;
    else
        return resultError(ctx, QCoreApplication::translate("JetSql", "Ungültiges Intervall '%1'").arg(iv));
    sqlite3_result_int64(ctx, r);
}

void fnDateSerial(sqlite3_context* ctx, int, sqlite3_value** a)
{
    // Month and day may run over, as in DateSerial(2004, 13, 0).
    const int y = sqlite3_value_int(a[0]), m = sqlite3_value_int(a[1]), d = sqlite3_value_int(a[2]);
    const QDate first = QDate(y, 1, 1).addMonths(m - 1);
    if (!first.isValid())
        return resultError(ctx, TypeMismatchMessage());
    sqlite3_result_double(ctx, double(kEpoch.daysTo(first.addDays(d - 1))));
}

void fnTimeSerial(sqlite3_context* ctx, int, sqlite3_value** a)
{
    const qint64 s = qint64(sqlite3_value_int(a[0])) * 3600 + sqlite3_value_int(a[1]) * 60 + sqlite3_value_int(a[2]);
    sqlite3_result_double(ctx, s * 1000 / MSecsPerDay);
}

void fnDateValue(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (auto d = toDate(ctx, a[0]))
        sqlite3_result_double(ctx, std::trunc(*d));
}

void fnTimeValue(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (auto d = toDate(ctx, a[0]))
        sqlite3_result_double(ctx, split(*d).ms / MSecsPerDay);
}

void fnNow(sqlite3_context* ctx, int, sqlite3_value**) { sqlite3_result_double(ctx, Now()); }
void fnDate(sqlite3_context* ctx, int, sqlite3_value**) { sqlite3_result_double(ctx, Date()); }
void fnTime(sqlite3_context* ctx, int, sqlite3_value**) { sqlite3_result_double(ctx, Time()); }

// --- text ----------------------------------------------------------------------------------
QString valueText(sqlite3_value* v)
{
    if (sqlite3_value_type(v) == SQLITE_FLOAT)
        return NumberText(sqlite3_value_double(v), FormatSettings());
    return text(v);
}

void fnLeft(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        return sqlite3_result_null(ctx);
    resultText(ctx, valueText(a[0]).left(std::max(0, sqlite3_value_int(a[1]))));
}
void fnRight(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        return sqlite3_result_null(ctx);
    resultText(ctx, valueText(a[0]).right(std::max(0, sqlite3_value_int(a[1]))));
}
void fnMid(sqlite3_context* ctx, int n, sqlite3_value** a)
{
    if (isNull(a[0]))
        return sqlite3_result_null(ctx);
    const int start = sqlite3_value_int(a[1]);
    if (start < 1)
        return resultError(ctx, QCoreApplication::translate("JetSql", "Ungültiger Prozeduraufruf oder ungültiges Argument"));
    resultText(ctx, valueText(a[0]).mid(start - 1, n > 2 ? std::max(0, sqlite3_value_int(a[2])) : -1));
}
void fnLen(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, int(valueText(a[0]).size()));
}
template <int Mode>
void fnTrim(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        return sqlite3_result_null(ctx);
    QString s = valueText(a[0]);
    if (Mode != 2)
        while (s.startsWith(QLatin1Char(' ')))
            s.remove(0, 1);
    if (Mode != 1)
        while (s.endsWith(QLatin1Char(' ')))
            s.chop(1);
    resultText(ctx, s);
}
void fnUCase(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        return sqlite3_result_null(ctx);
    resultText(ctx, valueText(a[0]).toUpper());
}
void fnLCase(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (isNull(a[0]))
        return sqlite3_result_null(ctx);
    resultText(ctx, valueText(a[0]).toLower());
}
void fnSpace(sqlite3_context* ctx, int, sqlite3_value** a)
{
    resultText(ctx, QString(std::max(0, sqlite3_value_int(a[0])), QLatin1Char(' ')));
}
// InStr([start,] text, search [, compare]): position from 1, 0 when not found; compares
// without case like the database's text comparisons unless compare is 0 (binary).
void fnInStr(sqlite3_context* ctx, int n, sqlite3_value** a)
{
    int start = 1, i = 0;
    if (n >= 3 && (sqlite3_value_type(a[0]) == SQLITE_INTEGER || sqlite3_value_type(a[0]) == SQLITE_FLOAT)) {
        start = sqlite3_value_int(a[0]);
        i = 1;
    }
    if (isNull(a[i]) || isNull(a[i + 1]))
        return sqlite3_result_null(ctx);
    const bool binary = n > i + 2 && sqlite3_value_int(a[i + 2]) == 0;
    const int pos = valueText(a[i]).indexOf(valueText(a[i + 1]), std::max(0, start - 1),
                                            binary ? Qt::CaseSensitive : Qt::CaseInsensitive);
    sqlite3_result_int(ctx, pos + 1);
}

// --- aggregates ----------------------------------------------------------------------------
struct Kept {
    sqlite3_value* value;
};

template <bool Last>
void stepKeep(sqlite3_context* ctx, int, sqlite3_value** a)
{
    auto* k = static_cast<Kept*>(sqlite3_aggregate_context(ctx, sizeof(Kept)));
    if (!k)
        return sqlite3_result_error_nomem(ctx);
    if (k->value && !Last)
        return;
    sqlite3_value_free(k->value);
    k->value = sqlite3_value_dup(a[0]);
}

void finalKeep(sqlite3_context* ctx)
{
    auto* k = static_cast<Kept*>(sqlite3_aggregate_context(ctx, 0));
    if (!k || !k->value)
        return sqlite3_result_null(ctx);
    sqlite3_result_value(ctx, k->value);
    sqlite3_value_free(k->value);
}

// DLookup whose criteria are only known per row: the Jet text is translated and run here.
void fnDLookup(sqlite3_context* ctx, int n, sqlite3_value** a)
{
    sqlite3* db = sqlite3_context_db_handle(ctx);
    QString jet = QStringLiteral("SELECT ") + text(a[0]) + QStringLiteral(" FROM ") + text(a[1]);
    if (n > 2 && !text(a[2]).trimmed().isEmpty())
        jet += QStringLiteral(" WHERE ") + text(a[2]);
    QString sql;
    try {
        TJetTranslator tr([db]() { return db; });
        sql = tr.translate(jet);
    } catch (const Exception& e) {
        return resultError(ctx, e.Message());
    }
    sqlite3_stmt* st = nullptr;
    const QByteArray u = sql.toUtf8();
    if (sqlite3_prepare_v2(db, u.constData(), u.size(), &st, nullptr) != SQLITE_OK) {
        resultError(ctx, QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_finalize(st);
        return;
    }
    if (sqlite3_step(st) == SQLITE_ROW)
        sqlite3_result_value(ctx, sqlite3_column_value(st, 0));
    else
        sqlite3_result_null(ctx);
    sqlite3_finalize(st);
}

using Fn = void (*)(sqlite3_context*, int, sqlite3_value**);

void add(sqlite3* db, const char* name, int args, Fn fn, bool deterministic = true)
{
    const int flags = SQLITE_UTF8 | (deterministic ? SQLITE_DETERMINISTIC : 0);
    sqlite3_create_function_v2(db, name, args, flags, nullptr, fn, nullptr, nullptr, nullptr);
}

// Date and number pattern formatting --------------------------------------------------------
bool isDatePattern(const QString& p)
{
    bool quoted = false;
    for (int i = 0; i < p.size(); ++i) {
        const QChar c = p[i].toLower();
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char('\\'))
            ++i;
        else if (!quoted && QStringLiteral("dmyhnswq").contains(c))
            return true;
    }
    return false;
}

QString formatDate(double v, const QString& p, const TFormatSettings& fs)
{
    const Parts parts = split(v);
    const QDate& d = parts.date;
    const int h = parts.ms / 3600000, mi = parts.ms / 60000 % 60, s = parts.ms / 1000 % 60;
    const bool hasAmPm = p.contains(QLatin1String("AM/PM"), Qt::CaseInsensitive) ||
                         p.contains(QLatin1String("A/P"), Qt::CaseInsensitive);
    QString out;
    bool lastWasHour = false;
    int i = 0;
    auto run = [&](QChar c) {
        int k = i;
        while (k < p.size() && p[k].toLower() == c)
            ++k;
        return k - i;
    };
    auto two = [](int x) { return QString::number(x).rightJustified(2, QLatin1Char('0')); };
    while (i < p.size()) {
        const QChar c = p[i];
        const QChar lc = c.toLower();
        if (c == QLatin1Char('"')) {
            const int j = p.indexOf(QLatin1Char('"'), i + 1);
            out += p.mid(i + 1, (j < 0 ? p.size() : j) - i - 1);
            i = j < 0 ? p.size() : j + 1;
            continue;
        }
        if (c == QLatin1Char('\\') && i + 1 < p.size()) {
            out += p[i + 1];
            i += 2;
            continue;
        }
        if (p.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
            const QString t = h < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            out += c.isLower() ? t.toLower() : t;
            i += 5;
            continue;
        }
        if (p.mid(i, 3).compare(QLatin1String("A/P"), Qt::CaseInsensitive) == 0) {
            const QString t = h < 12 ? QStringLiteral("A") : QStringLiteral("P");
            out += c.isLower() ? t.toLower() : t;
            i += 3;
            continue;
        }
        const int n = run(lc);
        if (lc == QLatin1Char('d')) {
            if (n == 1) out += QString::number(d.day());
            else if (n == 2) out += two(d.day());
            else if (n == 3) out += fs.ShortDayNames[sundayFirst(d) - 1];
            else if (n == 4) out += fs.LongDayNames[sundayFirst(d) - 1];
            else if (n == 5) out += DateToStr(std::trunc(v), fs);
            else out += FormatDateTime(fs.LongDateFormat, std::trunc(v), fs);
            i += n;
            lastWasHour = false;
        } else if (lc == QLatin1Char('m')) {
            if (lastWasHour && n <= 2) {  // after an hour, m means minutes
                out += n == 1 ? QString::number(mi) : two(mi);
            } else if (n == 1) out += QString::number(d.month());
            else if (n == 2) out += two(d.month());
            else if (n == 3) out += fs.ShortMonthNames[d.month() - 1];
            else out += fs.LongMonthNames[d.month() - 1];
            i += n;
            lastWasHour = false;
        } else if (lc == QLatin1Char('y')) {
            if (n <= 1) out += QString::number(d.dayOfYear());
            else if (n <= 3) out += two(d.year() % 100);
            else out += QString::number(d.year()).rightJustified(4, QLatin1Char('0'));
            i += n;
            lastWasHour = false;
        } else if (lc == QLatin1Char('h')) {
            int hh = h;
            if (hasAmPm) {
                hh = h % 12;
                if (hh == 0)
                    hh = 12;
            }
            out += n == 1 ? QString::number(hh) : two(hh);
            i += n;
            lastWasHour = true;
        } else if (lc == QLatin1Char('n')) {
            out += n == 1 ? QString::number(mi) : two(mi);
            i += n;
            lastWasHour = false;
        } else if (lc == QLatin1Char('s')) {
            out += n == 1 ? QString::number(s) : two(s);
            i += n;
            lastWasHour = false;
        } else if (lc == QLatin1Char('w')) {
            out += QString::number(n == 1 ? sundayFirst(d) : weekOfYear(d, 1, 1));
            i += n;
        } else if (lc == QLatin1Char('q')) {
            out += QString::number((d.month() - 1) / 3 + 1);
            i += n;
        } else if (lc == QLatin1Char('t') && n >= 5) {
            out += TimeToStr(parts.ms / MSecsPerDay, fs);
            i += n;
        } else if (c == QLatin1Char('/')) {
            out += fs.DateSeparator;
            ++i;
        } else if (c == QLatin1Char(':')) {
            out += fs.TimeSeparator;
            ++i;
            // keep lastWasHour so that "hh:mm" reads minutes
            continue;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QString formatNumber(double v, QString p, const TFormatSettings& fs)
{
    // Sections: positive;negative;zero.
    const QStringList sections = p.split(QLatin1Char(';'));
    QString sec = sections[0];
    bool negative = v < 0;
    if (negative && sections.size() > 1 && !sections[1].isEmpty()) {
        sec = sections[1];
        v = -v;
        negative = false;
    }
    if (v == 0 && sections.size() > 2 && !sections[2].isEmpty())
        sec = sections[2];
    // Split into prefix, number pattern and suffix.
    int first = -1, last = -1;
    bool quoted = false;
    for (int i = 0; i < sec.size(); ++i) {
        if (sec[i] == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && (sec[i] == QLatin1Char('0') || sec[i] == QLatin1Char('#') ||
                             ((sec[i] == QLatin1Char('.') || sec[i] == QLatin1Char(',')) && first >= 0))) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    auto literal = [](const QString& s) {
        QString out;
        for (int i = 0; i < s.size(); ++i) {
            if (s[i] == QLatin1Char('"'))
                continue;
            if (s[i] == QLatin1Char('\\') && i + 1 < s.size()) {
                out += s[++i];
                continue;
            }
            out += s[i];
        }
        return out;
    };
    if (first < 0)
        return literal(sec);
    const QString prefix = sec.left(first), suffix = sec.mid(last + 1), num = sec.mid(first, last - first + 1);
    if (sec.contains(QLatin1Char('%')))
        v *= 100;
    const int dot = num.indexOf(QLatin1Char('.'));
    const QString intPart = dot < 0 ? num : num.left(dot);
    const QString fracPart = dot < 0 ? QString() : num.mid(dot + 1);
    const int maxDec = int(fracPart.count(QLatin1Char('0')) + fracPart.count(QLatin1Char('#')));
    const int minDec = int(fracPart.count(QLatin1Char('0')));
    const int minInt = int(intPart.count(QLatin1Char('0')));
    const bool group = intPart.contains(QLatin1Char(','));
    // Round half away from zero as Format does, at the shown decimals.
    const double f = std::pow(10.0, maxDec);
    const double r = std::round(std::fabs(v) * f) / f;
    QString digits = QString::number(r, 'f', maxDec);
    QString ip = dot < 0 || maxDec == 0 ? digits.section(QLatin1Char('.'), 0, 0) : digits.section(QLatin1Char('.'), 0, 0);
    QString fp = maxDec > 0 ? digits.section(QLatin1Char('.'), 1, 1) : QString();
    while (fp.size() > minDec && fp.endsWith(QLatin1Char('0')))
        fp.chop(1);
    if (ip == QLatin1String("0") && minInt == 0)
        ip.clear();
    while (ip.size() < minInt)
        ip.prepend(QLatin1Char('0'));
    if (group && fs.ThousandSeparator != QChar()) {
        for (int k = int(ip.size()) - 3; k > 0; k -= 3)
            ip.insert(k, fs.ThousandSeparator);
    }
    QString out = ip;
    if (!fp.isEmpty() || (dot >= 0 && minDec > 0))
        out += fs.DecimalSeparator + fp;
    if (negative && r != 0)
        out.prepend(QLatin1Char('-'));
    return literal(prefix) + out + literal(suffix);
}

}  // namespace

QString NumberText(double value, const TFormatSettings& fs)
{
    return FloatToStr(value, fs);
}

QString DateTimeText(double value, const TFormatSettings& fs)
{
    const Parts p = split(value);
    const bool hasDate = std::trunc(value) != 0;
    if (!hasDate && p.ms != 0)
        return TimeToStr(p.ms / MSecsPerDay, fs);
    if (p.ms == 0)
        return DateToStr(value, fs);
    return DateToStr(value, fs) + QLatin1Char(' ') + TimeToStr(p.ms / MSecsPerDay, fs);
}

QString FormatValue(const QVariant& value, const QString& pattern, bool valueIsDate, const TFormatSettings& fs)
{
    if (value.isNull() || !value.isValid())
        return QString();
    const QString named = pattern.trimmed().toLower();
    double num = 0;
    const bool isText = value.typeId() == QMetaType::QString;
    auto asDate = [&](double& d) {
        if (isText)
            return TextToDateTime(value.toString(), fs, d);
        d = value.toDouble();
        return true;
    };
    auto asNumber = [&](double& d) {
        if (isText)
            return TextToNumber(value.toString(), fs, d);
        d = value.toDouble();
        return true;
    };
    if (named.isEmpty()) {
        if (valueIsDate && asDate(num))
            return DateTimeText(num, fs);
        return isText ? value.toString() : NumberText(value.toDouble(), fs);
    }
    if (named == QLatin1String("general date") && asDate(num))
        return DateTimeText(num, fs);
    if (named == QLatin1String("short date") && asDate(num))
        return DateToStr(num, fs);
    if ((named == QLatin1String("long date") || named == QLatin1String("medium date")) && asDate(num))
        return FormatDateTime(fs.LongDateFormat, num, fs);
    if ((named == QLatin1String("long time") || named == QLatin1String("medium time")) && asDate(num))
        return TimeToStr(split(num).ms / MSecsPerDay, fs);
    if (named == QLatin1String("short time") && asDate(num))
        return formatDate(num, QStringLiteral("hh:nn"), fs);
    if (named == QLatin1String("general number") && asNumber(num))
        return NumberText(num, fs);
    if ((named == QLatin1String("fixed")) && asNumber(num))
        return formatNumber(num, QStringLiteral("0.00"), fs);
    if ((named == QLatin1String("standard") || named == QLatin1String("currency")) && asNumber(num))
        return formatNumber(num, QStringLiteral("#,##0.00"), fs);
    if (named == QLatin1String("percent") && asNumber(num))
        return formatNumber(num, QStringLiteral("0.00%"), fs);
    if ((named == QLatin1String("yes/no") || named == QLatin1String("true/false") || named == QLatin1String("on/off")) &&
        asNumber(num)) {
        const QStringList t = named.split(QLatin1Char('/'));
        const QString r = num != 0 ? t[0] : t[1];
        return r.left(1).toUpper() + r.mid(1);
    }
    if (isDatePattern(pattern)) {
        if (asDate(num))
            return formatDate(num, pattern, fs);
        return value.toString();
    }
    if (asNumber(num))
        return formatNumber(num, pattern, fs);
    return value.toString();
}

bool LikeMatch(const QString& textIn, const QString& patternIn)
{
    const QString s = textIn.toCaseFolded();
    const QString p = patternIn.toCaseFolded();
    return likeMatches(int(s.size()), int(p.size()), [&p](int i) { return p[i].unicode(); },
                       [&s, &p](int si, int pi) { return p[pi] == s[si]; });
}

}  // namespace jetsql

void RegisterJetFunctions(sqlite3* db)
{
    using namespace jetsql;
    add(db, "jet_cdate", 1, fnCDate);
    add(db, "jet_datevalue", 1, fnDateValue);
    add(db, "jet_timevalue", 1, fnTimeValue);
    add(db, "jet_cdbl", 1, fnCDbl);
    add(db, "jet_clng", 1, fnCLng);
    add(db, "jet_cnum", 1, fnCNum);
    add(db, "jet_cbool", 1, fnCBool);
    add(db, "jet_int", 1, fnInt);
    add(db, "jet_fix", 1, fnFix);
    add(db, "jet_round", 1, fnRound);
    add(db, "jet_round", 2, fnRound);
    add(db, "jet_str", 2, fnStr, false);
    add(db, "jet_format", 3, fnFormat, false);
    add(db, "jet_like", 2, fnLike);
    add(db, "jet_pow", 2, fnPow);
    add(db, "jet_mod", 2, fnMod);
    add(db, "jet_intdiv", 2, fnIntDiv);
    add(db, "jet_abs", 1, fnAbs);
    add(db, "jet_sgn", 1, fnSgn);
    add(db, "jet_sqr", 1, fnSqr);
    add(db, "jet_val", 1, fnVal);
    add(db, "jet_year", 1, fnDatePartOf<0>);
    add(db, "jet_month", 1, fnDatePartOf<1>);
    add(db, "jet_day", 1, fnDatePartOf<2>);
    add(db, "jet_weekday", 1, fnDatePartOf<3>);
    add(db, "jet_weekday", 2, fnDatePartOf<3>);
    add(db, "jet_hour", 1, fnDatePartOf<4>);
    add(db, "jet_minute", 1, fnDatePartOf<5>);
    add(db, "jet_second", 1, fnDatePartOf<6>);
    for (int n = 2; n <= 4; ++n)
        add(db, "jet_datepart", n, fnDatePart);
    add(db, "jet_dateadd", 3, fnDateAdd);
    for (int n = 3; n <= 5; ++n)
        add(db, "jet_datediff", n, fnDateDiff);
    add(db, "jet_dateserial", 3, fnDateSerial);
    add(db, "jet_timeserial", 3, fnTimeSerial);
    add(db, "jet_now", 0, fnNow, false);
    add(db, "jet_date", 0, fnDate, false);
    add(db, "jet_time", 0, fnTime, false);
    add(db, "jet_left", 2, fnLeft, false);
    add(db, "jet_right", 2, fnRight, false);
    add(db, "jet_mid", 2, fnMid, false);
    add(db, "jet_mid", 3, fnMid, false);
    add(db, "jet_len", 1, fnLen, false);
    add(db, "jet_trim", 1, fnTrim<0>);
    add(db, "jet_ltrim", 1, fnTrim<1>);
    add(db, "jet_rtrim", 1, fnTrim<2>);
    add(db, "jet_ucase", 1, fnUCase);
    add(db, "jet_lcase", 1, fnLCase);
    add(db, "jet_space", 1, fnSpace);
    for (int n = 2; n <= 4; ++n)
        add(db, "jet_instr", n, fnInStr, false);
    add(db, "jet_dlookup", 2, fnDLookup, false);
    add(db, "jet_dlookup", 3, fnDLookup, false);
    sqlite3_create_function_v2(db, "jet_first", 1, SQLITE_UTF8, nullptr, nullptr, stepKeep<false>, finalKeep, nullptr);
    sqlite3_create_function_v2(db, "jet_last", 1, SQLITE_UTF8, nullptr, nullptr, stepKeep<true>, finalKeep, nullptr);
}
