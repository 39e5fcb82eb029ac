// FormatFloat with the runtime's pattern language: "0" a digit always shown, "#" a digit shown
// when there is one, "." the decimal separator, "," thousand grouping, "E+"/"E-"/"e+"/"e-"
// scientific notation, quoted text, other characters as they stand, and up to three sections
// separated by ";" for positive, negative and zero values.
#include "platform/rtl/floattext.h"
#include "platform/rtl/sysutils.h"

#include <climits>

namespace {

constexpr int kNoDecimal = -1;

// What a section's placeholders ask for.
struct SectionLayout {
    int DigitCount = 0;          // "0" and "#" before any exponent
    int DecimalIndex = kNoDecimal;  // placeholders before the decimal point
    int FirstZero = INT_MAX;     // index of the first "0"
    int LastZero = 0;            // index after the last "0"
    bool Thousands = false;
    bool Scientific = false;
};

// Length of a quoted literal starting at pos (the quote included), or 0.
int QuotedLength(const QString& s, int pos)
{
    const QChar q = s[pos];
    if (q != QLatin1Char('"') && q != QLatin1Char('\''))
        return 0;
    int end = s.indexOf(q, pos + 1);
    return (end < 0 ? s.size() : end + 1) - pos;
}

bool IsExponentAt(const QString& s, int pos)
{
    return (s[pos] == QLatin1Char('E') || s[pos] == QLatin1Char('e')) && pos + 1 < s.size() &&
           (s[pos + 1] == QLatin1Char('+') || s[pos + 1] == QLatin1Char('-'));
}

QList<QString> SplitSections(const QString& format)
{
    QList<QString> sections;
    QString current;
    for (int i = 0; i < format.size();) {
        if (const int q = QuotedLength(format, i)) {
            current += format.mid(i, q);
            i += q;
        } else if (format[i] == QLatin1Char(';')) {
            sections << current;
            current.clear();
            ++i;
        } else {
            current += format[i++];
        }
    }
    sections << current;
    return sections;
}

SectionLayout Scan(const QString& section)
{
    SectionLayout l;
    for (int i = 0; i < section.size();) {
        if (const int q = QuotedLength(section, i)) {
            i += q;
            continue;
        }
        const QChar c = section[i];
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (c == QLatin1Char('0')) {
                l.FirstZero = std::min(l.FirstZero, l.DigitCount);
                l.LastZero = l.DigitCount + 1;
            }
            ++l.DigitCount;
        } else if (c == QLatin1Char('.')) {
            if (l.DecimalIndex == kNoDecimal)
                l.DecimalIndex = l.DigitCount;
        } else if (c == QLatin1Char(',')) {
            l.Thousands = true;
        } else if (IsExponentAt(section, i)) {
            l.Scientific = true;
            i += 2;
            while (i < section.size() && section[i] == QLatin1Char('0'))
                ++i;
            continue;
        }
        ++i;
    }
    if (l.DecimalIndex == kNoDecimal)
        l.DecimalIndex = l.DigitCount;
    return l;
}

