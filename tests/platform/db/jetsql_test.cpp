// The Jet SQL translator: each construct the program writes is translated and run against a
// small athlete database (three units, two blocks, splits), checking the rows that come back.
#include <gtest/gtest.h>

#include <QFile>

#include <sqlite3.h>

#include "platform/db/jetsql.h"
#include "platform/db/jetsqlfunctions.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/messages.h"
#include "tests/support/testenv.h"

namespace {

int noCase(void*, int n1, const void* a, int n2, const void* b)
{
    const QString x = QString::fromUtf8(static_cast<const char*>(a), n1);
    const QString y = QString::fromUtf8(static_cast<const char*>(b), n2);
    return x.compare(y, Qt::CaseInsensitive);
}

const char* kFixture = R"(
CREATE TABLE DATEN (dat_Id INTEGER PRIMARY KEY AUTOINCREMENT, Datum DATETIME, Ort VARCHAR(30) COLLATE NOCASE,
  Form INTEGER, Startzeit DATETIME, Zeit DATETIME, Meter INTEGER, Hoehendifferenz SMALLINT, Sportart INTEGER,
  Belastungsstufe SMALLINT, Gewicht DOUBLE, User1 VARCHAR(20) COLLATE NOCASE, trainingsblock INTEGER);
CREATE TABLE zeit (zei_Id INTEGER, Meter INTEGER DEFAULT 0, Zwischenzeit DATETIME DEFAULT 0, Puls SMALLINT,
  HDiff SMALLINT, Notitz VARCHAR(100) COLLATE NOCASE, zei_hrm BOOLEAN);
CREATE TABLE TRAININGSBLOCK (trb_Id INTEGER PRIMARY KEY, trb_Name VARCHAR(50) COLLATE NOCASE,
  trb_created DATETIME, trb_sportart INTEGER, trb_form INTEGER);
CREATE TABLE sportart (Spo_Id INTEGER PRIMARY KEY, Spo_Name VARCHAR(20) COLLATE NOCASE, Spo_Farbe INTEGER,
  Spo_distance INTEGER, Spo_speed INTEGER, Spo_orderID SMALLINT);
CREATE TABLE BELSTUFE (bel_ID INTEGER PRIMARY KEY, bel_Name VARCHAR(50) COLLATE NOCASE, bel_Farbe INTEGER);
CREATE TABLE FORM (For_Id INTEGER PRIMARY KEY, For_Form VARCHAR(20) COLLATE NOCASE, For_Planung BOOLEAN);
CREATE TABLE unit (unt_id INTEGER PRIMARY KEY, unt_type INTEGER, unt_name VARCHAR(50) COLLATE NOCASE,
  unt_shortname VARCHAR(9) COLLATE NOCASE, unt_calc DOUBLE);
CREATE VIEW zeitraumstat AS SELECT Datum, Ort, Meter, Zeit, dat_Id, trainingsblock FROM DATEN ORDER BY Datum DESC;
INSERT INTO DATEN VALUES (1, 38061, 'Berlin', 1, 0.375, 0.03125, 10000, 20, 1, 1, 70.5, NULL, 1);
INSERT INTO DATEN VALUES (2, 38062, 'Ärger', 2, 0.5, 0.01, 100, 0, 2, 2, 71, 'x', 1);
INSERT INTO DATEN VALUES (3, 38100, 'München', 1, 0.25, NULL, 1000, 5, 1, 1, 72, NULL, NULL);
INSERT INTO zeit VALUES (1, 1000, 0.003125, 150, 5, 'erster', 0);
INSERT INTO zeit VALUES (1, 2000, 0.00636574074, 155, 8, NULL, 0);
INSERT INTO zeit VALUES (1, 0, 0.0000578703704, 120, 0, NULL, 1);
INSERT INTO TRAININGSBLOCK VALUES (1, 'Block A', 38062, 1, 1);
INSERT INTO TRAININGSBLOCK VALUES (2, 'Leer', 38070, 1, 1);
INSERT INTO sportart VALUES (1, 'Laufen', 255, 5, 1, 1);
INSERT INTO sportart VALUES (2, 'Rad', 65280, 5, 1, 2);
INSERT INTO BELSTUFE VALUES (1, 'GA1', 255);
INSERT INTO BELSTUFE VALUES (2, 'GA2', 65280);
INSERT INTO FORM VALUES (1, 'Training', 0);
INSERT INTO FORM VALUES (2, 'Wettkampf', 0);
INSERT INTO unit VALUES (1, 2, 'min/km', 'min/km', 1);
INSERT INTO unit VALUES (5, 1, 'Kilometer', 'km', 0.001);
)";

