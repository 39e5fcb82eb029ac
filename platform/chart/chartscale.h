#pragma once
// Scales and label texts of chart axes: the ends and the step an axis chooses for its data, the
// ticks that follow from them, and numbers and durations written as labels.
#include <QString>

#include <optional>
#include <vector>

#include "platform/rtl/sysutils.h"

struct ChartScale {
    double min = 0.0;
    double max = 10.0;
    double step = 2.0;
};

// The scale for data from lo to hi: a step of 1, 2 or 5 times a power of ten (for durations in
// days: whole seconds, minutes or hours such as 15 minutes or 6 hours) giving about eight
// intervals, and ends rounded outwards to the step. A fixed end or step is kept as given; a
// range without width is widened so that the axis still has a scale.
ChartScale ComputeChartScale(double lo, double hi, std::optional<double> fixedMin, std::optional<double> fixedMax,
                             double fixedStep, bool durations);

// The tick values of a scale: the multiples of the step from min to max. A step so small that it
// would give more than maxTicks ticks is widened by a whole factor.
std::vector<double> ChartTicks(const ChartScale& scale, int maxTicks = 400);

// A number as an axis label: with the FormatFloat pattern when one is given, else with as many
// decimals as the step needs ("0", "0.5", "0.25").
QString FormatChartNumber(double value, const QString& pattern, double step, const TFormatSettings& fs);

// A duration in days written with a time pattern whose hours run on past 24: "hh:mm:ss" gives
// "36:00:00" for 1.5 days. Tokens: h / hh hours, n / nn or m / mm minutes, s / ss seconds; any
// other character stands as it is, text between double quotes too. Negative durations get "-".
QString FormatChartDuration(double days, const QString& pattern);
