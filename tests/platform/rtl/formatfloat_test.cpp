// FormatFloat and FloatToStr in German and US settings. The expected texts follow the runtime's
// rules: "0" forces a digit, "#" shows one only when there is one, rounding is half away from
// zero on the value's 15 significant digits, and a value rounded to zero carries no sign.
#include <gtest/gtest.h>

#include "platform/rtl/sysutils.h"
#include "tests/support/qstringprinter.h"

namespace {

// The US text of a German one: decimal and thousand separators trade places.
QString ToUS(const QString& german)
{
    QString s = german;
    for (QChar& c : s) {
        if (c == QLatin1Char(','))
            c = QLatin1Char('.');
        else if (c == QLatin1Char('.'))
            c = QLatin1Char(',');
    }
    return s;
}

struct PatternRow {
    const char* pattern;
    // Expected German texts for 0, 0.04, 0.5, 10, 10.5, 12.345, -1234.5, 1e7.
    std::array<const char*, 8> expected;
};

const double kValues[8] = {0, 0.04, 0.5, 10, 10.5, 12.345, -1234.5, 1e7};

const PatternRow kPatternTable[] = {
    {"#.##", {"", ",04", ",5", "10", "10,5", "12,35", "-1234,5", "10000000"}},
    {"0.0#", {"0,0", "0,04", "0,5", "10,0", "10,5", "12,35", "-1234,5", "10000000,0"}},
    {"#0.0", {"0,0", "0,0", "0,5", "10,0", "10,5", "12,3", "-1234,5", "10000000,0"}},
    {"#.#", {"", "", ",5", "10", "10,5", "12,3", "-1234,5", "10000000"}},
    {"#0.#", {"0", "0", "0,5", "10", "10,5", "12,3", "-1234,5", "10000000"}},
    {"0.0", {"0,0", "0,0", "0,5", "10,0", "10,5", "12,3", "-1234,5", "10000000,0"}},
    {"#0", {"0", "0", "1", "10", "11", "12", "-1235", "10000000"}},
    {"#0.00", {"0,00", "0,04", "0,50", "10,00", "10,50", "12,35", "-1234,50", "10000000,00"}},
    {"#,", {"", "", "1", "10", "11", "12", "-1.235", "10.000.000"}},
    {"0.000000",
     {"0,000000", "0,040000", "0,500000", "10,000000", "10,500000", "12,345000", "-1234,500000",
      "10000000,000000"}},
    {"0.0000000",
     {"0,0000000", "0,0400000", "0,5000000", "10,0000000", "10,5000000", "12,3450000", "-1234,5000000",
      "10000000,0000000"}},
};

}  // namespace

TEST(FormatFloat, PatternTableGermanAndUS)
{
    const TFormatSettings de = GermanFormatSettings();
    const TFormatSettings us = USFormatSettings();
    for (const PatternRow& row : kPatternTable) {
        for (int i = 0; i < 8; ++i) {
            const QString pattern = QString::fromLatin1(row.pattern);
            const QString german = QString::fromUtf8(row.expected[i]);
            EXPECT_EQ(FormatFloat(pattern, kValues[i], de), german) << row.pattern << " of " << kValues[i];
            EXPECT_EQ(FormatFloat(pattern, kValues[i], us), ToUS(german)) << row.pattern << " of " << kValues[i];
        }
    }
}

