#pragma once
// The runtime's system routines as the program's code expects them: exceptions, the date-time
// type, format settings, number and date formatting and the conversions with their errors.
#include <QString>
#include <QVariant>

#include <array>
#include <cstdint>
#include <exception>
#include <functional>

class QLocale;

// ---------------------------------------------------------------------------------------------
// Exceptions. Every error the program raises derives from Exception and carries the German
// message the user sees. EAbort is the silent exception: the event loop swallows it.

class Exception : public std::exception {
public:
    explicit Exception(QString message = QString());
    ~Exception() override;
    const QString& Message() const { return message_; }
    void SetMessage(const QString& m);
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

class EAbort : public Exception {
public:
    EAbort();
};
class EConvertError : public Exception {
    using Exception::Exception;
};
class EDatabaseError : public Exception {
    using Exception::Exception;
};
class EInOutError : public Exception {
    using Exception::Exception;
};
// The runtime's stream errors: a file that cannot be opened or created.
class EFOpenError : public Exception {
    using Exception::Exception;
};
class EFCreateError : public Exception {
    using Exception::Exception;
};

// Raises the silent EAbort.
[[noreturn]] void Abort();

// The message of any exception: an Exception's own, else the text the library gave it.
QString ExceptionMessage(const std::exception& e);

// ---------------------------------------------------------------------------------------------
// Date and time: whole days since 1899-12-30 plus the fraction of the day.

using TDateTime = double;

inline constexpr double MSecsPerDay = 86400000.0;

// Format settings record of the runtime.
struct TFormatSettings {
    QChar DecimalSeparator = QLatin1Char('.');
    QChar ThousandSeparator = QLatin1Char(',');
    QChar DateSeparator = QLatin1Char('/');
    QChar TimeSeparator = QLatin1Char(':');
    QString ShortDateFormat;
    QString LongDateFormat;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    QString TimeAMString;
    QString TimePMString;
    QString CurrencyString;
    std::array<QString, 12> ShortMonthNames;
    std::array<QString, 12> LongMonthNames;
    std::array<QString, 7> ShortDayNames;  // Sunday first, as the runtime keeps them
    std::array<QString, 7> LongDayNames;
    int TwoDigitYearCenturyWindow = 50;
    // Position of the currency string for Format's "%m": 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $";
    // negative amounts: 0 "($1)", 1 "-$1", 5 "-1$", 8 "-1 $", 12 "$ -1" and the rest of the
    // runtime's sixteen forms.
    int CurrencyFormat = 0;
    int NegCurrFormat = 0;
    int CurrencyDecimals = 2;
};

// Settings of locale 1031 (German), 1033 (US English) and 2057 (English, United Kingdom), fixed
// tables.
TFormatSettings GermanFormatSettings();
TFormatSettings USFormatSettings();
TFormatSettings UKFormatSettings();
// Settings of the user's default locale (from the system locale).
TFormatSettings UserLocaleFormatSettings();
// Settings built from a Qt locale, its formats translated into the runtime's notation (the user's
// settings are those of QLocale::system()).
TFormatSettings LocaleFormatSettings(const QLocale& locale);

// The locale that one category of the desktop's regional settings names, read as the C library
// reads it: LC_ALL, else the category's own variable ("LC_TIME", "LC_NUMERIC"), else LANG. Empty
// when the category names no locale: unset, "C", "POSIX" or "C" with a code set ("C.UTF-8").
QString DesktopLocaleName(const char* category);

// The running program's settings (the user's, with the long time format "hh:mm:ss" once the
// start-up has set it). The overloads without a settings argument use these.
TFormatSettings& FormatSettings();

// The clock behind Date, Time and Now; tests replace it. An empty function restores the system
// clock.
void SetClock(std::function<TDateTime()> clock);
TDateTime Now();
TDateTime Date();
TDateTime Time();

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);
int DaysInMonth(TDateTime dt);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
TDateTime EncodeDate(int year, int month, int day);  // EConvertError on an invalid date
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
TDateTime EncodeTime(int hour, int min, int sec, int msec);  // EConvertError on an invalid time
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec);
int YearOf(TDateTime dt);
int MonthOf(TDateTime dt);
int DayOf(TDateTime dt);
TDateTime IncDay(TDateTime dt, int days = 1);
TDateTime IncMonth(TDateTime dt, int months = 1);  // day clamped to the target month's length
int DayOfWeek(TDateTime dt);       // Sunday = 1 ... Saturday = 7
int DayOfTheWeek(TDateTime dt);    // Monday = 1 ... Sunday = 7
int WeekOfTheYear(TDateTime dt);   // ISO 8601 week
int WeekOfTheYear(TDateTime dt, int& year);  // with the ISO year the week belongs to
TDateTime DateOf(TDateTime dt);    // the date part (whole days)
TDateTime TimeOf(TDateTime dt);    // the time part (fraction of the day)

// ---------------------------------------------------------------------------------------------
// Numbers.

// The runtime's Round: half to even.
int64_t Round(double v);
int64_t Trunc(double v);

// ---------------------------------------------------------------------------------------------
// Formatting.

QString FormatFloat(const QString& format, double value);
QString FormatFloat(const QString& format, double value, const TFormatSettings& fs);
QString FormatDateTime(const QString& format, TDateTime dt);
QString FormatDateTime(const QString& format, TDateTime dt, const TFormatSettings& fs);
QString FloatToStr(double value);  // 15 significant digits, shortest form
QString FloatToStr(double value, const TFormatSettings& fs);
QString IntToStr(int64_t value);
QString DateToStr(TDateTime dt);
QString DateToStr(TDateTime dt, const TFormatSettings& fs);
QString TimeToStr(TDateTime dt);
QString TimeToStr(TDateTime dt, const TFormatSettings& fs);
QString DateTimeToStr(TDateTime dt);
QString DateTimeToStr(TDateTime dt, const TFormatSettings& fs);
// The runtime's Format for the "%s", "%d" and "%.Nf" family.
QString Format(const QString& format, const QList<QVariant>& args);
QString Format(const QString& format, const QList<QVariant>& args, const TFormatSettings& fs);

// ---------------------------------------------------------------------------------------------
// Conversions. The plain forms raise EConvertError with the runtime's message, for example
// "'12a' ist kein gültiger Integerwert"; the Try forms return false instead.

int StrToInt(const QString& s);
int64_t StrToInt64(const QString& s);
int StrToIntDef(const QString& s, int def);
bool TryStrToInt(const QString& s, int& value);
bool TryStrToInt64(const QString& s, int64_t& value);
double StrToFloat(const QString& s);
double StrToFloat(const QString& s, const TFormatSettings& fs);
bool TryStrToFloat(const QString& s, double& value);
bool TryStrToFloat(const QString& s, double& value, const TFormatSettings& fs);
TDateTime StrToDate(const QString& s);
TDateTime StrToDate(const QString& s, const TFormatSettings& fs);
bool TryStrToDate(const QString& s, TDateTime& value);
bool TryStrToDate(const QString& s, TDateTime& value, const TFormatSettings& fs);
TDateTime StrToTime(const QString& s);
TDateTime StrToTime(const QString& s, const TFormatSettings& fs);
bool TryStrToTime(const QString& s, TDateTime& value);
bool TryStrToTime(const QString& s, TDateTime& value, const TFormatSettings& fs);
TDateTime StrToDateTime(const QString& s);
TDateTime StrToDateTime(const QString& s, const TFormatSettings& fs);
bool TryStrToDateTime(const QString& s, TDateTime& value);
bool TryStrToDateTime(const QString& s, TDateTime& value, const TFormatSettings& fs);
