// Fields: types, conversions, formats, lookup and calculated fields, master-detail and links.
#include "platform/db/dbfilter.h"
#include "tests/platform/db/dbtestfixture.h"

#include <QFile>

#include <limits>

#include "tests/support/messages.h"

namespace {

using FieldTest = DbTest;

TEST_F(FieldTest, DefaultFieldsComeFromTheColumns)
{
    TTable daten;
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    daten.Open();
    struct Case {
        const char* name;
        TFieldType type;
        int size;
    };
    for (const Case& c : {Case{"dat_Id", ftAutoInc, 0}, Case{"Datum", ftDateTime, 0}, Case{"Ort", ftString, 30},
                          Case{"Bemerkungen", ftMemo, 0}, Case{"Hoehendifferenz", ftSmallint, 0},
                          Case{"Meter", ftInteger, 0}}) {
        TField* f = daten.FieldByName(QString::fromLatin1(c.name).toUpper());  // names without case
        EXPECT_EQ(f->DataType(), c.type) << c.name;
        EXPECT_EQ(f->Size(), c.size) << c.name;
    }
    EXPECT_TRUE(daten.FieldByName("dat_Id")->ReadOnly());
    try {
        daten.FieldByName(QStringLiteral("nix"));
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Feld 'nix' nicht gefunden")));
    }
    EXPECT_EQ(daten.FindField(QStringLiteral("nix")), nullptr);
    daten.Close();
    EXPECT_EQ(daten.FieldCount(), 0);  // default fields go with the rows
}

TEST_F(FieldTest, DeclaredFieldsAreExactlyThoseAndAMissingColumnFailsAtOpen)
{
    TTable daten;
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    daten.AddField(QStringLiteral("Ort"), ftString, 30);
    daten.AddField(QStringLiteral("Meter"), ftInteger);
    daten.Open();
    EXPECT_EQ(daten.FieldNames(), (QStringList{"Ort", "Meter"}));
    daten.Close();
    daten.AddField(QStringLiteral("Fehlt"), ftInteger);
    EXPECT_THROW(daten.Open(), EDatabaseError);
    EXPECT_FALSE(daten.Active());
    EXPECT_EQ(daten.FieldCount(), 3);
}

TEST_F(FieldTest, NullAndConversions)
{
    TTable daten;
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    daten.Open();  // first row: Bemerkungen is Null
    TField* memo = daten.FieldByName("Bemerkungen");
    TField* meter = daten.FieldByName("Meter");
    TField* hd = daten.FieldByName("Hoehendifferenz");
    EXPECT_TRUE(memo->IsNull());
    EXPECT_EQ(memo->AsString(), QString());
    EXPECT_THROW(memo->AsInteger(), EConvertError);  // text converted as the runtime does
    EXPECT_THROW(memo->AsFloat(), EConvertError);
    daten.Edit();
    meter->Clear();
    EXPECT_TRUE(meter->IsNull());
    EXPECT_EQ(meter->AsInteger(), 0);  // a Null number field reads 0
    EXPECT_EQ(meter->AsFloat(), 0.0);
    EXPECT_FALSE(meter->Value().isValid());
    EXPECT_THROW(meter->SetAsString(QStringLiteral("12a")), EConvertError);
    EXPECT_THROW(hd->SetAsInteger(40000), EDatabaseError);  // small integer range
    meter->SetAsString(QStringLiteral("4200"));
    meter->SetAsFloat(4200.5);  // rounded half to even, as the runtime does
    EXPECT_EQ(meter->AsInteger(), 4200);
    EXPECT_EQ(meter->OldValue().toInt(), 10000);
    daten.Cancel();
    EXPECT_EQ(meter->AsInteger(), 10000);
}

TEST_F(FieldTest, FloatDateAndTimeFieldsRefuseValuesNoNumberOrDateStandsFor)
{
    TTable daten;
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    daten.AddField(QStringLiteral("Datum"), ftDate);
    daten.AddField(QStringLiteral("Zeit"), ftTime);
    daten.AddField(QStringLiteral("Meter"), ftFloat);
    daten.AddField(QStringLiteral("dat_Id"), ftAutoInc);
    daten.Open();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    daten.Edit();
    for (const char* name : {"Datum", "Zeit", "Meter"}) {
        TField* f = daten.FieldByName(QString::fromLatin1(name));
        const QVariant before = f->Value();
        for (double bad : {nan, inf, -inf}) {
            EXPECT_THROW(f->SetAsFloat(bad), EConvertError) << name << " " << bad;
            EXPECT_THROW(f->SetAsDateTime(bad), EConvertError) << name << " " << bad;
        }
        // Beyond 31.12.9999 or before 01.01.0001 only a float is a value.
        for (double far : {1e300, 3e9, -700000.0}) {
            if (f->DataType() == ftFloat)
                EXPECT_NO_THROW(f->SetAsFloat(far)) << name << " " << far;
            else
                EXPECT_THROW(f->SetAsFloat(far), EConvertError) << name << " " << far;
        }
        if (f->DataType() != ftFloat)
            f->SetValue(before);
        EXPECT_EQ(f->Value(), f->DataType() == ftFloat ? QVariant(-700000.0) : before) << name;
    }
    // The edges of the calendar are dates.
    daten.FieldByName("Datum")->SetAsDateTime(EncodeDate(9999, 12, 31));
    daten.FieldByName("Datum")->SetAsDateTime(EncodeDate(1, 1, 1));
    EXPECT_EQ(messageOf<EConvertError>([&] { daten.FieldByName("Meter")->SetAsFloat(nan); }),
              QStringLiteral("'NAN' ist kein gültiger Gleitkommawert"));
    EXPECT_EQ(messageOf<EConvertError>([&] { daten.FieldByName("Datum")->SetAsFloat(3e9); }),
              QStringLiteral("Ungültiges Argument für Datumskodierung"));
    daten.Cancel();
}

TEST_F(FieldTest, BooleanAndTextFormats)
{
    const TFormatSettings saved = FormatSettings();
    FormatSettings() = GermanFormatSettings();
    TTable plan;
    plan.SetConnection(&conn);
    plan.SetTableName(QStringLiteral("plan_daten"));
    plan.Open();
    TField* done = plan.FieldByName("pld_realisiert");
    EXPECT_EQ(done->DataType(), ftBoolean);
    EXPECT_FALSE(done->AsBoolean());
    EXPECT_EQ(done->AsString(), QStringLiteral("False"));
    plan.Edit();
    done->SetAsString(QStringLiteral("t"));
    EXPECT_TRUE(done->AsBoolean());
    EXPECT_THROW(done->SetAsString(QStringLiteral("vielleicht")), EDatabaseError);
    plan.Post();
    EXPECT_EQ(scalar("SELECT pld_realisiert FROM plan_daten WHERE pld_ID = 1").toInt(), 1);

    TTable daten;
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    daten.Open();
    TField* zeit = daten.FieldByName("Zeit");
    zeit->SetDisplayFormat(QStringLiteral("hh:mm:ss"));
    EXPECT_EQ(zeit->DisplayText(), QStringLiteral("00:45:00"));
    TField* meter = daten.FieldByName("Meter");
    meter->SetDisplayFormat(QStringLiteral("#,##0"));
    EXPECT_EQ(meter->DisplayText(), QStringLiteral("10.000"));
    EXPECT_EQ(meter->AsString(), QStringLiteral("10000"));
    meter->OnGetText = [](TField* f, QString& text, bool display) {
        text = display ? QStringLiteral("%1 km").arg(f->AsInteger() / 1000) : QString::number(f->AsInteger() / 1000);
    };
    meter->OnSetText = [](TField* f, const QString& text) { f->SetAsInteger(text.toInt() * 1000); };
    EXPECT_EQ(meter->DisplayText(), QStringLiteral("10 km"));
    EXPECT_EQ(meter->Text(), QStringLiteral("10"));
    daten.Edit();
    meter->SetText(QStringLiteral("12"));
    EXPECT_EQ(meter->AsInteger(), 12000);
    daten.Cancel();
    FormatSettings() = saved;
}

TEST_F(FieldTest, BlobLoadsFromFile)
{
    exec("CREATE TABLE bild (id INTEGER PRIMARY KEY, img BLOB)");
    const QString fn = tmp.write(QStringLiteral("karte.jpg"), QByteArray("\xff\xd8\x00jpeg", 7));
    TTable t;
    t.SetConnection(&conn);
    t.SetTableName(QStringLiteral("bild"));
    t.Open();
    t.Append();
    t.FieldByName("img")->LoadFromFile(fn);
    t.Post();
    EXPECT_EQ(scalar("SELECT length(img) FROM bild").toInt(), 7);
    EXPECT_EQ(t.FieldByName("img")->AsBytes(), QByteArray("\xff\xd8\x00jpeg", 7));
    t.Edit();
    EXPECT_THROW(t.FieldByName("img")->LoadFromFile(tmp.file(QStringLiteral("fehlt.jpg"))), EFOpenError);
}

TEST_F(FieldTest, LookupFieldsEmptyOnAMissAndOverTheFilteredRows)
{
    TTable sportart;
    sportart.SetConnection(&conn);
    sportart.SetTableName(QStringLiteral("sportart"));
    TTable daten;
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    daten.SetIndexFieldNames(QStringLiteral("dat_Id"));
    daten.AddField(QStringLiteral("dat_Id"), ftAutoInc);
    daten.AddField(QStringLiteral("Sportart"), ftInteger);
    daten.AddLookupField(QStringLiteral("SportName"), ftString, 20, &sportart, QStringLiteral("Sportart"),
                         QStringLiteral("SPO_ID"), QStringLiteral("SPO_NAME"));
    daten.Open();
    EXPECT_TRUE(sportart.Active());  // opened with its user
    EXPECT_EQ(daten.FieldByName("SportName")->AsString(), QStringLiteral("Laufen"));
    daten.Last();
    EXPECT_TRUE(daten.FieldByName("SportName")->IsNull());  // no sport 3
    daten.Edit();
    daten.FieldByName("Sportart")->SetAsInteger(2);  // recomputed after the write
    EXPECT_EQ(daten.FieldByName("SportName")->AsString(), QStringLiteral("Radfahren"));
    daten.Cancel();
    sportart.OnFilterRecord = [](TDataSet* ds, bool& accept) { accept = ds->FieldByName("Spo_Id")->AsInteger() != 2; };
    sportart.SetFiltered(true);
    EXPECT_EQ(sportart.RecordCount(), 1);
    daten.Locate(QStringLiteral("dat_Id"), 2);
    EXPECT_TRUE(daten.FieldByName("SportName")->IsNull());
    EXPECT_TRUE(sportart.Lookup(QStringLiteral("Spo_Id"), 2, QStringLiteral("Spo_Name")).isNull());
    EXPECT_EQ(sportart.Lookup(QStringLiteral("Spo_Id"), QStringLiteral("1"), QStringLiteral("Spo_Name")).toString(),
              QStringLiteral("Laufen"));
    EXPECT_THROW(sportart.Lookup(QStringLiteral("Spo_Id"), QStringLiteral("eins"), QStringLiteral("Spo_Name")),
                 EConvertError);
}

TEST_F(FieldTest, LookupsWithAConditionShareOneLookupDataset)
{
    // The speed and distance units of a sport come from one unit table; each lookup finds and
    // lists only the units of its own type.
    InstallDataSetFilters();
    exec(QStringLiteral("ALTER TABLE sportart ADD COLUMN Spo_speed INTEGER;"
                        "INSERT INTO unit VALUES (3, 2, 'km/h', 'kmh', 1);"
                        "UPDATE sportart SET Spo_speed = 3 WHERE Spo_Id = 1;"
                        "UPDATE sportart SET Spo_speed = 1 WHERE Spo_Id = 2;"));  // unit 1 is a distance unit
    TTable distancespeed;
    distancespeed.SetConnection(&conn);
    distancespeed.SetTableName(QStringLiteral("unit"));
    TTable sportart;
    sportart.SetConnection(&conn);
    sportart.SetTableName(QStringLiteral("sportart"));
    sportart.SetIndexFieldNames(QStringLiteral("Spo_Id"));
    sportart.AddField(QStringLiteral("Spo_Id"), ftInteger);
    sportart.AddField(QStringLiteral("Spo_speed"), ftInteger);
    sportart.AddField(QStringLiteral("Spo_distance"), ftInteger);
    TField* lSpeed = sportart.AddLookupField(QStringLiteral("lSpeed"), ftString, 25, &distancespeed,
                                             QStringLiteral("Spo_speed"), QStringLiteral("unt_id"),
                                             QStringLiteral("unt_name"));
    lSpeed->SetCustomConstraint(QStringLiteral("unt_type =2"));
    TField* lDistance = sportart.AddLookupField(QStringLiteral("lDistance"), ftString, 15, &distancespeed,
                                                QStringLiteral("Spo_distance"), QStringLiteral("unt_id"),
                                                QStringLiteral("unt_name"));
    lDistance->SetCustomConstraint(QStringLiteral("unt_type = 1"));
    sportart.Open();
    EXPECT_EQ(lSpeed->AsString(), QStringLiteral("km/h"));
    EXPECT_EQ(lDistance->AsString(), QStringLiteral("Kilometer"));
    sportart.Next();
    EXPECT_TRUE(lSpeed->IsNull());  // unit 1 exists, but is no speed unit
    EXPECT_EQ(lDistance->AsString(), QStringLiteral("Meilen"));
    sportart.Edit();
    sportart.FieldByName("Spo_speed")->SetAsInteger(3);
    EXPECT_EQ(lSpeed->AsString(), QStringLiteral("km/h"));
    sportart.Cancel();

    // Lists of choices ask each lookup row.
    auto choices = [&distancespeed](TField* f) {
        QStringList l;
        for (int i = 0; i < distancespeed.RecordCount(); ++i) {
            distancespeed.SetDisplayRow(i);
            if (f->AcceptsLookupRow())
                l << distancespeed.FieldByName("unt_name")->AsString();
        }
        distancespeed.SetDisplayRow(-1);
        return l;
    };
    EXPECT_EQ(choices(lSpeed), (QStringList{"km/h"}));
    EXPECT_EQ(choices(lDistance), (QStringList{"Kilometer", "Meilen"}));

    // A filter on the lookup dataset still narrows both.
    distancespeed.SetFilter(QStringLiteral("unt_type = 1"));
    distancespeed.SetFiltered(true);
    sportart.First();
    EXPECT_TRUE(lSpeed->IsNull());
    EXPECT_EQ(lDistance->AsString(), QStringLiteral("Kilometer"));
    distancespeed.SetFiltered(false);

    // A condition that names no field of the lookup dataset fails at open.
    sportart.Close();
    lSpeed->SetCustomConstraint(QStringLiteral("unt_art = 2"));
    EXPECT_THROW(sportart.Open(), EDatabaseError);
    EXPECT_FALSE(sportart.Active());
}

TEST_F(FieldTest, CalculatedFieldsInCursorOrderMayReadThePreviousRow)
{
    TTable zeit;
    zeit.SetConnection(&conn);
    zeit.SetTableName(QStringLiteral("zeit"));
    zeit.SetIndexFieldNames(QStringLiteral("zei_Id;Meter"));
    zeit.AddField(QStringLiteral("zei_Id"), ftInteger);
    zeit.AddField(QStringLiteral("Meter"), ftInteger);
    zeit.AddField(QStringLiteral("Split"), ftInteger, 0, fkCalculated);
    zeit.AddField(QStringLiteral("SportName"), ftString, 20, fkCalculated);
    int lastMeter = 0;
    QStringList states;
    zeit.OnCalcFields = [&](TDataSet* ds) {
        states << QString::number(ds->State());
        // Calculated fields are cleared before the handler runs.
        EXPECT_TRUE(ds->FieldByName("Split")->IsNull());
        const int m = ds->FieldByName("Meter")->AsInteger();
        ds->FieldByName("Split")->SetAsInteger(m - lastMeter);
        lastMeter = m;
    };
    zeit.Open();
    QList<int> splits;
    for (; !zeit.Eof(); zeit.Next())
        splits << zeit.FieldByName("Split")->AsInteger();
    EXPECT_EQ(splits, (QList<int>{1000, 1000, 0, -1000}));
    EXPECT_TRUE(states.contains(QString::number(dsCalcFields)));
    EXPECT_THROW(zeit.FieldByName("Split")->SetAsInteger(1), EDatabaseError);  // outside calc, in Browse
    zeit.Edit();
    lastMeter = 0;
    zeit.FieldByName("Meter")->SetAsInteger(1500);  // recalculated after the write
    EXPECT_EQ(zeit.FieldByName("Split")->AsInteger(), 1500);
    zeit.Cancel();
}

TEST_F(FieldTest, CalculationFailingOnTheFirstRowFailsTheOpen)
{
    TTable zeit;
    zeit.SetConnection(&conn);
    zeit.SetTableName(QStringLiteral("zeit"));
    zeit.AddField(QStringLiteral("Meter"), ftInteger);
    zeit.AddField(QStringLiteral("Split"), ftInteger, 0, fkCalculated);
    zeit.OnCalcFields = [](TDataSet*) { throw EConvertError(QStringLiteral("kaputt")); };
    QStringList events;
    zeit.AfterOpen = [&events](TDataSet*) { events << QStringLiteral("AfterOpen"); };
    EXPECT_THROW(zeit.Open(), EConvertError);
    EXPECT_FALSE(zeit.Active());  // not left open without its events
    EXPECT_TRUE(events.isEmpty());
    zeit.OnCalcFields = nullptr;
    zeit.Open();
    EXPECT_EQ(events, QStringList{QStringLiteral("AfterOpen")});
}

TEST_F(FieldTest, DetailFollowsItsMasterAndInsertCopiesTheKey)
{
    TTable daten;
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    daten.SetIndexFieldNames(QStringLiteral("dat_Id"));
    TDataSource dsDaten;
    dsDaten.SetDataSet(&daten);
    TTable plan;
    plan.SetConnection(&conn);
    plan.SetTableName(QStringLiteral("plan_daten"));
    plan.SetIndexFieldNames(QStringLiteral("pld_DatenID"));
    plan.SetMasterSource(&dsDaten);
    plan.SetMasterFields(QStringLiteral("dat_Id"));
    daten.Open();
    plan.Open();
    EXPECT_EQ(plan.RecordCount(), 1);
    EXPECT_EQ(plan.FieldByName("pld_status")->AsString(), QStringLiteral("offen"));
    daten.Next();
    EXPECT_EQ(plan.FieldByName("pld_status")->AsString(), QStringLiteral("erledigt"));
    daten.DisableControls();
    daten.Next();
    EXPECT_EQ(plan.FieldByName("pld_ID")->AsInteger(), 2);  // controls disabled: no following
    daten.EnableControls();
    EXPECT_EQ(plan.FieldByName("pld_ID")->AsInteger(), 3);
    plan.Append();
    EXPECT_EQ(plan.FieldByName("pld_DatenID")->AsInteger(), 3);
    plan.FieldByName("pld_status")->SetAsString(QStringLiteral("neu"));
    plan.Post();
    EXPECT_EQ(plan.RecordCount(), 2);
    EXPECT_EQ(scalar("SELECT count(*) FROM plan_daten WHERE pld_DatenID = 3").toInt(), 2);
}

TEST_F(FieldTest, FieldLinkFlushesTheControlBeforeBeforePost)
{
    TTable daten;
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    TDataSource src;
    src.SetDataSet(&daten);
    TFieldDataLink link;
    QString controlText;
    QStringList log;
    link.SetDataSource(&src);
    link.SetFieldName(QStringLiteral("Ort"));
    link.OnDataChange = [&] { controlText = link.Field() ? link.Field()->Text() : QString(); };
    link.OnEditingChange = [&] { log << (link.Editing() ? "editing" : "browsing"); };
    link.OnUpdateData = [&] {
        log << "flush";
        link.Field()->SetText(controlText);
    };
    daten.BeforePost = [&](TDataSet*) { log << "BeforePost"; };
    daten.Open();
    ASSERT_NE(link.Field(), nullptr);
    EXPECT_EQ(controlText, QStringLiteral("Berlin"));
    // The user types: the link puts the dataset in Edit and marks itself modified.
    EXPECT_TRUE(link.Edit());
    controlText = QStringLiteral("Bremen");
    link.Modified();
    daten.Next();  // the pending edit is posted with the control's text
    EXPECT_EQ(log, (QStringList{"editing", "flush", "BeforePost", "browsing"}));
    EXPECT_EQ(controlText, QStringLiteral("Hamburg"));
    EXPECT_EQ(scalar("SELECT Ort FROM daten WHERE dat_Id = 1").toString(), QStringLiteral("Bremen"));
    // Reset drops what the control holds: it shows the field again and posting writes nothing of it.
    EXPECT_TRUE(link.Edit());
    controlText = QStringLiteral("Xanten");
    link.Modified();
    log.clear();
    link.Reset();
    EXPECT_FALSE(link.IsModified());
    EXPECT_EQ(controlText, QStringLiteral("Hamburg"));
    daten.Post();
    EXPECT_EQ(log, (QStringList{"BeforePost", "browsing"}));
    EXPECT_EQ(scalar("SELECT Ort FROM daten WHERE dat_Id = 2").toString(), QStringLiteral("Hamburg"));
    src.SetAutoEdit(false);
    EXPECT_FALSE(link.Edit());
    daten.Close();
    EXPECT_EQ(link.Field(), nullptr);
}

TEST_F(FieldTest, BufferedLinkShowsRowsAroundTheCurrentOne)
{
    TTable daten;
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    daten.SetIndexFieldNames(QStringLiteral("dat_Id"));
    TDataSource src;
    src.SetDataSet(&daten);
    TDataLink grid;
    grid.SetBufferCount(2);
    grid.SetDataSource(&src);
    QList<int> scrolled;
    grid.OnDataSetScrolled = [&](int d) { scrolled << d; };
    daten.Open();
    EXPECT_EQ(grid.RecordCount(), 2);
    EXPECT_EQ(grid.ActiveRecord(), 0);
    daten.Next();
    daten.Next();
    EXPECT_EQ(grid.ActiveRecord(), 1);
    EXPECT_EQ(scrolled, (QList<int>{0, 1}));
    grid.SetActiveRecord(0);
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("Hamburg"));
    grid.SetActiveRecord(grid.ActiveRecord());
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("München"));
    daten.Append();  // the new row shows at the end of the window
    EXPECT_EQ(grid.RecordCount(), 2);
    EXPECT_EQ(grid.ActiveRecord(), 1);
    grid.SetActiveRecord(0);
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("München"));
    grid.SetActiveRecord(1);
    EXPECT_TRUE(daten.FieldByName("Ort")->IsNull());
    daten.Cancel();
}

}  // namespace

