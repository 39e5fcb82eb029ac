// The in-memory client dataset: filled like any dataset, saved to and loaded from data packets,
// and left as it was by a packet that does not fit.
#include "platform/db/clientdataset.h"
#include "platform/db/dbfilter.h"
#include "tests/platform/db/dbtestfixture.h"
#include "tests/platform/db/legacypacket.h"

namespace {

using L = QStringList;

// The 37 field objects of a training unit, in the order of the data module's `daten`:
// calculated and lookup fields between the stored ones.
void declareUnitFields(TClientDataSet& cds, TDataSet* sportart)
{
    struct {
        const char* name;
        TFieldType type;
        int size;
        TFieldKind kind;
    } defs[] = {
        {"minkm", ftTime, 0, fkCalculated},   {"kmh", ftFloat, 0, fkCalculated},
        {"Tag", ftString, 10, fkCalculated},  {"dat_Id", ftAutoInc, 0, fkData},
        {"Datum", ftDateTime, 0, fkData},     {"Ort", ftString, 30, fkData},
        {"Form", ftInteger, 0, fkData},       {"Startzeit", ftDateTime, 0, fkData},
        {"Gefuehl", ftString, 15, fkData},    {"Zeit", ftDateTime, 0, fkData},
        {"Meter", ftInteger, 0, fkData},      {"Wetter", ftString, 15, fkData},
        {"Wind", ftString, 15, fkData},       {"Hoehendifferenz", ftSmallint, 0, fkData},
        {"Bemerkungen", ftMemo, 0, fkData},   {"Temperatur", ftSmallint, 0, fkData},
        {"Puls", ftSmallint, 0, fkData},      {"Belastungsart", ftSmallint, 0, fkData},
        {"Streckenbeschreibung", ftString, 255, fkData}, {"Sportart", ftInteger, 0, fkData},
        {"Gli", ftFloat, 0, fkData},          {"Gewicht", ftFloat, 0, fkData},
        {"Belastungsstufe", ftSmallint, 0, fkData}, {"User1", ftString, 20, fkData},
        {"User2", ftFloat, 0, fkData},        {"Maxpuls", ftInteger, 0, fkData},
        {"Ruhepuls", ftInteger, 0, fkData},   {"Erholungspuls", ftInteger, 0, fkData},
        {"Fett", ftFloat, 0, fkData},         {"kcal", ftInteger, 0, fkData},
        {"platz", ftSmallint, 0, fkData},     {"trainingsblock", ftInteger, 0, fkData},
        {"SportName", ftString, 20, fkLookup}, {"trbname", ftString, 50, fkLookup},
        {"lSpeed", ftString, 15, fkCalculated}, {"lDistance", ftString, 12, fkCalculated},
        {"akplatz", ftSmallint, 0, fkData},
    };
    for (const auto& d : defs) {
        const QString name = QString::fromUtf8(d.name);
        if (name == QLatin1String("SportName"))
            cds.AddLookupField(name, d.type, d.size, sportart, QStringLiteral("Sportart"), QStringLiteral("SPO_ID"),
                               QStringLiteral("SPO_NAME"));
        else if (name == QLatin1String("trbname"))
            cds.AddLookupField(name, d.type, d.size, nullptr, QStringLiteral("trainingsblock"),
                               QStringLiteral("trb_Id"), QStringLiteral("trb_Name"));
        else
            cds.AddField(name, d.type, d.size, d.kind);
    }
    cds.FieldByName(QStringLiteral("dat_Id"))->SetReadOnly(true);
    cds.OnCalcFields = [](TDataSet* ds) {
        TField* zeit = ds->FieldByName(QStringLiteral("Zeit"));
        TField* meter = ds->FieldByName(QStringLiteral("Meter"));
        if (!zeit->IsNull() && !meter->IsNull() && zeit->AsFloat() > 0)
            ds->FieldByName(QStringLiteral("kmh"))->SetAsFloat(meter->AsFloat() / 1000.0 / (zeit->AsFloat() * 24.0));
    };
}

QStringList storedNames(const TDataSet& ds)
{
    QStringList names;
    for (int i = 0; i < ds.FieldCount(); ++i)
        if (ds.Field(i)->FieldKind() == fkData)
            names << ds.Field(i)->FieldName();
    return names;
}

class ClientDataSetTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        InstallDataSetFilters();
        sportart.SetConnection(&conn);
        sportart.SetTableName(QStringLiteral("sportart"));
    }
    TTable sportart;
};

