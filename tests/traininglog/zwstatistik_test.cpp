// The split statistics' pass over the grid's cell texts, without a window: divisors of the
// averages, heights and gradients, rows that do not convert, and the start values.
#include <gtest/gtest.h>

#include "platform/vcl/testhooks.h"
#include "tests/support/qstringprinter.h"
#include "traininglog/zwgrid.h"
#include "traininglog/zwstatistik.h"

namespace {

// A grid row with the five cells the pass reads.
QStringList row(const QString& pace, const QString& kmh, const QString& hdiff = QString(),
                const QString& gradient = QString(), const QString& splitDist = QString())
{
    QStringList r;
    for (int c = 0; c < zwgrid::ColumnCount; ++c)
        r << QString();
    r[zwgrid::colMinKm] = pace;
    r[zwgrid::colKmh] = kmh;
    r[zwgrid::colHDiff] = hdiff;
    r[zwgrid::colSteigung] = gradient;
    r[zwgrid::colSplitDist] = splitDist;
    return r;
}

TzwStatistik pass(const QList<QStringList>& rows, QList<int>* bad = nullptr)
{
    TzwStatistik st;
    QList<int> badRows;
    ZwStatisticsPass(st, rows, badRows, GermanFormatSettings());
    if (bad)
        *bad = badRows;
    return st;
}

TDateTime minutes(int m)
{
    return m * 60 / 86400.0;
}

}  // namespace

TEST(SplitStatisticsPass, AStartRowWithoutTimeDoesNotCountInTheAverages)
{
    struct Case {
        int rows;
        bool zeroStart;
        int divisor;
    };
    for (const Case c : {Case{10, true, 9}, Case{1, true, 1}, Case{10, false, 10}}) {
        QList<QStringList> rows;
        for (int i = 0; i < c.rows; ++i)
            rows << row(i == 0 && c.zeroStart ? "00:00:00" : "00:06:00", "10,0");
        const TzwStatistik st = pass(rows);
        const int timed = c.zeroStart ? c.rows - 1 : c.rows;
        EXPECT_DOUBLE_EQ(st.avgKmh, 10.0 * c.rows / c.divisor) << c.rows << " rows";
        EXPECT_NEAR(st.avgMinKm, minutes(6) * timed / c.divisor, 1e-12) << c.rows << " rows";
    }
}

TEST(SplitStatisticsPass, HeightsDistancesAndGradientsFollowTheSignOfTheHeightDifference)
{
    const TzwStatistik st = pass({row("00:05:00", "12,0", "20", "5,0", "400"), row("00:05:00", "12,0", "-30", "-5,0", "600"),
                                  row("00:05:00", "12,0", "0", "0,0", "1000"), row("00:05:00", "12,0")});
    EXPECT_EQ(st.hmBergauf, 20);
    EXPECT_EQ(st.hmBergab, -30);
    EXPECT_DOUBLE_EQ(st.streckeBergauf, 400);
    EXPECT_DOUBLE_EQ(st.streckeBergab, 600);
    EXPECT_DOUBLE_EQ(st.streckeFlach, 1000);
    EXPECT_DOUBLE_EQ(st.avgSteigung, 5.0);
    EXPECT_DOUBLE_EQ(st.avgGefaelle, -5.0);
    EXPECT_DOUBLE_EQ(st.maxSteigung, 5.0);
    EXPECT_DOUBLE_EQ(st.maxGefaelle, -5.0);
}

TEST(SplitStatisticsPass, SpeedAndPaceExtremesSkipZerosAndEmptyCells)
{
    const TzwStatistik st = pass({row("00:00:00", "0,0"), row("00:04:00", "15,0"), row("00:06:00", "10,0"), row("", "")});
    EXPECT_DOUBLE_EQ(st.maxKmh, 15.0);
    EXPECT_DOUBLE_EQ(st.minKmh, 10.0);
    EXPECT_NEAR(st.maxMinKm, minutes(6), 1e-12);
    EXPECT_NEAR(st.minMinKm, minutes(4), 1e-12);
    // The empty row counts in the divisor (3: the start row is left out) but adds nothing.
    EXPECT_DOUBLE_EQ(st.avgKmh, 25.0 / 3);

    const TzwStatistik still = pass({row("00:00:00", "0,0"), row("00:00:00", "0,0")});
    EXPECT_TRUE(still.noMinKmh());
    EXPECT_TRUE(still.noMinMinKm());
}

TEST(SplitStatisticsPass, RowsThatDoNotConvertAreListedAndTheRestIsComputed)
{
    QList<int> bad;
    QList<QStringList> rows;
    for (int i = 1; i <= 8; ++i)
        rows << row("00:05:00", i == 3 || i == 7 ? "abc" : "12,0", "10", "1,0", "100");
    const TzwStatistik st = pass(rows, &bad);
    EXPECT_EQ(bad, (QList<int>{3, 7}));
    // Heights come before the speed in a row: the two bad rows added theirs.
    EXPECT_EQ(st.hmBergauf, 80);
    EXPECT_DOUBLE_EQ(st.avgKmh, 12.0 * 6 / 8);

    ScriptedAnswers::pushMessageAnswer(mrOk);
    ReportBadStatisticsRows(bad);
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_TRUE(ScriptedAnswers::messages().first().Text.endsWith(": 3, 7"));
    EXPECT_EQ(ScriptedAnswers::messages().first().Type, mtWarning);
    ScriptedAnswers::clear();
    ReportBadStatisticsRows({});
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
}

TEST(SplitStatisticsPass, NoDataRowsGiveZeroAveragesAndTheStartMarks)
{
    const TzwStatistik st = pass({});
    EXPECT_EQ(st.avgKmh, 0.0);
    EXPECT_EQ(st.avgMinKm, 0.0);
    EXPECT_EQ(st.minKmh, 1000.0);
    EXPECT_EQ(st.minMinKm, 0.9999);
}
