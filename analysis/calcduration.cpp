#include "analysis/calcduration.h"

#include <QCoreApplication>
#include <QStringList>

#include <cmath>
#include <cstdlib>

namespace {

[[noreturn]] void notATime(const QString& text)
{
    throw EConvertError(QCoreApplication::translate("SysUtils", "'%1' ist keine gültige Zeit").arg(text));
}

// One part of the time: one or two digits, blanks around them allowed.
bool readPart(const QString& part, int max, int& value)
{
    const QString t = part.trimmed();
    if (t.isEmpty() || t.size() > 2)
        return false;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    value = t.toInt();
    return value <= max;
}

}  // namespace

bool TryMaskTextToMs(const QString& text, int64_t& ms)
{
    QString t = text;
    const QChar sep = FormatSettings().TimeSeparator;
    if (sep != QLatin1Char(':'))
        t.replace(sep, QLatin1Char(':'));
    const QStringList parts = t.split(QLatin1Char(':'));
    if (parts.size() != 3)
        return false;
    int h = 0, m = 0, s = 0;
    if (!readPart(parts[0], 99, h) || !readPart(parts[1], 59, m) || !readPart(parts[2], 59, s))
        return false;
    ms = ((int64_t(h) * 60 + m) * 60 + s) * 1000;
    return true;
}

int64_t MaskTextToMs(const QString& text)
{
    int64_t ms = 0;
    if (!TryMaskTextToMs(text, ms))
        notATime(text);
    return ms;
}

int64_t DurationToMs(TDateTime duration)
{
    return int64_t(std::llround(duration * 86400000.0));
}

TDateTime MsToDuration(int64_t ms)
{
    return double(ms) / 86400000.0;
}

QString MsToMaskText(int64_t ms)
{
    const int64_t magnitude = std::llabs(ms);
    if (magnitude > kMaxMaskDurationMs)
        throw EConvertError(QCoreApplication::translate("SysUtils", "Ungültiges Argument für Zeitkodierung"));
    const int64_t sec = magnitude / 1000;  // the fraction of a second is dropped
    const QString text = QStringLiteral("%1:%2:%3")
                             .arg(sec / 3600, 2, 10, QLatin1Char('0'))
                             .arg(sec / 60 % 60, 2, 10, QLatin1Char('0'))
                             .arg(sec % 60, 2, 10, QLatin1Char('0'));
    // A negative duration of less than a second shows as no time at all, not as "-00:00:00".
    return ms < 0 && sec > 0 ? QLatin1Char('-') + text : text;
}

QString MsToMaskText(double ms)
{
    if (!std::isfinite(ms) || std::fabs(ms) > double(kMaxMaskDurationMs) + 0.5)
        throw EConvertError(QCoreApplication::translate("SysUtils", "Ungültiges Argument für Zeitkodierung"));
    return MsToMaskText(int64_t(std::llround(ms)));
}