TEST_F(ClientDataSetTest, UnitPacketRoundTripsWithNullsDatesMemoAndFieldOrder)
{
    const QString memo = QStringLiteral("Übelkeit & \"Wind\" <stark>\r\nzweite Zeile: äöüß ÄÖÜ");
    const double zeit = (45 * 60 + 12) * 1000 / MSecsPerDay;
    TClientDataSet cds;
    declareUnitFields(cds, &sportart);
    cds.CreateDataSet();
    EXPECT_TRUE(cds.Active());
    EXPECT_TRUE(sportart.Active());  // opened with its lookup field
    cds.Insert();
    cds.FieldByName("Datum")->SetAsDateTime(38061.0);
    cds.FieldByName("Ort")->SetAsString(QStringLiteral("Göttingen"));
    cds.FieldByName("Startzeit")->SetAsDateTime(0.75);
    cds.FieldByName("Zeit")->SetAsDateTime(zeit);
    cds.FieldByName("Meter")->SetAsInteger(10000);
    cds.FieldByName("Bemerkungen")->SetAsString(memo);
    cds.FieldByName("Hoehendifferenz")->SetAsInteger(-12);
    cds.FieldByName("Gli")->SetAsFloat(52.25);
    cds.FieldByName("Sportart")->SetAsInteger(2);
    cds.FieldByName("trainingsblock")->SetAsInteger(7);
    cds.Post();
    const TempFolder dir;
    const QString file = dir.file(QStringLiteral("muster.mt5"));
    cds.SaveToFile(file);
    cds.Close();

    // The packet holds the stored fields only, in field order.
    const TDataPacket packet = LoadDataPacket(file);
    EXPECT_EQ(packet.fields.size(), 30);
    QStringList packetNames;
    for (const TPacketField& f : packet.fields)
        packetNames << f.name;
    EXPECT_EQ(packetNames, storedNames(cds));

    TClientDataSet cds2;
    declareUnitFields(cds2, &sportart);
    cds2.LoadFromFile(file);
    ASSERT_TRUE(cds2.Active());
    ASSERT_EQ(cds2.RecordCount(), 1);
    EXPECT_EQ(cds2.FieldNames(), cds.FieldNames());
    EXPECT_EQ(cds2.FieldByName("Datum")->AsDateTime(), 38061.0);
    EXPECT_EQ(cds2.FieldByName("Startzeit")->AsDateTime(), 0.75);
    EXPECT_DOUBLE_EQ(cds2.FieldByName("Zeit")->AsDateTime(), zeit);
    EXPECT_EQ(cds2.FieldByName("Ort")->AsString(), QStringLiteral("Göttingen"));
    EXPECT_EQ(cds2.FieldByName("Bemerkungen")->AsString(), memo);
    EXPECT_EQ(cds2.FieldByName("Hoehendifferenz")->AsInteger(), -12);
    EXPECT_EQ(cds2.FieldByName("Gli")->AsFloat(), 52.25);
    EXPECT_EQ(cds2.FieldByName("trainingsblock")->AsInteger(), 7);
    // Nulls stay Null, stored numbers included.
    for (const char* name : {"dat_Id", "Form", "Gefuehl", "Wetter", "Puls", "Gewicht", "User1", "akplatz"})
        EXPECT_TRUE(cds2.FieldByName(QString::fromUtf8(name))->IsNull()) << name;
    // Lookup and calculated fields are recomputed, never read from the packet.
    EXPECT_EQ(cds2.FieldByName("SportName")->AsString(), QStringLiteral("Radfahren"));
    EXPECT_NEAR(cds2.FieldByName("kmh")->AsFloat(), 10.0 / (zeit * 24.0), 1e-9);
    EXPECT_TRUE(cds2.FieldByName("trbname")->IsNull());
}

