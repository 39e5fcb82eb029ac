#include "analysis/leistungsindex.h"

double PerformanceIndex(int metres, double kmh, int maxPulse, int avgPulse)
{
    // The calculator keeps distance and speed as single-precision numbers.
    const float km = float(metres / 1000.0);
    const float v = float(kmh);
    const int pulseRange = (maxPulse - avgPulse) * 220;
    if (maxPulse == 0 || pulseRange == 0)
        throw Exception(QStringLiteral("Gleitkommadivision durch Null"));
    const double effort = double(pulseRange) / double(maxPulse);
    return (double(v) * 1000.0 / 60.0 * double(km)) / effort;
}

QString PerformanceIndexText(const QString& metres, const QString& kmh, const QString& maxPulse,
                             const QString& avgPulse, const TFormatSettings& fs)
{
    const int m = StrToInt(metres);
    const double v = StrToFloat(kmh, fs);
    const int hMax = StrToInt(maxPulse);
    const int hAvg = StrToInt(avgPulse);
    return FormatFloat(QStringLiteral("0.0"), PerformanceIndex(m, v, hMax, hAvg), fs);
}

QString PerformanceIndexText(const QString& metres, const QString& kmh, const QString& maxPulse,
                             const QString& avgPulse)
{
    return PerformanceIndexText(metres, kmh, maxPulse, avgPulse, FormatSettings());
}
