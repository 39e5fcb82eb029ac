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
