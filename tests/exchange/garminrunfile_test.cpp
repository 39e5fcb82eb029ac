// Reading the watch's XML run files: runs, laps, track points, local start times and the rows
// the import writes for them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <ctime>

#include "exchange/garminrunfile.h"
#include "tests/support/testenv.h"

namespace {

const QString kFixture = QDir(QStringLiteral(ORV_EXCHANGE_FIXTURES)).filePath(QStringLiteral("forerunner.xml"));

// Sets the process's time zone for one test and puts the old one back.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone) : had_(qEnvironmentVariableIsSet("TZ")), old_(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ZoneScope()
    {
        if (had_)
            qputenv("TZ", old_);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    bool had_;
    QByteArray old_;
};

QString dateTimeText(TDateTime dt)
{
    return FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn:ss.zzz"), dt);
}

QByteArray oneLap(const QByteArray& lapChildren)
{
    return "<Runs>\n<Run>\n<Lap>" + lapChildren + "</Lap>\n</Run>\n</Runs>\n";
}

TEST(GarminRunFile, RealShapedFile)
{
    ZoneScope zone("Europe/Berlin");
    GarminRunFile f;
    ASSERT_TRUE(f.Read(kFixture)) << f.Error().Text().toStdString();
    // The second run has no lap: no start, no length; it is left out and counted. "Notes" is no run.
    ASSERT_EQ(f.Runs().size(), 2);
    EXPECT_EQ(f.SkippedRuns(), 1);

    const GarminRun& run = f.Runs()[0];
    EXPECT_EQ(run.line, 3);
    EXPECT_EQ(dateTimeText(run.StartUtc()), QStringLiteral("15.07.2008 05:30:00.000"));
    EXPECT_EQ(dateTimeText(run.StartLocal()), QStringLiteral("15.07.2008 07:30:00.000"));
    EXPECT_EQ(run.Length(), 3000);             // 3000.5, halves to even
    EXPECT_EQ(run.DurationMs(), (300 + 295 + 310) * 1000);  // each lap in whole seconds
    const QList<GarminSplitRow> laps = GarminLapRows(run);
    ASSERT_EQ(laps.size(), 3);
    EXPECT_EQ(laps[0].meter, 1000);
    EXPECT_EQ(laps[1].meter, 2000);
    EXPECT_EQ(laps[2].meter, 3000);
    EXPECT_EQ(laps[0].ms, 300000);             // "PT300.9S" counts 300 s
    EXPECT_EQ(laps[2].ms, 905000);

    // Points 0.001 degrees of latitude apart add 111 m each; the point without a position keeps
    // the previous distance and altitude; only rises of the rounded altitude add to the climb.
    const GarminTrack track = GarminTrackRows(run);
    ASSERT_EQ(track.rows.size(), 6);
    const int meters[] = {0, 111, 111, 222, 333, 444};
    const int heights[] = {100, 98, 98, 101, 102, 99};
    const int64_t times[] = {0, 30000, 45000, 60000, 90500, 120000};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(track.rows[i].meter, meters[i]) << i;
        EXPECT_EQ(track.rows[i].hdiff, heights[i]) << i;
        EXPECT_EQ(track.rows[i].ms, times[i]) << i;
    }
    EXPECT_EQ(track.climb, 4);

    // The run's own XML text reads back as the same run, as the import reads it again.
    EXPECT_TRUE(run.xml.startsWith(QStringLiteral("<Run>")));
    EXPECT_TRUE(run.xml.endsWith(QStringLiteral("</Run>")));
    GarminRunFile again;
    ASSERT_TRUE(again.Parse("<Runs>" + run.xml.toUtf8() + "</Runs>"));
    ASSERT_EQ(again.Runs().size(), 1);
    EXPECT_EQ(again.Runs()[0].points.size(), 6);
    EXPECT_EQ(again.Runs()[0].Length(), 3000);
    EXPECT_EQ(again.Runs()[0].xml, run.xml);

    // A winter run late in the evening: date and time of day come from one local moment.
    const GarminRun& winter = f.Runs()[1];
    EXPECT_EQ(dateTimeText(winter.StartUtc()), QStringLiteral("15.01.2008 23:30:00.000"));
    EXPECT_EQ(dateTimeText(winter.StartLocal()), QStringLiteral("16.01.2008 00:30:00.000"));
    EXPECT_TRUE(GarminTrackRows(winter).rows.isEmpty());
}

