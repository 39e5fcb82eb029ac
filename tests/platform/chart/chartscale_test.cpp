// Axis scales and label texts: round steps for numbers and durations, fixed ends and steps kept,
// numbers through FormatFloat with the given settings, durations with hours past 24.
#include <gtest/gtest.h>

#include <optional>

#include "platform/chart/chartscale.h"

namespace {

constexpr double Hour = 1.0 / 24.0;
constexpr double Minute = Hour / 60.0;

TEST(ChartScale, AutomaticScalesHaveRoundStepsAndEnds)
{
    struct Case {
        double lo, hi;
        std::optional<double> fixedMin, fixedMax;
        double fixedStep;
        bool durations;
        double min, max, step;
    };
    const Case cases[] = {
        {0, 1234, {}, {}, 0, false, 0, 1400, 200},
        {60, 185, {}, {}, 0, false, 60, 200, 20},
        {345, 420, {}, {}, 0, false, 340, 420, 10},      // heights on the secondary axis
        {-3.5, 12, {}, {}, 0, false, -4, 12, 2},
        {0.013, 0.087, {}, {}, 0, false, 0.01, 0.09, 0.01},
        {150, 150, {}, {}, 0, false, 60, 240, 20},         // a flat line lies in the middle
        {0, 0, {}, {}, 0, false, 0, 1, 0.2},               // all zero
        {20, 90, 0.0, {}, 0, false, 0, 100, 20},           // fixed minimum kept
        {60, 264, {}, 220.0, 0, false, 60, 220, 20},       // fixed maximum below the data
        {0, 1000, {}, {}, 250, false, 0, 1000, 250},       // fixed step
        {0, 67 * Minute, {}, {}, 0, true, 0, 70 * Minute, 10 * Minute},
        {0, 1.5, {}, {}, 0, true, 0, 1.5, 6 * Hour},
        {0, 0.6, {}, {}, 0.0416669, true, 0, 15 * 0.0416669, 0.0416669},  // one hour as the windows write it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lo << " .. " << c.hi);
        const ChartScale s = ComputeChartScale(c.lo, c.hi, c.fixedMin, c.fixedMax, c.fixedStep, c.durations);
        EXPECT_NEAR(s.min, c.min, 1e-12);
        EXPECT_NEAR(s.max, c.max, 1e-12);
        EXPECT_NEAR(s.step, c.step, 1e-12);
    }
}

TEST(ChartScale, TicksAreMultiplesOfTheStepAndNeverTooMany)
{
    const std::vector<double> ticks = ChartTicks({0.0, 0.3, 0.1});
    ASSERT_EQ(ticks.size(), 4u);
    EXPECT_EQ(ticks[3], 0.3);  // 3 * 0.1 rounded to the number it stands for

    const std::vector<double> shifted = ChartTicks({5.0, 23.0, 4.0});
    EXPECT_EQ(shifted, (std::vector<double>{8, 12, 16, 20}));

    // One tick per hour over a year would be thousands: the step widens by a whole factor.
    const std::vector<double> crowded = ChartTicks({0.0, 365.0, Hour}, 400);
    EXPECT_LE(crowded.size(), 401u);
    EXPECT_GT(crowded.size(), 300u);
}

TEST(ChartScale, NumbersFollowThePatternOrTheStep)
{
    const TFormatSettings de = GermanFormatSettings();
    const TFormatSettings us = USFormatSettings();
    struct Case {
        double value;
        const char* pattern;
        double step;
        const TFormatSettings& fs;
        const char* text;
    };
    const Case cases[] = {
        {1400, "", 200, de, "1400"},
        {1234.5, "", 0.5, de, "1234,5"},
        {1234.5, "", 0.5, us, "1234.5"},
        {0.25, "", 0.25, de, "0,25"},
        {0.1 * 3 - 0.3, "", 0.1, de, "0,0"},  // no "-0,0" from rounding noise
        {0.5, "0.0000000", 0.1, de, "0,5000000"},
        {12345, "#,##0", 1000, de, "12.345"},
        {-20, "", 10, us, "-20"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatChartNumber(c.value, QString::fromLatin1(c.pattern), c.step, c.fs), QString::fromLatin1(c.text))
            << c.value << " " << c.pattern;
}

TEST(ChartScale, DurationsKeepCountingHoursPastADay)
{
    struct Case {
        double days;
        const char* pattern;
        const char* text;
    };
    const Case cases[] = {
        {1.5, "hh:mm:ss", "36:00:00"},
        {Hour, "hh:mm:ss", "01:00:00"},
        {Hour, "h:mm:ss", "1:00:00"},
        {30 * Minute, "hh:nn", "00:30"},
        {2 * Hour + 5 * Minute + 7.0 / 86400, "h:mm:ss", "2:05:07"},
        {-Hour, "hh:mm:ss", "-01:00:00"},
        {0.99999999999, "hh:mm:ss", "24:00:00"},  // rounded to the millisecond first
        {1.0, "hh\" h\"", "24 h"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatChartDuration(c.days, QString::fromLatin1(c.pattern)), QString::fromLatin1(c.text)) << c.days;
}

}  // namespace