namespace {

// The text a control bound to the field shows, kept current by the field's data events.
struct ShownField {
    ShownField(TDataSource& src, const QString& field)
    {
        link.SetDataSource(&src);
        link.SetFieldName(field);
        link.OnDataChange = [this] { text = link.Field() ? link.Field()->DisplayText() : QString(); };
        link.OnDataChange();
    }
    TFieldDataLink link;
    QString text;
};

// German number and date formats for the length of a test.
struct GermanSettings {
    GermanSettings() { FormatSettings() = GermanFormatSettings(); }
    ~GermanSettings() { FormatSettings() = saved; }
    TFormatSettings saved = FormatSettings();
};

TEST_F(FieldTest, FieldsFoundByNameAreThoseOfTheCurrentOpen)
{
    // A query's fields come from each result: a name found once must not outlive them.
    TQuery q;
    q.SetConnection(&conn);
    q.SetSQLText(QStringLiteral("SELECT Ort, Meter FROM daten"));
    q.Open();
    ASSERT_NE(q.FindField(QStringLiteral("Meter")), nullptr);
    EXPECT_EQ(q.Lookup(QStringLiteral("Ort"), QStringLiteral("Hamburg"), QStringLiteral("Meter")).toInt(), 5000);
    q.Close();
    q.SetSQLText(QStringLiteral("SELECT Meter AS Ort, Sportart AS Meter FROM daten"));
    q.Open();
    EXPECT_EQ(q.FieldByName(QStringLiteral("Meter"))->Index(), 1);
    EXPECT_EQ(q.Lookup(QStringLiteral("Ort"), 5000, QStringLiteral("Meter")).toInt(), 2);
    q.Close();
    q.SetSQLText(QStringLiteral("SELECT Ort FROM daten"));
    q.Open();
    EXPECT_EQ(q.FindField(QStringLiteral("Meter")), nullptr);
    EXPECT_THROW(q.Lookup(QStringLiteral("Ort"), QStringLiteral("Kiel"), QStringLiteral("Meter")), EDatabaseError);
}

}  // namespace

