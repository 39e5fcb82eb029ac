#include "analysis/timecalc.h"

#include <QCoreApplication>

#include "analysis/calcduration.h"

QString CalculateTimes(const QString& op, const QString& time1, const QString& time2, const QString& factor,
                       const TFormatSettings& fs)
{
    const int64_t t1 = MaskTextToMs(time1);
    if (op == QLatin1String("+"))
        return MsToMaskText(t1 + MaskTextToMs(time2));
    if (op == QLatin1String("-"))
        return MsToMaskText(t1 - MaskTextToMs(time2));
    const double f = StrToFloat(factor.trimmed(), fs);
    if (op == QLatin1String("*"))
        return MsToMaskText(double(t1) * f);
    // Floating division does not fail by itself: a factor of 0 is refused like any other
    // input that gives no time.
    if (f == 0)
        throw EConvertError(QCoreApplication::translate("SysUtils", "Gleitkommadivision durch Null"));
    return MsToMaskText(double(t1) / f);
}

QString CalculateTimes(const QString& op, const QString& time1, const QString& time2, const QString& factor)
{
    return CalculateTimes(op, time1, time2, factor, FormatSettings());
}
