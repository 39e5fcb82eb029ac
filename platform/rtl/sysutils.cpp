// Format settings, the clock and the integer routines of sysutils.h.
#include "platform/rtl/sysutils.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace {

std::function<TDateTime()>& Clock()
{
    static std::function<TDateTime()> clock;
    return clock;
}

template <std::size_t N>
std::array<QString, N> Names(std::initializer_list<const char*> names)
{
    std::array<QString, N> result;
    std::size_t i = 0;
    for (const char* n : names)
        result[i++] = QString::fromUtf8(n);
    return result;
}

// Translates a Qt date or time format into the runtime's notation. Qt and the runtime share the
// letters d, y, h, s and z; months are M in Qt and m in the runtime, where m right after an hour
// stands for minutes (n otherwise); Qt's AP becomes AMPM so the settings' strings are used, and
// the time zone has no counterpart. Literal letters are quoted so they never read as tokens.
QString TranslateQtFormat(const QString& qt, bool fourDigitYears)
{
    QString out;
    bool afterHour = false;
    int i = 0;
    const int n = qt.size();
    auto quoteLiteral = [&out](const QString& text) {
        if (text.isEmpty())
            return;
        out += QLatin1Char('"') + text + QLatin1Char('"');
    };
    while (i < n) {
        const QChar c = qt[i];
        if (c == QLatin1Char('\'')) {
            // Quoted text; two quotes stand for one.
            QString text;
            ++i;
            while (i < n) {
                if (qt[i] == QLatin1Char('\'')) {
                    if (i + 1 < n && qt[i + 1] == QLatin1Char('\'')) {
                        text += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += qt[i++];
            }
            if (text == QLatin1String("'"))
                out += QLatin1String("\"'\"");
            else
                quoteLiteral(text);
            continue;
        }
        int count = 1;
        while (i + count < n && qt[i + count] == c)
            ++count;
        const char16_t ch = c.unicode();
        switch (ch) {
        case u'd':
            out += QString(std::min(count, 4), QLatin1Char('d'));
            break;
        case u'M':
            out += QString(std::min(count, 4), QLatin1Char('m'));
            afterHour = false;
            break;
        case u'y':
            out += (count <= 2 && !fourDigitYears) ? QStringLiteral("yy") : QStringLiteral("yyyy");
            break;
        case u'h':
        case u'H':
            out += QString(std::min(count, 2), QLatin1Char('h'));
            afterHour = true;
            break;
        case u'm':
            out += QString(std::min(count, 2), QLatin1Char(afterHour ? 'm' : 'n'));
            afterHour = false;
            break;
        case u's':
            out += QString(std::min(count, 2), QLatin1Char('s'));
            break;
        case u'z':
            out += count >= 3 ? QStringLiteral("zzz") : QStringLiteral("z");
            break;
        case u'A':
        case u'a':
            // "AP", "ap", "A" and "a" all name the AM/PM designator.
            if (i + count < n && (qt[i + count] == QLatin1Char('P') || qt[i + count] == QLatin1Char('p')))
                ++count;
            out += QStringLiteral("AMPM");
            break;
        case u't':
            // The time zone: dropped together with the blanks before it.
            while (out.endsWith(QLatin1Char(' ')))
                out.chop(1);
            break;
        default:
            if (c.isLetter())
                quoteLiteral(QString(count, c));
            else if (c == QLatin1Char('"'))
                out += QStringLiteral("'\"'").repeated(count);
            else
                out += QString(count, c);
            break;
        }
        i += count;
    }
    return out.trimmed();
}

// The first separator character of a Qt format outside quoted text.
QChar FirstSeparator(const QString& qt, QChar fallback)
{
    bool quoted = false;
    for (QChar c : qt) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted && !c.isLetter() && !c.isSpace())
            return c;
    }
    return fallback;
}

}  // namespace

