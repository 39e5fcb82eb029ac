#include "analysis/heartrate.h"

#include <QCoreApplication>

#include "platform/rtl/sysutils.h"

int MaxHeartRate(int age, bool female, bool running)
{
    const int base = female ? 226 : 220;
    return running ? base - (2 * age) / 3 : base - age;
}

std::array<QString, 10> HeartRateBands(const QString& maximum)
{
    const int h = StrToInt(maximum);
    const int bounds[9] = {h * 55 / 100, h * 65 / 100, h * 65 / 100, h * 75 / 100, h * 75 / 100,
                           h * 8 / 10,   h * 8 / 10,   h * 9 / 10,   h * 9 / 10};
    std::array<QString, 10> out;
    for (int i = 0; i < 9; ++i)
        out[size_t(i)] = QString::number(bounds[i]);
    out[9] = maximum;
    return out;
}

const std::array<const char*, 5>& HeartRateBandNames()
{
    static const std::array<const char*, 5> names = {"REG", "GA1", "GA2", "TDL/ASW", "SBM"};
    return names;
}

QString AgeImplausible(int age)
{
    if (age >= kMinAge && age <= kMaxAge)
        return QString();
    return QCoreApplication::translate("HeartRate", "Das Lebensalter muß zwischen %1 und %2 Jahren liegen.")
        .arg(kMinAge)
        .arg(kMaxAge);
}

QString MaxHeartRateImplausible(int maximum)
{
    if (maximum >= kMinMaxHeartRate && maximum <= kMaxMaxHeartRate)
        return QString();
    return QCoreApplication::translate("HeartRate", "Der Maximalpuls muß zwischen %1 und %2 Schlägen pro Minute liegen.")
        .arg(kMinMaxHeartRate)
        .arg(kMaxMaxHeartRate);
}
