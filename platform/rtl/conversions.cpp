// Text to number and date conversions of sysutils.h with the runtime's errors.
#include "platform/rtl/sysutils.h"

#include <QCoreApplication>

#include <charconv>
#include <climits>
#include <cmath>

namespace {

// The messages are marked with QT_TRANSLATE_NOOP at the call and translated here.
[[noreturn]] void ConvertError(const char* message, const QString& s)
{
    throw EConvertError(QCoreApplication::translate("SysUtils", message).arg(s));
}

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Reads an integer: leading blanks, a sign, decimal digits or "$" and hex digits, nothing after.
// Hex values fill the bits of `bits` wide numbers, so "$FFFFFFFF" is -1 as a 32-bit integer.
bool ParseInteger(const QString& s, int bits, int64_t& value)
{
    int i = 0;
    const int n = s.size();
    while (i < n && IsBlank(s[i]))
        ++i;
    bool negative = false;
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    const bool hex = i < n && s[i] == QLatin1Char('$');
    if (hex)
        ++i;
    if (i >= n)
        return false;
    const uint64_t limit = hex ? (bits == 64 ? UINT64_MAX : (uint64_t{1} << bits) - 1)
                               : (uint64_t{1} << (bits - 1)) - (negative ? 0 : 1);
    uint64_t magnitude = 0;
    for (; i < n; ++i) {
        int d;
        const char16_t c = s[i].unicode();
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        else
            return false;
        const uint64_t base = hex ? 16 : 10;
        if (magnitude > (limit - d) / base)
            return false;
        magnitude = magnitude * base + d;
    }
    if (hex) {
        // Two's complement of the given width, as the runtime reads hex constants.
        int64_t v = bits == 64 ? static_cast<int64_t>(magnitude)
                               : static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(magnitude)));
        value = negative ? -v : v;
    } else {
        value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    }
    return true;
}