TFormatSettings GermanFormatSettings()
{
    TFormatSettings fs;
    fs.DecimalSeparator = QLatin1Char(',');
    fs.ThousandSeparator = QLatin1Char('.');
    fs.DateSeparator = QLatin1Char('.');
    fs.TimeSeparator = QLatin1Char(':');
    fs.ShortDateFormat = QStringLiteral("dd.mm.yyyy");
    fs.LongDateFormat = QStringLiteral("dddd, d. mmmm yyyy");
    fs.ShortTimeFormat = QStringLiteral("hh:mm");
    fs.LongTimeFormat = QStringLiteral("hh:mm:ss");
    fs.CurrencyString = QStringLiteral("€");
    fs.ShortMonthNames = Names<12>({"Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt",
                                    "Nov", "Dez"});
    fs.LongMonthNames = Names<12>({"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August",
                                   "September", "Oktober", "November", "Dezember"});
    fs.ShortDayNames = Names<7>({"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"});
    fs.LongDayNames =
        Names<7>({"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"});
    fs.CurrencyFormat = 3;
    fs.NegCurrFormat = 8;
    return fs;
}

TFormatSettings USFormatSettings()
{
    TFormatSettings fs;
    fs.DecimalSeparator = QLatin1Char('.');
    fs.ThousandSeparator = QLatin1Char(',');
    fs.DateSeparator = QLatin1Char('/');
    fs.TimeSeparator = QLatin1Char(':');
    fs.ShortDateFormat = QStringLiteral("m/d/yyyy");
    fs.LongDateFormat = QStringLiteral("dddd, mmmm dd, yyyy");
    fs.ShortTimeFormat = QStringLiteral("h:mm AMPM");
    fs.LongTimeFormat = QStringLiteral("h:mm:ss AMPM");
    fs.TimeAMString = QStringLiteral("AM");
    fs.TimePMString = QStringLiteral("PM");
    fs.CurrencyString = QStringLiteral("$");
    fs.ShortMonthNames =
        Names<12>({"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"});
    fs.LongMonthNames = Names<12>({"January", "February", "March", "April", "May", "June", "July", "August",
                                   "September", "October", "November", "December"});
    fs.ShortDayNames = Names<7>({"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"});
    fs.LongDayNames =
        Names<7>({"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"});
    fs.CurrencyFormat = 0;
    fs.NegCurrFormat = 0;
    return fs;
}

TFormatSettings UKFormatSettings()
{
    TFormatSettings fs = USFormatSettings();
    fs.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    fs.LongDateFormat = QStringLiteral("dd mmmm yyyy");
    fs.ShortTimeFormat = QStringLiteral("hh:mm");
    fs.LongTimeFormat = QStringLiteral("hh:mm:ss");
    // A 24-hour clock: no morning and afternoon designators, as the German table.
    fs.TimeAMString.clear();
    fs.TimePMString.clear();
    fs.CurrencyString = QStringLiteral("£");
    fs.CurrencyFormat = 0;
    fs.NegCurrFormat = 1;
    return fs;
}

QString DesktopLocaleName(const char* category)
{
    QString name = qEnvironmentVariable("LC_ALL");
    if (name.isEmpty())
        name = qEnvironmentVariable(category);
    if (name.isEmpty())
        name = qEnvironmentVariable("LANG");
    const QString language = name.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    if (language.isEmpty() || language == QLatin1String("C") || language == QLatin1String("POSIX"))
        return QString();
    return name;
}

