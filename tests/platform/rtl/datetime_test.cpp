// TDateTime arithmetic: days since 1899-12-30 plus the fraction of the day, split after rounding
// to the millisecond; the calendar routines, ISO weeks and the replaceable clock.
#include <gtest/gtest.h>

#include <QDateTime>

#include <cmath>
#include <limits>

#include "platform/rtl/sysutils.h"
#include "tests/support/qstringprinter.h"

TEST(DateTime, EncodeDateAgainstKnownDayNumbers)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(2004, 2, 29), 38046.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
}

TEST(DateTime, DecodeDateRoundTripsEveryDayFrom1800To2200)
{
    for (int day = static_cast<int>(EncodeDate(1800, 1, 1)); day <= EncodeDate(2200, 12, 31); ++day) {
        int y, m, d;
        // Before 1899-12-30 the time of day is subtracted from the negative day.
        DecodeDate(day >= 0 ? day + 0.75 : day - 0.75, y, m, d);
        ASSERT_EQ(EncodeDate(y, m, d), day) << y << "-" << m << "-" << d;
        ASSERT_EQ(DayOfWeek(day), ((day % 7 + 7 + 6) % 7) + 1);  // 1899-12-30 was a Saturday
    }
}

TEST(DateTime, InvalidDatesAndTimesRaiseTheRuntimeMessages)
{
    struct {
        int y, m, d;
        bool valid;
    } dates[] = {{2003, 2, 29, false}, {2004, 2, 29, true}, {1900, 2, 29, false}, {2000, 2, 29, true},
                 {2003, 4, 31, false}, {2003, 13, 1, false}, {2003, 0, 1, false},  {2003, 1, 0, false},
                 {0, 1, 1, false},     {10000, 1, 1, false}, {2003, 12, 31, true}};
    for (const auto& c : dates) {
        TDateTime v = -99;
        EXPECT_EQ(TryEncodeDate(c.y, c.m, c.d, v), c.valid) << c.y << "-" << c.m << "-" << c.d;
        if (!c.valid) {
            EXPECT_EQ(v, -99);
            try {
                EncodeDate(c.y, c.m, c.d);
                ADD_FAILURE() << "no error for " << c.y << "-" << c.m << "-" << c.d;
            } catch (const EConvertError& e) {
                EXPECT_EQ(e.Message(), QStringLiteral("Ungültiges Argument für Datumskodierung"));
            }
        }
    }
    struct {
        int h, n, s, ms;
        bool valid;
    } times[] = {{23, 59, 59, 999, true}, {0, 0, 0, 0, true}, {24, 0, 0, 0, false},
                 {1, 60, 0, 0, false},    {1, 0, 60, 0, false}, {1, 0, 0, 1000, false}, {-1, 0, 0, 0, false}};
    for (const auto& c : times) {
        TDateTime v;
        EXPECT_EQ(TryEncodeTime(c.h, c.n, c.s, c.ms, v), c.valid) << c.h << ":" << c.n << ":" << c.s;
    }
    try {
        EncodeTime(24, 0, 0, 0);
        ADD_FAILURE() << "no error for 24:00";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Ungültiges Argument für Zeitkodierung"));
    }
}

TEST(DateTime, DurationsFromWholeMillisecondsCompareEqual)
{
    EXPECT_EQ(EncodeTime(1, 2, 3, 0), 3723000 / 86400000.0);
    EXPECT_EQ(EncodeTime(0, 0, 0, 1), 1 / MSecsPerDay);
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    // Every time of day decodes to what was encoded.
    for (int ms = 0; ms < 86400000; ms += 997) {
        int h, n, s, z;
        DecodeTime(EncodeTime(ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000), h, n, s, z);
        ASSERT_EQ(((h * 60 + n) * 60 + s) * 1000 + z, ms);
    }
}

TEST(DateTime, SplitRoundsToTheMillisecond)
{
    const TDateTime day = EncodeDate(2003, 3, 4);
    // A hair below midnight is the next day at 00:00, not 23:59:59.999.
    const TDateTime almost = day + 86399999.7 / MSecsPerDay;
    int y, m, d, h, n, s, z;
    DecodeDate(almost, y, m, d);
    DecodeTime(almost, h, n, s, z);
    EXPECT_EQ((std::array{y, m, d, h, n, s, z}), (std::array{2003, 3, 5, 0, 0, 0, 0}));
    EXPECT_EQ(DateOf(almost), day + 1);
    EXPECT_EQ(TimeOf(almost), 0.0);
    // 10:00 built as a sum of parts decodes exactly.
    DecodeTime(day + EncodeTime(9, 59, 59, 0) + EncodeTime(0, 0, 1, 0), h, n, s, z);
    EXPECT_EQ((std::array{h, n, s, z}), (std::array{10, 0, 0, 0}));
    EXPECT_EQ(DateOf(day + 0.75), day);
    EXPECT_EQ(TimeOf(day + 0.75), 0.75);
}

TEST(DateTime, NegativeDatesCountTheTimeForward)
{
    int y, m, d, h, n, s, z;
    DecodeDate(-1.25, y, m, d);
    DecodeTime(-1.25, h, n, s, z);
    EXPECT_EQ((std::array{y, m, d, h, n}), (std::array{1899, 12, 29, 6, 0}));
    EXPECT_EQ(DayOfWeek(-1), 6);  // Friday
    EXPECT_EQ(IncDay(-1.25, -1), -2.25);
    EXPECT_EQ(IncDay(-1.25, 3), 2.25);
}

