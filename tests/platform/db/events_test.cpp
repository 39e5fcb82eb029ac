// The order of dataset and data source events: the table rules of the program rely on it.
#include "tests/platform/db/dbtestfixture.h"

namespace {

class EventOrder : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        daten.SetConnection(&conn);
        daten.SetTableName(QStringLiteral("daten"));
        daten.SetIndexFieldNames(QStringLiteral("Datum"));
        src.SetDataSet(&daten);
        log.attach(daten, &src);
    }
    void openQuietly()
    {
        daten.Open();
        log.take();
    }
    TTable daten;
    TDataSource src;
    EventLog log;
};

using L = QStringList;

TEST_F(EventOrder, OpenAndClose)
{
    daten.Open();
    EXPECT_EQ(log.take(), (L{"BeforeOpen", "StateChange:Browse", "DataChange", "AfterOpen", "AfterScroll"}));
    EXPECT_TRUE(daten.Bof());
    EXPECT_FALSE(daten.Eof());
    daten.Close();
    EXPECT_EQ(log.take(), (L{"BeforeClose", "StateChange:Inactive", "AfterClose"}));
    // Close keeps order and handlers.
    daten.Open();
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("Berlin"));
    EXPECT_EQ(log.take().size(), 5);
}

TEST_F(EventOrder, InsertPostsAPendingEditFirst)
{
    openQuietly();
    daten.Edit();
    daten.FieldByName("Ort")->SetAsString(QStringLiteral("Potsdam"));
    EXPECT_EQ(log.take(), (L{"BeforeEdit", "StateChange:Edit", "DataChange", "AfterEdit", "DataChange:Ort"}));
    daten.Insert();
    EXPECT_EQ(log.take(), (L{"BeforePost", "StateChange:Browse", "DataChange", "AfterPost", "BeforeInsert",
                             "BeforeScroll", "StateChange:Insert", "OnNewRecord", "DataChange",
                             "AfterInsert", "AfterScroll"}));
    EXPECT_FALSE(daten.Modified());
    EXPECT_EQ(scalar("SELECT Ort FROM daten WHERE dat_Id = 1").toString(), QStringLiteral("Potsdam"));
}

TEST_F(EventOrder, InsertCancelsAnUnmodifiedEdit)
{
    openQuietly();
    daten.Edit();
    log.take();
    daten.Append();
    EXPECT_EQ(log.take(), (L{"BeforeCancel", "StateChange:Browse", "DataChange", "AfterCancel", "BeforeInsert",
                             "BeforeScroll", "StateChange:Insert", "OnNewRecord", "DataChange",
                             "AfterInsert", "AfterScroll"}));
}

TEST_F(EventOrder, FieldWritesInOnNewRecordLeaveTheRowUnmodified)
{
    openQuietly();
    daten.OnNewRecord = [](TDataSet* ds) { ds->FieldByName("Meter")->SetAsInteger(0); };
    daten.Insert();
    EXPECT_FALSE(daten.Modified());
    EXPECT_EQ(daten.FieldByName("Meter")->AsInteger(), 0);
    EXPECT_TRUE(daten.FieldByName("Meter")->OldValue().isNull());
}

TEST_F(EventOrder, EditOnAnEmptyDatasetInserts)
{
    exec("DELETE FROM daten");
    openQuietly();
    EXPECT_TRUE(daten.IsEmpty());
    daten.Edit();
    EXPECT_EQ(log.take(), (L{"BeforeInsert", "BeforeScroll", "StateChange:Insert", "OnNewRecord", "DataChange",
                             "AfterInsert", "AfterScroll"}));
    EXPECT_EQ(daten.State(), dsInsert);
    daten.Edit();  // ignored while inserting
    EXPECT_TRUE(log.take().isEmpty());
}

TEST_F(EventOrder, RequiredCheckComesAfterBeforePost)
{
    daten.Close();
    daten.SetName(QStringLiteral("daten"));
    daten.AddField(QStringLiteral("dat_Id"), ftAutoInc)->SetReadOnly(true);
    daten.AddField(QStringLiteral("Datum"), ftDateTime)->SetRequired(true);
    daten.AddField(QStringLiteral("Ort"), ftString, 30);
    openQuietly();
    daten.Append();
    daten.FieldByName("Ort")->SetAsString(QStringLiteral("Köln"));
    log.take();
    try {
        daten.Post();
        FAIL() << "Post without Datum";
    } catch (const EDatabaseError& e) {
        // The user reads the field's label alone, not the dataset's name before it.
        EXPECT_EQ(e.Message(), QStringLiteral("Feld 'Datum' muß einen Wert haben"));
    }
    EXPECT_EQ(log.take(), (L{"BeforePost"}));
    EXPECT_EQ(daten.State(), dsInsert);
    // BeforePost may still fill the field in.
    daten.BeforePost = [](TDataSet* ds) { ds->FieldByName("Datum")->SetAsDateTime(45100); };
    daten.Post();
    EXPECT_EQ(daten.State(), dsBrowse);
    EXPECT_EQ(scalar("SELECT count(*) FROM daten WHERE Ort = 'Köln'").toInt(), 1);
}

