// The rules of the training units: a new unit's date and carried-over values, the block that a
// new unit gets (in one transaction with the unit), the block warnings, pace and speed, the
// distance in the sport's unit, and the windows refreshed when the current unit changes.
#include <optional>

#include "core/orvtools.h"
#include "core/startup.h"
#include "core/entrywindowview.h"
#include "core/equipmenttoolview.h"
#include "core/mainwindowview.h"
#include "core/navigatorview.h"
#include "core/quickstatview.h"
#include "core/views.h"
#include "platform/vcl/registry.h"
#include "tests/core/dbserverfixture.h"

namespace {

// Records the window operations the rules call, and answers their questions as set. Every view
// of the unit rules exists while the recorder is attached.
class RecordingViews {
public:
    ~RecordingViews() { detach(); }
    void attach()
    {
        RegisterView<MainWindowView>(&main_);
        RegisterView<NavigatorView>(&navigator_);
        RegisterView<EntryWindowView>(&entry_);
        RegisterView<EquipmentToolView>(&equipment_);
        RegisterView<QuickStatView>(&quickStat_);
    }
    void detach()
    {
        UnregisterView<MainWindowView>(&main_);
        UnregisterView<NavigatorView>(&navigator_);
        UnregisterView<EntryWindowView>(&entry_);
        UnregisterView<EquipmentToolView>(&equipment_);
        UnregisterView<QuickStatView>(&quickStat_);
    }

    // Only the calls that are no colours.
    QStringList operations() const
    {
        QStringList ops;
        for (const QString& c : calls)
            if (!c.startsWith("color ") && !c.startsWith("font "))
                ops << c;
        return ops;
    }

    QStringList calls;
    QString tool;
    QString navigator;
    bool navButton9Down = false;
    bool entryVisible = false;
    bool entryFocus = false;
    bool splitPage = false;
    bool quickWeek = false;
    bool quickBlock = false;

private:
    struct Main : MainWindowView {
        RecordingViews& r;
        explicit Main(RecordingViews& owner) : r(owner) {}
        QString getTool() const override { return r.tool; }
        QString getNavigator() const override { return r.navigator; }
        void XPButton1Click(QObject*) override { r.calls << "mainXPButton1Click"; }
    };
    struct Navigator : NavigatorView {
        RecordingViews& r;
        explicit Navigator(RecordingViews& owner) : r(owner) {}
        void Button1Click(QObject*) override { r.calls << "navigatorButton1Click"; }
        void selectCurrentUnit() override { r.calls << "navigatorSelectCurrentUnit"; }
        void ChangeNavItem() override { r.calls << "navigatorChangeNavItem"; }
        bool XPButton9Down() const override { return r.navButton9Down; }
        std::optional<bool> unitShownWithSplits(int) const override { return std::nullopt; }
    };
    struct Entry : EntryWindowView {
        RecordingViews& r;
        explicit Entry(RecordingViews& owner) : r(owner) {}
        bool Visible() const override { return r.entryVisible; }
        bool hasOwnFocus() const override { return r.entryFocus; }
        bool splitPageShown() const override { return r.splitPage; }
        void updateZwSql() override { r.calls << "eingabeUpdateZwSql"; }
        void fillZwGrid() override { r.calls << "eingabeFillZwGrid"; }
        void repaintZwGrid() override {}
        void setControlColor(const QString& control, TColor color) override
        {
            r.calls << QString("color %1 %2").arg(control).arg(color, 0, 16);
        }
        void setControlFontColor(const QString& control, TColor color) override
        {
            r.calls << QString("font %1 %2").arg(control).arg(color, 0, 16);
        }
    };
    struct EquipmentTool : EquipmentToolView {
        RecordingViews& r;
        explicit EquipmentTool(RecordingViews& owner) : r(owner) {}
        void FormShow(QObject*) override { r.calls << "toolEqFormShow"; }
    };
    struct QuickStat : QuickStatView {
        RecordingViews& r;
        explicit QuickStat(RecordingViews& owner) : r(owner) {}
        bool XPButton1Down() const override { return r.quickWeek; }
        bool XPButton2Down() const override { return r.quickBlock; }
        void XPButton1Click(QObject*) override { r.calls << "quickStatXPButton1Click"; }
        void XPButton2Click(QObject*) override { r.calls << "quickStatXPButton2Click"; }
    };

    Main main_{*this};
    Navigator navigator_{*this};
    Entry entry_{*this};
    EquipmentTool equipment_{*this};
    QuickStat quickStat_{*this};
};

TDateTime day(int y, int m, int d)
{
    return EncodeDate(y, m, d);
}

TDateTime ms(int64_t milliseconds)
{
    return milliseconds / 86400000.0;
}

QString num(double v)
{
    return QString::number(v, 'g', 17);
}

struct Unit {
    TDateTime datum;
    int sport = 1;
    int meter = 10000;
    int64_t zeitMs = 3000000;  // 50:00
    QString block = "NULL";
    QString gewicht = "NULL";
    QString fett = "NULL";
    int form = 1;
};

const TDateTime kToday = EncodeDate(2010, 3, 15);

}  // namespace

class UnitRulesTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        views.attach();
        savedSettings = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        SetClock([] { return kToday + EncodeTime(10, 30, 0, 0); });
        setDateNextDay(std::nullopt);
    }
    void TearDown() override
    {
        setDateNextDay(std::nullopt);
        SetClock({});
        FormatSettings() = savedSettings;
        DataModuleTest::TearDown();
        views.detach();
    }

    static void setDateNextDay(std::optional<bool> on)
    {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        reg.OpenKey(QString::fromLatin1(kProgramRegistryKey), true);
        if (on)
            reg.WriteBool("DateNextDay", *on);
        else if (reg.ValueExists("DateNextDay"))
            reg.DeleteValue("DateNextDay");
    }

    // Adds a unit to the file (before open) and returns its id.
    int addUnit(const Unit& u)
    {
        db.exec(QString("INSERT INTO DATEN (Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
                        "Hoehendifferenz, Gewicht, Fett, trainingsblock) VALUES (%1, %2, %3, %4, %5, 1, 1, 0, %6, %7, %8)")
                    .arg(num(u.datum), num(ms(u.zeitMs)))
                    .arg(u.meter)
                    .arg(u.sport)
                    .arg(u.form)
                    .arg(u.gewicht, u.fett, u.block));
        return db.value("SELECT max(dat_Id) FROM DATEN").toInt();
    }
    void addBlock(int id, TDateTime created)
    {
        db.exec(QString("INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_created, trb_sportart, trb_form) "
                        "VALUES (%1, 'Block %1', %2, 1, 1)")
                    .arg(id)
                    .arg(num(created)));
    }
    int count(const QString& sql) const { return db.value(sql).toInt(); }

    void gotoUnit(int id) { ASSERT_TRUE(server.daten.Locate("dat_Id", id)); }

    // Fills the required fields of a new unit that the rules leave open.
    void fillNewUnit(int sport = 1, int form = 1)
    {
        server.daten.FieldByName("Sportart")->SetAsInteger(sport);
        server.daten.FieldByName("Form")->SetAsInteger(form);
        server.daten.FieldByName("Belastungsart")->SetAsInteger(1);
        server.daten.FieldByName("Belastungsstufe")->SetAsInteger(1);
        server.daten.FieldByName("Zeit")->SetAsDateTime(ms(3000000));
    }

    RecordingViews views;
    TFormatSettings savedSettings;
};

// ---------------------------------------------------------------------------------------------
// A new unit.

TEST_F(UnitRulesTest, NewUnitTakesDateAndBodyValuesFromPreviousOrNewestUnit)
{
    const int previous = addUnit({day(2004, 5, 12), 1, 10000, 3000000, "NULL", "70.5", "12.25"});
    addUnit({day(2004, 6, 1), 1, 10000, 3000000, "NULL", "72", "14"});
    open();

    struct Case {
        const char* name;
        std::optional<bool> nextDay;
        TDateTime datum;
        double gewicht, fett;
    };
    for (const Case& c : {Case{"absent", std::nullopt, kToday, 72, 14},
                          Case{"false", false, kToday, 72, 14},
                          Case{"true", true, day(2004, 5, 13), 70.5, 12.25}}) {
        setDateNextDay(c.nextDay);
        gotoUnit(previous);
        server.daten.Insert();
        EXPECT_EQ(server.daten.FieldByName("Datum")->AsDateTime(), c.datum) << c.name;
        EXPECT_EQ(server.daten.FieldByName("Gewicht")->AsFloat(), c.gewicht) << c.name;
        EXPECT_EQ(server.daten.FieldByName("Fett")->AsFloat(), c.fett) << c.name;
        // The declared defaults.
        for (const char* f : {"Hoehendifferenz", "Puls", "Gli", "User2", "Maxpuls", "kcal", "platz", "akplatz"})
            EXPECT_EQ(server.daten.FieldByName(f)->AsString(), "0") << c.name << " " << f;
        EXPECT_TRUE(server.daten.FieldByName("Ort")->IsNull());
        EXPECT_FALSE(server.allDaten.Active());
        server.daten.Cancel();
    }
}