// An athlete-shaped database in memory with the translator and the Jet functions on it, in
// German settings.
class JetSqlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        FormatSettings().LongTimeFormat = QStringLiteral("hh:mm:ss");
        open(kFixture);
    }
    void TearDown() override
    {
        sqlite3_close(db_);
        FormatSettings() = saved_;
    }

    void open(const QByteArray& script)
    {
        ASSERT_EQ(sqlite3_open(":memory:", &db_), SQLITE_OK);
        sqlite3_create_collation(db_, "NOCASE", SQLITE_UTF8, nullptr, noCase);
        RegisterJetFunctions(db_);
        char* err = nullptr;
        ASSERT_EQ(sqlite3_exec(db_, script.constData(), nullptr, nullptr, &err), SQLITE_OK) << err;
        sqlite3* db = db_;
        tr_ = std::make_unique<TJetTranslator>([db]() { return db; });
    }

    // Runs a translated statement; every row as its columns joined by "|".
    QStringList rows(const QString& jet, const QVariantList& params = {}, bool readOnly = false)
    {
        const QString sql = readOnly ? tr_->TranslateReadOnly(jet) : tr_->translate(jet);
        sqlite3_stmt* st = nullptr;
        const QByteArray u = sql.toUtf8();
        if (readOnly) {
            st = PrepareReadOnly(db_, sql);
        } else if (sqlite3_prepare_v2(db_, u.constData(), -1, &st, nullptr) != SQLITE_OK) {
            throw EDatabaseError(QString::fromUtf8(sqlite3_errmsg(db_)) + QStringLiteral(" in ") + sql);
        }
        for (int i = 0; i < params.size(); ++i) {
            const QByteArray p = params[i].toString().toUtf8();
            sqlite3_bind_text(st, i + 1, p.constData(), p.size(), SQLITE_TRANSIENT);
        }
        QStringList out;
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            QStringList cols;
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                cols << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
            out << cols.join(QLatin1Char('|'));
        }
        const QString err = QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE)
            throw EDatabaseError(err);
        return out;
    }
    void exec(const QString& jet) { rows(jet); }

    sqlite3* db_ = nullptr;
    std::unique_ptr<TJetTranslator> tr_;
    TFormatSettings saved_;
};

struct Case {
    const char* construct;
    const char* jet;
    const char* expected;  // rows joined by ","
};