// The units with a calculated speed and a looked-up sport name, as the derived-field tests use them.
static void declareUnitsWithSpeedAndSport(TConnection& conn, TTable& daten, TTable& sportart)
{
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    daten.SetIndexFieldNames(QStringLiteral("dat_Id"));
    daten.AddField(QStringLiteral("dat_Id"), ftAutoInc);
    daten.AddField(QStringLiteral("Datum"), ftDateTime);
    daten.AddField(QStringLiteral("Meter"), ftInteger);
    daten.AddField(QStringLiteral("Zeit"), ftDateTime);
    daten.AddField(QStringLiteral("Sportart"), ftInteger);
    daten.AddField(QStringLiteral("kmh"), ftFloat, 0, fkCalculated);
    daten.AddField(QStringLiteral("sportName"), ftString, 20, fkLookup);
    sportart.SetConnection(&conn);
    sportart.SetTableName(QStringLiteral("sportart"));
    sportart.Open();
    TField* sportName = daten.FieldByName(QStringLiteral("sportName"));
    sportName->SetLookupDataSet(&sportart);
    sportName->SetKeyFields(QStringLiteral("Sportart"));
    sportName->SetLookupKeyFields(QStringLiteral("Spo_Id"));
    sportName->SetLookupResultField(QStringLiteral("Spo_Name"));
}

