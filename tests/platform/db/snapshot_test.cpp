// Datasets are snapshots: their own changes show at once, other writers' only after Requery.
#include "tests/platform/db/dbtestfixture.h"

namespace {

class Snapshot : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        daten.SetConnection(&conn);
        daten.SetTableName(QStringLiteral("daten"));
        daten.SetIndexFieldNames(QStringLiteral("Datum"));
        daten.Open();
    }
    TTable daten;
};

TEST_F(Snapshot, RowInsertedThroughSqlIsInvisibleUntilRequery)
{
    conn.Execute(QStringLiteral("INSERT INTO daten (Datum, Ort) VALUES (?, ?)"), {44000.0, QStringLiteral("Kiel")});
    EXPECT_EQ(daten.RecordCount(), 3);
    EXPECT_FALSE(daten.Locate(QStringLiteral("Ort"), QStringLiteral("Kiel")));
    daten.Requery();
    EXPECT_EQ(daten.RecordCount(), 4);
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("Kiel"));  // first by Datum
}

TEST_F(Snapshot, OwnInsertHasItsKeyInAfterPost)
{
    QVariant keyInAfterPost;
    daten.AfterPost = [&](TDataSet* ds) { keyInAfterPost = ds->FieldByName("dat_Id")->Value(); };
    daten.Append();
    EXPECT_TRUE(daten.FieldByName("dat_Id")->IsNull());
    daten.FieldByName("Datum")->SetAsDateTime(46000);
    daten.FieldByName("Ort")->SetAsString(QStringLiteral("Ulm"));
    daten.Post();
    EXPECT_EQ(keyInAfterPost.toInt(), 4);
    EXPECT_EQ(daten.RecNo(), 4);
    EXPECT_EQ(daten.RecordCount(), 4);
    EXPECT_EQ(scalar("SELECT Ort FROM daten WHERE dat_Id = 4").toString(), QStringLiteral("Ulm"));
    // The dataset's own insert stays where it was put; another dataset sees it after opening.
    TTable other;
    other.SetConnection(&conn);
    other.SetTableName(QStringLiteral("daten"));
    other.Open();
    EXPECT_EQ(other.RecordCount(), 4);
}

TEST_F(Snapshot, EditingARowDeletedBehindItsBackRaises)
{
    exec("DELETE FROM daten WHERE dat_Id = 1");
    daten.Edit();
    daten.FieldByName("Ort")->SetAsString(QStringLiteral("Weg"));
    EXPECT_THROW(daten.Post(), EDatabaseError);
    EXPECT_EQ(daten.State(), dsEdit);
    daten.Cancel();
    EXPECT_EQ(scalar("SELECT count(*) FROM daten").toInt(), 2);
    // Deleting it raises too and leaves the others alone.
    EXPECT_THROW(daten.Delete(), EDatabaseError);
    EXPECT_EQ(scalar("SELECT count(*) FROM daten").toInt(), 2);
}

TEST_F(Snapshot, BookmarkSurvivesRequery)
{
    daten.Last();
    const TBookmark bm = daten.GetBookmark();
    exec("INSERT INTO daten (Datum, Ort) VALUES (1, 'Früh')");
    daten.Requery();
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("Früh"));
    ASSERT_TRUE(daten.BookmarkValid(bm));
    daten.GotoBookmark(bm);
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("München"));
    exec("DELETE FROM daten WHERE dat_Id = 3");
    daten.Requery();
    EXPECT_FALSE(daten.BookmarkValid(bm));
    EXPECT_THROW(daten.GotoBookmark(bm), EDatabaseError);
}

TEST_F(Snapshot, RefreshStaysOnTheCurrentRowWhileItExists)
{
    daten.Next();
    exec("INSERT INTO daten (Datum, Ort) VALUES (1, 'Früh')");
    daten.Refresh();
    EXPECT_EQ(daten.RecordCount(), 4);
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("Hamburg"));
    EXPECT_EQ(daten.RecNo(), 3);
    exec("DELETE FROM daten WHERE dat_Id = 2");
    daten.Refresh();
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("Früh"));
    EXPECT_TRUE(daten.Bof());
}

