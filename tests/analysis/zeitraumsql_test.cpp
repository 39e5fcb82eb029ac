// The period statistics' rules without a window: the statement's conditions, the sort texts a
// user may type, the period presets, the totals and their texts, the criteria lines, and the
// reader of saved column views.
#include <gtest/gtest.h>

#include "analysis/columnview.h"
#include "analysis/zeitraumsql.h"
#include "tests/support/qstringprinter.h"
#include "tests/support/testenv.h"

namespace {

TDateTime day(int y, int m, int d)
{
    return EncodeDate(y, m, d);
}

}  // namespace

TEST(ZeitraumSql, SportAndFormConditions)
{
    EXPECT_EQ(SportCondition({1, 3}), "( (Sportart = 1) or (Sportart = 3) )");
    EXPECT_EQ(SportCondition({}), "(Sportart = -2)");
    EXPECT_EQ(FormCondition({2}), "( (Form = 2) )");
    EXPECT_EQ(FormCondition({}), "(form = -2)");
    EXPECT_EQ(PeriodCondition(day(2026, 1, 1), day(2026, 12, 31), "(S)", "(F)", GermanFormatSettings()),
              "CLng(datum)  between CLng(CDate(\"01.01.2026\")) and CLng(CDate(\"31.12.2026\"))  and (S) and (F)");
}

TEST(ZeitraumSql, QuickStatementSortsOnlyWithoutBlocks)
{
    EXPECT_EQ(QuickStatement("W", false, "Datum DESC", "Startzeit"),
              "SELECT * FROM zeitraumstat  WHERE W and (dat_id > 0) ORDER BY Datum DESC, Startzeit");
    EXPECT_EQ(QuickStatement("W", true, "Datum", "Startzeit"), "SELECT * FROM zeitraumstat  WHERE W");
}

TEST(ZeitraumSql, SortTextIsAColumnWithAnOptionalDirection)
{
    const QStringList columns = {"Datum", "Ort", "Startzeit", "Meter"};
    const struct {
        const char* text;
        const char* expected;  // nullptr: refused
    } cases[] = {
        {"Datum", "Datum"},
        {"  datum  desc ", "Datum DESC"},
        {"Ort asc", "Ort ASC"},
        {"Date", "Datum"},           // the English module's caption
        {"Distance DESC", "Meter DESC"},
        {"Starting time desc", "Startzeit DESC"},
        {"Datum; DELETE FROM daten", nullptr},
        {"Datum DESC, Ort", nullptr},
        {"Datum UP", nullptr},
        {"Datum DESC DESC", nullptr},
        {"Wetter", nullptr},         // no column of the result
        {"", nullptr},
        {"(SELECT 1)", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<QString> got = SortExpression(QString::fromUtf8(c.text), columns);
        if (c.expected)
            EXPECT_EQ(got.value_or("<refused>"), QString::fromUtf8(c.expected)) << c.text;
        else
            EXPECT_FALSE(got.has_value()) << c.text;
    }
}

TEST(ZeitraumSql, PeriodPresets)
{
    const struct {
        TPeriod (*preset)(TDateTime);
        TDateTime today;
        TDateTime from, to;
    } cases[] = {
        {WeekPeriod, day(2026, 12, 13) + 0.75, day(2026, 12, 7), day(2026, 12, 13)},  // Sunday
        {WeekPeriod, day(2026, 12, 14), day(2026, 12, 14), day(2026, 12, 14)},         // Monday
        {WeekPeriod, day(2026, 12, 10), day(2026, 12, 7), day(2026, 12, 10)},
        {MonthPeriod, day(2027, 2, 28), day(2027, 2, 1), day(2027, 2, 28)},
        {MonthPeriod, day(2027, 1, 31), day(2027, 1, 1), day(2027, 1, 31)},
        {YearPeriod, day(2026, 12, 10) + 0.5, day(2026, 1, 1), day(2026, 12, 31)},
    };
    for (const auto& c : cases) {
        const TPeriod p = c.preset(c.today);
        EXPECT_EQ(DateToStr(p.From, GermanFormatSettings()), DateToStr(c.from, GermanFormatSettings()));
        EXPECT_EQ(p.To, c.to) << DateToStr(p.To, GermanFormatSettings()).toStdString();
    }
}

TEST(ZeitraumSql, TotalsCountUnitsOnly)
{
    TPeriodTotals t;
    t.Add(1, 3600000 / 86400000.0, 100, 10500);
    t.Add(2, 1.0 + 1800000 / 86400000.0, 50, 6000);  // a day and a half hour: the half hour counts
    t.Add(-1, 0.5, 150, 16500);                         // the block's summary row
    t.Add(0, 0.1, 1, 1);
    EXPECT_EQ(t.Units, 2);
    EXPECT_EQ(t.Meters, 16500);
    EXPECT_EQ(t.Height, 150);
    EXPECT_EQ(t.Milliseconds, 5400000);

    EXPECT_EQ(DistanceTotalText(t.Meters, 0.001, "km"), "16 km") << "half to even";
    EXPECT_EQ(DistanceTotalText(17500, 0.001, "km"), "18 km");
    EXPECT_EQ(AverageDistanceText(t, 0.001, "km"), "8 km") << "8250 m, truncated";
    EXPECT_EQ(AverageHeightText(t), "75");

    const TPeriodTotals none;
    EXPECT_EQ(AverageDistanceText(none, 0.001, "km"), "n/a");
    EXPECT_EQ(AverageHeightText(none), "n/a");
}

TEST(ZeitraumSql, CriteriaLinesQuoteEveryValue)
{
    EXPECT_EQ(CriterionLine("Ort", "=", "Köln"), "Ort   =   \"Köln\"");
    EXPECT_EQ(CriterionLine("Ort", "like", ""), "Ort   like   \"\"");
    EXPECT_EQ(CriterionLine("Ort", "=", "a\" or \"1\"=\"1"), "Ort   =   \"a\"\" or \"\"1\"\"=\"\"1\"")
        << "a quote in the value stays inside the text";
    EXPECT_EQ(CriteriaConditionLines({"A", "B", "C"}), (QStringList{"WHERE", "A", "AND B", "AND C"}));
    EXPECT_EQ(CriteriaConditionLines({}), QStringList{"WHERE"});
}

TEST(ZeitraumSql, ConditionFilesKeepTheirLines)
{
    TempFolder dir;
    const QString file = dir.file("bedingung.sql");
    WriteConditionFile(file, {"WHERE ", "Ort = \"Köln\""});
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("WHERE \r\nOrt = \"K\xc3\xb6ln\"\r\n"));
    EXPECT_EQ(ReadConditionFile(file), "WHERE \nOrt = \"Köln\"");
    // A file of the old Windows program, in its code page.
    EXPECT_EQ(ReadConditionFile(dir.write("alt.sql", "WHERE\r\nOrt = \"K\xf6ln\"\r\n")), "WHERE\nOrt = \"Köln\"");
    EXPECT_THROW(ReadConditionFile(dir.file("fehlt.sql")), EFOpenError);
    EXPECT_THROW(WriteConditionFile(dir.file("kein/ordner.sql"), {"x"}), EFCreateError);
}

