// Text to number and date conversions with the runtime's EConvertError messages.
#include <gtest/gtest.h>

#include "platform/rtl/sysutils.h"
#include "tests/support/messages.h"

namespace {

// The message of the EConvertError a call raises, or "" when it raises none.
// Today is 15 June 2025 for the conversions that fill in the year.
class DateConversion : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetClock([] { return EncodeDate(2025, 6, 15) + EncodeTime(10, 0, 0, 0); });
    }
    void TearDown() override { SetClock({}); }
    const TFormatSettings de = GermanFormatSettings();
    const TFormatSettings us = USFormatSettings();
};

}  // namespace

TEST(StrToInt, AcceptsBlanksSignsAndHex)
{
    struct {
        const char* text;
        int value;
    } good[] = {{"42", 42},
                {"  42", 42},
                {"-7", -7},
                {"+7", 7},
                {"007", 7},
                {"$1F", 31},
                {"$1f", 31},
                {"-$10", -16},
                {"$FFFFFFFF", -1},
                {"2147483647", 2147483647},
                {"-2147483648", -2147483647 - 1}};
    for (const auto& c : good) {
        EXPECT_EQ(StrToInt(QString::fromLatin1(c.text)), c.value) << c.text;
        EXPECT_EQ(StrToIntDef(QString::fromLatin1(c.text), -99), c.value) << c.text;
    }
    const char* bad[] = {"", " ", "12a", "42 ", "2147483648", "-2147483649", "1,5", "1.5", "$", "-", "$1G", "1e3",
                         "$100000000"};
    for (const char* text : bad) {
        int v = -99;
        EXPECT_FALSE(TryStrToInt(QString::fromLatin1(text), v)) << text;
        EXPECT_EQ(v, -99);
        EXPECT_EQ(StrToIntDef(QString::fromLatin1(text), 5), 5);
        EXPECT_EQ(messageOf<EConvertError>([&] { StrToInt(QString::fromLatin1(text)); }),
                  QStringLiteral("'%1' ist kein gültiger Integerwert").arg(QString::fromLatin1(text)));
    }
    EXPECT_EQ(StrToInt64(QStringLiteral("9223372036854775807")), INT64_MAX);
    EXPECT_EQ(StrToInt64(QStringLiteral("-9223372036854775808")), INT64_MIN);
    EXPECT_EQ(StrToInt64(QStringLiteral("$FFFFFFFFFFFFFFFF")), -1);
    EXPECT_EQ(StrToInt64(QStringLiteral("4294967296")), 4294967296LL);
    EXPECT_EQ(messageOf<EConvertError>([] { StrToInt64(QStringLiteral("9223372036854775808")); }),
              QStringLiteral("'9223372036854775808' ist kein gültiger Integerwert"));
}

TEST(StrToFloat, UsesTheSettingsDecimalSeparator)
{
    const TFormatSettings de = GermanFormatSettings();
    const TFormatSettings us = USFormatSettings();
    struct {
        const char* german;
        double value;
    } good[] = {{"1,5", 1.5},   {" -2,25 ", -2.25}, {"1E3", 1000},      {"1,5e-2", 0.015}, {",5", 0.5},
                {"5,", 5},      {"+3", 3},         {"0,1", 0.1},       {"1e+2", 100},     {"123456789012345", 123456789012345.0}};
    for (const auto& c : good) {
        const QString german = QString::fromLatin1(c.german);
        QString american = german;
        american.replace(QLatin1Char(','), QLatin1Char('.'));
        EXPECT_EQ(StrToFloat(german, de), c.value) << c.german;
        EXPECT_EQ(StrToFloat(american, us), c.value) << c.german;
    }
    const char* bad[] = {"", "1.5", "1.000,5", "abc", "1e", "--1", ",", "1,5,", "1 5", "1e400", "INF"};
    for (const char* text : bad) {
        double v = -99;
        EXPECT_FALSE(TryStrToFloat(QString::fromLatin1(text), v, de)) << text;
        EXPECT_EQ(v, -99);
        EXPECT_EQ(messageOf<EConvertError>([&] { StrToFloat(QString::fromLatin1(text), de); }),
                  QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(QString::fromLatin1(text)));
    }
    double v = 0;
    EXPECT_FALSE(TryStrToFloat(QStringLiteral("1,5"), v, us));
    // What FloatToStr writes reads back to the same value (for values of up to 15 digits).
    for (double value : {0.1, -1234.5678, 1e20, 1.5e-7, 123456.789012345})
        EXPECT_DOUBLE_EQ(StrToFloat(FloatToStr(value, de), de), value);
}