TEST_F(ClientDataSetTest, FilledLikeAnyDatasetWithTheSameEventOrder)
{
    // The same steps on a table and on a client dataset of the same rows give the same events.
    auto script = [](TDataSet& ds) {
        ds.Append();
        ds.FieldByName("unt_name")->SetAsString(QStringLiteral("Yard"));
        ds.Post();
        ds.First();
        ds.Edit();
        ds.FieldByName("unt_name")->SetAsString(QStringLiteral("Kilometer!"));
        ds.Insert();  // posts the pending edit first
        ds.Cancel();
        ds.Next();
        ds.Next();
        ds.Next();  // at the end: sticky Eof
        ds.Delete();
        ds.Edit();
        ds.Close();
    };
    TTable unit;
    unit.SetConnection(&conn);
    unit.SetTableName(QStringLiteral("unit"));
    unit.AddField(QStringLiteral("unt_id"), ftAutoInc)->SetReadOnly(true);
    unit.AddField(QStringLiteral("unt_name"), ftString, 50);
    unit.Open();
    TClientDataSet cds;
    cds.AddField(QStringLiteral("unt_id"), ftAutoInc)->SetReadOnly(true);
    cds.AddField(QStringLiteral("unt_name"), ftString, 50);
    cds.CreateDataSet();
    for (const char* name : {"Kilometer", "Meilen"}) {
        cds.Append();
        cds.FieldByName("unt_name")->SetAsString(QString::fromUtf8(name));
        cds.Post();
    }

    EventLog tableLog, cdsLog;
    TDataSource tableSrc, cdsSrc;
    tableSrc.SetDataSet(&unit);
    cdsSrc.SetDataSet(&cds);
    tableLog.attach(unit, &tableSrc);
    cdsLog.attach(cds, &cdsSrc);
    script(unit);
    script(cds);
    EXPECT_GT(tableLog.log.size(), 40);
    EXPECT_EQ(cdsLog.log, tableLog.log);

    // The rows stay while the object lives.
    cds.Open();
    EXPECT_EQ(cds.RecordCount(), 2);
    cds.First();
    EXPECT_EQ(cds.FieldByName("unt_name")->AsString(), QStringLiteral("Kilometer!"));
}

TEST_F(ClientDataSetTest, SavesAllRowsInCursorOrderAndLoadsTheirFields)
{
    TClientDataSet cds;
    cds.AddField(QStringLiteral("vol_id"), ftAutoInc);
    cds.AddField(QStringLiteral("vol_name"), ftString, 255);
    cds.CreateDataSet();
    for (const char* path : {"/home/a/Ansicht.co5", "/tmp/x.SQL"}) {
        cds.Append();
        cds.FieldByName("vol_name")->SetAsString(QString::fromUtf8(path));
        cds.Post();
    }
    cds.Last();
    cds.Insert();  // before the last row
    cds.FieldByName("vol_name")->SetAsString(QStringLiteral("/home/b/Ansicht.co5"));
    // A filter hides rows from the cursor, not from the file; a pending insert is posted.
    cds.SetFilter(QStringLiteral("vol_name LIKE '/home%'"));
    cds.SetFiltered(true);
    EXPECT_EQ(cds.RecordCount(), 2);
    const TempFolder dir;
    const QString file = dir.file(QStringLiteral("liste.xml"));
    cds.SaveToFile(file);

    TClientDataSet list;  // without field objects: the packet's fields become the fields
    list.LoadFromFile(file);
    EXPECT_EQ(list.FieldNames(), (L{"vol_id", "vol_name"}));
    EXPECT_EQ(list.FieldByName("vol_id")->DataType(), ftAutoInc);
    EXPECT_EQ(list.FieldByName("vol_name")->DataType(), ftString);
    EXPECT_EQ(list.FieldByName("vol_name")->Size(), 255);
    L names;
    for (list.First(); !list.Eof(); list.Next())
        names << list.FieldByName("vol_name")->AsString();
    EXPECT_EQ(names, (L{"/home/a/Ansicht.co5", "/home/b/Ansicht.co5", "/tmp/x.SQL"}));
    list.EmptyDataSet();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(list.Active());

    TClientDataSet never;
    EXPECT_THROW(never.Open(), EDatabaseError);  // no fields and no packet
    EXPECT_THROW(never.CreateDataSet(), EDatabaseError);
    EXPECT_THROW(never.SaveToFile(file), EDatabaseError);
}

