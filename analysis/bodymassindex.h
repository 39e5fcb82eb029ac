#pragma once
// The body-mass index and its rating colour.
#include <QString>

#include "platform/rtl/graphics.h"
#include "platform/rtl/sysutils.h"

// weight ÷ (height ÷ 100)², weight in kg and height in cm as decimal numbers in the settings'
// format. EConvertError when either is no number or the height is 0 (which gives no index).
double BodyMassIndex(const QString& weightKg, const QString& heightCm, const TFormatSettings& fs);

// Red from 25 on and below 17.5, yellow above 22 (below 25) and from 17.5 to below 20, green
// from 20 to 22: every index gets exactly one colour.
TColor BodyMassIndexColor(double bmi);

// Bodies the index is computed for: weights from 20 to 300 kg and heights from 100 to 250 cm,
// the range a sports physician would still weigh and measure. Beyond it the typed value is a
// slip (a sign, a digit too many) and no index of it means anything.
inline constexpr double kMinWeightKg = 20, kMaxWeightKg = 300;
inline constexpr double kMinHeightCm = 100, kMaxHeightCm = 250;
// The message for a weight or height that is a number outside those bounds; "" when both lie
// within them or either is no number (BodyMassIndex reports that).
QString BodyMassImplausible(const QString& weightKg, const QString& heightCm, const TFormatSettings& fs);