TEST_F(EventOrder, CancelOfEditAndOfInsert)
{
    openQuietly();
    daten.Next();
    daten.Edit();
    daten.FieldByName("Ort")->SetAsString(QStringLiteral("X"));
    log.take();
    daten.Cancel();
    EXPECT_EQ(log.take(), (L{"BeforeCancel", "StateChange:Browse", "DataChange", "AfterCancel"}));
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("Hamburg"));
    daten.Insert();
    log.take();
    daten.Cancel();
    EXPECT_EQ(log.take(), (L{"BeforeCancel", "BeforeScroll", "StateChange:Browse", "DataChange", "AfterCancel",
                             "AfterScroll"}));
    EXPECT_EQ(daten.RecNo(), 2);
    EXPECT_EQ(daten.RecordCount(), 3);
}

TEST_F(EventOrder, DeleteMovesToTheNextRowOrAtTheEndToThePrevious)
{
    openQuietly();
    daten.Next();
    daten.Delete();
    EXPECT_EQ(log.take(), (L{"BeforeScroll", "DataChange", "AfterScroll", "BeforeDelete", "BeforeScroll",
                             "DataChange", "AfterDelete", "AfterScroll"}));
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("München"));
    daten.Delete();
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("Berlin"));
    daten.Delete();
    EXPECT_TRUE(daten.IsEmpty());
    EXPECT_THROW(daten.Delete(), EDatabaseError);
    EXPECT_EQ(scalar("SELECT count(*) FROM daten").toInt(), 0);
}

TEST_F(EventOrder, DeleteInInsertStateIsCancel)
{
    openQuietly();
    daten.Insert();
    log.take();
    daten.Delete();
    EXPECT_EQ(log.take().first(), QStringLiteral("BeforeCancel"));
    EXPECT_EQ(daten.RecordCount(), 3);
}

TEST_F(EventOrder, AbortInBeforeDeleteCancelsSilently)
{
    openQuietly();
    daten.BeforeDelete = [this](TDataSet*) {
        log.log << QStringLiteral("BeforeDelete");
        Abort();
    };
    EXPECT_THROW(daten.Delete(), EAbort);
    EXPECT_EQ(log.take(), (L{"BeforeDelete"}));
    EXPECT_EQ(daten.RecordCount(), 3);
    EXPECT_EQ(scalar("SELECT count(*) FROM daten").toInt(), 3);
    EXPECT_EQ(daten.State(), dsBrowse);
}

TEST_F(EventOrder, ScrollingAndStickyEof)
{
    openQuietly();
    EXPECT_EQ(daten.MoveBy(2), 2);
    EXPECT_EQ(log.take(), (L{"BeforeScroll", "DataChange", "AfterScroll"}));
    EXPECT_FALSE(daten.Eof());
    daten.Next();  // from the last row: Eof becomes true, the row stays
    EXPECT_EQ(log.take(), (L{"BeforeScroll", "DataChange", "AfterScroll"}));
    EXPECT_TRUE(daten.Eof());
    EXPECT_EQ(daten.RecNo(), 3);
    daten.Next();  // at Eof: only the scroll events
    EXPECT_EQ(log.take(), (L{"BeforeScroll", "AfterScroll"}));
    EXPECT_TRUE(daten.Eof());
    daten.Prior();
    EXPECT_FALSE(daten.Eof());
    EXPECT_EQ(daten.RecNo(), 2);
    daten.First();
    daten.Prior();
    EXPECT_TRUE(daten.Bof());
    EXPECT_EQ(daten.RecNo(), 1);
}

TEST_F(EventOrder, LocateThatMissesFiresOnlyBeforeScroll)
{
    openQuietly();
    daten.Next();
    log.take();
    EXPECT_FALSE(daten.Locate(QStringLiteral("Ort"), QStringLiteral("Paris")));
    EXPECT_EQ(log.take(), (L{"BeforeScroll"}));
    EXPECT_EQ(daten.RecNo(), 2);
    EXPECT_TRUE(daten.Locate(QStringLiteral("Ort"), QStringLiteral("münchen"), loCaseInsensitive));
    EXPECT_EQ(log.take(), (L{"BeforeScroll", "DataChange", "AfterScroll"}));
    EXPECT_EQ(daten.RecNo(), 3);
}

