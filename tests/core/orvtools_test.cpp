// Shared routines: time text, contrast colours, geographic distance, time-zone bias, version text.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QPalette>
#include <QRegularExpression>
#include <QTimeZone>

#include <cmath>

#include "core/orvtools.h"
#include "tests/support/testenv.h"

TEST(OrvTools, MsToTimeStr)
{
    const struct {
        int64_t ms;
        const char* text;
    } cases[] = {
        {0, "0:00:00"},
        {999, "0:00:00"},             // whole seconds, truncated
        {9000, "0:00:09"},
        {59000, "0:00:59"},
        {600000, "0:10:00"},
        {3723000, "1:02:03"},
        {36000000, "10:00:00"},
        {445506999, "123:45:06"},     // over 100 hours: hours simply grow
        {int64_t(10000) * 3600000, "10000:00:00"},  // beyond 32 bits of milliseconds
        {-3723000, "-1:02:03"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MsToTimeStr(c.ms), c.text) << c.ms;
}

TEST(OrvTools, ContrastTextColor)
{
    const struct {
        TColor background;
        TColor text;
    } cases[] = {
        {0xFFFFFF, clBlack}, {0x000000, clWhite},
        {0xFF0000, clBlack},  // pure blue
        {0x00FFFF, clBlack},  // yellow
        {0x0000FF, clWhite},  // pure red, lightness exactly 0.5
        {0x00FF00, clWhite},  // pure green
        {0x808080, clBlack},  // lightness about 0.502
        {0x7F7F7F, clWhite},
        {0xC0FFC0, clBlack}, {0x400000, clWhite},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ContrastTextColor(c.background), c.text) << std::hex << c.background;

    // A system colour counts as the colour the desktop gives it, not as its bits ($0F: dark).
    const QPalette saved = QGuiApplication::palette();
    QPalette light = saved;
    light.setColor(QPalette::Button, QColor(240, 240, 240));
    QGuiApplication::setPalette(light);
    EXPECT_EQ(ContrastTextColor(clBtnFace), clBlack);
    QPalette dark = saved;
    dark.setColor(QPalette::Button, QColor(30, 30, 60));
    QGuiApplication::setPalette(dark);
    EXPECT_EQ(ContrastTextColor(clBtnFace), clWhite);
    QGuiApplication::setPalette(saved);
}

TEST(OrvTools, ColorToHSL)
{
    const struct {
        TColor color;
        double h, s, l;
    } cases[] = {
        {0x0000FF, 0.0, 1.0, 0.5},          // red
        {0x00FF00, 1.0 / 3, 1.0, 0.5},      // green
        {0xFF0000, 2.0 / 3, 1.0, 0.5},      // blue
        {0xFF00FF, 5.0 / 6, 1.0, 0.5},      // magenta: negative hue wraps round
        {0x808080, 0.0, 0.0, 128 / 255.0},  // grey: no hue, no saturation
        {0x000040, 0.0, 1.0, 32 / 255.0},   // dark red: saturation below half lightness
    };
    for (const auto& c : cases) {
        double h = -1, s = -1, l = -1;
        ColorToHSL(c.color, h, s, l);
        EXPECT_NEAR(h, c.h, 1e-12) << std::hex << c.color;
        EXPECT_NEAR(s, c.s, 1e-12) << std::hex << c.color;
        EXPECT_NEAR(l, c.l, 1e-12) << std::hex << c.color;
        EXPECT_DOUBLE_EQ(ColorLightness(c.color), l);
    }
}

TEST(OrvTools, NumbersAndFormats)
{
    EXPECT_EQ(MaxDouble(2, 3), 3);
    EXPECT_EQ(MinDouble(2, 3), 2);
    EXPECT_DOUBLE_EQ(Percent(1, 4), 25.0);
    EXPECT_DOUBLE_EQ(Percent(-3, 2), -150.0);
    EXPECT_EQ(Percent(5, 0), 0.0);
    EXPECT_EQ(GetGermanFormatSettings().DecimalSeparator, QLatin1Char(','));
    EXPECT_EQ(GetEnglishFormatSettings().DecimalSeparator, QLatin1Char('.'));
}

TEST(OrvTools, UserFormatsComeFromTheDesktopsNamedLocalesElseFromTheInterfaceLanguage)
{
    struct Case {
        const char* time;     // the locale the desktop names for times, "" for none
        const char* numeric;  // and for numbers
        bool englishInterface;
        const char* shortDate;
        const char* shortTime;
        QChar decimal;
        const char* thursday;
    };
    const Case cases[] = {
        // C or POSIX: the interface language's formats; the English module's are British.
        {"", "", false, "dd.mm.yyyy", "hh:mm", QLatin1Char(','), "Do"},
        {"", "", true, "dd/mm/yyyy", "hh:mm", QLatin1Char('.'), "Thu"},
        {"xx_YY", "xx_YY", true, "dd/mm/yyyy", "hh:mm", QLatin1Char('.'), "Thu"},  // no such locale
        // A named locale is the user's, whatever the interface language.
        {"de_DE.UTF-8", "de_DE.UTF-8", true, "dd.mm.yyyy", "hh:mm", QLatin1Char(','), "Do"},
        {"en_GB.UTF-8", "en_GB.UTF-8", false, "dd/mm/yyyy", "hh:mm", QLatin1Char('.'), "Thu"},
        {"en_US.UTF-8", "en_US.UTF-8", true, "m/d/yyyy", "h:mm AMPM", QLatin1Char('.'), "Thu"},
        // Each category by its own locale.
        {"en_GB.UTF-8", "de_DE.UTF-8", true, "dd/mm/yyyy", "hh:mm", QLatin1Char(','), "Thu"},
        {"", "de_DE", true, "dd/mm/yyyy", "hh:mm", QLatin1Char(','), "Thu"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.time) + " / " + c.numeric + (c.englishInterface ? " en" : " de"));
        const TFormatSettings fs = UserFormatSettingsFor(QString::fromLatin1(c.time), QString::fromLatin1(c.numeric),
                                                         c.englishInterface);
        EXPECT_EQ(fs.ShortDateFormat, QString::fromLatin1(c.shortDate));
        EXPECT_EQ(fs.ShortTimeFormat, QString::fromLatin1(c.shortTime));
        EXPECT_EQ(fs.DecimalSeparator, c.decimal);
        EXPECT_EQ(fs.ShortDayNames[4], QString::fromLatin1(c.thursday));
        // The toolkit's locale behind the calendars agrees on the day names.
        EXPECT_EQ(UserLocaleFor(QString::fromLatin1(c.time), c.englishInterface).dayName(4, QLocale::ShortFormat).left(2),
                  QString::fromLatin1(c.thursday).left(2));
    }
    // The one-locale form: QLocale::c() names none.
    EXPECT_EQ(UserFormatSettingsFor(QLocale::c(), true).ShortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(UserFormatSettingsFor(QLocale(QLocale::German, QLocale::Germany), true).DecimalSeparator, QLatin1Char(','));
}

TEST(OrvTools, GeoDistance)
{
    EXPECT_NEAR(GeoDistance(50, 8, 51, 8), 111120, 0.01);       // one degree of latitude
    EXPECT_NEAR(GeoDistance(0, 10, 0, 11), 111120, 0.01);       // one degree along the equator
    EXPECT_NEAR(GeoDistance(0, -179.5, 0, 179.5), 111120, 0.01);  // across the date line
    EXPECT_NEAR(GeoDistance(60, 0, 60, 1), 55556, 5);           // shorter at 60° north
    // Equal points: 0, never NaN, however the rounding falls.
    for (auto [lat, lon] : {std::pair{48.137154, 11.576124}, {52.52, 13.405}, {-33.8688, 151.2093}, {0.0, 0.0}}) {
        const double d = GeoDistance(lat, lon, lat, lon);
        EXPECT_EQ(d, 0.0) << lat << "," << lon;
    }
    // Nearly equal points stay finite and tiny.
    const double near = GeoDistance(52.52, 13.405, 52.52, 13.405000001);
    EXPECT_FALSE(std::isnan(near));
    EXPECT_LT(near, 1.0);
}

TEST(OrvTools, TimeZoneBias)
{
    const QDateTime winter(QDate(2024, 1, 15), QTime(12, 0), Qt::UTC);
    const QDateTime summer(QDate(2024, 7, 15), QTime(12, 0), Qt::UTC);
    const QTimeZone berlin("Europe/Berlin");
    const QTimeZone newYork("America/New_York");
    ASSERT_TRUE(berlin.isValid() && newYork.isValid());
    EXPECT_EQ(TimeZoneBias(berlin, winter), -60);
    EXPECT_EQ(TimeZoneBias(berlin, summer), -120);  // daylight time
    EXPECT_EQ(TimeZoneBias(newYork, winter), 300);
    EXPECT_EQ(TimeZoneBias(QTimeZone::utc(), summer), 0);
    const int bias = GetTimeZoneBias();
    EXPECT_TRUE(bias >= -14 * 60 && bias <= 12 * 60) << bias;
}

TEST(OrvTools, FileVersionOfTheProgramOnly)
{
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^5\\.0\\.0\\.\\d+$"))
                    .match(GetFileVersionStr(QCoreApplication::applicationFilePath()))
                    .hasMatch())
        << GetFileVersionStr(QCoreApplication::applicationFilePath()).toStdString();
    TempFolder tmp;
    EXPECT_EQ(GetFileVersionStr(tmp.write("hrm.exe", "MZ")), "0");
    EXPECT_EQ(GetFileVersionStr(tmp.file("fehlt.exe")), "0");
    EXPECT_EQ(GetFileVersionStr(QString()), "0");
}