TFormatSettings LocaleFormatSettings(const QLocale& locale)
{
    TFormatSettings fs;
    fs.DecimalSeparator = locale.decimalPoint().isEmpty() ? QLatin1Char('.') : locale.decimalPoint()[0];
    const QString group = locale.groupSeparator();
    fs.ThousandSeparator = group.isEmpty() ? QChar() : group[0];
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    const QString longTime = locale.timeFormat(QLocale::LongFormat);
    fs.DateSeparator = FirstSeparator(shortDate, QLatin1Char('/'));
    fs.TimeSeparator = FirstSeparator(shortTime, QLatin1Char(':'));
    // Short dates keep four-digit years, as the desktop's own short formats did: a two-digit
    // year read back would depend on the century window.
    fs.ShortDateFormat = TranslateQtFormat(shortDate, true);
    if (fs.ShortDateFormat.contains(QLatin1String("mmm")) || !shortDate.contains(fs.DateSeparator)) {
        // A short date with a month name (the C locale's "d MMM yyyy") could not be read back
        // by StrToDate, which takes numbers only: use the ISO order instead.
        fs.ShortDateFormat = QStringLiteral("yyyy-mm-dd");
        fs.DateSeparator = QLatin1Char('-');
    }
    fs.LongDateFormat = TranslateQtFormat(locale.dateFormat(QLocale::LongFormat), false);
    fs.ShortTimeFormat = TranslateQtFormat(shortTime, false);
    fs.LongTimeFormat = TranslateQtFormat(longTime, false);
    if (fs.LongTimeFormat.contains(QLatin1Char('"'))) {
        // Some locales write hours, minutes and seconds with words ("15時07分09秒"), which
        // StrToTime cannot read: the short time with seconds added takes its place.
        const int minutes = std::max(fs.ShortTimeFormat.lastIndexOf(QLatin1String("mm")),
                                     fs.ShortTimeFormat.lastIndexOf(QLatin1String("nn")));
        if (minutes >= 0 && !fs.ShortTimeFormat.contains(QLatin1Char('"')))
            fs.LongTimeFormat = QString(fs.ShortTimeFormat).insert(minutes + 2, QStringLiteral(":ss"));
    }
    if (fs.ShortTimeFormat.contains(QLatin1String("AMPM")) || fs.LongTimeFormat.contains(QLatin1String("AMPM"))) {
        fs.TimeAMString = locale.amText();
        fs.TimePMString = locale.pmText();
    }
    for (int m = 1; m <= 12; ++m) {
        fs.ShortMonthNames[m - 1] = locale.standaloneMonthName(m, QLocale::ShortFormat);
        fs.LongMonthNames[m - 1] = locale.monthName(m, QLocale::LongFormat);
    }
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d;  // Qt counts Monday = 1 ... Sunday = 7
        fs.ShortDayNames[d] = locale.standaloneDayName(qtDay, QLocale::ShortFormat);
        fs.LongDayNames[d] = locale.dayName(qtDay, QLocale::LongFormat);
    }
    fs.CurrencyString = locale.currencySymbol();
    const QString positive = locale.toCurrencyString(1.0);
    const bool symbolFirst = !positive.isEmpty() && !positive[0].isDigit();
    const bool spaced = positive.contains(QLatin1Char(' ')) || positive.contains(QChar(0xA0));
    fs.CurrencyFormat = symbolFirst ? (spaced ? 2 : 0) : (spaced ? 3 : 1);
    if (locale.toCurrencyString(-1.0).startsWith(QLatin1Char('(')))
        fs.NegCurrFormat = symbolFirst ? (spaced ? 14 : 0) : (spaced ? 15 : 4);
    else
        fs.NegCurrFormat = symbolFirst ? (spaced ? 9 : 1) : (spaced ? 8 : 5);
    return fs;
}

TFormatSettings UserLocaleFormatSettings()
{
    return LocaleFormatSettings(QLocale::system());
}

TFormatSettings& FormatSettings()
{
    static TFormatSettings settings = UserLocaleFormatSettings();
    return settings;
}

void SetClock(std::function<TDateTime()> clock)
{
    Clock() = std::move(clock);
}

TDateTime Now()
{
    if (Clock())
        return Clock()();
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    return EncodeDate(d.year(), d.month(), d.day()) + now.time().msecsSinceStartOfDay() / MSecsPerDay;
}

TDateTime Date()
{
    return DateOf(Now());
}

TDateTime Time()
{
    return TimeOf(Now());
}

// A value with no 64-bit integer counterpart (NaN, infinite, beyond +-2^63) raises the
// runtime's invalid-operation error instead of giving an arbitrary number.
static void CheckIntegerRange(double v)
{
    if (!(v > -9223372036854775808.0 && v < 9223372036854775808.0))
        throw Exception(QCoreApplication::translate("SysUtils", "Ungültige Gleitkommaoperation"));
}

int64_t Round(double v)
{
    CheckIntegerRange(v);
    // Half to even, as the runtime's Round (the processor's default rounding) does.
    double whole = std::floor(v);
    const double rest = v - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return static_cast<int64_t>(whole);
}

int64_t Trunc(double v)
{
    CheckIntegerRange(v);
    return static_cast<int64_t>(std::trunc(v));
}

QString IntToStr(int64_t value)
{
    return QString::number(static_cast<qlonglong>(value));
}
