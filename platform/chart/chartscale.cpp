#include "platform/chart/chartscale.h"

#include <algorithm>
#include <cmath>

namespace {

// About this many intervals between the ends of an automatic scale.
constexpr double TargetIntervals = 8.0;

// The smallest of 1, 2 and 5 times a power of ten that is not below raw.
double niceNumberStep(double raw)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double f : {1.0, 2.0, 5.0, 10.0}) {
        if (f * magnitude >= raw * (1.0 - 1e-12))
            return f * magnitude;
    }
    return 10.0 * magnitude;
}

// Durations read best in whole clock units: 15 minutes rather than 0.01 days.
double niceDurationStep(double rawDays)
{
    constexpr double second = 1.0 / 86400.0;
    static const double steps[] = {
        1 * second,    2 * second,    5 * second,    10 * second,   15 * second,   30 * second,
        60 * second,   120 * second,  300 * second,  600 * second,  900 * second,  1800 * second,
        3600 * second, 7200 * second, 10800 * second, 21600 * second, 43200 * second, 1.0,
    };
    if (rawDays < second || rawDays > 1.0)
        return niceNumberStep(rawDays);
    for (double s : steps) {
        if (s >= rawDays * (1.0 - 1e-12))
            return s;
    }
    return 1.0;
}

int decimalsFor(double step)
{
    if (!(step > 0) || !std::isfinite(step))
        return 0;
    for (int d = 0; d <= 10; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) < 1e-6)
            return d;
    }
    return 10;
}

// k steps: for a step with few decimals (0.1, 0.25) the result is rounded to them, so that
// 3 * 0.1 reads and compares as 0.3.
double multiple(double k, double step)
{
    const double v = k * step;
    const int d = decimalsFor(step);
    if (d >= 10)
        return v;
    const double f = std::pow(10.0, d);
    return std::round(v * f) / f;
}

}  // namespace

ChartScale ComputeChartScale(double lo, double hi, std::optional<double> fixedMin, std::optional<double> fixedMax,
                             double fixedStep, bool durations)
{
    if (fixedMin)
        lo = *fixedMin;
    if (fixedMax)
        hi = *fixedMax;
    if (!(hi > lo)) {
        if (fixedMin && fixedMax) {
            // Both ends given the wrong way round or equal: keep them, the step only needs a size.
            const double span = std::fabs(hi - lo) > 0 ? std::fabs(hi - lo) : 1.0;
            return {lo, hi, fixedStep > 0 ? fixedStep : niceNumberStep(span / TargetIntervals)};
        }
        // One value (or ends crossing): widen the free ends by the value's size, so that a
        // flat line runs through the middle; all zeros give 0 to 1.
        const double base = fixedMax && !fixedMin ? hi : lo;
        if (base == 0.0 && !fixedMin && !fixedMax) {
            lo = 0.0;
            hi = 1.0;
        } else {
            const double span = std::fabs(base) > 0 ? std::fabs(base) : 1.0;
            if (fixedMax)
                lo = hi - span;
            else if (fixedMin)
                hi = lo + span;
            else {
                lo = base - span / 2.0;
                hi = base + span / 2.0;
            }
        }
    }
    ChartScale s;
    s.step = fixedStep > 0 ? fixedStep
                           : (durations ? niceDurationStep((hi - lo) / TargetIntervals)
                                        : niceNumberStep((hi - lo) / TargetIntervals));
    s.min = fixedMin ? lo : multiple(std::floor(lo / s.step + 1e-9), s.step);
    s.max = fixedMax ? hi : multiple(std::ceil(hi / s.step - 1e-9), s.step);
    return s;
}

std::vector<double> ChartTicks(const ChartScale& scale, int maxTicks)
{
    std::vector<double> ticks;
    if (!(scale.step > 0) || !(scale.max >= scale.min) || !std::isfinite(scale.max - scale.min))
        return ticks;
    double step = scale.step;
    const double count = (scale.max - scale.min) / step;
    if (count > maxTicks)
        step *= std::ceil(count / maxTicks);
    const double first = std::ceil(scale.min / step - 1e-9);
    for (double k = first;; k += 1.0) {
        const double v = multiple(k, step);
        if (v > scale.max + step * 1e-9)
            break;
        ticks.push_back(v);
    }
    return ticks;
}

QString FormatChartNumber(double value, const QString& pattern, double step, const TFormatSettings& fs)
{
    // A tick computed as 0.1 * 3 - 0.3 must not read "-0".
    if (std::fabs(value) < std::fabs(step) * 1e-9)
        value = 0.0;
    if (!pattern.isEmpty())
        return FormatFloat(pattern, value, fs);
    const int d = decimalsFor(step);
    const QString p = d == 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(d, QLatin1Char('0'));
    return FormatFloat(p, value, fs);
}

QString FormatChartDuration(double days, const QString& pattern)
{
    const int64_t total = Round(days * MSecsPerDay);
    const bool negative = total < 0;
    const uint64_t ms = negative ? uint64_t(-total) : uint64_t(total);
    const uint64_t secs = ms / 1000;
    const uint64_t hours = secs / 3600;
    const uint64_t minutes = (secs / 60) % 60;
    const uint64_t seconds = secs % 60;

    QString out;
    if (negative)
        out += QLatin1Char('-');
    const int n = int(pattern.size());
    for (int i = 0; i < n;) {
        const QChar c = pattern[i].toLower();
        if (pattern[i] == QLatin1Char('"')) {
            const int end = pattern.indexOf(QLatin1Char('"'), i + 1);
            const int stop = end < 0 ? n : end;
            out += pattern.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        int run = 1;
        while (i + run < n && pattern[i + run].toLower() == c)
            ++run;
        const int width = run >= 2 ? 2 : 1;
        if (c == QLatin1Char('h'))
            out += QStringLiteral("%1").arg(hours, width, 10, QLatin1Char('0'));
        else if (c == QLatin1Char('n') || c == QLatin1Char('m'))
            out += QStringLiteral("%1").arg(minutes, width, 10, QLatin1Char('0'));
        else if (c == QLatin1Char('s'))
            out += QStringLiteral("%1").arg(seconds, width, 10, QLatin1Char('0'));
        else
            out += pattern.mid(i, run);
        i += run;
    }
    return out;
}