// One row per construct the program's statements use.
const Case kSelectCases[] = {
    {"double-quoted text with doubled quote", R"(SELECT dat_Id FROM daten WHERE Ort = "Berlin" OR Ort = "a""b")", "1"},
    {"single-quoted text, no case", "SELECT dat_Id FROM daten WHERE Ort = 'BERLIN'", "1"},
    {"umlauts without case", "SELECT dat_Id FROM daten WHERE Ort = 'MÜNCHEN'", "3"},
    {"bracketed names", "SELECT [daten].[dat_Id] FROM [daten] WHERE [Meter] > 500 ORDER BY [dat_Id]", "1,3"},
    {"& with Null and number", R"(SELECT Ort & "-" & Meter & User1 FROM daten WHERE dat_Id = 1)", "Berlin-10000"},
    {"& with a date and a float", R"(SELECT "am " & Datum & " " & Gewicht FROM daten WHERE dat_Id = 1)", "am 15.03.2004 70,5"},
    {"True", "SELECT Meter FROM zeit WHERE zei_hrm = True", "0"},
    {"= -1 on a Boolean", "SELECT Meter FROM zeit WHERE zei_hrm = -1", "0"},
    {"False", "SELECT Meter FROM zeit WHERE zei_hrm = False ORDER BY Meter", "1000,2000"},
    {"month-first date", "SELECT dat_Id FROM daten WHERE Datum = #3/15/2004#", "1"},
    {"month-first, two digits", "SELECT dat_Id FROM daten WHERE Datum = #03/16/2004#", "2"},
    {"month above 12 swaps", "SELECT dat_Id FROM daten WHERE Datum = #16/03/2004#", "2"},
    {"day-first date", "SELECT dat_Id FROM daten WHERE Datum = #16.03.2004#", "2"},
    {"ISO date", "SELECT dat_Id FROM daten WHERE Datum = #2004-04-23#", "3"},
    {"date with time", "SELECT dat_Id FROM daten WHERE Datum < #3/15/2004 12:00:00#", "1"},
    {"date literal value", "SELECT #03/15/2004#", "38061.0"},
    {"text against a date column", "SELECT dat_Id FROM daten WHERE Datum = '16.03.2004'", "2"},
    {"time text against a time column", R"(SELECT Meter FROM zeit WHERE Zwischenzeit < "00:05:00" ORDER BY Meter)", "0,1000"},
    {"CDate of text, CLng", R"(SELECT CLng(CDate("01.03.2004")))", "38047"},
    {"CLng half to even", "SELECT CLng(2.5) & ' ' & CLng(3.5) & ' ' & CInt(-2.5)", "2 4 -2"},
    {"CStr of numbers and a date", "SELECT CStr(Gewicht) & '|' & CStr(Datum) & '|' & CStr(Meter) FROM daten WHERE dat_Id = 1", "70,5|15.03.2004|10000"},
    {"Yes and No", "SELECT Meter FROM zeit WHERE zei_hrm = Yes OR (zei_hrm = No AND Meter = 1000) ORDER BY Meter", "0,1000"},
    {"CDbl of a date", "SELECT CDbl(Datum) FROM daten WHERE dat_Id = 3", "38100.0"},
    {"Int and Fix", "SELECT Int(-2.5) & ' ' & Fix(-2.5) & ' ' & Round(2.5) & ' ' & Round(2.345, 2)", "-3 -2 2 2,34"},
    {"Year Month Day", R"(SELECT Year(Datum) & "/" & Month([Datum]) & "/" & Day(Datum) FROM daten WHERE dat_Id = 3)", "2004/4/23"},
    {"Weekday", "SELECT Weekday(#3/15/2004#) & ' ' & Weekday(#3/15/2004#, 2)", "2 1"},
    {"DatePart", R"(SELECT DatePart("ww", #3/15/2004#, 2, 2) & ' ' & DatePart("q", #3/15/2004#) & ' ' & DatePart("yyyy", Datum) FROM daten WHERE dat_Id = 1)", "12 1 2004"},
    {"DateAdd month end", R"(SELECT CLng(DateAdd("m", 1, #1/31/2004#)))", "38046"},
    {"DateDiff", R"(SELECT DateDiff("d", #3/1/2004#, #3/15/2004#) & ' ' & DateDiff("m", #12/31/2003#, #1/1/2004#))", "14 1"},
    {"IIf", R"(SELECT IIf(Meter > 500, "lang", "kurz") FROM daten ORDER BY dat_Id)", "lang,kurz,lang"},
    {"Nz", R"(SELECT Nz(User1, "leer") FROM daten ORDER BY dat_Id)", "leer,x,leer"},
    {"IsNull and isnull(x)", "SELECT dat_Id FROM daten WHERE isnull(zeit) OR IsNull(Ort)", "3"},
    {"Format of dates and numbers", R"(SELECT Format(Datum, "yyyy-mm-dd") & ' ' & Format(Zeit, "hh:nn:ss") & ' ' & Format(Meter / 1000, "0.00") & ' ' & Format(Meter, "#,##0") FROM daten WHERE dat_Id = 1)", "2004-03-15 00:45:00 10,00 10.000"},
    {"text functions", R"(SELECT Left(Ort, 2) & Right(Ort, 2) & Mid(Ort, 2, 3) & Len(Ort) & UCase(Ort) & LCase(Ort) & InStr(Ort, "R") & Trim("  a  ") FROM daten WHERE dat_Id = 1)", "Beinerl6BERLINberlin3a"},
    {"Mod and integer division", "SELECT 10 Mod 3 & ' ' & 7 \\ 2 & ' ' & 7 / 2", "1 3 3,5"},
    {"DLookup as correlated sub-select",
     R"(Select belastungsstufe,DLookup("bel_farbe","belstufe","bel_id = " & belastungsstufe) as farbe,DLookup("[bel_name]","belstufe","bel_id = " & belastungsstufe) as lookBelstufe, sum(daten.meter) as meter from (SELECT * from daten where trainingsblock = 1) group by  trainingsblock, belastungsstufe)",
     "1|255|GA1|10000,2|65280|GA2|100"},
    {"DLookup with a text criterion read per row",
     R"(SELECT DLookup("spo_name", "sportart", "spo_name = '" & "Rad" & "'"))", "Rad"},
    {"aggregate over a date-time column stays days", "SELECT CLng(Sum(Zeit) * 86400) FROM daten WHERE trainingsblock = 1", "3564"},
    {"LIKE with umlaut", "SELECT dat_Id FROM daten WHERE Ort Like 'ä%'", "2"},
    {"LIKE with _", "SELECT dat_Id FROM daten WHERE Ort Like 'B_rlin'", "1"},
    {"LIKE without case, past a first partial match", "SELECT dat_Id FROM daten WHERE Ort Like '%R%N'", "1"},
    {"LIKE of an ASCII pattern on text with an umlaut", "SELECT dat_Id FROM daten WHERE Ort Like 'm_NCHEN'", "3"},
    {"LIKE on a number", "Select dat_Id From daten Where Meter Like '10%' Order By datum", "1,2,3"},
    {"LIKE on a date", "Select dat_Id From daten Where Datum Like '16.03%' Order By datum", "2"},
    {"LIKE without a blank before the pattern", "Select dat_Id from daten where User1 like'x'", "2"},
    // The provider's wildcards are % and _: * and ? are plain characters and match themselves.
    {"* and ? are no wildcards", "SELECT dat_Id FROM daten WHERE Ort Like 'B*' OR Ort Like '?rger' OR Ort Like 'M?nchen'", ""},
    {"* matches a *", "SELECT dat_Id FROM daten WHERE Ort & '*?' Like 'berlin*?'", "1"},
    {"derived table without alias",
     "SELECT daten.sportart, Sum(daten.meter) FROM (SELECT * from daten where Meter > 500) GROUP BY daten.sportart", "1|11000"},
    {"derived table of a join without alias",
     "SELECT Month([Datum]) AS Monat, Sum (daten.meter) AS m FROM (Select * from daten left outer join form on (daten.form = form.for_id) WHERE dat_Id < 3)GROUP BY Month([Datum]) ",
     "3|10100"},
    {"nested parenthesised joins",
     "SELECT zeit.*,unit.unt_shortName,unit.unt_Name,unit.unt_calc FROM ((zeit INNER JOIN daten on (daten.dat_id = zeit.zei_id)) inner join sportart on (daten.sportart = sportart.spo_id)) inner join unit on (sportart.spo_distance = unit.unt_id)\r\nwhere zei_id = 1 order by zeit.meter",
     "1|0|5.78703704e-05|120|0||1|km|Kilometer|0.001,1|1000|0.003125|150|5|erster|0|km|Kilometer|0.001,1|2000|0.00636574074|155|8||0|km|Kilometer|0.001"},
    {"LEFT JOIN in parentheses",
     "Select daten.dat_Id, zeit.Meter From (daten left outer join zeit on (daten.dat_id = zeit.zei_id)) inner join sportart on (daten.sportart = sportart.spo_id) Where zeit.Meter Is Null ORDER BY datum",
     "2|,3|"},
    {"trailing ; and CRLF", "SELECT dat_Id\r\nFROM daten\r\nWHERE dat_Id = 2;", "2"},
    {"view keeps its order", "SELECT dat_Id FROM zeitraumstat WHERE meter > 0", "3,2,1"},
    {"CLng(datum) between CLng(CDate(...))",
     R"(SELECT dat_Id FROM zeitraumstat  WHERE CLng(datum)  between CLng(CDate("15.03.2004")) and CLng(CDate("16.03.2004")) )", "2,1"},
    {"TOP becomes LIMIT", "SELECT TOP 2 dat_Id FROM daten ORDER BY Meter DESC", "1,3"},
    {"IN list and NOT IN sub-select", "SELECT trb_Id FROM trainingsblock WHERE trb_Id IN (1, 2) AND trb_Id NOT IN (SELECT trainingsblock FROM daten)", "2"},
    {"unnamed expressions are Expr1000...", "SELECT Max(zeit.Meter), Max(zeit.Zwischenzeit) AS zwZeit FROM zeit WHERE (((zeit.Meter)<1500) AND ((zeit.zei_Id)=1))", "1000|0.003125"},
};

TEST_F(JetSqlTest, EachConstructReturnsTheRightRows)
{
    for (const Case& c : kSelectCases) {
        SCOPED_TRACE(c.construct);
        try {
            EXPECT_EQ(rows(QString::fromUtf8(c.jet)).join(QLatin1Char(',')), QString::fromUtf8(c.expected))
                << tr_->translate(QString::fromUtf8(c.jet)).toStdString();
        } catch (const Exception& e) {
            ADD_FAILURE() << e.Message().toStdString();
        }
    }
}

TEST_F(JetSqlTest, TextParametersAgainstDateAndNumberColumns)
{
    EXPECT_EQ(rows("SELECT dat_Id FROM daten WHERE (daten.Datum) >= :start", {"01.04.2004"}), QStringList{"3"});
    EXPECT_EQ(rows("SELECT dat_Id FROM daten WHERE Meter = :m", {"100"}), QStringList{"2"});
    // Jet reports a non-numeric value against a number column instead of matching nothing.
    EXPECT_THROW(rows("SELECT dat_Id FROM daten WHERE Meter = :m", {"abc"}), EDatabaseError);
    EXPECT_THROW(rows("SELECT dat_Id FROM daten WHERE Meter = 'abc'"), EDatabaseError);
    EXPECT_THROW(rows("SELECT dat_Id FROM daten WHERE Datum = 'kein Datum'"), EDatabaseError);
}

// A saved query shaped like the period statistics' one: a unit row per unit and a summary row per
// block whose distance and time are sums, so SQLite declares no type for Meter and Zeit. A quoted
// value compared with them is still read as a time or a number, for unit and block rows alike.
TEST_F(JetSqlTest, QuotedValuesAgainstTheUntypedColumnsOfASavedQuery)
{
    char* err = nullptr;
    ASSERT_EQ(sqlite3_exec(db_, R"(CREATE VIEW perioden AS SELECT dat_Id, Meter, Zeit FROM (
        SELECT d.dat_Id AS dat_Id, d.Meter AS Meter, d.Zeit AS Zeit FROM DATEN d
        UNION ALL
        SELECT -b.trb_Id, COALESCE(t.Meter, 0), COALESCE(t.Zeit, 0) FROM TRAININGSBLOCK b
        LEFT JOIN (SELECT trainingsblock, SUM(Meter) AS Meter, SUM(Zeit) AS Zeit FROM DATEN GROUP BY trainingsblock) t
          ON t.trainingsblock = b.trb_Id))",
                           nullptr, nullptr, &err),
              SQLITE_OK)
        << err;
    // Units: 1 (10000 m, 00:45:00), 2 (100 m, 00:14:24), 3 (1000 m, no time); block 1 holds
    // units 1 and 2 (10100 m, 00:59:24), block 2 none (0 m, 00:00:00).
    const Case cases[] = {
        {"time below", R"(SELECT dat_Id FROM perioden WHERE Zeit < "00:30:00" ORDER BY dat_Id)", "-2,2"},
        {"time at or above", R"(SELECT dat_Id FROM perioden WHERE Zeit >= "00:45:00" ORDER BY dat_Id)", "-1,1"},
        {"time on the left", R"(SELECT dat_Id FROM perioden WHERE "00:45:00" = Zeit)", "1"},
        {"number above", R"(SELECT dat_Id FROM perioden WHERE Meter > "5000" ORDER BY dat_Id)", "-1,1"},
        {"decimal comma", R"(SELECT dat_Id FROM perioden WHERE Meter > "10000,5" ORDER BY dat_Id)", "-1"},
        {"between", R"(SELECT dat_Id FROM perioden WHERE Meter BETWEEN "100" AND "1000" ORDER BY dat_Id)", "2,3"},
        {"in", R"(SELECT dat_Id FROM perioden WHERE Meter IN ("0", "10100") ORDER BY dat_Id)", "-2,-1"},
        {"not equal", R"(SELECT dat_Id FROM perioden WHERE Meter <> "0" AND Zeit <= "00:59:24" ORDER BY dat_Id)", "-1,1,2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.construct);
        EXPECT_EQ(rows(QString::fromUtf8(c.jet), {}, true).join(QLatin1Char(',')), QString::fromUtf8(c.expected))
            << tr_->TranslateReadOnly(QString::fromUtf8(c.jet)).toStdString();
    }
    // A value that is no number or no time is the translator's error, never a silent match.
    for (const char* refused : {R"(SELECT * FROM perioden WHERE Meter > "zehn")",
                                R"(SELECT * FROM perioden WHERE Zeit < "eine Stunde")",
                                R"(SELECT * FROM perioden WHERE Meter IN ("1", "x"))"}) {
        SCOPED_TRACE(refused);
        EXPECT_EQ(messageOf<EDatabaseError>([&] { rows(QString::fromUtf8(refused), {}, true); }),
                  jetsql::TypeMismatchMessage());
    }
}

