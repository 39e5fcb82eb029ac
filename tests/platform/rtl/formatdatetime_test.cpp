// FormatDateTime tokens and the date-time to text routines in German and US settings.
#include <gtest/gtest.h>

#include "platform/rtl/sysutils.h"
#include "tests/support/qstringprinter.h"

namespace {

// Tuesday, 4 March 2003, 15:07:09.045
TDateTime Sample()
{
    return EncodeDate(2003, 3, 4) + EncodeTime(15, 7, 9, 45);
}

struct TokenRow {
    const char* format;
    const char* german;
    const char* us;
};

const TokenRow kTokens[] = {
    {"d", "4", "4"},
    {"dd", "04", "04"},
    {"ddd", "Di", "Tue"},
    {"dddd", "Dienstag", "Tuesday"},
    {"ddddd", "04.03.2003", "3/4/2003"},
    {"dddddd", "Dienstag, 4. März 2003", "Tuesday, March 04, 2003"},
    {"m", "3", "3"},
    {"mm", "03", "03"},
    {"mmm", "Mär", "Mar"},
    {"mmmm", "März", "March"},
    {"yy", "03", "03"},
    {"yyyy", "2003", "2003"},
    {"h", "15", "15"},
    {"hh", "15", "15"},
    {"n", "7", "7"},
    {"nn", "07", "07"},
    {"s", "9", "9"},
    {"ss", "09", "09"},
    {"z", "45", "45"},
    {"zzz", "045", "045"},
    {"t", "15:07", "3:07 PM"},
    {"tt", "15:07:09", "3:07:09 PM"},
    {"c", "04.03.2003 15:07:09", "3/4/2003 3:07:09 PM"},
    {"", "04.03.2003 15:07:09", "3/4/2003 3:07:09 PM"},  // no format: "c"
    {"dd/mm/yyyy", "04.03.2003", "04/03/2003"},         // "/" is the date separator
    {"hh:nn:ss", "15:07:09", "15:07:09"},
    {"hh:mm", "15:07", "15:07"},                         // m after h: minutes
    {"h:m:s", "15:7:9", "15:7:9"},
    {"hh 'Uhr' mm", "15 Uhr 07", "15 Uhr 07"},           // literals between keep the minutes
    {"hh:nn mm", "15:07 03", "15:07 03"},                // after n, m is the month again
    {"h:nn am/pm", "3:07 pm", "3:07 pm"},
    {"h:nn AM/PM", "3:07 PM", "3:07 PM"},
    {"h:nn A/P", "3:07 P", "3:07 P"},
    {"h:nn ampm", "3:07 ", "3:07 PM"},
    {"DD.MM.YYYY HH:NN", "04.03.2003 15:07", "04.03.2003 15:07"},
    {"'dd' dd \"mm\" mm", "dd 04 mm 03", "dd 04 mm 03"},
    {"mmmm.yy", "März.03", "March.03"},
    {"dddd, d. mmmm yyyy", "Dienstag, 4. März 2003", "Tuesday, 4. March 2003"},
    {"yyyy-mm-dd\"T\"hh:nn:ss.zzz", "2003-03-04T15:07:09.045", "2003-03-04T15:07:09.045"},
    {"xq!", "xq!", "xq!"},
};

}  // namespace

TEST(FormatDateTime, TokenTableGermanAndUS)
{
    const TFormatSettings de = GermanFormatSettings();
    const TFormatSettings us = USFormatSettings();
    for (const TokenRow& row : kTokens) {
        const QString format = QString::fromUtf8(row.format);
        EXPECT_EQ(FormatDateTime(format, Sample(), de), QString::fromUtf8(row.german)) << row.format;
        EXPECT_EQ(FormatDateTime(format, Sample(), us), QString::fromUtf8(row.us)) << row.format;
    }
}

TEST(FormatDateTime, TwelveHourClockAroundMidnightAndNoon)
{
    const TFormatSettings us = USFormatSettings();
    struct {
        int h, n;
        const char* expected;
    } cases[] = {{0, 30, "12:30 AM"}, {11, 59, "11:59 AM"}, {12, 0, "12:00 PM"}, {13, 5, "1:05 PM"}, {23, 59, "11:59 PM"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(QStringLiteral("h:nn AMPM"), EncodeTime(c.h, c.n, 0, 0), us),
                  QString::fromLatin1(c.expected));
    // The AM/PM token may stand before the hour, as some locales write it.
    EXPECT_EQ(FormatDateTime(QStringLiteral("ampm h:nn"), EncodeTime(13, 5, 0, 0), us), QStringLiteral("PM 1:05"));
    // Without one, hours run to 23.
    EXPECT_EQ(FormatDateTime(QStringLiteral("h:nn"), EncodeTime(23, 5, 0, 0), us), QStringLiteral("23:05"));
}

TEST(FormatDateTime, SeparatorsComeFromTheSettings)
{
    TFormatSettings fs = GermanFormatSettings();
    fs.DateSeparator = QLatin1Char('-');
    fs.TimeSeparator = QLatin1Char('.');
    EXPECT_EQ(FormatDateTime(QStringLiteral("dd/mm/yy hh:nn"), Sample(), fs), QStringLiteral("04-03-03 15.07"));
    // A settings format naming itself does not recurse forever.
    fs.ShortDateFormat = QStringLiteral("ddddd");
    EXPECT_EQ(FormatDateTime(QStringLiteral("ddddd"), Sample(), fs), QString());
}

TEST(DateTimeToStr, OmitsMidnightAndUsesTheSettings)
{
    const TFormatSettings de = GermanFormatSettings();
    const TFormatSettings us = USFormatSettings();
    const TDateTime day = EncodeDate(2003, 3, 4);
    EXPECT_EQ(DateTimeToStr(day, de), QStringLiteral("04.03.2003"));
    EXPECT_EQ(DateTimeToStr(day, us), QStringLiteral("3/4/2003"));
    EXPECT_EQ(DateTimeToStr(Sample(), de), QStringLiteral("04.03.2003 15:07:09"));
    EXPECT_EQ(DateTimeToStr(day + EncodeTime(0, 0, 1, 0), de), QStringLiteral("04.03.2003 00:00:01"));
    EXPECT_EQ(DateToStr(Sample(), de), QStringLiteral("04.03.2003"));
    EXPECT_EQ(DateToStr(Sample(), us), QStringLiteral("3/4/2003"));
    EXPECT_EQ(TimeToStr(Sample(), de), QStringLiteral("15:07:09"));
    EXPECT_EQ(TimeToStr(Sample(), us), QStringLiteral("3:07:09 PM"));
    EXPECT_EQ(DateTimeToStr(0, de), QStringLiteral("30.12.1899"));
    EXPECT_EQ(TimeToStr(EncodeTime(9, 5, 0, 0), de), QStringLiteral("09:05:00"));
}
