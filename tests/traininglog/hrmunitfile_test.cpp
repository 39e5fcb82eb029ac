// The entry window's reading of an exercise file: samples at multiples of the interval, laps by
// their one-digit hour, the section's last line, and errors that name their line.
#include <gtest/gtest.h>

#include "tests/support/qstringprinter.h"
#include "traininglog/hrmunitfile.h"

namespace {

QByteArray lines(const QStringList& l)
{
    return l.join(QStringLiteral("\r\n")).toUtf8();
}

TEST(HrmUnitFile, SamplesLieAtMultiplesOfTheIntervalUpToTheLastLine)
{
    struct Case {
        const char* params;
        int interval;
    };
    const Case cases[] = {
        {"[Params]\nInterval=5\n[Settings]\nInterval=2\n", 5},
        {"[Params]\nInterval=0\n[Settings]\nInterval=5\n", 5},
        {"[Params]\nInterval=x\n[Settings]\nInterval=5\n", 5},  // no number: as missing
        {"[Params]\nLength=00:00:20.0\n", 0},                    // none: every time is 0
    };
    for (const Case& c : cases) {
        // The last sample has no line break after it; an empty line between samples is skipped.
        const QByteArray text = QByteArray(c.params) + "[HRData]\n120\t350\n121\t351\n\n122\t352\n123\t353";
        HrmUnitFile f;
        ASSERT_TRUE(f.ParseSamples(text)) << f.Error().Text().toStdString();
        EXPECT_EQ(f.Interval(), c.interval) << c.params;
        ASSERT_EQ(f.Samples().size(), 4) << c.params;
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(f.Samples()[k].ms, int64_t(k) * c.interval * 1000) << c.params;
            EXPECT_EQ(f.Samples()[k].puls, 120 + k);
            EXPECT_EQ(f.Samples()[k].hdiff, 350 + k);
        }
        // Meter is the line's index in the file: the empty line counts.
        const int first = int(QByteArray(c.params).count('\n')) + 1;
        EXPECT_EQ(f.Samples()[0].meter, first);
        EXPECT_EQ(f.Samples()[3].meter, first + 4);
    }
}

TEST(HrmUnitFile, SecondFieldIsZeroWhenMissingAndTheNextSectionEndsTheSamples)
{
    HrmUnitFile f;
    ASSERT_TRUE(f.ParseSamples(lines({"[Params]", "Interval=1", "[HRData]", "130", "131\t", "132\t\t9", "133\t7\t9",
                                      "[Trailer]", "1\t1"})))
        << f.Error().Text().toStdString();
    ASSERT_EQ(f.Samples().size(), 4);
    EXPECT_EQ(f.Samples()[0].puls, 130);
    EXPECT_EQ(f.Samples()[0].hdiff, 0);
    EXPECT_EQ(f.Samples()[1].hdiff, 0);
    EXPECT_EQ(f.Samples()[2].hdiff, 0);
    EXPECT_EQ(f.Samples()[3].hdiff, 7);
    EXPECT_EQ(f.Samples()[3].ms, 3000);
}

TEST(HrmUnitFile, AFileWithoutTheSectionGivesNoRowsAndAnEmptyFileIsAnError)
{
    HrmUnitFile f;
    EXPECT_TRUE(f.ParseSamples("[Params]\nInterval=5\n"));
    EXPECT_TRUE(f.Samples().isEmpty());
    EXPECT_TRUE(f.ParseLaps("[Params]\nInterval=5\n[HRData]\n120\n"));
    EXPECT_TRUE(f.Laps().isEmpty());
    // A file with nothing written in it is no exercise without rows: it is refused.
    for (const char* empty : {"", "\r\n  \r\n"}) {
        EXPECT_FALSE(f.ParseSamples(empty));
        EXPECT_EQ(f.Error().Text(), QStringLiteral("Die Datei ist leer."));
        EXPECT_FALSE(f.ParseLaps(empty));
        EXPECT_EQ(f.Error().Text(), QStringLiteral("Die Datei ist leer."));
    }
}