TEST_F(Snapshot, CloneHasItsOwnCursorAndOrder)
{
    daten.Next();
    int sourceScrolls = 0;
    daten.AfterScroll = [&](TDataSet*) { ++sourceScrolls; };
    TDataSet clone;
    clone.Clone(daten);
    clone.SetIndexFieldNames(QStringLiteral("Meter DESC"));
    EXPECT_EQ(clone.FieldByName("Ort")->AsString(), QStringLiteral("Berlin"));  // the row stays current
    clone.First();
    EXPECT_EQ(clone.FieldByName("Ort")->AsString(), QStringLiteral("München"));
    clone.Last();
    EXPECT_EQ(clone.FieldByName("Ort")->AsString(), QStringLiteral("Hamburg"));
    EXPECT_EQ(daten.RecNo(), 2);
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("Hamburg"));
    EXPECT_EQ(sourceScrolls, 0);
}

TEST_F(Snapshot, OrderChangesAtRunTimeAndKeepsTheRow)
{
    daten.Locate(QStringLiteral("Ort"), QStringLiteral("Hamburg"));
    daten.SetIndexFieldNames(QStringLiteral("Meter"));
    EXPECT_EQ(daten.RecNo(), 1);
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("Hamburg"));
    daten.SetIndexFieldNames(QStringLiteral("Ort,Meter"));
    daten.First();
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("Berlin"));
}

TEST_F(Snapshot, ManyRowsAreFetchedInPagesInOrder)
{
    conn.BeginTrans();
    for (int i = 0; i < 1000; ++i)
        conn.Execute(QStringLiteral("INSERT INTO zeit (zei_Id, Meter) VALUES (9, ?)"), {i});
    conn.CommitTrans();
    TTable zeit;
    zeit.SetConnection(&conn);
    zeit.SetTableName(QStringLiteral("zeit"));
    zeit.SetIndexFieldNames(QStringLiteral("zei_Id;Meter"));
    zeit.Open();
    EXPECT_EQ(zeit.RecordCount(), 1004);
    zeit.SetRecNo(5);
    int expected = 0;
    int rows = 0;
    for (; !zeit.Eof(); zeit.Next(), ++rows)
        EXPECT_EQ(zeit.FieldByName("Meter")->AsInteger(), expected++);
    EXPECT_EQ(rows, 1000);
    zeit.Last();
    zeit.MoveBy(-600);
    EXPECT_EQ(zeit.FieldByName("Meter")->AsInteger(), 399);
}

// A large table reads its keys page by page; what the cursor shows is the same as with every key
// read at open.
class LazyKeys : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        conn.BeginTrans();
        for (int i = 0; i < kRows; ++i)
            conn.Execute(QStringLiteral("INSERT INTO zeit (zei_Id, Meter, Puls) VALUES (?, ?, ?)"),
                         {i % 7, i, 100 + i % 50});
        conn.CommitTrans();
    }
    void TearDown() override
    {
        TDataSet::SetLazyKeyThreshold(saved_);
        DbTest::TearDown();
    }
    // Opens the zeit table in the order given, its keys lazy or read at once.
    void open(TTable& t, bool lazy, const QString& order)
    {
        TDataSet::SetLazyKeyThreshold(lazy ? 100 : 1 << 30);
        t.SetConnection(&conn);
        t.SetTableName(QStringLiteral("zeit"));
        t.SetIndexFieldNames(order);
        t.Open();
    }
    static QList<int> walk(TTable& t)
    {
        QList<int> metres;
        for (t.First(); !t.Eof(); t.Next())
            metres << t.FieldByName("Meter")->AsInteger();
        return metres;
    }
    static constexpr int kRows = 10000;  // three pages of keys (and the fixture's four rows)
    int saved_ = TDataSet::LazyKeyThreshold();
};