TEST_F(JetSqlTest, WritesConvertAndRewriteWhatSqliteLacks)
{
    // A time text written into a date-time column is read as CDate reads it.
    exec("INSERT INTO zeit (zei_id,meter,notitz,zwischenzeit,puls,zei_hrm) VALUES ( 2, 500, 'a', '00:05:12', 140, False)");
    EXPECT_EQ(rows("SELECT CLng(Zwischenzeit * 86400), zei_hrm FROM zeit WHERE zei_id = 2"), QStringList{"312|0"});
    exec("UPDATE daten SET Datum = '01.05.2004', Ort = \"Köln\" WHERE dat_Id = 2");
    EXPECT_EQ(rows("SELECT CDbl(Datum), Ort FROM daten WHERE dat_Id = 2"), QStringList{"38108.0|Köln"});

    exec("DELETE * FROM zeit WHERE (zei_id = 1) and (zei_hrm =True)");
    EXPECT_EQ(rows("SELECT Meter FROM zeit WHERE zei_id = 1 ORDER BY Meter"), (QStringList{"1000", "2000"}));

    // Blocks without units go, although one unit has no block (Null in the sub-select).
    exec("DELETE\r\nFROM trainingsblock a\r\nWHERE a.trb_id not in (select daten.trainingsblock from daten);");
    EXPECT_EQ(rows("SELECT trb_Id FROM trainingsblock"), QStringList{"1"});

    exec("UPDATE daten SET zeit = CDate(CDbl(zeit) - Int(zeit))");
    exec("Delete From daten where dat_id = 3");
    EXPECT_EQ(rows("SELECT Count(*) FROM daten"), QStringList{"2"});
}

