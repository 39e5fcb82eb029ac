// The rules of the lookup tables, the units of measure, the equipment, best-time, route, diary
// and tools tables, the calculated fields of the statistics and explorer queries, and the sound
// service they use.
#include <QFile>

#include "core/sound.h"
#include "tests/core/rulehooks.h"

namespace {

// Records what would be played.
class RecordingPlayer : public TSoundPlayer {
public:
    explicit RecordingPlayer(QStringList& played) : played_(played) {}
    void play(const QString& fileName) override { played_ << fileName; }

private:
    QStringList& played_;
};

}  // namespace

class LookupRulesTest : public RulesTest {
protected:
    // One unit of sport 1, form 2, load level 3 and load type 4.
    void SetUp() override
    {
        RulesTest::SetUp();
        db.exec("INSERT INTO DATEN (dat_Id, Datum, Form, Zeit, Meter, Hoehendifferenz, Belastungsart, Sportart, "
                "Belastungsstufe, trainingsblock) VALUES (1, 38029, 2, 0.03125, 10500, 0, 4, 1, 3, 1)");
        open();
    }

    TDataSet* lookupTable(const char* name) { return server.FindDataSet(name); }
};

// ---------------------------------------------------------------------------------------------
// Lookup tables.

TEST_F(LookupRulesTest, UsedRowsAndRowZeroCannotBeDeleted)
{
    struct Case {
        const char* dataSet;
        const char* key;
        int id;
        int message;
        int word;
    };
    for (const Case& c : {Case{"sportart", "Spo_Id", 1, 65380, 65425}, Case{"sportart", "Spo_Id", 0, 65381, 65425},
                          Case{"form", "For_Id", 2, 65380, 65426}, Case{"form", "For_Id", 0, 65381, 65426},
                          Case{"belStufe", "bel_ID", 3, 65380, 65427}, Case{"belStufe", "bel_ID", 0, 65381, 65427},
                          Case{"belArt", "bea_ID", 4, 65380, 65428}, Case{"belArt", "bea_ID", 0, 65381, 65428}}) {
        SCOPED_TRACE(std::string(c.dataSet) + " " + std::to_string(c.id));
        TDataSet& ds = *lookupTable(c.dataSet);
        const int rows = ds.RecordCount();
        ASSERT_TRUE(ds.Locate(c.key, c.id));
        ScriptedAnswers::pushMessageAnswer(mrOk);
        EXPECT_THROW(ds.Delete(), EAbort);
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, Format(LoadStr(c.message), {LoadStr(c.word)}));
        EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
        EXPECT_EQ(ds.RecordCount(), rows);
    }
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text,
              "Diese Belastungsart kann nicht gelöscht werden. Sie kann nur umbenannt werden.");

    // An unused row goes.
    ASSERT_TRUE(server.belArt.Locate("bea_ID", 5));
    server.belArt.Delete();
    EXPECT_FALSE(db.value("SELECT bea_ID FROM BELART WHERE bea_ID = 5").isValid());
}

TEST_F(LookupRulesTest, KeysOfRowZeroAndOfUsedRowsCannotChange)
{
    TDataSet& form = server.form;
    TField* key = form.FieldByName("For_Id");
    ASSERT_TRUE(form.Locate("For_Id", 0));
    form.Edit();
    try {
        key->SetAsInteger(9);
        ADD_FAILURE() << "the key of row 0 changed";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), Format(LoadStr(msg::LookupOnlyRename), {LoadStr(msg::Form)}));
    }
    EXPECT_EQ(key->AsInteger(), 0);
    form.Cancel();

    ASSERT_TRUE(form.Locate("For_Id", 2));  // the unit's form
    form.Edit();
    EXPECT_THROW(key->SetAsInteger(9), Exception);
    EXPECT_EQ(key->AsInteger(), 2);
    form.Cancel();

    ASSERT_TRUE(form.Locate("For_Id", 4));
    form.Edit();
    key->SetAsInteger(9);
    form.Post();
    EXPECT_TRUE(db.value("SELECT For_Id FROM FORM WHERE For_Form = 'Test'").toInt() == 9);
}

