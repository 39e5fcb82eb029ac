// Decimal digits of doubles and the runtime's FloatToText; FloatToStr is its general form.
#include "platform/rtl/floattext.h"

#include "platform/rtl/sysutils.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int kMaxPrecision = 15;

// Inserts the thousand separator into a run of integer digits.
QString GroupThousands(const QString& digits, QChar separator)
{
    if (separator.isNull())
        return digits;
    QString out;
    for (int i = 0; i < digits.size(); ++i) {
        out += digits[i];
        const int rest = digits.size() - 1 - i;
        if (rest > 0 && rest % 3 == 0)
            out += separator;
    }
    return out;
}

QString ExponentText(int exponent, bool alwaysSign, int minDigits)
{
    QString out = exponent < 0 ? QStringLiteral("-") : (alwaysSign ? QStringLiteral("+") : QString());
    QString digits = QString::number(std::abs(exponent));
    while (digits.size() < minDigits)
        digits.prepend(QLatin1Char('0'));
    return out + digits;
}

}  // namespace

// Integer and fraction digits of a FloatDecimal in plain notation.
void SplitDigits(const FloatDecimal& d, QString& intPart, QString& fracPart)
{
    const QString digits = QString::fromLatin1(d.Digits);
    if (d.Exponent > 0) {
        intPart = digits.left(d.Exponent);
        while (intPart.size() < d.Exponent)
            intPart += QLatin1Char('0');
        fracPart = digits.mid(d.Exponent);
    } else {
        intPart.clear();
        fracPart = digits.isEmpty() ? QString() : QString(-d.Exponent, QLatin1Char('0')) + digits;
    }
}

FloatDecimal FloatToDecimal(double value, int precision, int decimals)
{
    FloatDecimal d;
    if (!std::isfinite(value)) {
        d.Special = true;
        d.Negative = value < 0;
        return d;
    }
    d.Negative = std::signbit(value);
    if (value == 0.0)
        return d;
    // The 15 significant digits the runtime works from, correctly rounded from the binary value.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.*e", kMaxPrecision - 1, std::fabs(value));
    QByteArray digits;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    int exponent = std::atoi(p + 1) + 1;

    // Round half away from zero on those decimal digits.
    int keep = std::min({precision, kMaxPrecision, exponent + std::min(decimals, 9999)});
    if (keep < 0) {
        digits.clear();
    } else if (keep < digits.size()) {
        const bool up = digits[keep] >= '5';
        digits.truncate(keep);
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[i] == '9')
                digits[i--] = '0';
            if (i < 0) {
                digits.prepend('1');
                digits.truncate(std::max(keep, 1));
                ++exponent;
            } else {
                ++digits[i];
            }
        }
    }
    while (!digits.isEmpty() && digits.endsWith('0'))
        digits.chop(1);
    if (digits.isEmpty())
        exponent = 0;
    d.Digits = digits;
    d.Exponent = exponent;
    return d;
}

QString SpecialFloatText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString FloatToText(double value, FloatTextFormat format, int precision, int digits, const TFormatSettings& fs)
{
    if (!std::isfinite(value))
        return SpecialFloatText(value);
    precision = std::clamp(precision, 1, kMaxPrecision);
    const QChar point = fs.DecimalSeparator;

    if (format == FloatTextFormat::Fixed || format == FloatTextFormat::Number) {
        digits = std::clamp(digits, 0, 18);
        const FloatDecimal d = FloatToDecimal(value, kMaxPrecision, digits);
        if (d.Exponent <= kMaxPrecision) {
            QString intPart, fracPart;
            SplitDigits(d, intPart, fracPart);
            if (intPart.isEmpty())
                intPart = QStringLiteral("0");
            if (format == FloatTextFormat::Number)
                intPart = GroupThousands(intPart, fs.ThousandSeparator);
            while (fracPart.size() < digits)
                fracPart += QLatin1Char('0');
            QString out = (d.Negative && !d.Digits.isEmpty()) ? QStringLiteral("-") : QString();
            out += intPart;
            if (digits > 0)
                out += point + fracPart;
            return out;
        }
        // Too large for plain notation: the general form, as the runtime falls back to.
        format = FloatTextFormat::General;
        digits = 0;
    }

    const FloatDecimal d = FloatToDecimal(value, precision, 9999);
    const QString sign = (d.Negative && !d.Digits.isEmpty()) ? QStringLiteral("-") : QString();
    const QString ds = QString::fromLatin1(d.Digits);

    if (format == FloatTextFormat::Exponent) {
        QString mantissa = ds;
        while (mantissa.size() < precision)
            mantissa += QLatin1Char('0');
        const int exponent = d.Digits.isEmpty() ? 0 : d.Exponent - 1;
        QString out = sign + mantissa.left(1);
        if (mantissa.size() > 1)
            out += point + mantissa.mid(1);
        return out + QLatin1Char('E') + ExponentText(exponent, true, std::max(digits, 0));
    }

    // General.
    if (d.Digits.isEmpty())
        return QStringLiteral("0");
    if (d.Exponent > precision || d.Exponent < -3) {
        QString out = sign + ds.left(1);
        if (ds.size() > 1)
            out += point + ds.mid(1);
        return out + QLatin1Char('E') + ExponentText(d.Exponent - 1, false, digits);
    }
    QString intPart, fracPart;
    SplitDigits(d, intPart, fracPart);
    if (intPart.isEmpty())
        intPart = QStringLiteral("0");
    return sign + intPart + (fracPart.isEmpty() ? QString() : point + fracPart);
}

QString FloatToStr(double value, const TFormatSettings& fs)
{
    return FloatToText(value, FloatTextFormat::General, kMaxPrecision, 0, fs);
}

QString FloatToStr(double value)
{
    return FloatToStr(value, FormatSettings());
}