TEST(DateTime, CalendarHelpers)
{
    EXPECT_TRUE(IsLeapYear(2004));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2003));
    EXPECT_EQ(DaysInAMonth(2004, 2), 29);
    EXPECT_EQ(DaysInAMonth(2003, 2), 28);
    EXPECT_EQ(DaysInAMonth(2003, 4), 30);
    EXPECT_EQ(DaysInMonth(EncodeDate(2003, 12, 5)), 31);

    const TDateTime tuesday = EncodeDate(2003, 3, 4) + EncodeTime(15, 7, 9, 45);
    EXPECT_EQ(YearOf(tuesday), 2003);
    EXPECT_EQ(MonthOf(tuesday), 3);
    EXPECT_EQ(DayOf(tuesday), 4);
    EXPECT_EQ(DayOfWeek(tuesday), 3);
    EXPECT_EQ(DayOfTheWeek(tuesday), 2);
    EXPECT_EQ(DayOfWeek(EncodeDate(2005, 1, 2)), 1);
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2005, 1, 2)), 7);
    EXPECT_EQ(IncDay(tuesday), tuesday + 1);
}

TEST(DateTime, IncMonthClampsTheDayAndKeepsTheTime)
{
    struct {
        int y, m, d, months;
        int ey, em, ed;
    } cases[] = {
        {2004, 1, 31, 1, 2004, 2, 29}, {2003, 1, 31, 1, 2003, 2, 28},  {2003, 12, 15, 1, 2004, 1, 15},
        {2003, 3, 31, -1, 2003, 2, 28}, {2003, 1, 15, -13, 2001, 12, 15}, {2003, 5, 31, 12, 2004, 5, 31},
        {2003, 8, 31, 1, 2003, 9, 30},  {2003, 1, 1, 0, 2003, 1, 1},
    };
    const TDateTime noon = EncodeTime(12, 30, 0, 0);
    for (const auto& c : cases)
        EXPECT_EQ(IncMonth(EncodeDate(c.y, c.m, c.d) + noon, c.months), EncodeDate(c.ey, c.em, c.ed) + noon)
            << c.y << "-" << c.m << "-" << c.d << " + " << c.months;
}

TEST(DateTime, IsoWeeksAtYearEnds)
{
    struct {
        int y, m, d;
        int week, weekYear;
    } cases[] = {
        {2003, 12, 29, 1, 2004}, {2005, 1, 2, 53, 2004}, {2005, 1, 3, 1, 2005},  {2004, 12, 31, 53, 2004},
        {2008, 12, 29, 1, 2009}, {2010, 1, 3, 53, 2009}, {2012, 12, 31, 1, 2013}, {2021, 1, 3, 53, 2020},
        {2007, 1, 1, 1, 2007},   {2003, 3, 4, 10, 2003}, {2003, 12, 28, 52, 2003},
    };
    for (const auto& c : cases) {
        int year = 0;
        EXPECT_EQ(WeekOfTheYear(EncodeDate(c.y, c.m, c.d) + 0.9, year), c.week) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(year, c.weekYear) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(WeekOfTheYear(EncodeDate(c.y, c.m, c.d)), c.week);
    }
}

TEST(DateTime, RoundIsHalfToEvenAndTruncCutsTowardZero)
{
    struct {
        double v;
        int64_t round, trunc;
    } cases[] = {{0.5, 0, 0},   {1.5, 2, 1},   {2.5, 2, 2},     {-2.5, -2, -2}, {-0.5, 0, 0},
                 {3.5, 4, 3},   {-1.5, -2, -1}, {2.4999, 2, 2}, {2.5000001, 3, 2}, {-2.7, -3, -2},
                 {1e15 + 0.5, 1000000000000000, 1000000000000000}};
    for (const auto& c : cases) {
        EXPECT_EQ(Round(c.v), c.round) << c.v;
        EXPECT_EQ(Trunc(c.v), c.trunc) << c.v;
    }
    // No integer stands for these: the runtime's invalid-operation error, not a made-up number.
    for (double v : {std::nan(""), std::numeric_limits<double>::infinity(), 1e19, -1e19}) {
        EXPECT_THROW(Round(v), Exception) << v;
        EXPECT_THROW(Trunc(v), Exception) << v;
    }
}

TEST(DateTime, ClockCanBeReplacedAndRestored)
{
    const TDateTime fixed = EncodeDate(2025, 6, 15) + EncodeTime(10, 30, 0, 0);
    SetClock([fixed] { return fixed; });
    EXPECT_EQ(Now(), fixed);
    EXPECT_EQ(Date(), EncodeDate(2025, 6, 15));
    EXPECT_EQ(Time(), EncodeTime(10, 30, 0, 0));
    SetClock({});
    const QDateTime now = QDateTime::currentDateTime();
    const TDateTime expected = EncodeDate(now.date().year(), now.date().month(), now.date().day()) +
                               now.time().msecsSinceStartOfDay() / MSecsPerDay;
    EXPECT_NEAR(Now(), expected, 60 / 86400.0);
}
