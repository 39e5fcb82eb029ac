#pragma once
// The heart-rate calculators' formulas: the maximum heart rate from age, sex and sport, and the
// heart-rate bands of the five load levels from the maximum.
#include <QString>

#include <array>

// 220 (men) or 226 (women) less two thirds of the age for running (integer division truncating
// toward zero), less the age for swimming and cycling.
int MaxHeartRate(int age, bool female, bool running);

// The bands "REG", "GA1", "GA2", "TDL/ASW", "SBM" as lower and upper bounds, in the order REG
// lower, REG upper, GA1 lower ... SBM upper; every bound truncated; SBM's upper bound is the
// maximum's text as typed. EConvertError when the text is not a whole number.
std::array<QString, 10> HeartRateBands(const QString& maximum);
const std::array<const char*, 5>& HeartRateBandNames();

// Ages from 5 to 100 years and maximum heart rates from 100 to 240 beats a minute: what a sports
// physician would still compute bands for. Beyond them the typed value is a slip, and the
// formulas would give a maximum of 553 for an age of -500 or negative bands.
inline constexpr int kMinAge = 5, kMaxAge = 100;
inline constexpr int kMinMaxHeartRate = 100, kMaxMaxHeartRate = 240;
// The message for an age or a maximum outside those bounds; "" when it lies within them.
QString AgeImplausible(int age);
QString MaxHeartRateImplausible(int maximum);