TEST_F(LookupRulesTest, ANewRowGetsTheHighestKeyAndOrderPlusOne)
{
    // Sports 0 to 8, orders 1 to 9.
    server.sportart.Append();
    EXPECT_EQ(server.sportart.FieldByName("Spo_Id")->AsInteger(), 9);
    EXPECT_EQ(server.sportart.FieldByName("Spo_orderID")->AsInteger(), 10);
    server.sportart.Cancel();

    db.exec("DELETE FROM BELART");
    server.belArt.Close();
    server.belArt.Open();
    server.belArt.Append();
    EXPECT_EQ(server.belArt.FieldByName("bea_ID")->AsInteger(), 1);
    EXPECT_EQ(server.belArt.FieldByName("bea_orderID")->AsInteger(), 1);
    server.belArt.Cancel();
}

TEST_F(LookupRulesTest, ThePeriodDefaultAndThePlanningFlagAreTypedAsTrueOrFalse)
{
    // The options dialog's pick lists offer "Wahr" and "Falsch" for both flags.
    for (TDataSet* ds : {static_cast<TDataSet*>(&server.sportart), static_cast<TDataSet*>(&server.form)}) {
        TField* f = ds->FieldByName(ds == &server.form ? "For_Planung" : "Spo_ZeitraumStandard");
        ds->Edit();
        for (const auto& [text, expected] :
             {std::pair{"WAHR", true}, std::pair{"true", true}, std::pair{"True", true}, std::pair{"Falsch", false},
              std::pair{"ja", false}, std::pair{"", false}, std::pair{"wahr ", false}}) {
            f->SetAsBoolean(!expected);
            f->SetText(text);
            EXPECT_EQ(f->AsBoolean(), expected) << text;
        }
        ds->Cancel();
    }
}

TEST_F(LookupRulesTest, AUnitOfMeasureIsDeletedOnlyWhenItMayBeAndNoSportUsesIt)
{
    TDataSet& units = server.distancespeed;
    const int rows = units.RecordCount();
    ASSERT_TRUE(units.Locate("unt_id", 7));  // built in
    EXPECT_THROW(units.Delete(), EAbort);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());

    db.exec("UPDATE unit SET unt_allawedit = 1 WHERE unt_id IN (3, 7)");
    units.Close();
    units.Open();
    ASSERT_TRUE(units.Locate("unt_id", 3));  // the swimmers' pace
    ScriptedAnswers::pushMessageAnswer(mrOk);
    EXPECT_THROW(units.Delete(), EAbort);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, Format(LoadStr(msg::LookupStillUsed), {LoadStr(msg::Unit)}));
    EXPECT_EQ(units.RecordCount(), rows);

    ASSERT_TRUE(units.Locate("unt_id", 7));
    units.Delete();
    EXPECT_EQ(units.RecordCount(), rows - 1);
}

// ---------------------------------------------------------------------------------------------
// Equipment, best times, routes, diary and tools.

TEST_F(LookupRulesTest, NewEquipmentIsBoughtTodayAndInUse)
{
    SetClock([] { return EncodeDate(2005, 6, 1); });
    TDataSet& eq = server.equipment;
    eq.Append();
    EXPECT_EQ(eq.FieldByName("equ_kaufdatum")->AsDateTime(), EncodeDate(2005, 6, 1));
    EXPECT_TRUE(eq.FieldByName("equ_aktuell")->AsBoolean());
    EXPECT_EQ(eq.FieldByName("equ_kategorie")->AsString(), "Keine Kategorie");
    eq.FieldByName("Bezeichnung")->SetAsString("Schuh");
    eq.FieldByName("Kilometer")->SetAsInteger(0);
    eq.Post();
    EXPECT_EQ(db.value("SELECT count(*) FROM EQUIPMENT").toInt(), 1);
}

