// A large table's keys are read in pages on demand, by key: whatever order the cursor moves in and
// whatever it searches, it sees what a snapshot with every key read at open sees. Tables of 0 to
// 3,000,000 rows, with duplicate and Null values in the order, orders that are not the key's.
#include <QRandomGenerator>

#include "platform/db/sqlreader.h"
#include "tests/platform/db/dbtestfixture.h"

namespace {

class KeyPages : public DbTest {
protected:
    void TearDown() override
    {
        TDataSet::SetLazyKeyThreshold(saved_);
        DbTest::TearDown();
    }
    // Rows numbered n = 0.. with a few values each; b and t are Null in some rows.
    void fill(int rows)
    {
        exec(QStringLiteral(
                 "CREATE TABLE reihe (a INTEGER, b INTEGER, t VARCHAR(10) COLLATE NOCASE, n INTEGER, d DATETIME);"
                 "CREATE INDEX reihe_b ON reihe (b, a);"
                 "WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i + 1 < %1) "
                 "INSERT INTO reihe SELECT i % 7, CASE WHEN i % 11 = 5 THEN NULL ELSE (i * 37) % 1009 END, "
                 "CASE WHEN i % 13 = 0 THEN NULL WHEN i % 2 THEN 'x' || (i % 50) ELSE 'X' || (i % 50) END, "
                 "i, 40000 + (i % 300) / 2.0 FROM k WHERE %1 > 0;")
                 .arg(rows));
    }
    // Opens the table in the order given, every key read at open or the keys in pages.
    void open(TTable& t, bool lazy, const QString& order)
    {
        TDataSet::SetLazyKeyThreshold(lazy ? 0 : 1 << 30);
        t.SetConnection(&conn);
        t.SetTableName(QStringLiteral("reihe"));
        t.SetIndexFieldNames(order);
        t.Open();
        TDataSet::SetLazyKeyThreshold(saved_);
    }
    static int n(TTable& t) { return t.FieldByName(QStringLiteral("n"))->AsInteger(); }
    static QList<int> forwards(TTable& t)
    {
        QList<int> out;
        for (t.First(); !t.Eof(); t.Next())
            out << n(t);
        return out;
    }
    static QList<int> backwards(TTable& t)
    {
        QList<int> out;
        for (t.Last(); !t.Bof(); t.Prior())
            out << n(t);
        return out;
    }
    int saved_ = TDataSet::LazyKeyThreshold();
};

struct Search {
    const char* fields;
    QVariant values;
    TLocateOptions options;
};

// What Locate and Lookup are asked in every table: single and combined keys, numbers and text,
// with and without case, prefixes, Null, values that are not there.
QList<Search> searches(int rows)
{
    return {
        {"a", 3, 0},
        {"b", 37 * 4 % 1009, 0},
        {"b;a", QVariantList{(37 * 4097) % 1009, 4097 % 7}, 0},
        {"t", QStringLiteral("x7"), 0},
        {"t", QStringLiteral("x8"), loCaseInsensitive},
        {"t", QStringLiteral("X1"), loPartialKey},
        {"t", QStringLiteral("x4"), loPartialKey | loCaseInsensitive},
        {"b", QVariant(), 0},
        {"n", rows - 1, 0},
        {"n", 4096, 0},
        {"n", -5, 0},
        {"d", 40000.5, 0},
    };
}

const QStringList kOrders{QString(), QStringLiteral("b;a"), QStringLiteral("a DESC;b"),
                          QStringLiteral("t;b DESC"), QStringLiteral("d DESC;t DESC")};

TEST_F(KeyPages, EveryMoveSearchAndBookmarkAgreesWithTheFullSnapshot)
{
    for (const int rows : {0, 1, 4095, 4096, 4097, 9000}) {
        exec(QStringLiteral("DROP TABLE IF EXISTS reihe"));
        fill(rows);
        for (const QString& order : kOrders) {
            SCOPED_TRACE(QStringLiteral("%1 rows, order '%2'").arg(rows).arg(order).toStdString());
            TTable full;
            open(full, false, order);
            const QList<int> expected = forwards(full);
            ASSERT_EQ(expected.size(), rows);

            TTable walker;
            open(walker, true, order);
            EXPECT_EQ(walker.RecordCount(), rows);
            EXPECT_EQ(forwards(walker), expected);
            TTable back;  // from the end first: the last rows without the ones before them
            open(back, true, order);
            QList<int> reversed(expected.rbegin(), expected.rend());
            EXPECT_EQ(backwards(back), reversed);
            if (rows > 0) {
                back.Last();
                EXPECT_EQ(back.RecNo(), rows);
                EXPECT_TRUE(back.Eof());
            }

            // Positions reached in no particular order, each in a table that has read nothing yet.
            for (const int recNo : {4097, 1, rows, 4096, rows / 2 + 1, 4095, 2}) {
                if (recNo < 1 || recNo > rows)
                    continue;
                TTable jump;
                open(jump, true, order);
                jump.SetRecNo(recNo);
                full.SetRecNo(recNo);
                EXPECT_EQ(n(jump), n(full)) << "RecNo " << recNo;
                const TBookmark mark = jump.GetBookmark();
                jump.MoveBy(-3000);
                full.MoveBy(-3000);
                EXPECT_EQ(jump.RecNo(), full.RecNo());
                EXPECT_EQ(n(jump), n(full));
                TTable other;  // a bookmark found by a table that never read its page
                open(other, true, order);
                ASSERT_TRUE(other.BookmarkValid(mark));
                other.GotoBookmark(mark);
                EXPECT_EQ(other.RecNo(), recNo);
            }

            for (const Search& s : searches(rows)) {
                const QString fields = QString::fromLatin1(s.fields);
                SCOPED_TRACE(fields.toStdString() + " " + s.values.toString().toStdString());
                TTable search;
                open(search, true, order);
                const bool found = full.Locate(fields, s.values, s.options);
                EXPECT_EQ(search.Locate(fields, s.values, s.options), found);
                if (found) {
                    EXPECT_EQ(search.RecNo(), full.RecNo());
                    EXPECT_EQ(n(search), n(full));
                }
                if (s.options == 0) {
                    TTable lookup;
                    open(lookup, true, order);
                    EXPECT_EQ(lookup.Lookup(fields, s.values, QStringLiteral("n;t")),
                              full.Lookup(fields, s.values, QStringLiteral("n;t")));
                }
            }
        }
    }
}

TEST_F(KeyPages, OwnEditsInsertsAndDeletesKeepTheOrderOfTheOpen)
{
    // The same changes on the same rows, with every key read at open and with keys in pages.
    auto run = [this](bool lazy) {
        exec(QStringLiteral("DROP TABLE IF EXISTS reihe"));
        fill(9000);
        TTable t;
        open(t, lazy, QStringLiteral("b;a"));
        QList<int> seen;
        // An edit of an order field leaves the row where it stood, as in a snapshot read whole.
        t.SetRecNo(5000);
        t.Edit();
        t.FieldByName(QStringLiteral("b"))->SetAsInteger(-1);
        t.Post();
        seen << t.RecNo();
        t.Last();
        t.Delete();
        seen << t.RecordCount();
        t.SetRecNo(4096);
        t.Insert();
        t.FieldByName(QStringLiteral("n"))->SetAsInteger(-7);
        t.Post();
        seen << t.RecNo() << t.RecordCount();
        return seen + forwards(t);
    };
    const QList<int> full = run(false);
    EXPECT_EQ(full.mid(0, 4), (QList<int>{5000, 8999, 4096, 9000}));
    EXPECT_EQ(run(true), full);
}

TEST_F(KeyPages, AnOrderSetOnAnOpenTableLargerThanTheRowCacheSortsEveryRow)
{
    // More rows than the row cache keeps: their values are read page by page while sorting.
    const int rows = 40000;
    fill(rows);
    QList<int> expected;
    for (int a = 6; a >= 0; --a)
        for (int i = a; i < rows; i += 7)
            expected << i;
    for (bool lazy : {false, true}) {
        TTable t;
        open(t, lazy, QStringLiteral("n"));
        t.SetRecNo(30000);  // the cache holds the pages read so far
        t.SetIndexFieldNames(QStringLiteral("a DESC;n"));
        EXPECT_EQ(forwards(t), expected) << lazy;
        ASSERT_TRUE(t.Locate(QStringLiteral("n"), 13)) << lazy;
        EXPECT_EQ(t.RecNo(), expected.indexOf(13) + 1) << lazy;
    }
}

TEST_F(KeyPages, RowsDeletedBehindTheSnapshotsBackLeaveEmptyPlaces)
{
    fill(9000);
    TTable lazy;
    open(lazy, true, QStringLiteral("b;a"));
    EXPECT_EQ(lazy.RecordCount(), 9000);
    exec(QStringLiteral("DELETE FROM reihe WHERE n >= 100"));
    lazy.Last();
    EXPECT_EQ(lazy.RecNo(), 9000);
    int rows = 0;
    for (lazy.First(); !lazy.Eof(); lazy.Next())
        ++rows;
    EXPECT_EQ(rows, 9000);
    EXPECT_FALSE(lazy.Locate(QStringLiteral("n"), 5000));
    lazy.Requery();
    EXPECT_EQ(lazy.RecordCount(), 100);
}

// A query of many rows reads the values of its first rows at open and the others by key when
// they are first reached: a join, its order, searches, edits and rows deleted meanwhile.
TEST_F(KeyPages, QueryRowsBeyondTheFirstAreReadByKey)
{
    fill(9000);
    const QString join = QStringLiteral(
        "SELECT reihe.a, reihe.b, reihe.t, reihe.n, sportart.Spo_Name FROM reihe INNER JOIN sportart "
        "ON (reihe.a = sportart.Spo_Id) ORDER BY reihe.b DESC, reihe.n");
    TQuery lazy, whole;
    lazy.SetConnection(&conn);
    lazy.SetSQLText(join);
    whole.SetConnection(&conn);
    whole.SetSQLText(QStringLiteral("SELECT * FROM (") + join + QLatin1Char(')'));  // not keyable: read whole
    lazy.Open();
    whole.Open();
    ASSERT_EQ(lazy.RecordCount(), whole.RecordCount());
    ASSERT_GT(lazy.RecordCount(), 2000);
    auto rowsOf = [](TQuery& q) {
        QStringList out;
        for (q.Last(); !q.Bof(); q.Prior())
            out << q.FieldByName(QStringLiteral("n"))->AsString() + QLatin1Char(' ') +
                       q.FieldByName(QStringLiteral("t"))->AsString() + QLatin1Char(' ') +
                       q.FieldByName(QStringLiteral("Spo_Name"))->AsString();
        return out;
    };
    EXPECT_EQ(rowsOf(lazy), rowsOf(whole));
    for (int n : {8996, 1, 4502}) {
        ASSERT_TRUE(lazy.Locate(QStringLiteral("n"), n));
        ASSERT_TRUE(whole.Locate(QStringLiteral("n"), n));
        EXPECT_EQ(lazy.RecNo(), whole.RecNo());
    }
    EXPECT_EQ(lazy.Lookup(QStringLiteral("n"), 7001, QStringLiteral("t")),
              whole.Lookup(QStringLiteral("n"), 7001, QStringLiteral("t")));

    // A row beyond the first is written back to its table.
    TQuery fresh;
    fresh.SetConnection(&conn);
    fresh.SetSQLText(join);
    fresh.Open();
    fresh.SetRecNo(fresh.RecordCount() - 10);
    const int n = fresh.FieldByName(QStringLiteral("n"))->AsInteger();
    fresh.Edit();
    fresh.FieldByName(QStringLiteral("t"))->SetAsString(QStringLiteral("neu"));
    fresh.Post();
    EXPECT_EQ(scalar(QStringLiteral("SELECT t FROM reihe WHERE n = %1").arg(n)).toString(), QStringLiteral("neu"));
    // Rows deleted behind its back before they were read stay, empty, until Requery.
    TQuery late;
    late.SetConnection(&conn);
    late.SetSQLText(join);
    late.Open();
    const int rows = late.RecordCount();
    exec(QStringLiteral("DELETE FROM reihe WHERE n > 100"));
    late.Last();
    EXPECT_EQ(late.RecNo(), rows);
    EXPECT_TRUE(late.FieldByName(QStringLiteral("n"))->IsNull());
    late.Requery();
    EXPECT_LT(late.RecordCount(), 101);
}

// A long query result keeps only the rowids of its later rows. Its rows must still come in the
// order of the query as SQLite runs it, rows of equal sort keys too, and hold the query's values.
TEST_F(KeyPages, LongQueryResultsKeepTheQuerysOrderAndValues)
{
    fill(9000);
    const struct {
        const char* sql;  // "?" stands for the parameter, 3
        const char* why;
    } cases[] = {
        {"SELECT * FROM reihe WHERE t LIKE 'x%' ORDER BY a", "equal keys, a condition"},
        {"SELECT * FROM reihe WHERE a > ? ORDER BY a", "the rowids alone would be read through another index"},
        {"SELECT n, a, b FROM reihe WHERE b > ? ORDER BY b", "the index of the order"},
        {"SELECT reihe.n, reihe.t, sportart.Spo_Name FROM reihe INNER JOIN sportart ON reihe.a = sportart.Spo_Id "
         "WHERE reihe.n % 5 <> 0 ORDER BY sportart.Spo_Name",
         "a join"},
        {"SELECT * FROM reihe WHERE d > ? ORDER BY d DESC LIMIT 5000", "a limit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const QString sql = QString::fromLatin1(c.sql);
        QStringList expected;
        {
            TSqlReader reader(conn, sql, {sql.contains(QLatin1Char('?')) ? QVariant(3) : QVariant()});
            const int nCol = reader.Column(QStringLiteral("n"));
            const int aCol = sql.contains(QLatin1String("Spo_Name")) ? reader.Column(QStringLiteral("Spo_Name"))
                                                                     : reader.Column(QStringLiteral("a"));
            while (reader.Next())
                expected << reader.AsString(nCol) + QLatin1Char(' ') + reader.AsString(aCol);
        }
        ASSERT_GT(expected.size(), 2000);
        TQuery q;
        q.SetConnection(&conn);
        QString named = sql;
        named.replace(QLatin1Char('?'), QLatin1String(":p"));
        q.SetSQLText(named);
        if (named.contains(QLatin1String(":p")))
            q.ParamByName(QStringLiteral("p"))->SetAsInteger(3);
        q.Open();
        const QString second = sql.contains(QLatin1String("Spo_Name")) ? QStringLiteral("Spo_Name") : QStringLiteral("a");
        auto row = [&] { return q.FieldByName(QStringLiteral("n"))->AsString() + QLatin1Char(' ') + q.FieldByName(second)->AsString(); };
        ASSERT_EQ(q.RecordCount(), expected.size());
        QStringList backwards;
        for (q.Last(); !q.Bof(); q.Prior())
            backwards.prepend(row());
        EXPECT_EQ(backwards, expected);
        QStringList forwards;
        for (q.First(); !q.Eof(); q.Next())
            forwards << row();
        EXPECT_EQ(forwards, expected);
        // A row far down found where the query has it.
        const int at = int(expected.size()) - 7;
        ASSERT_TRUE(q.Locate(QStringLiteral("n"), expected[at].section(QLatin1Char(' '), 0, 0).toInt()));
        EXPECT_EQ(q.RecNo(), at + 1);
    }
}

TEST_F(KeyPages, ThreeMillionRows)
{
    constexpr int kRows = 3000000;
    fill(kRows);
    TTable full;
    open(full, false, QStringLiteral("b;a"));
    TTable lazy;
    open(lazy, true, QStringLiteral("b;a"));
    EXPECT_EQ(lazy.RecordCount(), kRows);
    lazy.Last();
    full.Last();
    EXPECT_EQ(n(lazy), n(full));
    EXPECT_EQ(lazy.RecNo(), kRows);
    QRandomGenerator random(57);
    for (int i = 0; i < 12; ++i) {
        const int recNo = 1 + int(random.bounded(kRows));
        lazy.SetRecNo(recNo);
        full.SetRecNo(recNo);
        ASSERT_EQ(n(lazy), n(full)) << recNo;
        lazy.Next();
        full.Next();
        EXPECT_EQ(n(lazy), n(full));
        const TBookmark mark = lazy.GetBookmark();
        TTable other;
        open(other, true, QStringLiteral("b;a"));
        other.GotoBookmark(mark);
        EXPECT_EQ(other.RecNo(), full.RecNo());
    }
    for (const Search& s : searches(kRows)) {
        const QString fields = QString::fromLatin1(s.fields);
        SCOPED_TRACE(fields.toStdString());
        if (!s.values.isValid())
            continue;  // a Null key scans every row: not for three million
        const bool found = full.Locate(fields, s.values, s.options);
        ASSERT_EQ(lazy.Locate(fields, s.values, s.options), found);
        if (found) {
            EXPECT_EQ(lazy.RecNo(), full.RecNo());
        }
    }
    EXPECT_EQ(lazy.Lookup(QStringLiteral("n"), kRows - 2, QStringLiteral("a")), (kRows - 2) % 7);
}

}  // namespace