static void calculateSpeed(TDataSet* ds)
{
    const double hours = ds->FieldByName(QStringLiteral("Zeit"))->AsFloat() * 24;
    if (hours > 0)
        ds->FieldByName(QStringLiteral("kmh"))->SetAsFloat(ds->FieldByName(QStringLiteral("Meter"))->AsInteger() / 1000.0 / hours);
}

TEST_F(FieldTest, ControlsOfCalculatedFieldsFollowAChangedDataFieldWhileEditing)
{
    const GermanSettings german;
    TTable daten;
    TTable sportart;
    declareUnitsWithSpeedAndSport(conn, daten, sportart);
    daten.OnCalcFields = calculateSpeed;
    daten.Open();
    TDataSource src;
    src.SetDataSet(&daten);
    ShownField kmh(src, QStringLiteral("kmh"));
    ShownField sport(src, QStringLiteral("sportName"));
    EXPECT_EQ(kmh.text, QStringLiteral("13,3333333333333"));  // 10 km in 45 minutes
    EXPECT_EQ(sport.text, QStringLiteral("Laufen"));

    // Edit state: the controls show the new values at once, before any post.
    daten.Edit();
    daten.FieldByName(QStringLiteral("Meter"))->SetAsInteger(15000);
    EXPECT_EQ(kmh.text, QStringLiteral("20"));
    daten.FieldByName(QStringLiteral("Sportart"))->SetAsInteger(2);
    EXPECT_EQ(sport.text, QStringLiteral("Radfahren"));
    daten.Cancel();
    EXPECT_EQ(kmh.text, QStringLiteral("13,3333333333333"));

    // Insert state: from empty to a value.
    daten.Append();
    EXPECT_EQ(kmh.text, QString());
    daten.FieldByName(QStringLiteral("Meter"))->SetAsInteger(10500);
    EXPECT_EQ(kmh.text, QString());  // no time yet
    daten.FieldByName(QStringLiteral("Zeit"))->SetAsFloat(EncodeTime(0, 52, 30, 0));
    EXPECT_EQ(kmh.text, QStringLiteral("12"));
    daten.Cancel();
    daten.First();

    // Browse state: nothing can change, nothing is recalculated.
    EXPECT_THROW(daten.FieldByName(QStringLiteral("Meter"))->SetAsInteger(1), EDatabaseError);
    EXPECT_EQ(kmh.text, QStringLiteral("13,3333333333333"));

    // Without automatic calculation the controls wait for the post.
    daten.SetAutoCalcFields(false);
    daten.Edit();
    daten.FieldByName(QStringLiteral("Meter"))->SetAsInteger(15000);
    EXPECT_EQ(kmh.text, QStringLiteral("13,3333333333333"));
    daten.Post();
    EXPECT_EQ(kmh.text, QStringLiteral("20"));
}