TEST_F(LookupRulesTest, EquipmentAndBestTimesAreDeletedOnlyAfterYes)
{
    db.exec("INSERT INTO EQUIPMENT (Bezeichnung, Kilometer, equ_kategorie) VALUES ('Schuh', 0, 'Laufen')");
    db.exec("INSERT INTO bestzeit (bes_sportart, bes_meter, bes_kategorie) VALUES (1, 10000, 'Straße')");
    for (TDataSet* ds : {static_cast<TDataSet*>(&server.equipment), static_cast<TDataSet*>(&server.bestzeiten)}) {
        SCOPED_TRACE(ds->Name().toStdString());
        ds->Close();
        ds->Open();
        ScriptedAnswers::pushMessageAnswer(mrNo);
        EXPECT_THROW(ds->Delete(), EAbort);
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, LoadStr(msg::ConfirmDeleteRecord));
        EXPECT_EQ(ds->RecordCount(), 1);
        ScriptedAnswers::pushMessageAnswer(mrYes);
        ds->Delete();
        EXPECT_TRUE(ds->IsEmpty());
    }
}

TEST_F(LookupRulesTest, TheManagersAreRefreshedOnlyWhileTheyExist)
{
    db.exec("INSERT INTO EQUIPMENT (Bezeichnung, Kilometer, equ_kategorie) VALUES ('Schuh', 0, 'Laufen')");
    db.exec("INSERT INTO bestzeit (bes_sportart, bes_meter, bes_kategorie) VALUES (1, 10000, 'Straße')");
    db.exec("INSERT INTO STRECKE (Name, str_kategorie) VALUES ('Runde', 'Wald')");
    for (TDataSet* ds : {static_cast<TDataSet*>(&server.equipment), static_cast<TDataSet*>(&server.bestzeiten),
                         static_cast<TDataSet*>(&server.strecke)}) {
        ds->Close();
        ds->Open();
    }
    EXPECT_TRUE(views.calls.isEmpty());

    views.managers = true;
    server.equipment.First();
    EXPECT_EQ(views.calls, QStringList({"eq.fillTreeView", "eq.showUsage", "eq.synchronizeOverview"}));
    views.calls.clear();
    server.bestzeiten.First();
    EXPECT_EQ(views.calls, QStringList({"bes.fillTreeView", "bes.synchronizeOverview"}));
    views.calls.clear();
    server.strecke.First();
    EXPECT_EQ(views.calls, QStringList({"str.fillTreeView", "str.synchronizeOverview", "str.chart"}));
}

TEST_F(LookupRulesTest, AStoredBestTimeIsApplaudedInTheManager)
{
    QStringList played;
    auto previous = SetSoundPlayer(std::make_unique<RecordingPlayer>(played));
    TDataSet& best = server.bestzeiten;
    auto store = [&](const char* category) {
        best.Append();
        best.FieldByName("bes_sportart")->SetAsInteger(1);
        best.FieldByName("bes_kategorie")->SetAsString(category);
        best.Post();
    };
    store("Bahn");  // stored elsewhere (an import): quiet
    EXPECT_TRUE(played.isEmpty());
    views.managers = true;
    store("Straße");
    EXPECT_EQ(played, QStringList({BestTimeSoundFile()}));
    EXPECT_TRUE(BestTimeSoundFile().endsWith("/klatschen.wav"));
    SetSoundPlayer(std::move(previous));
}

TEST_F(LookupRulesTest, TheSystemPlayerStaysSilentWithoutAFileOrDevice)
{
    auto previous = SetSoundPlayer(nullptr);
    EXPECT_NO_THROW(PlaySound(BestTimeSoundFile()));  // no such file beside the test program
    const QString wav = db.folder().write("leer.wav", QByteArray("RIFF\0\0\0\0WAVE", 12));
    EXPECT_NO_THROW(PlaySound(wav));
    SetSoundPlayer(std::move(previous));
}

