// FormatDateTime with the runtime's tokens (case-insensitive): c, d..dddddd, m..mmmm, yy, yyyy,
// h, hh, n, nn, s, ss, z, zzz, t, tt, am/pm, a/p, ampm, "/" and ":" for the settings'
// separators, and quoted text. "m" or "mm" right after an hour token means minutes.
#include "platform/rtl/sysutils.h"

namespace {

struct Parts {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Min = 0, Sec = 0, MSec = 0, DayOfWeek = 1;
};

QString Number(int value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0'));
}

bool StartsWithNoCase(const QString& s, int pos, const char* what)
{
    return QStringView(s).mid(pos).startsWith(QLatin1String(what), Qt::CaseInsensitive);
}

// Whether the format holds an AM/PM token outside quoted text; then hours are shown on the
// 12-hour clock.
bool UsesTwelveHourClock(const QString& format)
{
    QChar quote;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
                   StartsWithNoCase(format, i, "ampm")) {
            return true;
        }
    }
    return false;
}

class DateTimeWriter {
public:
    DateTimeWriter(const Parts& parts, const TFormatSettings& fs) : p_(parts), fs_(fs) {}

    void Append(const QString& format, int level)
    {
        // Nested formats (c, t, ddddd...) go at most two levels deep, so a settings format that
        // names itself cannot recurse forever.
        if (level > 2)
            return;
        const bool twelveHour = UsesTwelveHourClock(format);
        QChar lastToken;
        const int n = format.size();
        int i = 0;
        while (i < n) {
            const QChar starter = format[i];
            const QChar c = starter.toUpper();
            int count = 1;
            auto countRun = [&]() {
                while (i + count < n && format[i + count].toUpper() == c)
                    ++count;
            };
            switch (c.unicode()) {
            case u'Y':
                countRun();
                out_ += count <= 2 ? Number(p_.Year % 100, 2) : Number(p_.Year, 4);
                break;
            case u'M':
                countRun();
                if (lastToken == QLatin1Char('H') && count <= 2) {
                    out_ += Number(p_.Min, count);
                } else if (count <= 2) {
                    out_ += Number(p_.Month, count);
                } else if (count == 3) {
                    out_ += fs_.ShortMonthNames[p_.Month - 1];
                } else {
                    out_ += fs_.LongMonthNames[p_.Month - 1];
                }
                break;
            case u'D':
                countRun();
                switch (count) {
                case 1:
                case 2:
                    out_ += Number(p_.Day, count);
                    break;
                case 3:
                    out_ += fs_.ShortDayNames[p_.DayOfWeek - 1];
                    break;
                case 4:
                    out_ += fs_.LongDayNames[p_.DayOfWeek - 1];
                    break;
                case 5:
                    Append(fs_.ShortDateFormat, level + 1);
                    break;
                default:
                    Append(fs_.LongDateFormat, level + 1);
                    break;
                }
                break;
            case u'H': {
                countRun();
                int h = p_.Hour;
                if (twelveHour) {
                    if (h == 0)
                        h = 12;
                    else if (h > 12)
                        h -= 12;
                }
                out_ += Number(h, std::min(count, 2));
                break;
            }
            case u'N':
                countRun();
                out_ += Number(p_.Min, std::min(count, 2));
                break;
            case u'S':
                countRun();
                out_ += Number(p_.Sec, std::min(count, 2));
                break;
            case u'Z':
                countRun();
                out_ += Number(p_.MSec, std::min(count, 3));
                break;
            case u'T':
                countRun();
                Append(count == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, level + 1);
                break;
            case u'C':
                countRun();
                Append(fs_.ShortDateFormat, level + 1);
                if (p_.Hour != 0 || p_.Min != 0 || p_.Sec != 0) {
                    out_ += QLatin1Char(' ');
                    Append(fs_.LongTimeFormat, level + 1);
                }
                break;
            case u'A': {
                const bool pm = p_.Hour >= 12;
                if (StartsWithNoCase(format, i, "am/pm")) {
                    // Shown in the case the format writes it.
                    out_ += format.mid(pm ? i + 3 : i, 2);
                    count = 5;
                } else if (StartsWithNoCase(format, i, "a/p")) {
                    out_ += format[pm ? i + 2 : i];
                    count = 3;
                } else if (StartsWithNoCase(format, i, "ampm")) {
                    out_ += pm ? fs_.TimePMString : fs_.TimeAMString;
                    count = 4;
                } else {
                    out_ += starter;
                }
                break;
            }
            case u'/':
                out_ += fs_.DateSeparator;
                break;
            case u':':
                out_ += fs_.TimeSeparator;
                break;
            case u'"':
            case u'\'': {
                const int end = format.indexOf(starter, i + 1);
                const int stop = end < 0 ? n : end;
                out_ += format.mid(i + 1, stop - i - 1);
                count = stop - i + (end < 0 ? 0 : 1);
                break;
            }
            default:
                out_ += starter;
                break;
            }
            if (QStringLiteral("YMDHNSZTCA").contains(c))
                lastToken = c;
            i += count;
        }
    }

    const QString& Result() const { return out_; }

private:
    const Parts& p_;
    const TFormatSettings& fs_;
    QString out_;
};

}  // namespace

QString FormatDateTime(const QString& format, TDateTime dt, const TFormatSettings& fs)
{
    Parts p;
    DecodeDate(dt, p.Year, p.Month, p.Day);
    DecodeTime(dt, p.Hour, p.Min, p.Sec, p.MSec);
    p.DayOfWeek = DayOfWeek(dt);
    DateTimeWriter w(p, fs);
    w.Append(format.isEmpty() ? QStringLiteral("c") : format, 0);
    return w.Result();
}

QString FormatDateTime(const QString& format, TDateTime dt)
{
    return FormatDateTime(format, dt, FormatSettings());
}

QString DateToStr(TDateTime dt, const TFormatSettings& fs)
{
    return FormatDateTime(fs.ShortDateFormat, dt, fs);
}

QString DateToStr(TDateTime dt)
{
    return DateToStr(dt, FormatSettings());
}

QString TimeToStr(TDateTime dt, const TFormatSettings& fs)
{
    return FormatDateTime(fs.LongTimeFormat, dt, fs);
}

QString TimeToStr(TDateTime dt)
{
    return TimeToStr(dt, FormatSettings());
}

QString DateTimeToStr(TDateTime dt, const TFormatSettings& fs)
{
    // "c": the short date, and the long time only when the time is not midnight.
    return FormatDateTime(QStringLiteral("c"), dt, fs);
}

QString DateTimeToStr(TDateTime dt)
{
    return DateTimeToStr(dt, FormatSettings());
}
