// The fixed German and US settings and the settings built from a Qt locale.
#include <gtest/gtest.h>

#include <QLocale>

#include "platform/rtl/sysutils.h"
#include "tests/support/qstringprinter.h"
#include "tests/support/testenv.h"

namespace {

QString Separators(const TFormatSettings& fs)
{
    return QString(fs.DecimalSeparator) + fs.ThousandSeparator + fs.DateSeparator + fs.TimeSeparator;
}

}  // namespace

TEST(FormatSettings, FixedGermanAndUSTables)
{
    const TFormatSettings de = GermanFormatSettings();
    EXPECT_EQ(Separators(de),
              QStringLiteral(",..:"));
    EXPECT_EQ(QStringList({de.ShortDateFormat, de.LongDateFormat, de.ShortTimeFormat, de.LongTimeFormat,
                           de.TimeAMString, de.TimePMString}),
              QStringList({"dd.mm.yyyy", "dddd, d. mmmm yyyy", "hh:mm", "hh:mm:ss", "", ""}));
    EXPECT_EQ(de.ShortMonthNames[2], QStringLiteral("Mär"));
    EXPECT_EQ(de.LongMonthNames[11], QStringLiteral("Dezember"));
    EXPECT_EQ(de.ShortDayNames[0], QStringLiteral("So"));
    EXPECT_EQ(de.LongDayNames[6], QStringLiteral("Samstag"));

    const TFormatSettings us = USFormatSettings();
    EXPECT_EQ(Separators(us),
              QStringLiteral(".,/:"));
    EXPECT_EQ(QStringList({us.ShortDateFormat, us.LongDateFormat, us.ShortTimeFormat, us.LongTimeFormat,
                           us.TimeAMString, us.TimePMString}),
              QStringList({"m/d/yyyy", "dddd, mmmm dd, yyyy", "h:mm AMPM", "h:mm:ss AMPM", "AM", "PM"}));
    EXPECT_EQ(us.LongDayNames[0], QStringLiteral("Sunday"));

    // British English: day first, a 24-hour clock, the decimal point.
    const TFormatSettings uk = UKFormatSettings();
    EXPECT_EQ(Separators(uk), QStringLiteral(".,/:"));
    EXPECT_EQ(QStringList({uk.ShortDateFormat, uk.ShortTimeFormat, uk.LongTimeFormat, uk.TimePMString}),
              QStringList({"dd/mm/yyyy", "hh:mm", "hh:mm:ss", ""}));
    const TDateTime evening = EncodeDate(2026, 12, 2) + EncodeTime(18, 0, 0, 0);
    EXPECT_EQ(DateTimeToStr(evening, uk), QStringLiteral("02/12/2026 18:00:00"));
    EXPECT_EQ(FormatDateTime(uk.LongDateFormat, evening, uk), QStringLiteral("02 December 2026"));
}