QString Render(const QString& section, const SectionLayout& l, const QString& intDigits, const QString& fracDigits,
               int exponent, const TFormatSettings& fs)
{
    QString out;
    const int intPlaces = l.DecimalIndex;
    const int len = intDigits.size();
    int place = 0;      // integer placeholders passed
    int fracPlace = 0;  // fraction placeholders passed
    bool inFraction = false;
    bool intWritten = false;

    auto writeInt = [&](int from, int to) {
        for (int j = from; j < to; ++j) {
            out += intDigits[j];
            const int rest = len - 1 - j;
            if (l.Thousands && rest > 0 && rest % 3 == 0 && !fs.ThousandSeparator.isNull())
                out += fs.ThousandSeparator;
        }
    };
    // Integer digits without a placeholder of their own go where the integer part ends.
    auto flushInt = [&]() {
        if (!intWritten) {
            writeInt(0, len);
            intWritten = true;
        }
    };

    for (int i = 0; i < section.size();) {
        if (const int q = QuotedLength(section, i)) {
            const bool closed = q > 1 && section[i + q - 1] == section[i];
            out += section.mid(i + 1, closed ? q - 2 : q - 1);
            i += q;
            continue;
        }
        const QChar c = section[i];
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (!inFraction && place < intPlaces) {
                // Placeholder `place` shows digit place - (intPlaces - len); the first one also
                // shows every digit the pattern has no place for.
                const int first = place - (intPlaces - len);
                if (place == 0 && len > intPlaces)
                    writeInt(0, len - intPlaces + 1);
                else if (first >= 0)
                    writeInt(first, first + 1);
                ++place;
                if (place == intPlaces)
                    intWritten = true;
            } else {
                flushInt();
                if (fracPlace < fracDigits.size())
                    out += fracDigits[fracPlace];
                ++fracPlace;
            }
        } else if (c == QLatin1Char('.')) {
            if (!inFraction) {
                inFraction = true;
                flushInt();
                if (!fracDigits.isEmpty())
                    out += fs.DecimalSeparator;
            }
        } else if (c == QLatin1Char(',')) {
            // Grouping is a property of the whole section; the comma itself is not shown.
        } else if (IsExponentAt(section, i)) {
            flushInt();
            const bool plus = section[i + 1] == QLatin1Char('+');
            int zeros = 0;
            i += 2;
            while (i < section.size() && section[i] == QLatin1Char('0')) {
                ++zeros;
                ++i;
            }
            out += c;
            out += exponent < 0 ? QStringLiteral("-") : (plus ? QStringLiteral("+") : QString());
            QString e = QString::number(std::abs(exponent));
            while (e.size() < std::min(zeros, 4))
                e.prepend(QLatin1Char('0'));
            out += e;
            continue;
        } else {
            out += c;
        }
        ++i;
    }
    flushInt();
    return out;
}

}  // namespace

QString FormatFloat(const QString& format, double value, const TFormatSettings& fs)
{
    if (format.isEmpty())
        return FloatToStr(value, fs);
    if (!std::isfinite(value))
        return SpecialFloatText(value);

    const QList<QString> sections = SplitSections(format);
    int index = value == 0.0 ? 2 : (value < 0 ? 1 : 0);
    // A missing or empty section falls back to the first one.
    if (index >= sections.size() || sections[index].isEmpty())
        index = 0;
    const QString& section = sections[index];
    const SectionLayout l = Scan(section);

    QString intDigits, fracDigits;
    int exponent = 0;
    FloatDecimal d;
    if (l.Scientific) {
        d = FloatToDecimal(value, std::max(l.DigitCount, 1), 9999);
        const QString digits = QString::fromLatin1(d.Digits);
        if (!digits.isEmpty())
            exponent = d.Exponent - l.DecimalIndex;
        intDigits = digits.left(l.DecimalIndex);
        if (!digits.isEmpty())
            while (intDigits.size() < l.DecimalIndex)
                intDigits += QLatin1Char('0');
        fracDigits = digits.mid(l.DecimalIndex);
    } else {
        d = FloatToDecimal(value, 15, l.DigitCount - l.DecimalIndex);
        SplitDigits(d, intDigits, fracDigits);
    }
    // Digits the pattern forces with "0".
    const int forcedInt = l.FirstZero < l.DecimalIndex ? l.DecimalIndex - l.FirstZero : 0;
    const int forcedFrac = l.LastZero > l.DecimalIndex ? l.LastZero - l.DecimalIndex : 0;
    while (intDigits.size() < forcedInt)
        intDigits.prepend(QLatin1Char('0'));
    while (fracDigits.size() < forcedFrac)
        fracDigits += QLatin1Char('0');

    QString out = Render(section, l, intDigits, fracDigits, exponent, fs);
    // The sign belongs to the first section only, and a value rounded to zero has none.
    if (index == 0 && value < 0 && !d.Digits.isEmpty())
        out.prepend(QLatin1Char('-'));
    return out;
}

QString FormatFloat(const QString& format, double value)
{
    return FormatFloat(format, value, FormatSettings());
}