// Bulk writes disable the controls and set many fields of each new record: the derived fields
// are then computed once, when something reads them, and read the same as when computed at once.
TEST_F(FieldTest, WithControlsDisabledDerivedFieldsAreComputedWhenRead)
{
    TTable daten;
    TTable sportart;
    declareUnitsWithSpeedAndSport(conn, daten, sportart);
    int calculations = 0;
    daten.OnCalcFields = [&calculations](TDataSet* ds) {
        ++calculations;
        calculateSpeed(ds);
    };
    double kmhBeforePost = -1;
    daten.BeforePost = [&kmhBeforePost](TDataSet* ds) { kmhBeforePost = ds->FieldByName(QStringLiteral("kmh"))->AsFloat(); };
    daten.Open();
    TDataSource src;
    src.SetDataSet(&daten);
    ShownField kmh(src, QStringLiteral("kmh"));
    ShownField sport(src, QStringLiteral("sportName"));

    daten.DisableControls();
    daten.Append();
    const int atInsert = calculations;
    daten.FieldByName(QStringLiteral("Datum"))->SetAsDateTime(EncodeDate(2026, 12, 11));
    daten.FieldByName(QStringLiteral("Meter"))->SetAsInteger(10500);
    daten.FieldByName(QStringLiteral("Zeit"))->SetAsFloat(EncodeTime(0, 52, 30, 0));
    daten.FieldByName(QStringLiteral("Sportart"))->SetAsInteger(2);
    EXPECT_EQ(calculations, atInsert);  // nothing computed per write
    EXPECT_DOUBLE_EQ(daten.FieldByName(QStringLiteral("kmh"))->AsFloat(), 12.0);
    EXPECT_EQ(daten.FieldByName(QStringLiteral("sportName"))->AsString(), QStringLiteral("Radfahren"));
    EXPECT_EQ(calculations, atInsert + 1);  // once for both reads
    daten.FieldByName(QStringLiteral("Meter"))->SetAsInteger(21000);
    daten.Post();
    EXPECT_DOUBLE_EQ(kmhBeforePost, 24.0);  // the save's rules read the written values' result
    daten.EnableControls();
    EXPECT_EQ(kmh.text, QStringLiteral("24"));
    EXPECT_EQ(sport.text, QStringLiteral("Radfahren"));

    // With the controls enabled again, every write is followed at once.
    daten.Edit();
    daten.FieldByName(QStringLiteral("Meter"))->SetAsInteger(10500);
    EXPECT_EQ(kmh.text, QStringLiteral("12"));
    daten.Cancel();
}