TEST(FormatSettings, QtLocaleFormatsTranslateIntoTheRuntimeNotation)
{
    const TFormatSettings de = LocaleFormatSettings(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(Separators(de),
              QStringLiteral(",..:"));
    // Short dates keep four-digit years; minutes after hours are written "mm" as in the tables.
    EXPECT_EQ(QStringList({de.ShortDateFormat, de.LongDateFormat, de.ShortTimeFormat, de.LongTimeFormat}),
              QStringList({"dd.mm.yyyy", "dddd, d. mmmm yyyy", "hh:mm", "hh:mm:ss"}));
    EXPECT_TRUE(de.TimeAMString.isEmpty());
    EXPECT_EQ(de.LongMonthNames[2], QStringLiteral("März"));
    EXPECT_EQ(de.LongDayNames[0], QStringLiteral("Sonntag"));
    EXPECT_EQ(de.CurrencyString, QStringLiteral("€"));

    const TFormatSettings us = LocaleFormatSettings(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(QStringList({us.ShortDateFormat, us.ShortTimeFormat, us.LongTimeFormat, us.TimeAMString}),
              QStringList({"m/d/yyyy", "h:mm AMPM", "h:mm:ss AMPM", "AM"}));
    EXPECT_EQ(us.DateSeparator, QLatin1Char('/'));
    EXPECT_EQ(Format(QStringLiteral("%m"), {-2.5}, us), QStringLiteral("($2.50)"));

    // The C locale's short date names the month; it becomes the ISO order, which reads back.
    const TFormatSettings c = LocaleFormatSettings(QLocale::c());
    EXPECT_EQ(c.ShortDateFormat, QStringLiteral("yyyy-mm-dd"));
    EXPECT_EQ(c.DateSeparator, QLatin1Char('-'));
}

TEST(FormatSettings, EveryLocaleReadsBackWhatItWrites)
{
    const TDateTime sample = EncodeDate(2003, 3, 4) + EncodeTime(15, 7, 9, 0);
    for (const char* name : {"de_DE", "en_US", "en_GB", "fr_FR", "de_CH", "ja_JP", "ko_KR", "nl_NL", "C"}) {
        const TFormatSettings fs = LocaleFormatSettings(QLocale(QString::fromLatin1(name)));
        const QString text = DateTimeToStr(sample, fs);
        TDateTime back = 0;
        EXPECT_TRUE(TryStrToDateTime(text, back, fs)) << name << ": " << text.toStdString();
        EXPECT_EQ(back, sample) << name << ": " << text.toStdString();
        EXPECT_EQ(StrToFloat(FloatToStr(-1234.5, fs), fs), -1234.5) << name;
    }
}

TEST(FormatSettings, ProgramSettingsStartAsTheUsersAndCanBeChanged)
{
    const TFormatSettings saved = FormatSettings();
    EXPECT_EQ(saved.ShortDateFormat, UserLocaleFormatSettings().ShortDateFormat);
    FormatSettings() = GermanFormatSettings();
    EXPECT_EQ(FloatToStr(1.5), QStringLiteral("1,5"));
    EXPECT_EQ(FormatFloat(QStringLiteral("#,##0.0"), 1234.5), QStringLiteral("1.234,5"));
    EXPECT_EQ(DateToStr(EncodeDate(2003, 3, 4)), QStringLiteral("04.03.2003"));
    EXPECT_EQ(StrToDate(QStringLiteral("4.3.2003")), EncodeDate(2003, 3, 4));
    EXPECT_EQ(StrToFloat(QStringLiteral("2,5")), 2.5);
    EXPECT_EQ(Format(QStringLiteral("%.1f"), {2.25}), QStringLiteral("2,3"));
    FormatSettings() = saved;
}

TEST(FormatSettings, TheDesktopNamesALocalePerCategoryAsTheCLibraryReadsIt)
{
    struct Case {
        const char* all;
        const char* time;
        const char* lang;
        const char* expected;
    };
    const Case cases[] = {
        {"", "", "", ""},
        {"", "", "C.UTF-8", ""},
        {"", "", "POSIX", ""},
        {"", "", "de_DE.UTF-8", "de_DE.UTF-8"},
        {"", "en_GB.UTF-8", "de_DE.UTF-8", "en_GB.UTF-8"},
        {"C", "en_GB.UTF-8", "de_DE.UTF-8", ""},  // LC_ALL wins
        {"de_AT@euro", "en_GB", "", "de_AT@euro"},
    };
    for (const Case& c : cases) {
        const DesktopLocaleScope desktop(c.all, c.time, "", c.lang);
        EXPECT_EQ(DesktopLocaleName("LC_TIME"), QString::fromLatin1(c.expected)) << c.all << "/" << c.time << "/" << c.lang;
    }
    // Each category reads its own variable before LANG.
    const DesktopLocaleScope desktop("", "en_GB.UTF-8", "", "de_DE.UTF-8");
    EXPECT_EQ(DesktopLocaleName("LC_NUMERIC"), "de_DE.UTF-8");
}