TEST(ColumnViewFile, RoundTripAndFilesThatAreNoView)
{
    const QList<TColumnSetting> columns = {{"dat_Id", "dat_Id", 64, false, Qt::AlignLeft},
                                           {"Ort", "Ort mit\tTab", 173, true, Qt::AlignLeft},
                                           {"Meter", "Meter", 40, true, Qt::AlignRight},
                                           {"Wetter", "Wetter", 74, false, Qt::AlignHCenter}};
    const TColumnViewRead back = ReadColumnView(WriteColumnView(columns));
    ASSERT_TRUE(back.Ok()) << back.Error.toStdString();
    ASSERT_EQ(back.Columns.size(), 4);
    EXPECT_EQ(back.Columns[1].Title, "Ort mit Tab");
    EXPECT_EQ(back.Columns[3], columns[3]);
    EXPECT_EQ(back.Columns[2], columns[2]);

    const struct {
        const char* bytes;
        int line;
    } bad[] = {
        {"", 1},
        {"TPF0\x0eTDBGridColumns", 1},  // a stream of the old program
        {"Orvalo-Spaltenansicht 1\n", 1},
        {"Orvalo-Spaltenansicht 1\nOrt\t173\t1\tL\tOrt\nMeter\tbreit\t1\tL\tMeter\n", 3},
        {"Orvalo-Spaltenansicht 1\nOrt\t173\t2\tL\tOrt\n", 2},
        {"Orvalo-Spaltenansicht 1\nOrt\t173\t1\tX\tOrt\n", 2},
        {"Orvalo-Spaltenansicht 1\nOrt\t173\t1\tL\n", 2},
    };
    for (const auto& b : bad) {
        const TColumnViewRead r = ReadColumnView(QByteArray(b.bytes));
        EXPECT_FALSE(r.Ok()) << b.bytes;
        EXPECT_EQ(r.Line, b.line) << b.bytes;
        EXPECT_TRUE(r.Columns.isEmpty());
    }
}
