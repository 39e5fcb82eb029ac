// Reading heart-rate monitor exercise files and their day files: samples, laps, keys, energy and
// the errors that name their line.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "exchange/hrmfile.h"
#include "tests/exchange/hrmrides.h"
#include "tests/support/testenv.h"

namespace {

const QString kFixtures = QStringLiteral(ORV_EXCHANGE_FIXTURES);

// An exercise file's text read; its first line gives it the day every exercise file has.
HrmFile parsed(const char* text, const char* dayText = "")
{
    HrmFile f;
    EXPECT_TRUE(f.Parse("Date=20080715\n" + QByteArray(text), QStringLiteral("08071501.hrm"), QByteArray(dayText)))
        << f.Error().Text().toStdString();
    return f;
}

QByteArray fixture(const QString& name)
{
    QFile f(QDir(kFixtures).filePath(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return f.readAll();
}

TEST(HrmFile, SamplesLieAtWholeMultiplesOfTheInterval)
{
    const HrmFile f = parsed("[Params]\nInterval=5\n\n[HRData]\n120\t350\n120\t350\n120\t350\n120\t350\n");
    ASSERT_EQ(f.Samples().size(), 4);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(f.Samples()[k].ms, k * 5000);
        EXPECT_EQ(f.Samples()[k].puls, 120);
        EXPECT_EQ(f.Samples()[k].second, 350);  // the entry window's height difference
    }
    EXPECT_EQ(f.Columns(), QList<HrmColumn>{HrmColumn::Puls});
}

TEST(HrmFile, SampleBlockIsReadToItsLastLine)
{
    const struct {
        const char* text;
        int count;
    } cases[] = {
        {"Interval=1\n[HRData]\n100\n101\n102", 3},            // no line end after the last sample
        {"Interval=1\r\n[HRData]\r\n100\r\n101\r\n102\r\n", 3},  // CR LF
        {"Interval=1\n[HRData]\n100\n\n101\n\n102\n\n", 3},     // empty lines are skipped
        {"Interval=1\n[HRData]\n100\n101\n[Other]\n5\n", 2},    // the next section ends it
        {"Interval=1\n[HRData]\n", 0},
        {"Interval=1\n", 0},                                   // no "[HRData]": no samples
    };
    for (const auto& c : cases) {
        const HrmFile f = parsed(c.text);
        EXPECT_EQ(f.Samples().size(), c.count) << c.text;
        if (c.count == 3) {
            EXPECT_EQ(f.Samples()[2].puls, 102) << c.text;
        }
    }
}

TEST(HrmFile, HourLongRecordingEndsExactlyOnTheHour)
{
    QByteArray text = "[Params]\nSMode=100000000\nDate=20080715\nInterval=1\n[HRData]\n";
    for (int k = 0; k <= 3600; ++k)
        text += "140\t100\n";
    HrmFile f;
    ASSERT_TRUE(f.Parse(text, QStringLiteral("x.hrm")));
    ASSERT_EQ(f.Samples().size(), 3601);
    EXPECT_EQ(f.Samples()[3600].ms, 3600000);
    EXPECT_EQ(f.Samples()[3600].Time(), EncodeTime(1, 0, 0, 0));
    // 10.0 km/h for 3600 samples of one second: 10 km, not a metre short.
    text.chop(QByteArray("140\t100\n").size());
    ASSERT_TRUE(f.Parse(text, QStringLiteral("x.hrm")));
    EXPECT_EQ(f.TotalMeters(), 10000);
    EXPECT_DOUBLE_EQ(f.Samples()[0].splitKm, 10.0 / 3600);
}

TEST(HrmFile, IntervalComesFromParamsThenSettings)
{
    const struct {
        const char* text;
        int interval;
    } cases[] = {
        {"[Params]\nInterval=5\n[Settings]\nInterval=2\n", 5},
        {"[Params]\nVersion=106\n[Settings]\nInterval=2\n", 2},
        {"[Params]\nInterval=\n[Settings]\nInterval=2\n", 2},
        {"[Params]\nInterval=0\n[Settings]\nInterval=2\n", 2},
        {"[Params]\nVersion=106\n", 0},
        {"[Params]\ninterval=15\n", 15},  // names compared without case
    };
    for (const auto& c : cases) {
        const HrmFile f = parsed(QByteArray(c.text).append("[HRData]\n100\n101\n").constData());
        EXPECT_EQ(f.Interval(), c.interval) << c.text;
        EXPECT_EQ(f.Samples()[1].ms, c.interval * 1000) << c.text;  // missing interval: every time 0
    }
}

TEST(HrmFile, ModeFlagsChooseTheSampleColumns)
{
    using C = HrmColumn;
    const struct {
        const char* keys;
        const char* line;
        QList<HrmColumn> columns;
        const char* mode;
    } cases[] = {
        {"SMode=111000000", "120\t100\t80\t100", {C::Puls, C::Speed, C::Cadence, C::Altitude, C::Split}, "111000000"},
        {"SMode=111011111", "120\t100\t80\t100", {C::Puls, C::Speed, C::Cadence, C::Altitude, C::Split}, "111011111"},
        {"SMode=0001", "120\t250", {C::Puls, C::Power}, "0001"},
        {"Mode=0", "120", {C::Puls}, "0"},
        {"SMode=\nMode=3", "120", {C::Puls}, "3"},
    };
    for (const auto& c : cases) {
        const QByteArray text = QByteArray("[Params]\nInterval=5\n") + c.keys + "\n[HRData]\n" + c.line + "\n";
        const HrmFile f = parsed(text.constData());
        EXPECT_EQ(f.Columns(), c.columns) << c.keys;
        EXPECT_EQ(f.Mode(), QString::fromLatin1(c.mode)) << c.keys;
    }
}

TEST(HrmFile, LapsFromTheirFirstLineAndTheirExtraLines)
{
    // Without "SMode" a lap is its first line; a line whose second character is no colon is no
    // lap (its continuation lines) and the block ends at the next section.
    HrmFile f = parsed("[IntTimes]\n0:12:34.5\t152\t140\t148\t160\n0\t0\t0\t0\t0\t999\n"
                       "1:05:30.2\t150\n\n[IntNotes]\n12:00:00.0\t1\n");
    ASSERT_EQ(f.Laps().size(), 2);
    EXPECT_EQ(f.Laps()[0].timeText, QStringLiteral("00:12:34"));
    EXPECT_EQ(f.Laps()[0].ms, (12 * 60 + 34) * 1000);
    EXPECT_EQ(f.Laps()[0].puls, 152);
    EXPECT_EQ(f.Laps()[0].minPuls, 140);
    EXPECT_EQ(f.Laps()[0].avgPuls, 148);
    EXPECT_EQ(f.Laps()[0].maxPuls, 160);
    EXPECT_EQ(f.Laps()[0].altitude, 0);  // extra lines only with "SMode"
    EXPECT_EQ(f.Laps()[1].number, 2);
    EXPECT_EQ(f.Laps()[1].timeText, QStringLiteral("01:05:30"));
    EXPECT_EQ(f.Laps()[1].maxPuls, 0);  // items missing at the line's end read as 0

    // The monitor writes two-digit hours; such a lap is read like any other.
    f = parsed("[IntTimes]\n00:05:12.3\t145\t120\t140\t150\n");
    ASSERT_EQ(f.Laps().size(), 1);
    EXPECT_EQ(f.Laps()[0].ms, (5 * 60 + 12) * 1000);

    EXPECT_TRUE(parsed("[IntTimes]\n[IntNotes]\n").Laps().isEmpty());
    EXPECT_TRUE(parsed("[HRData]\n100\n").Laps().isEmpty());

    // With "SMode": altitude from the second line, distance and temperature from the fourth;
    // lines missing at the block's end read as 0, and a following lap is never taken for them.
    f = parsed("SMode=111000000\n[IntTimes]\n"
               "00:10:00.0\t150\t140\t145\t160\n0\t0\t0\t0\t0\t123\n0\t0\t0\t0\t0\n0\t2000\t0\t238\t0\t0\n"
               "00:20:00.0\t151\t141\t146\t161\n0\t0\t0\t0\t0\t130\n"
               "00:30:00.0\t152\n");
    ASSERT_EQ(f.Laps().size(), 3);
    EXPECT_EQ(f.Laps()[0].altitude, 123);
    EXPECT_EQ(f.Laps()[0].meter, 2000);
    EXPECT_EQ(f.Laps()[0].distance, 2000);
    EXPECT_EQ(f.Laps()[0].temperature, 23);  // 23.8 degrees, the tenths dropped
    EXPECT_EQ(f.Laps()[1].altitude, 130);
    EXPECT_EQ(f.Laps()[1].distance, 0);
    EXPECT_EQ(f.Laps()[1].meter, 2000);  // no distance of its own: where the lap before ended
    EXPECT_EQ(f.Laps()[2].altitude, 0);
    EXPECT_EQ(f.Laps()[2].line, 10);
}

TEST(HrmFile, BadValuesNameTheirLine)
{
    QByteArray forty = "[Params]\nInterval=1\n[HRData]\n";
    for (int line = 4; line < 40; ++line)
        forty += "120\n";
    forty += "abc\n121\n";
    const struct {
        QByteArray text;
        int line;
        const char* says;
    } cases[] = {
        {forty, 40, "'abc'"},
        {"[Params]\nInterval=fünf\n", 2, "'fünf'"},
        {"[Params]\nInterval=-5\n", 2, "'-5'"},
        {"[Params]\nDate=2008071\n", 2, "'2008071' ist kein gültiges Datum"},
        {"[Params]\nDate=20080231\n", 2, "'20080231'"},
        {"[Params]\nStartTime=9:1x:01.0\n", 2, "'9:1x:01.0' ist keine gültige Zeit"},
        {"[Params]\nCalories=viel\n", 2, "'viel'"},
        {"SMode=111000000\n[HRData]\n120\t100\t80\t100\n120\t100\n", 4, "4 Werte"},
        {"SMode=100000000\n[HRData]\n120\t10.x\n", 3, "'10.x'"},
        {"[IntTimes]\n0:12:34.5\tzwei\n", 2, "'zwei'"},
        {"[IntTimes]\nx:12\t150\n", 2, "keine gültige Zeit"},
        {"SMode=1\n[IntTimes]\n0:12:34.5\t150\n0\t0\t0\t0\t0\thoch\n", 4, "'hoch'"},
    };
    for (const auto& c : cases) {
        HrmFile f;
        EXPECT_FALSE(f.Parse(c.text, QStringLiteral("x.hrm"))) << c.text.constData();
        EXPECT_EQ(f.Error().line, c.line) << c.text.constData();
        EXPECT_EQ(f.Error().Text(), QStringLiteral("Datei \"x.hrm\", Zeile %1: %2").arg(c.line).arg(f.Error().message));
        EXPECT_TRUE(f.Error().message.contains(QString::fromUtf8(c.says))) << f.Error().Text().toStdString();
        EXPECT_TRUE(f.Samples().isEmpty());  // nothing half-read is handed on
    }
}

TEST(HrmFile, NoValueLetsAnExceptionOutAndEveryErrorNamesFileAndLine)
{
    const struct {
        QByteArray text;
        int line;
        const char* says;
    } cases[] = {
        {"[HRData]\n120\t1e300\n", 2, "'1e300'"},  // the second item beyond any integer
        {"[HRData]\n120\tnan\n", 2, "'nan'"},
        {"SMode=1\n[HRData]\n120\t1e300\n", 3, "'1e300'"},  // a speed no monitor records
        {"SMode=1\n[HRData]\n120\tinf\n", 3, "'inf'"},
        {"SMode=1\n[HRData]\n120\t-5\n", 3, "'-5'"},
        {"[Params]\nCalories=1e300\n", 2, "'1e300'"},
        {"[Params]\nInterval=2000000000\n[HRData]\n120\n", 2, "'2000000000'"},
        {"SMode=1\n[IntTimes]\n0:10:00.0\t150\n0\n0\n0\t2000000000\n0:20:00.0\t150\n0\n0\n0\t2000000000\n", 10,
         "'2000000000'"},  // the laps' distance from the start beyond what a unit holds
    };
    for (const auto& c : cases) {
        HrmFile f;
        bool read = true;
        EXPECT_NO_THROW(read = f.Parse(c.text, QStringLiteral("/tmp/rad/x.hrm"))) << c.text.constData();
        EXPECT_FALSE(read) << c.text.constData();
        EXPECT_EQ(f.Error().line, c.line) << c.text.constData();
        EXPECT_TRUE(f.Error().Text().contains(QStringLiteral("x.hrm"))) << f.Error().Text().toStdString();
        EXPECT_TRUE(f.Error().Text().contains(QStringLiteral("Zeile %1: ").arg(c.line))) << f.Error().Text().toStdString();
        EXPECT_TRUE(f.Error().message.contains(QString::fromUtf8(c.says))) << f.Error().Text().toStdString();
    }
}

TEST(HrmFile, AnEmptyOrGarbageFileIsNoExerciseFile)
{
    const struct {
        QByteArray text;
        const char* says;
    } cases[] = {
        {"", "Die Datei ist leer."},
        {"\r\n \r\n\t\r\n", "Die Datei ist leer."},
        {QByteArray("\x00\x01\x02\x9f\xff=\x03\nPK\x03\x04", 13), "keine Trainingsdatei"},
        {"Lieber Herr Müller,\nanbei die Tabelle.\n", "keine Trainingsdatei"},
        {"[HRData]\n120\n121\n", "keine Trainingsdatei"},  // samples without the exercise's day
    };
    for (const auto& c : cases) {
        HrmFile f;
        EXPECT_FALSE(f.Parse(c.text, QStringLiteral("x.hrm"))) << c.text.constData();
        EXPECT_EQ(f.Error().line, 0);
        EXPECT_TRUE(f.Error().Text().contains(QString::fromUtf8(c.says))) << f.Error().Text().toStdString();
        EXPECT_TRUE(f.Error().Text().contains(QStringLiteral("x.hrm"))) << f.Error().Text().toStdString();
    }
}

TEST(HrmFile, UsUnitsAreReadAsMetricUnits)
{
    // A ride and its copy in US units: speed in tenths of mph, heights in feet, lap distances in
    // yards, temperatures in tenths of °F.
    for (const HrmRide& metric : HrmRides()) {
        if (!metric.speed() || metric.laps == 0 || metric.imperial)
            continue;
        HrmRide us = metric;
        us.imperial = true;
        us.smode[7] = '1';
        HrmFile m, f;
        ASSERT_TRUE(m.Parse(metric.text(), QStringLiteral("m.hrm"))) << m.Error().Text().toStdString();
        ASSERT_TRUE(f.Parse(us.text(), QStringLiteral("us.hrm"))) << f.Error().Text().toStdString();
        EXPECT_FALSE(m.Imperial());
        EXPECT_TRUE(f.Imperial());
        EXPECT_EQ(m.TotalMeters(), metric.totalMeters());
        EXPECT_NEAR(f.TotalMeters(), metric.totalMeters(), metric.totalMeters() / 1000);
        ASSERT_EQ(f.Samples().size(), m.Samples().size());
        for (int k = 0; k < m.Samples().size(); ++k) {
            EXPECT_EQ(f.Samples()[k].altitude, m.Samples()[k].altitude) << k;
            EXPECT_NEAR(f.Samples()[k].speed, m.Samples()[k].speed, 0.81) << k;  // half a tenth of a mph
        }
        ASSERT_EQ(f.Laps().size(), m.Laps().size());
        for (int j = 0; j < m.Laps().size(); ++j) {
            EXPECT_EQ(f.Laps()[j].altitude, m.Laps()[j].altitude) << j;
            EXPECT_EQ(f.Laps()[j].distance, m.Laps()[j].distance) << j;
            EXPECT_EQ(f.Laps()[j].meter, m.Laps()[j].meter) << j;
            EXPECT_EQ(f.Laps()[j].temperature, m.Laps()[j].temperature) << j;
        }
        // The preview's cells: metric values; a US speed in tenths of km/h with a decimal point.
        const int speed = int(m.Columns().indexOf(HrmColumn::Speed));
        const int height = int(m.Columns().indexOf(HrmColumn::Altitude));
        EXPECT_EQ(m.SampleCell(m.Samples()[0], speed), QStringLiteral("180"));
        EXPECT_EQ(f.SampleCell(f.Samples()[0], speed), QStringLiteral("180.25"));  // 11.2 mph
        if (height >= 0) {
            EXPECT_EQ(f.SampleCell(f.Samples()[0], height), m.SampleCell(m.Samples()[0], height));
        }
    }
    // Temperatures below freezing keep the metric rule: tenths divided by 10, towards zero.
    HrmFile f;
    ASSERT_TRUE(f.Parse("Date=20080715\nSMode=00000001\n[IntTimes]\n0:10:00.0\t150\n0\n0\n0\t0\t0\t250\n",
                        QStringLiteral("x.hrm")));
    EXPECT_EQ(f.Laps()[0].temperature, -3);  // 25.0 °F = -3.9 °C
}

TEST(HrmFile, LapsRunFromTheStart)
{
    // Each lap's fourth line holds its own distance; the laps lie at the running sum.
    const HrmFile f = parsed("SMode=100000000\n[IntTimes]\n"
                             "0:25:00.0\t150\n0\n0\n0\t5071\n0:50:00.0\t151\n0\n0\n0\t5047\n"
                             "1:15:00.0\t152\n0\n0\n0\t4996\n1:40:00.0\t153\n0\n0\n0\t5068\n"
                             "1:41:00.0\t154\n0\n0\n0\t96\n");
    QList<int> meters, distances;
    for (const HrmLap& lap : f.Laps()) {
        meters << lap.meter;
        distances << lap.distance;
    }
    EXPECT_EQ(distances, QList<int>({5071, 5047, 4996, 5068, 96}));
    EXPECT_EQ(meters, QList<int>({5071, 10118, 15114, 20182, 20278}));
}

TEST(HrmFile, RealShapedExerciseFileWithItsDayFile)
{
    TempFolder dir;
    const QString hrm = dir.write(QStringLiteral("08071501.hrm"), fixture(QStringLiteral("08071501.hrm")));
    HrmFile f;
    ASSERT_TRUE(f.Read(hrm)) << f.Error().Text().toStdString();
    EXPECT_EQ(f.Date(), EncodeDate(2008, 7, 15));
    EXPECT_EQ(f.StartTimeText(), QStringLiteral("09:12:01"));
    EXPECT_EQ(f.LengthText(), QStringLiteral("00:00:20"));
    EXPECT_EQ(f.Interval(), 5);
    EXPECT_EQ(f.Key(QStringLiteral("MaxHR")), QStringLiteral("185"));
    EXPECT_EQ(f.Key(QStringLiteral("RestHR")), QStringLiteral("48"));
    EXPECT_EQ(f.Key(QStringLiteral("Weight")), QStringLiteral("72"));
    EXPECT_EQ(f.Note(), QStringLiteral("Lauf an der Ruhr, Köln-Mülheim"));  // ANSI text
    QStringList captions;
    for (HrmColumn c : f.Columns())
        captions << HrmFile::ColumnCaption(c);
    EXPECT_EQ(captions, QStringList({"Puls", "Geschw.", "Frequ.", "Höhe", "M. Split"}));
    ASSERT_EQ(f.Samples().size(), 4);
    EXPECT_EQ(FormatDateTime(QStringLiteral("hh:nn:ss"), f.Samples()[3].Time()), QStringLiteral("00:00:15"));
    QList<int> heights;
    for (const HrmSample& s : f.Samples())
        heights << s.altitude;
    EXPECT_EQ(heights, QList<int>({100, 105, 103, 110}));
    EXPECT_EQ(f.Samples()[1].cadence, 82);
    EXPECT_EQ(f.TotalMeters(), 61);  // 10, 11, 11 and 12 km/h for 5 s each
    ASSERT_EQ(f.Laps().size(), 2);
    EXPECT_EQ(f.Laps()[1].altitude, 110);
    EXPECT_EQ(f.Laps()[1].distance, 100);
    EXPECT_EQ(f.Laps()[1].meter, 150);  // from the start
    EXPECT_EQ(f.Laps()[1].temperature, 24);
    // Without a day file the exercise's own energy stands.
    EXPECT_EQ(f.Calories(), QStringLiteral("512.7"));
    EXPECT_EQ(f.Kcal(), 512);
    EXPECT_FALSE(f.CaloriesFromDayFile());

    // The day file, its name in other case, replaces it with the entry that names the exercise.
    dir.write(QStringLiteral("20080715.PDD"), fixture(QStringLiteral("20080715.PDD")));
    EXPECT_EQ(HrmFile::DayFilePath(hrm), dir.file(QStringLiteral("20080715.PDD")));
    ASSERT_TRUE(f.Read(hrm));
    EXPECT_EQ(f.Calories(), QStringLiteral("640"));
    EXPECT_TRUE(f.CaloriesFromDayFile());
    const QString second = dir.write(QStringLiteral("08071502.HRM"), fixture(QStringLiteral("08071501.hrm")));
    ASSERT_TRUE(f.Read(second));
    EXPECT_EQ(f.Kcal(), 820);
    // A day file that does not name the exercise leaves its energy alone.
    const QString third = dir.write(QStringLiteral("08071503.hrm"), fixture(QStringLiteral("08071501.hrm")));
    ASSERT_TRUE(f.Read(third));
    EXPECT_EQ(f.Calories(), QStringLiteral("512.7"));
}

TEST(HrmFile, DayFileEnergy)
{
    const char* exercise = "[Params]\nCalories=300\n";
    const struct {
        const char* day;
        const char* calories;
    } cases[] = {
        {"[ExerciseInfo1]\n1\n2\n0\t0\t0\t0\t0\t455\n08071501.HRM\n", "455"},  // the name without case
        {"[ExerciseInfo1]\n1\n2\n0\t0\t0\t0\t0\n08071501.hrm\n", "0"},         // empty energy
        {"[ExerciseInfo1]\n1\n2\n0\t0\t0\t0\t0\t455\n08071599.hrm\n", "300"},  // not named
        {"1\n2\n0\t0\t0\t0\t0\t455\n08071501.hrm\n", "300"},                   // no header before it
        {"[exerciseinfo1]\n1\n2\n0\t0\t0\t0\t0\t455\n08071501.hrm\n", "300"},  // header compared exactly
    };
    for (const auto& c : cases)
        EXPECT_EQ(parsed(exercise, c.day).Calories(), QString::fromLatin1(c.calories)) << c.day;

    HrmFile f;
    EXPECT_FALSE(f.Parse("Calories=1\n", QStringLiteral("08071501.hrm"),
                         "[ExerciseInfo1]\n1\n2\n0\t0\t0\t0\t0\tx\n08071501.hrm\n"));
    EXPECT_EQ(f.Error().line, 4);
    EXPECT_TRUE(f.Error().Text().startsWith(QStringLiteral("Datei \"20080715.pdd\", Zeile 4: ")))
        << f.Error().Text().toStdString();
}

TEST(HrmFile, MissingFileIsAnError)
{
    TempFolder dir;
    HrmFile f;
    EXPECT_FALSE(f.Read(dir.file(QStringLiteral("fehlt.hrm"))));
    EXPECT_TRUE(f.Error().Text().startsWith(QStringLiteral("Datei \"fehlt.hrm\": "))) << f.Error().Text().toStdString();
    EXPECT_EQ(f.Error().line, 0);
}

}  // namespace
