// The runtime's Format: "%" [index ":"] ["-"] [width] ["." precision] type, with the types
// d u x e f g n m p s and "%%". Width and precision may be "*" (taken from the arguments); a width
// written with a leading zero pads numbers with zeros. An argument of the wrong kind, or a missing
// one, raises EConvertError.
#include "platform/rtl/floattext.h"

#include "platform/rtl/sysutils.h"

#include <QCoreApplication>

namespace {

[[noreturn]] void FormatError(const QString& format)
{
    throw EConvertError(
        QCoreApplication::translate("SysUtils", "Format '%1' ungültig oder nicht kompatibel mit Argument").arg(format));
}

bool IsInteger(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool IsWide(const QVariant& v)
{
    const int t = v.typeId();
    return t == QMetaType::LongLong || t == QMetaType::ULongLong ||
           ((t == QMetaType::Long || t == QMetaType::ULong) && sizeof(long) == 8);
}

bool IsFloat(const QVariant& v)
{
    return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

bool IsText(const QVariant& v)
{
    const int t = v.typeId();
    return t == QMetaType::QString || t == QMetaType::QByteArray || t == QMetaType::QChar;
}

// The sixteen places of sign and currency string of negative amounts; "$" stands for the
// currency string and "1" for the number.
constexpr const char* kNegativeCurrency[16] = {"($1)", "-$1", "$-1", "$1-", "(1$)", "-1$", "1-$", "1$-",
                                               "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
constexpr const char* kPositiveCurrency[4] = {"$1", "1$", "$ 1", "1 $"};

QString CurrencyText(double value, int decimals, const TFormatSettings& fs)
{
    const QString number = FloatToText(std::fabs(value), FloatTextFormat::Number, 15, decimals, fs);
    const bool negative = value < 0 && FloatToDecimal(value, 15, decimals).Digits.size() > 0;
    const char* layout = negative ? kNegativeCurrency[std::clamp(fs.NegCurrFormat, 0, 15)]
                                  : kPositiveCurrency[std::clamp(fs.CurrencyFormat, 0, 3)];
    QString out;
    for (const char* p = layout; *p; ++p) {
        if (*p == '$')
            out += fs.CurrencyString;
        else if (*p == '1')
            out += number;
        else
            out += QLatin1Char(*p);
    }
    return out;
}

}  // namespace

QString Format(const QString& format, const QList<QVariant>& args, const TFormatSettings& fs)
{
    QString out;
    int next = 0;  // the next argument
    const int n = format.size();
    auto argument = [&](int index) -> const QVariant& {
        if (index < 0 || index >= args.size())
            FormatError(format);
        return args[index];
    };
    // A number or "*" (the next argument, which must be an integer); -1 when neither is there.
    auto readNumber = [&](int& i) {
        if (i < n && format[i] == QLatin1Char('*')) {
            ++i;
            const QVariant& v = argument(next++);
            if (!IsInteger(v))
                FormatError(format);
            return v.toInt();
        }
        if (i >= n || !format[i].isDigit())
            return -1;
        int value = 0;
        while (i < n && format[i].isDigit())
            value = std::min(value * 10 + format[i++].digitValue(), 100000);
        return value;
    };

    for (int i = 0; i < n;) {
        if (format[i] != QLatin1Char('%')) {
            out += format[i++];
            continue;
        }
        ++i;
        if (i >= n)
            FormatError(format);
        if (format[i] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        // Index, flags, width, precision.
        if (format[i].isDigit()) {
            int j = i;
            const int index = readNumber(j);
            if (j < n && format[j] == QLatin1Char(':')) {
                next = index;
                i = j + 1;
            }
        }
        bool left = false;
        if (i < n && format[i] == QLatin1Char('-')) {
            left = true;
            ++i;
        }
        const bool zeroPad = i < n && format[i] == QLatin1Char('0');
        int width = readNumber(i);
        int precision = -1;
        if (i < n && format[i] == QLatin1Char('.')) {
            ++i;
            precision = std::max(readNumber(i), 0);
        }
        if (i >= n)
            FormatError(format);
        const QChar type = format[i++].toLower();
        const QVariant& v = argument(next++);

        QString text;
        bool numeric = true;
        switch (type.unicode()) {
        case u'd':
        case u'u': {
            if (!IsInteger(v))
                FormatError(format);
            QString digits;
            bool negative = false;
            if (type == QLatin1Char('u')) {
                const uint64_t u = IsWide(v) ? v.toULongLong() : static_cast<uint32_t>(v.toLongLong());
                digits = QString::number(u);
            } else {
                const qlonglong s = v.toLongLong();
                negative = s < 0;
                digits = QString::number(s).remove(QLatin1Char('-'));
            }
            while (digits.size() < precision)
                digits.prepend(QLatin1Char('0'));
            text = (negative ? QStringLiteral("-") : QString()) + digits;
            break;
        }
        case u'x':
        case u'p': {
            if (!IsInteger(v))
                FormatError(format);
            const uint64_t u = IsWide(v) ? v.toULongLong() : static_cast<uint32_t>(v.toLongLong());
            text = QString::number(u, 16).toUpper();
            const int minDigits = type == QLatin1Char('p') ? 8 : precision;
            while (text.size() < minDigits)
                text.prepend(QLatin1Char('0'));
            break;
        }
        case u'e':
        case u'f':
        case u'g':
        case u'n':
        case u'm': {
            if (!IsFloat(v) && !IsInteger(v))
                FormatError(format);
            const double value = v.toDouble();
            switch (type.unicode()) {
            case u'e':
                text = FloatToText(value, FloatTextFormat::Exponent, precision < 0 ? 15 : precision, 3, fs);
                break;
            case u'f':
                text = FloatToText(value, FloatTextFormat::Fixed, 15, precision < 0 ? 2 : precision, fs);
                break;
            case u'g':
                text = FloatToText(value, FloatTextFormat::General, precision < 0 ? 15 : precision, 0, fs);
                break;
            case u'n':
                text = FloatToText(value, FloatTextFormat::Number, 15, precision < 0 ? 2 : precision, fs);
                break;
            default:
                text = CurrencyText(value, precision < 0 ? fs.CurrencyDecimals : precision, fs);
                numeric = false;
                break;
            }
            break;
        }
        case u's':
            if (!IsText(v))
                FormatError(format);
            text = v.toString();
            if (precision >= 0)
                text.truncate(precision);
            numeric = false;
            break;
        default:
            FormatError(format);
        }

        if (width > text.size()) {
            const int pad = width - text.size();
            if (left) {
                text += QString(pad, QLatin1Char(' '));
            } else if (zeroPad && numeric) {
                const int at = text.startsWith(QLatin1Char('-')) ? 1 : 0;
                text.insert(at, QString(pad, QLatin1Char('0')));
            } else {
                text.prepend(QString(pad, QLatin1Char(' ')));
            }
        }
        out += text;
    }
    return out;
}

QString Format(const QString& format, const QList<QVariant>& args)
{
    return Format(format, args, FormatSettings());
}