TEST_F(UnitRulesTest, NewUnitWithoutPreviousUnitHasNoDateAndIsRefusedWithoutBlock)
{
    const int previous = addUnit({day(2004, 5, 12)});
    addUnit({day(2004, 6, 1), 1, 10000, 3000000, "NULL", "72", "14"});
    open();
    setDateNextDay(true);
    gotoUnit(previous);
    // Another program deletes the unit that is current here.
    db.exec(QString("DELETE FROM DATEN WHERE dat_Id = %1").arg(previous));

    server.daten.Insert();
    EXPECT_TRUE(server.daten.FieldByName("Datum")->IsNull());
    EXPECT_EQ(server.daten.FieldByName("Gewicht")->AsFloat(), 72);  // from the newest unit
    fillNewUnit();
    EXPECT_THROW(server.daten.Post(), EDatabaseError);
    EXPECT_EQ(server.daten.State(), dsInsert);
    EXPECT_EQ(count("SELECT count(*) FROM TRAININGSBLOCK"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM DATEN"), 1);

    server.daten.FieldByName("Datum")->SetAsDateTime(day(2004, 5, 20));
    server.daten.Post();
    EXPECT_EQ(count("SELECT count(*) FROM TRAININGSBLOCK"), 1);
}

// ---------------------------------------------------------------------------------------------
// Saving and the training block.

TEST_F(UnitRulesTest, SavingANewUnitCreatesItsBlockWithTheNextKey)
{
    addBlock(3, day(2004, 1, 1));
    open();
    // A block created elsewhere after the blocks were read still counts for the next key.
    addBlock(7, day(2004, 2, 1));

    server.daten.Insert();
    fillNewUnit(1, 1);
    server.daten.FieldByName("Datum")->SetAsDateTime(day(2004, 5, 12) + EncodeTime(14, 30, 0, 0));
    server.daten.Post();

    const int unit = server.daten.FieldByName("dat_Id")->AsInteger();
    EXPECT_EQ(count("SELECT count(*) FROM TRAININGSBLOCK"), 3);
    EXPECT_EQ(db.value(QString("SELECT trainingsblock FROM DATEN WHERE dat_Id = %1").arg(unit)).toInt(), 8);
    EXPECT_EQ(db.value(QString("SELECT Datum FROM DATEN WHERE dat_Id = %1").arg(unit)).toDouble(), day(2004, 5, 12));
    EXPECT_EQ(db.value("SELECT trb_Name FROM TRAININGSBLOCK WHERE trb_Id = 8").toString(),
              "Training: Laufen am 12.05.2004");
    EXPECT_EQ(db.value("SELECT trb_created FROM TRAININGSBLOCK WHERE trb_Id = 8").toDouble(), day(2004, 5, 12));
    EXPECT_EQ(db.value("SELECT trb_sportart FROM TRAININGSBLOCK WHERE trb_Id = 8").toInt(), 1);
    EXPECT_EQ(db.value("SELECT trb_form FROM TRAININGSBLOCK WHERE trb_Id = 8").toInt(), 1);
    // The unit shows its block's name at once, and the block manager lists it.
    EXPECT_EQ(server.daten.FieldByName("trbname")->AsString(), "Training: Laufen am 12.05.2004");
    EXPECT_TRUE(server.trainblockman.Locate("trb_Id", 8));
    EXPECT_FALSE(server.orvDB.InTransaction());

    // An edited unit never gets another block.
    server.daten.Edit();
    server.daten.FieldByName("Ort")->SetAsString("Park");
    server.daten.Post();
    EXPECT_EQ(count("SELECT count(*) FROM TRAININGSBLOCK"), 3);

    // A second new unit gets the next key.
    server.daten.Insert();
    fillNewUnit(2, 2);
    server.daten.Post();
    EXPECT_EQ(server.daten.FieldByName("trainingsblock")->AsInteger(), 9);
    EXPECT_EQ(db.value("SELECT trb_Name FROM TRAININGSBLOCK WHERE trb_Id = 9").toString(),
              "Wettkampf: Radfahren am 15.03.2010");
}

TEST_F(UnitRulesTest, NewUnitWithABlockKeepsIt)
{
    addBlock(4, day(2004, 5, 30));
    open();
    server.daten.Insert();
    fillNewUnit();
    server.daten.FieldByName("Datum")->SetAsDateTime(day(2004, 5, 12));
    server.daten.FieldByName("trainingsblock")->SetAsInteger(4);
    server.daten.Post();
    EXPECT_EQ(count("SELECT count(*) FROM TRAININGSBLOCK"), 1);
    EXPECT_EQ(count("SELECT trainingsblock FROM DATEN"), 4);
}

TEST_F(UnitRulesTest, RefusedOrFailingSaveLeavesNoBlock)
{
    db.exec("CREATE TRIGGER refuse_unit BEFORE INSERT ON DATEN WHEN NEW.Ort = 'verboten' "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    open();

    server.daten.Insert();
    fillNewUnit();
    server.daten.FieldByName("Belastungsart")->Clear();  // a required field is missing
    EXPECT_THROW(server.daten.Post(), EDatabaseError);
    EXPECT_EQ(count("SELECT count(*) FROM TRAININGSBLOCK"), 0);

    server.daten.FieldByName("Belastungsart")->SetAsInteger(1);
    server.daten.FieldByName("Ort")->SetAsString("verboten");  // the database refuses the row
    EXPECT_THROW(server.daten.Post(), EDatabaseError);
    EXPECT_EQ(count("SELECT count(*) FROM TRAININGSBLOCK"), 0);
    EXPECT_TRUE(server.daten.FieldByName("trainingsblock")->IsNull());
    EXPECT_FALSE(server.orvDB.InTransaction());
    EXPECT_TRUE(server.trainblock.IsEmpty());

    // Corrected, the unit is saved with exactly one block.
    server.daten.FieldByName("Ort")->SetAsString("Park");
    server.daten.Post();
    EXPECT_EQ(count("SELECT count(*) FROM TRAININGSBLOCK"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM DATEN WHERE trainingsblock = (SELECT trb_Id FROM TRAININGSBLOCK)"), 1);
}

TEST_F(UnitRulesTest, ANewUnitsSaveRefreshesTheBlockManagerInsideItsTransaction)
{
    addBlock(3, day(2004, 1, 1));
    addBlock(5, day(2004, 2, 1));
    db.exec("CREATE TRIGGER refuse_unit BEFORE INSERT ON DATEN WHEN NEW.Ort = 'verboten' "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    open();
    ASSERT_TRUE(server.trainblockman.Locate("trb_Id", 3));

    // What the block manager's list sees each time trainblockman opens.
    struct Opening {
        bool inTransaction;
        int blocks;
    };
    QList<Opening> openings;
    TDataLink link;
    link.SetDataSource(server.FindDataSource("dstrainblockman"));
    link.OnActiveChanged = [&] {
        if (server.trainblockman.Active())
            openings << Opening{server.orvDB.InTransaction(), server.trainblockman.RecordCount()};
    };

    // Refused by the database: the block manager is as it was, on the same block.
    server.daten.Insert();
    fillNewUnit();
    server.daten.FieldByName("Ort")->SetAsString("verboten");
    EXPECT_THROW(server.daten.Post(), EDatabaseError);
    ASSERT_EQ(openings.size(), 2);
    EXPECT_TRUE(openings[0].inTransaction);
    EXPECT_EQ(openings[0].blocks, 3);  // the new block, before the unit is written
    EXPECT_EQ(openings[1].blocks, 2);
    EXPECT_EQ(server.trainblockman.RecordCount(), 2);
    EXPECT_EQ(server.trainblockman.FieldByName("trb_Id")->AsInteger(), 3);

    // Saved: the new block is in the list, and the blocks are in creation-date order again.
    openings.clear();
    server.daten.FieldByName("Ort")->SetAsString("Park");
    server.daten.Post();
    ASSERT_EQ(openings.size(), 1);
    EXPECT_TRUE(openings[0].inTransaction);
    EXPECT_EQ(openings[0].blocks, 3);
    EXPECT_EQ(server.trainblock.IndexFieldNames(), "TRB_created");

    // A new unit that has its block refreshes the list too, without a block being written.
    openings.clear();
    server.daten.Insert();
    fillNewUnit();
    server.daten.FieldByName("trainingsblock")->SetAsInteger(5);
    server.daten.FieldByName("Datum")->SetAsDateTime(day(2004, 1, 20));
    server.daten.Post();
    EXPECT_EQ(openings.size(), 1);
    EXPECT_EQ(count("SELECT count(*) FROM TRAININGSBLOCK"), 3);
    link.SetDataSource(nullptr);
}

TEST_F(UnitRulesTest, NewUnitsSavedInBulkWorkJoinItsTransaction)
{
    open();
    // Bulk work (an import) runs in one transaction and detaches the after-save rule.
    server.daten.AfterPost = nullptr;
    server.orvDB.BeginTrans();
    auto add = [this](bool complete) {
        server.daten.Insert();
        fillNewUnit();
        if (!complete)
            server.daten.FieldByName("Belastungsart")->Clear();
        server.daten.Post();
    };
    add(true);
    EXPECT_THROW(add(false), EDatabaseError);  // refused: takes its block back
    EXPECT_TRUE(server.daten.FieldByName("trainingsblock")->IsNull());
    server.daten.Cancel();
    add(true);
    server.orvDB.CommitTrans();

    // The caller's commit writes the units with their blocks; no level of the rules stays open.
    EXPECT_FALSE(server.orvDB.InTransaction());
    EXPECT_EQ(count("SELECT count(*) FROM DATEN"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM TRAININGSBLOCK"), 2);
    EXPECT_EQ(count("SELECT count(DISTINCT t.trb_Id) FROM DATEN d JOIN TRAININGSBLOCK t ON t.trb_Id = d.trainingsblock"), 2);
}

TEST_F(UnitRulesTest, BlockThatCannotBeNamedRefusesTheSaveWithAMessage)
{
    open();
    server.daten.Insert();
    fillNewUnit(1, 99);  // no form 99
    try {
        server.daten.Post();
        FAIL() << "saved without its block";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().contains("Trainingsblock")) << e.Message().toStdString();
    }
    EXPECT_EQ(server.daten.State(), dsInsert);
    EXPECT_EQ(count("SELECT count(*) FROM DATEN"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM TRAININGSBLOCK"), 0);
    EXPECT_FALSE(server.orvDB.InTransaction());
}

TEST_F(UnitRulesTest, UnitDatedAfterItsBlockIsSavedAndWarnedAbout)
{
    addBlock(3, day(2004, 5, 1));
    const int unit = addUnit({day(2004, 5, 1), 1, 10000, 3000000, "3"});
    open();
    gotoUnit(unit);

    server.daten.Edit();
    server.daten.FieldByName("Datum")->SetAsDateTime(day(2004, 5, 1));
    server.daten.Post();
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());

    ScriptedAnswers::pushMessageAnswer(mrOk);
    server.daten.Edit();
    server.daten.FieldByName("Datum")->SetAsDateTime(day(2004, 5, 20));
    server.daten.Post();
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtWarning);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, LoadStr(msg::UnitAfterBlockDate));
    EXPECT_EQ(db.value(QString("SELECT Datum FROM DATEN WHERE dat_Id = %1").arg(unit)).toDouble(), day(2004, 5, 20));
}

TEST_F(UnitRulesTest, DeletingTheLastUnitOfABlockOffersToDeleteTheBlock)
{
    struct Case {
        TModalResult answer;
        int blocksLeft;
    };
    for (const Case& c : {Case{mrYes, 0}, Case{mrNo, 1}}) {
        db.exec("DELETE FROM DATEN; DELETE FROM TRAININGSBLOCK;");
        addBlock(3, day(2004, 5, 1));
        const int first = addUnit({day(2004, 5, 1), 1, 10000, 3000000, "3"});
        const int second = addUnit({day(2004, 5, 1), 1, 10000, 3000000, "3"});
        open();

        // The block still has a unit: no question.
        gotoUnit(first);
        server.daten.Delete();
        EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());

        ScriptedAnswers::pushMessageAnswer(c.answer);
        gotoUnit(second);
        server.daten.Delete();
        ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, LoadStr(msg::DeleteEmptyBlock));
        EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtConfirmation);
        EXPECT_EQ(count("SELECT count(*) FROM TRAININGSBLOCK"), c.blocksLeft);
        server.closeDatabase();
        ScriptedAnswers::clear();
    }
}

TEST_F(UnitRulesTest, DeletingAUnitWithoutBlockAsksNothing)
{
    const int unit = addUnit({day(2004, 5, 1)});
    addUnit({day(2004, 5, 2)});
    open();
    gotoUnit(unit);
    server.daten.Delete();
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Pace, speed and the calculated fields.

TEST_F(UnitRulesTest, PaceAndSpeed)
{
    // A sport timed in minutes per mile and one whose speed unit goes missing while open (the
    // checks at open repair such sports).
    db.exec("INSERT INTO sportart (Spo_Id, Spo_Name, Spo_Farbe, Spo_ZeitraumStandard, Spo_speed, Spo_distance, "
            "Spo_orderID) VALUES (20, 'Meilen', -1, 1, 2, 7, 20), (21, 'Kaputt', -1, 1, 1, 5, 21)");
    open();
    ASSERT_TRUE(server.sportart.Locate("Spo_Id", 21));
    server.sportart.Edit();
    server.sportart.FieldByName("Spo_speed")->SetAsInteger(99);
    server.sportart.Post();

    struct Case {
        const char* name;
        TDateTime duration;
        int metres;
        int sport;
        double paceMs;
        double kmh;
    };
    const double mile = 1.609344;
    for (const Case& c : {
             Case{"10 km in 50:00", ms(3000000), 10000, 1, 300000, 12},
             Case{"per mile", ms(3000000), 10000, 20, 300000 * mile, 12},
             Case{"rounded to single precision", ms(33000099), 10000, 1, 3300010, 10000 / 1000.0 / (33000099 / 3600000.0)},
             Case{"whole days carried", 1 + ms(3000000), 10000, 1, 86400000 + 300000, 12},
             Case{"no distance", ms(3000000), 0, 1, 0, 0},
             Case{"no time", 0, 10000, 1, 0, 0},
             Case{"sport missing", ms(3000000), 10000, 99, 0, 12},
             Case{"unit missing", ms(3000000), 10000, 21, 0, 12},
         }) {
        EXPECT_NEAR(server.calcPace(c.duration, c.metres, c.sport) * 86400000.0, c.paceMs, 1e-3) << c.name;
        EXPECT_NEAR(server.calcKmh(c.duration, c.metres), c.kmh, 1e-9) << c.name;
    }
    EXPECT_NEAR(server.calcPaceFactor(ms(3000000), 10000, 0.5) * 86400000.0, 150000, 1e-3);
}

TEST_F(UnitRulesTest, CalculatedFieldsOfAUnit)
{
    const int run = addUnit({day(2004, 5, 12), 1, 10000, 3000000});
    const int swim = addUnit({day(2004, 5, 13), 3, 0, 3000000});
    const int still = addUnit({day(2004, 5, 14), 1, 10000, 0});
    open();

    gotoUnit(run);
    EXPECT_EQ(server.daten.FieldByName("minkm")->AsDateTime(), ms(300000));
    EXPECT_DOUBLE_EQ(server.daten.FieldByName("kmh")->AsFloat(), 12);
    EXPECT_EQ(server.daten.FieldByName("Tag")->AsString(), "Mi.");
    EXPECT_EQ(server.daten.FieldByName("lSpeed")->AsString(), "km/h - min/km");
    EXPECT_EQ(server.daten.FieldByName("lDistance")->AsString(), "Kilometer");

    for (int unit : {swim, still}) {
        gotoUnit(unit);
        EXPECT_TRUE(server.daten.FieldByName("minkm")->IsNull()) << unit;
        EXPECT_TRUE(server.daten.FieldByName("kmh")->IsNull()) << unit;
    }
    gotoUnit(swim);
    EXPECT_EQ(server.daten.FieldByName("Tag")->AsString(), "Do.");
    EXPECT_EQ(server.daten.FieldByName("lSpeed")->AsString(), "km/h - min/100m");
    EXPECT_EQ(server.daten.FieldByName("lDistance")->AsString(), "Meter");
}

// ---------------------------------------------------------------------------------------------
// The distance in the sport's unit.

TEST_F(UnitRulesTest, MeterIsShownAndTypedInTheSportsDistanceUnit)
{
    const int run = addUnit({day(2004, 5, 12), 1, 10500});
    const int swim = addUnit({day(2004, 5, 13), 3, 10500});
    const int orphan = addUnit({day(2004, 5, 14), 99, 10500});
    open();
    TField* meter = server.daten.FieldByName("Meter");

    struct Case {
        int unit;
        const char* shown;
        const char* typed;
        int stored;
    };
    for (const Case& c : {Case{run, "10,5", "12,345", 12345}, Case{swim, "10500", "2500", 2500},
                          Case{orphan, "10500", "2500,4", 2500}}) {
        gotoUnit(c.unit);
        EXPECT_EQ(meter->DisplayText(), c.shown) << c.unit;
        server.daten.Edit();
        EXPECT_EQ(meter->Text(), c.shown) << c.unit;
        meter->SetText(c.typed);
        EXPECT_EQ(meter->AsInteger(), c.stored) << c.unit;
        server.daten.Cancel();
    }

    gotoUnit(run);
    server.daten.Edit();
    meter->SetText("10,5");
    EXPECT_EQ(meter->AsInteger(), 10500);
    meter->SetText("");  // empty leaves the value
    EXPECT_EQ(meter->AsInteger(), 10500);
    EXPECT_THROW(meter->SetText("zehn"), EConvertError);
    EXPECT_EQ(meter->AsInteger(), 10500);
    EXPECT_THROW(meter->SetText("99999999"), EDatabaseError);  // more metres than the field holds
    EXPECT_EQ(meter->AsInteger(), 10500);
    meter->Clear();
    EXPECT_EQ(meter->DisplayText(), "");
    server.daten.Cancel();
}

// ---------------------------------------------------------------------------------------------
// The windows that follow the current unit.

TEST_F(UnitRulesTest, ChangingTheCurrentUnitRefreshesTheViewsInOrder)
{
    const int first = addUnit({day(2004, 5, 12)});
    addUnit({day(2004, 5, 13), 0});
    open();
    gotoUnit(first);
    views.entryVisible = true;
    views.entryFocus = true;
    views.splitPage = true;
    views.navigator = "Navigator";
    views.quickWeek = true;
    views.quickBlock = true;

    struct Case {
        const char* tool;
        QStringList expected;
    };
    for (const Case& c :
         {Case{"QuickStat", {"eingabeUpdateZwSql", "navigatorSelectCurrentUnit", "quickStatXPButton1Click",
                             "quickStatXPButton2Click", "eingabeFillZwGrid"}},
          Case{"Equipment", {"eingabeUpdateZwSql", "toolEqFormShow", "navigatorSelectCurrentUnit", "eingabeFillZwGrid"}},
          Case{"Bio", {"eingabeUpdateZwSql", "navigatorSelectCurrentUnit", "eingabeFillZwGrid"}}}) {
        views.tool = c.tool;
        views.calls.clear();
        server.daten.Next();
        server.daten.First();
        EXPECT_EQ(views.operations(), c.expected + c.expected) << c.tool;
    }

    // The split SQL follows only while the entry window itself has the focus on the split page.
    views.tool = "Bio";
    views.entryFocus = false;
    views.calls.clear();
    server.daten.Next();
    EXPECT_EQ(views.operations(), QStringList({"navigatorSelectCurrentUnit", "eingabeFillZwGrid"}));

    // Hidden entry window: nothing is refreshed.
    views.entryVisible = false;
    views.calls.clear();
    server.daten.First();
    EXPECT_TRUE(views.calls.isEmpty());
}

TEST_F(UnitRulesTest, NoViewRefreshWhileEditingOrWithControlsDisabled)
{
    addUnit({day(2004, 5, 12)});
    addUnit({day(2004, 5, 13)});
    open();
    views.entryVisible = true;
    views.navigator = "Navigator";
    views.tool = "QuickStat";
    views.quickWeek = true;

    views.calls.clear();
    server.daten.DisableControls();
    server.daten.First();
    server.daten.Next();
    EXPECT_TRUE(views.calls.isEmpty());
    server.daten.EnableControls();

    views.calls.clear();
    server.daten.Edit();
    server.daten.FieldByName("Ort")->SetAsString("Park");
    EXPECT_TRUE(views.operations().isEmpty());
    server.daten.Cancel();
    EXPECT_TRUE(views.operations().contains("quickStatXPButton1Click"));
}

TEST_F(UnitRulesTest, EntryBoxesTakeTheColoursOfTheUnitsLookupRows)
{
    const int coloured = addUnit({day(2004, 5, 12), 1});
    const int none = addUnit({day(2004, 5, 13), 0});  // sport "Sonstige" has no colour
    const int missing = addUnit({day(2004, 5, 14), 99});
    db.exec("UPDATE CONFIG SET cfg_belFarbeEingabe = 0");
    open();
    views.entryVisible = true;

    const QString window = QString::number(clWindow, 16);
    const QString black = QString::number(clBlack, 16);
    const QString green = QString::number(0x98DB98, 16);
    const QString contrast = QString::number(ContrastTextColor(0x98DB98), 16);
    struct Case {
        int unit;
        QStringList sport;
    };
    for (const Case& c :
         {Case{coloured, {"color DBLookupComboBox1 " + window, "font DBLookupComboBox1 " + black,
                          "color DBLookupComboBox1 " + green, "font DBLookupComboBox1 " + contrast}},
          Case{none, {"color DBLookupComboBox1 " + window, "font DBLookupComboBox1 " + black}},
          Case{missing, {"color DBLookupComboBox1 " + window, "font DBLookupComboBox1 " + black}}}) {
        views.calls.clear();
        gotoUnit(c.unit);
        QStringList sport, level, order;
        for (const QString& call : views.calls) {
            if (call.contains("DBLookupComboBox1"))
                sport << call;
            if (call.contains("DBLookupComboBox3"))
                level << call;
            if (call.startsWith("color ") && !order.contains(call.section(' ', 1, 1)))
                order << call.section(' ', 1, 1);
        }
        EXPECT_EQ(sport, c.sport) << c.unit;
        // Colours switched off for load levels: the window colour, the font colour untouched.
        EXPECT_EQ(level, QStringList({"color DBLookupComboBox3 " + window})) << c.unit;
        EXPECT_EQ(order, QStringList({"DBLookupComboBox1", "DBLookupComboBox3", "DBLookupComboBox4",
                                      "DBLookupComboBox2"}));
    }
}

TEST_F(UnitRulesTest, WhileAUnitIsEditedABoxTakesTheColourOfWhatIsChosenInIt)
{
    const int unit = addUnit({day(2004, 5, 12), 1});
    db.exec("UPDATE CONFIG SET cfg_spoFarbeEingabe = 1, cfg_belFarbeEingabe = 1");
    db.exec("UPDATE belstufe SET bel_farbe = 255 WHERE bel_id = 3");
    open();
    views.entryVisible = true;
    gotoUnit(unit);
    auto last = [this](const QString& control) {
        QString found;
        for (const QString& call : views.calls)
            if (call.startsWith("color " + control + ' '))
                found = call.section(' ', 2);
        return found;
    };
    const QString window = QString::number(clWindow, 16);

    // A level set while the unit is edited (as the automatic load level sets it from the pulse)
    // colours the load-level box at once; the other boxes keep theirs.
    server.daten.Edit();
    views.calls.clear();
    server.daten.FieldByName("Belastungsstufe")->SetAsInteger(3);
    EXPECT_EQ(last("DBLookupComboBox3"), "ff");
    EXPECT_EQ(last("DBLookupComboBox1"), "");
    server.daten.Cancel();

    // A new unit's empty sport box shows no sport's colour.
    ASSERT_NE(last("DBLookupComboBox1"), window);
    views.calls.clear();
    server.daten.Insert();
    ASSERT_TRUE(server.daten.FieldByName("Sportart")->IsNull());
    EXPECT_EQ(last("DBLookupComboBox1"), window);
    server.daten.Cancel();
}

TEST_F(UnitRulesTest, ColourRuleMovesTheLookupTablesToTheUnitsRows)
{
    const int first = addUnit({day(2004, 5, 12), 1});
    const int second = addUnit({day(2004, 5, 13), 3, 10000, 3000000, "NULL", "NULL", "NULL", 3});
    db.exec(QString("UPDATE DATEN SET Belastungsstufe = 4, Belastungsart = 5 WHERE dat_Id = %1").arg(second));
    db.exec("UPDATE CONFIG SET cfg_spoFarbeEingabe = 1, cfg_belFarbeEingabe = 1, cfg_beaFarbeEingabe = 1, "
            "cfg_forFarbeEingabe = 1");
    open();
    views.entryVisible = true;

    struct Watched {
        const char* source;
        const char* key;
        TDataLink link;
        int changes = 0;
    };
    Watched watched[] = {{"dsSportart", "spo_id", {}}, {"dsForm", "for_id", {}}, {"dsBelStufe", "bel_id", {}},
                         {"dsBelArt", "bea_id", {}}};
    for (Watched& w : watched) {
        TDataSource* source = server.FindDataSource(w.source);
        ASSERT_NE(source, nullptr) << w.source;
        w.link.SetDataSource(source);
        w.link.OnDataSetScrolled = [&w](int) { ++w.changes; };
        w.link.OnDataSetChanged = [&w] { ++w.changes; };
    }

    struct Case {
        int unit;
        int sport, form, level, type;
    };
    for (const Case& c : {Case{second, 3, 3, 4, 5}, Case{first, 1, 1, 1, 1}}) {
        for (Watched& w : watched)
            w.changes = 0;
        gotoUnit(c.unit);
        const int expected[] = {c.sport, c.form, c.level, c.type};
        for (size_t i = 0; i < std::size(watched); ++i) {
            TDataSet* lookup = watched[i].link.DataSet();
            EXPECT_EQ(lookup->FieldByName(watched[i].key)->AsInteger(), expected[i]) << watched[i].source;
            EXPECT_GT(watched[i].changes, 0) << watched[i].source;
        }
    }
}

TEST_F(UnitRulesTest, SavesDeletesAndOpenRefreshTheNavigator)
{
    addBlock(3, day(2004, 5, 30));
    const int unit = addUnit({day(2004, 5, 12), 1, 10000, 3000000, "3"});
    addUnit({day(2004, 5, 13), 1, 10000, 3000000, "3"});
    open();
    EXPECT_EQ(views.operations(), QStringList({"navigatorButton1Click"}));  // daten opened
    views.navButton9Down = true;

    gotoUnit(unit);
    views.calls.clear();
    server.daten.Edit();
    server.daten.FieldByName("Ort")->SetAsString("Park");
    server.daten.Post();
    EXPECT_EQ(views.operations(),
              QStringList({"navigatorChangeNavItem", "navigatorButton1Click", "navigatorSelectCurrentUnit"}));

    views.calls.clear();
    server.daten.Delete();
    EXPECT_EQ(views.operations(),
              QStringList({"navigatorButton1Click", "navigatorSelectCurrentUnit", "navigatorChangeNavItem"}));
}

TEST_F(UnitRulesTest, StateChangeShowsTheEquipmentOfTheUnit)
{
    addUnit({day(2004, 5, 12)});
    open();
    views.tool = "Equipment";
    views.calls.clear();
    server.daten.Edit();
    EXPECT_EQ(views.operations(), QStringList({"toolEqFormShow"}));
}

TEST_F(UnitRulesTest, NavigatorDBNamesTheToolViewOfTheSetting)
{
    open();
    struct Case {
        const char* setting;
        const char* view;
        bool expandsPanel;
    };
    for (const Case& c : {Case{"Bio", "Bio", false}, Case{"Equipment", "Equipment", false},
                          Case{"Kurzübersicht", "QuickStat", false}, Case{"Kalender", "Kalender", false},
                          Case{"Tools ausblenden", "Bio", true}, Case{"", "Bio", true}}) {
        server.config.Edit();
        server.config.FieldByName("cfg_eingabeTool")->SetAsString(QString::fromUtf8(c.setting));
        server.config.Post();
        views.calls.clear();
        EXPECT_EQ(server.getNavigatorDB(), c.view) << c.setting;
        EXPECT_EQ(views.calls.contains("mainXPButton1Click"), c.expandsPanel) << c.setting;
    }
}