TEST_F(JetSqlTest, ExactlyOneStatementAndReadOnlyUserText)
{
    EXPECT_THROW(tr_->translate("SELECT * FROM daten; DELETE FROM daten"), EDatabaseError);
    EXPECT_THROW(tr_->translate("SELECT * FROM daten WHERE (Meter > 1"), EDatabaseError);

    const QString freeCondition = QStringLiteral("SELECT * FROM zeitraumstat ");
    EXPECT_EQ(rows(freeCondition + "WHERE\r\nMeter > 500\r\n", {}, true).size(), 2);
    EXPECT_THROW(rows(freeCondition + "; DELETE FROM daten", {}, true), EDatabaseError);
    for (const char* refused : {"DELETE FROM daten", "UPDATE daten SET Meter = 0", "PRAGMA writable_schema = 1",
                                "ATTACH DATABASE 'x' AS y", "DROP TABLE daten", "SELECT TOP 1 * FROM daten",
                                "SELECT DISTINCTROW Ort FROM daten", "SELECT * INTO kopie FROM daten"}) {
        SCOPED_TRACE(refused);
        EXPECT_THROW(rows(QString::fromUtf8(refused), {}, true), EDatabaseError);
    }
    // The authorizer refuses what the text does not show, such as a write inside a function.
    EXPECT_THROW(PrepareReadOnly(db_, QStringLiteral("DELETE FROM daten")), EDatabaseError);
    EXPECT_EQ(rows("SELECT Count(*) FROM daten"), QStringList{"3"});
}

TEST_F(JetSqlTest, TranslationsAreCachedPerText)
{
    const QString jet = QStringLiteral("Select * From daten Where Ort Like 'B%' Order By datum");
    const QString first = tr_->translate(jet);
    EXPECT_EQ(tr_->translate(jet), first);
    EXPECT_EQ(tr_->CacheSize(), 1);
    tr_->ClearCache();
    EXPECT_EQ(tr_->CacheSize(), 0);
    // Pass-through of SQLite's own statements that the connection itself issues.
    EXPECT_EQ(tr_->translate("PRAGMA journal_mode = DELETE"), QStringLiteral("PRAGMA journal_mode = DELETE"));
}