TEST(FormatFloat, RoundingSignAndGrouping)
{
    const TFormatSettings de = GermanFormatSettings();
    struct Case {
        const char* pattern;
        double value;
        const char* expected;
    } cases[] = {
        {"0.0", 0.05, "0,1"},      // half away from zero, not to even
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"0.00", 1.005, "1,01"},    // 15 significant digits first: 1.00500000000000
        {"0.00", 2.675, "2,68"},
        {"0", -0.4, "0"},           // rounds to zero: no "-0"
        {"0.0", -0.04, "0,0"},
        {"#.##", -0.001, ""},
        {"0.0", 9.96, "10,0"},      // carry into a new integer digit
        {"#", 999.5, "1000"},
        {"00000", 42, "00042"},
        {"#,##0", 999, "999"},
        {"#,##0", 1000, "1.000"},
        {"#,##0.00", 1234567.891, "1.234.567,89"},
        {"#,##0.00", -1234567.891, "-1.234.567,89"},
        {"#,##0", 0.3, "0"},
        {"0.00", 123456789012.345, "123456789012,35"},
        {"#0", 1e15, "1000000000000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFloat(QString::fromLatin1(c.pattern), c.value, de), QString::fromUtf8(c.expected))
            << c.pattern << " of " << c.value;
}

TEST(FormatFloat, SectionsLiteralsAndExponents)
{
    const TFormatSettings de = GermanFormatSettings();
    const TFormatSettings us = USFormatSettings();
    struct Case {
        const char* pattern;
        double value;
        const char* expected;
    } cases[] = {
        // positive;negative;zero; the negative section brings its own sign
        {"0.0;(0.0);'null'", 5.25, "5,3"},
        {"0.0;(0.0);'null'", -5.25, "(5,3)"},
        {"0.0;(0.0);'null'", 0, "null"},
        {"0.0;(0.0);'null'", -0.01, "(0,0)"},  // the section follows the value, the digits its rounding
        {"0.0;;\"leer\"", -2, "-2,0"},        // an empty section falls back to the first
        {"0.0;(0.0)", 0, "0,0"},              // no zero section: the first one
        {"#0.0 \"km\"", 12.34, "12,3 km"},
        {"0 'h'", 3, "3 h"},
        {"'#'0", 7, "#7"},
        {"0.0%", 12.34, "12,3%"},
        {"0.0 \"a;b\"", 1, "1,0 a;b"},         // a quoted ";" does not start a section
        {"0.00E+00", 12345, "1,23E+04"},
        {"0.00E+00", -12345, "-1,23E+04"},
        {"0.00E+00", 0, "0,00E+00"},
        {"0.###E-0", 0.00012345, "1,235E-4"},
        {"0.0E-00", 12345, "1,2E04"},
        {"0.0e+0", 0.5, "5,0e-1"},
        {"##0.0E+0", 12345, "123,5E+2"},  // three integer places before the exponent
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFloat(QString::fromUtf8(c.pattern), c.value, de), QString::fromUtf8(c.expected))
            << c.pattern << " of " << c.value;
    EXPECT_EQ(FormatFloat(QStringLiteral("#,##0.00;(#,##0.00)"), -1234.5, us), QStringLiteral("(1,234.50)"));
    EXPECT_EQ(FormatFloat(QString(), 1.5, de), QStringLiteral("1,5"));  // no pattern: FloatToStr
    EXPECT_EQ(FormatFloat(QStringLiteral("0.0"), std::numeric_limits<double>::infinity(), de), QStringLiteral("INF"));
    EXPECT_EQ(FormatFloat(QStringLiteral("0.0"), std::nan(""), de), QStringLiteral("NAN"));
}

TEST(FloatToStr, FifteenDigitsShortestForm)
{
    const TFormatSettings de = GermanFormatSettings();
    const TFormatSettings us = USFormatSettings();
    struct Case {
        double value;
        const char* german;
    } cases[] = {
        {0, "0"},
        {100, "100"},
        {1.5, "1,5"},
        {-0.1, "-0,1"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3, "0,333333333333333"},
        {2.0 / 3, "0,666666666666667"},
        {123456789012345, "123456789012345"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {-1e20, "-1E20"},
        {1.5e-7, "1,5E-7"},
        {1e-5, "1E-5"},
        {0.0001, "0,0001"},
        {12.345, "12,345"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FloatToStr(c.value, de), QString::fromLatin1(c.german)) << c.value;
        EXPECT_EQ(FloatToStr(c.value, us), ToUS(QString::fromLatin1(c.german))) << c.value;
    }
    EXPECT_EQ(IntToStr(-9223372036854775807LL - 1), QStringLiteral("-9223372036854775808"));
}
