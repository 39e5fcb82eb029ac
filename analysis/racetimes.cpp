#include "analysis/racetimes.h"

#include "analysis/calcduration.h"

namespace {

// factor[from][to]: positive multiplies the source time, negative divides it by the magnitude.
// The upper triangle multiplies, the lower one divides.
constexpr double kFactor[kRaceDistanceCount][kRaceDistanceCount] = {
    //  800m     1000m    1500m    3000m   5000m   10000m  HMT      Marathon 100km
    {0, 1.326, 2.083, 4.48, 7.7, 15.91, 35, 74.236, 222.7},                    // 800m
    {-1.326, 0, 1.571, 3.38, 5.81, 12, 26.4, 56, 168},                          // 1000m
    {-2.083, -1.571, 0, 2.15, 3.7, 7.63, 16.786, 35.6, 109.8},                  // 1500m
    {-4.48, -3.38, -2.15, 0, 1.72, 3.545, 7.8, 16.56, 49.68},                   // 3000m
    {-7.7, -5.81, -3.7, -1.72, 0, 2.066, 4.545, 9.64, 28.92},                   // 5000m
    {-15.91, -12, -7.63, -3.545, -2.066, 0, 2.2, 4.666, 14},                    // 10000m
    {-35, -26.4, -16.786, -7.8, -4.67, -2.2, 0, 2.11, 6.33},                    // HMT
    {-74.236, -56, -35.6, -16.56, -9.64, -4.666, -2.11, 0, 3},                  // Marathon
    {-222.7, -168, -106.8, -49.68, -28.92, -14, -6.6, -3, 0},                   // 100km
};

}  // namespace

const std::array<const char*, kRaceDistanceCount>& RaceDistanceNames()
{
    static const std::array<const char*, kRaceDistanceCount> names = {
        "800m", "1000m", "1500m", "3000m", "5000m", "10000m", "HMT", "Marathon", "100km"};
    return names;
}

double PredictRaceTime(int from, int to, int64_t ms)
{
    const double f = kFactor[from][to];
    if (f == 0)
        return double(ms);
    return f > 0 ? double(ms) * f : double(ms) / -f;
}

std::array<QString, kRaceDistanceCount> PredictRaceTimes(int from, const std::array<QString, kRaceDistanceCount>& fields)
{
    const int64_t ms = MaskTextToMs(fields[size_t(from)]);
    std::array<QString, kRaceDistanceCount> out = fields;
    for (int to = 0; to < kRaceDistanceCount; ++to)
        if (to != from)
            out[size_t(to)] = MsToMaskText(PredictRaceTime(from, to, ms));
    return out;
}
