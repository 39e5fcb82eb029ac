// The performance index as the calculator and the entry window compute it.
#include <gtest/gtest.h>

#include "analysis/leistungsindex.h"

TEST(PerformanceIndex, FormulaFormatsOneDecimalInTheGivenLocale)
{
    const struct {
        const char* metres;
        const char* kmh;
        const char* hMax;
        const char* hAvg;
        const char* german;
    } cases[] = {
        {"10000", "12", "190", "160", "57,6"},   // 2000 / 34.7368...
        {"10000", "12", "190", "150", "43,2"},   // 2000 / 46.3157...
        {"5000", "15,5", "200", "100", "11,7"},  // speed with decimals
        {"0", "12", "190", "150", "0,0"},        // no distance: index 0
        {"10000", "12", "150", "190", "-34,1"},  // average above maximum: negative, not refused
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PerformanceIndexText(c.metres, c.kmh, c.hMax, c.hAvg, GermanFormatSettings()), c.german)
            << c.metres << " " << c.kmh << " " << c.hMax << " " << c.hAvg;
    }
    EXPECT_EQ(PerformanceIndexText("10000", "12", "190", "150", USFormatSettings()), "43.2");
    EXPECT_NEAR(PerformanceIndex(10000, 12, 190, 160), 57.5758, 1e-3);
}

TEST(PerformanceIndex, DivisionByZeroAndBadTextsRaise)
{
    EXPECT_THROW(PerformanceIndex(10000, 12, 150, 150), Exception);
    EXPECT_THROW(PerformanceIndex(10000, 12, 0, 150), Exception);
    const TFormatSettings de = GermanFormatSettings();
    EXPECT_THROW(PerformanceIndexText("", "12", "190", "150", de), EConvertError);
    EXPECT_THROW(PerformanceIndexText("10000", "", "190", "150", de), EConvertError);
    EXPECT_THROW(PerformanceIndexText("10,5", "12", "190", "150", de), EConvertError);  // whole metres only
    EXPECT_THROW(PerformanceIndexText("10000", "12", "x", "150", de), EConvertError);
}