TEST_F(LazyKeys, PositionsLocateLastAndBookmarksAreThoseOfAFullSnapshot)
{
    for (const char* order : {"zei_Id;Meter DESC", "Puls DESC;Meter"}) {
        SCOPED_TRACE(order);
        TTable lazy, full;
        open(full, false, QString::fromLatin1(order));
        open(lazy, true, QString::fromLatin1(order));
        EXPECT_EQ(lazy.RecordCount(), kRows + 4);

        // From the end first: the last rows are reached without the ones before them.
        lazy.Last();
        full.Last();
        EXPECT_EQ(lazy.RecNo(), kRows + 4);
        EXPECT_TRUE(lazy.Eof());
        EXPECT_EQ(lazy.FieldByName("Meter")->AsInteger(), full.FieldByName("Meter")->AsInteger());
        lazy.MoveBy(-5000);
        full.MoveBy(-5000);
        EXPECT_EQ(lazy.FieldByName("Meter")->AsInteger(), full.FieldByName("Meter")->AsInteger());
        const TBookmark mark = lazy.GetBookmark();

        EXPECT_EQ(walk(lazy), walk(full));

        for (int metres : {0, 4095, 4096, 8191, 9999}) {
            ASSERT_TRUE(lazy.Locate(QStringLiteral("Meter"), metres));
            ASSERT_TRUE(full.Locate(QStringLiteral("Meter"), metres));
            EXPECT_EQ(lazy.RecNo(), full.RecNo()) << metres;
        }
        EXPECT_FALSE(lazy.Locate(QStringLiteral("Meter"), kRows + 1));
        lazy.GotoBookmark(mark);
        EXPECT_EQ(lazy.RecNo(), kRows + 4 - 5000);
        lazy.SetRecNo(4097);
        full.SetRecNo(4097);
        EXPECT_EQ(lazy.FieldByName("Meter")->AsInteger(), full.FieldByName("Meter")->AsInteger());
    }
}

TEST_F(LazyKeys, TablesWithoutOrderKeepTheirKeyOrderAndChangesWork)
{
    TTable lazy;
    open(lazy, true, QString());
    lazy.Last();
    EXPECT_EQ(lazy.FieldByName("Meter")->AsInteger(), kRows - 1);
    // Rows others add later are not part of the snapshot until it is read again.
    exec(QStringLiteral("INSERT INTO zeit (zei_Id, Meter) VALUES (1, 99999)"));
    lazy.SetRecNo(5000);
    const int before = lazy.FieldByName("Meter")->AsInteger();
    EXPECT_EQ(lazy.RecordCount(), kRows + 4);
    EXPECT_EQ(walk(lazy).last(), kRows - 1);

    // Own changes: a filter, an insert and a delete see the whole key list.
    lazy.SetRecNo(5000);
    EXPECT_EQ(lazy.FieldByName("Meter")->AsInteger(), before);
    lazy.Edit();
    lazy.FieldByName("Puls")->SetAsInteger(42);
    lazy.Post();
    EXPECT_EQ(lazy.RecNo(), 5000);
    lazy.Delete();
    EXPECT_EQ(lazy.RecordCount(), kRows + 3);
    lazy.Append();
    lazy.FieldByName("Meter")->SetAsInteger(123456);
    lazy.Post();
    EXPECT_EQ(lazy.RecordCount(), kRows + 4);
    EXPECT_EQ(lazy.FieldByName("Meter")->AsInteger(), 123456);
    lazy.OnFilterRecord = [](TDataSet* ds, bool& accept) { accept = ds->FieldByName("Puls")->AsInteger() == 42; };
    lazy.SetFiltered(true);
    EXPECT_EQ(lazy.RecordCount(), 0);  // the edited row was deleted
    lazy.SetFiltered(false);
    lazy.Requery();
    EXPECT_EQ(lazy.RecordCount(), kRows + 5);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM zeit WHERE Puls = 42")).toInt(), 0);
}

TEST_F(Snapshot, RolledBackTransactionLeavesTheDatabaseUnchanged)
{
    conn.BeginTrans();
    daten.Edit();
    daten.FieldByName("Ort")->SetAsString(QStringLiteral("Zwischen"));
    daten.Post();
    daten.Append();
    daten.FieldByName("Ort")->SetAsString(QStringLiteral("Neu"));
    daten.Post();
    conn.BeginTrans();  // nested: a savepoint
    conn.Execute(QStringLiteral("DELETE FROM daten"));
    conn.RollbackTrans();
    EXPECT_EQ(conn.ExecuteScalar(QStringLiteral("SELECT count(*) FROM daten")).toInt(), 4);
    conn.RollbackTrans();
    EXPECT_FALSE(conn.InTransaction());
    EXPECT_EQ(scalar("SELECT count(*) FROM daten").toInt(), 3);
    EXPECT_EQ(scalar("SELECT Ort FROM daten WHERE dat_Id = 1").toString(), QStringLiteral("Berlin"));
    // The open snapshot stays as it was.
    EXPECT_EQ(daten.RecordCount(), 4);
    EXPECT_THROW(conn.CommitTrans(), EDatabaseError);
}

}  // namespace