TEST(JetDateLiteral, FormsOfTheProgram)
{
    struct {
        const char* text;
        double value;
    } cases[] = {{"03/15/2004", 38061}, {"3/1/2004", 38047}, {"15/03/2004", 38061}, {"15.03.2004", 38061},
                 {"2004-03-15", 38061}, {"3/15/2004 18:00", 38061.75}, {"12:00:00", 0.5}, {"01.01.04", 37987}};
    for (const auto& c : cases) {
        double v = -1;
        EXPECT_TRUE(jetsql::ParseDateLiteral(QString::fromUtf8(c.text), v)) << c.text;
        EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
    double v = 0;
    EXPECT_FALSE(jetsql::ParseDateLiteral(QStringLiteral("31.02.2004"), v));
    EXPECT_FALSE(jetsql::ParseDateLiteral(QStringLiteral("Montag"), v));
}

// ------------------------------------------------------------------------------------------
// Every complete statement the program gives, on the template schema.

const char* kProgramStatements[] = {
    "Select * From daten order by datum",
    "select * from DATEN inner join sportart on (daten.sportart = sportart.spo_id)",
    "Select * from daten where dat_id = 2",
    "Select * From daten;",
    "SELECT * \r\nFROM\r\nzeitraumstat",
    "Select * from\r\nplan_daten inner join daten on plan_daten.pld_datenId = daten.dat_Id\r\nORDER BY daten.datum",
    "DELETE\r\nFROM trainingsblock a\r\nWHERE a.trb_id not in (select daten.trainingsblock from daten);",
    "Select * from bel5000m order by be5_geszeit, be5_zeit",
    R"(Select trainingsblock, belastungsstufe, DLookup("bel_farbe","belstufe","bel_id = " & belastungsstufe) as farbe,DLookup("bel_name","belstufe","bel_id = " & belastungsstufe) as lookBelstufe, sum(daten.meter) as meter, sum(daten.zeit) as zeit from (SELECT * from daten where trainingsblock = -1) group by  trainingsblock, belastungsstufe)",
    "SELECT zeit.*,unit.unt_shortName,unit.unt_Name,unit.unt_calc FROM ((zeit INNER JOIN daten on (daten.dat_id = zeit.zei_id)) inner join sportart on (daten.sportart = sportart.spo_id)) inner join unit on (sportart.spo_distance = unit.unt_id)\r\nwhere zei_id = -1 order by zeit.meter",
    "Select * from zeit",
    "Select * from sportart where (not spo_distance in (Select unt_id from unit)) or (not spo_speed in (Select unt_id from unit))",
    "UPDATE sportart SET spo_speed = 1 WHERE spo_speed not in (Select unt_id from unit)",
    "UPDATE sportart SET spo_distance = 5 WHERE spo_distance not in (Select unt_id from unit)",
    "Select * from daten where isnull(hoehendifferenz)",
    "UPDATE daten SET hoehendifferenz = 0 WHERE isnull(hoehendifferenz)",
    "Select * from daten where isnull(meter)",
    "UPDATE daten SET meter = 0 WHERE isnull(meter)",
    "Select * from daten where CDbl(zeit) >= 1",
    "UPDATE daten SET zeit = CDate(CDbl(zeit) - Int(zeit))",
    "Select daten.datum,trainingsblock.trb_created from trainingsblock inner join daten on (trainingsblock.trb_id = daten.trainingsblock) where trb_id = 1",
    "Select * from daten where trainingsblock = 1",
    "SELECT DISTINCT daten.dat_Id, daten.Datum, daten.startzeit, daten.Ort, daten.Meter, zeit.zei_Id, [daten].[meter]*[unt_calc] AS distanz, unit.[unt_shortname] as DistName, sportart.spo_id FROM ((daten LEFT JOIN zeit ON daten.dat_Id = zeit.zei_Id) INNER JOIN sportart ON daten.Sportart = sportart.Spo_Id) INNER JOIN unit ON sportart.Spo_distance = unit.unt_id order by datum,startzeit",
    "Select * From daten Where Ort Like 'Ber%' Order By datum",
    "Select * From daten Where Datum Like '12.05%' Order By datum",
    "Select * From daten Where Meter Like '10%' Order By datum",
    "Select * From daten Where Zeit Like '00:4%' Order By datum",
    "Select * from (trainingsblock inner join daten on (trainingsblock.trb_id = daten.trainingsblock)) inner join sportart on (daten.sportart = sportart.spo_id) order by trainingsblock.trb_created, trainingsblock.trb_id, datum, startzeit",
    "Select distinct ort from daten",
    "Select * From daten inner join sportart on (daten.sportart = sportart.spo_id) Where datum = #05/12/2004# ORDER BY datum",
    "Select * From (daten left outer join eqdaten on (daten.dat_id = eqdaten.EinheiIndex)) inner join sportart on (daten.sportart = sportart.spo_id) Where eqdaten.EqIndex = 1 ORDER BY datum",
    "SELECT zeit.*,unit.unt_shortName,unit.unt_Name,unit.unt_calc, unt_format FROM ((zeit INNER JOIN daten on (daten.dat_id = zeit.zei_id)) inner join sportart on (daten.sportart = sportart.spo_id)) inner join unit on (sportart.spo_distance = unit.unt_id) where zei_id = 1 and zei_hrm = False order by zeit.meter, zeit.zwischenzeit",
    R"(SELECT zeit.*,"" as unt_shortName,"" as unt_Name,0.01 as unt_calc FROM zeit  )",
    "DELETE * FROM zeit WHERE (zei_id = 1) and (meter = 1000) and (hdiff = 5)",
    "DELETE * FROM zeit WHERE (zei_id = 1) and (zei_hrm =True)",
    R"(SELECT bel5000m.* FROM bel5000m WHERE (((Cdbl(bel5000m.be5_gesZeit))=Cdbl(CDate("00:20:00"))) AND ((CDBL(bel5000m.be5_zeit))<CDbl(CDate("00:04:30")))) ORDER BY bel5000m.be5_zeit DESC)",
    "Select daten.*,spo_name, spo_farbe, for_planung from (daten inner join sportart on (daten.sportart = sportart.spo_id)) inner join form on (daten.form = form.for_id) order by startzeit",
    "SELECT Count(*) AS anzahl, Sum(meter) AS sMeter, Sum(zeit) AS sZeit FROM daten WHERE (((daten.Datum)>=#3/1/2004# And (daten.Datum)<=#3/7/2004#))",
    R"(SELECT daten.Sportart as xvalue, DLookup("spo_farbe","sportart","spo_id = " & daten.Sportart) as farbe, Sum(daten.Meter) AS SummevonMeter, Sum(daten.Zeit) AS SummevonZeit FROM daten GROUP BY daten.Sportart)",
    "SELECT Max(zeit.Meter), Max(zeit.Zwischenzeit) AS zwZeit FROM zeit WHERE (((zeit.Meter)<1000) AND ((zeit.zei_Id)=1))",
    "Delete From plan_daten where pld_Id = 1",
    "Delete From plan_daten where pld_datenId = 1",
    "Delete From daten where dat_id = 1",
    "SELECT Max(zeit.Puls) AS maxPuls, Min(zeit.Puls) AS minPuls, Avg(zeit.Puls) AS avgPuls, Min(zeit.HDiff) AS MinHDiff, Max(zeit.zei_importkmh) as maxkmh, Min(zeit.zei_importkmh) as minkmh, Max(zeit.HDiff) AS MaxHDiff, Avg(zeit.HDiff) AS avgHDiff, Max(zeit.zei_trittfrequenz) AS Maxtrittfrequenz, Avg(zeit.zei_trittfrequenz) AS avgtrittfrequenz from zeit  ",
    "SELECT DISTINCT daten.dat_Id, daten.Datum, daten.Ort, daten.Meter, daten.Zeit, daten.Hoehendifferenz, form.For_Form, sportart.Spo_Name, zeit.zei_Id\r\nFROM ((daten INNER JOIN sportart ON daten.Sportart = sportart.Spo_Id) INNER JOIN form ON daten.Form = form.For_Id) LEFT JOIN zeit ON daten.dat_Id = zeit.zei_Id",
    "Select distinct equ_kategorie from equipment",
    "Select * from equipment where equ_kategorie like'Schuhe'",
    "Select * from daten where dat_id in (Select EinheiIndex from eqdaten where eqIndex = 1)",
    "Select distinct str_kategorie from strecke",
    "Select * from strecke where str_kategorie like'Wald'",
    "Select distinct bes_kategorie from bestzeit",
    "Select * from bestzeit where bes_kategorie like'10 km'",
    R"(SELECT * FROM zeitraumstat  WHERE CLng(datum)  between CLng(CDate("01.03.2004")) and CLng(CDate("31.03.2004"))  and (sportart = 1)  and (form = 1) ORDER BY datum, startzeit)",
    "SELECT datum, sportart, sum(meter) as sMeter, sum(Zeit) as sZeit, sum(Hoehendifferenz) as sHDiff From (SELECT * From daten where datum > 0) Group by datum, sportart ORDER BY datum",
    "SELECT trainingsblock,trb_name, trb_created, trb_id, spo_orderId, sum(meter) as sMeter, sum(Zeit) as sZeit, sum(Hoehendifferenz) as sHDiff From ((SELECT * From daten where datum > 0) as d inner join trainingsblock AS tb on (d.trainingsblock = tb.trb_id)) inner join sportart as spo on (d.sportart = spo.spo_id) Group by trainingsblock, trb_name, trb_created, trb_id, spo_orderId ORDER BY trb_created",
    "SELECT dat_id,datum, spo_orderId, meter as sMeter, Zeit as sZeit, Hoehendifferenz as sHDiff, puls, gewicht, Maxpuls, Ruhepuls, Erholungspuls, User2, Fett, kcal, gli, Temperatur From ((SELECT * From daten where datum > 0) as d) inner join sportart as spo on (d.sportart = spo.spo_id) ORDER BY datum",
    R"(Select Datum,sportart,Meter,Zeit,Hoehendifferenz as HDiff, dat_id From daten Where  ((sportart = 1) ) and (CLng(datum) >= CLng(CDate("01.03.2004"))) and (CLng(datum) <= CLng(CDate("07.03.2004"))))",
    R"(Select sportart, sum(meter) as smeter, sum(zeit) as szeit, sum(Hoehendifferenz) as shdiff, avg(meter) as ameter, avg(hoehendifferenz) as aHDiff, count(*) as Anzahl from (SELECT * FROM daten Where (CLng(datum) >= CLng(CDate("01.03.2004"))) and (CLng(datum) <= CLng(CDate("07.03.2004")))) group by sportart)",
    R"(SELECT belastungsstufe,bel_farbe,bel_name, sum(meter) as sMeter FROM (Select * from daten WHERE CLng(datum)  between CLng(CDate("01.03.2004")) and CLng(CDate("31.03.2004")) ) as d INNER JOIN belStufe on (d.belastungsstufe = belStufe.bel_id) GROUP BY belastungsstufe,bel_farbe,bel_name)",
    R"(SELECT belastungsart,bea_farbe,bea_name, sum(zeit) as sZeit FROM (Select * from daten WHERE CLng(datum)  between CLng(CDate("01.03.2004")) and CLng(CDate("31.03.2004")) ) as d INNER JOIN belArt on (d.belastungsart = belArt.bea_id) GROUP BY belastungsart,bea_farbe,bea_name)",
    "SELECT Month([Datum]) AS Monat, Year([datum]) AS Jahr, Sum(daten.Zeit) AS SummevonZeit,  Sum (daten.meter) AS SummevonMeter,  Sum(daten.Hoehendifferenz) AS SummevonHoehendifferenz FROM (Select * from daten left outer join form on (daten.form = form.for_id) where datum > 0)GROUP BY Month([Datum]), Year([datum]) ",
    R"(Select belastungsstufe,DLookup("bel_farbe","belstufe","bel_id = " & belastungsstufe) as farbe,DLookup("bel_name","belstufe","bel_id = " & belastungsstufe) as lookBelstufe, sum(daten.meter) as meter, sum(daten.zeit) as zeit from (SELECT * from daten where (CLng(CDate(datum)) >= CLng(CDate("01.03.2004"))) and (CLng(CDate(datum)) <= CLng(CDate("07.03.2004")))) group by belastungsstufe)",
    R"(Select sportart as belastungsstufe,DLookup("spo_farbe","sportart","spo_id = " & sportart) as farbe, DLookup("spo_name","sportart","spo_id = " & sportart) as lookBelstufe, sum(daten.meter) as meter, sum(daten.zeit) as zeit from (SELECT * from daten where trainingsblock = 1) group by sportart)",
    "Select distinct too_kategorie from tools",
    "Select * from tools where too_kategorie like'Rechner'",
    "INSERT INTO zeit (zei_trittfrequenz,HDiff,zei_id,meter,zwischenzeit,puls,zei_hrm) VALUES ( 80, 12, 1, 0, '00:00:05', 120, True)",
    "INSERT INTO zeit (zei_id,meter,notitz,zwischenzeit,puls,zei_minpuls,zei_maxpuls,zei_hrm,hdiff,zei_temperatur) VALUES ( 1, 1000, 'Runde 1', '00:04:30', 150, 120, 160, False, 5, 18)",
    "SELECT DISTINCT sportart FROM daten",
    "SELECT DISTINCT belastungsart FROM daten",
    "Update daten set user2 = 0 where user2 is null",
    "Update daten set kcal = 0 where kcal is null",
};

TEST(JetSqlTemplate, EveryStatementOfTheProgramRuns)
{
    QFile schemaFile(SourceFile(QStringLiteral("resources/db/schema.sql")));
    // The schema is part of the source tree: a missing file is a broken checkout, not a reason to skip.
    ASSERT_TRUE(schemaFile.open(QIODevice::ReadOnly)) << "template schema not found";
    QByteArray script = schemaFile.readAll();
    script.replace("@DECIMAL_SEPARATOR@", ",");
    TFormatSettings saved = FormatSettings();
    FormatSettings() = GermanFormatSettings();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    sqlite3_create_collation(db, "NOCASE", SQLITE_UTF8, nullptr, noCase);
    RegisterJetFunctions(db);
    char* err = nullptr;
    ASSERT_EQ(sqlite3_exec(db, script.constData(), nullptr, nullptr, &err), SQLITE_OK) << err;
    sqlite3_exec(db, "INSERT INTO DATEN (Datum, Ort, Meter, Zeit, Sportart, Form, trainingsblock) "
                     "VALUES (38061, 'Berlin', 10000, 0.03, 1, 1, 1)",
                 nullptr, nullptr, nullptr);
    TJetTranslator tr([db]() { return db; });
    for (const char* jet : kProgramStatements) {
        SCOPED_TRACE(jet);
        QString sql;
        try {
            sql = tr.translate(QString::fromUtf8(jet));
        } catch (const Exception& e) {
            ADD_FAILURE() << "translate: " << e.Message().toStdString();
            continue;
        }
        sqlite3_stmt* st = nullptr;
        const QByteArray u = sql.toUtf8();
        if (sqlite3_prepare_v2(db, u.constData(), -1, &st, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sqlite3_errmsg(db) << " in " << u.constData();
        } else {
            int rc;
            while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            }
            EXPECT_EQ(rc, SQLITE_DONE) << sqlite3_errmsg(db) << " in " << u.constData();
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    FormatSettings() = saved;
}

}  // namespace