TEST(HrmUnitFile, AValueThatDoesNotConvertNamesItsLineAndGivesNoRows)
{
    QStringList sampleLines = {"[Params]", "Interval=1", "[HRData]"};
    while (sampleLines.size() < 39)
        sampleLines << QStringLiteral("120\t0");
    sampleLines << QStringLiteral("abc\t0") << QStringLiteral("120\t0");
    struct Case {
        QByteArray text;
        bool laps;
        int line;
        QString value;
    };
    const Case cases[] = {
        {lines(sampleLines), false, 40, "'abc'"},
        {"[Params]\nInterval=1\n[HRData]\n120\t1x\n", false, 4, "'1x'"},
        {"[Params]\nLength=0:7x:00.0\n[HRData]\n120\n", false, 2, "'0:7x:00'"},
        {"[Params]\n[IntTimes]\n0:05:00.0\t150\t1\n0:1x:00.0\t150\t1\n", true, 4, "'00:1x:00'"},
        {"[Params]\n[IntTimes]\n0:05:00.0\tab\t1\n", true, 3, "'ab'"},
    };
    for (const Case& c : cases) {
        HrmUnitFile f;
        EXPECT_FALSE(c.laps ? f.ParseLaps(c.text) : f.ParseSamples(c.text)) << c.text.constData();
        EXPECT_EQ(f.Error().line, c.line) << c.text.constData();
        EXPECT_TRUE(f.Error().Text().startsWith(QStringLiteral("Zeile %1: ").arg(c.line))) << f.Error().Text().toStdString();
        EXPECT_TRUE(f.Error().Text().contains(c.value)) << f.Error().Text().toStdString();
        EXPECT_TRUE(f.Samples().isEmpty());
        EXPECT_TRUE(f.Laps().isEmpty());
    }
}

TEST(HrmUnitFile, LapsAreTheLinesOfAOneDigitHourUpToTheNextSection)
{
    HrmUnitFile f;
    ASSERT_TRUE(f.ParseLaps(lines({"[Params]", "Interval=5", "[IntTimes]",
                                   "0:12:34.5\t152\t130\t145\t165",  // a lap
                                   "0\t0\t0\t0\t0\t112",              // its further lines
                                   "0\t1000\t0\t215",
                                   "10:12:34.5\t160\t1",             // two-digit hour: skipped
                                   "",
                                   "1:02:03.0\t95\t140",              // two-digit pulse
                                   "0:20:00.0\t98",                   // pulse at the line's end
                                   "[IntNotes]", "0:30:00.0\t170\t1"})))
        << f.Error().Text().toStdString();
    ASSERT_EQ(f.Laps().size(), 3);
    EXPECT_EQ(f.Laps()[0].ms, (12 * 60 + 34) * 1000);
    EXPECT_EQ(f.Laps()[0].puls, 152);
    EXPECT_EQ(f.Laps()[0].meter, 3);
    EXPECT_EQ(f.Laps()[1].ms, (3600 + 2 * 60 + 3) * 1000);
    EXPECT_EQ(f.Laps()[1].puls, 95);
    EXPECT_EQ(f.Laps()[1].meter, 8);
    EXPECT_EQ(f.Laps()[2].ms, 20 * 60 * 1000);
    EXPECT_EQ(f.Laps()[2].puls, 98);
}

TEST(HrmUnitFile, AMissingFileIsAnErrorOfTheWholeFile)
{
    HrmUnitFile f;
    EXPECT_FALSE(f.ReadSamples(QStringLiteral("/nonexistent/x.hrm")));
    EXPECT_EQ(f.Error().line, 0);
    EXPECT_TRUE(f.Error().Text().contains(QStringLiteral("x.hrm")));
}

}  // namespace