// The runtime's TextToFloat: blanks around, a sign, digits with the settings' decimal separator
// (no thousand separators) and an optional exponent.
bool ParseFloat(const QString& s, double& value, const TFormatSettings& fs)
{
    int i = 0, n = s.size();
    while (i < n && IsBlank(s[i]))
        ++i;
    while (n > i && IsBlank(s[n - 1]))
        --n;
    std::string text;
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        if (s[i] == QLatin1Char('-'))
            text += '-';
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = s[i];
        if (c.unicode() >= u'0' && c.unicode() <= u'9') {
            text += char(c.unicode());
            digits = true;
        } else if (c == fs.DecimalSeparator && !point) {
            text += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return false;
    if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        text += 'e';
        ++i;
        if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
            text += char(s[i++].unicode());
        bool expDigits = false;
        for (; i < n && s[i].unicode() >= u'0' && s[i].unicode() <= u'9'; ++i) {
            text += char(s[i].unicode());
            expDigits = true;
        }
        if (!expDigits)
            return false;
    }
    if (i != n)
        return false;
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

// A scanner over the text to read dates and times the runtime's way: blanks are skipped before
// every number and separator.
class Scanner {
public:
    explicit Scanner(const QString& s) : s_(s) {}

    void Blanks()
    {
        while (pos_ < s_.size() && IsBlank(s_[pos_]))
            ++pos_;
    }
    bool AtEnd()
    {
        Blanks();
        return pos_ >= s_.size();
    }
    // Up to four digits; `length` tells how many were read.
    bool Number(int& value, int& length)
    {
        Blanks();
        value = 0;
        length = 0;
        while (pos_ < s_.size() && s_[pos_].unicode() >= u'0' && s_[pos_].unicode() <= u'9') {
            if (length == 4)
                return false;
            value = value * 10 + (s_[pos_].unicode() - u'0');
            ++length;
            ++pos_;
        }
        return length > 0;
    }
    bool Char(QChar c)
    {
        Blanks();
        if (pos_ < s_.size() && s_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool Text(const QString& text)
    {
        if (text.isEmpty())
            return false;
        Blanks();
        if (QStringView(s_).mid(pos_).startsWith(text, Qt::CaseInsensitive)) {
            pos_ += text.size();
            return true;
        }
        return false;
    }
    int Pos() const { return pos_; }
    void SetPos(int p) { pos_ = p; }

private:
    const QString& s_;
    int pos_ = 0;
};

enum class DateOrder { MDY, DMY, YMD };

// The order of day, month and year is the order of their first letters in the short date format.
DateOrder OrderOf(const QString& shortDateFormat)
{
    for (QChar c : shortDateFormat) {
        switch (c.toUpper().unicode()) {
        case u'D':
            return DateOrder::DMY;
        case u'M':
            return DateOrder::MDY;
        case u'Y':
            return DateOrder::YMD;
        default:
            break;
        }
    }
    return DateOrder::MDY;
}

bool ScanDate(Scanner& sc, TDateTime& value, const TFormatSettings& fs)
{
    int n1, n2, n3, l1, l2, l3 = 0;
    if (!(sc.Number(n1, l1) && sc.Char(fs.DateSeparator) && sc.Number(n2, l2)))
        return false;
    const DateOrder order = OrderOf(fs.ShortDateFormat);
    int y, m, d, yearLength;
    bool haveYear = false;
    if (sc.Char(fs.DateSeparator)) {
        const int afterSeparator = sc.Pos();
        if (sc.Number(n3, l3)) {
            haveYear = true;
            // A closing separator, as in "2003. 3. 4." of some locales' short dates.
            sc.Char(fs.DateSeparator);
        } else {
            // "24.12." : a day and month closed by the separator, as German dates are written.
            sc.SetPos(afterSeparator);
            if (order == DateOrder::YMD)
                return false;
        }
    }
    if (haveYear) {
        switch (order) {
        case DateOrder::MDY:
            y = n3, yearLength = l3, m = n1, d = n2;
            break;
        case DateOrder::DMY:
            y = n3, yearLength = l3, m = n2, d = n1;
            break;
        case DateOrder::YMD:
        default:
            y = n1, yearLength = l1, m = n2, d = n3;
            break;
        }
    } else {
        y = YearOf(Date());
        yearLength = 4;
        if (order == DateOrder::DMY)
            d = n1, m = n2;
        else
            m = n1, d = n2;
    }
    if (y <= 99 && yearLength <= 2) {
        // Two-digit years fall into the window of TwoDigitYearCenturyWindow years before today.
        const int base = YearOf(Date()) - fs.TwoDigitYearCenturyWindow;
        y += base / 100 * 100;
        if (fs.TwoDigitYearCenturyWindow > 0 && y < base)
            y += 100;
    }
    return TryEncodeDate(y, m, d, value);
}

bool ScanTime(Scanner& sc, TDateTime& value, const TFormatSettings& fs)
{
    int baseHour = -1;
    if (sc.Text(fs.TimeAMString) || sc.Text(QStringLiteral("AM")))
        baseHour = 0;
    else if (sc.Text(fs.TimePMString) || sc.Text(QStringLiteral("PM")))
        baseHour = 12;
    int hour, min = 0, sec = 0, msec = 0, length;
    if (!sc.Number(hour, length))
        return false;
    if (sc.Char(fs.TimeSeparator)) {
        if (!sc.Number(min, length))
            return false;
        if (sc.Char(fs.TimeSeparator)) {
            if (!sc.Number(sec, length))
                return false;
            if (sc.Char(fs.DecimalSeparator)) {
                // Fractions of a second: "5" is 500 ms.
                if (!sc.Number(msec, length) || length > 3)
                    return false;
                for (; length < 3; ++length)
                    msec *= 10;
            }
        }
    }
    if (baseHour < 0) {
        if (sc.Text(fs.TimeAMString) || sc.Text(QStringLiteral("AM")))
            baseHour = 0;
        else if (sc.Text(fs.TimePMString) || sc.Text(QStringLiteral("PM")))
            baseHour = 12;
    }
    if (baseHour >= 0) {
        if (hour == 0 || hour > 12)
            return false;
        if (hour == 12)
            hour = 0;
        hour += baseHour;
    }
    return TryEncodeTime(hour, min, sec, msec, value);
}

// Reads the whole of s with one scan routine; value stays as it was when s is not that alone.
bool ScanWhole(const QString& s, TDateTime& value, const TFormatSettings& fs,
               bool (*scan)(Scanner&, TDateTime&, const TFormatSettings&))
{
    Scanner sc(s);
    TDateTime v;
    if (!scan(sc, v, fs) || !sc.AtEnd())
        return false;
    value = v;
    return true;
}

}  // namespace

bool TryStrToInt(const QString& s, int& value)
{
    int64_t v;
    if (!ParseInteger(s, 32, v))
        return false;
    value = static_cast<int>(v);
    return true;
}

bool TryStrToInt64(const QString& s, int64_t& value)
{
    return ParseInteger(s, 64, value);
}

int StrToInt(const QString& s)
{
    int v;
    if (!TryStrToInt(s, v))
        ConvertError(QT_TRANSLATE_NOOP("SysUtils", "'%1' ist kein gültiger Integerwert"), s);
    return v;
}

int64_t StrToInt64(const QString& s)
{
    int64_t v;
    if (!TryStrToInt64(s, v))
        ConvertError(QT_TRANSLATE_NOOP("SysUtils", "'%1' ist kein gültiger Integerwert"), s);
    return v;
}

int StrToIntDef(const QString& s, int def)
{
    int v;
    return TryStrToInt(s, v) ? v : def;
}

bool TryStrToFloat(const QString& s, double& value, const TFormatSettings& fs)
{
    return ParseFloat(s, value, fs);
}

bool TryStrToFloat(const QString& s, double& value)
{
    return TryStrToFloat(s, value, FormatSettings());
}

double StrToFloat(const QString& s, const TFormatSettings& fs)
{
    double v;
    if (!TryStrToFloat(s, v, fs))
        ConvertError(QT_TRANSLATE_NOOP("SysUtils", "'%1' ist kein gültiger Gleitkommawert"), s);
    return v;
}

double StrToFloat(const QString& s)
{
    return StrToFloat(s, FormatSettings());
}

bool TryStrToDate(const QString& s, TDateTime& value, const TFormatSettings& fs)
{
    return ScanWhole(s, value, fs, ScanDate);
}

bool TryStrToDate(const QString& s, TDateTime& value)
{
    return TryStrToDate(s, value, FormatSettings());
}

TDateTime StrToDate(const QString& s, const TFormatSettings& fs)
{
    TDateTime v;
    if (!TryStrToDate(s, v, fs))
        ConvertError(QT_TRANSLATE_NOOP("SysUtils", "'%1' ist kein gültiges Datum"), s);
    return v;
}

TDateTime StrToDate(const QString& s)
{
    return StrToDate(s, FormatSettings());
}

bool TryStrToTime(const QString& s, TDateTime& value, const TFormatSettings& fs)
{
    return ScanWhole(s, value, fs, ScanTime);
}

bool TryStrToTime(const QString& s, TDateTime& value)
{
    return TryStrToTime(s, value, FormatSettings());
}

TDateTime StrToTime(const QString& s, const TFormatSettings& fs)
{
    TDateTime v;
    if (!TryStrToTime(s, v, fs))
        ConvertError(QT_TRANSLATE_NOOP("SysUtils", "'%1' ist keine gültige Zeit"), s);
    return v;
}

TDateTime StrToTime(const QString& s)
{
    return StrToTime(s, FormatSettings());
}

bool TryStrToDateTime(const QString& s, TDateTime& value, const TFormatSettings& fs)
{
    // A date, a date followed by a time, or a time alone.
    Scanner sc(s);
    TDateTime date, time = 0;
    if (ScanDate(sc, date, fs) && (sc.AtEnd() || (ScanTime(sc, time, fs) && sc.AtEnd()))) {
        value = date >= 0 ? date + time : date - time;
        return true;
    }
    return TryStrToTime(s, value, fs);
}

bool TryStrToDateTime(const QString& s, TDateTime& value)
{
    return TryStrToDateTime(s, value, FormatSettings());
}

TDateTime StrToDateTime(const QString& s, const TFormatSettings& fs)
{
    TDateTime v;
    if (!TryStrToDateTime(s, v, fs))
        ConvertError(QT_TRANSLATE_NOOP("SysUtils", "'%1' ist kein gültiges Datum und Zeit"), s);
    return v;
}

TDateTime StrToDateTime(const QString& s)
{
    return StrToDateTime(s, FormatSettings());
}
