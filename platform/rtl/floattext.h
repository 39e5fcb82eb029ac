#pragma once
// Decimal digits of a double the runtime's way, shared by FloatToStr, FormatFloat and Format.
#include <QByteArray>
#include <QString>

struct TFormatSettings;

// A value as 0.d1d2d3... * 10^Exponent: significant digits without trailing zeros (empty for
// zero), the exponent and the sign. Infinite and NaN values set Special.
struct FloatDecimal {
    QByteArray Digits;
    int Exponent = 0;
    bool Negative = false;
    bool Special = false;
};

// The value's decimal representation to 15 significant digits, then rounded half away from zero
// to at most `precision` significant digits and at most `decimals` digits after the point.
FloatDecimal FloatToDecimal(double value, int precision, int decimals);

// The integer and fraction digits of d in plain notation: "1234" with exponent 2 gives "12" and
// "34"; a value below 1 has no integer digits and its fraction leads with zeros.
void SplitDigits(const FloatDecimal& d, QString& intPart, QString& fracPart);

// "INF", "-INF" or "NAN" for a value FloatToDecimal marks Special.
QString SpecialFloatText(double value);

enum class FloatTextFormat { General, Exponent, Fixed, Number };

// The runtime's FloatToText: General is the shortest form with `precision` significant digits
// (scientific when the exponent would exceed the precision or the value is below 1E-4);
// Exponent is d.ddd...E+ddd with `precision` digits and at least `digits` exponent digits; Fixed
// and Number have `digits` decimals, Number with thousand separators.
QString FloatToText(double value, FloatTextFormat format, int precision, int digits, const TFormatSettings& fs);