TEST(GarminRunFile, StartTimes)
{
    ZoneScope zone("UTC");
    const struct {
        const char* text;
        const char* utc;
    } cases[] = {
        {"2008-07-15T05:30:00Z", "15.07.2008 05:30:00.000"},
        {"2008-07-15T05:30:00.25Z", "15.07.2008 05:30:00.250"},
        {"2008-07-15T05:30:00.123456Z", "15.07.2008 05:30:00.123"},
        {" 2008-07-15T05:30:00Z ", "15.07.2008 05:30:00.000"},
        {"2008-07-15T05:30:00", "15.07.2008 05:30:00.000"},
        {"2008-07-15T07:30:00+02:00", "15.07.2008 05:30:00.000"},
        {"2008-07-15T00:30:00+0100", "14.07.2008 23:30:00.000"},
        {"1969-12-31T23:59:59Z", "31.12.1969 23:59:59.000"},
    };
    for (const auto& c : cases) {
        GarminRunFile f;
        ASSERT_TRUE(f.Parse(oneLap(QByteArray("<StartTime>") + c.text + "</StartTime>"))) << c.text;
        ASSERT_EQ(f.Runs().size(), 1);
        EXPECT_EQ(dateTimeText(f.Runs()[0].StartUtc()), QString::fromLatin1(c.utc)) << c.text;
        EXPECT_EQ(f.Runs()[0].StartLocal(), f.Runs()[0].StartUtc()) << c.text;
    }
}

TEST(GarminRunFile, LapValues)
{
    const struct {
        const char* duration;
        int64_t ms;
    } cases[] = {
        {"PT300.9S", 300000}, {"PT0S", 0}, {"PT1H2M3.5S", 3723000}, {"PT90M", 5400000}, {"300.9", 300000},
    };
    for (const auto& c : cases) {
        GarminRunFile f;
        ASSERT_TRUE(f.Parse(oneLap(QByteArray("<StartTime>2008-07-15T05:30:00Z</StartTime><Duration>") + c.duration +
                                   "</Duration><Length>12.5</Length>")))
            << c.duration << f.Error().Text().toStdString();
        EXPECT_EQ(f.Runs()[0].DurationMs(), c.ms) << c.duration;
        EXPECT_EQ(f.Runs()[0].Length(), 12) << c.duration;  // 12.5 to even
    }
}

TEST(GarminRunFile, ErrorsNameLineAndColumn)
{
    const struct {
        QByteArray xml;
        int line;
        int column;
        const char* says;
    } cases[] = {
        {"<Runs>\n<Run>\n<Lap>\n<StartTime>2008-13-15T05:30:00Z</StartTime>", 4, 12, "'2008-13-15T05:30:00Z'"},
        {oneLap("<StartTime>15.07.2008 05:30</StartTime>"), 3, 17, "kein gültiges Datum und Zeit"},
        {oneLap("<Length>1.000,5</Length>"), 3, 14, "'1.000,5' ist kein gültiger Gleitkommawert"},
        {oneLap("<Duration>P1D</Duration>"), 3, 16, "'P1D' ist keine gültige Dauer"},
        {oneLap("<Duration>PTS</Duration>"), 3, 16, "keine gültige Dauer"},
        {"<Runs>\n<Run>\n<Lap><Length>1</Lenght>\n</Run>\n</Runs>\n", 3, 0, "kein gültiges XML"},
        {"<Runs>\n<Run>\n</Runs>\n", 3, 0, "kein gültiges XML"},
        {"", 1, 0, "kein gültiges XML"},
        {"<?xml version=\"1.0\" encoding=\"KOI-9\"?><Runs/>", 1, 0, "KOI-9"},
        {"<?xml version=\"1.0\" encoding=\"KOI-9\"?><Runs>K\xf6ln</Runs>", 0, 0, "KOI-9"},
    };
    for (const auto& c : cases) {
        GarminRunFile f;
        EXPECT_FALSE(f.Parse(c.xml)) << c.xml.constData();
        EXPECT_EQ(f.Error().line, c.line) << c.xml.constData();
        if (c.column > 0) {
            EXPECT_EQ(f.Error().column, c.column) << c.xml.constData();
        }
        EXPECT_TRUE(f.Error().Text().contains(QString::fromUtf8(c.says))) << f.Error().Text().toStdString();
        if (c.line > 0) {
            EXPECT_TRUE(f.Error().Text().startsWith(QStringLiteral("Zeile %1, Spalte ").arg(c.line)));
        }
        EXPECT_TRUE(f.Runs().isEmpty());
    }
    GarminRunFile f;
    TempFolder dir;
    EXPECT_FALSE(f.Read(dir.file(QStringLiteral("fehlt.xml"))));
    EXPECT_TRUE(f.Error().Text().contains(QStringLiteral("fehlt.xml")));
}