TEST_F(ClientDataSetTest, PacketOfTheWindowsProgramLoads)
{
    const QByteArray xml = LegacyTemplatePacket();
    const TempFolder dir;
    const QString file = dir.write(QStringLiteral("alt.mt5"), xml);

    TClientDataSet all;
    all.LoadFromFile(file);
    EXPECT_EQ(all.FieldNames(), (L{"dat_Id", "Datum", "Ort", "Zeit", "Bemerkungen", "Gli", "x"}));
    EXPECT_EQ(all.FieldByName("dat_Id")->DataType(), ftAutoInc);
    EXPECT_TRUE(all.FieldByName("dat_Id")->ReadOnly());
    EXPECT_EQ(all.FieldByName("Bemerkungen")->DataType(), ftMemo);
    EXPECT_EQ(all.FieldByName("x")->DataType(), ftBoolean);
    ASSERT_EQ(all.RecordCount(), 1);
    EXPECT_TRUE(all.FieldByName("dat_Id")->IsNull());
    EXPECT_EQ(all.FieldByName("Datum")->AsDateTime(), 38061.0);
    EXPECT_EQ(all.FieldByName("Ort")->AsString(), QStringLiteral("München"));
    EXPECT_DOUBLE_EQ(all.FieldByName("Zeit")->AsDateTime(), (45 * 60 + 12) / 86400.0);
    EXPECT_TRUE(all.FieldByName("x")->AsBoolean());

    // Declared fields take theirs by name and leave the rest of the packet.
    TClientDataSet some;
    some.AddField(QStringLiteral("Ort"), ftString, 30);
    some.AddField(QStringLiteral("Gli"), ftFloat);
    some.AddField(QStringLiteral("Bemerkungen"), ftMemo);
    some.LoadFromFile(file);
    EXPECT_EQ(some.FieldNames(), (L{"Ort", "Gli", "Bemerkungen"}));
    EXPECT_EQ(some.FieldByName("Gli")->AsFloat(), 52.5);
    EXPECT_EQ(some.FieldByName("Bemerkungen")->AsString(), QStringLiteral("gut"));
}

TEST_F(ClientDataSetTest, PacketThatDoesNotFitLeavesTheDatasetAsItWas)
{
    const TempFolder dir;
    TClientDataSet cds;
    declareUnitFields(cds, &sportart);
    cds.CreateDataSet();
    for (int m : {1000, 2000, 3000}) {
        cds.Append();
        cds.FieldByName("Meter")->SetAsInteger(m);
        cds.FieldByName("Ort")->SetAsString(QStringLiteral("Ort %1").arg(m));
        cds.Post();
    }
    const QString good = dir.file(QStringLiteral("gut.mt5"));
    cds.SaveToFile(good);
    cds.SetRecNo(2);

    // Files that fail at different stages: unreadable, not a packet, another layout, a field
    // of another kind, a value that is no value of its field.
    const QByteArray text = WriteDataPacket(LoadDataPacket(good));
    QByteArray otherKind = text;
    otherKind.replace("attrname=\"Meter\" fieldtype=\"i4\"", "attrname=\"Meter\" fieldtype=\"string\" WIDTH=\"10\"");
    ASSERT_NE(otherKind, text);
    TDataPacket tooLarge = LoadDataPacket(good);
    tooLarge.fields[tooLarge.FieldIndex(QStringLiteral("Hoehendifferenz"))].type = ftInteger;
    tooLarge.rows[2][tooLarge.FieldIndex(QStringLiteral("Hoehendifferenz"))] = 70000;  // no small integer
    TDataPacket fileList;
    TPacketField volName;
    volName.name = QStringLiteral("vol_name");
    volName.size = 255;
    fileList.fields << volName;
    fileList.rows << QVector<QVariant>{QStringLiteral("/tmp/a.co5")};

    struct Case {
        const char* what;
        QString file;
        const char* message;  // found in the German message
    } cases[] = {
        {"missing file", dir.file(QStringLiteral("fehlt.mt5")), "kann nicht geöffnet werden"},
        {"not a packet", dir.write(QStringLiteral("kein.mt5"), "kein XML"), "kein gültiges Datenpaket"},
        {"cut off", dir.write(QStringLiteral("halb.mt5"), text.left(text.size() - 30)), "kein gültiges Datenpaket"},
        {"another layout", dir.write(QStringLiteral("liste.xml"), WriteDataPacket(fileList)), "passt nicht"},
        {"another kind", dir.write(QStringLiteral("art.mt5"), otherKind), "passt nicht"},
        {"value out of range", dir.write(QStringLiteral("gross.mt5"), WriteDataPacket(tooLarge)), "Zeile 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            cds.LoadFromFile(c.file);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(c.message))) << e.Message().toStdString();
        }
        EXPECT_TRUE(cds.Active());
        EXPECT_EQ(cds.RecordCount(), 3);
        EXPECT_EQ(cds.RecNo(), 2);
        EXPECT_EQ(cds.FieldByName("Meter")->AsInteger(), 2000);
    }
    // The good file still loads afterwards.
    cds.LoadFromFile(good);
    EXPECT_EQ(cds.RecordCount(), 3);
    EXPECT_EQ(cds.RecNo(), 1);
}

}  // namespace
