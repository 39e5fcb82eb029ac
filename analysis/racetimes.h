#pragma once
// Race-time prediction: from one known race time, the times over the other running distances,
// each the known time multiplied or divided by a fixed factor of its distance pair.
#include <QString>

#include <array>
#include <cstdint>

inline constexpr int kRaceDistanceCount = 9;

// The distances in the calculator's order: "800m", "1000m", "1500m", "3000m", "5000m", "10000m",
// "HMT", "Marathon", "100km".
const std::array<const char*, kRaceDistanceCount>& RaceDistanceNames();

// The predicted time of distance `to` from time `ms` over distance `from`, in milliseconds as a
// real number (the caller shows it through MsToMaskText, which drops the fraction of a second).
// Three pairs have a factor of their own in the reverse direction, so predicting back does not
// return the start value.
double PredictRaceTime(int from, int to, int64_t ms);

// All nine fields after "Berechnen" from the source distance's time: the source keeps its text,
// the others get their predictions as "hh:mm:ss". EConvertError, before anything is written,
// when the source text is not a time or a prediction exceeds 99:59:59.
std::array<QString, kRaceDistanceCount> PredictRaceTimes(int from, const std::array<QString, kRaceDistanceCount>& fields);
