// Lookup answers from an index of the key values: the same row as a scan would find, for every
// kind of stored value, and again after each change of the rows, their order or the filter.
#include "tests/platform/db/dbtestfixture.h"

namespace {

class LookupIndex : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        // Duplicates, Null, a text differing only in case, a number kept as text in a text
        // column, and a text kept in a number column.
        conn.Execute(QStringLiteral("INSERT INTO zeit VALUES (2, 3000, 0.009, NULL, 'B'), (3, 1000, 0.002, 120, '150'), "
                                    "(3, 'abc', 0.004, 125, NULL), (4, 2000, 0.006, 160, 'b')"));
        zeit.SetConnection(&conn);
        zeit.SetTableName(QStringLiteral("zeit"));
        zeit.Open();
    }

    // What the scan finds: the first visible row with the key, through Locate.
    QVariant scanned(const QString& keys, const QVariant& values, const QString& result)
    {
        return zeit.Locate(keys, values) ? zeit.FieldByName(result)->Value() : QVariant();
    }

    // Every probe answers as the scan does.
    void expectSameAsScan()
    {
        const struct {
            const char* keys;
            QVariant values;
        } probes[] = {
            {"Meter", 2000},
            {"Meter", 2000.0},
            {"Meter", 9999},
            {"Meter", QVariant()},
            {"Notitz", QStringLiteral("b")},
            {"Notitz", QStringLiteral("B")},
            {"Notitz", QVariant()},
            {"Notitz", 150},
            {"Puls", QVariant()},
            {"zei_Id;Meter", QVariantList{1, 2000}},
            {"zei_Id;Notitz", QVariantList{3, QVariant()}},
            {"zei_Id;Meter", QVariantList{3, 2000}},
        };
        for (const auto& p : probes) {
            SCOPED_TRACE(std::string(p.keys) + " = " + p.values.toString().toStdString());
            for (const char* result : {"Zwischenzeit", "Puls"}) {
                const QVariant looked = zeit.Lookup(QString::fromLatin1(p.keys), p.values, QString::fromLatin1(result));
                EXPECT_EQ(looked, scanned(QString::fromLatin1(p.keys), p.values, QString::fromLatin1(result)));
            }
        }
    }

    TTable zeit;
};

TEST_F(LookupIndex, FindsTheRowTheScanFindsForEveryKindOfValue)
{
    expectSameAsScan();
    // The first of equal rows in cursor order, a key compared with its case, a number found as
    // its text.
    EXPECT_EQ(zeit.Lookup(QStringLiteral("Meter"), 2000, QStringLiteral("Notitz")).toString(), QStringLiteral("b"));
    EXPECT_TRUE(zeit.Lookup(QStringLiteral("Notitz"), QStringLiteral("b"), QStringLiteral("Puls")).isValid());
    EXPECT_EQ(zeit.Lookup(QStringLiteral("Notitz"), QStringLiteral("B"), QStringLiteral("Meter")).toInt(), 3000);
    EXPECT_EQ(zeit.Lookup(QStringLiteral("Notitz"), 150, QStringLiteral("Puls")).toInt(), 120);
    EXPECT_TRUE(zeit.Lookup(QStringLiteral("Meter"), 9999, QStringLiteral("Puls")).isNull());
}

TEST_F(LookupIndex, FollowsEveryChangeOfRowsOrderAndFilter)
{
    TTable sportart;
    sportart.SetConnection(&conn);
    sportart.SetTableName(QStringLiteral("sportart"));
    sportart.Open();
    auto name = [&](int id) { return sportart.Lookup(QStringLiteral("Spo_Id"), id, QStringLiteral("Spo_Name")); };
    ASSERT_EQ(name(1).toString(), QStringLiteral("Laufen"));  // the index is built here

    const struct {
        const char* change;
        std::function<void()> apply;
        int id;
        QVariant expected;
    } cases[] = {
        {"own insert",
         [&] {
             sportart.Append();
             sportart.FieldByName("Spo_Id")->SetAsInteger(3);
             sportart.FieldByName("Spo_Name")->SetAsString(QStringLiteral("Schwimmen"));
             sportart.Post();
         },
         3, QStringLiteral("Schwimmen")},
        {"own edit of the key",
         [&] {
             ASSERT_TRUE(sportart.Locate(QStringLiteral("Spo_Id"), 3));
             sportart.Edit();
             sportart.FieldByName("Spo_Id")->SetAsInteger(4);
             sportart.Post();
         },
         3, QVariant()},
        {"the edited key", [] {}, 4, QStringLiteral("Schwimmen")},
        {"own delete",
         [&] {
             ASSERT_TRUE(sportart.Locate(QStringLiteral("Spo_Id"), 4));
             sportart.Delete();
         },
         4, QVariant()},
        {"another writer, then requery",
         [&] {
             exec(QStringLiteral("INSERT INTO sportart VALUES (1, 'Gehen', 1)"));
             sportart.Requery();
         },
         1, QStringLiteral("Laufen")},
        {"an order that puts the other row first",
         [&] { sportart.SetIndexFieldNames(QStringLiteral("Spo_Name")); }, 1, QStringLiteral("Gehen")},
        {"a filter that hides it",
         [&] {
             sportart.OnFilterRecord = [](TDataSet* ds, bool& accept) {
                 accept = ds->FieldByName("Spo_Name")->AsString() != QStringLiteral("Gehen");
             };
             sportart.SetFiltered(true);
         },
         1, QStringLiteral("Laufen")},
        {"the filter off", [&] { sportart.SetFiltered(false); }, 1, QStringLiteral("Gehen")},
        {"closed", [&] { sportart.Close(); }, 1, QVariant()},
        {"opened without the order",
         [&] {
             sportart.SetIndexFieldNames(QString());
             sportart.Open();
         },
         1, QStringLiteral("Laufen")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        c.apply();
        EXPECT_EQ(name(c.id), c.expected);
    }
}

TEST_F(LookupIndex, AgreesWithTheScanAfterWritesOfItsOwn)
{
    expectSameAsScan();
    // Inserted before every row: now the first of its key.
    zeit.First();
    zeit.Insert();
    zeit.FieldByName("zei_Id")->SetAsInteger(0);
    zeit.FieldByName("Meter")->SetAsInteger(2000);
    zeit.FieldByName("Notitz")->SetAsString(QStringLiteral("B"));
    zeit.Post();
    expectSameAsScan();
    ASSERT_TRUE(zeit.Locate(QStringLiteral("Notitz"), QStringLiteral("a")));
    zeit.Edit();
    zeit.FieldByName("Meter")->Clear();
    zeit.Post();
    expectSameAsScan();
    ASSERT_TRUE(zeit.Locate(QStringLiteral("Notitz"), QStringLiteral("a")));
    zeit.Delete();
    zeit.SetIndexFieldNames(QStringLiteral("zei_Id"));
    expectSameAsScan();
}

}  // namespace