TEST(GarminRunFile, DeclaredEncodingIsHonoured)
{
    GarminRunFile f;
    ASSERT_TRUE(f.Parse("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Runs><Notes>K\xf6ln</Notes>"
                        "<Run><Lap><StartTime>2008-07-15T05:30:00Z</StartTime></Lap></Run></Runs>"))
        << f.Error().Text().toStdString();
    EXPECT_EQ(f.Runs().size(), 1);
    EXPECT_FALSE(f.Parse("<Runs><Notes>K\xf6ln</Notes></Runs>"));  // not UTF-8 without a declaration
}

}  // namespace

namespace {

// A run of two laps and two track points: the second lap's length and duration, the second
// point's latitude and altitude, and the first point's altitude as given.
QByteArray runWith(const QByteArray& length, const QByteArray& duration, const QByteArray& latitude,
                   const QByteArray& altitude, const QByteArray& firstAltitude = "100")
{
    return "<Runs>\n<Run>\n"
           "<Lap><StartTime>2008-07-15T05:30:00Z</StartTime><Length>1000</Length><Duration>PT300S</Duration></Lap>\n"
           "<Lap><Length>" + length + "</Length><Duration>" + duration + "</Duration></Lap>\n"
           "<Track>\n"
           "<Trackpoint><Time>2008-07-15T05:30:00Z</Time><Position><Latitude>51</Latitude><Longitude>7</Longitude>"
           "<Altitude>" + firstAltitude + "</Altitude></Position></Trackpoint>\n"
           "<Trackpoint><Time>2008-07-15T05:30:10Z</Time><Position><Latitude>" + latitude +
           "</Latitude><Longitude>7</Longitude><Altitude>" + altitude + "</Altitude></Position></Trackpoint>\n"
           "</Track>\n</Run>\n</Runs>\n";
}

}  // namespace

TEST(GarminRunFile, ValuesTheUnitCannotHoldGiveTheRunAProblemWithItsLine)
{
    const struct {
        const char* name;
        QByteArray xml;
        int line;  // 0: no problem
        const char* says;
    } cases[] = {
        {"plain", runWith("1000", "PT300S", "51.001", "120"), 0, ""},
        {"height at the field's edge", runWith("1000", "PT300S", "51.001", "-32768"), 0, ""},
        {"height 1e308", runWith("1000", "PT300S", "51.001", "1e308"), 7, "Die Höhe 1e308 m"},
        {"height 3000000000", runWith("1000", "PT300S", "51.001", "3000000000"), 7, "3000000000"},
        {"height not a number", runWith("1000", "PT300S", "51.001", "nan"), 7, "Die Höhe nan m"},
        {"latitude 200", runWith("1000", "PT300S", "200", "120"), 7, "Der Breitengrad 200"},
        {"infinite length", runWith("inf", "PT300S", "51.001", "120"), 4, "Die Länge inf m"},
        {"negative length", runWith("-5", "PT300S", "51.001", "120"), 4, "Die Länge -5 m"},
        {"laps longer than the field", runWith("2147483000", "PT300S", "51.001", "120"), 4, "zusammen länger"},
        {"duration of 20000 years", runWith("1000", "PT631152000000S", "51.001", "120"), 4, "Die Dauer"},
        {"climb beyond the field", runWith("1000", "PT300S", "51.001", "32767", "-32768"), 2, "Anstieg von 65535 m"},
    };
    for (const auto& c : cases) {
        GarminRunFile f;
        ASSERT_TRUE(f.Parse(c.xml)) << c.name << ": " << f.Error().Text().toStdString();
        ASSERT_EQ(f.Runs().size(), 1) << c.name;
        const GarminRun& run = f.Runs()[0];
        EXPECT_EQ(run.Importable(), c.line == 0) << c.name;
        EXPECT_EQ(run.problem.line, c.line) << c.name << ": " << run.problem.Text().toStdString();
        EXPECT_TRUE(run.problem.Text().contains(QString::fromUtf8(c.says))) << c.name << ": "
                                                                          << run.problem.Text().toStdString();
        // The list shows what the fields hold, whatever the file says.
        EXPECT_GE(run.Length(), 0) << c.name;
        EXPECT_GE(run.DurationMs(), 0) << c.name;
    }
}

TEST(GarminRunFile, ErrorsOfAFileNameTheFile)
{
    TempFolder dir;
    const QString bad = dir.write(QStringLiteral("bad.xml"), "<Runs>\n<Run>\n<Lap></Run>\n</Runs>\n");
    GarminRunFile f;
    EXPECT_FALSE(f.Read(bad));
    EXPECT_TRUE(f.Error().Text().startsWith(QStringLiteral("Datei \"%1\", Zeile 3, Spalte ").arg(bad)))
        << f.Error().Text().toStdString();
}