TEST_F(LookupRulesTest, RoutePointsAreClosedWhileTheirRouteIsEdited)
{
    db.exec("INSERT INTO STRECKE (StrIndex, Name, str_kategorie) VALUES (1, 'Runde', 'Wald')");
    db.exec("INSERT INTO streckez (StrIndex, Meter, Hoehe) VALUES (1, 0, 100), (1, 500, 120)");
    server.strecke.Close();
    server.strecke.Open();
    server.strPunkte.Close();
    server.strPunkte.Open();
    EXPECT_EQ(server.strPunkte.RecordCount(), 2);

    server.strecke.Edit();
    EXPECT_FALSE(server.strPunkte.Active());
    server.strecke.FieldByName("Land")->SetAsString("D");
    server.strecke.Post();
    EXPECT_EQ(server.strPunkte.RecordCount(), 2);

    server.strecke.Append();
    EXPECT_FALSE(server.strPunkte.Active());
    server.strecke.Cancel();
    EXPECT_TRUE(server.strPunkte.Active());

    views.managers = true;
    views.calls.clear();
    server.strPunkte.Delete();
    EXPECT_EQ(views.calls.last(), "str.chart");
}

TEST_F(LookupRulesTest, ANewDiaryEntryIsDatedWithTheCalendarsDay)
{
    SetClock([] { return EncodeDate(2005, 6, 1); });
    views.selectedDay = EncodeDate(2005, 5, 20);
    TDataSet& diary = server.tagebuch;
    diary.Append();
    diary.FieldByName("tgb_memo")->SetAsString("Ruhetag");
    diary.Post();
    EXPECT_EQ(db.value("SELECT tgb_datum FROM tagebuch").toDouble(), EncodeDate(2005, 5, 20));

    // An entry that is only changed keeps its day.
    views.selectedDay = EncodeDate(2005, 5, 21);
    diary.Edit();
    diary.FieldByName("tgb_memo")->SetAsString("Ruhetag!");
    diary.Post();
    EXPECT_EQ(db.value("SELECT tgb_datum FROM tagebuch").toDouble(), EncodeDate(2005, 5, 20));
}

TEST_F(LookupRulesTest, TheToolsCatalogueShowsHtmlTools)
{
    db.exec("INSERT INTO tools (too_Name, too_kategorie, too_filename, too_html) VALUES "
            "('Rechner', 'A', 'rechner.html', 1), ('Programm', 'B', 'prog.exe', 0), ('Leer', 'C', '', 1)");
    views.managers = true;
    server.tools.Close();
    server.tools.Open();
    server.tools.Next();
    server.tools.Next();
    EXPECT_EQ(views.calls.filter("navigate"), QStringList({"navigate rechner.html"}));
}

// ---------------------------------------------------------------------------------------------
// Calculated fields of the statistics and explorer queries.

TEST_F(LookupRulesTest, TheExplorerShowsDistancesInTheSportsUnit)
{
    server.explorer.Close();
    server.explorer.Open();
    ASSERT_EQ(server.explorer.RecordCount(), 1);
    EXPECT_EQ(server.explorer.FieldByName("distanz")->AsString(), "10,5 Kilometer");
}

TEST_F(LookupRulesTest, ThePeriodStatisticsShowWeekdayPaceAndSpeed)
{
    server.zeitraum.Open();
    TDataSet& z = server.zeitraum;
    ASSERT_TRUE(z.Locate("dat_Id", 1));
    // 12 February 2004 was a Thursday; 10.5 km in 45 minutes.
    EXPECT_EQ(z.FieldByName("Tag")->AsString(), FormatDateTime("ddd", EncodeDate(2004, 2, 12)) + ".");
    EXPECT_EQ(ms(z.FieldByName("minkm")), 257142);
    EXPECT_NEAR(z.FieldByName("kmh")->AsFloat(), 14.0, 1e-9);
    EXPECT_EQ(z.FieldByName("lSpeed")->AsString(), "00:04:17 min/km");

    server.zeitraum_old.Open();
    server.zeitraum_old.First();
    EXPECT_EQ(server.zeitraum_old.FieldByName("Tag")->AsString(), FormatDateTime("ddd", EncodeDate(2004, 2, 12)) + ".");
}