TEST_F(FieldTest, TheEditTextOfAMaskedTimeFieldIsTheTimeOfDayAlone)
{
    const GermanSettings german;
    TTable daten;
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    daten.Open();
    TField* zeit = daten.FieldByName(QStringLiteral("Zeit"));
    zeit->SetDisplayFormat(QStringLiteral("hh:mm:ss"));
    zeit->SetEditMask(QStringLiteral("!90:00:00;1;_"));
    struct Case {
        TDateTime stored;
        const char* text;
    };
    const Case cases[] = {
        {EncodeTime(0, 52, 30, 0), "00:52:30"},
        {EncodeTime(23, 59, 59, 0), "23:59:59"},
        {1.0 / MSecsPerDay, "00:00:00"},  // 1 ms
        {0.0, "00:00:00"},
        {1.0 + EncodeTime(1, 2, 3, 0), "01:02:03"},  // a day or more: the time of day
    };
    daten.Edit();
    for (const Case& c : cases) {
        zeit->SetAsDateTime(c.stored);
        EXPECT_EQ(zeit->Text(), QString::fromLatin1(c.text)) << c.stored;
    }
    // The text read back is the same duration.
    zeit->SetAsDateTime(EncodeTime(0, 52, 30, 0));
    zeit->SetText(QStringLiteral("00:52:45"));
    EXPECT_NEAR(zeit->AsDateTime(), EncodeTime(0, 52, 45, 0), 1e-9);
    daten.Cancel();
    // A date mask keeps the date, an unmasked date-time field both parts.
    TField* datum = daten.FieldByName(QStringLiteral("Datum"));
    EXPECT_EQ(datum->Text(), DateTimeToStr(45000));
    datum->SetEditMask(QStringLiteral("!99/99/0000;1;_"));
    EXPECT_EQ(datum->Text(), DateToStr(45000));
}
