#include "analysis/bodymassindex.h"

#include <QCoreApplication>

#include <cmath>

double BodyMassIndex(const QString& weightKg, const QString& heightCm, const TFormatSettings& fs)
{
    const double w = StrToFloat(weightKg.trimmed(), fs);
    const double h = StrToFloat(heightCm.trimmed(), fs);
    const double bmi = w / ((h / 100) * (h / 100));
    // A height of 0 divides by zero; the runtime failed there, C++ gives infinity.
    if (!std::isfinite(bmi))
        throw EConvertError(QCoreApplication::translate("SysUtils", "Gleitkommadivision durch Null"));
    return bmi;
}

QString BodyMassImplausible(const QString& weightKg, const QString& heightCm, const TFormatSettings& fs)
{
    double w = 0, h = 0;
    if (!TryStrToFloat(weightKg.trimmed(), w, fs) || !TryStrToFloat(heightCm.trimmed(), h, fs))
        return QString();
    if (!(w >= kMinWeightKg && w <= kMaxWeightKg))
        return QCoreApplication::translate("BodyMassIndex", "Das Gewicht muß zwischen %1 und %2 kg liegen.")
            .arg(kMinWeightKg)
            .arg(kMaxWeightKg);
    if (!(h >= kMinHeightCm && h <= kMaxHeightCm))
        return QCoreApplication::translate("BodyMassIndex", "Die Größe muß zwischen %1 und %2 cm liegen.")
            .arg(kMinHeightCm)
            .arg(kMaxHeightCm);
    return QString();
}

TColor BodyMassIndexColor(double bmi)
{
    if (bmi >= 25 || bmi < 17.5)
        return 0x0000FF;  // red
    if ((bmi > 22 && bmi < 25) || (bmi >= 17.5 && bmi < 20))
        return 0x00FFFF;  // yellow
    return 0x00FF00;      // green
}