TEST_F(DateConversion, DatesInTheSettingsOrder)
{
    struct {
        const char* german;
        const char* us;
        int y, m, d;
    } good[] = {
        {"04.03.2003", "3/4/2003", 2003, 3, 4},
        {"4.3.2003", "03/04/2003", 2003, 3, 4},
        {" 4 . 3 . 2003 ", " 3 / 4 / 2003 ", 2003, 3, 4},
        {"4.3.03", "3/4/03", 2003, 3, 4},
        {"31.12.99", "12/31/99", 1999, 12, 31},
        {"1.1.75", "1/1/75", 1975, 1, 1},   // 2025 - 50 is the start of the two-digit window
        {"1.1.74", "1/1/74", 2074, 1, 1},
        {"1.1.00", "1/1/00", 2000, 1, 1},
        {"4.3.", "3/4/", 2025, 3, 4},       // no year: this year
        {"4.3", "3/4", 2025, 3, 4},
        {"29.2.2004", "2/29/2004", 2004, 2, 29},
        {"4.3.0099", "3/4/0099", 99, 3, 4},  // four digits written: the year as it stands
    };
    for (const auto& c : good) {
        EXPECT_EQ(StrToDate(QString::fromLatin1(c.german), de), EncodeDate(c.y, c.m, c.d)) << c.german;
        EXPECT_EQ(StrToDate(QString::fromLatin1(c.us), us), EncodeDate(c.y, c.m, c.d)) << c.us;
    }
    const char* bad[] = {"", "31.02.2003", "13.13.2003", "2003", "4/3/2003", "4.3.2003x", "4.3.2003 12:00",
                         "0.3.2003", "4..2003", "4.3.12345", "abc"};
    for (const char* text : bad) {
        TDateTime v = -99;
        EXPECT_FALSE(TryStrToDate(QString::fromLatin1(text), v, de)) << text;
        EXPECT_EQ(v, -99);
        EXPECT_EQ(messageOf<EConvertError>([&] { StrToDate(QString::fromLatin1(text), de); }),
                  QStringLiteral("'%1' ist kein gültiges Datum").arg(QString::fromLatin1(text)));
    }
    TFormatSettings iso = de;
    iso.ShortDateFormat = QStringLiteral("yyyy-mm-dd");
    iso.DateSeparator = QLatin1Char('-');
    EXPECT_EQ(StrToDate(QStringLiteral("2003-03-04"), iso), EncodeDate(2003, 3, 4));
    // A century window of 0 keeps two-digit years in this century.
    TFormatSettings noWindow = de;
    noWindow.TwoDigitYearCenturyWindow = 0;
    EXPECT_EQ(StrToDate(QStringLiteral("1.1.99"), noWindow), EncodeDate(2099, 1, 1));
}

TEST_F(DateConversion, TimesWithAndWithoutAmPm)
{
    struct {
        const char* text;
        int h, n, s, ms;
    } good[] = {
        {"15:07", 15, 7, 0, 0},     {"15:07:09", 15, 7, 9, 0}, {" 9:5 ", 9, 5, 0, 0},   {"15", 15, 0, 0, 0},
        {"3:07 PM", 15, 7, 0, 0},   {"3:07 pm", 15, 7, 0, 0},  {"12:00 AM", 0, 0, 0, 0}, {"12:30 PM", 12, 30, 0, 0},
        {"PM 1:05", 13, 5, 0, 0},   {"15:07:09,5", 15, 7, 9, 500}, {"0:00", 0, 0, 0, 0}, {"23:59:59,999", 23, 59, 59, 999},
    };
    for (const auto& c : good)
        EXPECT_EQ(StrToTime(QString::fromLatin1(c.text), de), EncodeTime(c.h, c.n, c.s, c.ms)) << c.text;
    EXPECT_EQ(StrToTime(QStringLiteral("3:07:09 PM"), us), EncodeTime(15, 7, 9, 0));
    EXPECT_EQ(StrToTime(QStringLiteral("15:07:09.25"), us), EncodeTime(15, 7, 9, 250));

    const char* bad[] = {"", "25:00", "15:60", "15:07:60", "13:00 PM", "0:30 AM", "15:", "abc", "15:07 x", "15.07"};
    for (const char* text : bad) {
        TDateTime v = -99;
        EXPECT_FALSE(TryStrToTime(QString::fromLatin1(text), v, de)) << text;
        EXPECT_EQ(v, -99);
        EXPECT_EQ(messageOf<EConvertError>([&] { StrToTime(QString::fromLatin1(text), de); }),
                  QStringLiteral("'%1' ist keine gültige Zeit").arg(QString::fromLatin1(text)));
    }
}

TEST_F(DateConversion, DateTimesAndTheirRoundTrip)
{
    const TDateTime day = EncodeDate(2003, 3, 4);
    EXPECT_EQ(StrToDateTime(QStringLiteral("04.03.2003 15:07:09"), de), day + EncodeTime(15, 7, 9, 0));
    EXPECT_EQ(StrToDateTime(QStringLiteral("04.03.2003"), de), day);
    EXPECT_EQ(StrToDateTime(QStringLiteral("15:07"), de), EncodeTime(15, 7, 0, 0));
    EXPECT_EQ(StrToDateTime(QStringLiteral("3/4/2003 3:07:09 PM"), us), day + EncodeTime(15, 7, 9, 0));
    EXPECT_EQ(StrToDateTime(QStringLiteral("29.12.1899 06:00"), de), -1.25);  // the runtime's negative dates
    for (const char* text : {"04.03.2003 25:00", "x", "", "04.03.2003 15:07 16:00"}) {
        TDateTime v = -99;
        EXPECT_FALSE(TryStrToDateTime(QString::fromLatin1(text), v, de)) << text;
        EXPECT_EQ(messageOf<EConvertError>([&] { StrToDateTime(QString::fromLatin1(text), de); }),
                  QStringLiteral("'%1' ist kein gültiges Datum und Zeit").arg(QString::fromLatin1(text)));
    }
    // What the settings write, they read back.
    const TDateTime sample = day + EncodeTime(15, 7, 9, 0);
    for (const TFormatSettings& fs : {de, us}) {
        EXPECT_EQ(StrToDateTime(DateTimeToStr(sample, fs), fs), sample);
        EXPECT_EQ(StrToDate(DateToStr(sample, fs), fs), day);
        EXPECT_EQ(StrToTime(TimeToStr(sample, fs), fs), EncodeTime(15, 7, 9, 0));
    }
}