TEST_F(EventOrder, LocateOptionsAndLookupWithoutEvents)
{
    openQuietly();
    // Rows by Datum: Berlin 10000, Hamburg 5000 "locker", München 21100.
    const struct {
        const char* fields;
        QVariant values;
        TLocateOptions options;
        int recNo;  // 0: not found, the cursor stays
    } cases[] = {
        {"Ort", QStringLiteral("Ham"), loPartialKey, 2},
        {"Ort", QStringLiteral("mün"), loPartialKey | loCaseInsensitive, 3},
        {"Ort", QStringLiteral("mün"), loPartialKey, 0},  // case counts without the option
        {"Ort", QStringLiteral("Ham"), 0, 0},             // the whole value without partial key
        {"Ort;Meter", QVariantList{QStringLiteral("Berlin"), QStringLiteral("10000")}, 0, 1},  // text to integer
        {"ort;METER", QVariantList{QStringLiteral("Berlin"), 5000}, 0, 0},  // names without case
        {"Bemerkungen", QVariant(), 0, 1},  // Null finds Null
    };
    for (const auto& c : cases) {
        daten.SetRecNo(2);
        EXPECT_EQ(daten.Locate(QString::fromLatin1(c.fields), c.values, c.options), c.recNo != 0) << c.fields;
        EXPECT_EQ(daten.RecNo(), c.recNo ? c.recNo : 2) << c.fields;
    }
    // A value the field cannot hold, or too few values, raise and leave the cursor alone.
    daten.SetRecNo(2);
    EXPECT_THROW(daten.Locate(QStringLiteral("Meter"), QStringLiteral("zehn")), EConvertError);
    EXPECT_THROW(daten.Locate(QStringLiteral("Ort;Meter"), QVariantList{QStringLiteral("Berlin")}), EDatabaseError);
    EXPECT_EQ(daten.RecNo(), 2);

    // Lookup neither moves nor fires an event.
    log.take();
    const QVariantList found = daten.Lookup(QStringLiteral("Meter"), QStringLiteral("21100"),
                                            QStringLiteral("Ort;dat_Id")).toList();
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].toString(), QStringLiteral("München"));
    EXPECT_EQ(found[1].toInt(), 3);
    EXPECT_TRUE(daten.Lookup(QStringLiteral("Ort"), QStringLiteral("Paris"), QStringLiteral("Meter")).isNull());
    EXPECT_TRUE(log.take().isEmpty());
    EXPECT_EQ(daten.RecNo(), 2);
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("Hamburg"));
}

TEST_F(EventOrder, NestedDisableControls)
{
    openQuietly();
    daten.DisableControls();
    daten.DisableControls();
    daten.Next();
    daten.Edit();
    daten.EnableControls();
    EXPECT_EQ(log.take(), (L{"BeforeScroll", "AfterScroll", "BeforeEdit", "AfterEdit"}));
    daten.EnableControls();
    EXPECT_EQ(log.take(), (L{"StateChange:Edit", "DataChange"}));
    daten.EnableControls();  // unbalanced: ignored
    EXPECT_TRUE(log.take().isEmpty());
}

TEST_F(EventOrder, FieldWriteOrderAndValidation)
{
    openQuietly();
    TField* ort = daten.FieldByName("Ort");
    EXPECT_THROW(ort->SetAsString(QStringLiteral("x")), EDatabaseError);  // in Browse
    try {
        ort->SetAsString(QStringLiteral("x"));
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("nicht im Bearbeitungs- oder Einfügemodus")));
    }
    ort->OnSetText = [this](TField* f, const QString& t) {
        log.log << QStringLiteral("OnSetText");
        f->SetAsString(t.toUpper());
    };
    ort->OnValidate = [this](TField* f) {
        log.log << QStringLiteral("OnValidate:%1<-%2").arg(f->AsString(), f->OldValue().toString());
        if (f->AsString() == QLatin1String("BAD"))
            throw EDatabaseError(QStringLiteral("ungültig"));
    };
    ort->OnChange = [this](TField*) { log.log << QStringLiteral("OnChange"); };
    daten.Edit();
    log.take();
    ort->SetText(QStringLiteral("Bonn"));
    EXPECT_EQ(log.take(), (L{"OnSetText", "OnValidate:BONN<-Berlin", "DataChange:Ort", "OnChange"}));
    EXPECT_THROW(ort->SetText(QStringLiteral("bad")), EDatabaseError);
    EXPECT_EQ(ort->AsString(), QStringLiteral("BONN"));
    log.take();
    // Handlers are plain members: cleared and set again at run time.
    ort->OnValidate = nullptr;
    daten.BeforeScroll = nullptr;
    daten.Next();
    EXPECT_FALSE(log.take().contains(QStringLiteral("BeforeScroll")));
    EXPECT_EQ(scalar("SELECT Ort FROM daten WHERE dat_Id = 1").toString(), QStringLiteral("BONN"));
}

}  // namespace
